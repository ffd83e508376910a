// The plan window of a two-span design drawn on a recording device context: the layers,
// the plan transform, the scroll extent and the document's choices kept within the counts.
#include "common/bar_input.h"
#include "common/design_generator.h"
#include "common/dialog_input.h"
#include "common/drawing_checks.h"
#include "common/shell_fixture.h"
#include "grid/grid_ui.h"

#include "views/drawing_views.h"

#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/print.h"
#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>
#include <QWidget>
#include <QTemporaryDir>
#include <cmath>
#include <tuple>

namespace {

class PlanViewTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        g_pMainFrame->BringPlanViewForward();
        ASSERT_NE(g_pGridView, nullptr);
        dc.SetMapMode(MM_LOMETRIC);
    }
    void TearDown() override
    {
        g_pMainFrame->GetWidget()->hide();
        ShellTest::TearDown();
    }
    // The program's window on the screen, painted.
    static void ShowFrame()
    {
        QWidget* w = g_pMainFrame->GetWidget();
        w->resize(1400, 900);
        w->show();
        // The first paint scrolls the plan into place and asks for one more.
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    const std::vector<CDC::Record>& Draw()
    {
        dc.ClearRecords();
        g_pGridView->OnDraw(&dc);
        return dc.Records();
    }
    std::vector<CDC::Record> Ops(const char* op, COLORREF pen, int width, int style = -1) const
    {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String(op) && r.penColor == pen && r.penWidth == width &&
                (style < 0 || r.penStyle == style))
                out.push_back(r);
        return out;
    }
    QStringList Texts() const
    {
        QStringList out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("TextOut"))
                out << r.text;
        return out;
    }
    static CPoint Map(CDPoint p)
    {
        CPlanTransform t{g_pDoc->m_dPlanAngle, g_pGridView->m_dScale, g_pGridView->m_ptOrigin};
        return t.Map(p);
    }
    static const CPanelPointRecord& Panel(int span, int j) { return g_pDoc->m_aSpans[size_t(span)].m_aPanelPoints[size_t(j)]; }
    // The boxes of the node numbers drawn (grey pen, small font), in logical units.
    std::vector<std::pair<QString, CRect>> NodeNumberBoxes()
    {
        std::vector<std::pair<QString, CRect>> out;
        CFont* old = dc.SelectObject(&g_pGridView->m_fontSmall);
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("TextOut") && r.penColor == RGB(192, 192, 192) && r.fontHeight == 28) {
                const CSize ext = dc.GetTextExtent(r.text);
                out.emplace_back(r.text, CRect(r.args[0], r.args[1], r.args[0] + ext.cx, r.args[1] - ext.cy));
            }
        dc.SelectObject(old);
        return out;
    }
    // Segments of the deck's edge lines drawn (curb and railing lines) that pass through a
    // box; touching its border does not count.
    int EdgeLinesThrough(const CRect& box) const
    {
        int crossings = 0;
        for (const CDC::Record& r : dc.Records()) {
            if (r.op != QLatin1String("Polyline") || (r.penColor != RGB(128, 0, 128) && r.penColor != RGB(0, 0, 0)))
                continue;
            for (size_t i = 0; i + 3 < r.args.size(); i += 2) {
                const double x0 = r.args[i], y0 = r.args[i + 1], x1 = r.args[i + 2], y1 = r.args[i + 3];
                const int steps = int(std::max(std::fabs(x1 - x0), std::fabs(y1 - y0))) + 1;
                bool through = false;
                for (int k = 0; k <= steps && !through; ++k) {
                    const double x = x0 + (x1 - x0) * k / steps, y = y0 + (y1 - y0) * k / steps;
                    through = x > box.left && x < box.right && y < box.top && y > box.bottom;
                }
                crossings += through;
            }
        }
        return crossings;
    }
    CDC dc;
};

TEST(PlanTransform, TurnsScalesTruncatesAndMoves)
{
    CPlanTransform t{90.0, 10.0, CPoint(100, -200)};
    EXPECT_EQ(t.Map(CDPoint(1.27, 0)), CPoint(100, -188));
    EXPECT_EQ(t.Map(CDPoint(0, 2)), CPoint(80, -200));
    t.m_dAngle = 0.0;
    EXPECT_EQ(t.Map(CDPoint(-1.27, 0.5)), CPoint(88, -195));
    EXPECT_EQ(PlanExtent(0.5), 6550);
    EXPECT_EQ(PlanExtent(1.5), 9825);
}

TEST_F(PlanViewTest, DrawsTheGirdersSupportsMarksAndLabelsOfThePlan)
{
    g_pDoc->m_dPlanScale = 1.0;
    Draw();
    EXPECT_EQ(g_pGridView->m_dScale, 10.0);
    EXPECT_EQ(g_pGridView->GetTotalSize(), CSize(6550, 6550));
    const auto girders = Ops("LineTo", RGB(255, 0, 0), 1, PS_SOLID);
    const int panels = g_pDoc->m_aSpans[0].m_nPanels + g_pDoc->m_aSpans[1].m_nPanels;
    // Cross frames over supports share the girders' pen.
    int supportFrames = 0;
    for (const CSpanData& sp : g_pDoc->m_aSpans)
        for (const CPanelPointRecord& pp : sp.m_aPanelPoints)
            supportFrames += pp.m_nMemberKind == SUPPORT_SWAY_BRACING && pp.m_bDistributing;
    ASSERT_EQ(int(girders.size()), g_nGirders * panels + supportFrames);
    const CPoint a = Map(Panel(0, 0).m_aptGirder[0]), b = Map(Panel(0, 1).m_aptGirder[0]);
    EXPECT_EQ(girders[0].args, (std::vector<int>{a.x, a.y, b.x, b.y}));
    // Supports at both ends of both spans, marks at every girder point: unscaled sizes.
    int squares = 0, marks = 0;
    for (const CDC::Record& r : dc.Records()) {
        if (r.op == QLatin1String("Rectangle") && r.brushColor == RGB(255, 0, 0)) {
            ++squares;
            EXPECT_NEAR(r.args[2] - r.args[0], 25, 1);  // corners truncated one by one
        }
        if (r.op == QLatin1String("Ellipse") && r.penColor == RGB(192, 192, 192)) {
            ++marks;
            EXPECT_EQ(r.args[2] - r.args[0], 16);
        }
    }
    EXPECT_EQ(squares, 4 * g_nGirders);
    EXPECT_EQ(marks, g_nGirders * (panels + 2));
    const QStringList texts = Texts();
    for (const char* t : {"G1", "G4", "C1", "鈑桁"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(t))) << t;
    EXPECT_TRUE(texts.contains(QString::number(Panel(0, 0).m_anNodes[0])));
    // The deck edges are drawn whole.
    EXPECT_EQ(Ops("Polyline", RGB(128, 0, 128), 1).size(), 4u);
    EXPECT_EQ(Ops("Polyline", RGB(0, 128, 0), 3).size(), 4u);
}

TEST_F(PlanViewTest, NodeNumbersStandClearOfTheDeckEdges)
{
    for (double angle : {0.0, 180.0})
        for (double scale : {2.0, 5.0}) {
            SCOPED_TRACE(testing::Message() << scale << ", " << angle << " degrees");
            g_pDoc->m_dPlanAngle = angle;
            g_pDoc->m_dPlanScale = scale;
            Draw();
            // Those that crowd one another give way, as on paper.
            const auto boxes = NodeNumberBoxes();
            EXPECT_GT(int(boxes.size()), g_nGirders * (g_pDoc->m_aSpans[0].m_nPanels + g_pDoc->m_aSpans[1].m_nPanels) / 2);
            for (const auto& [text, box] : boxes)
                EXPECT_EQ(EdgeLinesThrough(box), 0) << text.toStdString();
        }
}

TEST_F(PlanViewTest, ScaleSetsTheExtentAndTheAngleTurnsThePlan)
{
    g_pDoc->m_dPlanScale = 1.5;
    Draw();
    EXPECT_EQ(g_pGridView->GetTotalSize(), CSize(9825, 9825));
    EXPECT_EQ(g_pGridView->m_dScale, 15.0);

    g_pDoc->m_dPlanAngle = 90.0;
    Draw();
    EXPECT_EQ(g_pGridView->GetTotalSize(), CSize(9825, 9825));
    // The girders run along the bridge, which now stands upright.
    const auto girders = Ops("LineTo", RGB(255, 0, 0), 1);
    ASSERT_FALSE(girders.empty());
    EXPECT_LE(std::abs(girders[0].args[0] - girders[0].args[2]), 1);
    EXPECT_GT(girders[0].args[3], girders[0].args[1]);
}

TEST_F(PlanViewTest, ScrollBarsFollowTheScrollPosition)
{
    g_pGridView->GetWidget()->resize(600, 400);
    g_pDoc->m_dPlanScale = 3.0;
    Draw();
    const CPoint pos = g_pGridView->GetScrollPosition();
    EXPECT_GT(pos.x, 0);
    EXPECT_LT(pos.y, 0);
    const CPoint bars = g_pGridView->GetScrollBarPositions();
    EXPECT_GT(bars.x, 0);
    EXPECT_GT(bars.y, 0);
    // A scroll by the user moves the plan under the window.
    auto* v = g_pGridView->GetWidget()->findChild<QScrollBar*>();
    ASSERT_NE(v, nullptr);
    v->setValue(v->value() - 10);
    EXPECT_NE(g_pGridView->GetScrollPosition(), pos);
}

TEST_F(PlanViewTest, ChoicesBeyondTheCountsAreKeptWithinThem)
{
    g_pDoc->m_nCurGirder = 99;
    g_pDoc->m_nCurCrossSection = 99;
    g_pDoc->m_nPlanCrossBeam = -5;
    EXPECT_EQ(PlanCurrentGirder(*g_pDoc), g_nGirders - 1);
    EXPECT_EQ(PlanCurrentStation(*g_pDoc), g_nCrossSections - 1);
    EXPECT_EQ(PlanCurrentPanelPoint(*g_pDoc), 0);
    Draw();
    const auto chosen = Ops("LineTo", RGB(255, 0, 0), 5);
    ASSERT_FALSE(chosen.empty());
    const CPoint a = Map(Panel(0, 0).m_aptGirder[size_t(g_nGirders - 1)]);
    EXPECT_EQ(chosen[0].args[0], a.x);
    EXPECT_EQ(chosen[0].args[1], a.y);
    EXPECT_EQ(Ops("LineTo", RGB(128, 128, 128), 5).size(), 1u);
}

TEST_F(PlanViewTest, LongCoordinatePlanDrawsItsBaseLineStraight)
{
    // Three hundred panel points along a bend: beyond what the smoothing takes.
    CSpanData& sp = g_pDoc->m_aSpans[0];
    sp.m_aPanelPoints.resize(300);
    for (int j = 0; j < 300; ++j)
        sp.m_aPanelPoints[size_t(j)].m_ptBase = CDPoint(j, j < 150 ? 0.0 : (j - 150) * 0.5);
    sp.m_nPanels = 299;
    g_pDoc->m_aSpans.resize(1);
    const int spans = g_nSpans;
    g_nSpans = 1;
    g_bCoordinatePlan = 1;
    Draw();
    g_bCoordinatePlan = 0;
    g_nSpans = spans;
    const auto base = Ops("Polyline", RGB(0, 128, 0), 1, PS_DASHDOT);
    ASSERT_EQ(base.size(), 1u);
    ASSERT_EQ(base[0].args.size(), size_t(2 * (300 + 299 * 9)));
    // Every tenth point is a panel point, those between lie on the straight chord.
    const CPoint p0 = Map(CDPoint(150, 0)), p1 = Map(CDPoint(151, 0.5));
    const size_t i = 150 * 10 * 2;
    EXPECT_EQ(base[0].args[i], p0.x);
    EXPECT_EQ(base[0].args[i + 20], p1.x);
    EXPECT_EQ(base[0].args[i + 11], Map(CDPoint(150.5, 0.25)).y);
}

TEST_F(PlanViewTest, DimensionLinesRunBesideThePlanAndSwapSidesWhenReversed)
{
    g_pDoc->m_dPlanScale = 1.0;
    Draw();
    const CPoint origin = g_pGridView->m_ptOrigin;
    EXPECT_EQ(g_pGridView->DrawSpanDimensions(&dc, g_pDoc, 2), 0);
    EXPECT_EQ(g_pGridView->DrawPanelDimensions(&dc, g_pDoc, 0), 0);
    const COLORREF pink = RGB(255, 192, 192);
    EXPECT_TRUE(Ops("LineTo", pink, 1).empty());

    auto measure = [&](bool spans) {
        dc.ClearRecords();
        if (spans)
            g_pGridView->DrawSpanDimensions(&dc, g_pDoc, 1);
        else
            g_pGridView->DrawPanelDimensions(&dc, g_pDoc, 1);
        return Ops("LineTo", pink, 1);
    };
    const CSpanData& sp = g_pDoc->m_aSpans[0];
    const int n = sp.m_nPanels;
    // Span lengths: two extension lines and the line itself per span, one label.
    auto lines = measure(true);
    ASSERT_EQ(lines.size(), 6u);
    QStringList texts = Texts();
    EXPECT_EQ(texts, (QStringList{QString::asprintf("%.0f", sp.m_dSpanLength * 1000),
                                  QString::asprintf("%.0f", g_pDoc->m_aSpans[1].m_dSpanLength * 1000)}));
    const int above = lines[0].args[3];
    EXPECT_GT(above, Map(sp.m_aGirderLines[0].m_ptStart).y);
    EXPECT_NEAR(lines[2].args[1], above, 1);   // the line at the offset, parallel to the base line
    EXPECT_NEAR(lines[2].args[3], above, 1);
    // An even panel count puts the label over the middle panel point, above the line.
    const CDC::Record* label = nullptr;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut") && !label)
            label = &r;
    CFont* oldFont = dc.SelectObject(&g_pGridView->m_font);
    const CSize ext = dc.GetTextExtent(label->text);
    dc.SelectObject(oldFont);
    ASSERT_EQ(n % 2, 0);
    EXPECT_NEAR(label->args[0] + ext.cx / 2, Map(Panel(0, n / 2).m_ptBase).x, 1);
    EXPECT_GT(label->args[1], above);
    EXPECT_EQ(label->bkMode, TRANSPARENT);
    EXPECT_EQ(label->fontHeight, 35);

    // Panel lengths: an extension line at every panel point, a label per panel.
    lines = measure(false);
    EXPECT_EQ(int(lines.size()), (n + 1) + 1 + (g_pDoc->m_aSpans[1].m_nPanels + 1) + 1);
    EXPECT_EQ(Texts().size(), n + g_pDoc->m_aSpans[1].m_nPanels);
    EXPECT_EQ(Texts().front(), QString::asprintf("%.0f", sp.m_pdPanelLength[0] * 1000));

    g_pDoc->m_bPlanScaleReversed = 1;
    lines = measure(true);
    const int below = lines[0].args[3];
    EXPECT_LT(below, Map(sp.m_aGirderLines[size_t(g_nGirders - 1)].m_ptStart).y);
    for (const CDC::Record& r : dc.Records()) {
        if (r.op == QLatin1String("TextOut")) {
            EXPECT_LT(r.args[1], below);
        }
    }
    EXPECT_EQ(g_pGridView->m_ptOrigin, origin);
}

TEST_F(PlanViewTest, DimensionLabelsRoundHalvesUpAndShowNoMinusZero)
{
    g_pDoc->m_dPlanScale = 1.0;
    Draw();
    CSpanData& sp = g_pDoc->m_aSpans[0];
    sp.m_dSpanLength = 30.0125;
    sp.m_pdPanelLength[0] = -1e-7;
    sp.m_pdPanelLength[1] = 0.0125;
    dc.ClearRecords();
    g_pGridView->DrawSpanDimensions(&dc, g_pDoc, 1);
    EXPECT_EQ(Texts().front(), QStringLiteral("30013"));
    dc.ClearRecords();
    g_pGridView->DrawPanelDimensions(&dc, g_pDoc, 1);
    EXPECT_EQ(Texts().mid(0, 2), (QStringList{QStringLiteral("0"), QStringLiteral("13")}));
}

TEST_F(PlanViewTest, BarMessagesRepaintThePlan)
{
    ShowFrame();
    ASSERT_EQ(g_pGridView->m_dScale, 10.0 * g_pDoc->m_dPlanScale);
    // A choice written into the document shows at the paint that the message asks for.
    g_pDoc->m_dPlanScale = 1.0;
    QCoreApplication::processEvents();
    EXPECT_EQ(g_pGridView->m_dScale, 20.0);
    g_pGridView->SendMessage(WM_PLAN_SELECT, 0, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(g_pGridView->m_dScale, 10.0);
    g_pDoc->m_dPlanAngle = 45.0;
    g_pGridView->SendMessage(WM_PLAN_SCALE, IDC_PLAN_ANGLE_SLIDER, 45);
    QCoreApplication::processEvents();
    EXPECT_DOUBLE_EQ(g_pGridView->m_dAngle, 45.0 * 3.14159265359 / 180.0);
}

TEST_F(PlanViewTest, ATurnKeepsTheWholePlanInTheWindow)
{
    ShowFrame();
    QWidget* w = g_pGridView->GetWidget();
    const double k = w->logicalDpiX() / 254.0;
    const int width = int((w->width() - 20) / k), height = int((w->height() - 20) / k);
    for (double angle : {0.0, 30.0, 90.0, 180.0, 235.0, 270.0}) {
        g_pDoc->m_dPlanAngle = angle;
        Draw();
        EXPECT_EQ(g_pGridView->GetTotalSize(), CSize(13100, 13100));
        const CPoint pos = g_pGridView->GetScrollPosition();
        for (const CSpanData& sp : g_pDoc->m_aSpans)
            for (const CPanelPointRecord& pp : sp.m_aPanelPoints)
                for (CDPoint g : pp.m_aptGirder) {
                    const CPoint p = Map(g);
                    EXPECT_TRUE(p.x >= pos.x && p.x <= pos.x + width && p.y <= pos.y && p.y >= pos.y - height)
                        << angle << " " << p.x << "," << p.y;
                }
    }
}

TEST_F(PlanViewTest, WheelScrollsDownAndSideways)
{
    g_pGridView->GetWidget()->resize(600, 400);
    Draw();
    auto wheel = [](QPoint delta, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWheelEvent e(QPointF(100, 100), QPointF(100, 100), QPoint(), delta, Qt::NoButton, mods, Qt::NoScrollPhase,
                      false);
        QCoreApplication::sendEvent(g_pGridView->GetWidget(), &e);
    };
    const CPoint start = g_pGridView->GetScrollBarPositions();
    wheel(QPoint(0, -120));
    const int notch = g_pGridView->GetScrollBarPositions().y - start.y;
    EXPECT_GT(notch, 0);
    EXPECT_EQ(g_pGridView->GetScrollBarPositions().x, start.x);
    wheel(QPoint(-120, 0));
    EXPECT_EQ(g_pGridView->GetScrollBarPositions(), CPoint(start.x + notch, start.y + notch));
    wheel(QPoint(0, 120), Qt::ShiftModifier);
    EXPECT_EQ(g_pGridView->GetScrollBarPositions(), CPoint(start.x, start.y + notch));
    // A finely stepped wheel goes as far in four quarter turns as in one notch.
    for (int i = 0; i < 4; ++i)
        wheel(QPoint(0, -30));
    EXPECT_EQ(g_pGridView->GetScrollBarPositions(), CPoint(start.x, start.y + 2 * notch));
}

// On screen the plan's labels are laid out as on paper at its scales, turns and flips of its
// dimension lines: no line runs through a label, none crowds another, each stands by what it
// names or is led to it. The layout is made once for them: a repaint or a scroll draws it again.
using PlanExampleTest = ShellTest;

// The window's labels read at every scale of its bar, turned and flipped, with the lengths or
// without: on the skewed example and on eight close girders over a short span.
TEST_F(PlanExampleTest, OnScreenTheLabelsAreLaidOutOnceAsOnPaper)
{
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    // Painted as on the screen, the window's origin at the scroll position.
    auto Draw = [&]() -> const std::vector<CDC::Record>& {
        dc.ClearRecords();
        g_pGridView->OnPrepareDC(&dc);
        g_pGridView->OnDraw(&dc);
        return dc.Records();
    };
    for (bool example : {true, false}) {
        SCOPED_TRACE(example ? "plate_3span_skew" : "eight girders");
        if (example) {
            ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("plate_3span_skew.mvl"))));
        } else {
            StartNewDesign();
            const designgen::Design d = designgen::Generate(111);
            designgen::EnterDesign(d);
            ASSERT_EQ(designgen::Mismatch(d), QString());
        }
        g_pMainFrame->BringPlanViewForward();
        ASSERT_NE(g_pGridView, nullptr);
        ASSERT_NE(g_pGridBar, nullptr);
        const QStringList names{QStringLiteral("G1"), AfxFormat("G%d", g_nGirders), QStringLiteral("鈑桁")};
        for (double scale : g_pGridBar->m_adScale)
            for (double angle : {0.0, 30.0, 90.0, 200.0})
                // Flipped moves only the lengths.
                for (const auto& [lengths, reversed] : {std::pair{0, 0}, {1, 0}, {1, 1}}) {
                    SCOPED_TRACE(testing::Message() << "scale " << scale << ", " << angle << " degrees, lengths "
                                                    << lengths << ", flipped " << reversed);
                    g_pDoc->m_bPlanShowSpanLengths = lengths;
                    g_pDoc->m_bPlanShowPanelLengths = lengths;
                    g_pDoc->m_dPlanAngle = angle;
                    g_pDoc->m_bPlanScaleReversed = reversed;
                    g_pGridView->SendMessage(WM_PLAN_SCALE, IDC_PLAN_SCALE_SLIDER, LPARAM(std::lround(scale * 10.0)));
                    const std::vector<CDC::Record> records = Draw();
                    const QStringList faults = drawingchecks::LabelFaults(records);
                    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
                    EXPECT_TRUE(drawingchecks::MissingTexts(records, names).isEmpty());
                }
    }
    // A scroll paints the layout kept; the design's update notice lays it out anew.
    const int layouts = g_pGridView->m_laidOut.Layouts();
    const size_t drawn = Draw().size();
    g_pGridView->ScrollToPosition(g_pGridView->GetScrollPosition() + CSize(300, -200));
    EXPECT_EQ(Draw().size(), drawn);
    EXPECT_EQ(g_pGridView->m_laidOut.Layouts(), layouts);
    g_pDoc->UpdateAllViews(nullptr);
    Draw();
    EXPECT_EQ(g_pGridView->m_laidOut.Layouts(), layouts + 1);
}

TEST_F(PlanViewTest, NothingIsDrawnWithoutSpans)
{
    StartNewDesign();
    g_pMainFrame->BringPlanViewForward();
    ASSERT_EQ(g_nSpans, 0);
    EXPECT_TRUE(Draw().empty());
}

} // namespace

namespace {

// The plan bar of the two-span design: its spins, sliders, angle edit and checks.
class PlanBarTest : public PlanViewTest {
protected:
    static CGridBar& Bar() { return *g_pGridBar; }
    template <class T>
    static T* Control(int id) { return dynamic_cast<T*>(Bar().GetControl(id)); }
    static QString Text(int id) { return Bar().GetControl(id)->GetWindowText(); }
    static void TypeAngle(const QString& text)
    {
        Bar().GetControl(IDC_PLAN_ANGLE)->SetWindowText(text);
        Bar().SendMessage(WM_COMMAND, WPARAM(IDC_PLAN_ANGLE | (EN_CHANGE << 16)), 0);
    }
    static void Slide(int id, int from, int steps)
    {
        auto* slider = Control<CSliderCtrl>(id);
        slider->SetPos(from);
        auto* w = qobject_cast<QAbstractSlider*>(slider->GetWidget());
        for (int i = 0; i < steps; ++i)
            w->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    }
};

TEST_F(PlanBarTest, SpinsChooseGirderAndStationWithinTheirCounts)
{
    ASSERT_NE(g_pGridBar, nullptr);
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_PLAN_GIRDER), QStringLiteral("   1"));
    Control<CSpinButtonCtrl>(IDC_PLAN_GIRDER_SPIN)->Step(1);
    EXPECT_EQ(g_pDoc->m_nCurGirder, 1);
    EXPECT_EQ(Text(IDC_PLAN_GIRDER), QStringLiteral("   2"));
    Control<CSpinButtonCtrl>(IDC_PLAN_GIRDER_SPIN)->Step(-1);
    Control<CSpinButtonCtrl>(IDC_PLAN_GIRDER_SPIN)->Step(-1);
    EXPECT_EQ(g_pDoc->m_nCurGirder, 0);

    EXPECT_FALSE(Bar().OnDeltaPosSection(g_nCrossSections));
    EXPECT_TRUE(Bar().OnDeltaPosSection(g_nCrossSections - 1));
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, g_nCrossSections - 1);
    EXPECT_EQ(Text(IDC_PLAN_SECTION), AfxFormat("%4d", g_nCrossSections));
    EXPECT_TRUE(Bar().OnDeltaPosCrossBeam(2));
    EXPECT_EQ(g_pDoc->m_nPlanCrossBeam, 2);

    // A single box has one girder to show.
    const int type = g_nBridgeType;
    g_nBridgeType = 2;
    EXPECT_FALSE(Bar().OnDeltaPosGirder(1));
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_PLAN_GIRDER), QStringLiteral("   1"));
    g_nBridgeType = type;
}

TEST_F(PlanBarTest, ScaleSliderSetsThePlanScale)
{
    Bar().Refresh();
    Slide(IDC_PLAN_SCALE_SLIDER, 1, 1);
    EXPECT_EQ(g_pDoc->m_dPlanScale, 0.7);
    EXPECT_EQ(Text(IDC_PLAN_SCALE), QStringLiteral(" 0.7"));
    Slide(IDC_PLAN_SCALE_SLIDER, 8, 1);
    EXPECT_EQ(g_pDoc->m_dPlanScale, 5.0);
    Draw();
    EXPECT_EQ(g_pGridView->m_dScale, 50.0);
}

TEST_F(PlanBarTest, AngleFromSliderOrTypedTurnsThePlan)
{
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_PLAN_ANGLE), QStringLiteral("  0.000"));
    Slide(IDC_PLAN_ANGLE_SLIDER, 44, 1);
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 45.0);
    EXPECT_EQ(Text(IDC_PLAN_ANGLE), QStringLiteral(" 45.000"));
    TypeAngle(QStringLiteral("12.5"));
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 12.5);
    Bar().Refresh();
    EXPECT_EQ(Control<CSliderCtrl>(IDC_PLAN_ANGLE_SLIDER)->GetPos(), 12);
    EXPECT_EQ(Text(IDC_PLAN_ANGLE), QStringLiteral("12.5"));   // left as typed
    TypeAngle(QStringLiteral("400"));
    Bar().Refresh();
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 400.0);
    EXPECT_EQ(Control<CSliderCtrl>(IDC_PLAN_ANGLE_SLIDER)->GetPos(), 359);
    TypeAngle(QStringLiteral("abc"));
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 0.0);
}

TEST_F(PlanBarTest, TheIdleUpdateShowsTheDocumentsChoicesBesideThePicture)
{
    g_pDoc->m_nCurGirder = 2;
    g_pDoc->m_dPlanAngle = 30.0;
    ShowFrame();
    g_pMainFrame->UpdateControlBars();
    EXPECT_EQ(Text(IDC_PLAN_GIRDER), QStringLiteral("   3"));
    EXPECT_EQ(Text(IDC_PLAN_ANGLE), QStringLiteral(" 30.000"));
    EXPECT_EQ(Control<CSliderCtrl>(IDC_PLAN_ANGLE_SLIDER)->GetPos(), 30);
    // The turning sense of the angle, drawn beside it.
    int pictures = 0;
    for (QLabel* l : Bar().GetWidget()->findChildren<QLabel*>())
        pictures += !l->pixmap().isNull();
    EXPECT_EQ(pictures, 1);
}

TEST_F(PlanBarTest, WithoutAPlanViewTheBarKeepsToTheDocument)
{
    Bar().Refresh();
    CGridView* view = g_pGridView;
    g_pGridView = nullptr;      // as before the plan's first paint
    const double scale = g_pDoc->m_dPlanScale;
    Slide(IDC_PLAN_SCALE_SLIDER, 1, 1);
    Slide(IDC_PLAN_ANGLE_SLIDER, 9, 1);
    const bool stepped = Bar().OnDeltaPosGirder(1);
    g_pGridView = view;
    EXPECT_TRUE(stepped);
    EXPECT_EQ(g_pDoc->m_nCurGirder, 1);
    EXPECT_EQ(g_pDoc->m_dPlanScale, scale);   // the view sets the scale
    EXPECT_EQ(Text(IDC_PLAN_SCALE), QStringLiteral(" 0.7"));
    EXPECT_EQ(g_pDoc->m_dPlanAngle, 10.0);
    EXPECT_EQ(Text(IDC_PLAN_ANGLE), QStringLiteral(" 10.000"));
    Draw();
    EXPECT_DOUBLE_EQ(g_pGridView->m_dAngle, 10.0 * 3.14159265359 / 180.0);
}

TEST_F(PlanBarTest, SpinStepsUpdateEveryViewOfTheDesign)
{
    struct CountingView : CView {
        int updates = 0;
        void OnUpdate(CView*, LPARAM, CObject*) override { ++updates; }
    } other;
    g_pDoc->AddView(&other);
    Bar().Refresh();
    Control<CSpinButtonCtrl>(IDC_PLAN_GIRDER_SPIN)->Step(1);
    Control<CSpinButtonCtrl>(IDC_PLAN_SECTION_SPIN)->Step(1);
    EXPECT_TRUE(Bar().OnDeltaPosCrossBeam(1));
    EXPECT_EQ(other.updates, 3);
    // A step beyond the counts changes nothing and tells no one.
    EXPECT_FALSE(Bar().OnDeltaPosSection(g_nCrossSections));
    EXPECT_EQ(other.updates, 3);
    EXPECT_EQ(g_pDoc->m_nCurCrossSection, 1);
    g_pDoc->RemoveView(&other);
}

TEST_F(PlanBarTest, ChecksSetTheDisplayOptions)
{
    Bar().Refresh();
    Control<CButton>(IDC_PLAN_SHOW_SPANS)->Click();
    EXPECT_EQ(g_pDoc->m_bPlanShowSpanLengths, 1);
    Control<CButton>(IDC_PLAN_SHOW_PANELS)->Click();
    EXPECT_EQ(g_pDoc->m_bPlanShowPanelLengths, 1);
    Control<CButton>(IDC_PLAN_REVERSE)->Click();
    EXPECT_EQ(g_pDoc->m_bPlanScaleReversed, 1);
    Control<CButton>(IDC_PLAN_REVERSE)->Click();
    EXPECT_EQ(g_pDoc->m_bPlanScaleReversed, 0);
    Draw();
    EXPECT_FALSE(Ops("LineTo", RGB(255, 192, 192), 1).empty());
}

// A check pressed with the mouse is switched on even when the bar paints, and the frame's
// idle update runs, between the press and the release.
TEST_F(PlanBarTest, ACheckPressedWhileTheBarPaintsIsSwitchedOn)
{
    g_pDoc->m_bPlanShowSpanLengths = g_pDoc->m_bPlanShowPanelLengths = g_pDoc->m_bPlanScaleReversed = 0;
    Bar().Refresh();
    for (int id : {IDC_PLAN_SHOW_SPANS, IDC_PLAN_SHOW_PANELS, IDC_PLAN_REVERSE}) {
        auto* box = qobject_cast<QAbstractButton*>(Control<CButton>(id)->GetWidget());
        ASSERT_FALSE(box->isChecked());
        const QPoint centre(8, box->height() / 2);
        gridui::Mouse(box, QEvent::MouseButtonPress, centre);
        Bar().OnPaint();
        Bar().OnUpdateCmdUI(g_pMainFrame, TRUE);
        // On a screen the box repaints itself, and the bar under it, before it reports the click.
        const QMetaObject::Connection paint = QObject::connect(box, &QAbstractButton::toggled, [] { Bar().OnPaint(); });
        gridui::Mouse(box, QEvent::MouseButtonRelease, centre);
        QObject::disconnect(paint);
        EXPECT_EQ(Control<CButton>(id)->GetCheck(), 1) << id;
        Bar().OnPaint();
        EXPECT_EQ(Control<CButton>(id)->GetCheck(), 1) << id;
    }
    EXPECT_EQ(g_pDoc->m_bPlanShowSpanLengths, 1);
    EXPECT_EQ(g_pDoc->m_bPlanShowPanelLengths, 1);
    EXPECT_EQ(g_pDoc->m_bPlanScaleReversed, 1);
}

} // namespace

namespace {

// The plan's printout: the paper question before the job, the page fitted to the deck.
class PlanPrintTest : public PlanViewTest {
protected:
    void TearDown() override
    {
        AfxSetPrintHook({});
        AfxSetModalHook({});
        g_bNoA3Paper = 0;
        PlanViewTest::TearDown();
    }
    // Prints to a PDF, answering the paper question with the given button; the questions asked.
    int Print(int nPaperButton, int nAnswer)
    {
        int asked = 0;
        AfxSetModalHook([&](CDialog* d) {
            ++asked;
            EXPECT_EQ(static_cast<CButton*>(d->GetDlgItem(IDC_PAPER_A4))->GetCheck(), 1);
            EXPECT_EQ(d->GetDlgItem(IDC_PAPER_STATUS)->GetWindowText(), QStringLiteral("準備完了"));
            static_cast<CButton*>(d->GetDlgItem(IDC_PAPER_A4))->SetCheck(nPaperButton == IDC_PAPER_A4);
            static_cast<CButton*>(d->GetDlgItem(IDC_PAPER_A3))->SetCheck(nPaperButton == IDC_PAPER_A3);
            d->SendMessage(WM_COMMAND, nAnswer);
        });
        AfxSetPrintHook([this](CPrintInfo*) { return m_dir.filePath(QStringLiteral("plan.pdf")); });
        m_printed = AfxPrintView(g_pGridView, PrintMode::Print);
        return asked;
    }
    bool Printed() const { return m_printed && QFile::exists(m_dir.filePath(QStringLiteral("plan.pdf"))); }
    QTemporaryDir m_dir;
    BOOL m_printed = FALSE;
};

TEST_F(PlanPrintTest, PaperIsChosenBeforeThePageIsLaidOut)
{
    EXPECT_TRUE(Update(ID_FILE_PRINT).m_bEnabled);
    EXPECT_EQ(Print(IDC_PAPER_A3, IDOK), 1);
    EXPECT_TRUE(Printed());
    EXPECT_EQ(g_pGridView->m_nPaper, DMPAPER_A3);
    EXPECT_EQ(g_pGridView->m_sizePaper, CSize(2970, 4200));
    EXPECT_EQ(g_pDoc->m_nPageWidth, 2970);
    QFile pdf(m_dir.filePath(QStringLiteral("plan.pdf")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.readAll().contains("/MediaBox [0 0 842"));   // A3 points
}

TEST_F(PlanPrintTest, CancelledPaperQuestionPrintsNothing)
{
    EXPECT_EQ(Print(IDC_PAPER_A3, IDCANCEL), 1);
    EXPECT_FALSE(Printed());
}

TEST_F(PlanPrintTest, A4OnlyAsksNothing)
{
    g_bNoA3Paper = 1;
    EXPECT_EQ(Print(IDC_PAPER_A3, IDOK), 0);
    EXPECT_TRUE(Printed());
    EXPECT_EQ(g_pGridView->m_sizePaper, CSize(2100, 2970));
}

TEST_F(PlanPrintTest, PageFitsTheDeckAndSurvivesDegenerateEdges)
{
    CPrintInfo info;
    dc.SetPrinting(true);
    const CPoint origin = g_pGridView->m_ptOrigin;
    g_pGridView->OnPrint(&dc, &info);
    EXPECT_EQ(g_pGridView->m_ptOrigin, origin);
    // Every girder point lies on the paper.
    int lines = 0;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("LineTo") && r.penColor == RGB(255, 0, 0) && r.penWidth == 1) {
            ++lines;
            EXPECT_GT(r.args[0], 0);
            EXPECT_LT(r.args[2], g_pDoc->m_nPageWidth);
            EXPECT_LT(r.args[1], 0);
            EXPECT_GT(r.args[1], -g_pDoc->m_nPageHeight);
        }
    EXPECT_GT(lines, 0);
    // The bridge type stands on the page in the labels' font, and the node numbers clear of
    // the deck edges.
    const CDC::Record* type = nullptr;
    for (const CDC::Record& r : dc.Records())
        if (r.op == QLatin1String("TextOut") && r.text == QStringLiteral("鈑桁"))
            type = &r;
    ASSERT_NE(type, nullptr);
    EXPECT_EQ(type->fontHeight, 28);
    EXPECT_GT(type->args[0], 0);
    EXPECT_LT(type->args[0], g_pDoc->m_nPageWidth);
    EXPECT_LT(type->args[1], 0);
    EXPECT_GT(type->args[1], -g_pDoc->m_nPageHeight);
    const auto boxes = NodeNumberBoxes();
    EXPECT_FALSE(boxes.empty());
    for (const auto& [text, box] : boxes)
        EXPECT_EQ(EdgeLinesThrough(box), 0) << text.toStdString();

    // Edge lines of two points, then a deck under a metre wide and long.
    for (CPolyline2D* line : g_pDoc->m_apEdgeLines)
        if (line)
            line->m_aPoints.resize(2);
    dc.ClearRecords();
    g_pGridView->OnPrint(&dc, &info);
    EXPECT_FALSE(dc.Records().empty());
    for (CPolyline2D* line : g_pDoc->m_apEdgeLines)
        if (line)
            line->m_aPoints.assign(3, CDPoint(0.2, 0.1));
    dc.ClearRecords();
    g_pGridView->OnPrint(&dc, &info);
    EXPECT_FALSE(dc.Records().empty());
}

// A box bridge of one 16 m span prints at a large scale: the girder type 7 m before the
// first station would stand off the paper; it moves nearer, and every text stays in the frame.
TEST_F(PlanPrintTest, AShortBoxBridgeKeepsItsTypeAndLabelsInTheFrame)
{
    dialoginput::ConfirmBasic(QStringLiteral("1"), [](CDialog* d) { dialoginput::Press(d, IDC_FORM_BOX); });
    ASSERT_EQ(g_nBridgeType, 1);
    g_adSpanLength[0] = 16.0;
    g_anPanelCount[0] = 4;
    for (int k = 0; k < 4; ++k)
        g_adPanelLength[0][k] = 4.0;
    g_pDoc->RebuildGeometry(0);
    ASSERT_FALSE(g_pDoc->m_aSpans.empty());
    ASSERT_NEAR(g_pDoc->m_aSpans[0].m_dSpanLength, 16.0, 1e-9);
    CPrintInfo info;
    dc.SetPrinting(true);
    g_pGridView->OnPrint(&dc, &info);
    const auto& records = dc.Records();
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const CDC::Record& r) { return drawingchecks::IsText(r) && r.text == QStringLiteral("箱桁"); }),
              1);
    EXPECT_TRUE(drawingchecks::OutsideFrame(records).isEmpty())
        << drawingchecks::OutsideFrame(records).join(u'\n').toStdString();
    EXPECT_TRUE(drawingchecks::OverlappingTexts(records).isEmpty())
        << drawingchecks::OverlappingTexts(records).join(u'\n').toStdString();
}

// Eight plate girders over one short span: the lines the plan draws beyond the deck's first
// end reach where the girder type would stand; it stands clear of them.
TEST_F(PlanPrintTest, TheGirderTypeStandsClearOfEveryLineOfTheWindowsPage)
{
    const designgen::Design d = designgen::Generate(111);
    designgen::EnterDesign(d);
    ASSERT_EQ(designgen::Mismatch(d), QString());
    ASSERT_EQ(g_nGirders, 8);
    CPrintInfo info;
    dc.SetResolution(600, 600);
    dc.SetPrinting(true);
    g_pGridView->OnPrint(&dc, &info);
    const auto& records = dc.Records();
    EXPECT_EQ(std::count_if(records.begin(), records.end(),
                            [](const CDC::Record& r) { return drawingchecks::IsText(r) && r.text == QStringLiteral("鈑桁"); }),
              1);
    EXPECT_TRUE(drawingchecks::LinesThroughTexts(records).isEmpty())
        << drawingchecks::LinesThroughTexts(records).join(u'\n').toStdString();
}

} // namespace
