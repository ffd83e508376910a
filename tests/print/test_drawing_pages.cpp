// The drawing pages of the report: the plan, the longitudinal sections and the sectional
// force diagrams, and the turned text and points of their sideways forms.
#include "print_fixture.h"

#include "common/design_entry.h"
#include "common/design_generator.h"
#include "common/drawing_checks.h"

#include "app/globals.h"
#include "framework/format.h"
#include "geometry/records.h"
#include "res/resource_ids.h"
#include "views/label_layout.h"
#include "views/plan_view.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

// What a check found on a page: nothing, or each finding on a line of its own.
void ExpectNone(const QStringList& found) { EXPECT_TRUE(found.isEmpty()) << found.join(u'\n').toStdString(); }

class DrawingPagesTest : public PrintTest {
protected:
    static std::vector<CDC::Record> Draw(void (CPrintView::*page)(CDC*, CPrintInfo*), int nPage)
    {
        // At a printer's resolution, so that texts measure as printed.
        CDC dc;
        dc.SetResolution(600, 600);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        CPrintInfo info;
        info.m_nCurPage = UINT(nPage);
        (View().*page)(&dc, &info);
        return dc.Records();
    }
    static void Orientation(int nUpright, int nSideways, bool upright)
    {
        Box(nUpright).SetCheck(upright ? 1 : 0);
        Box(nSideways).SetCheck(upright ? 0 : 1);
    }
    static std::vector<CDC::Record> Ops(const std::vector<CDC::Record>& records, const char* op, COLORREF pen)
    {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : records)
            if (r.op == QLatin1String(op) && r.penColor == pen)
                out.push_back(r);
        return out;
    }
    static int CountTexts(const std::vector<CDC::Record>& records, const std::function<bool(const QString&)>& pred)
    {
        return int(std::count_if(records.begin(), records.end(), [&](const CDC::Record& r) {
            return r.op == QLatin1String("TextOut") && pred(r.text);
        }));
    }
    static bool HasTitle(const std::vector<CDC::Record>& records, const QString& title)
    {
        return std::any_of(records.begin(), records.end(), [&](const CDC::Record& r) {
            return r.op == QLatin1String("TextOut") && r.text.contains(title);
        });
    }
};

TEST(RotatedLabelRect, QuarterTurnsMapOntoTheSheetAndOtherAnglesCollapse)
{
    const CRect r = CPrintView::GetRotatedLabelRect(270.0, 100, -1435, 0, 0);
    EXPECT_EQ(r.left, 1015);
    EXPECT_EQ(r.top, -2284);
    EXPECT_EQ(r.right, -420);
    EXPECT_EQ(r.bottom, -2384);
    // Even no turn mirrors through the sheet's offsets.
    const CRect upright = CPrintView::GetRotatedLabelRect(0.0, 30, -70, 0, 0);
    EXPECT_EQ(upright.left, -(30 + 420));
    EXPECT_EQ(upright.top, -(-70 + 2384));
    const CRect skew = CPrintView::GetRotatedLabelRect(45.0, 300, -700, 10, 20);
    EXPECT_EQ(CPoint(skew.left, skew.top), CPoint(-420, -2384));
    EXPECT_EQ(CPoint(skew.right, skew.bottom), CPoint(-420, -2384));
}

TEST_F(DrawingPagesTest, RotatedTextTurnsTheSelectedFontAndPutsItBack)
{
    CFont font;
    font.CreateFont(32, 0, 0, 0, 700, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    dc.SelectObject(&font);
    CPrintView::DrawRotatedText(&dc, 270.0, 10, -20, QStringLiteral("A"));
    CPrintView::DrawRotatedText(&dc, -90.5, 10, -20, QStringLiteral("B"));
    CPrintView::DrawRotatedText(&dc, 45.7, 10, -20, QStringLiteral("C"));
    EXPECT_EQ(dc.GetCurrentFont(), &font);
    const auto& rec = dc.Records();
    ASSERT_EQ(rec.size(), 3u);
    EXPECT_EQ(rec[0].escapement, 2700);
    EXPECT_EQ(rec[1].escapement, -900);
    EXPECT_EQ(rec[2].escapement, 450);
    EXPECT_EQ(rec[0].fontHeight, 32);
    EXPECT_EQ(rec[0].fontWeight, 700);
    EXPECT_EQ(rec[0].fontFace, QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(rec[0].args, (std::vector<int>{10, -20}));
}

// ---------------------------------------------------------------- longitudinal section

class LongitudinalPageTest : public DrawingPagesTest {
protected:
    void SetUp() override
    {
        DrawingPagesTest::SetUp();
        OpenExample("box2_2span.mvl");
        OpenForm();
        View().m_bPrintLongitudinalSections = 1;
        View().CountPages();
        for (int* m : {&g_pDoc->m_nMarginLeft, &g_pDoc->m_nMarginRight, &g_pDoc->m_nMarginTop,
                       &g_pDoc->m_nMarginBottom})
            *m = 200;
    }
    std::vector<CDC::Record> Page(int nGirder)
    {
        return Draw(&CPrintView::PrintLongitudinalSection, View().m_anSectionStart[CPrintView::RS_LONGITUDINAL] + nGirder);
    }
};

TEST_F(LongitudinalPageTest, SpansOf30And40MetresScaleEachDirectionOnItsOwn)
{
    ASSERT_EQ(g_nSpans, 2);
    const double saved[2] = {g_adSpanLength[0], g_adSpanLength[1]};
    g_adSpanLength[0] = 30.0;
    g_adSpanLength[1] = 40.0;
    const auto records = Page(0);
    g_adSpanLength[0] = saved[0];
    g_adSpanLength[1] = saved[1];
    EXPECT_EQ(View().m_ptSection2Origin, CPoint(305, -2121));
    EXPECT_DOUBLE_EQ(View().m_vSection2Scale.x, 17.0);
    EXPECT_DOUBLE_EQ(View().m_vSection2Scale.y, 160.625);
    EXPECT_TRUE(HasTitle(records, QStringLiteral("_縦断面 1 形状")));
}

TEST_F(LongitudinalPageTest, EveryGirderHasItsPageUprightOrTurned)
{
    ASSERT_GE(g_nGirders, 2);
    Orientation(IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE, true);
    const auto upright = Page(1);
    EXPECT_TRUE(HasTitle(upright, QStringLiteral("_縦断面 2 形状")));
    EXPECT_EQ(View().m_nSection2Drawers, g_nGirders);
    const int uprightTexts = CountTexts(upright, [](const QString&) { return true; });
    Orientation(IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE, false);
    const auto turned = Page(1);
    // The same drawing, its texts running up the page.
    EXPECT_EQ(CountTexts(turned, [](const QString&) { return true; }), uprightTexts);
    EXPECT_TRUE(std::any_of(turned.begin(), turned.end(),
                            [](const CDC::Record& r) { return r.op == QLatin1String("TextOut") && r.escapement == 900; }));
    EXPECT_FALSE(std::any_of(upright.begin(), upright.end(),
                             [](const CDC::Record& r) { return r.op == QLatin1String("TextOut") && r.escapement == 900; }));
}

TEST_F(LongitudinalPageTest, ABridgeWithoutLengthDrawsOnlyTheFrame)
{
    const double saved[2] = {g_adSpanLength[0], g_adSpanLength[1]};
    g_adSpanLength[0] = g_adSpanLength[1] = 0.0;
    const auto records = Page(0);
    g_adSpanLength[0] = saved[0];
    g_adSpanLength[1] = saved[1];
    EXPECT_TRUE(HasTitle(records, QStringLiteral("_縦断面 1 形状")));
    EXPECT_TRUE(Ops(records, "LineTo", RGB(0, 0, 255)).empty());
}

// ---------------------------------------------------------------- cross sections and load diagrams

// A page of 2100 x 2970 with margins of 200 all round and a widest section of 10 m.
TEST(StationPlacement, EveryStationAtTheScaleOfTheWidest)
{
    const CStationPlacement shape = ShapePlacement(10.0, CSize(2100, 2970), 1700, 2570, 200, true);
    EXPECT_DOUBLE_EQ(shape.sx, 1.19);
    EXPECT_DOUBLE_EQ(shape.sy, 1.60625);
    EXPECT_EQ(shape.x0, 455);
    EXPECT_EQ(shape.origin, CPoint(405, -1585));
    EXPECT_DOUBLE_EQ(shape.vector.x, 89.25);
    EXPECT_DOUBLE_EQ(shape.vector.y, 128.5);
    const CStationPlacement turned = ShapePlacement(10.0, CSize(2100, 2970), 1700, 2570, 200, false);
    EXPECT_DOUBLE_EQ(turned.vector.x, 1.19 * 80.0);
    EXPECT_DOUBLE_EQ(turned.vector.y, 1.60625 * 75.0);
    // The load page takes 0.72 of the width upright, its origin 220 higher.
    const CStationPlacement load = LoadPlacement(10.0, CSize(2100, 2970), 1700, 2570, 200, true);
    EXPECT_NEAR(load.sx, 1700 / 7.2 / 150.0 * 0.75, 1e-12);
    EXPECT_NEAR(load.sy, 2570 / 17.0 / 150.0, 1e-12);
    EXPECT_NEAR(load.x0, 200, 1);
    EXPECT_EQ(load.origin.y, -1485 + 300 + 220);
    const CStationPlacement loadTurned = LoadPlacement(10.0, CSize(2100, 2970), 1700, 2570, 200, false);
    EXPECT_EQ(loadTurned.origin.y, -1485 + 300 + 200);
    EXPECT_EQ(loadTurned.origin.x, loadTurned.x0 + 30);
    // No width never gives an infinite scale.
    EXPECT_TRUE(std::isfinite(ShapePlacement(0.0, CSize(2100, 2970), 1700, 2570, 200, true).sy));
}

// Texts of one line that overlap or stand closer than a character's gap along it, so that
// they read as one ("C1C2"); and texts lying on the supports' red squares.
QStringList RunTogether(const std::vector<CDC::Record>& records)
{
    std::vector<const CDC::Record*> texts;
    for (const CDC::Record& r : records)
        if (drawingchecks::IsText(r))
            texts.push_back(&r);
    QStringList found;
    for (size_t i = 0; i < texts.size(); ++i)
        for (size_t j = i + 1; j < texts.size(); ++j) {
            const CRect &a = texts[i]->box, &b = texts[j]->box;
            const int dx = std::min(a.right, b.right) - std::max(a.left, b.left);
            const int dy = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
            const bool alongY = texts[i]->escapement % 1800 != 0;
            const int along = alongY ? dy : dx, across = alongY ? dx : dy;
            if (across > 3 && along > -6)
                found << drawingchecks::Describe(*texts[i]) + QStringLiteral(" by ") + drawingchecks::Describe(*texts[j]);
        }
    return found;
}

QStringList TextsOnSupports(const std::vector<CDC::Record>& records)
{
    QStringList found;
    for (const CDC::Record& sq : records) {
        if (sq.op != QLatin1String("Rectangle") || sq.brushColor != RGB(255, 0, 0))
            continue;
        const CRect s = drawingchecks::Normal(CRect(sq.args[0], sq.args[1], sq.args[2], sq.args[3]));
        for (const CDC::Record& r : records)
            if (drawingchecks::IsText(r) && std::min(s.right, r.box.right) - std::max(s.left, r.box.left) > 3 &&
                std::min(s.bottom, r.box.bottom) - std::max(s.top, r.box.top) > 3)
                found << drawingchecks::Describe(r);
    }
    return found;
}

class StationPageTest : public DrawingPagesTest {
protected:
    void SetUp() override
    {
        DrawingPagesTest::SetUp();
        OpenExample("plate_3span_skew.mvl");
        OpenForm();
        View().m_bPrintCrossSections = View().m_bPrintLoadDiagrams = 1;
        View().CountPages();
    }
};

// One page a checked station, the k-th page the k-th checked row; upright or turned.
TEST_F(StationPageTest, EachCheckedStationHasItsPage)
{
    ASSERT_GE(g_nCrossSections, 3);
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_CROSS_SECTIONS], g_nCrossSections);
    View().m_abShapeRows[0] = 0;
    View().CountPages();
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_CROSS_SECTIONS], g_nCrossSections - 1);
    const int first = View().m_anSectionStart[CPrintView::RS_CROSS_SECTIONS];
    const auto shape = Draw(&CPrintView::PrintCrossSectionShape, first);
    EXPECT_TRUE(HasTitle(shape, QStringLiteral("_横断面 2 形状")));
    EXPECT_GT(CountTexts(shape, [](const QString& t) { return t.trimmed() == QStringLiteral("12500"); }), 0);
    Orientation(IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE, false);
    const auto turned = Draw(&CPrintView::PrintCrossSectionShape, first);
    EXPECT_TRUE(HasTitle(turned, QStringLiteral("_横断面 2 形状")));
    EXPECT_TRUE(std::any_of(turned.begin(), turned.end(),
                            [](const CDC::Record& r) { return r.op == QLatin1String("TextOut") && r.escapement != 0; }));
    const auto loads = Draw(&CPrintView::PrintCrossSectionLoads, View().m_anSectionStart[CPrintView::RS_LOADS]);
    EXPECT_TRUE(HasTitle(loads, QStringLiteral("_横断面 1 荷重")));
    EXPECT_GT(CountTexts(loads, [](const QString& t) { return t.contains(QStringLiteral("床版")); }), 0);
}

// Texts that a straight line of the page runs through (more than 0.3 mm inside the cell).
QStringList TextsCrossedByLines(const std::vector<CDC::Record>& records)
{
    QStringList found;
    for (const CDC::Record& t : records) {
        if (!drawingchecks::IsText(t))
            continue;
        const CRect b(t.box.left + 3, t.box.top + 3, t.box.right - 3, t.box.bottom - 3);
        for (const CDC::Record& l : records) {
            if (l.op != QLatin1String("LineTo"))
                continue;
            const int steps = std::max(std::abs(l.args[2] - l.args[0]), std::abs(l.args[3] - l.args[1])) + 1;
            bool through = false;
            for (int k = 0; k <= steps && !through; ++k) {
                const double x = l.args[0] + double(l.args[2] - l.args[0]) * k / steps;
                const double y = l.args[1] + double(l.args[3] - l.args[1]) * k / steps;
                through = x > b.left && x < b.right && y > b.top && y < b.bottom;
            }
            if (through) {
                found << drawingchecks::Describe(t) + QStringLiteral(" by ") + drawingchecks::Describe(l);
                break;
            }
        }
    }
    return found;
}

// The dimension labels of the section and of the load diagram stand beside their lines, not
// across an extension line or a leader ("2100" at the last girder, the curb heights).
TEST_F(StationPageTest, LabelsStandClearOfTheLinesUprightAndSideways)
{
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE, upright);
        Orientation(IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE, upright);
        for (const auto& records :
             {Draw(&CPrintView::PrintCrossSectionShape, View().m_anSectionStart[CPrintView::RS_CROSS_SECTIONS]),
              Draw(&CPrintView::PrintCrossSectionLoads, View().m_anSectionStart[CPrintView::RS_LOADS])}) {
            EXPECT_TRUE(TextsCrossedByLines(records).isEmpty()) << TextsCrossedByLines(records).join(u'\n').toStdString();
            EXPECT_TRUE(RunTogether(records).isEmpty()) << RunTogether(records).join(u'\n').toStdString();
        }
    }
}

// Girders at both ends of the heights the input takes (0.1 m and 10 m): both pages of a
// station hold the whole drawing inside the frame, upright and sideways, no text over another.
TEST_F(StationPageTest, GirdersOfExtremeHeightsPrintInsideTheFrame)
{
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    for (double h : {10.0, 0.1})
        for (bool upright : {true, false}) {
            SCOPED_TRACE(testing::Message() << h << (upright ? " upright" : " sideways"));
            for (int g = 0; g < g_nGirders; ++g)
                g_pDoc->m_dlgPlateGirder.m_adGirderHeight[g] = h;
            Orientation(IDC_PR_SHAPE_PORTRAIT, IDC_PR_SHAPE_LANDSCAPE, upright);
            Orientation(IDC_PR_LOAD_PORTRAIT, IDC_PR_LOAD_LANDSCAPE, upright);
            for (const auto& records :
                 {Draw(&CPrintView::PrintCrossSectionShape, View().m_anSectionStart[CPrintView::RS_CROSS_SECTIONS]),
                  Draw(&CPrintView::PrintCrossSectionLoads, View().m_anSectionStart[CPrintView::RS_LOADS])}) {
                ExpectNone(drawingchecks::OutsideFrame(records));
                ExpectNone(drawingchecks::OverlappingTexts(records));
            }
        }
}

// ---------------------------------------------------------------- sectional force diagram

class ForcePageTest : public DrawingPagesTest {
protected:
    void Open(const char* file)
    {
        OpenExample(file);
        OpenForm();
        View().m_bPrintForceDiagram = 1;
        View().CountPages();
        g_pDoc->m_bForceShowMoment = 1;
        g_pDoc->m_bForceShowShear = 0;
        g_pDoc->m_bForceShowResisting = 0;
        g_pDoc->m_bForceFolded = 0;
    }
    void TearDown() override
    {
        g_bSIUnits = 1;
        DrawingPagesTest::TearDown();
    }
    static CGirderDesign& Girder(int g) { return *const_cast<CGirderDesign*>(View().PrintedGirder(g)); }
    static std::vector<CDC::Record> Page(int nGirder)
    {
        return Draw(&CPrintView::PrintForceDiagram, View().m_anSectionStart[CPrintView::RS_FORCE_DIAGRAM] + nGirder);
    }
    // The largest moment of girder g set to m.
    static void LargestMoment(int g, double m)
    {
        CGirderDesign& d = Girder(g);
        d.m_nPeaks = 1;
        d.m_aPeaks[0] = CDPoint(1.0, m);
    }
};

TEST_F(ForcePageTest, TheAxisTopFollowsTheLargestMoment)
{
    Open("box2_2span.mvl");
    g_bSIUnits = 0;
    for (const auto& [m, top] : {std::pair{1234.5, 1200}, std::pair{1250.0, 1400}}) {
        LargestMoment(0, m);
        const auto records = Page(0);
        const CPoint o = View().m_ptForceOrigin;
        const CDPoint k = View().m_vForceScale;
        // The girder's left end line runs from the top tick to its mirror below the axis.
        const auto grey = Ops(records, "LineTo", RGB(127, 127, 127));
        ASSERT_FALSE(grey.empty());
        EXPECT_EQ(grey[0].args, (std::vector<int>{o.x, o.y + int(top * k.y), o.x, o.y - int(top * k.y)})) << m;
        EXPECT_EQ(CountTexts(records, [&](const QString& t) { return t == AfxFormat("%4d", -top); }), 1) << m;
        EXPECT_EQ(CountTexts(records, [&](const QString& t) { return t == AfxFormat("%4d", top); }), 1) << m;
        // A quarter of the printable height reaches the largest moment.
        EXPECT_NEAR(m * k.y, (2970 - g_pDoc->m_nMarginTop - g_pDoc->m_nMarginBottom) / 4.0, 1e-6);
    }
}

TEST_F(ForcePageTest, SIAxisTicksInKilonewtonMetresAsTheWindowHasThem)
{
    Open("box2_2span.mvl");
    g_bSIUnits = 1;
    LargestMoment(0, 450.0);  // 4413 kN·m: steps of 500 up to 4500
    const auto records = Page(0);
    const CPoint o = View().m_ptForceOrigin;
    const CDPoint k = View().m_vForceScale;
    // Each label centred on its tick at the true kN·m, the negative ones with their minus,
    // in steps of 500.
    int negative = 0, labels = 0;
    for (const CDC::Record& r : records) {
        bool number = false;
        const int kn = r.text.toInt(&number);
        if (r.op != QLatin1String("TextOut") || !number)
            continue;
        ++labels;
        negative += kn < 0;
        EXPECT_EQ(r.text, AfxFormat("%5d", kn));
        EXPECT_EQ(kn % 500, 0) << kn;
        EXPECT_NEAR((r.box.top + r.box.bottom) / 2.0, o.y - kn / 9.80665 * k.y, 3.0) << kn;
    }
    EXPECT_GT(labels, 2);
    EXPECT_GT(negative, 0);
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t == QStringLiteral("ﾓｰﾒﾝﾄ(kN・m)､せん断力(kN)"); }), 1);
}

TEST_F(ForcePageTest, MomentCurvesRunPerSpanWithEightPointsAPanel)
{
    Open("box2_2span.mvl");
    const CGirderDesign& g = Girder(0);
    const auto curves = Ops(Page(0), "Polyline", RGB(255, 0, 0));
    const int spans = std::min(g_nSpans, int(g.m_pnSpanStart.size()) - 1);
    ASSERT_EQ(int(curves.size()), 2 * spans);
    for (int s = 0; s < spans; ++s) {
        const int panels = g.m_pnSpanStart[size_t(s) + 1] - g.m_pnSpanStart[size_t(s)];
        for (int c = 0; c < 2; ++c)
            EXPECT_EQ(int(curves[size_t(2 * s + c)].args.size()) / 2, 8 * panels + 1) << s;
        if (panels == 4) {
            EXPECT_EQ(int(curves[size_t(2 * s)].args.size()) / 2, 33);
        }
    }
}

TEST_F(ForcePageTest, APeakIsLabelledByItsPlaceEvenWhereItsValueDiffersSlightly)
{
    Open("box2_2span.mvl");
    g_bSIUnits = 0;
    CGirderDesign& g = Girder(0);
    ASSERT_GT(g.m_pMomentEnv.size(), 3u);
    ASSERT_GT(g.m_pnMomentSign.size(), 3u);
    const size_t k = g.m_pMomentEnv.size() / 2;
    const double m = std::fabs(g.m_pMomentEnv[k].y) + 0.04;
    g.m_nPeaks = 1;
    g.m_aPeaks[0] = CDPoint(g.m_pMomentEnv[k].x, m);
    const QString text = AfxFormat("%5.1f", g.m_pnMomentSign[k] * m);
    EXPECT_EQ(CountTexts(Page(0), [&](const QString& t) { return t == text; }), 1) << text.toStdString();
}

TEST_F(ForcePageTest, ASidewaysPageTurnsLinesAndTexts)
{
    Open("box2_2span.mvl");
    Orientation(IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, true);
    const auto upright = Page(0);
    const auto uprightGrey = Ops(upright, "LineTo", RGB(127, 127, 127));
    Orientation(IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, false);
    const auto turned = Page(0);
    const auto turnedGrey = Ops(turned, "LineTo", RGB(127, 127, 127));
    ASSERT_EQ(turnedGrey.size(), uprightGrey.size());
    // The end line at the girder's left end, turned: (x, y) lands at (-y - 420, x - 2384).
    const CPoint o = View().m_ptForceOrigin;
    const CDPoint k = View().m_vForceScale;
    const int top = turnedGrey[0].args[0];
    EXPECT_EQ(turnedGrey[0].args[1], o.x - 2384);
    EXPECT_EQ(turnedGrey[0].args[3], o.x - 2384);
    EXPECT_LT(top, turnedGrey[0].args[2]);
    EXPECT_GT(k.x, 0.0);
    // Every text of the diagram turns with it, reading up the page.
    for (const CDC::Record& r : turned) {
        if (r.op == QLatin1String("TextOut") && r.text.startsWith(QLatin1Char('-'))) {
            EXPECT_EQ(r.escapement, 900) << r.text.toStdString();
        }
    }
    // The moment curves run up the sheet: their first point turned from the upright one.
    const auto uprightCurves = Ops(upright, "Polyline", RGB(255, 0, 0));
    const auto turnedCurves = Ops(turned, "Polyline", RGB(255, 0, 0));
    ASSERT_EQ(turnedCurves.size(), uprightCurves.size());
    ASSERT_FALSE(turnedCurves.empty());
    EXPECT_EQ(turnedCurves[0].args.size(), uprightCurves[0].args.size());
}

TEST_F(ForcePageTest, EverythingStaysInsideTheFrameUprightAndSideways)
{
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl"}) {
        Open(file);
        g_pDoc->m_bForceShowShear = g_pDoc->m_bForceShowResisting = 1;
        for (const bool upright : {true, false}) {
            Orientation(IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, upright);
            for (int g = 0; g < View().m_anSectionPages[CPrintView::RS_FORCE_DIAGRAM]; ++g) {
                const auto records = Page(g);
                EXPECT_EQ(drawingchecks::OutsideFrame(records), QStringList()) << file << " G" << g + 1 << upright;
                EXPECT_EQ(drawingchecks::OverlappingTexts(records), QStringList()) << file << " G" << g + 1 << upright;
            }
        }
    }
}

TEST_F(ForcePageTest, CurvesBeyondTheResistingMomentStayInsideTheFrame)
{
    // The page's scale starts from the largest resisting moment; moments well beyond it, as
    // at girder heights near the ends of their range.
    Open("box2_2span.mvl");
    g_pDoc->m_bForceShowShear = g_pDoc->m_bForceShowResisting = 1;
    for (CSectionRecord& s : Girder(0).m_pSections)
        s.m_dMr *= 0.3;
    for (const bool upright : {true, false}) {
        Orientation(IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, upright);
        EXPECT_EQ(drawingchecks::OutsideFrame(Page(0)), QStringList()) << upright;
    }
}

TEST_F(ForcePageTest, ASidewaysPageNumbersItsStepsInsideTheirCircles)
{
    Open("box2_2span.mvl");
    g_pDoc->m_bForceShowResisting = 1;
    Orientation(IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE, false);
    const auto records = Page(0);
    std::vector<CRect> circles;
    for (const CDC::Record& r : records)
        if (r.op == QLatin1String("Ellipse"))
            circles.push_back(drawingchecks::Normal(CRect(r.args[0], r.args[1], r.args[2], r.args[3])));
    ASSERT_FALSE(circles.empty());
    for (size_t i = 0; i < circles.size(); ++i) {
        const CDC::Record* number = FindText(records, QString::number(i + 1));
        ASSERT_NE(number, nullptr) << i + 1;
        const CRect& c = circles[i];
        EXPECT_TRUE(number->box.left >= c.left && number->box.right <= c.right && number->box.top >= c.top &&
                    number->box.bottom <= c.bottom)
            << i + 1 << ": " << drawingchecks::Describe(*number).toStdString();
    }
}

TEST_F(ForcePageTest, AGirderWithoutMomentsDrawsNoDiagram)
{
    Open("box2_2span.mvl");
    Girder(0).m_nPeaks = 0;
    const auto records = Page(0);
    EXPECT_TRUE(HasTitle(records, QStringLiteral("_断面力図 (G1主桁)")));
    EXPECT_TRUE(Ops(records, "LineTo", RGB(127, 127, 127)).empty());
    EXPECT_TRUE(Ops(records, "Polyline", RGB(255, 0, 0)).empty());
}

TEST_F(ForcePageTest, ASingleBoxHasOnePageFromItsSecondObject)
{
    Open("box1_1span.mvl");
    EXPECT_EQ(View().m_anSectionPages[CPrintView::RS_FORCE_DIAGRAM], 1);
    const auto records = Page(0);
    EXPECT_TRUE(HasTitle(records, QStringLiteral("_断面力図 (G1主桁)")));
    EXPECT_EQ(View().PrintedGirder(0), &g_pDoc->m_pGirders[1]);
    EXPECT_FALSE(Ops(records, "Polyline", RGB(255, 0, 0)).empty());
}

// ---------------------------------------------------------------- plan

class PlanPageTest : public DrawingPagesTest {
protected:
    void Open(const char* file)
    {
        OpenExample(file);
        OpenForm();
        View().m_bPrintPlan = 1;
        View().CountPages();
    }
    static std::vector<CDC::Record> Page()
    {
        return Draw(&CPrintView::PrintPlan, View().m_anSectionStart[CPrintView::RS_PLAN]);
    }
    static int NodeCount()
    {
        int n = 0;
        for (int i = 0; i < g_nSpans; ++i)
            n += (g_pDoc->m_aSpans[size_t(i)].m_nPanels + 1) * g_nGirders;
        return n;
    }
    // The plan's transform on the page last printed, upright or turned a quarter.
    static CPlanTransform PageTransform(bool upright)
    {
        return CPlanTransform{upright ? g_pDoc->m_dPlanAngle : 90.0, View().m_dPlanScale, View().m_ptPlanOrigin};
    }
    static int PanelPointCount()
    {
        int n = 0;
        for (int i = 0; i < g_nSpans; ++i)
            n += g_pDoc->m_aSpans[size_t(i)].m_nPanels + 1;
        return n;
    }
};

TEST_F(PlanPageTest, EveryNodeIsNumberedAndMarkedAndEveryCrossMemberLabelled)
{
    Open("box2_2span.mvl");
    const auto records = Page();
    const auto marks = Ops(records, "Ellipse", RGB(192, 192, 192));
    EXPECT_EQ(int(marks.size()), NodeCount());
    int numbers = 0;
    for (const CDC::Record& r : records)
        if (r.op == QLatin1String("TextOut") && r.penColor == RGB(192, 192, 192))
            ++numbers;
    // A node over a pier that both its spans number alike is numbered once.
    int shared = 0;
    for (int i = 1; i < g_nSpans; ++i)
        for (int g = 0; g < g_nGirders; ++g)
            shared += g_pDoc->m_aSpans[size_t(i)].m_aPanelPoints.front().m_anNodes[size_t(g)] ==
                      g_pDoc->m_aSpans[size_t(i - 1)].m_aPanelPoints.back().m_anNodes[size_t(g)];
    EXPECT_EQ(numbers, NodeCount() - shared);
    // A cross member over a pier is labelled once, not by both its spans at one place.
    const int members = PanelPointCount() - (g_nSpans - 1);
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t.startsWith(QLatin1Char('C')); }), members);
    for (int g = 1; g <= g_nGirders; ++g)
        EXPECT_EQ(CountTexts(records, [&](const QString& t) { return t == AfxFormat("G%d", g); }), 1) << g;
    if (g_nSpans == 2 && g_nGirders == 4 && g_pDoc->m_aSpans[0].m_nPanels == 6 && g_pDoc->m_aSpans[1].m_nPanels == 6) {
        EXPECT_EQ(numbers + shared, 56);
        EXPECT_EQ(CountTexts(records, [](const QString& t) { return t.startsWith(QLatin1Char('C')); }), 13);
    }
    EXPECT_TRUE(HasTitle(records, QStringLiteral("_平面図")));
}

TEST_F(PlanPageTest, ASingleBoxIsLabelledG1Only)
{
    Open("box1_1span.mvl");
    const auto records = Page();
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t.startsWith(QLatin1Char('G')); }), 1);
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t == QStringLiteral("G1"); }), 1);
    // Two bearings at each end of the span.
    EXPECT_EQ(int(Ops(records, "Rectangle", RGB(255, 0, 0)).size()), 4 * g_nSpans);
}

TEST_F(PlanPageTest, ASidewaysPageTurnsThePlanAndItsLabelsButNotTheWindowsAngle)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_dPlanAngle = 30.0;
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, false);
    const auto records = Page();
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 30.0);
    // The bridge as drawn, from the cross member at its first station to the one at its last.
    const QString first = AfxFormat("C%d", g_pDoc->m_aSpans.front().m_aPanelPoints.front().m_anNodes.front());
    const QString last = AfxFormat("C%d", g_pDoc->m_aSpans[size_t(g_nSpans - 1)].m_aPanelPoints.back().m_anNodes.front());
    // Every text but the page's title.
    auto label = [](const CDC::Record& r) {
        return drawingchecks::IsText(r) && !r.text.contains(QStringLiteral("平面図"));
    };
    const CDC::Record *from = nullptr, *to = nullptr, *g1 = nullptr;
    int labels = 0;
    for (const CDC::Record& r : records) {
        if (!label(r))
            continue;
        from = r.text == first ? &r : from;
        to = r.text == last ? &r : to;
        g1 = r.text == QStringLiteral("G1") ? &r : g1;
        ++labels;
    }
    ASSERT_TRUE(from && to && g1);
    const double along = std::atan2(to->box.CenterPoint().y - from->box.CenterPoint().y,
                                    to->box.CenterPoint().x - from->box.CenterPoint().x);
    // Every label, dimension values and node numbers too, reads the way the bridge runs.
    for (const CDC::Record& r : records) {
        if (!label(r))
            continue;
        const double a = r.escapement / 10.0 * 3.14159265358979 / 180.0;
        EXPECT_GT(std::cos(a - along), 0.95) << r.text.toStdString() << " at " << r.escapement;
    }
    // Numbers that would stand on a line or by another node are left out.
    EXPECT_GT(labels, 50);
    EXPECT_EQ(g1->fontHeight, 32);
    Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, true);
    const auto upright = Page();
    for (const CDC::Record& r : upright) {
        if (r.op == QLatin1String("TextOut") && r.text == QStringLiteral("G1")) {
            EXPECT_EQ(r.escapement, 0);
            EXPECT_EQ(r.fontHeight, 26);
        }
    }
}

TEST_F(PlanPageTest, ThePlanIsCentredAndWiderMarginsOnlyShrinkIt)
{
    Open("plate_3span_skew.mvl");
    // The middle across of the girder lines on the page.
    auto middle = [](const std::vector<CDC::Record>& lines) {
        int lo = INT_MAX, hi = INT_MIN;
        for (const CDC::Record& r : lines)
            for (int x : {r.args[0], r.args[2]}) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
        return (lo + hi) / 2.0;
    };
    const auto lines = Ops(Page(), "LineTo", RGB(255, 0, 0));
    const double scale = View().m_dPlanScale;
    ASSERT_GT(scale, 0.0);
    ASSERT_FALSE(lines.empty());
    for (const CDC::Record& r : lines) {
        EXPECT_GT(r.args[0], 0);
        EXPECT_LT(r.args[0], 2100);
        EXPECT_LT(r.args[1], 0);
        EXPECT_GT(r.args[1], -2970);
    }
    int* margins[] = {&g_pDoc->m_nMarginLeft, &g_pDoc->m_nMarginRight, &g_pDoc->m_nMarginTop,
                      &g_pDoc->m_nMarginBottom};
    int saved[4];
    for (int i = 0; i < 4; ++i) {
        saved[i] = *margins[i];
        *margins[i] += 100;
    }
    g_pDoc->SavePrintSettings();
    const auto smallerLines = Ops(Page(), "LineTo", RGB(255, 0, 0));
    for (int i = 0; i < 4; ++i)
        *margins[i] = saved[i];
    g_pDoc->SavePrintSettings();
    const double smaller = View().m_dPlanScale;
    EXPECT_LT(smaller, scale);
    // Shrunk about the page's middle, which does not move.
    EXPECT_NEAR(middle(smallerLines) - 1050.0, (middle(lines) - 1050.0) * smaller / scale, 2.0);
}

TEST_F(PlanPageTest, LabelsAndNumbersOfASkewedPlanStandApartInTheFrameUprightAndSideways)
{
    Open("plate_3span_skew.mvl");
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        const auto records = Page();
        ExpectNone(drawingchecks::OutsideFrame(records));
        EXPECT_TRUE(RunTogether(records).isEmpty()) << RunTogether(records).join(u'\n').toStdString();
        EXPECT_TRUE(TextsOnSupports(records).isEmpty()) << TextsOnSupports(records).join(u'\n').toStdString();
        // Every girder is named, however crowded its end.
        for (int g = 1; g <= g_nGirders; ++g)
            EXPECT_EQ(CountTexts(records, [&](const QString& t) { return t == AfxFormat("G%d", g); }), 1) << g;
        EXPECT_EQ(CountTexts(records, [](const QString& t) { return t == QStringLiteral("C1"); }), 1);
    }
}

TEST_F(PlanPageTest, TheDimensionLineStandsBesideTheFirstGirderByBothEndsOverTheSpans)
{
    Open("box2_2span.mvl");
    g_pDoc->m_bPlanShowSpanLengths = 1;
    double D = 0.0;
    for (int i = 0; i < g_nSpans; ++i) {
        const CSpanData& sp = g_pDoc->m_aSpans[size_t(i)];
        const CGirderLineRecord& g = sp.m_aGirderLines.front();
        D += std::hypot(sp.m_base.m_ptStart.x - g.m_ptStart.x, sp.m_base.m_ptStart.y - g.m_ptStart.y) +
             std::hypot(sp.m_base.m_ptEnd.x - g.m_ptEnd.x, sp.m_base.m_ptEnd.y - g.m_ptEnd.y);
    }
    ASSERT_GT(D, 1.0);
    const double d = D / g_nSpans + 10.0;
    const auto lines = Ops(Page(), "LineTo", RGB(255, 192, 192));
    ASSERT_FALSE(lines.empty());
    // The first extension line runs from the base line's start out to the dimension line.
    const CDC::Record& first = lines.front();
    const double length = std::hypot(first.args[2] - first.args[0], first.args[3] - first.args[1]);
    EXPECT_NEAR(length, d * View().m_dPlanScale, 2.0);
}

TEST_F(PlanPageTest, DimensionsPrintWholeMillimetres)
{
    Open("box2_2span.mvl");
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    CSpanData& sp = g_pDoc->m_aSpans[0];
    sp.m_dSpanLength = 35.5;
    ASSERT_FALSE(sp.m_pdPanelLength.empty());
    sp.m_pdPanelLength[0] = 5.25;
    const auto records = Page();
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t == QStringLiteral("35500"); }), 1);
    EXPECT_EQ(CountTexts(records, [](const QString& t) { return t == QStringLiteral("5250"); }), 1);
    // Extension lines of the spans at their ends, of the panels at every panel point.
    EXPECT_EQ(int(Ops(records, "LineTo", RGB(255, 192, 192)).size()) -
                  (g_pDoc->m_aSpans[0].m_bCurvedBaseLine ? 0 : g_nSpans) * 2,
              2 * g_nSpans + PanelPointCount());
    g_pDoc->m_bPlanShowSpanLengths = 0;
    g_pDoc->m_bPlanShowPanelLengths = 0;
    EXPECT_TRUE(Ops(Page(), "LineTo", RGB(255, 192, 192)).empty());
}

// Six girders 1.5 m apart over six spans on a curve of 160 m lie closer than a text height.
TEST_F(PlanPageTest, ACrowdedPlanNamesEveryGirderLedToItAndNumbersNodesBesideTheirOwn)
{
    using namespace designentry;
    EnterBasic({"六径間連続鈑桁橋", 6, 6, IDC_FORM_PLATE, IDC_SIDEWALK});
    EnterSpans({30000, 35000, 40000, 40000, 35000, 30000}, 5000);
    EnterFraming(3750, 1500, 90.0);
    for (int s = 0; s < g_nSpans; ++s) {
        g_pPanelDlg->m_anBaseLineType[s] = 1;
        g_pPanelDlg->m_anGirderLineType[s] = 1;
        g_pPanelDlg->m_adBaseRadius[s] = 160.0;
    }
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ASSERT_EQ(g_nGirders, 6);
    OpenForm();
    View().m_bPrintPlan = 1;
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        View().CountPages();
        const auto records = Page();
        const auto notes = LabelNotes(records);
        // Every span's length is written, on the curve too.
        for (const char* span : {"30000", "35000", "40000"})
            EXPECT_EQ(CountTexts(records, [&](const QString& text) { return text == QLatin1String(span); }), 2) << span;
        const CPlanTransform t = PageTransform(upright);
        // Each girder is named once, led from its start by a line of its own.
        for (int g = 0; g < g_nGirders; ++g) {
            const QString name = AfxFormat("G%d", g + 1);
            EXPECT_EQ(CountTexts(records, [&](const QString& text) { return text == name; }), 1) << g;
            const auto note = std::find_if(notes.begin(), notes.end(), [&](const LabelNote& n) {
                return n.kind == LabelKind::Girder && n.text == name;
            });
            ASSERT_NE(note, notes.end()) << g;
            EXPECT_EQ(note->anchor, t.Map(g_pDoc->m_aSpans[0].m_aGirderLines[size_t(g)].m_ptStart)) << g;
            EXPECT_TRUE(note->written() && note->led) << g;
            EXPECT_TRUE(std::any_of(records.begin(), records.end(), [&](const CDC::Record& r) {
                return r.op == QLatin1String("LineTo") && CPoint(r.args[0], r.args[1]) == note->anchor;
            })) << g;
        }
        // A node number stands nearer its own node than any other.
        std::vector<CPoint> nodes;
        int numbers = 0;
        for (const LabelNote& n : notes)
            if (n.kind == LabelKind::Node)
                nodes.push_back(n.anchor);
        for (const LabelNote& n : notes) {
            if (n.kind != LabelKind::Node || !n.written())
                continue;
            ++numbers;
            const CPoint c = n.cell.CenterPoint();
            auto d = [&](CPoint p) { return std::hypot(double(c.x - p.x), double(c.y - p.y)); };
            for (CPoint p : nodes)
                EXPECT_TRUE(p == n.anchor || d(n.anchor) < d(p)) << n.text.toStdString();
        }
        EXPECT_GT(numbers, 18);
        // No label or value is crossed by a line, the dimension lines' arcs too, nor stands over
        // another.
        ExpectNone(drawingchecks::LinesThroughTexts(records));
        ExpectNone(drawingchecks::OverlappingTexts(records));
    }
}

// With the dimension lines beside the first girder, the cross members' labels stand beyond the
// last girder's edge, named at the members' ends there; no length is left out, and every label
// stands by what it names or is led to it, clear of the lines.
TEST_F(PlanPageTest, DimensionLinesSendTheCrossMemberLabelsBeyondTheOtherEdge)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        const auto records = Page();
        const CPlanTransform t = PageTransform(upright);
        int members = 0, lengths = 0;
        for (const LabelNote& n : LabelNotes(records)) {
            if (n.kind == LabelKind::Dimension) {
                ++lengths;
                EXPECT_TRUE(n.written()) << n.text.toStdString() << " at " << n.anchor.x << "," << n.anchor.y;
            }
            if (n.kind != LabelKind::Member || !n.written())
                continue;
            ++members;
            bool atLast = false;
            for (const CSpanData& sp : g_pDoc->m_aSpans)
                for (const CPanelPointRecord& pp : sp.m_aPanelPoints)
                    atLast = atLast || n.anchor == t.Map(pp.m_ptLine2);
            EXPECT_TRUE(atLast) << n.text.toStdString();
        }
        EXPECT_EQ(members, PanelPointCount() - (g_nSpans - 1));
        // A span's length and each of its panels'.
        EXPECT_EQ(lengths, PanelPointCount());
        ExpectNone(drawingchecks::StrayLabels(records));
        ExpectNone(drawingchecks::LinesThroughTexts(records));
    }
}

// Eight girders wide over one short span, the dimension lines stand far out beside the first
// girder: on the sideways page, where they run across the sheet, the plan is drawn smaller so
// that every length is written inside the frame, as on the upright page, crossed by no line.
TEST_F(PlanPageTest, AWideDeckWritesEveryLengthInsideTheFrameUprightAndSideways)
{
    using namespace designentry;
    EnterBasic({"単径間鈑桁橋", 1, 8, IDC_FORM_PLATE, IDC_SIDEWALK_RIGHT});
    EnterSpans(std::vector<double>{34500.0}, std::vector<int>{9});
    EnterFraming(10850, 3100, 86.0);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ASSERT_EQ(g_nGirders, 8);
    OpenForm();
    View().m_bPrintPlan = 1;
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        View().CountPages();
        const auto records = Page();
        int lengths = 0;
        for (const LabelNote& n : LabelNotes(records))
            if (n.kind == LabelKind::Dimension) {
                ++lengths;
                EXPECT_TRUE(n.written()) << n.text.toStdString() << " at " << n.anchor.x << "," << n.anchor.y;
            }
        // The span's length and its nine panels'.
        EXPECT_EQ(lengths, 10);
        ExpectNone(drawingchecks::OutsideFrame(records));
        ExpectNone(drawingchecks::LinesThroughTexts(records));
    }
}

// A long single box over six spans, two of them in short panels: the plan fits the page's width
// and its lengths crowd over the short panels. Each is written all the same (one of equal
// panels at the least), in a plan drawn as large as the frame takes, else smaller, and none
// stands on another or on a line.
TEST_F(PlanPageTest, CrowdedLengthsOfALongPlanAreAllWrittenUprightAndSideways)
{
    using namespace designentry;
    EnterBasic({"六径間箱桁橋", 6, 1, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans(std::vector<double>{56000, 18000, 29500, 76500, 33500, 29500}, std::vector<int>{4, 9, 3, 6, 11, 8});
    EnterFraming(2700, 2700, 90.0);
    EnterBoxShape(5800.0);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    ASSERT_EQ(g_nSpans, 6);
    OpenForm();
    View().m_bPrintPlan = 1;
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        View().CountPages();
        const auto records = Page();
        ExpectNone(drawingchecks::LeftOutLabels(records));
        ExpectNone(drawingchecks::OutsideFrame(records));
        ExpectNone(drawingchecks::LinesThroughTexts(records));
        ExpectNone(drawingchecks::OverlappingTexts(records));
    }
}

// The labels at their usual places stand as far from what they name, counted in their texts'
// heights, on the sideways page, written larger and drawn at another scale, as upright: with
// and without the dimension lines, which send the cross members' labels to the other edge.
TEST_F(PlanPageTest, ASidewaysPageKeepsTheLabelsDistancesInTextHeights)
{
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl"}) {
        for (int dimensions : {0, 1}) {
            SCOPED_TRACE(testing::Message() << file << (dimensions ? " with dimensions" : ""));
            Open(file);
            g_pDoc->m_bPlanShowSpanLengths = dimensions;
            g_pDoc->m_bPlanShowPanelLengths = dimensions;
            Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, true);
            const auto upright = Page();
            Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, false);
            const auto sideways = Page();
            int members = 0;
            for (const LabelNote& n : LabelNotes(sideways))
                members += n.kind == LabelKind::Member && n.written() && n.place == 0;
            EXPECT_GT(members, 0);
            const QStringList unturned = drawingchecks::UnturnedLabels(upright, sideways);
            EXPECT_TRUE(unturned.isEmpty()) << unturned.join(u'\n').toStdString();
        }
    }
}

// At the skewed far end the girders' end squares step across: each end node's number stands
// on its own girder's line drawn on, not on the next one's.
TEST_F(PlanPageTest, AtASkewedEndEachNumberStandsOnItsOwnGirdersLine)
{
    Open("plate_3span_skew.mvl");
    const CSpanData& sp = g_pDoc->m_aSpans[size_t(g_nSpans - 1)];
    const CPanelPointRecord& end = sp.m_aPanelPoints[size_t(sp.m_nPanels)];
    const CPanelPointRecord& before = sp.m_aPanelPoints[size_t(sp.m_nPanels - 1)];
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        const auto notes = LabelNotes(Page());
        const CPlanTransform t = PageTransform(upright);
        // Distance of a point from girder g's last panel drawn on.
        auto off = [&](CPoint c, int g) {
            const CPoint a = t.Map(before.m_aptGirder[size_t(g)]), b = t.Map(end.m_aptGirder[size_t(g)]);
            const double dx = b.x - a.x, dy = b.y - a.y;
            return std::fabs((c.x - a.x) * dy - (c.y - a.y) * dx) / std::hypot(dx, dy);
        };
        int written = 0;
        for (int g = 0; g < g_nGirders; ++g) {
            const QString text = AfxFormat("%d", end.m_anNodes[size_t(g)]);
            for (const LabelNote& n : notes) {
                if (n.kind != LabelKind::Node || n.text != text || !n.written())
                    continue;
                ++written;
                EXPECT_EQ(n.anchor, t.Map(end.m_aptGirder[size_t(g)]));
                for (int other = 0; other < g_nGirders; ++other) {
                    if (other != g) {
                        EXPECT_LT(off(n.cell.CenterPoint(), g), off(n.cell.CenterPoint(), other))
                            << text.toStdString() << " by G" << other + 1;
                    }
                }
            }
        }
        EXPECT_EQ(written, g_nGirders);
    }
}

// The section's caption stands at the top left of the plan's first page, inside its frame: a
// curved plate bridge whose last node stands there sideways numbers it clear of the caption, and
// nothing the page draws runs through it, upright or sideways, with its lengths shown.
TEST_F(PlanPageTest, TheSectionsCaptionStandsClearOfThePlanUprightAndSideways)
{
    const designgen::Design d = designgen::Generate(435, 0);
    ASSERT_TRUE(d.planLengths);
    designgen::EnterDesign(d);
    ASSERT_NO_FATAL_FAILURE(RunGrillage());
    OpenForm();
    View().m_bPrintPlan = 1;
    g_pDoc->m_bPlanShowSpanLengths = 1;
    g_pDoc->m_bPlanShowPanelLengths = 1;
    for (bool upright : {true, false}) {
        SCOPED_TRACE(upright ? "upright" : "sideways");
        Orientation(IDC_PR_PLAN_PORTRAIT, IDC_PR_PLAN_LANDSCAPE, upright);
        View().CountPages();
        CDC dc;
        dc.SetResolution(600, 600);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        CPrintInfo info;
        info.m_nCurPage = UINT(View().m_anSectionStart[CPrintView::RS_PLAN]);
        View().PrintPlan(&dc, &info);
        ASSERT_EQ(View().DrawSectionHeading(&dc, &info), 1);
        const auto records = dc.Records();
        ExpectNone(drawingchecks::CrowdedTexts(records));
        ExpectNone(drawingchecks::LinesThroughTexts(records));
    }
}

// A plan whose lines run through a text the page writes is fitted below it, and its labels
// keep clear of it.
TEST_F(PlanPageTest, APlanRunningThroughThePagesOwnTextIsFittedBelowIt)
{
    Open("plate_3span_skew.mvl");
    CMarivoltenDoc* doc = g_pDoc;
    CPrintInfo info;
    const CRect frame = doc->PageFrameRect(&info);
    CPlanDrawer plan;
    plan.m_dOwnAngle = 90.0;
    plan.m_bTurnedText = 1;
    const CPlanFit fit = FitPlanToPage(*doc, 90.0, View().m_sizePage, doc->m_nMarginLeft, doc->m_nMarginRight,
                                       doc->m_nMarginTop, doc->m_nMarginBottom, 0.65, 10.0);
    ASSERT_TRUE(fit.m_bValid);
    plan.m_dScale = fit.m_dScale;
    plan.m_ptOrigin = fit.m_ptOrigin;
    auto page = [&](CPlanDrawer& p) {
        CDC dc;
        dc.SetResolution(600, 600);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        CLabelRoom room(&dc, frame);
        p.KeepLabelsOffMarks(&dc, doc, true);
        p.DrawPage(&dc, doc);
        return dc.Records();
    };
    auto through = [](const std::vector<CDC::Record>& records, const CRect& cell) {
        CDC probe;
        CLabelRoom lines(&probe);
        lines.KeepOffMarks(records);
        lines.KeepOffLines(records);
        return !lines.IsClear(cell);
    };
    auto fitted = [&](CPlanDrawer p) {
        CDC dc;
        dc.SetResolution(600, 600);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SelectObject(&View().m_font[0]);
        p.KeepInFrame(&dc, doc, frame);
        return p;
    };
    CPlanDrawer plain = fitted(plan);
    const std::vector<CDC::Record> before = page(plain);
    // A caption's cell across the whole sideways plan, a tenth of its length below its top.
    const CRect b = DrawnBounds(before);
    const int y = b.bottom - b.Height() / 10;
    const CRect cell(b.left, y - 20, b.right, y + 20);
    ASSERT_TRUE(through(before, cell));
    plan.m_rcPageText = cell;
    CPlanDrawer kept = fitted(plan);
    const std::vector<CDC::Record> after = page(kept);
    EXPECT_FALSE(through(after, cell));
    EXPECT_LT(DrawnBounds(after).bottom, cell.top);
    for (const CDC::Record& r : after) {
        if (!drawingchecks::IsText(r))
            continue;
        EXPECT_TRUE(r.box.right < cell.left || r.box.left > cell.right || r.box.bottom < cell.top ||
                    r.box.top > cell.bottom)
            << r.text.toStdString();
    }
}

}
