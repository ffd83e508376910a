// The frame of the batch report: text lines and their pages, page counts of the sections,
// the section numbers and headings, the contents and the cover, and the jobs that are refused.
#include "print_fixture.h"

#include "app/small_dialogs.h"
#include "framework/format.h"

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

namespace {

class ReportFrameTest : public PrintTest {
protected:
    void SetUp() override
    {
        PrintTest::SetUp();
        OpenExample("plate_3span_skew.mvl");
        OpenForm();
    }
    // Boxes checked by hand, read into the view as a click does.
    static void Select(std::initializer_list<int> boxes)
    {
        for (int id : boxes)
            Box(id).SetCheck(1);
        View().UpdateData(TRUE);
    }
    static int CalcTablePages()
    {
        int pages = 0;
        for (int g = 0; g < g_nGirders; ++g)
            pages += (g_pDoc->m_pGirders[g].m_nSections + 3) / 4;
        return pages;
    }
    static const CDC::Record* TextStarting(const std::vector<CDC::Record>& records, const QString& start)
    {
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("TextOut") && r.text.startsWith(start))
                return &r;
        return nullptr;
    }
    static bool HasFrame(const std::vector<CDC::Record>& records)
    {
        return std::any_of(records.begin(), records.end(), [](const CDC::Record& r) {
            return r.op == QLatin1String("Rectangle") && r.args[0] == 200 && r.args[1] == -190;
        });
    }
};

}

TEST_F(ReportFrameTest, TextLinesLieFortyEightToAPage)
{
    CPrintView& v = View();
    CPrintInfo info;
    EXPECT_EQ(v.LineToY(&info, 0), -300);
    EXPECT_EQ(v.LineToY(&info, 47), -2650);
    EXPECT_EQ(v.LineToY(&info, 48), -300);
    EXPECT_EQ(v.LineToY(nullptr, 48), -2700);
    EXPECT_EQ(v.RowToY(34), -1900);

    // Counting draws nothing; drawing takes the lines of the current page.
    EXPECT_EQ(v.IsLineOnPage(nullptr, 0, 5), 0);
    EXPECT_EQ(v.IsLineOnPage(nullptr, 1, 5), 1);
    info.m_nCurPage = 2;
    EXPECT_EQ(v.IsLineOnPage(&info, 1, 48), 1);
    EXPECT_EQ(v.IsLineOnPage(&info, 1, 95), 1);
    EXPECT_EQ(v.IsLineOnPage(&info, 1, 47), 0);
    EXPECT_EQ(v.IsLineOnPage(&info, 1, 96), 0);
    EXPECT_EQ(v.IsLineOnPage(&info, 0, 48), 0);
    info.m_nCurPage = 1;
    EXPECT_EQ(v.IsLineOnPage(&info, 1, -1), 0);
}

TEST_F(ReportFrameTest, PagesCoverTheLastRowWithoutABlankPage)
{
    EXPECT_EQ(CPrintView::PagesFor(0, 32), 0);
    EXPECT_EQ(CPrintView::PagesFor(1, 32), 1);
    EXPECT_EQ(CPrintView::PagesFor(32, 32), 1);
    EXPECT_EQ(CPrintView::PagesFor(33, 32), 2);
    EXPECT_EQ(CPrintView::PagesFor(48, 48), 1);
    EXPECT_EQ(CPrintView::PagesFor(-20, 48), 0);
    EXPECT_EQ(CPrintView::PagesFor(5, 0), 0);
}

TEST_F(ReportFrameTest, SectionsFollowEachOtherFromTheCover)
{
    Select({IDC_PR_COVER, IDC_PR_CONTENTS, IDC_PR_DESIGN, IDC_PR_CALC_TABLE});
    CPrintView& v = View();
    const int total = v.CountPages();
    EXPECT_EQ(total, 3 + CalcTablePages());
    EXPECT_EQ(v.m_anSectionStart[CPrintView::RS_COVER], 1);
    EXPECT_EQ(v.m_anSectionStart[CPrintView::RS_CONTENTS], 2);
    EXPECT_EQ(v.m_anSectionStart[CPrintView::RS_DESIGN_CONDITIONS], 3);
    EXPECT_EQ(v.m_anSectionStart[CPrintView::RS_CALC_TABLE], 4);
    for (int s = 1; s < CPrintView::RS_COUNT; ++s)
        EXPECT_EQ(v.m_anSectionStart[s], v.m_anSectionStart[s - 1] + v.m_anSectionPages[s - 1]) << s;
    EXPECT_EQ(v.SectionOfPage(1), CPrintView::RS_COVER);
    EXPECT_EQ(v.SectionOfPage(4), CPrintView::RS_CALC_TABLE);
    EXPECT_EQ(v.SectionOfPage(total), CPrintView::RS_CALC_TABLE);
    EXPECT_EQ(v.SectionOfPage(total + 1), -1);
    // Each girder's table goes on where the last one ended.
    for (int g = 0; g < g_nGirders; ++g) {
        EXPECT_EQ(v.m_anCalcTablePages[g], (g_pDoc->m_pGirders[g].m_nSections + 3) / 4);
        if (g > 0) {
            EXPECT_EQ(v.m_anCalcTableStartPage[g], v.m_anCalcTableStartPage[g - 1] + v.m_anCalcTablePages[g - 1]);
        }
    }
}

TEST_F(ReportFrameTest, CoverIsUnnumberedAndTheContentsListTheFooterPages)
{
    Select({IDC_PR_COVER, IDC_PR_CONTENTS, IDC_PR_DESIGN, IDC_PR_CALC_TABLE});
    View().CountPages();

    const auto cover = PrintPage(1);
    EXPECT_NE(FindText(cover, QStringLiteral("「") + g_pDoc->m_dlgBasic.m_strTitle + QStringLiteral("」")), nullptr);
    EXPECT_NE(FindText(cover, QStringLiteral("【計算書】")), nullptr);
    EXPECT_EQ(TextStarting(cover, QStringLiteral("- ")), nullptr);
    EXPECT_EQ(TextStarting(cover, QStringLiteral("§")), nullptr);
    EXPECT_FALSE(HasFrame(cover));
    // Centred on the page, on text line 17.
    const CDC::Record* report = FindText(cover, QStringLiteral("【計算書】"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->args[1], -(200 + 19 * 50));
    EXPECT_EQ(report->fontHeight, 64);

    const auto contents = PrintPage(2);
    const CDC::Record* title = FindText(contents, QStringLiteral("目次"));
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->args[1], -300);
    EXPECT_EQ(title->fontHeight, 80);
    const CDC::Record* first = FindText(contents, QStringLiteral(" 1．設計条件・・・・・・・・・・・・・・・・・  2"));
    const CDC::Record* second = FindText(contents, QStringLiteral(" 2．断面計算表・・・・・・・・・・・・・・・・  3"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->args, (std::vector<int>{500, -(200 + 5 * 50)}));
    EXPECT_EQ(second->args[1], -(200 + 7 * 50));
    EXPECT_EQ(first->fontHeight, 40);
    EXPECT_NE(FindText(contents, QStringLiteral("- 1 -")), nullptr);
    EXPECT_EQ(TextStarting(contents, QStringLiteral("§")), nullptr);

    // The first section: numbered 2 by its footer, headed as section 1.
    const auto design = PrintPage(3);
    EXPECT_NE(FindText(design, QStringLiteral("- 2 -")), nullptr);
    const CDC::Record* heading = FindText(design, QStringLiteral("§ 1 設計条件"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->args[0], 210);
    EXPECT_EQ(heading->fontHeight, 40);
    EXPECT_EQ(heading->fontWeight, 700);
    CDC dc;
    CFont font;
    font.CreateFont(40, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ ゴシック"));
    dc.SetMapMode(MM_LOMETRIC);
    dc.SelectObject(&font);
    EXPECT_EQ(heading->args[1], -(200 + 2 * dc.GetTextExtent(heading->text).cy) + 20);

    // The second section's first page only.
    EXPECT_NE(FindText(PrintPage(4), QStringLiteral("§ 2 断面計算表")), nullptr);
    EXPECT_EQ(TextStarting(PrintPage(5), QStringLiteral("§")), nullptr);
}

TEST_F(ReportFrameTest, WithoutCoverAndContentsTheFirstSectionOpensTheJob)
{
    Select({IDC_PR_DESIGN});
    EXPECT_EQ(View().CountPages(), 1);
    const auto page = PrintPage(1);
    EXPECT_NE(FindText(page, QStringLiteral("§ 1 設計条件")), nullptr);
    EXPECT_NE(FindText(page, QStringLiteral("- 1 -")), nullptr);
    EXPECT_TRUE(HasFrame(page));

    // Without section numbers the heading keeps its place behind five blanks.
    const int x = FindText(page, QStringLiteral("§ 1 設計条件"))->args[0];
    Box(IDC_PR_SECTION_NUMBERS).Click();
    EXPECT_EQ(View().m_bShowSectionNumbers, 0);
    const auto unnumbered = PrintPage(1);
    const CDC::Record* plain = FindText(unnumbered, QStringLiteral("     設計条件"));
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->args[0], x);

    // Without page numbers there is no footer.
    Box(IDC_PR_PAGE_NUMBERS).Click();
    EXPECT_EQ(TextStarting(PrintPage(1), QStringLiteral("- ")), nullptr);
}

TEST_F(ReportFrameTest, OnlySectionsWithPagesAreNumberedAndListed)
{
    // The deflections are not printed by this program yet: they take no page, no number
    // and no line of the contents.
    Select({IDC_PR_CONTENTS, IDC_PR_DESIGN, IDC_PR_DEFLECTION, IDC_PR_CALC_TABLE});
    CPrintView& v = View();
    v.CountPages();
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_DEFLECTION], 0);
    const auto contents = PrintPage(1);
    EXPECT_NE(FindText(contents, QStringLiteral(" 2．断面計算表・・・・・・・・・・・・・・・・  3")), nullptr);
    EXPECT_EQ(TextStarting(contents, QStringLiteral(" 3．")), nullptr);
    EXPECT_EQ(std::count_if(contents.begin(), contents.end(), [](const CDC::Record& r) {
                  return r.op == QLatin1String("TextOut") && r.text.contains(QStringLiteral("．"));
              }),
              2);
    EXPECT_NE(FindText(PrintPage(3), QStringLiteral("§ 2 断面計算表")), nullptr);
}

TEST_F(ReportFrameTest, MassNamesFollowTheUnitSystem)
{
    g_bSIUnits = 1;
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_MASS_SUMMARY), QStringLiteral("質量集計表"));
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_MASS_BREAKDOWN), QStringLiteral("質量内訳表"));
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_MASS_BY_GRADE), QStringLiteral("規格別質量内訳表"));
    g_bSIUnits = 0;
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_MASS_SUMMARY), QStringLiteral("重量集計表"));
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_MASS_BY_GRADE), QStringLiteral("規格別重量内訳表"));
    EXPECT_EQ(AfxFormat(CPrintView::ContentsEntry(CPrintView::RS_MASS_BREAKDOWN), 3, 12),
              QStringLiteral(" 3．重量内訳表・・・・・・・・・・・・・・・・ 12"));
    EXPECT_EQ(AfxFormat(CPrintView::ContentsEntry(CPrintView::RS_CALC_TABLE), 2, 3),
              QStringLiteral(" 2．断面計算表・・・・・・・・・・・・・・・・  3"));
    EXPECT_EQ(CPrintView::SectionName(CPrintView::RS_STIFFNESS), QStringLiteral("曲げ剛度ねじり剛度"));
    g_bSIUnits = 1;
}

TEST_F(ReportFrameTest, ReactionRowsAndTableCountsFollowTheDesign)
{
    CPrintView& v = View();
    v.CountPages();
    // Five girders over four supports.
    ASSERT_EQ(g_nGirders, 5);
    ASSERT_EQ(g_nSpans, 3);
    EXPECT_EQ(v.m_nReactionSummaryRows, 4 * (5 + 3) + 2);
    EXPECT_EQ(v.m_nReactionDetailRows, (5 + 3) * 5 * 4);

    // Four sections to a page: a fifth opens a page, a ninth a third one.
    Select({IDC_PR_CALC_TABLE});
    CGirderDesign& g = g_pDoc->m_pGirders[0];
    for (const auto& [sections, pages] : {std::pair{5, 2}, {9, 3}, {8, 2}, {4, 1}, {1, 1}}) {
        g.m_pSections.resize(size_t(sections), g.m_pSections[0]);
        g.m_nSections = sections;
        v.CountPages();
        EXPECT_EQ(v.m_anCalcTablePages[0], pages) << sections;
        EXPECT_EQ(v.m_anCalcTableStartPage[1], v.m_anCalcTableStartPage[0] + pages);
    }
}

TEST_F(ReportFrameTest, BoxesTheDesignDisallowsPrintNothing)
{
    CPrintView& v = View();
    CMarivoltenDoc& doc = *g_pDoc;
    // B live load with T+L: no reaction detail, whatever the results hold.
    ASSERT_EQ(doc.m_dlgBasic.m_nLiveLoad, 3);
    doc.m_pGirders[0].m_anDetailNode[0][0] = 7;
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_REACTION_DETAIL));
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_NO_IMPACT));
    doc.m_dlgBasic.m_nLiveLoad = 1;
    EXPECT_TRUE(v.IsBoxAllowed(IDC_PR_REACTION_DETAIL));
    EXPECT_TRUE(v.IsBoxAllowed(IDC_PR_NO_IMPACT));
    // Results of an older format hold no detail.
    doc.m_pGirders[0].m_anDetailNode[0][0] = -1;
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_NO_IMPACT));

    EXPECT_TRUE(v.IsBoxAllowed(IDC_PR_STIFFNESS));
    doc.m_pGirders[0].m_pSections[0].m_dAssumedArea = -1.0;
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_STIFFNESS));
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_STEEL_WEIGHT));

    doc.m_bDetailDataAvailable = 0;
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_FORCE_DETAIL));
    ASSERT_EQ(doc.m_dlgBasic.m_nHeightVariation, 1);
    EXPECT_FALSE(v.IsBoxAllowed(IDC_PR_LONGITUDINAL));
    for (int hidden : {IDC_PR_SUBSTRUCTURE, IDC_PR_AREA_RATIO, IDC_PR_IMPACT})
        EXPECT_FALSE(v.IsBoxAllowed(hidden));

    // A box left on while it was allowed counts no pages once the design disallows it.
    v.m_bPrintImpactCoefficients = 1;
    v.m_bPrintDesignConditions = 1;
    EXPECT_EQ(v.CountPages(), 1);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_IMPACT], 0);
}

TEST_F(ReportFrameTest, AJobWithoutPagesIsRefusedWithAWord)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("none.pdf"));
    EXPECT_FALSE(AfxPrintView(&View(), PrintMode::Pdf, pdf));
    EXPECT_EQ(m_shown, QStringList{QStringLiteral("印刷するページがありません。\n印刷する項目を選択して下さい。")});
    EXPECT_FALSE(QFile::exists(pdf));

    // Sections that print nothing yet make no job either.
    m_shown.clear();
    Select({IDC_PR_DEFLECTION, IDC_PR_LOADS});
    EXPECT_FALSE(AfxPrintView(&View(), PrintMode::Preview));
    EXPECT_EQ(m_shown.size(), 1);
}

TEST_F(ReportFrameTest, ADesignWithoutResultsPrintsNothing)
{
    Command(ID_INVALIDATE_RESULTS);
    Answer({IDOK});
    if (g_pDoc->m_pGirders) {
        Answer({IDOK});
        g_pDoc->InvalidateResults();
    }
    ASSERT_EQ(g_pDoc->m_pGirders, nullptr);
    m_shown.clear();
    Select({IDC_PR_DESIGN});
    QTemporaryDir dir;
    EXPECT_FALSE(AfxPrintView(&View(), PrintMode::Pdf, dir.filePath(QStringLiteral("none.pdf"))));
    EXPECT_EQ(m_shown,
              QStringList{QStringLiteral("格子計算、断面計算の結果がありません。\n格子計算をしてから印刷して下さい。")});
    // A page asked for all the same stays blank.
    EXPECT_TRUE(PrintPage(1).empty());
}
