// One started application for the shell tests, with scripted message boxes.
#pragma once

#include <gtest/gtest.h>
#include <QFile>
#include <QStringList>
#include <deque>

#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "app/marivolten.h"
#include "framework/msgbox.h"
#include "framework/cmdids.h"
#include "framework/profile.h"
#include "input/coordinate_sheet.h"
#include "res/resource_ids.h"

class ShellTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    void SetUp() override;
    void TearDown() override;

    // Answers the next message boxes in order; unexpected boxes answer IDCANCEL.
    void Answer(std::initializer_list<int> answers) { m_answers.assign(answers); }
    // Runs a command through the main frame's route, as a menu item would.
    static void Command(UINT id) { g_pMainFrame->OnCmdMsg(id, CN_COMMAND, nullptr); }
    static CCmdUI Update(UINT id);
    // File New's state, with the program's options back at their start.
    static void StartNewDesign();
#ifdef SOLVER_BIN_DIR
    // A first grillage run of the open design with the built solver programs, to its
    // closing message; the programs stay chosen until the test ends.
    void RunGrillage()
    {
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        m_shown.clear();
        Answer({IDOK});
        Command(ID_CALC_GRILLAGE);
        ASSERT_EQ(m_shown, QStringList{QStringLiteral("計算終了!")});
        m_shown.clear();
    }
#endif

    QStringList m_shown;
    std::deque<int> m_answers;
};
