// The sectional force window: the axis ticks, the curves and labels of a girder of known
// forces on a recording device context, then the example designs with the bar, the
// printout and a design that drawing leaves as it was.
#include "common/bar_input.h"
#include "common/drawing_checks.h"
#include "common/picture_folder.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/print.h"
#include "framework/wndextras.h"
#include "input/block_dialog.h"
#include "views/drawing_views.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {

TEST(ForceTicks, StepAndTopFollowTheLargestMoment)
{
    const CForceTicks a = ForceTicks(99.9);
    EXPECT_EQ(a.m_nStep, 10);
    EXPECT_EQ(a.m_nCount, 10);
    EXPECT_EQ(a.m_nTop, 100);
    const CForceTicks b = ForceTicks(102.0);
    EXPECT_EQ(b.m_nStep, 20);
    EXPECT_EQ(b.m_nCount, 5);
    EXPECT_EQ(b.m_nTop, 100);
    EXPECT_EQ(ForceTicks(100.0).m_nStep, 20);
    EXPECT_EQ(ForceTicks(100.0).m_nTop, 100);
    EXPECT_EQ(ForceTicks(2500.0).m_nStep, 500);
    EXPECT_EQ(ForceTicks(250000.0).m_nStep, 20000);
    // No peak, or none worth an axis: no ticks at all.
    EXPECT_EQ(ForceTicks(-1e10).m_nStep, 0);
    EXPECT_EQ(ForceTicks(0.0).m_nStep, 0);
    EXPECT_EQ(ForceTicks(std::nan("")).m_nStep, 0);
    EXPECT_EQ(ForceTicks(1e12).m_nStep, 0);
}

// One span of four 5 m panels; the largest curve rises to 100 tf·m at mid span, the other
// to half of it; shears of 20 tf at the ends.
CGirderDesign ParabolaGirder()
{
    CGirderDesign g;
    g.m_nMembers = 4;
    g.m_nSpans = 1;
    g.m_pnSpanStart = {0, 4};
    g.m_pdPanelLength = {5, 5, 5, 5};
    g.m_pdSpanLength = {20};
    g.m_adX = {0, 5, 10, 15, 20};
    g.m_dGirderLength = 20;
    g.m_pdMomentMaxI = {0, 75, 100, 75};
    g.m_pdMomentMaxJ = {75, 100, 75, 0};
    for (double v : g.m_pdMomentMaxI)
        g.m_pdMomentMinI.push_back(v / 2);
    for (double v : g.m_pdMomentMaxJ)
        g.m_pdMomentMinJ.push_back(v / 2);
    g.m_nNodes = 8;
    for (int m = 0; m < 4; ++m)
        for (int end = 0; end < 2; ++end) {
            const double x = 5.0 * (m + end);
            const double m1 = end ? g.m_pdMomentMaxJ[size_t(m)] : g.m_pdMomentMaxI[size_t(m)];
            g.m_pMomentEnv.emplace_back(x, m1);
            g.m_pnMomentSign.push_back(1);
            const double s = 20.0 - 2.0 * x;
            g.m_pShearMax.emplace_back(x, s);
            g.m_pShearMin.emplace_back(x, s - 4.0);
            g.m_pShearEnv.emplace_back(x, std::fabs(s));
            g.m_pnShearSign.push_back(s < 0 ? -1 : 1);
        }
    g.m_nPeaks = 1;
    g.m_aPeaks[0] = CDPoint(10.0, 100.0);
    for (int k = 0; k < 2; ++k) {
        CSectionRecord s;
        s.m_dLength = 10;
        s.m_adCheck[0] = 10.0 * k;
        s.m_adCheck[1] = 10.0 * (k + 1);
        s.m_dMr = 120.0;
        g.m_pSections.push_back(s);
    }
    g.m_nSections = 2;
    return g;
}

// A design with the parabola girder as its only results, drawn by a force view of its own.
class ForcePainterTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        m_spans = g_nSpans;
        g_nSpans = 1;
        g_pDoc->m_pGirders = new CGirderDesign[size_t(g_nGirders)];
        g_pDoc->m_pGirders[0] = ParabolaGirder();
        g_pDoc->m_nCalcGirder = 0;
        g_bSIUnits = 0;
        dc.SetMapMode(MM_LOMETRIC);
    }
    void TearDown() override
    {
        g_nSpans = m_spans;
        ShellTest::TearDown();
    }
    CGirderDesign& Girder() { return g_pDoc->m_pGirders[0]; }
    const std::vector<CDC::Record>& Draw(CDPoint scale = CDPoint(10.0, 1.0))
    {
        dc.ClearRecords();
        m_view.DrawDiagram(&dc, kOrigin, scale);
        return dc.Records();
    }
    std::vector<CDC::Record> Ops(const char* op, COLORREF pen) const { return barinput::Ops(dc, op, pen); }
    QStringList Texts() const { return barinput::Texts(dc); }
    const CDC::Record* Text(const QString& text) const
    {
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("TextOut") && r.text.trimmed() == text)
                return &r;
        return nullptr;
    }
    static constexpr COLORREF kRed = RGB(255, 0, 0);
    static constexpr COLORREF kBlue = RGB(0, 0, 255);
    const CPoint kOrigin{200, -1000};
    CForceView m_view;
    CDC dc;
    int m_spans = 0;
};

TEST_F(ForcePainterTest, MomentCurvesRunThroughTheMemberEndsOfEverySpan)
{
    Draw();
    const auto curves = Ops("Polyline", kRed);
    ASSERT_EQ(curves.size(), 2u);
    // Five member ends with seven points between each two.
    EXPECT_EQ(curves[0].args.size(), 2u * 33u);
    EXPECT_EQ(curves[1].args.size(), 2u * 33u);
    // Every eighth point is a member end; sagging moments lie below the base line.
    EXPECT_EQ(curves[0].args[16 * 2], kOrigin.x + 100);
    EXPECT_EQ(curves[0].args[16 * 2 + 1], kOrigin.y - 100);
    EXPECT_EQ(curves[1].args[16 * 2 + 1], kOrigin.y - 50);
    EXPECT_EQ(curves[0].args.back(), kOrigin.y);
    // The peak is labelled under it, centred.
    const CDC::Record* label = Text(QStringLiteral("100.0"));
    ASSERT_NE(label, nullptr);
    EXPECT_LT(label->args[1], kOrigin.y - 100);
    EXPECT_EQ(label->fontHeight, 36);
    EXPECT_EQ(label->bkMode, TRANSPARENT);
}

TEST_F(ForcePainterTest, InSIUnitsValuesAreLabelledInKilonewtons)
{
    g_bSIUnits = 1;
    Draw(CDPoint(10.0, 5.0));
    EXPECT_NE(Text(QStringLiteral("980.7")), nullptr);
    EXPECT_TRUE(Texts().contains(QStringLiteral("ﾓｰﾒﾝﾄ(kN・m)､せん断力(kN)")));
    // The axis counts whole kilonewton metres: 980.7 kN·m takes steps of 100 up to 1000.
    EXPECT_EQ(m_view.m_nTickStep, 100);
    // Negative values above the base line, positive ones below it.
    const CDC::Record* top = Text(QStringLiteral("-1000"));
    const CDC::Record* bottom = Text(QStringLiteral("1000"));
    ASSERT_NE(top, nullptr);
    ASSERT_NE(bottom, nullptr);
    CFont* old = dc.SelectObject(&m_view.m_font);
    const CSize ext = dc.GetTextExtent(top->text);
    dc.SelectObject(old);
    EXPECT_EQ(top->args[1], kOrigin.y + int(1000 / 9.80665 * 5.0 + ext.cy / 2));
    EXPECT_EQ(bottom->args[1], kOrigin.y + int(-1000 / 9.80665 * 5.0 + ext.cy / 2));
    g_bSIUnits = 0;
    Draw();
    EXPECT_TRUE(Texts().contains(QStringLiteral("ﾓｰﾒﾝﾄ(tf・m)､せん断力(tf)")));
    EXPECT_EQ(m_view.m_nTickStep, 20);
}

TEST_F(ForcePainterTest, AxisTicksStandAtEverySupportAndAreLabelledAtTheFirst)
{
    Draw(CDPoint(10.0, 5.0));
    const COLORREF grey = RGB(127, 127, 127);
    // Top 100 in steps of 20: six ticks above, five below, at both supports.
    int ticks = 0;
    for (const CDC::Record& r : Ops("LineTo", grey))
        ticks += r.args[1] == r.args[3] && r.args[2] - r.args[0] == 20;
    EXPECT_EQ(ticks, 2 * 11);
    for (const char* t : {"100", "-100", "-20", "0", "20"})
        EXPECT_TRUE(Texts().contains(QString::fromLatin1(t))) << t;
    EXPECT_EQ(Texts().count(QStringLiteral("100")), 1);
    // Labels end ten units left of their ticks.
    const CDC::Record* zero = Text(QStringLiteral("0"));
    CFont* old = dc.SelectObject(&m_view.m_font);
    EXPECT_EQ(zero->args[0] + dc.GetTextExtent(zero->text).cx, kOrigin.x - 10 - 10);
    dc.SelectObject(old);
}

TEST_F(ForcePainterTest, FoldedDiagramKeepsEverythingAboveTheBaseLine)
{
    g_pDoc->m_bForceFolded = 1;
    Draw();
    for (const CDC::Record& r : dc.Records()) {
        if (r.op != QLatin1String("LineTo") && r.op != QLatin1String("Polyline"))
            continue;
        for (size_t i = 1; i < r.args.size(); i += 2) {
            EXPECT_GE(r.args[i], kOrigin.y) << r.op.toStdString();
        }
    }
    EXPECT_FALSE(Texts().contains(QStringLiteral("-20")));
    EXPECT_NE(Text(QStringLiteral("100.0")), nullptr);
    // The envelope through every node, above the line.
    const auto env = Ops("Polyline", kRed);
    ASSERT_EQ(env.size(), 1u);
    EXPECT_EQ(env[0].args.size(), 2u * 8u);
    EXPECT_EQ(env[0].args[5], kOrigin.y + 75);
}

TEST_F(ForcePainterTest, PeakIsFoundByItsPlaceAndSignedUnlessFolded)
{
    CGirderDesign& g = Girder();
    for (int& s : g.m_pnMomentSign)
        s = -1;
    // A value that went through a file and a place a hair away still find their node.
    g.m_aPeaks[0] = CDPoint(10.0 + 1e-9, 100.0 + 1e-9);
    Draw();
    const CDC::Record* label = Text(QStringLiteral("-100.0"));
    ASSERT_NE(label, nullptr);
    EXPECT_GT(label->args[1], kOrigin.y + 100);  // over the point above the base line
    g_pDoc->m_bForceFolded = 1;
    Draw();
    EXPECT_EQ(Text(QStringLiteral("-100.0")), nullptr);
    EXPECT_NE(Text(QStringLiteral("100.0")), nullptr);
    // A peak where the girder has no node gets no label, never a made-up one.
    g_pDoc->m_bForceFolded = 0;
    g.m_aPeaks[0] = CDPoint(12.5, 90.0);
    Draw();
    EXPECT_EQ(Text(QStringLiteral("-90.0")), nullptr);
    EXPECT_EQ(Text(QStringLiteral("-1.0")), nullptr);
}

TEST_F(ForcePainterTest, ShearJumpsAtOnePlaceAreLeftOpenBeyondThreeTonnes)
{
    CGirderDesign& g = Girder();
    g.m_pShearMin = g.m_pShearMax;
    // Nodes 3 and 4 share x = 10: a jump of exactly 3.0 on one curve, 3.01 on the other.
    g.m_pShearMax[3].y = 10.0;
    g.m_pShearMax[4].y = 13.0;
    g.m_pShearMin[3].y = 10.0;
    g.m_pShearMin[4].y = 13.01;
    g_pDoc->m_bForceShowMoment = 0;
    Draw();
    const auto lines = Ops("LineTo", kBlue);
    auto drawnAt = [&](int y1, int y2) {
        return std::count_if(lines.begin(), lines.end(), [&](const CDC::Record& r) {
            return r.args[0] == kOrigin.x + 100 && r.args[2] == kOrigin.x + 100 && r.args[1] == y1 && r.args[3] == y2;
        });
    };
    EXPECT_EQ(drawnAt(kOrigin.y - 10, kOrigin.y - 13), 1);
    EXPECT_EQ(lines.size(), 7u + 6u);
    // Along a member the curve always runs on, whatever it changes by.
    EXPECT_EQ(Ops("LineTo", kBlue)[0].args[1], kOrigin.y - 20);
}

TEST_F(ForcePainterTest, ShearLabelsStandAtTheSupports)
{
    g_pDoc->m_bForceShowMoment = 0;
    Draw();
    // The larger magnitude at each support: 20 at the start, -24 at the end.
    const CDC::Record* first = Text(QStringLiteral("20.0"));
    const CDC::Record* last = Text(QStringLiteral("-24.0"));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    // Beside the support, clear of its ticks, on the side of the span whose end it is.
    EXPECT_EQ(first->args[0], kOrigin.x + 18);
    EXPECT_LE(last->box.right, kOrigin.x + 200 - 16);
    EXPECT_GE(last->box.right, kOrigin.x + 200 - 24);
    g_pDoc->m_bForceFolded = 1;
    Draw();
    EXPECT_EQ(Texts().count(QStringLiteral("20.0")), 2);
}

TEST_F(ForcePainterTest, ResistingMomentStepsAreNumberedOnTheirSide)
{
    g_pDoc->m_bForceShowMoment = g_pDoc->m_bForceShowShear = 0;
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    Draw();
    int steps = 0;
    for (const CDC::Record& r : Ops("LineTo", RGB(191, 191, 191))) {
        EXPECT_EQ(r.penWidth, 3);
        steps += r.args[0] != r.args[2] && r.args[1] == kOrigin.y - 120 && r.args[3] == kOrigin.y - 120;
    }
    EXPECT_EQ(steps, 2);
    EXPECT_TRUE(Texts().contains(QStringLiteral("1")));
    EXPECT_TRUE(Texts().contains(QStringLiteral("2")));
    int ellipses = 0;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("Ellipse")) {
            ++ellipses;
            EXPECT_LT(r.args[1], kOrigin.y - 120);    // below the step of a sagging moment
            EXPECT_EQ(r.args[2] - r.args[0], 52);
        }
    EXPECT_EQ(ellipses, 2);

    // Joined sections make one step while the height varies.
    Girder().m_pSections[0].m_nJoinNext = Girder().m_pSections[1].m_nJoinPrev = 1;
    Girder().m_pSections[1].m_dMr = 150.0;
    g_pDoc->m_dlgBasic.m_nHeightVariation = 0;
    Draw();
    EXPECT_FALSE(Texts().contains(QStringLiteral("2")));
    bool whole = false;
    for (const CDC::Record& r : Ops("LineTo", RGB(191, 191, 191)))
        whole = whole || (r.args[0] == kOrigin.x && r.args[2] == kOrigin.x + 200 && r.args[1] == kOrigin.y - 150);
    EXPECT_TRUE(whole);
}

TEST_F(ForcePainterTest, LabelsThatWouldMeetAreMovedApart)
{
    // The step's number lies where the peak label would.
    Girder().m_pSections[0].m_dMr = Girder().m_pSections[1].m_dMr = 101.0;
    Girder().m_pSections[0].m_adCheck[1] = Girder().m_pSections[1].m_adCheck[0] = 5.0;
    Girder().m_pSections[1].m_adCheck[1] = 15.0;
    Draw();
    std::vector<CRect> boxes;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("Ellipse"))
            boxes.emplace_back(r.args[0], r.args[3], r.args[2], r.args[1]);
    const CDC::Record* label = Text(QStringLiteral("100.0"));
    ASSERT_NE(label, nullptr);
    CFont font;
    font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CFont* old = dc.SelectObject(&font);
    const CSize ext = dc.GetTextExtent(label->text);
    dc.SelectObject(old);
    ASSERT_EQ(boxes.size(), 2u);
    for (const CRect& b : boxes)
        EXPECT_FALSE(label->args[0] < b.right && b.left < label->args[0] + ext.cx && label->args[1] - ext.cy < b.bottom &&
                     b.top < label->args[1]);
}

TEST_F(ForcePainterTest, StepNumbersThatWouldMeetStandOffLedToTheirSteps)
{
    // Twenty sections of a metre each: their numbers cannot all stand side by side; those that
    // cannot stand by their steps stand round them, led back, and hardly any is left out.
    g_pDoc->m_bForceShowMoment = g_pDoc->m_bForceShowShear = 0;
    g_pDoc->m_dlgBasic.m_nHeightVariation = 1;
    std::vector<CSectionRecord>& sections = Girder().m_pSections;
    sections.assign(20, sections[0]);
    for (int k = 0; k < 20; ++k) {
        sections[size_t(k)].m_adCheck[0] = k;
        sections[size_t(k)].m_adCheck[1] = k + 1;
    }
    Girder().m_nSections = 20;
    Draw(CDPoint(10.0, 5.0));
    EXPECT_EQ(drawingchecks::OverlappingTexts(dc.Records()), QStringList());
    EXPECT_EQ(drawingchecks::StrayLabels(dc.Records()), QStringList());
    int written = 0, led = 0;
    for (const LabelNote& n : LabelNotes(dc.Records()))
        if (n.kind == LabelKind::Section && n.written()) {
            ++written;
            led += n.led;
        }
    EXPECT_GE(written, 18);
    EXPECT_GT(led, 10);
    std::vector<CRect> circles;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("Ellipse"))
            circles.push_back(drawingchecks::Normal(CRect(r.args[0], r.args[1], r.args[2], r.args[3])));
    for (size_t i = 0; i < circles.size(); ++i)
        for (size_t j = i + 1; j < circles.size(); ++j) {
            CRect meet;
            EXPECT_FALSE(meet.IntersectRect(circles[i], circles[j])) << i << " meets " << j;
        }
    int steps = 0;
    for (const CDC::Record& r : Ops("LineTo", RGB(191, 191, 191)))
        steps += r.args[1] == r.args[3] && r.args[0] != r.args[2];
    EXPECT_EQ(steps, 20);
}

TEST_F(ForcePainterTest, NothingIsDrawnWithoutAPeakOrAtAScaleOfNothing)
{
    EXPECT_FALSE(Draw().empty());
    EXPECT_TRUE(Draw(CDPoint(0.0, 1.0)).empty());
    EXPECT_TRUE(Draw(CDPoint(10.0, 0.0)).empty());
    EXPECT_TRUE(Draw(CDPoint(std::numeric_limits<double>::infinity(), 1.0)).empty());
    Girder().m_nPeaks = 0;
    EXPECT_TRUE(Draw().empty());
    // The printout keeps its page and leaves the diagram out.
    CPrintInfo info;
    dc.ClearRecords();
    dc.SetPrinting(true);
    m_view.OnPrint(&dc, &info);
    EXPECT_TRUE(Texts().contains(QStringLiteral("- 1 -")));
    EXPECT_TRUE(Ops("Polyline", kRed).empty());
}

TEST_F(ForcePainterTest, AGirderBeyondTheCountIsTheLastOne)
{
    g_pDoc->m_nCalcGirder = 99;
    Draw();
    EXPECT_EQ(Ops("Polyline", kRed).size(), 0u);    // the last girder has no results here
    g_pDoc->m_pGirders[g_nGirders - 1] = ParabolaGirder();
    Draw();
    EXPECT_EQ(Ops("Polyline", kRed).size(), 2u);
    g_pDoc->m_nCalcGirder = -3;
    Draw();
    EXPECT_EQ(Ops("Polyline", kRed).size(), 2u);
}

} // namespace

namespace {

// The example designs, opened with their results, in the force window.
class ForceViewTest : public ShellTest {
protected:
    void Open(const char* file)
    {
        m_shown.clear();
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QString::fromLatin1(file))));
        ASSERT_EQ(g_bResultsValid, 1);
        Command(ID_VIEW_FORCE);
        ASSERT_NE(g_pForceView, nullptr);
        QCoreApplication::processEvents();
        dc.SetMapMode(MM_LOMETRIC);
    }
    static CForceBar& Bar() { return static_cast<CChildForceFrame*>(g_pForceView->GetParentFrame())->m_wndBar; }
    template <class T>
    static T* Control(int id) { return barinput::Control<T>(Bar(), id); }
    static QString Text(int id) { return barinput::Text(Bar(), id); }
    static void Slide(int id, int to) { barinput::Slide(Bar(), id, to); }
    const std::vector<CDC::Record>& Draw() { return barinput::Redraw(dc, g_pForceView); }
    // Everything drawn, lines and text cells (y up).
    static CRect Bounds(const std::vector<CDC::Record>& records)
    {
        CRect b(INT_MAX, INT_MIN, INT_MIN, INT_MAX);
        auto add = [&](int x, int y) {
            b = CRect(std::min(b.left, x), std::max(b.top, y), std::max(b.right, x), std::min(b.bottom, y));
        };
        for (const CDC::Record& r : records) {
            if (drawingchecks::IsText(r)) {
                add(r.box.left, r.box.top);
                add(r.box.right, r.box.bottom);
            }
            for (const CPoint& p : drawingchecks::PointsOf(r))
                add(p.x, p.y);
        }
        return b;
    }
    // The window's client area in logical units.
    static CSize ClientSize()
    {
        CRect client;
        g_pForceView->GetClientRect(&client);
        CDC screen;
        screen.SetMapMode(MM_LOMETRIC);
        CSize size(client.Width(), client.Height());
        screen.DPtoLP(&size);
        return CSize(std::abs(size.cx), std::abs(size.cy));
    }
    const CDC::Record* Caption() const
    {
        for (const CDC::Record& r : dc.Records())
            if (r.text == QStringLiteral("ﾓｰﾒﾝﾄ(kN・m)､せん断力(kN)"))
                return &r;
        return nullptr;
    }
    int Count(const char* op, COLORREF pen) const
    {
        return int(std::count_if(dc.Records().begin(), dc.Records().end(), [&](const CDC::Record& r) {
            return r.op == QLatin1String(op) && r.penColor == pen;
        }));
    }
    CDC dc;
};

TEST_F(ForceViewTest, DrawsMomentShearAndResistingMomentOfADesignedGirder)
{
    Open("plate_3span_skew.mvl");
    Draw();
    EXPECT_EQ(Count("Polyline", RGB(255, 0, 0)), 2 * 3);
    EXPECT_GT(Count("LineTo", RGB(0, 0, 255)), 0);
    EXPECT_GT(Count("LineTo", RGB(191, 191, 191)), g_pDoc->m_pGirders[0].m_nSections);
    const CPictureFolder pictures;
    EXPECT_TRUE(AfxSaveWindowImage(g_pForceView->GetParentFrame(), pictures.FilePath(QStringLiteral("force_plate.png"))));
}

// On screen as on paper, the values stand clear of the curves, steps and axis lines.
TEST_F(ForceViewTest, ValuesStandClearOfTheLinesOnScreen)
{
    static const QRegularExpression value(QStringLiteral("^-?\\d+\\.\\d$"));
    const CPictureFolder pictures;
    for (const char* file : {"plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl", "plate_2span_haunch.mvl"}) {
        Open(file);
        const int girders = g_nBridgeType == 2 ? 1 : g_nGirders;
        for (int i = 0; i < girders; ++i) {
            if (g_nBridgeType != 2)
                g_pForceView->OnSelectGirder(i);
            const QStringList crossed = drawingchecks::CrossedTexts(Draw(), value);
            EXPECT_TRUE(crossed.isEmpty()) << file << " G" << i + 1 << ": " << qPrintable(crossed.join(u'\n'));
            EXPECT_EQ(drawingchecks::OverlappingTexts(dc.Records()), QStringList()) << file << " G" << i + 1;
        }
        const QString shot = QString::fromLatin1(file).chopped(4) + QStringLiteral("_force.png");
        EXPECT_TRUE(AfxSaveWindowImage(g_pForceView->GetParentFrame(), pictures.FilePath(shot)));
    }
}

TEST_F(ForceViewTest, BarSwitchesGirderScalesAndDisplay)
{
    Open("box2_2span.mvl");
    g_pMainFrame->UpdateControlBars();
    Bar().OnUpdateCmdUI(static_cast<CFrameWnd*>(g_pForceView->GetParentFrame()), TRUE);
    EXPECT_EQ(Text(IDC_FORCE_GIRDER), QStringLiteral("   1"));
    EXPECT_EQ(Text(IDC_FORCE_HSCALE), QStringLiteral(" 3.0"));
    EXPECT_EQ(Text(IDC_FORCE_VSCALE), AfxFormat("%4.1f", g_pDoc->m_dForceVScale));
    EXPECT_TRUE(Bar().GetControl(ID_BLOCK_DIALOG)->IsWindowEnabled());

    Control<CSpinButtonCtrl>(IDC_FORCE_GIRDER_SPIN)->Step(1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    EXPECT_EQ(Text(IDC_FORCE_GIRDER), QStringLiteral("   2"));
    Control<CSpinButtonCtrl>(IDC_FORCE_GIRDER_SPIN)->Step(1);   // two girders only
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    Control<CSpinButtonCtrl>(IDC_FORCE_GIRDER_SPIN)->Step(-1);
    Control<CSpinButtonCtrl>(IDC_FORCE_GIRDER_SPIN)->Step(-1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 0);

    // Scales arrive in whole tenths.
    Slide(IDC_FORCE_VSCALE_SLIDER, 2);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 0.3);
    EXPECT_EQ(Text(IDC_FORCE_VSCALE), QStringLiteral(" 0.3"));
    Slide(IDC_FORCE_VSCALE_SLIDER, 4);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 0.7);
    Slide(IDC_FORCE_HSCALE_SLIDER, 1);
    EXPECT_EQ(g_pDoc->m_dForceHScale, 0.2);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 0.7);

    // The four switches.
    Control<CButton>(IDC_FORCE_MOMENT)->Click();
    Control<CButton>(IDC_FORCE_SHEAR)->Click();
    EXPECT_EQ(g_pDoc->m_bForceShowMoment, 0);
    EXPECT_EQ(g_pDoc->m_bForceShowShear, 0);
    Draw();
    EXPECT_EQ(Count("Polyline", RGB(255, 0, 0)), 0);
    EXPECT_EQ(Count("LineTo", RGB(0, 0, 255)), 0);
    Control<CButton>(IDC_FORCE_RESISTING)->Click();
    EXPECT_EQ(g_pDoc->m_bForceShowResisting, 0);
    Control<CButton>(IDC_FORCE_MOMENT)->Click();
    Control<CButton>(IDC_FORCE_FOLD)->Click();
    EXPECT_EQ(g_pDoc->m_bForceFolded, 1);
    Draw();
    EXPECT_EQ(Count("Polyline", RGB(255, 0, 0)), 1);
}

TEST_F(ForceViewTest, BarShowsTheDocumentsScalesAfterItsUpdate)
{
    Open("plate_3span_skew.mvl");
    g_pDoc->m_dForceHScale = 7.0;
    g_pDoc->m_dForceVScale = 0.3;
    g_pDoc->m_bForceFolded = 1;
    Bar().OnUpdateCmdUI(static_cast<CFrameWnd*>(g_pForceView->GetParentFrame()), TRUE);
    EXPECT_EQ(Control<CSliderCtrl>(IDC_FORCE_HSCALE_SLIDER)->GetPos(), 8);
    EXPECT_EQ(Control<CSliderCtrl>(IDC_FORCE_VSCALE_SLIDER)->GetPos(), 2);
    EXPECT_EQ(Text(IDC_FORCE_HSCALE), QStringLiteral(" 7.0"));
    EXPECT_EQ(Text(IDC_FORCE_VSCALE), QStringLiteral(" 0.3"));
    EXPECT_EQ(Control<CButton>(IDC_FORCE_FOLD)->GetCheck(), 1);
    // A paint changes nothing of it.
    Bar().OnPaint();
    EXPECT_EQ(Control<CSliderCtrl>(IDC_FORCE_VSCALE_SLIDER)->GetPos(), 2);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 0.3);
}

TEST_F(ForceViewTest, SingleBoxShowsItsOneBox)
{
    Open("box1_1span.mvl");
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_FORCE_GIRDER), QStringLiteral("   1"));
    EXPECT_FALSE(Bar().OnGirderSpin(1));
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    g_pForceView->SendMessage(WM_FORCEBAR_GIRDER, 0, 0);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    Draw();
    EXPECT_EQ(Count("Polyline", RGB(255, 0, 0)), 2);
}

TEST_F(ForceViewTest, OpensAtTheTopOfItsDiagramAtABarScaleThatFitsTheWindow)
{
    Open("box1_1span.mvl");
    // At 1.0 its peak of some 50,000 kN·m lies far beyond the window: a smaller scale of the
    // bar, the largest at which the whole diagram fits, which the bar shows.
    const double v = g_pDoc->m_dForceVScale;
    EXPECT_LT(v, 1.0);
    EXPECT_NE(std::find(std::begin(kForceVScales), std::end(kForceVScales), v), std::end(kForceVScales));
    Bar().OnUpdateCmdUI(static_cast<CFrameWnd*>(g_pForceView->GetParentFrame()), TRUE);
    EXPECT_EQ(Text(IDC_FORCE_VSCALE), AfxFormat("%4.1f", v));
    const CRect drawn = Bounds(Draw());
    EXPECT_LE(drawn.top - drawn.bottom, ClientSize().cy);
    // The scroll area is the drawing with a little white round it, shown from its top.
    const CSize total = g_pForceView->GetTotalSize();
    EXPECT_EQ(g_pForceView->GetScrollPosition().y, 0);
    EXPECT_LE(drawn.top, 0);
    EXPECT_GE(drawn.top, -100);
    EXPECT_GE(drawn.bottom, -total.cy);
    EXPECT_LE(drawn.bottom, -total.cy + 100);
    EXPECT_GE(drawn.left, 0);
    EXPECT_LE(drawn.right, total.cx);

    // The user's own scale stands, for another girder too, until the design changes.
    Slide(IDC_FORCE_VSCALE_SLIDER, 5);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 1.0);
    g_pDoc->UpdateAllViews(nullptr);
    EXPECT_EQ(g_pDoc->m_dForceVScale, 1.0);
    g_pDoc->InvalidateResults();
    RunGrillage();
    Command(ID_VIEW_FORCE);
    QCoreApplication::processEvents();
    Draw();
    EXPECT_EQ(g_pDoc->m_dForceVScale, v);
}

TEST_F(ForceViewTest, AtTheSmallestScaleTickLabelsStandApartAndTheCaptionShows)
{
    Open("box2_2span.mvl");
    Slide(IDC_FORCE_VSCALE_SLIDER, 0);
    ASSERT_EQ(g_pDoc->m_dForceVScale, 0.1);
    Draw();
    EXPECT_EQ(drawingchecks::OverlappingTexts(dc.Records()), QStringList());
    // Every tick stays at every support, labelled or not.
    const CForceTicks axis = ForceTicks(g_pDoc->m_pGirders[0].GetMaxMomentPoint().y * 9.80665);
    const auto ticks = barinput::Ops(dc, "LineTo", RGB(127, 127, 127));
    const int tickCount = int(std::count_if(ticks.begin(), ticks.end(), [](const CDC::Record& r) {
        return r.args[1] == r.args[3] && r.args[2] - r.args[0] == 20;
    }));
    EXPECT_EQ(tickCount, (g_nSpans + 1) * (2 * axis.m_nCount + 1));
    const int labels = int(std::count_if(dc.Records().begin(), dc.Records().end(), [](const CDC::Record& r) {
        bool number = false;
        r.text.toInt(&number);
        return number && drawingchecks::IsText(r);
    }));
    EXPECT_LT(labels, 2 * axis.m_nCount + 1);
    // The caption in the window after the change, whole.
    const CDC::Record* caption = Caption();
    ASSERT_NE(caption, nullptr);
    const int top = g_pForceView->GetScrollPosition().y;
    EXPECT_LE(caption->box.bottom, top);
    EXPECT_GE(caption->box.top, top - ClientSize().cy);
}

TEST_F(ForceViewTest, PrintoutScalesOnEverythingItDraws)
{
    for (const char* file : {"box1_1span.mvl", "box2_2span.mvl"}) {
        Open(file);
        // Resisting moments far beyond the largest moment, as on short box bridges.
        CGirderDesign& g = g_pDoc->m_pGirders[g_nBridgeType == 2 ? 1 : 0];
        for (CSectionRecord& s : g.m_pSections)
            s.m_dMr *= 3.0;
        for (const bool folded : {false, true}) {
            g_pDoc->m_bForceFolded = folded;
            CPrintInfo info;
            dc.ClearRecords();
            dc.SetPrinting(true);
            g_pForceView->OnPrint(&dc, &info);
            EXPECT_EQ(drawingchecks::OutsideFrame(dc.Records()), QStringList()) << file << folded;
            EXPECT_EQ(drawingchecks::OverlappingTexts(dc.Records()), QStringList()) << file << folded;
        }
    }
}

TEST_F(ForceViewTest, PrintsOneA4PageInThePageFrame)
{
    Open("plate_3span_skew.mvl");
    Command(ID_VIEW_FORCE);
    const double h = g_pDoc->m_dForceHScale, v = g_pDoc->m_dForceVScale;
    const CPoint origin = g_pForceView->m_ptOrigin;
    CPrintInfo info;
    dc.SetPrinting(true);
    g_pForceView->OnPrint(&dc, &info);
    EXPECT_EQ(g_pDoc->m_dForceHScale, h);
    EXPECT_EQ(g_pDoc->m_dForceVScale, v);
    EXPECT_EQ(g_pForceView->m_ptOrigin, origin);
    QStringList texts;
    int frames = 0;
    for (const CDC::Record& r : dc.Records()) {
        if (r.op == QLatin1String("TextOut"))
            texts << r.text;
        frames += r.op == QLatin1String("Rectangle");
        if (r.op == QLatin1String("Polyline") || r.op == QLatin1String("LineTo"))
            for (size_t i = 0; i + 1 < r.args.size(); i += 2) {
                EXPECT_GT(r.args[i], g_pDoc->m_nMarginLeft);
                EXPECT_LT(r.args[i], 2100 - g_pDoc->m_nMarginRight);
                EXPECT_LT(r.args[i + 1], -g_pDoc->m_nMarginTop);
                EXPECT_GT(r.args[i + 1], -2970 + g_pDoc->m_nMarginBottom);
            }
    }
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(texts.contains(g_pDoc->GetTitle() + QStringLiteral("_断面力図 (G1主桁)")));
    EXPECT_TRUE(texts.contains(QStringLiteral("- 1 -")));

    const QByteArray pdf = barinput::PrintedPdf(g_pForceView);
    EXPECT_TRUE(pdf.contains("/Count 1")) << "one page";
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595"));   // A4 points
}

} // namespace
