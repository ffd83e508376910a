// The grillage input taken from the running program: a new design of one span is the
// example bridge, with the dialogs' loads as they stand.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/doc.h"
#include "app/grillage_collect.h"

TEST_F(ShellTest, GrillageInputOfANewDesignIsTheExampleBridge)
{
    dialoginput::ConfirmBasic(QStringLiteral("1"));
    ASSERT_EQ(g_nSpans, 1);
    CMarivoltenDoc& doc = *g_pDoc;
    doc.m_dlgBasic.m_strTitle = QStringLiteral("Example A");
    doc.m_dlgDeadLoad.m_adValue[9] = 1.5;
    doc.m_dlgSteelWeight.m_nAttachments = 1;
    doc.m_dlgSteelWeight.m_anAttachGirder[0] = 3;
    doc.m_dlgSteelWeight.m_adAttachLoad[0] = 2.0;
    doc.m_dlgSteelWeight.m_adAttachPosition[0] = 0.5;

    CGrillageInput in = CollectGrillageInput(doc, 2, "65A1B2C3004D2E02");
    EXPECT_EQ(in.m_nGirders, 4);
    EXPECT_EQ(in.PanelPoints(), 7);
    ASSERT_EQ(in.m_aMembers.size(), 24u);
    const std::string text = WriteGrillageInput(in);
    for (const char* line :
         {"/TITLE\nExample A\n\n/OPTION\nSTAMP 65A1B2C3004D2E02\nPASS 2\n", "\nCROSS_MEMBERS 0\n",
          "\nBEARING 2 4 1507 1 0 1\n", "\nSNOW 0.1529574319\n", "\nUNITW 7 2.3963331\n", "\nRAIL 2 0.05098581065\n",
          "\nHAUNCH 4 0.1223659456\n", "\nSTEEL 1 0.4588722958\n", "\nATTACH 1 0.2039432426\n",
          "\n1507 30 -3.45 4 7\n", "\nGX 1.05 3.35 5.65 7.95\n", "\nSTRIP 6 1.2 1.4 0.29\n",
          "\nSTRIP 7 7.8 8.6 0.26\n", "\nLINE 2 8.8\nATTACH 1 8.45\nPANEL 2 5 1 9\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
}
