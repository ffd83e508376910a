// The load diagram window: the rows of a station's dead loads with their blocks, markers and
// values on a two-span design, the turned twins of the sideways page, then the example
// designs with the scroll sizes, the scale and the printout.
#include "common/drawing_checks.h"
#include "common/bar_input.h"
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
#include <algorithm>

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kBlock = RGB(255, 192, 192);

using barinput::Calls;

// Width of a text in the diagram's font.
int TextWidth(CDC& dc, const QString& text)
{
    CFont font;
    font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CFont* old = dc.SelectObject(&font);
    const int cx = dc.GetTextExtent(text).cx;
    dc.SelectObject(old);
    return cx;
}

const CDC::Record* FindText(const CDC& dc, const QString& text)
{
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut") && r.text == text)
            return &r;
    return nullptr;
}

// A two-span design of the default cross section and dead loads, in SI units.
class LoadDiagramTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        ASSERT_EQ(g_nSpans, 2);
        ASSERT_EQ(g_bSIUnits, 1);
        dc.SetMapMode(MM_LOMETRIC);
    }
    static CStationRecord& Station0() { return g_pDoc->m_aSpans[0].m_aStations[0]; }
    static double* DeadLoads() { return g_pDoc->m_dlgDeadLoad.m_adValue; }
    static CLoadDiagram SetUpAt(int station, int sidewalk)
    {
        g_pDoc->m_dlgBasic.m_nSidewalk = sidewalk;
        CLoadDiagram d;
        EXPECT_EQ(d.Setup(g_pDoc, station), 1);
        return d;
    }
    // The loads and their values drawn upright.
    void DrawLoads(CLoadDiagram& d, int sidewalk)
    {
        dc.ClearRecords();
        d.DrawLoadAreas(&dc, sidewalk, kOrigin, kScale.x, kScale.y);
        d.DrawLoads(sidewalk, &dc, kOrigin, kScale.x, kScale.y);
    }
    int Y(double y) const { return kOrigin.y + int(y * kScale.y); }
    int X(double x) const { return kOrigin.x + int(x * kScale.x); }
    const CPoint kOrigin{200, -1000};
    const CDPoint kScale{100.0, 50.0};
    CDC dc;
};

TEST_F(LoadDiagramTest, RowsFollowTheSidewalksAndTheLoadsPresent)
{
    CLoadDiagram d = SetUpAt(0, 0);
    // Railing loads and no snow nor attachments by default: no mount row.
    ASSERT_GT(d.m_dLeftRailing, 0.0);
    CLoadDiagram::Rows r = d.LayOutRows(0);
    EXPECT_EQ(r.mount, 0);
    EXPECT_EQ(r.mountBlocks, 3);
    EXPECT_EQ(r.railing, 4);
    EXPECT_EQ(r.haunch, 5);
    EXPECT_EQ(r.steel, 6);
    EXPECT_EQ(r.snow, 0);
    EXPECT_EQ(r.last, 6);
    // Sidewalks with a mount: the mount row comes fourth.
    d = SetUpAt(0, 3);
    ASSERT_GT(d.m_adHeight[20], 0.0);
    r = d.LayOutRows(3);
    EXPECT_EQ(r.mount, 4);
    EXPECT_EQ(r.railing, 5);
    // No railing load: the haunch row takes the railing's place.
    d.m_dLeftRailing = d.m_dRightRailing = 0.0;
    r = d.LayOutRows(3);
    EXPECT_EQ(r.railing, 0);
    EXPECT_EQ(r.haunch, 5);
    // Snow and attachments follow the steel row, each on its own.
    d.m_dSnowLoad = 1.0;
    d.m_nAttachments = 1;
    r = d.LayOutRows(3);
    EXPECT_EQ(r.snow, r.steel + 1);
    EXPECT_EQ(r.attachments, r.steel + 2);
    EXPECT_EQ(r.last, r.attachments);
    d.m_dSnowLoad = 0.0;
    EXPECT_EQ(d.LayOutRows(3).attachments, r.steel + 1);
    // A left sidewalk whose mount carries nothing keeps its blocks on row 3.
    Station0().m_adH[2] = 0.0;
    Station0().m_adH[10] = 0.0;
    Station0().m_adH[3] = 0.0;
    d = SetUpAt(0, 1);
    ASSERT_EQ(d.m_adHeight[20], 0.0);
    EXPECT_EQ(d.LayOutRows(1).mount, 0);
    EXPECT_EQ(d.LayOutRows(1).mountBlocks, 3);
}

TEST_F(LoadDiagramTest, SteelRowShowsTheAssumedWeightInTheEnteredUnit)
{
    for (double& w : g_pDoc->m_dlgSteelWeight.m_adSteelWeight)
        w = 9.80665;
    CLoadDiagram d = SetUpAt(0, 0);
    DrawLoads(d, 0);
    const CLoadDiagram::Rows rows = d.LayOutRows(0);
    EXPECT_EQ(barinput::Texts(dc).count(QStringLiteral("9.807")), g_nGirders);
    const CDC::Record* caption = FindText(dc, QStringLiteral("鋼重(kN/m)"));
    ASSERT_NE(caption, nullptr);
    // Over its marker on the steel row: the marker a metre high, the value above it.
    const CDC::Record* value = FindText(dc, QStringLiteral("9.807"));
    ASSERT_NE(value, nullptr);
    EXPECT_GT(value->args[1], Y(d.RowY(rows.steel)) + 50);
    EXPECT_LT(value->args[1], Y(d.RowY(rows.haunch)));
    // Gravitational units: 1.0 tf/m reads 1.000.
    g_bSIUnits = 0;
    for (double& w : g_pDoc->m_dlgSteelWeight.m_adSteelWeight)
        w = 1.0;
    d = SetUpAt(0, 0);
    DrawLoads(d, 0);
    EXPECT_EQ(barinput::Texts(dc).count(QStringLiteral("1.000")), g_nGirders);
    EXPECT_NE(FindText(dc, QStringLiteral("鋼重(tf/m)")), nullptr);
    g_bSIUnits = 1;
}

TEST_F(LoadDiagramTest, KerbValueIsTheKerbsFullHeightOverItsBlock)
{
    // Kerbs standing higher than the pavement and sidewalk beside them: the block is as high
    // as the sidewalk, the value the kerb's full height above the slab.
    CStationRecord& st = Station0();
    st.m_adH[10] = 0.35;    // H11, the left kerb above the pavement
    st.m_adH[11] = 0.30;    // H12, the right one
    DeadLoads()[5] = 20.0;  // D6
    CLoadDiagram d = SetUpAt(0, 3);
    ASSERT_GT(d.B(8), 0.0);
    ASSERT_GT(d.B(9), 0.0);
    const double left = 20.0 * (d.H(11) + d.H(4)), right = 20.0 * (d.H(12) + d.H(7));
    const double leftBlock = 20.0 * (d.H(2) + d.m_adHeight[20]);
    ASSERT_NE(AfxFormat("%.3f", left), AfxFormat("%.3f", leftBlock));
    ASSERT_NE(AfxFormat("%.3f", right), AfxFormat("%.3f", 20.0 * (d.H(9) + d.m_adHeight[21])));
    DrawLoads(d, 3);
    EXPECT_FALSE(barinput::Texts(dc).contains(AfxFormat("%.3f", leftBlock)));
    EXPECT_NE(FindText(dc, AfxFormat("%.3f", right)), nullptr);
    const CDC::Record* value = FindText(dc, AfxFormat("%.3f", left));
    ASSERT_NE(value, nullptr);
    // The block under it: the kerb on row 3, as high as the sidewalk's load in tf/m2.
    const int top = Y(d.RowY(3) + leftBlock / 9.80665);
    bool under = false;
    for (const CDC::Record& r : Calls(dc, "Rectangle"))
        under |= r.args[0] == X(d.m_adX[5]) && r.args[2] == X(d.m_adX[7]) && r.args[1] == top &&
                 r.brushColor == kBlock && value->args[0] < r.args[2] && value->args[1] > top;
    EXPECT_TRUE(under);
    // Without a kerb width nothing is written for it.
    st.m_adB[7] = 0.0;
    d = SetUpAt(0, 3);
    DrawLoads(d, 3);
    EXPECT_EQ(FindText(dc, AfxFormat("%.3f", left)), nullptr);
}

TEST_F(LoadDiagramTest, FrameLinesEndAtTheLastRow)
{
    DeadLoads()[0] = DeadLoads()[1] = 0.0;
    CLoadDiagram d = SetUpAt(0, 0);
    DrawLoads(d, 0);
    // No railing load: no caption, and the haunches on row 4.
    EXPECT_EQ(FindText(dc, QStringLiteral("高欄  (kN/m)")), nullptr);
    const CLoadDiagram::Rows rows = d.LayOutRows(0);
    EXPECT_EQ(rows.haunch, 4);
    int frames = 0;
    for (const CDC::Record& r : Calls(dc, "LineTo"))
        frames += r.penStyle == PS_DASHDOT && r.args[0] == r.args[2] &&
                  (r.args[0] == X(0) || r.args[0] == X(d.m_dWidth)) && r.args[1] == Y(d.RowY(rows.steel)) &&
                  r.args[3] == Y(-5.0);
    EXPECT_EQ(frames, 2);
    // Every value stays between the frame lines.
    for (const CDC::Record& r : Calls(dc, "TextOut"))
        if (r.text.front().isDigit() && r.text.contains(QLatin1Char('.'))) {
            EXPECT_GE(r.args[0], X(0)) << r.text.toStdString();
            EXPECT_LE(r.args[0] + TextWidth(dc, r.text), X(d.m_dWidth)) << r.text.toStdString();
        }
}

// Drawn small with sidewalks, kerbs and a curb load heavy enough that the values of the narrow
// blocks at the deck edges are wider than their blocks: each value stays in its own row, over
// its row's baseline and under the row above, by what it names.
TEST_F(LoadDiagramTest, ValuesOfNarrowBlocksStayInTheirRows)
{
    CStationRecord& st = Station0();
    st.m_adH[10] = 0.35;     // H11, kerbs above the pavements
    st.m_adH[11] = 0.30;
    DeadLoads()[5] = 20.0;   // D6, the kerbs
    DeadLoads()[8] = 27.0;   // the curbs
    CLoadDiagram d = SetUpAt(0, 3);
    const CDPoint small(kScale.x * 0.65, kScale.y * 0.65);
    dc.ClearRecords();
    DrawLabelled(
        &dc, [&d](CDC* c, CPoint o, CDPoint k) { d.DrawDiagram(c, 3, o, k, false); }, kOrigin, small);
    const std::vector<CDC::Record>& records = dc.Records();
    const CLoadDiagram::Rows rows = d.LayOutRows(3);
    auto baseline = [&](int k) { return kOrigin.y + int(d.RowY(k) * small.y); };
    int values = 0;
    for (const LabelNote& n : LabelNotes(records)) {
        if (n.kind != LabelKind::Value || !n.written())
            continue;
        ++values;
        // Its row: the highest whose baseline is not above the point it names.
        int row = 1;
        while (row < rows.last && n.anchor.y < baseline(row) - 1)
            ++row;
        EXPECT_GE(n.cell.top, baseline(row) - 3) << n.text.toStdString();
        if (row > 1) {
            EXPECT_LE(n.cell.bottom, baseline(row - 1) + 3) << n.text.toStdString();
        }
    }
    EXPECT_GE(values, 8);
    const QStringList stray = drawingchecks::StrayLabels(records);
    EXPECT_TRUE(stray.isEmpty()) << stray.join(QLatin1Char('\n')).toStdString();
}

// Written smaller, each girder's depth still stands at its place beside its line, as far off
// it as at full size: nearer, the line would read as a digit of it and send it elsewhere.
TEST_F(LoadDiagramTest, DepthsWrittenSmallerStayBesideTheirLines)
{
    CLoadDiagram d = SetUpAt(0, 0);
    ASSERT_GE(d.m_nGirders, 2);
    dc.ClearRecords();
    DrawLabelled(
        &dc, [&d](CDC* c, CPoint o, CDPoint k) { d.DrawDiagram(c, 0, o, k, false); }, kOrigin, kScale, CRect(), 0.6);
    int depths = 0;
    for (const LabelNote& n : LabelNotes(dc.Records())) {
        const bool depth = std::any_of(d.m_adGirderHeight, d.m_adGirderHeight + d.m_nGirders, [&](const double& g) {
            const double top = -d.m_adHaunchHeight[&g - d.m_adGirderHeight], bottom = top - g;
            return n.kind == LabelKind::Dimension && std::abs(n.anchor.y - (Y(top) + Y(bottom)) / 2) <= 1 &&
                   n.text == CDimensionLine::LabelText({0, top}, {0, bottom});
        });
        if (!depth)
            continue;
        ++depths;
        EXPECT_EQ(n.place, 0) << n.text.toStdString();
        EXPECT_GE(n.cell.left - n.anchor.x, 7) << n.text.toStdString();   // 0.8 mm, rounded
    }
    EXPECT_EQ(depths, d.m_nGirders);
    const QStringList crossed = drawingchecks::LinesThroughTexts(dc.Records());
    EXPECT_TRUE(crossed.isEmpty()) << crossed.join(QLatin1Char('\n')).toStdString();
}

TEST_F(LoadDiagramTest, AttachmentsStandOnTheirGirders)
{
    SteelWeightData& sw = g_pDoc->m_dlgSteelWeight;
    sw.m_nAttachments = 2;
    sw.m_anAttachGirder[0] = 0;
    sw.m_adAttachPosition[0] = 0.3;
    sw.m_adAttachLoad[0] = 2.5;
    sw.m_anAttachGirder[1] = 2;
    sw.m_adAttachPosition[1] = -0.4;
    sw.m_adAttachLoad[1] = 0.0;
    CLoadDiagram d = SetUpAt(0, 0);
    EXPECT_DOUBLE_EQ(d.m_adAttachmentX[0], d.B(11) + 0.3);
    EXPECT_DOUBLE_EQ(d.m_adAttachmentX[1], d.B(11) + 2 * d.m_dGirderSpacing - 0.4);
    DrawLoads(d, 0);
    const int row = d.LayOutRows(0).attachments;
    ASSERT_GT(row, 0);
    EXPECT_NE(FindText(dc, QStringLiteral("添架物(kN/m)")), nullptr);
    int markers = 0;
    for (const CDC::Record& r : Calls(dc, "LineTo"))
        markers += r.penColor == kRed && r.args[3] == Y(d.RowY(row)) &&
                   (r.args[0] == X(d.m_adAttachmentX[0]) || r.args[0] == X(d.m_adAttachmentX[1]));
    EXPECT_EQ(markers, 2);
    // The value that reads as zero is not written.
    EXPECT_NE(FindText(dc, QStringLiteral("2.500")), nullptr);
    EXPECT_EQ(d.DrawValueText(&dc, 0, 0, QStringLiteral("0.000")), 0);
    EXPECT_NE(d.DrawValueText(&dc, 0, 0, QStringLiteral("0.001")), 0);
}

TEST_F(LoadDiagramTest, SingleBoxCarriesItsLoadsOnLineOne)
{
    CLoadDiagram d = SetUpAt(0, 0);
    d.m_nBridgeType = 2;
    d.m_nGirders = 3;
    d.m_dGirderSpacing = (d.m_dWidth - d.B(11) - d.B(12)) / 2;
    d.m_adHaunchWeight[1] = 3.25;
    DrawLoads(d, 0);
    EXPECT_EQ(barinput::Texts(dc).count(QStringLiteral("3.250")), 1);
    const CDC::Record* haunch = FindText(dc, QStringLiteral("3.250"));
    ASSERT_NE(haunch, nullptr);
    EXPECT_LT(std::abs(haunch->args[0] + TextWidth(dc, haunch->text) / 2 - X(d.GirderX(1))), 2);
    for (const QString& t : barinput::Texts(dc))
        EXPECT_FALSE(t.startsWith(QLatin1Char('G'))) << t.toStdString();
    int depths = 0;
    for (const CDC::Record& r : Calls(dc, "LineTo"))
        depths += r.penColor == kBlue && r.penStyle == PS_SOLID && r.args[0] == r.args[2] &&
                  r.args[1] == Y(-d.m_adHaunchHeight[1]) && r.args[3] == Y(-d.m_adHaunchHeight[1] - d.m_adGirderHeight[1]);
    EXPECT_EQ(depths, 1);
}

TEST_F(LoadDiagramTest, SidewaysTwinsDrawTheSameDiagramTurned)
{
    CLoadDiagram d = SetUpAt(0, 3);
    CDC upright, turned;
    d.DrawUpperDimensions(&upright, kOrigin, kScale.x, kScale.y);
    d.DrawLoadAreas(&upright, 3, kOrigin, kScale.x, kScale.y);
    d.DrawLowerDimensions(&upright, kOrigin, kScale.x, kScale.y);
    d.DrawLoads(3, &upright, kOrigin, kScale.x, kScale.y);
    d.DrawUpperDimensionsForPrint(&turned, kOrigin, kScale.x, kScale.y);
    d.DrawLoadAreasForPrint(270.0, &turned, 3, kOrigin, kScale.x, kScale.y);
    d.DrawLowerDimensionsForPrint(&turned, kOrigin, kScale.x, kScale.y);
    d.DrawLoadsForPrint(270.0, 3, &turned, kOrigin, kScale.x, kScale.y);
    for (const char* op : {"Rectangle", "LineTo"}) {
        const std::vector<CDC::Record> a = Calls(upright, op);
        const std::vector<CDC::Record> b = Calls(turned, op);
        ASSERT_EQ(a.size(), b.size()) << op;
        for (size_t i = 0; i < a.size(); ++i) {
            // Row baselines run under their captions, which are spelled apart on paper.
            const bool baseline = a[i].penStyle == PS_DASHDOT && a[i].args[1] == a[i].args[3];
            for (size_t k = 0; k + 1 < (baseline ? 2 : a[i].args.size()); k += 2) {
                EXPECT_EQ(b[i].args[k], -a[i].args[k + 1] - 420) << op << i;
                EXPECT_EQ(b[i].args[k + 1], a[i].args[k] - 2384) << op << i;
            }
        }
    }
    // The deck's left edge on the first row's baseline.
    const int y0 = Y(d.RowY(1));
    EXPECT_TRUE(std::any_of(turned.Records().begin(), turned.Records().end(), [&](const CDC::Record& r) {
        return r.op == QLatin1String("LineTo") && r.args[0] == -y0 - 420 && r.args[1] == X(0) - 2384;
    }));
    // Texts at their turned places, reading along the drawing; two captions spelled for paper.
    const std::vector<CDC::Record> a = Calls(upright, "TextOut");
    const std::vector<CDC::Record> b = Calls(turned, "TextOut");
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(b[i].args[0], -a[i].args[1] - 420);
        EXPECT_EQ(b[i].args[1], a[i].args[0] - 2384);
        EXPECT_EQ(b[i].escapement, 900);
        EXPECT_EQ(b[i].fontHeight, 36);
    }
    const QStringList paper = barinput::Texts(turned);
    EXPECT_TRUE(paper.contains(QStringLiteral("高欄(kN/m)")));
    EXPECT_TRUE(paper.contains(QStringLiteral("鋼重（kN/m）")));
    EXPECT_FALSE(paper.contains(QStringLiteral("鋼重(kN/m)")));
    EXPECT_TRUE(barinput::Texts(upright).contains(QStringLiteral("高欄  (kN/m)")));
    // A value reading as zero stays blank on paper too; a caption is written whatever it reads.
    turned.ClearRecords();
    d.DrawRotatedText(&turned, 270.0, 10, 20, QStringLiteral("0.000"), 1);
    d.DrawRotatedText(&turned, 270.0, 10, 20, QStringLiteral("舗装(kN/m2)"), 0);
    EXPECT_EQ(barinput::Texts(turned), QStringList{QStringLiteral("舗装(kN/m2)")});
}

// The example designs in the load window.
class LoadViewTest : public ShellTest {
protected:
    void Open(const char* file)
    {
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QString::fromLatin1(file))));
        Command(ID_VIEW_LOAD);
        ASSERT_NE(g_pLoadView, nullptr);
        QCoreApplication::processEvents();
        dc.SetMapMode(MM_LOMETRIC);
    }
    const std::vector<CDC::Record>& Draw() { return barinput::Redraw(dc, g_pLoadView); }
    // Width of the slab block drawn.
    int SlabWidth() const
    {
        int widest = -1;
        for (const CDC::Record& r : Calls(dc, "Rectangle"))
            if (r.brushColor == kBlock)
                widest = std::max(widest, r.args[2] - r.args[0]);
        return widest;
    }
    CDC dc;
};

TEST_F(LoadViewTest, ScrollSizesAndScalesArriveInTenths)
{
    Open("plate_3span_skew.mvl");
    Draw();
    EXPECT_EQ(g_pLoadView->GetTotalSize(), CSize(6000, 6000));
    EXPECT_EQ(g_pLoadView->GetPageSize(), CSize(12, 24));
    EXPECT_EQ(g_pLoadView->GetLineSize(), CSize(3, 6));
    EXPECT_EQ(g_pLoadView->m_ptOrigin, CPoint(200, -1000));
    // The window opens at the top of the drawing.
    EXPECT_LT(g_pLoadView->GetScrollPosition().y, -400);
    const int width = SlabWidth();
    for (int tenths : {2, 3, 7, 12}) {
        g_pLoadView->SendMessage(WM_LOAD_SCALE, 0, tenths);
        EXPECT_EQ(g_pDoc->m_dLoadScale, tenths / 10.0);
        Draw();
        EXPECT_NEAR(SlabWidth(), width * tenths / 10.0, 1.0);
    }
    EXPECT_EQ(g_pLoadView->GetTotalSize(), CSize(7200, 7200));
    // The station chosen, and one beyond the count is the last.
    g_pLoadView->SendMessage(WM_LOAD_SELECT, 0, 2);
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, 2);
    g_pDoc->m_nCurCrossSection = 500;
    Draw();
    EXPECT_EQ(SlabWidth(), int(g_pLoadView->m_pDiagrams[size_t(g_nCrossSections - 1)].m_dWidth * 120));
}

TEST_F(LoadViewTest, AtEveryScaleTheDiagramAndItsLabelsLieInsideTheScrolledArea)
{
    // Small diagrams keep their texts' size: the values at the deck's left edge reach far past it.
    Open("plate_3span_skew.mvl");
    for (int tenths : {2, 3, 5, 10, 20, 50})
        for (int station = 0; station < g_nCrossSections; station += tenths == 2 ? 1 : 4) {
            g_pDoc->m_nCurCrossSection = station;
            g_pLoadView->SendMessage(WM_LOAD_SCALE, 0, tenths);
            const CRect drawn = DrawnBounds(Draw());
            const CSize total = g_pLoadView->GetTotalSize();
            ASSERT_GT(drawn.Width(), 0);
            EXPECT_TRUE(drawn.left >= 0 && drawn.right <= total.cx && drawn.top >= -total.cy && drawn.bottom <= 0)
                << "scale " << tenths << " tenths, station " << station << ": drawn " << drawn.left << ", "
                << drawn.top << " .. " << drawn.right << ", " << drawn.bottom << " in " << total.cx << " x " << total.cy;
        }
}

// On screen the diagram's labels are laid out as on paper at every scale, once for a scale and
// station: a repaint or a scroll only draws that layout again. At the smallest scales the rows
// stand closer than a caption is high: the captions keep their rows' order, each by its row.
TEST_F(LoadViewTest, OnScreenTheLabelsAreLaidOutOnceAsOnPaper)
{
    Open("plate_3span_skew.mvl");
    // The captions, written row by row from the top down, each standing on its own row's
    // baseline: its foot nearer to it than to any other.
    auto expectCaptionsByTheirRows = [&](const std::vector<CDC::Record>& records) {
        const int station = PlanCurrentStation(*g_pDoc);
        const CLoadDiagram::Rows rows = g_pLoadView->m_pDiagrams[size_t(station)].LayOutRows(g_pDoc->m_dlgBasic.m_nSidewalk);
        const double ky = g_pDoc->m_dLoadScale * 50.0;
        auto baseline = [&](int row) { return g_pLoadView->m_ptOrigin.y + int(g_pLoadView->m_pDiagrams[size_t(station)].RowY(row) * ky); };
        std::vector<const CDC::Record*> captions;
        for (const CDC::Record& r : records)
            if (drawingchecks::IsText(r) && r.text.contains(QLatin1Char('(')))
                captions.push_back(&r);
        ASSERT_EQ(int(captions.size()), rows.last) << "station " << station;
        for (int k = 1; k <= rows.last; ++k) {
            const CDC::Record& c = *captions[size_t(k - 1)];
            if (k > 1) {
                EXPECT_LT(c.box.CenterPoint().y, captions[size_t(k - 2)]->box.CenterPoint().y)
                    << c.text.toStdString() << ", station " << station;
            }
            auto from = [&](int row) { return std::abs(c.box.top - baseline(row)); };
            for (int other = 1; other <= rows.last; ++other)
                EXPECT_TRUE(other == k || from(k) < from(other))
                    << c.text.toStdString() << " nearer row " << other << ", station " << station;
        }
    };
    g_pDoc->m_nCurCrossSection = 1;
    for (int tenths : {2, 5, 7, 10, 50}) {
        SCOPED_TRACE(tenths);
        g_pLoadView->SendMessage(WM_LOAD_SCALE, 0, tenths);
        const int layouts = g_pLoadView->m_laidOut.Layouts();
        const std::vector<CDC::Record> records = Draw();
        // A diagram two or five centimetres wide has its labels written smaller or led off.
        const QStringList faults = drawingchecks::LabelFaults(records);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
        expectCaptionsByTheirRows(records);
        g_pLoadView->ScrollToPosition(CPoint(100, -300));
        EXPECT_EQ(Draw().size(), records.size());
        EXPECT_EQ(g_pLoadView->m_laidOut.Layouts(), layouts);
    }
    g_pLoadView->SendMessage(WM_LOAD_SCALE, 0, 2);
    for (int station = 0; station < g_nCrossSections; ++station) {
        g_pLoadView->SendMessage(WM_LOAD_SELECT, 0, station);
        expectCaptionsByTheirRows(Draw());
    }
}

TEST_F(LoadViewTest, PrintsOneUprightA4PageInThePageFrame)
{
    Open("box1_1span.mvl");
    g_pDoc->m_nCurCrossSection = 1;
    const double scale = g_pDoc->m_dLoadScale;
    CPrintInfo info;
    dc.SetPrinting(true);
    g_pLoadView->OnPrint(&dc, &info);
    EXPECT_EQ(g_pDoc->m_dLoadScale, scale);
    const QStringList texts = barinput::Texts(dc);
    EXPECT_TRUE(texts.contains(g_pDoc->GetTitle() + QStringLiteral("_横断面 2 荷重")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- 1 -")));
    // The window's own page is the upright diagram, in the window's captions.
    EXPECT_TRUE(texts.contains(QStringLiteral("鋼重(kN/m)")));
    const CRect frame = barinput::PageFrame(dc);
    barinput::ExpectDrawnInside(dc, frame);
    int upright = 0;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut")) {
            EXPECT_EQ(r.escapement, 0) << r.text.toStdString();
            upright += r.escapement == 0;
        }
    EXPECT_GT(upright, 10);
    EXPECT_TRUE(drawingchecks::OutsideFrame(dc.Records()).isEmpty()) << drawingchecks::OutsideFrame(dc.Records()).join(u'\n').toStdString();
    EXPECT_TRUE(drawingchecks::OverlappingTexts(dc.Records()).isEmpty())
        << drawingchecks::OverlappingTexts(dc.Records()).join(u'\n').toStdString();
    const QByteArray pdf = barinput::PrintedPdf(g_pLoadView);
    EXPECT_TRUE(pdf.contains("/Count 1"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595"));
}

} // namespace
