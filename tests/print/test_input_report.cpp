// The input report's blocks on a recording device context: where lines and tables stand on
// screen and on paper, when a block moves to the next page, and what the blocks leave out.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "input/height_dialog.h"
#include "views/input_report.h"
#include "views/print_table.h"

#include <algorithm>

namespace {

class InputReportTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("3"));
        ASSERT_EQ(g_nSpans, 3);
        m_report.SetReportDocument(g_pDoc);
        m_dc.SetMapMode(MM_LOMETRIC);
    }
    // The texts drawn, with where they were drawn.
    std::vector<CDC::Record> Texts() const
    {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : m_dc.Records())
            if (r.op == QLatin1String("TextOut"))
                out.push_back(r);
        return out;
    }
    const CDC::Record* Find(const QString& text) const
    {
        for (const CDC::Record& r : m_dc.Records())
            if (r.op == QLatin1String("TextOut") && r.text == text)
                return &r;
        return nullptr;
    }
    CInputReport m_report;
    CDC m_dc;
    CPrintInfo m_info;
};

}

TEST_F(InputReportTest, FirstHeadingAndItemsStandOnTheirLinesAndColumns)
{
    const int next = m_report.DrawBasicConditions(&m_dc, nullptr, 1, 0);
    const CDC::Record* heading = Find(QStringLiteral("【基本条件】"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->args, (std::vector<int>{200, -450}));
    const CDC::Record* label = Find(QStringLiteral(" タイトル"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->args, (std::vector<int>{200, -550}));
    const CDC::Record* value = Find(QStringLiteral("：") + g_pDoc->m_dlgBasic.m_strTitle);
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->args, (std::vector<int>{800, -550}));
    EXPECT_NE(Find(QStringLiteral("：    3")), nullptr);
    // Factors of 1 take no line: " -H鋼材" on L+14, the next block from L+15.
    EXPECT_EQ(next, 15);
    EXPECT_EQ(Find(QStringLiteral(" -H鋼材"))->args[1], -(300 + 50 + 14 * 50));

    // Counting draws nothing and counts the same lines.
    m_dc.ClearRecords();
    EXPECT_EQ(m_report.DrawBasicConditions(&m_dc, nullptr, 0, 0), next);
    EXPECT_TRUE(m_dc.Records().empty());
}

TEST_F(InputReportTest, LoadFactorsThatShowAsOneAreLeftOut)
{
    g_pDoc->m_dlgBasic.m_dP1Factor = 0.9996;
    g_pDoc->m_dlgBasic.m_dP2Factor = 1.2;
    EXPECT_EQ(m_report.DrawBasicConditions(&m_dc, nullptr, 1, 10), 10 + 16);
    EXPECT_EQ(Find(QStringLiteral(" P1荷重割増係数")), nullptr);
    const CDC::Record* p2 = Find(QStringLiteral(" P2荷重割増係数"));
    ASSERT_NE(p2, nullptr);
    EXPECT_EQ(p2->args[1], m_report.LineToY(nullptr, 20));
    EXPECT_NE(Find(QStringLiteral("：1.200")), nullptr);
    // The cross-section shape follows on the next line.
    EXPECT_EQ(Find(QStringLiteral(" 横断面形状"))->args[1], m_report.LineToY(nullptr, 21));
}

TEST_F(InputReportTest, LinesArePagedFortyEightToAPage)
{
    // The last used line 47 fits on one page, 48 needs a second.
    EXPECT_EQ(m_report.PageOfLine(47), 1);
    EXPECT_EQ(m_report.PageOfLine(48), 2);
    m_info.m_nCurPage = 2;
    EXPECT_EQ(m_report.IsLineOnPage(&m_info, 1, 47), 0);
    EXPECT_EQ(m_report.IsLineOnPage(&m_info, 1, 48), 1);
    EXPECT_EQ(m_report.IsLineOnPage(&m_info, 0, 48), 0);
    EXPECT_EQ(m_report.IsLineOnPage(nullptr, 1, 480), 1);
    // On paper a line stands within its page; on screen the report is one long page.
    EXPECT_EQ(m_report.LineToY(&m_info, 49), -(300 + 50 + 50));
    EXPECT_EQ(m_report.LineToY(nullptr, 49), -(300 + 50 + 49 * 50));

    // Only the lines of the page printed are drawn.
    m_info.m_nCurPage = 1;
    const int end = m_report.RunInputBlocks(&m_dc, &m_info, 1, 0);
    ASSERT_GT(end, 48);
    for (const CDC::Record& t : Texts())
        EXPECT_GE(t.args[1], -(300 + 50 + 48 * 50)) << t.text.toStdString();
    m_dc.ClearRecords();
    m_info.m_nCurPage = 2;
    m_report.RunInputBlocks(&m_dc, &m_info, 1, 0);
    EXPECT_EQ(Find(QStringLiteral("【基本条件】")), nullptr);
    EXPECT_FALSE(Texts().empty());
}

TEST_F(InputReportTest, PanelDivisionMovesToTheNextPageOnlyWhenItWouldCrossThePageEnd)
{
    // Ten panels: heading and tables take 4 + 10 + 10 lines; a group from line 24 would cross.
    g_anPanelCount[1] = 10;
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 23, 0), 23 + 4 + 1 + 20);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 24, 0), 48 + 4 + 1 + 20);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 48 + 24, 0), 96 + 4 + 1 + 20);
    // A later group has no heading and moves only when its tables would cross.
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 27, 3), 27 + 1 + 20);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 28, 3), 48 + 1 + 20);
    // The screen never breaks; a first span that is not a group's start adds nothing.
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, nullptr, 0, 24, 0), 24 + 4 + 1 + 20);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, nullptr, 0, 24, 1), 24);
}

TEST_F(InputReportTest, PanelDivisionDrawsItsTablesBelowTheHeading)
{
    const int P = 6;
    const int next = m_report.DrawPanelDivision(&m_dc, nullptr, 1, 0, 0);
    EXPECT_EQ(next, 4 + 1 + P + 10);
    EXPECT_EQ(Find(QStringLiteral("【パネル割】"))->args[1], m_report.LineToY(nullptr, 2));
    for (const char* text : {"第1支間", "第2支間", "第3支間", "始端", "終端", "∞", "直線"})
        EXPECT_NE(Find(QString::fromUtf8(text)), nullptr) << text;
    EXPECT_NE(Find(QStringLiteral("第 6ﾊﾟﾈﾙ長      (mm)")), nullptr);
    EXPECT_EQ(Find(QStringLiteral("第 7ﾊﾟﾈﾙ長      (mm)")), nullptr);
    EXPECT_NE(Find(QStringLiteral("30000")), nullptr);
    // The upper table starts at the group's first line, at column 2; the shaded corner first.
    const CDC::Record* corner = nullptr;
    for (const CDC::Record& r : m_dc.Records())
        if (r.op == QLatin1String("Rectangle") && r.brushColor == RGB(128, 192, 192) && !corner)
            corner = &r;
    ASSERT_NE(corner, nullptr);
    EXPECT_EQ(corner->args[0], 300);
    EXPECT_EQ(corner->args[1], m_report.LineToY(nullptr, 4));
    EXPECT_EQ(corner->brushColor, RGB(128, 192, 192));
}

TEST_F(InputReportTest, BearingRowsCarryTheSupportsPanelPointsAndDashesBeforeAnyRun)
{
    g_anPanelCount[1] = 8;
    const int next = m_report.DrawBearingBlock(&m_dc, nullptr, 1, 0);
    EXPECT_EQ(next, 4 + 5 + 2);
    for (const char* row : {"C1", "C7", "C15", "C21"})
        EXPECT_NE(Find(QString::fromLatin1(row)), nullptr) << row;
    EXPECT_EQ(Find(QStringLiteral("C22")), nullptr);
    int dashes = 0;
    for (const CDC::Record& t : Texts())
        dashes += t.text == QStringLiteral("－");
    EXPECT_EQ(dashes, 4 * 3);
    EXPECT_NE(Find(QStringLiteral("最大反力(kN)")), nullptr);
    EXPECT_NE(Find(QStringLiteral("：1500000 円/ｔ")), nullptr);
    EXPECT_EQ(Find(QStringLiteral(" ゴム支承見積価格"))->args[1], m_report.LineToY(nullptr, 10));
}

TEST_F(InputReportTest, TableBlocksKeepWholeOnAPageWhenPrinted)
{
    // 【支承】 of three spans: 5 rows, heading 4 lines before; it moves when it would end within 4 lines.
    EXPECT_EQ(m_report.DrawBearingBlock(nullptr, &m_info, 0, 38), 38 + 4 + 5 + 2);
    EXPECT_EQ(m_report.DrawBearingBlock(nullptr, &m_info, 0, 39), 48 + 4 + 5 + 2);
    EXPECT_EQ(m_report.DrawBearingBlock(nullptr, nullptr, 0, 39), 39 + 4 + 5 + 2);
    // The attachments table of ten loads moves with its heading as the other tables do.
    g_pDoc->m_dlgSteelWeight.m_nAttachments = 10;
    EXPECT_EQ(m_report.DrawAttachedLoadBlock(nullptr, &m_info, 0, 32), 32 + 4 + 11 + 1);
    EXPECT_EQ(m_report.DrawAttachedLoadBlock(nullptr, &m_info, 0, 33), 48 + 4 + 11 + 1);
    EXPECT_EQ(m_report.DrawAttachedLoadBlock(nullptr, nullptr, 0, 40), 40 + 4 + 11 + 1);
    g_pDoc->m_dlgSteelWeight.m_nAttachments = 0;
    EXPECT_EQ(m_report.DrawAttachedLoadBlock(nullptr, &m_info, 0, 40), 45);
}

TEST_F(InputReportTest, CrossSectionTablesOfSixStationsNumberTheStationsOverTheBridge)
{
    ASSERT_EQ(g_nCrossSections, 10);    // three spans of two free sections each
    int line = 0;
    for (int first = 0; first < g_nCrossSections; first += 6)
        line = m_report.DrawCrossSectionDimensions(&m_dc, nullptr, 1, line, first);
    EXPECT_EQ(line, 4 + 28 + 28);
    for (const char* heading : {"第1支点", "第1断面", "第2断面", "第2支点", "第3断面", "第6断面", "第4支点"})
        EXPECT_NE(Find(QString::fromUtf8(heading)), nullptr) << heading;
    // The second table stands where the first one's block ended, without a heading.
    const int second = Find(QStringLiteral("第3支点"))->args[1];
    EXPECT_LT(second, m_report.LineToY(nullptr, 32));
    EXPECT_GT(second, m_report.LineToY(nullptr, 33));
    int headings = 0;
    for (const CDC::Record& t : Texts())
        headings += t.text == QStringLiteral("【横断面寸法】");
    EXPECT_EQ(headings, 1);
    EXPECT_EQ(m_report.DrawCrossSectionDimensions(&m_dc, nullptr, 1, 7, 3), 7);
}

TEST_F(InputReportTest, MemberBlocksFollowTheGirderType)
{
    // Plate girders: nine kinds in the main member data, four groups of cross frames.
    EXPECT_EQ(m_report.DrawMainMemberData(nullptr, nullptr, 0, 0), 13);
    EXPECT_EQ(m_report.DrawCrossFrameMembers(nullptr, nullptr, 0, 0), 19);
    m_report.DrawMainMemberData(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("使用する")), nullptr);     // lateral bracing
    EXPECT_NE(Find(QStringLiteral("使用しない")), nullptr);   // brackets and stringers
    EXPECT_NE(Find(QStringLiteral("：")), nullptr);           // a member not used shows no choice
    g_nBridgeType = 1;
    EXPECT_EQ(m_report.DrawMainMemberData(nullptr, nullptr, 0, 0), 9);
    // The box girder's cross beam alone, after a free line.
    m_dc.ClearRecords();
    EXPECT_EQ(m_report.DrawCrossFrameMembers(&m_dc, nullptr, 1, 0), 6);
    ASSERT_NE(Find(QStringLiteral(" 横桁形状・材質")), nullptr);
    EXPECT_EQ(Find(QStringLiteral(" 横桁形状・材質"))->args[1], m_report.LineToY(nullptr, 1));
    g_nBridgeType = 0;
    EXPECT_EQ(m_report.DrawStringerShapeBlock(nullptr, nullptr, 0, 5), 11);
    EXPECT_EQ(m_report.DrawLeftBracket(nullptr, nullptr, 0, 5), 12);
    EXPECT_EQ(m_report.DrawLateralBracing(nullptr, nullptr, 0, 5), 9);
}

TEST_F(InputReportTest, OptionalLinesOfTheLoadAndEstimateBlocks)
{
    CMarivoltenDoc& doc = *g_pDoc;
    doc.m_dlgBasic.m_nSidewalk = 0;
    EXPECT_EQ(m_report.DrawDeadLoadBlock(nullptr, nullptr, 0, 0), 11);
    doc.m_dlgBasic.m_nSidewalk = 3;
    EXPECT_EQ(m_report.DrawDeadLoadBlock(nullptr, nullptr, 0, 0), 14);
    // Plate girders 20 factor rows; box girders one more, or two with the ribs counted apart.
    EXPECT_EQ(m_report.DrawFactorBlock(nullptr, nullptr, 0, 0), 4 + 20 + 1);
    g_nBridgeType = 1;
    doc.m_dlgEstimate.m_dlgFactor.m_bSeparateRibMass = 1;
    EXPECT_EQ(m_report.DrawFactorBlock(nullptr, nullptr, 0, 0), 4 + 22 + 1);
    doc.m_dlgEstimate.m_dlgFactor.m_bSeparateRibMass = 0;
    EXPECT_EQ(m_report.DrawFactorBlock(nullptr, nullptr, 0, 0), 4 + 21 + 1);
    // A size extra of 0 shows the automatic one of the girder type.
    doc.m_dlgEstimate.m_dlgSteelPrice.m_anPrice[1] = 0;
    m_report.DrawSteelPriceBlock(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("2000")), nullptr);
    g_nBridgeType = 0;
    m_dc.ClearRecords();
    m_report.DrawSteelPriceBlock(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("1500")), nullptr);
    // A ready-made railing has no post and rail line; the old overhead method prints nothing.
    doc.m_dlgEstimate.m_dlgFitting.m_nRailingType = 2;
    EXPECT_EQ(m_report.DrawAccessoryBlock(nullptr, nullptr, 0, 0), 8);
    doc.m_dlgEstimate.m_dlgFitting.m_nRailingType = 0;
    EXPECT_EQ(m_report.DrawAccessoryBlock(nullptr, nullptr, 0, 0), 9);
    doc.m_dlgEstimate.m_dlgOverhead.m_nCostMethod = 0;
    EXPECT_EQ(m_report.DrawOverheadBlock(nullptr, nullptr, 0, 7), 7);
    doc.m_dlgEstimate.m_dlgOverhead.m_nCostMethod = 1;
    EXPECT_EQ(m_report.DrawOverheadBlock(nullptr, nullptr, 0, 7), 15);
}

TEST_F(InputReportTest, GirderDataBlocksByHeightAndHoles)
{
    CMarivoltenDoc& doc = *g_pDoc;
    // Constant height: no 【桁高】 at all; the heights follow in main girder data 2.
    doc.m_dlgBasic.m_nHeightVariation = 1;
    EXPECT_EQ(m_report.DrawGirderHeights(&m_dc, nullptr, 1, 5, 0), 5);
    EXPECT_TRUE(m_dc.Records().empty());
    // Hole deduction off: the plate data ends after its line.
    doc.m_dlgPlateGirder.m_bHoleDeduction = 0;
    EXPECT_EQ(m_report.DrawPlateGirderData(nullptr, nullptr, 0, 0), 4 + 4 + 3);
    doc.m_dlgPlateGirder.m_bHoleDeduction = 1;
    std::fill(std::begin(doc.m_dlgPlateGirder.m_adHoleFlangeWidth), std::end(doc.m_dlgPlateGirder.m_adHoleFlangeWidth), 0.0);
    EXPECT_EQ(m_report.DrawPlateGirderData(nullptr, nullptr, 0, 0), 4 + 4 + 3 + 2);
    // Manual blocks: seven on three girders make two tables of four rows.
    doc.m_dlgMainGirder.m_nBlockLengthMode = 1;
    g_nGirders = 3;
    JointPositionData& jp = doc.m_dlgMainGirder.m_dlgJointPosition;
    for (int g = 0; g < 3; ++g) {
        jp.m_anBlockCount[g] = g == 1 ? 7 : 5;
        jp.m_apdBlockLength[g].assign(size_t(jp.m_anBlockCount[g]), 10.0);
    }
    EXPECT_EQ(m_report.DrawGirderBlocks(&m_dc, nullptr, 1, 10), 10 + 5 + 5);
    EXPECT_NE(Find(QStringLiteral("ﾌﾞﾛｯｸ 7")), nullptr);
    EXPECT_NE(Find(QStringLiteral("主桁 3:")), nullptr);
    m_dc.ClearRecords();
    m_report.DrawMainGirderData(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("：手動")), nullptr);
    EXPECT_NE(Find(QStringLiteral("ﾌﾞﾛｯｸ 6")), nullptr);
    EXPECT_EQ(Find(QStringLiteral(" 最大断面長")), nullptr);
}

TEST_F(InputReportTest, BoxGirderRibTableStaysWholeOnAPageAndIsFollowedByAnEmptyLine)
{
    g_nBridgeType = 1;
    // Constant heights of four girders, holes deducted: the rib table's first line is L + 18.
    // Seven rib rows under a three-line heading row cover ten lines.
    EXPECT_EQ(m_report.DrawBoxGirderData(nullptr, &m_info, 0, 0), 18 + 10 + 1);
    EXPECT_EQ(m_report.DrawBoxGirderData(nullptr, &m_info, 0, 19), 37 + 10 + 1);
    EXPECT_EQ(m_report.DrawBoxGirderData(nullptr, &m_info, 0, 20), 48 + 10 + 1);
    EXPECT_EQ(m_report.DrawBoxGirderData(nullptr, nullptr, 0, 20), 38 + 10 + 1);
    // An empty first list leaves the heading row alone.
    for (QString& shape : g_pDoc->m_dlgBoxGirder.m_astrShape[0])
        shape.clear();
    EXPECT_EQ(m_report.DrawBoxGirderData(nullptr, nullptr, 0, 0), 18 + 3 + 1);
    m_report.DrawBoxGirderData(&m_dc, nullptr, 1, 0);
    for (const char* grade : {"SS400", "SMA400W", "SM490", "SM490Y", "SM520", "SMA490W", "SM570", "SMA570W"})
        EXPECT_NE(Find(QString::fromLatin1(grade)), nullptr) << grade;
    // The grades of one group stand one line apart in their heading cell.
    EXPECT_EQ(Find(QStringLiteral("SM490Y"))->args[1] - Find(QStringLiteral("SM520"))->args[1], 50);
    EXPECT_EQ(Find(QStringLiteral("SM520"))->args[1] - Find(QStringLiteral("SMA490W"))->args[1], 50);
}

TEST_F(InputReportTest, DeadLoadWithoutSidewalkListsItsSevenItemsOnConsecutiveLines)
{
    g_pDoc->m_dlgBasic.m_nSidewalk = 0;
    g_pDoc->m_dlgBasic.m_bKerbUnloaded = 1;
    EXPECT_EQ(m_report.DrawDeadLoadBlock(&m_dc, nullptr, 1, 10), 10 + 4 + 7);
    const char* const labels[7] = {" 左高欄", " 右高欄", " 車道舗装", " 中央分離帯", " 車道床版", " 地覆", " 雪"};
    for (int i = 0; i < 7; ++i) {
        const CDC::Record* r = Find(QString::fromUtf8(labels[i]));
        ASSERT_NE(r, nullptr) << labels[i];
        EXPECT_EQ(r->args[1], m_report.LineToY(nullptr, 14 + i)) << labels[i];
    }
    for (const char* absent : {" 歩道舗装", " 歩道縁石", " 歩道床版"})
        EXPECT_EQ(Find(QString::fromUtf8(absent)), nullptr) << absent;
    // Without a sidewalk the kerb is no band of its own either.
    m_dc.ClearRecords();
    m_report.DrawBasicConditions(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("：歩道なし")), nullptr);
    g_pDoc->m_dlgBasic.m_nSidewalk = 3;
    m_dc.ClearRecords();
    m_report.DrawBasicConditions(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("：両側歩道付き（縁石を群衆荷重非載荷帯とする）")), nullptr);
}

TEST_F(InputReportTest, LoadFactorsThatRoundToOneTakeNoLine)
{
    const int plain = m_report.DrawBasicConditions(nullptr, nullptr, 0, 0);
    g_pDoc->m_dlgBasic.m_dP1Factor = 1.0004;
    EXPECT_EQ(m_report.DrawBasicConditions(&m_dc, nullptr, 1, 0), plain);
    EXPECT_EQ(Find(QStringLiteral(" P1荷重割増係数")), nullptr);
    g_pDoc->m_dlgBasic.m_dP1Factor = 1.0006;
    EXPECT_EQ(m_report.DrawBasicConditions(&m_dc, nullptr, 1, 0), plain + 1);
    EXPECT_NE(Find(QStringLiteral("：1.001")), nullptr);
}

TEST_F(InputReportTest, TwentyPanelsMakeTheDivisionThirtyLinesLong)
{
    g_anPanelCount[2] = 20;
    // Heading four lines, the tables 6 + 24 lines, one free line.
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, nullptr, 0, 0, 0), 4 + 30 + 1);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 13, 0), 13 + 4 + 30 + 1);
    EXPECT_EQ(m_report.DrawPanelDivision(nullptr, &m_info, 0, 14, 0), 48 + 4 + 30 + 1);
    m_report.DrawPanelDivision(&m_dc, nullptr, 1, 0, 0);
    // The span length row is the lower table's last: 4 lines of heading, 6 of the upper
    // table, then 3 rows and 20 panels.
    const CDC::Record* last = Find(QStringLiteral("支間長          (mm)"));
    ASSERT_NE(last, nullptr);
    EXPECT_LT(last->args[1], m_report.LineToY(nullptr, 4 + 6 + 23));
    EXPECT_GT(last->args[1], m_report.LineToY(nullptr, 4 + 6 + 24));
    EXPECT_NE(Find(QStringLiteral("第20ﾊﾟﾈﾙ長      (mm)")), nullptr);
}

TEST_F(InputReportTest, HeadingFillsFollowTheShadingChoice)
{
    auto fills = [this](COLORREF colour) {
        return std::count_if(m_dc.Records().begin(), m_dc.Records().end(), [colour](const CDC::Record& r) {
            return r.op == QLatin1String("Rectangle") && r.brushColor == colour;
        });
    };
    m_report.DrawPanelDivision(&m_dc, nullptr, 1, 0, 0);
    m_report.DrawBearingBlock(&m_dc, nullptr, 1, 40);
    EXPECT_GT(fills(CPrintTable::kCornerFill), 1);
    EXPECT_GT(fills(CPrintTable::kRowFill), 6);
    EXPECT_GT(fills(CPrintTable::kColumnFill), 6);
    m_report.m_bShadeHeadings = 0;
    m_dc.ClearRecords();
    m_report.DrawPanelDivision(&m_dc, nullptr, 1, 0, 0);
    m_report.DrawBearingBlock(&m_dc, nullptr, 1, 40);
    EXPECT_EQ(fills(CPrintTable::kCornerFill), 0);
    EXPECT_EQ(fills(CPrintTable::kRowFill), 0);
    EXPECT_EQ(fills(CPrintTable::kColumnFill), 0);
}

TEST_F(InputReportTest, EveryCrossSectionRowHasALabelOfItsOwn)
{
    m_report.DrawCrossSectionDimensions(&m_dc, nullptr, 1, 0, 0);
    QStringList labels;
    for (const CDC::Record& t : Texts())
        if (t.args[0] < m_report.ColumnX(2) + 100 && t.text.contains(QStringLiteral("(")))
            labels << t.text;
    ASSERT_EQ(labels.size(), 26);
    labels.removeDuplicates();
    EXPECT_EQ(labels.size(), 26);
    EXPECT_TRUE(labels.contains(QStringLiteral("H11 左縁石立上 (mm)")));
    EXPECT_TRUE(labels.contains(QStringLiteral("H12 右縁石立上 (mm)")));
}

TEST_F(InputReportTest, SupportPointsOfTheGirderHeightsCarryTheMark)
{
    CSetupHeightDialog& h = *g_pHeightDlg;
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    // One change point in each of the first two spans: supports are points 1, 3, 5 and 6.
    h.m_anPointCount[0] = 1;
    h.m_anPointCount[1] = 1;
    h.m_anPointCount[2] = 0;
    h.m_nPointCols = 6;
    const int rows = g_nGirders + 2;
    int line = m_report.DrawGirderHeights(&m_dc, nullptr, 1, 0, 0);
    EXPECT_EQ(line, 4 + rows + 1);
    line = m_report.DrawGirderHeights(&m_dc, nullptr, 1, line, 5);
    EXPECT_EQ(line, 4 + 2 * (rows + 1));
    for (const char* marked : {"定義点1△", "定義点2", "定義点3△", "定義点4", "定義点5△", "定義点6△"})
        EXPECT_NE(Find(QString::fromUtf8(marked)), nullptr) << marked;
    for (const char* unmarked : {"定義点1", "定義点2△", "定義点4△", "定義点5"})
        EXPECT_EQ(Find(QString::fromUtf8(unmarked)), nullptr) << unmarked;
    int headings = 0;
    for (const CDC::Record& t : Texts())
        headings += t.text == QStringLiteral("【桁高】");
    EXPECT_EQ(headings, 1);
    // A later table moves only when its own rows would cross the page end.
    EXPECT_EQ(m_report.DrawGirderHeights(nullptr, &m_info, 0, 48 - rows - 1, 5), 48 - rows - 1 + rows + 1);
    EXPECT_EQ(m_report.DrawGirderHeights(nullptr, &m_info, 0, 48 - rows, 5), 48 + rows + 1);
}

TEST_F(InputReportTest, CrossBeamLayoutOfTwoSpansOfFourPanelsTakesNineLines)
{
    g_nSpans = 2;
    g_anPanelCount[0] = g_anPanelCount[1] = 4;
    g_nPanelPoints = 9;
    for (int s = 0; s < 2; ++s)
        for (size_t k = 0; k < g_pDoc->m_aSpans[size_t(s)].m_aPanelPoints.size(); ++k)
            g_pDoc->m_aSpans[size_t(s)].m_aPanelPoints[k].m_dInertia = (s + 1) * 0.1 + double(k) * 0.001;
    g_pCrossBeamDlg->m_anMemberKind[4] = 7;
    EXPECT_EQ(m_report.DrawCrossBeamLayoutBlock(&m_dc, nullptr, 1, 10), 10 + 5 + 9);
    EXPECT_NE(Find(QStringLiteral("C  9")), nullptr);
    EXPECT_EQ(Find(QStringLiteral("C 10")), nullptr);
    // The shared support takes the first record of the span that begins there; the last
    // point the last record of the last span.
    auto lineOf = [this](const QString& text) { return Find(text) ? Find(text)->args[1] : 0; };
    EXPECT_EQ(lineOf(QStringLiteral("  0.103000")), lineOf(QStringLiteral("C  4")));
    EXPECT_EQ(lineOf(QStringLiteral("  0.200000")), lineOf(QStringLiteral("C  5")));
    EXPECT_EQ(lineOf(QStringLiteral("  0.204000")), lineOf(QStringLiteral("C  9")));
    EXPECT_EQ(Find(QStringLiteral("  0.104000")), nullptr);
    // A kind outside the four leaves its column empty; the line is printed all the same.
    int kinds = 0;
    for (const CDC::Record& t : Texts())
        kinds += t.args[0] == m_report.ColumnX(7) && t.args[1] != m_report.LineToY(nullptr, 14);
    EXPECT_EQ(kinds, 8);
}

TEST_F(InputReportTest, ImpactCoefficientsOfFourteenSpansMakeSixteenRows)
{
    g_nSpans = 14;
    for (int i = 0; i <= 14; ++i)
        g_pDoc->m_adImpactCoef[i] = 0.2 + i * 0.001;
    EXPECT_EQ(m_report.DrawImpactCoefficientBlock(&m_dc, nullptr, 1, 3), 3 + 4 + 16 + 1);
    EXPECT_EQ(Find(QStringLiteral("【衝撃係数】"))->args[1], m_report.LineToY(nullptr, 5));
    EXPECT_NE(Find(QStringLiteral("第15支点")), nullptr);
    EXPECT_NE(Find(QStringLiteral("0.214")), nullptr);
    EXPECT_EQ(Find(QStringLiteral("第16支点")), nullptr);
    // The table moves whole with its heading.
    EXPECT_EQ(m_report.DrawImpactCoefficientBlock(nullptr, &m_info, 0, 27), 27 + 21);
    EXPECT_EQ(m_report.DrawImpactCoefficientBlock(nullptr, &m_info, 0, 28), 48 + 21);
    // Designs of older versions hold none and print nothing.
    g_pDoc->m_adImpactCoef[0] = -1.0;
    m_dc.ClearRecords();
    EXPECT_EQ(m_report.DrawImpactCoefficientBlock(&m_dc, nullptr, 1, 3), 3);
    EXPECT_TRUE(m_dc.Records().empty());
}

TEST_F(InputReportTest, FittingsNameEveryChoice)
{
    EstimateFittingData& f = g_pDoc->m_dlgEstimate.m_dlgFitting;
    f.m_nRailingType = 2;
    f.m_nCurveSkewCorrection = 0;
    f.m_nMultiSpanCorrection = 9;
    EXPECT_EQ(m_report.DrawAccessoryBlock(&m_dc, nullptr, 1, 0), 8);
    EXPECT_NE(Find(QStringLiteral("：高欄を製作費に含めない")), nullptr);
    EXPECT_EQ(Find(QStringLiteral(" 伸縮継手形式"))->args[1], m_report.LineToY(nullptr, 5));
    // The curve and skew correction's 0 is no choice of its own, unlike the multi-span one's.
    const auto unset = std::count_if(m_dc.Records().begin(), m_dc.Records().end(),
                                     [](const CDC::Record& r) { return r.text == QStringLiteral("：設定値異常"); });
    EXPECT_EQ(unset, 2);
    f.m_nMultiSpanCorrection = 0;
    m_dc.ClearRecords();
    m_report.DrawAccessoryBlock(&m_dc, nullptr, 1, 0);
    EXPECT_NE(Find(QStringLiteral("：自動決定")), nullptr);
    f.m_nCurveSkewCorrection = 7;
    f.m_nRailingType = 1;
    f.m_nRailingPost = 5;
    m_dc.ClearRecords();
    EXPECT_EQ(m_report.DrawAccessoryBlock(&m_dc, nullptr, 1, 0), 9);
    EXPECT_NE(Find(QStringLiteral("：α＜４５度")), nullptr);
    EXPECT_NE(Find(QStringLiteral("：縦さん型")), nullptr);
    // An unknown railing make-up still takes its line, with the colon alone.
    const CDC::Record* post = Find(QStringLiteral("："));
    ASSERT_NE(post, nullptr);
    EXPECT_EQ(post->args, (std::vector<int>{m_report.ColumnX(7), m_report.LineToY(nullptr, 5)}));
}

TEST_F(InputReportTest, GivenBlockTablesKeepWholeAndShowFiveBlocksAWidth)
{
    g_pDoc->m_dlgMainGirder.m_nBlockLengthMode = 1;
    JointPositionData& jp = g_pDoc->m_dlgMainGirder.m_dlgJointPosition;
    for (int g = 0; g < g_nGirders; ++g) {
        jp.m_anBlockCount[g] = g == 0 ? 3 : 7;
        jp.m_apdBlockLength[g].assign(size_t(jp.m_anBlockCount[g]), 12.5);
    }
    const int rows = g_nGirders + 1;
    // Two tables; the second moves when its rows would reach the page end.
    EXPECT_EQ(m_report.DrawGirderBlocks(nullptr, &m_info, 0, 48 - 2 * (rows + 1)), 48);
    EXPECT_EQ(m_report.DrawGirderBlocks(nullptr, &m_info, 0, 48 - 2 * (rows + 1) + 1), 48 + rows + 1);
    EXPECT_EQ(m_report.DrawGirderBlocks(nullptr, nullptr, 0, 48 - 2 * (rows + 1) + 1), 48 + 1);
    m_report.DrawGirderBlocks(&m_dc, nullptr, 1, 0);
    // A girder of three blocks fills three cells of the first table only; the second table
    // heads blocks 6 and 7.
    int cells = 0;
    for (const CDC::Record& t : Texts())
        cells += t.text == QStringLiteral("12500");
    EXPECT_EQ(cells, 3 + (g_nGirders - 1) * 7);
    EXPECT_NE(Find(QStringLiteral("ﾌﾞﾛｯｸ 7")), nullptr);
    EXPECT_EQ(Find(QStringLiteral("ﾌﾞﾛｯｸ 8")), nullptr);
    // Every table is six columns wide: 300 and five of 200.
    const CDC::Record* frame = nullptr;
    for (const CDC::Record& r : m_dc.Records())
        if (r.op == QLatin1String("Rectangle") && r.brushColor != CPrintTable::kCornerFill &&
            r.brushColor != CPrintTable::kRowFill && r.brushColor != CPrintTable::kColumnFill)
            frame = &r;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->args[2] - frame->args[0], 1300);
}
