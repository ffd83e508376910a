// The cross-section window: its drawer on stations of a two-span design (the span a station
// belongs to, its heights, the section body and its dimensions, the turned twins), then the
// example designs with the scroll sizes, the bar and the printout.
#include "common/bar_input.h"
#include "common/design_generator.h"
#include "common/drawing_checks.h"
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "framework/format.h"
#include "framework/print.h"
#include "geometry/records.h"
#include "views/dimension_line.h"
#include "views/drawing_views.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kConcrete = RGB(191, 191, 191);
constexpr COLORREF kSteel = RGB(255, 192, 192);
constexpr COLORREF kAnyBrush = 0xFFFFFFFF;

std::vector<CDC::Record> Records(const CDC& dc, const char* op, COLORREF brush = kAnyBrush)
{
    std::vector<CDC::Record> out = barinput::Calls(dc, op);
    std::erase_if(out, [&](const CDC::Record& r) { return brush != kAnyBrush && r.brushColor != brush; });
    return out;
}

// A two-span design of the default cross section, its stations' records at hand.
class SectionDrawerTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        ASSERT_EQ(g_nSpans, 2);
        dc.SetMapMode(MM_LOMETRIC);
    }
    static CStationRecord& Station(int span, int local) { return g_pDoc->m_aSpans[size_t(span)].m_aStations[size_t(local)]; }
    static int Support(int k) { return g_pDoc->m_anSupportStation[k]; }
    CCrossSectionDrawer SetUpAt(int station)
    {
        CCrossSectionDrawer d;
        EXPECT_EQ(d.Setup(g_pDoc, station), 1);
        return d;
    }
    const CPoint kOrigin{1000, -1000};
    const CDPoint kScale{100.0, 100.0};
    CDC dc;
};

TEST(MakeRect, TurnsAQuarterOntoTheSidewaysPage)
{
    // At 270 degrees (x, y) lands on (-y - 420, x - 2384).
    EXPECT_EQ(CCrossSectionDrawer::MakeRect(270.0, 100, -300, 50, 20), CRect(-120, -2284, -440, -2334));
    EXPECT_EQ(CCrossSectionDrawer::MakeRect(270.0, 0, 0, 0, 0), CRect(-420, -2384, -420, -2384));
    // Other angles than quarters have no sideways page: every point on one spot.
    EXPECT_EQ(CCrossSectionDrawer::MakeRect(45.0, 100, -300, 50, 20), CRect(-420, -2384, -420, -2384));
}

TEST_F(SectionDrawerTest, ASupportBetweenTwoSpansIsTheLastStationOfTheFirst)
{
    const int pier = Support(1);
    Station(0, int(g_pDoc->m_aSpans[0].m_aStations.size()) - 1).m_adB[1] = 0.55;
    Station(1, 0).m_adB[1] = 0.66;
    Station(1, 1).m_adB[1] = 0.77;
    EXPECT_DOUBLE_EQ(SetUpAt(pier).B(2), 0.55);
    EXPECT_DOUBLE_EQ(SetUpAt(pier + 1).B(2), 0.77);
    const CCrossSectionDrawer first = SetUpAt(0);
    EXPECT_DOUBLE_EQ(first.m_dWidth, Station(0, 0).m_dWidth);
    EXPECT_DOUBLE_EQ(first.m_dAngle, Station(0, 0).m_dSkew);
    // The girder positions: the first at B11, the last at W - B12.
    EXPECT_NEAR(first.GirderX(g_nGirders - 1), first.m_dWidth - first.B(12), 1e-9);
    EXPECT_DOUBLE_EQ(first.m_adX[14], first.m_dWidth - first.B(12));
}

TEST_F(SectionDrawerTest, EdgeBlockHeightsFollowTheSidewalks)
{
    CStationRecord& st = Station(0, 0);
    const double H[12] = {0.25, 0.03, 0.26, 0.08, 0.21, 0.2, 0.07, 0.24, 0.04, 0.27, 0.1, 0.12};
    std::copy(std::begin(H), std::end(H), st.m_adH);
    for (int sidewalk = 0; sidewalk < 4; ++sidewalk) {
        g_pDoc->m_dlgBasic.m_nSidewalk = sidewalk;
        const CCrossSectionDrawer d = SetUpAt(0);
        const bool left = sidewalk == 1 || sidewalk == 3, right = sidewalk >= 2;
        EXPECT_DOUBLE_EQ(d.m_adHeight[12], left ? 0.25 + 0.03 + 0.26 : 0.25 + 0.08) << sidewalk;
        EXPECT_DOUBLE_EQ(d.m_adHeight[13], right ? 0.24 + 0.04 + 0.27 : 0.24 + 0.07) << sidewalk;
        EXPECT_DOUBLE_EQ(d.m_adHeight[0], d.m_adHeight[12] + 0.21);
    }
    EXPECT_DOUBLE_EQ(SetUpAt(0).m_adHeight[20], (0.26 + 0.1 + 0.08 - 0.03) / 2);
    // A mount lower than its pavement counts as none.
    st.m_adH[1] = 1.0;
    EXPECT_EQ(SetUpAt(0).m_adHeight[20], 0.0);
}

TEST_F(SectionDrawerTest, VaryingHeightsTakeTheNextProfilePointWithoutInterpolating)
{
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    const double L0 = g_adSpanLength[0], L1 = g_adSpanLength[1];
    CPolyline2D* profile = g_pDoc->m_apGirderProfiles[0];
    ASSERT_NE(profile, nullptr);
    profile->m_aPoints = {{0, 1.0}, {L0 / 2, 1.2}, {L0, 1.4}, {0, 1.6}, {L1 / 2, 1.8}, {L1, 2.0}};
    const int free0 = 1, free1 = Support(1) + 1;
    auto heightAt = [&](int station, int span, int local, double position) {
        Station(span, local).m_dPosition = position;
        return SetUpAt(station).m_adGirderHeight[0];
    };
    EXPECT_EQ(heightAt(free0, 0, 1, L0 / 4), 1.2);
    // A millimetre's grace before a point, none after it.
    EXPECT_EQ(heightAt(free0, 0, 1, L0 / 2 + 0.0005), 1.2);
    EXPECT_EQ(heightAt(free0, 0, 1, L0 / 2 + 0.002), 1.4);
    // The second span's points lie after the first span's length.
    EXPECT_EQ(heightAt(free1, 1, 1, L1 / 4), 1.8);
    EXPECT_EQ(heightAt(Support(2), 1, int(g_pDoc->m_aSpans[1].m_aStations.size()) - 1, L1), 2.0);
    // With constant heights the dialog's height of the girder.
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    g_pDoc->m_dlgPlateGirder.m_adGirderHeight[0] = 2.345;
    EXPECT_EQ(SetUpAt(free0).m_adGirderHeight[0], 2.345);
}

TEST_F(SectionDrawerTest, SectionBodyReachesTheDeckEdgesWithItsHaunches)
{
    CCrossSectionDrawer d = SetUpAt(0);
    ASSERT_GT(d.m_nGirders, 1);
    d.DrawSection(&dc, kOrigin, kScale);
    const auto rects = Records(dc, "Rectangle", kConcrete);
    ASSERT_FALSE(rects.empty());
    // The slab first, from the deck's underside to H5.
    EXPECT_EQ(rects[0].args, (std::vector<int>{1000, -1000, 1000 + int(d.m_dWidth * 100), -1000 + int(d.H(5) * 100)}));
    const auto haunches = Records(dc, "Polygon", kConcrete);
    ASSERT_EQ(int(haunches.size()), g_nGirders);
    EXPECT_EQ(haunches.front().args[0], 1000);
    EXPECT_EQ(haunches.back().args[2], 1000 + int(d.m_dWidth * 100));
    // A plate girder: two flanges and a web 4 units wide per girder, as outlines.
    const auto steel = Records(dc, "Polygon", kSteel);
    int webs = 0;
    for (const CDC::Record& r : steel)
        webs += r.args.size() == 8 && std::abs(r.args[2] - r.args[0]) == 4;
    EXPECT_EQ(webs, g_nGirders);
}

TEST_F(SectionDrawerTest, SingleBoxHasOneHaunchAndOneBoxOnLineOne)
{
    CCrossSectionDrawer d = SetUpAt(0);
    d.m_nBridgeType = 2;
    d.m_nGirders = 3;
    d.m_dGirderSpacing = (d.m_dWidth - d.B(11) - d.B(12)) / 2;
    d.DrawSection(&dc, kOrigin, kScale);
    ASSERT_EQ(Records(dc, "Polygon", kConcrete).size(), 1u);
    const auto steel = Records(dc, "Polygon", kSteel);
    // Top flange first below the slab: 0.1 m beyond each web.
    auto box = std::find_if(steel.begin(), steel.end(), [&](const CDC::Record& r) {
        return r.args[1] < kOrigin.y && std::abs(r.args[2] - r.args[0]) > 100;
    });
    ASSERT_NE(box, steel.end());
    EXPECT_NEAR(box->args[0], 1000 + (d.B(11) - 0.1) * 100, 1.0);
    EXPECT_NEAR(box->args[2], 1000 + (d.m_dWidth - d.B(12) + 0.1) * 100, 1.0);
    // One girder height and one haunch width.
    dc.ClearRecords();
    d.DrawDetailDimensions(&dc, kOrigin, kScale);
    const QStringList texts = barinput::Texts(dc);
    EXPECT_EQ(texts.count(AfxFormat("%0.0f", d.m_adGirderHeight[1] * 1000)), 1);
    EXPECT_EQ(texts.count(AfxFormat("%0.0f", d.m_adHaunchWidth[1] * 1000)), 1);
}

TEST_F(SectionDrawerTest, PrintTwinTurnsEveryShape)
{
    CCrossSectionDrawer d = SetUpAt(Support(1));
    CDC upright, turned;
    d.DrawSection(&upright, kOrigin, kScale);
    d.DrawSectionForPrint(&turned, kOrigin, kScale);
    for (const char* op : {"Rectangle", "Polygon", "LineTo"}) {
        const std::vector<CDC::Record> a = Records(upright, op);
        const std::vector<CDC::Record> b = Records(turned, op);
        ASSERT_EQ(a.size(), b.size()) << op;
        for (size_t i = 0; i < a.size(); ++i)
            for (size_t k = 0; k + 1 < a[i].args.size(); k += 2) {
                EXPECT_EQ(b[i].args[k], -a[i].args[k + 1] - 420) << op << i;
                EXPECT_EQ(b[i].args[k + 1], a[i].args[k] - 2384) << op << i;
            }
    }
    // The dimensions too, with their labels turned to read along them.
    upright.ClearRecords();
    turned.ClearRecords();
    d.DrawWidthDimensions(&upright, kOrigin, kScale);
    d.DrawGirderLayoutDimensions(&upright, kOrigin, kScale);
    d.DrawDetailDimensions(&upright, kOrigin, kScale);
    d.DrawWidthDimensionsForPrint(&turned, kOrigin, kScale);
    d.DrawGirderLayoutDimensionsForPrint(&turned, kOrigin, kScale);
    d.DrawDetailDimensionsForPrint(&turned, kOrigin, kScale);
    EXPECT_EQ(Records(upright, "LineTo").size(), Records(turned, "LineTo").size());
    EXPECT_EQ(barinput::Texts(upright), barinput::Texts(turned));
    for (const CDC::Record& r : Records(turned, "TextOut"))
        EXPECT_EQ(r.escapement, 900);
}

TEST_F(SectionDrawerTest, MedianAndCurbDimensionsOnlyWhereTheyExist)
{
    CStationRecord& st = Station(0, 0);
    auto dimensions = [&]() {
        dc.ClearRecords();
        CCrossSectionDrawer d = SetUpAt(0);
        d.DrawWidthDimensions(&dc, kOrigin, kScale);
        d.DrawGirderLayoutDimensions(&dc, kOrigin, kScale);
        d.DrawDetailDimensions(&dc, kOrigin, kScale);
        return d;
    };
    auto centreLines = [&]() {
        return std::count_if(dc.Records().begin(), dc.Records().end(), [](const CDC::Record& r) {
            return r.op == QLatin1String("LineTo") && r.penStyle == PS_DASHDOT && r.penColor == kBlue;
        });
    };
    // No median: no centre lines, one carriageway between the curbs.
    st.m_adB[3] = 0.0;
    st.m_adH[11] = 0.0;
    CCrossSectionDrawer d = dimensions();
    EXPECT_EQ(centreLines(), 0);
    const QString carriageway = AfxFormat("%0.0f", (d.m_adX[8] - d.m_adX[7]) * 1000);
    EXPECT_TRUE(barinput::Texts(dc).contains(carriageway));
    // No right curb height, and no label reads zero.
    EXPECT_FALSE(barinput::Texts(dc).contains(QStringLiteral("0")));
    // A median 0.5 wide and 0.23 high; a right curb 120 high.
    st.m_adB[3] = 0.5;
    st.m_adH[5] = 0.23;
    st.m_adH[11] = 0.12;
    d = dimensions();
    EXPECT_EQ(centreLines(), 2);
    EXPECT_TRUE(barinput::Texts(dc).contains(QStringLiteral("230")));
    EXPECT_TRUE(barinput::Texts(dc).contains(QStringLiteral("120")));
    EXPECT_FALSE(barinput::Texts(dc).contains(carriageway));
    // A median sunk below the pavement keeps its rows but has no height dimension.
    st.m_adH[5] = -0.23;
    d = dimensions();
    EXPECT_EQ(centreLines(), 2);
    EXPECT_FALSE(barinput::Texts(dc).contains(QStringLiteral("230")));
}

TEST_F(SectionDrawerTest, GirderLabelsKeepClearOfTheWebs)
{
    CCrossSectionDrawer d = SetUpAt(0);
    // The section and its details, their labels laid out clear of the lines as the window
    // lays them out.
    auto draw = [&] {
        DrawLabelled(
            &dc,
            [&d](CDC* c, CPoint o, CDPoint k) {
                d.DrawSection(c, o, k);
                d.DrawDetailDimensions(c, o, k);
            },
            kOrigin, kScale);
    };
    // Box girders: the height label of every girder left of its line, inside the box, where
    // on the right it would cross the web.
    d.m_nBridgeType = 1;
    draw();
    CDimensionLine line;
    CFont* old = dc.SelectObject(&line.m_font);
    auto crossesAWeb = [&](const CRect& cell) {
        for (int i = 0; i < g_nGirders; ++i)
            for (double web : {d.GirderX(i) - 0.9, d.GirderX(i) + 0.9})
                if (cell.left <= kOrigin.x + int(web * 100) && kOrigin.x + int(web * 100) <= cell.right)
                    return true;
        return false;
    };
    const QString height = AfxFormat("%0.0f", d.m_adGirderHeight[0] * 1000);
    const QString haunch = AfxFormat("%0.0f", d.m_adHaunchHeight[0] * 1000);
    // The labels of what stands below the slab: the girders and their haunches.
    int labels = 0;
    for (const LabelNote& n : LabelNotes(dc.Records()))
        if ((n.text == height || n.text == haunch) && n.anchor.y < kOrigin.y && n.written()) {
            ++labels;
            EXPECT_FALSE(crossesAWeb(n.cell)) << n.text.toStdString();
        }
    EXPECT_EQ(labels, 2 * g_nGirders);
    // A plate girder's labels stay right of their lines.
    dc.ClearRecords();
    d.m_nBridgeType = 0;
    draw();
    for (const CDC::Record& r : Records(dc, "TextOut")) {
        if (r.text != height)
            continue;
        bool right = false;
        for (int i = 0; i < g_nGirders; ++i) {
            const int line = kOrigin.x + int((d.GirderX(i) + d.m_adHaunchWidth[i] / 2) * 100);
            right |= r.args[0] > line && r.args[0] < line + 20;
        }
        EXPECT_TRUE(right) << r.args[0];
    }
    dc.SelectObject(old);
}

// The example designs in the cross-section window.
class SectionViewTest : public ShellTest {
protected:
    void Open(const char* file)
    {
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QString::fromLatin1(file))));
        Command(ID_VIEW_SECTION);
        ASSERT_NE(g_pSectionView, nullptr);
        QCoreApplication::processEvents();
        dc.SetMapMode(MM_LOMETRIC);
    }
    static CSectionBar& Bar() { return static_cast<CChildSectionFrame*>(g_pSectionView->GetParentFrame())->m_wndBar; }
    template <class T>
    static T* Control(int id) { return barinput::Control<T>(Bar(), id); }
    static QString Text(int id) { return barinput::Text(Bar(), id); }
    const std::vector<CDC::Record>& Draw() { return barinput::Redraw(dc, g_pSectionView); }
    // Width of the slab drawn.
    int SlabWidth() const
    {
        const auto rects = Records(dc, "Rectangle", kConcrete);
        return rects.empty() ? -1 : rects[0].args[2] - rects[0].args[0];
    }
    CDC dc;
};

TEST_F(SectionViewTest, ScrollSizesAndScalesArriveInTenths)
{
    Open("plate_3span_skew.mvl");
    Draw();
    EXPECT_EQ(g_pSectionView->GetTotalSize(), CSize(5500, 5500));
    EXPECT_EQ(g_pSectionView->GetPageSize(), CSize(11, 11));
    EXPECT_EQ(g_pSectionView->GetLineSize(), CSize(2, 2));
    const int width = SlabWidth();
    for (int tenths : {2, 3, 7, 12}) {
        g_pSectionView->SendMessage(WM_SECTION_SCALE, 0, tenths);
        EXPECT_EQ(g_pDoc->m_dSectionScale, tenths / 10.0);
        Draw();
        EXPECT_NEAR(SlabWidth(), width * tenths / 10.0, 1.0);
    }
    EXPECT_EQ(g_pSectionView->GetTotalSize(), CSize(6600, 6600));
    EXPECT_EQ(g_pSectionView->m_ptOrigin, CPoint(240, -1080));
    // A station kept beyond the count shows the last one, one below it the first.
    g_pDoc->m_nCurCrossSection = 999;
    Draw();
    EXPECT_EQ(SlabWidth(), int(g_pSectionView->m_pDrawers[size_t(g_nCrossSections - 1)].m_dWidth * 120));
    g_pDoc->m_nCurCrossSection = -4;
    Draw();
    EXPECT_EQ(SlabWidth(), int(g_pSectionView->m_pDrawers[0].m_dWidth * 120));
}

TEST_F(SectionViewTest, AtEveryScaleTheDrawingAndItsLabelsLieInsideTheScrolledArea)
{
    // Small drawings keep their texts' size: the left dimensions' values reach far past the
    // deck's edge.
    Open("plate_3span_skew.mvl");
    for (int tenths : {2, 3, 5, 10, 20, 50})
        for (int station = 0; station < g_nCrossSections; station += tenths == 2 ? 1 : 4) {
            g_pDoc->m_nCurCrossSection = station;
            g_pSectionView->SendMessage(WM_SECTION_SCALE, 0, tenths);
            const CRect drawn = DrawnBounds(Draw());
            const CSize total = g_pSectionView->GetTotalSize();
            ASSERT_GT(drawn.Width(), 0);
            EXPECT_TRUE(drawn.left >= 0 && drawn.right <= total.cx && drawn.top >= -total.cy && drawn.bottom <= 0)
                << "scale " << tenths << " tenths, station " << station << ": drawn " << drawn.left << ", "
                << drawn.top << " .. " << drawn.right << ", " << drawn.bottom << " in " << total.cx << " x " << total.cy;
        }
}

// On screen the section's labels are laid out as on paper at every scale, once for a scale and
// station: a repaint or a scroll only draws that layout again; the design's update lays it out anew.
// At 0.2 the section is two centimetres wide: its labels are written smaller or led off.
TEST_F(SectionViewTest, OnScreenTheLabelsAreLaidOutOnceAsOnPaper)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_nCurCrossSection = 2;
    for (int tenths : {2, 5, 10, 50}) {
        SCOPED_TRACE(tenths);
        g_pSectionView->SendMessage(WM_SECTION_SCALE, 0, tenths);
        const int layouts = g_pSectionView->m_laidOut.Layouts();
        const std::vector<CDC::Record> records = Draw();
        const QStringList faults = drawingchecks::LabelFaults(records);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        g_pSectionView->ScrollToPosition(CPoint(100, -300));
        EXPECT_EQ(Draw().size(), records.size());
        EXPECT_EQ(g_pSectionView->m_laidOut.Layouts(), layouts);
    }
    const int layouts = g_pSectionView->m_laidOut.Layouts();
    g_pDoc->UpdateAllViews(nullptr);
    Draw();
    EXPECT_EQ(g_pSectionView->m_laidOut.Layouts(), layouts + 1);
}

// Seven plate girders 1.06 m apart and 3.5 m deep: at the smallest scales their depths, haunches
// and names, and the loads' values over them, find no room between the webs at the labels' size.
TEST_F(SectionViewTest, OnScreenCloseGirdersLabelsReadAtTheSmallestScalesOfBothWindows)
{
    StartNewDesign();
    const designgen::Design d = designgen::Generate(229);
    designgen::EnterDesign(d);
    ASSERT_EQ(designgen::Mismatch(d), QString());
    Command(ID_VIEW_SECTION);
    Command(ID_VIEW_LOAD);
    ASSERT_TRUE(g_pSectionView && g_pLoadView);
    QCoreApplication::processEvents();
    dc.SetMapMode(MM_LOMETRIC);
    const QStringList names{QStringLiteral("G1"), QStringLiteral("G7")};
    for (const auto& [view, message] : {std::pair<CView*, UINT>{g_pSectionView, WM_SECTION_SCALE}, {g_pLoadView, WM_LOAD_SCALE}})
        for (int tenths : {2, 5, 7})
            for (int station : {0, g_pDoc->m_anSupportStation[1] + 1}) {
                SCOPED_TRACE(testing::Message() << (view == g_pLoadView ? "load" : "section") << ", scale " << tenths
                                                << " tenths, station " << station);
                g_pDoc->m_nCurCrossSection = station;
                view->SendMessage(message, 0, tenths);
                const std::vector<CDC::Record>& records = barinput::Redraw(dc, view);
                const QStringList faults = drawingchecks::LabelFaults(records);
                EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
                EXPECT_TRUE(view == g_pSectionView || drawingchecks::MissingTexts(records, names).isEmpty());
            }
    // The load window alone, at a station and its scales (seed 53's design does not take every
    // value drawn):
    // - seed 53 at 0.5: a railing's value at a deck edge, written smaller, slid no farther off
    //   than its smaller heights allow, led back from beyond;
    // - seed 29 at 0.2: a slab's note on a deck 1.8 cm wide, its pavements' notes over it: led out
    //   beyond the deck's edge, it keeps clear of the edge's line by its width as written small;
    // - seed 51 at a pier: seven plate girders 0.6 m apart and 7.4 m deep, a left carriageway
    //   half a metre wide: at 0.7 a depth asked beside its line between the webs is led past the
    //   next web; at 0.5 the narrow carriageway's note takes its place above its layer before the
    //   wider one's.
    struct LoadCase {
        unsigned seed;
        int station;
        std::vector<int> tenths;
        bool asDrawn = true;
    };
    for (const LoadCase& k : {LoadCase{53, 0, {5}, false}, LoadCase{29, 0, {2}}, LoadCase{51, 3, {5, 7}}}) {
        StartNewDesign();
        const designgen::Design design = designgen::Generate(k.seed);
        designgen::EnterDesign(design);
        ASSERT_TRUE(!k.asDrawn || designgen::Mismatch(design).isEmpty()) << designgen::Mismatch(design).toStdString();
        Command(ID_VIEW_LOAD);
        g_pDoc->m_nCurCrossSection = k.station;
        for (int tenths : k.tenths) {
            SCOPED_TRACE(testing::Message() << "seed " << k.seed << ", scale " << tenths << " tenths");
            g_pLoadView->SendMessage(WM_LOAD_SCALE, 0, tenths);
            const QStringList faults = drawingchecks::LabelFaults(barinput::Redraw(dc, g_pLoadView));
            EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        }
    }
}

TEST_F(SectionViewTest, BarChoosesTheStationBothWindowsShow)
{
    Open("box2_2span.mvl");
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_SECTION_SUPPORT), QStringLiteral("   1"));
    EXPECT_EQ(Text(IDC_SECTION_SCALE), QStringLiteral(" 1.0"));
    Control<CSpinButtonCtrl>(IDC_SECTION_SUPPORT_SPIN)->Step(1);
    const int pier = g_pDoc->m_anSupportStation[1];
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, pier);
    EXPECT_EQ(Text(IDC_SECTION_STATION), AfxFormat("%4d", pier + 1));
    Control<CSpinButtonCtrl>(IDC_SECTION_STATION_SPIN)->Step(-1);
    EXPECT_EQ(Text(IDC_SECTION_SUPPORT), QStringLiteral("  －"));
    // The window draws the station chosen; the load window shares it.
    Draw();
    EXPECT_EQ(SlabWidth(), int(g_pSectionView->m_pDrawers[size_t(pier - 1)].m_dWidth * 100));
    Command(ID_VIEW_LOAD);
    ASSERT_NE(g_pLoadView, nullptr);
    auto& load = static_cast<CChildLoadFrame*>(g_pLoadView->GetParentFrame())->m_wndBar;
    load.Refresh();
    EXPECT_EQ(barinput::Text(load, IDC_LOAD_STATION), AfxFormat("%4d", pier));
    // The slider's scales go to the cross-section window only.
    const double loadScale = g_pDoc->m_dLoadScale;
    barinput::Slide(Bar(), IDC_SECTION_SCALE_SLIDER, 5);
    EXPECT_EQ(g_pDoc->m_dSectionScale, 2.0);
    EXPECT_EQ(g_pDoc->m_dLoadScale, loadScale);
    EXPECT_EQ(Text(IDC_SECTION_SCALE), QStringLiteral(" 2.0"));
}

TEST_F(SectionViewTest, PrintsOneA4PageInThePageFrame)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_nCurCrossSection = 2;
    const double scale = g_pDoc->m_dSectionScale;
    CPrintInfo info;
    dc.SetPrinting(true);
    g_pSectionView->OnPrint(&dc, &info);
    EXPECT_EQ(g_pDoc->m_dSectionScale, scale);
    const QStringList texts = barinput::Texts(dc);
    EXPECT_TRUE(texts.contains(g_pDoc->GetTitle() + QStringLiteral("_横断面 3 形状")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- 1 -")));
    EXPECT_EQ(Records(dc, "Rectangle", RGB(255, 255, 255)).size(), 1u);
    barinput::ExpectDrawnInside(dc, barinput::PageFrame(dc));
    // One print dialog for the job, on A4.
    int dialogs = 0;
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("section.pdf"));
    AfxSetPrintHook([&](CPrintInfo* p) {
        dialogs += !p->m_bPreview;
        return pdf;
    });
    EXPECT_TRUE(AfxPrintView(g_pSectionView, PrintMode::Print));
    AfxSetPrintHook({});
    EXPECT_EQ(dialogs, 1);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("/Count 1"));
    EXPECT_TRUE(bytes.contains("/MediaBox [0 0 595"));
}

// Girders at both ends of the heights the input takes (0.1 m and 10 m): the page holds the
// whole drawing with its dimensions, no label over another, none crossing the lines of the
// girder's own dimensions where a clear place exists.
TEST_F(SectionViewTest, PrintedGirdersOfExtremeHeightsStayInTheFrame)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    CPrintInfo info;
    dc.SetPrinting(true);
    for (double h : {10.0, 0.1}) {
        SCOPED_TRACE(h);
        for (int g = 0; g < g_nGirders; ++g)
            g_pDoc->m_dlgPlateGirder.m_adGirderHeight[g] = h;
        dc.ClearRecords();
        g_pSectionView->OnPrint(&dc, &info);
        const auto& records = dc.Records();
        EXPECT_TRUE(drawingchecks::OutsideFrame(records).isEmpty())
            << drawingchecks::OutsideFrame(records).join(u'\n').toStdString();
        EXPECT_TRUE(drawingchecks::OverlappingTexts(records).isEmpty())
            << drawingchecks::OverlappingTexts(records).join(u'\n').toStdString();
        EXPECT_GT(std::count_if(records.begin(), records.end(),
                                [&](const CDC::Record& r) { return r.text == AfxFormat("%.0f", h * 1000.0); }),
                  0);
    }
}

TEST_F(SectionViewTest, WithoutSpansNeitherStationWindowDrawsOrPrints)
{
    Open("plate_3span_skew.mvl");
    const int spans = g_nSpans;
    g_nSpans = 0;
    for (UINT command : {UINT(ID_VIEW_SECTION), UINT(ID_VIEW_LOAD)}) {
        Command(command);
        CView* view = command == ID_VIEW_SECTION ? static_cast<CView*>(g_pSectionView) : g_pLoadView;
        EXPECT_TRUE(barinput::Redraw(dc, view).empty());
        CPrintInfo info;
        view->OnPrint(&dc, &info);
        EXPECT_TRUE(dc.Records().empty());
        EXPECT_FALSE(Update(ID_FILE_PRINT).m_bEnabled);
    }
    g_nSpans = spans;
}

TEST_F(SectionViewTest, TheEstimateKeepsADrawerPerStation)
{
    Open("box1_1span.mvl");
    ASSERT_EQ(g_pDoc->m_nStationDrawers, g_nCrossSections);
    for (int i = 0; i < g_nCrossSections; ++i)
        EXPECT_EQ(g_pDoc->m_pStationDrawers[size_t(i)].m_dWidth, g_pSectionView->m_pDrawers[size_t(i)].m_dWidth);
    EXPECT_EQ(g_pDoc->m_pStationDrawers[0].m_nBridgeType, 2);
}

} // namespace
