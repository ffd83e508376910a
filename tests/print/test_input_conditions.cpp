// The input conditions of the batch report: the section after the cover and the contents,
// its page count from the lines it takes, its pages drawn line for line as counted, and the
// design left as it was.
#include "print_fixture.h"

#include "app/small_dialogs.h"
#include "framework/format.h"
#include "views/input_report.h"

#include <algorithm>
#include <set>

namespace {

class InputConditionsTest : public PrintTest {
protected:
    // The example with only the input conditions chosen, and the cover and contents as asked.
    void Open(const char* file, bool cover = true, bool contents = true)
    {
        OpenExample(file);
        CPrintView& v = OpenForm();
        v.m_bPrintInputConditions = 1;
        v.m_bPrintCover = cover ? 1 : 0;
        v.m_bPrintContents = contents ? 1 : 0;
        v.m_bShadeHeadings = 1;
        v.CountPages();
    }
    static int Pages() { return View().m_anSectionPages[CPrintView::RS_INPUT_CONDITIONS]; }
    static int FirstPage() { return View().m_anSectionStart[CPrintView::RS_INPUT_CONDITIONS]; }
    // The texts of the section's pages as printed, page after page.
    static std::vector<std::vector<CDC::Record>> SectionPages()
    {
        std::vector<std::vector<CDC::Record>> out;
        for (int p = FirstPage(); p < FirstPage() + Pages(); ++p)
            out.push_back(PrintPage(p));
        return out;
    }
    static int Count(const std::vector<std::vector<CDC::Record>>& pages, const QString& text)
    {
        int n = 0;
        for (const auto& page : pages)
            n += int(std::count_if(page.begin(), page.end(), [&](const CDC::Record& r) {
                return r.op == QLatin1String("TextOut") && r.text == text;
            }));
        return n;
    }
};

}

TEST_F(InputConditionsTest, TheSectionFollowsCoverAndContentsOnTheLinesItCounts)
{
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl"}) {
        SCOPED_TRACE(file);
        Open(file);
        CPrintView& v = View();
        EXPECT_EQ(FirstPage(), 3);
        ASSERT_GT(Pages(), 1);
        // The last line counted lies on the section's last page.
        CPrintInfo paged;
        const int last = v.PrintInputConditions(nullptr, &paged, 0);
        EXPECT_EQ((last - 48) / 48 + 1, Pages());
        const auto pages = SectionPages();
        for (size_t p = 0; p < pages.size(); ++p) {
            // Every page carries its frame and its title; no text runs below the 48th line.
            const auto& records = pages[p];
            EXPECT_NE(FindText(records, g_pDoc->GetTitle() + QStringLiteral("_入力条件")), nullptr) << p;
            EXPECT_TRUE(std::any_of(records.begin(), records.end(), [](const CDC::Record& r) {
                return r.op == QLatin1String("Rectangle") && r.args == std::vector<int>{200, -190, 1890, -2700};
            })) << p;
            // Texts, rules and tables stay inside the frame; below it only the footer.
            for (const CDC::Record& r : records) {
                if (r.op == QLatin1String("TextOut") && !r.text.startsWith(QStringLiteral("- ")) &&
                    r.text != GetCompanyName()) {
                    EXPECT_GE(r.args[1] - r.fontHeight, -2700) << r.text.toStdString();
                } else if (r.op == QLatin1String("LineTo") || r.op == QLatin1String("MoveTo")) {
                    EXPECT_GE(r.args[1], -2700);
                } else if (r.op == QLatin1String("Rectangle")) {
                    EXPECT_GE(std::min(r.args[1], r.args[3]), -2700);
                }
            }
            // The last page holds the last block.
            EXPECT_EQ(FindText(records, QStringLiteral("【衝撃係数】")) != nullptr, p + 1 == pages.size()) << p;
        }
        // Every block heading is drawn once, on some page of the section.
        for (const char* heading : {"【基本条件】", "【パネル割】", "【横断面寸法】", "【主桁基本データ】",
                                    "【主桁基本データ２】", "【主部材基本データ】", "【死荷重】", "【添架物】",
                                    "【ハンチ、仮定鋼重】", "【割増係数、単位質量、横桁構造】", "【工数単価】",
                                    "【鋼材単価】", "【付属品形式、補正】", "【支承】", "【衝撃係数】"})
            EXPECT_EQ(Count(pages, QString::fromUtf8(heading)), 1) << heading;
        EXPECT_EQ(Count(pages, QStringLiteral("【横桁配置】")), g_nBridgeType == 2 ? 0 : 1);
        // The section's heading stands on its first page only.
        EXPECT_NE(FindText(pages.front(), QStringLiteral("§ 1 入力条件")), nullptr);
        EXPECT_EQ(FindText(pages.back(), QStringLiteral("§ 1 入力条件")), nullptr);
        // The page after the section belongs to the next one.
        EXPECT_EQ(FindText(PrintPage(FirstPage() + Pages()), QStringLiteral("【基本条件】")), nullptr);
    }
}

TEST_F(InputConditionsTest, CoverAndContentsMoveTheSectionWithoutChangingItsPages)
{
    Open("box2_2span.mvl");
    const int pages = Pages();
    const auto withCover = SectionPages();
    for (const auto& [cover, contents] : {std::pair{false, true}, std::pair{true, false}, std::pair{false, false}}) {
        CPrintView& v = View();
        v.m_bPrintCover = cover;
        v.m_bPrintContents = contents;
        v.CountPages();
        EXPECT_EQ(Pages(), pages);
        EXPECT_EQ(FirstPage(), 1 + int(cover) + int(contents));
        // The same lines on the same pages, page after page.
        const auto moved = SectionPages();
        ASSERT_EQ(moved.size(), withCover.size());
        for (size_t p = 0; p < moved.size(); ++p) {
            std::multiset<QString> a, b;
            for (const CDC::Record& r : withCover[p])
                if (r.op == QLatin1String("TextOut") && !r.text.startsWith(QStringLiteral("- ")))
                    a.insert(r.text + AfxFormat("@%d", r.args[1]));
            for (const CDC::Record& r : moved[p])
                if (r.op == QLatin1String("TextOut") && !r.text.startsWith(QStringLiteral("- ")))
                    b.insert(r.text + AfxFormat("@%d", r.args[1]));
            EXPECT_TRUE(a == b) << "page " << p + 1;
        }
    }
}

TEST_F(InputConditionsTest, OldOverheadMethodEndsTheSectionWithBearingsAndImpact)
{
    Open("plate_3span_skew.mvl");
    CPrintView& v = View();
    CPrintInfo paged;
    const int withOverheads = v.PrintInputConditions(nullptr, &paged, 0);
    g_pDoc->m_dlgEstimate.m_dlgOverhead.m_nCostMethod = 0;
    const int without = v.PrintInputConditions(nullptr, &paged, 0);
    EXPECT_EQ(withOverheads - without, 8);
    v.CountPages();
    const auto pages = SectionPages();
    EXPECT_EQ(Count(pages, QStringLiteral("【一般管理費・共通仮設費・現場管理費】")), 0);
    // Impact coefficients follow the bearing price after two free lines, or head the next
    // page when their table would not fit.
    int pricePage = -1, priceY = 0, impactPage = -1, impactY = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        if (const CDC::Record* r = FindText(pages[p], QStringLiteral(" ゴム支承見積価格"))) {
            pricePage = int(p);
            priceY = r->args[1];
        }
        if (const CDC::Record* r = FindText(pages[p], QStringLiteral("【衝撃係数】"))) {
            impactPage = int(p);
            impactY = r->args[1];
        }
    }
    ASSERT_GE(pricePage, 0);
    if (impactPage == pricePage)
        EXPECT_EQ(priceY - impactY, 3 * 50);
    else
        EXPECT_TRUE(impactPage == pricePage + 1 && impactY == v.LineToY(&paged, 2));
    EXPECT_EQ(impactPage, int(pages.size()) - 1);
}

TEST_F(InputConditionsTest, BearingsShowTheLargestGirderReactionAndWriteNothing)
{
    Open("plate_3span_skew.mvl");
    CMarivoltenDoc& doc = *g_pDoc;
    // Every girder pulls at the first support; the middle support's largest is known.
    for (int g = 0; g < g_nGirders; ++g) {
        doc.m_pGirders[g].m_adMaxReaction[0] = -5.0 - g;
        doc.m_pGirders[g].m_adMaxReaction[1] = 100.0 + g;
    }
    for (double& r : doc.m_adSupportMaxReaction)
        r = 123.0;
    EXPECT_EQ(CInputReport::SupportMaxReaction(doc, 0), 0.0);
    EXPECT_EQ(CInputReport::SupportMaxReaction(doc, 1), 100.0 + g_nGirders - 1);
    View().CountPages();
    const auto pages = SectionPages();
    EXPECT_EQ(Count(pages, QStringLiteral("     0.00")), 2);
    EXPECT_EQ(Count(pages, AfxFormat("%9.2f", (100.0 + g_nGirders - 1) * 9.80665)), 2);
    EXPECT_GE(Count(pages, AfxFormat("%9.3f", doc.GetStepTableValue(0, 100.0 + g_nGirders - 1))), 1);
    for (double r : doc.m_adSupportMaxReaction)
        EXPECT_EQ(r, 123.0);
    // In gravitational units the reactions print in tf.
    g_bSIUnits = 0;
    EXPECT_EQ(Count(SectionPages(), AfxFormat("%9.3f", 100.0 + g_nGirders - 1)), 2);
}

TEST_F(InputConditionsTest, TheSingleBoxShowsItsBlocksFromItsOwnDesign)
{
    Open("box1_1span.mvl");
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_EQ(g_nBridgeType, 2);
    doc.m_dlgMainGirder.m_nBlockLengthMode = 1;
    JointPositionData& jp = doc.m_dlgMainGirder.m_dlgJointPosition;
    jp.m_anBlockCount[0] = 7;
    jp.m_apdBlockLength[0] = {1.234, 2.345, 3.456, 4.567, 5.678, 6.789, 7.891};
    // The box is designed in the second object, here in three blocks; the others have none.
    std::vector<CSectionRecord>& sections = doc.m_pGirders[1].m_pSections;
    ASSERT_GE(sections.size(), 3u);
    for (size_t i = 0; i < sections.size(); ++i)
        sections[i].m_nJoinPrev = i == 0 || i == 1 || i == sections.size() - 1 ? 0 : 1;
    doc.m_pGirders[0].m_pSections.clear();
    doc.m_pGirders[2].m_pSections.clear();
    View().CountPages();
    const auto pages = SectionPages();
    EXPECT_EQ(Count(pages, QStringLiteral("主桁 1:")), 2);
    EXPECT_EQ(Count(pages, QStringLiteral("主桁 2:")), 0);
    EXPECT_EQ(Count(pages, QStringLiteral("ﾌﾞﾛｯｸ 7")), 1);
    for (const char* shown : {"1234", "2345", "3456"})
        EXPECT_EQ(Count(pages, QString::fromLatin1(shown)), 1) << shown;
    EXPECT_EQ(Count(pages, QStringLiteral("4567")), 0);
    // One girder row in the haunch table, from the box's entry.
    EXPECT_EQ(Count(pages, QStringLiteral("G1")), 1);
    EXPECT_EQ(Count(pages, QStringLiteral("G2")), 0);
    EXPECT_EQ(Count(pages, AfxFormat("%9.3f", doc.m_dlgSteelWeight.m_adSteelWeight[1])), 1);
}

TEST_F(InputConditionsTest, AttachedLoadsMoveWholeToTheNextPage)
{
    Open("box2_2span.mvl");
    SteelWeightData& w = g_pDoc->m_dlgSteelWeight;
    w.m_nAttachments = 10;
    for (int i = 0; i < 10; ++i) {
        w.m_anAttachGirder[i] = i % 2;
        w.m_adAttachLoad[i] = 1.5 + i;
        w.m_adAttachPosition[i] = 2.0 * i;
    }
    View().CountPages();
    const auto pages = SectionPages();
    // The heading and all eleven rows stand on one page.
    for (const auto& page : pages) {
        const bool heading = FindText(page, QStringLiteral("【添架物】")) != nullptr;
        EXPECT_EQ(FindText(page, QStringLiteral("荷重(ｋＮ/ｍ)")) != nullptr, heading);
        EXPECT_EQ(FindText(page, QStringLiteral(" 10.500")) != nullptr, heading);
    }
    EXPECT_EQ(Count(pages, QStringLiteral("G2")), 5 + 1);     // five loads and the haunch row
}

TEST_F(InputConditionsTest, TheReportAndTheInputCheckWindowWordAFewInputsApart)
{
    Open("plate_3span_skew.mvl");
    EstimateFittingData& f = g_pDoc->m_dlgEstimate.m_dlgFitting;
    f.m_nRailingType = 2;
    f.m_nCurveSkewCorrection = 0;
    f.m_nMultiSpanCorrection = 1;
    SteelWeightData& w = g_pDoc->m_dlgSteelWeight;
    w.m_nAttachments = 1;
    w.m_adAttachLoad[0] = 2.5;
    View().CountPages();
    const auto pages = SectionPages();
    CInputReport window;
    window.SetReportDocument(g_pDoc);
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    window.RunInputBlocks(&dc, nullptr, 1, 0);
    const std::vector<std::vector<CDC::Record>> screen{dc.Records()};
    // The value written on the line of a label.
    auto value = [](const std::vector<std::vector<CDC::Record>>& in, const char* label) {
        for (const auto& page : in)
            if (const CDC::Record* l = FindText(page, QString::fromUtf8(label)))
                for (const CDC::Record& r : page)
                    if (r.op == QLatin1String("TextOut") && r.args[1] == l->args[1] && r.args[0] > l->args[0])
                        return r.text;
        return QString();
    };
    EXPECT_EQ(value(pages, " 高欄形式"), QStringLiteral("：高欄を積算に含めない"));
    EXPECT_EQ(value(screen, " 高欄形式"), QStringLiteral("：高欄を製作費に含めない"));
    EXPECT_EQ(value(pages, " 曲線橋、斜橋補正"), QStringLiteral("：自動決定"));
    EXPECT_EQ(value(screen, " 曲線橋、斜橋補正"), QStringLiteral("：設定値異常"));
    EXPECT_EQ(Count(pages, QStringLiteral("荷重(ｋＮ/ｍ)")), 1);
    EXPECT_EQ(Count(screen, QStringLiteral("荷重(ｋN/ｍ)")), 1);
    EXPECT_EQ(Count(pages, QStringLiteral("荷重(ｋN/ｍ)")) + Count(screen, QStringLiteral("荷重(ｋＮ/ｍ)")), 0);
}

TEST_F(InputConditionsTest, NothingWithoutADesign)
{
    Open("plate_3span_skew.mvl");
    CPrintView& v = View();
    g_nSpans = 0;
    CDC dc;
    CPrintInfo info;
    EXPECT_EQ(v.PrintInputConditions(&dc, &info, 1), 0);
    EXPECT_TRUE(dc.Records().empty());
}
