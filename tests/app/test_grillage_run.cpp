// The grillage command end to end through the solver programs: a first run designs every
// girder, a re-run keeps or redesigns the sections, the abort question stops a run.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "design/girder_design.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class GrillageRunTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        m_shown.clear();
    }
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        theApp.m_dlgTestCommand.m_strCommand.clear();
        ShellTest::TearDown();
    }
};

}

TEST_F(GrillageRunTest, FirstRunDesignsEveryGirderAndReRunKeepsTheLayout)
{
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_EQ(m_shown.size(), 1) << m_shown.join(QLatin1Char('|')).toStdString();
    EXPECT_EQ(m_shown[0], QStringLiteral("計算終了!"));
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_NE(doc.m_pGirders, nullptr);
    EXPECT_EQ(doc.m_bGrillageNotRun, 0);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_TRUE(doc.IsModified());
    double reactions = 0.0;
    for (int g = 0; g < g_nGirders; ++g) {
        const CGirderDesign& girder = doc.m_pGirders[g];
        EXPECT_EQ(int(girder.m_pdPanelLength.size()), g_nPanelPoints - 1);
        EXPECT_GT(girder.m_nSections, 0) << g;
        EXPECT_NEAR(girder.m_dGirderLength, 60.0, 0.5);
        for (int s = 0; s <= g_nSpans; ++s)
            reactions += girder.m_adReactDead[s];
        for (const CSectionRecord& section : girder.m_pSections)
            EXPECT_GT(section.m_dAssumedArea, 0.0);
    }
    EXPECT_GT(reactions, 0.0);
    EXPECT_GT(doc.m_adImpactCoef[0], 0.0);
    EXPECT_GT(doc.m_adAssumedWeightPerLength[0], 0.0);
    const std::vector<CSectionRecord> sections = doc.m_pGirders[0].m_pSections;

    // A re-run that keeps every plate only checks them.
    m_shown.clear();
    AfxSetModalHook([](CDialog* d) {
        static_cast<CButton*>(d->GetDlgItem(IDC_RERUN_REDESIGN))->SetCheck(0);
        static_cast<CButton*>(d->GetDlgItem(IDC_RERUN_KEEP))->SetCheck(1);
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    AfxSetModalHook({});
    ASSERT_EQ(m_shown.size(), 1);
    EXPECT_EQ(m_shown[0], QStringLiteral("格子計算終了!"));
    ASSERT_EQ(doc.m_pGirders[0].m_pSections.size(), sections.size());
    for (size_t s = 0; s < sections.size(); ++s) {
        EXPECT_EQ(doc.m_pGirders[0].m_pSections[s].m_dTUpper, sections[s].m_dTUpper);
        EXPECT_EQ(doc.m_pGirders[0].m_pSections[s].m_dLength, sections[s].m_dLength);
    }
    EXPECT_EQ(doc.m_nDialogSetting, 0);
}

TEST_F(GrillageRunTest, AbortQuestionStopsTheRunWithoutAMessage)
{
    theApp.m_dlgTestCommand.m_strCommand = QStringLiteral("xWexelx");
    bool asked = false;
    AfxSetModalHook([&](CDialog* d) {
        asked = d == &g_pDoc->m_dlgAbortConfirm;
        d->SendMessage(WM_COMMAND, IDOK);
    });
    Command(ID_CALC_GRILLAGE);
    AfxSetModalHook({});
    EXPECT_TRUE(asked);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(g_pDoc->m_pGirders, nullptr);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    EXPECT_EQ(g_bResultsValid, 0);
}

TEST_F(GrillageRunTest, InvalidationKeepsTheLayoutForTheNextFirstRun)
{
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_NE(doc.m_pGirders, nullptr);
    // A layout of the user's own, which the automatic one would not make again.
    CGirderDesign& first = doc.m_pGirders[0];
    ASSERT_GE(first.Blocks().size(), 2u);
    ASSERT_EQ(first.JoinBlocks(0, 1, 1), 1);
    std::vector<std::vector<double>> lengths(static_cast<size_t>(g_nGirders));
    for (int g = 0; g < g_nGirders; ++g)
        for (const CSectionRecord& s : doc.m_pGirders[g].m_pSections)
            lengths[size_t(g)].push_back(s.m_dLength);

    Answer({IDOK});
    Command(ID_INVALIDATE_RESULTS);
    ASSERT_EQ(doc.m_pGirders, nullptr);
    ASSERT_EQ(doc.m_nLayoutGirders, g_nGirders);
    EXPECT_EQ(doc.m_nLayoutSpans, g_nSpans);
    EXPECT_EQ(doc.m_nLayoutHeightVariation, doc.m_dlgBasic.m_nHeightVariation);
    for (int g = 0; g < g_nGirders; ++g) {
        ASSERT_EQ(doc.m_pnLayoutSectionCount[g], int(lengths[size_t(g)].size()));
        for (size_t s = 0; s < lengths[size_t(g)].size(); ++s)
            EXPECT_EQ(doc.m_apLayoutF64[g][0][s], lengths[size_t(g)][s]);
    }

    // As after opening a design with results: the next first run lays the girders out as stored.
    doc.m_bFirstDesign = 0;
    m_shown.clear();
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_EQ(m_shown, QStringList{QStringLiteral("計算終了!")});
    ASSERT_NE(doc.m_pGirders, nullptr);
    for (int g = 0; g < g_nGirders; ++g) {
        const std::vector<CSectionRecord>& sections = doc.m_pGirders[g].m_pSections;
        ASSERT_EQ(sections.size(), lengths[size_t(g)].size()) << g;
        for (size_t s = 0; s < sections.size(); ++s)
            EXPECT_NEAR(sections[s].m_dLength, lengths[size_t(g)][s], 1e-9);
    }
    EXPECT_EQ(doc.m_bFirstDesign, 1);

    // Without design objects there is nothing to keep.
    Answer({IDOK});
    Command(ID_INVALIDATE_RESULTS);
    EXPECT_EQ(doc.SaveSectionLayout(), 0);
}

// A programs folder like the real one, with one program replaced by a script.
static QString ProgramsWith(QTemporaryDir& dir, const char* program, const QByteArray& script)
{
    for (const QString& name : QDir(QStringLiteral(SOLVER_BIN_DIR)).entryList({QStringLiteral("mvg_*")}, QDir::Files))
        QFile::link(QDir(QStringLiteral(SOLVER_BIN_DIR)).filePath(name), dir.filePath(name));
    const QString path = dir.filePath(QString::fromLatin1(program));
    QFile::remove(path);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(script);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return dir.path();
}

TEST_F(GrillageRunTest, UnstableStructureAndBrokenProgramsLeaveTheDesign)
{
    struct Case {
        const char* program;
        QByteArray script;
        const char* caption;
    };
    const Case cases[] = {
        {"mvg_factor", "#!/bin/sh\nprintf '2\\nmvg_factor\\npivot\\n' > err_file\nexit 2\n", "エラー　ErroCode = 002"},
        {"mvg_live", "#!/bin/sh\nexit 0\n", "エラー　ErroCode = 008"},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        qputenv("MARIVOLTEN_SOLVER_DIR", ProgramsWith(dir, c.program, c.script).toLocal8Bit());
        g_pDoc->SetModifiedFlag(FALSE);
        m_shown.clear();
        Command(ID_CALC_GRILLAGE);
        ASSERT_EQ(m_shown.size(), 1) << c.program;
        EXPECT_EQ(AfxGetLastMessageBoxCaption(), QString::fromUtf8(c.caption));
        EXPECT_EQ(g_pDoc->m_pGirders, nullptr);
        EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 1);
        EXPECT_EQ(g_bResultsValid, 0);
        EXPECT_FALSE(g_pDoc->IsModified());
    }
    EXPECT_TRUE(m_shown[0].startsWith(QStringLiteral("格子計算用実行ﾌｧｲﾙが壊れているか存在しません。")));
}

TEST_F(GrillageRunTest, DesignedGirdersSurviveSaveAndOpen)
{
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    std::vector<std::vector<CSectionRecord>> before;
    for (int g = 0; g < g_nGirders; ++g)
        before.push_back(g_pDoc->m_pGirders[g].m_pSections);
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first.mvl"));
    const QString second = dir.filePath(QStringLiteral("second.mvl"));
    ASSERT_TRUE(g_pDoc->OnSaveDocument(first));
    m_shown.clear();
    ASSERT_TRUE(theApp.OpenDesign(first));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    EXPECT_EQ(g_bResultsValid, 1);
    for (int g = 0; g < g_nGirders; ++g) {
        const std::vector<CSectionRecord>& after = g_pDoc->m_pGirders[g].m_pSections;
        ASSERT_EQ(after.size(), before[size_t(g)].size());
        for (size_t s = 0; s < after.size(); ++s) {
            EXPECT_EQ(after[s].m_dLength, before[size_t(g)][s].m_dLength);
            EXPECT_EQ(after[s].m_dTLower, before[size_t(g)][s].m_dTLower);
            EXPECT_EQ(after[s].m_nGradeUpper, before[size_t(g)][s].m_nGradeUpper);
            EXPECT_NEAR(after[s].m_dI, before[size_t(g)][s].m_dI, 1e-12);
        }
    }
    ASSERT_TRUE(g_pDoc->OnSaveDocument(second));
    QFile a(first), b(second);
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}
