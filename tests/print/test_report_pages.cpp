// The pages of the report: design conditions, impact coefficients and the section
// calculation table, as the recording DC sees them drawn.
#include "print_fixture.h"

#include "framework/format.h"

#include <cmath>

namespace {

class ReportPagesTest : public PrintTest {
protected:
    static std::vector<CDC::Record> Draw(void (CPrintView::*page)(CDC*, CPrintInfo*), int nPage = 1)
    {
        CDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        CPrintInfo info;
        info.m_nCurPage = UINT(nPage);
        (View().*page)(&dc, &info);
        return dc.Records();
    }
    static const CDC::Record* At(const std::vector<CDC::Record>& records, int x, int y)
    {
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("TextOut") && r.args[0] == x && r.args[1] == y)
                return &r;
        return nullptr;
    }
};

// The section calculation table of a girder: sections chosen, pages counted.
class CalcTablePageTest : public ReportPagesTest {
protected:
    void Open(const char* file)
    {
        OpenExample(file);
        OpenForm();
        View().m_bPrintSectionCalcTable = 1;
        View().CountPages();
    }
    static CGirderDesign& Girder() { return *const_cast<CGirderDesign*>(View().PrintedGirder(0)); }
    // The first girder with n copies of its first section, counted again.
    static void Sections(int n)
    {
        CGirderDesign& g = Girder();
        g.m_pSections.resize(size_t(n), g.m_pSections[0]);
        g.m_nSections = n;
        View().CountPages();
    }
    static std::vector<CDC::Record> Page(int nPageOfGirder)
    {
        return Draw(&CPrintView::PrintSectionCalcTable, View().m_anCalcTableStartPage[0] + nPageOfGirder);
    }
    // The text drawn in a cell of the table (origin 300, -350; columns 430 and 4 x 250; rows 50).
    static QString Cell(const std::vector<CDC::Record>& records, int row, int col)
    {
        CDC dc;
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        const int left = 300 + (col == 0 ? 0 : 430 + 250 * (col - 1));
        const int right = left + (col == 0 ? 430 : 250);
        const int top = -350 - 50 * row;
        QString found;
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("TextOut") || r.args[1] > top || r.args[1] <= top - 50)
                continue;
            const int centre = r.args[0] + dc.GetTextExtent(r.text).cx / 2;
            if (centre >= left && centre < right)
                found = r.text;
        }
        return found;
    }
    static int ThickRulesAt(const std::vector<CDC::Record>& records, int x)
    {
        int n = 0;
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String("LineTo") && r.penWidth == 5 && r.args[0] == x && r.args[2] == x)
                ++n;
        return n;
    }
    // Every section in one block of the girder.
    static void OneBlock()
    {
        auto& sections = Girder().m_pSections;
        for (size_t i = 0; i < sections.size(); ++i) {
            sections[i].m_nJoinPrev = i > 0 ? 1 : 0;
            sections[i].m_nJoinNext = i + 1 < sections.size() ? 1 : 0;
        }
    }
};

}

TEST_F(ReportPagesTest, DesignConditionsOfFourteenSpansEndOnRow34)
{
    dialoginput::ConfirmBasic(QStringLiteral("14"));
    ASSERT_EQ(g_nSpans, 14);
    OpenForm();
    const auto page = Draw(&CPrintView::PrintDesignConditions);
    // Labels at the indent, values eight indents in, row by row 50 apart from the top margin.
    EXPECT_NE(At(page, 300, -1900), nullptr);
    const CDC::Record* last = At(page, 1000, -1900);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->text, QStringLiteral("： 道路橋示方書（国土交通省）"));
    EXPECT_EQ(At(page, 300, -1900)->text, QStringLiteral("・準拠基準"));
    EXPECT_EQ(At(page, 1000, -650)->text, QStringLiteral("： 鋼14径間連続非合成4主鈑桁"));
    double sum = 0.0;
    for (int i = 0; i < 14; ++i) {
        const double length = g_pDoc->m_aSpans[size_t(i)].m_dSpanLength;
        sum += length;
        const CDC::Record* span = At(page, 1000, -(200 + (13 + i) * 50));
        ASSERT_NE(span, nullptr) << i;
        EXPECT_EQ(span->text, AfxFormat("： %8.3f（第%2d支間）", length, i + 1));
    }
    EXPECT_EQ(At(page, 1000, -750)->text, AfxFormat("： %8.3f (支間長合計)", sum));
    EXPECT_EQ(At(page, 1000, -(200 + 32 * 50))->text, AfxFormat("： %5d", g_nCrossSections));
    EXPECT_EQ(At(page, 300, -350)->text, QStringLiteral("『") + g_pDoc->m_dlgBasic.m_strTitle + QStringLiteral("』"));
    // In its page frame, titled.
    EXPECT_TRUE(std::any_of(page.begin(), page.end(), [](const CDC::Record& r) {
        return r.op == QLatin1String("TextOut") && r.text.endsWith(QStringLiteral("_設計条件"));
    }));
}

TEST_F(ReportPagesTest, DesignConditionsNameTheFormLengthAndLoading)
{
    OpenExample("box1_1span.mvl");
    OpenForm();
    CMarivoltenDoc& doc = *g_pDoc;
    doc.m_dlgSpan.m_dBridgeLength = 51250.0;
    doc.m_dlgBasic.m_nLiveLoad = 4;
    const auto page = Draw(&CPrintView::PrintDesignConditions);
    EXPECT_EQ(At(page, 1000, -650)->text, QStringLiteral("： 鋼単純非合成1主箱桁"));
    // An entered length is printed in metres without the remark.
    EXPECT_EQ(At(page, 1000, -750)->text, QStringLiteral("：   51.250"));
    // No live load: the class has no value.
    const int row = -(200 + (14 + 1) * 50);
    EXPECT_EQ(At(page, 300, row)->text, QStringLiteral("・橋  格"));
    EXPECT_EQ(At(page, 1000, row), nullptr);
}

TEST_F(ReportPagesTest, ImpactCoefficientsOfEverySupport)
{
    OpenExample("box1_1span.mvl");
    OpenForm();
    ASSERT_EQ(g_nSpans, 1);
    g_pDoc->m_adImpactCoef[0] = -1.0;
    g_pDoc->m_adImpactCoef[1] = 0.25;
    const auto page = Draw(&CPrintView::PrintImpactCoefficients);
    // The heading and two supports: three rows of 70 under two columns of 300.
    const CDC::Record* frame = nullptr;
    for (const CDC::Record& r : page)
        if (r.op == QLatin1String("Rectangle") && r.args[0] == 300)
            frame = &r;
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->args, (std::vector<int>{300, -350, 900, -560}));
    std::vector<QString> texts;
    for (const CDC::Record& r : page)
        if (r.op == QLatin1String("TextOut") && r.args[1] <= -350 && !r.text.isEmpty())
            texts.push_back(r.text);
    EXPECT_EQ(texts, (std::vector<QString>{QStringLiteral("衝撃係数"), QStringLiteral("第 1支点"),
                                           QStringLiteral("-1.000"), QStringLiteral("第 2支点"),
                                           QStringLiteral("0.250")}));
}

TEST_F(CalcTablePageTest, FiveSectionsTakeTwoPagesTheSecondWithOneColumn)
{
    Open("plate_3span_skew.mvl");
    Sections(5);
    EXPECT_EQ(View().m_anCalcTablePages[0], 2);
    const auto first = Page(0), second = Page(1);
    EXPECT_EQ(Cell(first, 0, 0), QStringLiteral("主桁 G1"));
    for (int c = 1; c <= 4; ++c)
        EXPECT_EQ(Cell(first, 0, c), AfxFormat("%d", c));
    EXPECT_EQ(Cell(second, 0, 1), QStringLiteral("5"));
    // The rest of the last page is ruled but empty.
    for (int c = 2; c <= 4; ++c)
        for (int r = 0; r < 38; ++r)
            EXPECT_TRUE(Cell(second, r, c).isEmpty()) << r << "," << c;
    int rules = 0;
    for (const CDC::Record& r : second)
        rules += r.op == QLatin1String("LineTo") ? 1 : 0;
    EXPECT_EQ(rules, 38 + 5);
    // The labels on every page.
    EXPECT_EQ(Cell(second, 8, 0), QStringLiteral("断面長           (mm)"));
    EXPECT_EQ(Cell(second, 37, 0), QStringLiteral("合成応力度(C)         "));
    EXPECT_TRUE(Cell(second, 38, 0).isEmpty());
}

TEST_F(CalcTablePageTest, ValuesInTheTablesUnits)
{
    Open("plate_3span_skew.mvl");
    CSectionRecord& s = Girder().m_pSections[0];
    s.m_adM[0] = 0.0;
    s.m_adM[1] = 123.44;
    s.m_adM[2] = 0.0;
    s.m_adS[2] = 5e-21;
    g_bSIUnits = 1;
    auto page = Page(0);
    EXPECT_EQ(Cell(page, 1, 0), QStringLiteral("ﾓｰﾒﾝﾄ M    (L) (kN･m)"));
    EXPECT_EQ(Cell(page, 1, 1), QStringLiteral("       0.0"));
    EXPECT_EQ(Cell(page, 2, 1), AfxFormat("%10.1f", 123.44 * 9.80665));
    EXPECT_EQ(Cell(page, 3, 1), QStringLiteral("－"));
    EXPECT_EQ(Cell(page, 7, 1), QStringLiteral("－"));
    EXPECT_EQ(Cell(page, 8, 1), AfxFormat("%9.0f", s.m_dLength * 1000.0));
    EXPECT_EQ(Cell(page, 9, 1), g_szSteelGrades9[s.m_nGradeUpper]);
    EXPECT_EQ(Cell(page, 24, 1), AfxFormat("%9.0f", s.m_dI * 100000000.0));
    EXPECT_EQ(Cell(page, 26, 0), QStringLiteral("σU,σUa  (L)  (N/mm2)"));
    g_bSIUnits = 0;
    page = Page(0);
    EXPECT_EQ(Cell(page, 1, 0), QStringLiteral("ﾓｰﾒﾝﾄ M    (L)  (t･m)"));
    EXPECT_EQ(Cell(page, 2, 1), QStringLiteral("     123.4"));
    EXPECT_EQ(Cell(page, 26, 0), QStringLiteral("σU,σUa  (L) (kg/cm2)"));
    g_bSIUnits = 1;
}

TEST_F(CalcTablePageTest, AStressEqualToItsAllowablePasses)
{
    Open("plate_3span_skew.mvl");
    CSectionRecord& s = Girder().m_pSections[0];
    const CGirderDesign& g = Girder();
    const double web = s.m_nWebs * s.m_dHWeb * s.m_dTWeb;
    const double ta = s.GetAllowableShearStress();
    // Shear at L exactly at its allowable; at R a combined ratio of exactly 1.2.
    s.m_adS[0] = ta * web;
    const double flange = std::max(s.GetUpperFlangeStress(g, 1) / s.GetUpperAllowableStress(g, 1),
                                   s.GetLowerFlangeStress(g, 1) / s.GetLowerAllowableStress(g, 1));
    ASSERT_LT(flange * flange, 1.2);
    s.m_adS[1] = ta * std::sqrt(1.2 - flange * flange) * web;
    // Equal but for the last bit of the arithmetic.
    while (std::fabs(s.GetShearStress(0)) <= ta)
        s.m_adS[0] = std::nextafter(s.m_adS[0], 1e300);
    while (s.GetCombinedStressRatio(g, 1) <= 1.2)
        s.m_adS[1] = std::nextafter(s.m_adS[1], 1e300);
    ASSERT_LT(s.GetCombinedStressRatio(g, 1) - 1.2, 1e-12);
    auto page = Page(0);
    const double shown = s.GetAllowableShearStress() / 10.0 * 9.80665 / 100.0;
    EXPECT_EQ(Cell(page, 28, 1), AfxFormat("%7.1f≦%5.1f", shown, shown));
    EXPECT_EQ(Cell(page, 33, 1), QStringLiteral("  1.20≦  1.2"));
    // A little more does not.
    s.m_adS[0] *= 1.001;
    s.m_adS[1] *= 1.001;
    page = Page(0);
    EXPECT_TRUE(Cell(page, 28, 1).contains(QStringLiteral("＞")));
    EXPECT_TRUE(Cell(page, 33, 1).contains(QStringLiteral("＞")));
}

TEST_F(CalcTablePageTest, BoxWidthsShowTheirEffectiveWidth)
{
    Open("box2_2span.mvl");
    ASSERT_EQ(g_nBridgeType, 1);
    CSectionRecord& s = Girder().m_pSections[0];
    s.m_dBUpper = 0.52;
    for (double& w : s.m_adBEff[0])
        w = 0.48;
    const auto page = Page(0);
    EXPECT_EQ(Cell(page, 12, 1), QStringLiteral("      520(480)"));
    EXPECT_EQ(Cell(page, 12, 0), QStringLiteral("上ﾌﾗﾝｼﾞ幅(有効幅)(mm)"));
    EXPECT_EQ(Cell(page, 43, 0), QStringLiteral("下縦ﾘﾌﾞ数(有効数L,C,R)"));
    EXPECT_EQ(Cell(page, 40, 1), AfxFormat("%d(%d,%d,%d)", s.m_nRibsUpper, s.GetEffectiveRibCount(Girder(), 0, 0),
                                           s.GetEffectiveRibCount(Girder(), 2, 0),
                                           s.GetEffectiveRibCount(Girder(), 1, 0)));
}

TEST_F(CalcTablePageTest, ASingleBoxPrintsItsOneDesignAsGirderOne)
{
    Open("box1_1span.mvl");
    ASSERT_EQ(g_nBridgeType, 2);
    CPrintView& v = View();
    EXPECT_EQ(v.PrintedGirderCount(), 1);
    EXPECT_EQ(v.PrintedGirder(0), &g_pDoc->m_pGirders[1]);
    EXPECT_EQ(v.m_anCalcTablePages[0], (g_pDoc->m_pGirders[1].m_nSections + 3) / 4);
    EXPECT_EQ(v.m_anCalcTablePages[1], 0);
    EXPECT_EQ(v.m_anSectionPages[CPrintView::RS_CALC_TABLE], v.m_anCalcTablePages[0]);
    const auto page = Page(0);
    EXPECT_EQ(Cell(page, 0, 0), QStringLiteral("主桁 G1"));
    EXPECT_EQ(Cell(page, 8, 1), AfxFormat("%9.0f", g_pDoc->m_pGirders[1].m_pSections[0].m_dLength * 1000.0));
}

TEST_F(CalcTablePageTest, AVaryingHeightPrintsABlocksPlatesOnce)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    Sections(6);
    OneBlock();
    auto& sections = Girder().m_pSections;
    for (size_t i = 0; i < sections.size(); ++i) {
        sections[i].m_dMr = 500.0 - double(i);
        sections[i].m_dHWeb = 2.0 + 0.1 * double(i);
    }
    g_bSIUnits = 0;
    const auto first = Page(0), second = Page(1);
    g_bSIUnits = 1;
    EXPECT_EQ(Cell(first, 0, 1), QStringLiteral("1 - 1"));
    EXPECT_EQ(Cell(first, 0, 4), QStringLiteral("1 - 4"));
    // The block's start has the thick rule, its plates and the least resisting moment.
    EXPECT_EQ(ThickRulesAt(first, 730), 1);
    EXPECT_EQ(Cell(first, 4, 1), QStringLiteral("     495.0"));
    EXPECT_EQ(Cell(first, 4, 2), QStringLiteral("－"));
    EXPECT_EQ(Cell(first, 9, 2), QStringLiteral("←"));
    EXPECT_EQ(Cell(first, 20, 2), QStringLiteral("←"));
    EXPECT_EQ(Cell(first, 16, 2), QStringLiteral("     2100"));
    // A page that begins inside the block.
    EXPECT_EQ(Cell(second, 0, 1), QStringLiteral("1 - 5"));
    EXPECT_EQ(ThickRulesAt(second, 730), 0);
    EXPECT_EQ(Cell(second, 4, 1), QStringLiteral("－"));
    EXPECT_EQ(Cell(second, 13, 1), QStringLiteral("←"));
    EXPECT_EQ(Cell(second, 21, 1), AfxFormat("%9.3f", sections[4].GetHoleStressFactor(0)));
}

TEST_F(CalcTablePageTest, AConstantHeightNumbersTheSections)
{
    Open("plate_3span_skew.mvl");
    ASSERT_EQ(g_pDoc->m_dlgBasic.m_nHeightVariation, 1);
    Sections(4);
    OneBlock();
    auto& sections = Girder().m_pSections;
    for (size_t i = 0; i < sections.size(); ++i)
        sections[i].m_dMr = 300.0 + double(i);
    g_bSIUnits = 0;
    const auto page = Page(0);
    g_bSIUnits = 1;
    for (int c = 1; c <= 4; ++c) {
        EXPECT_EQ(Cell(page, 0, c), AfxFormat("%d", c));
        EXPECT_EQ(Cell(page, 4, c), QStringLiteral("     300.0"));
        EXPECT_NE(Cell(page, 9, c), QStringLiteral("←"));
    }
    for (int x : {730, 980, 1230, 1480})
        EXPECT_EQ(ThickRulesAt(page, x), 0);
}
