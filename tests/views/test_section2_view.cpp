// The longitudinal-section window: its drawer on a one-span girder of varying height and on
// the example designs, the scroll sizes, the bar's girder and scales, and the printout.
#include "common/bar_input.h"
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "app/childfrm.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/print.h"
#include "input/height_dialog.h"
#include "views/drawing_views.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <algorithm>
#include <set>

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class Section2Test : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        dc.SetMapMode(MM_LOMETRIC);
    }
    // A new design of the spans given whose girder height varies.
    void Varying(const char* spans)
    {
        dialoginput::ConfirmBasic(QString::fromLatin1(spans), [](CDialog* d) {
            static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_VARIATION))->SetCheck(1);
            static_cast<CButton*>(d->GetDlgItem(IDC_HEIGHT_CONSTANT))->SetCheck(0);
        });
        ASSERT_EQ(g_pDoc->m_dlgBasic.m_nHeightVariation, 0);
        ShowView();
    }
    void Open(const char* file)
    {
        ASSERT_TRUE(theApp.OpenDesign(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QString::fromLatin1(file))));
        ShowView();
    }
    void ShowView()
    {
        Command(ID_VIEW_SECTION2);
        ASSERT_NE(g_pSection2View, nullptr);
        QCoreApplication::processEvents();
    }
    static CSection2Bar& Bar()
    {
        return static_cast<CChildSection2Frame*>(g_pSection2View->GetParentFrame())->m_wndBar;
    }
    template <class T>
    static T* Control(int id) { return barinput::Control<T>(Bar(), id); }
    static QString Text(int id) { return barinput::Text(Bar(), id); }
    static void Slide(int id, int to) { barinput::Slide(Bar(), id, to); }
    const std::vector<CDC::Record>& Draw() { return barinput::Redraw(dc, g_pSection2View); }
    // The drawing's origin on screen: 1000 units lower per unit of vertical scale.
    static CPoint Origin()
    {
        return CPoint(200, -900 + 500 + int(g_pDoc->m_dSection2ScaleY * -1000.0));
    }
    std::vector<CDC::Record> Lines(COLORREF pen, int style = PS_SOLID) const
    {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("LineTo") && r.penColor == pen && r.penStyle == style)
                out.push_back(r);
        return out;
    }
    // Black lines that rise to the girder's top: supports, panel points or section joints.
    std::vector<int> Risers() const
    {
        const int top = Origin().y + 400;
        std::vector<int> xs;
        for (const CDC::Record& r : Lines(kBlack))
            if (r.args[0] == r.args[2] && r.args[3] == top && r.args[1] < top)
                xs.push_back(r.args[0]);
        return xs;
    }
    QStringList Texts() const { return barinput::Texts(dc); }
    CDC dc;
};

TEST_F(Section2Test, OneSpanGirderHasTwoSupportsItsSpanAndItsPanelLines)
{
    Varying("1");
    Draw();
    const CPoint o = Origin();
    const double h = g_pDoc->m_apGirderProfiles[0]->m_aPoints.front().y;
    // Supports 1 and 2 and the span along the girder in millimetres.
    EXPECT_TRUE(Texts().contains(QStringLiteral("1")));
    EXPECT_TRUE(Texts().contains(QStringLiteral("2")));
    EXPECT_FALSE(Texts().contains(QStringLiteral("3")));
    EXPECT_TRUE(Texts().contains(AfxFormat("%.0f", g_adSpanLength[0] * 1000.0)));
    // Both supports and every panel point within the span rise to the top.
    const int panels = g_anPanelCount[0];
    std::vector<int> risers = Risers();
    std::sort(risers.begin(), risers.end());
    risers.erase(std::unique(risers.begin(), risers.end()), risers.end());
    EXPECT_EQ(int(risers.size()), panels + 1);
    EXPECT_EQ(risers.front(), o.x);
    EXPECT_EQ(risers.back(), o.x + int(g_adSpanLength[0] * 25.0));
    // The top 400 units above the origin at scale 1, the bottom line h below it.
    bool top = false;
    for (const CDC::Record& r : Lines(kBlack))
        top = top || (r.args[1] == o.y + 400 && r.args[3] == o.y + 400 && r.args[2] - r.args[0] > 500);
    EXPECT_TRUE(top);
    const auto bottom = Lines(kRed);
    ASSERT_FALSE(bottom.empty());
    EXPECT_EQ(bottom.front().args[1], o.y + int((4.0 - h) * 100.0));
    // No change points: the support entries and the end.
    EXPECT_EQ(Lines(kBlack, PS_DASHDOT).size(), 3u);
    EXPECT_EQ(Lines(kBlue).size(), 2u + 3u);     // the dimension, its two end marks and two ticks

    // A girder of 2.5 m stands 150 units above the origin, its support triangle under it.
    for (CPolyline2D* p : g_pDoc->m_apGirderProfiles)
        if (p)
            for (CDPoint& q : p->m_aPoints)
                q.y = 2.5;
    Draw();
    for (const CDC::Record& r : Lines(kRed))
        EXPECT_EQ(r.args[1], o.y + 150);
    bool triangle = false;
    for (const CDC::Record& r : Lines(kBlack))
        triangle = triangle || (r.args[0] == o.x && r.args[1] == o.y + 150 && r.args[2] == o.x - 25 && r.args[3] == o.y + 100);
    EXPECT_TRUE(triangle);
}

TEST_F(Section2Test, ChangePointsAreMarkedInTheirSpans)
{
    Varying("2");
    CSetupHeightDialog* h = g_pHeightDlg;
    ASSERT_NE(h, nullptr);
    // Span 2 holds a change point 12 m from its support: the list is S1, S2, 12, S3.
    h->m_anPointCount[1] = 1;
    h->m_adPointPos[2] = 12.0;
    Draw();
    const auto lines = Lines(kBlack, PS_DASHDOT);
    EXPECT_EQ(lines.size(), 5u);
    const int x = Origin().x + int((g_adSpanLength[0] + 12.0) * 25.0);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [&](const CDC::Record& r) { return std::abs(r.args[0] - x) <= 1; }),
              1);
    h->m_anPointCount[1] = 0;
    h->m_adPointPos[2] = 0.0;
}

TEST_F(Section2Test, ConstantHeightShowsTheJointsOfTheDesignedSections)
{
    Open("plate_3span_skew.mvl");
    Draw();
    const CGirderDesign& g = g_pDoc->m_pGirders[0];
    std::vector<int> risers = Risers();
    // Four supports and a joint at every section's end (the last one on the last support).
    EXPECT_EQ(int(risers.size()), 4 + g.m_nSections);
    double J = 0.0;
    for (const CSectionRecord& s : g.m_pSections) {
        J += s.m_dLength;
        const int x = Origin().x + int(J * 25.0);
        EXPECT_TRUE(std::any_of(risers.begin(), risers.end(), [&](int r) { return std::abs(r - x) <= 1; })) << J;
    }
    for (const char* t : {"1", "2", "3", "4"})
        EXPECT_TRUE(Texts().contains(QString::fromLatin1(t))) << t;
    // The bottom of a girder of constant height is one level line.
    std::set<int> levels;
    for (const CDC::Record& r : Lines(kRed)) {
        levels.insert(r.args[1]);
        levels.insert(r.args[3]);
    }
    EXPECT_EQ(levels.size(), 1u);

    // Without results only the bottom line is drawn.
    StartNewDesign();
    dialoginput::ConfirmBasic(QStringLiteral("1"));
    ShowView();
    ASSERT_NE(g_pSection2View->ShownDrawer(), nullptr);
    dc.ClearRecords();
    EXPECT_EQ(g_pSection2View->ShownDrawer()->Draw(&dc, Origin(), CDPoint(25.0, 100.0)), 0);
    EXPECT_FALSE(Lines(kRed).empty());
    EXPECT_TRUE(Lines(kBlack).empty());
}

TEST_F(Section2Test, PrintTwinsDrawTheSamePictureTurned)
{
    Varying("2");
    CSection2Drawer* drawer = g_pSection2View->ShownDrawer();
    ASSERT_NE(drawer, nullptr);
    const CPoint o(300, -500);
    const CDPoint s(20.0, 100.0);
    CDC upright, turned;
    drawer->DrawSpanDimensions(&upright, o, s);
    drawer->Draw(&upright, o, s);
    EXPECT_EQ(drawer->DrawSpanDimensionsForPrint(&turned, o, s), 1);
    drawer->DrawForPrint(&turned, o, s);
    auto lines = [](const CDC& dc) {
        std::vector<CDC::Record> out;
        for (const CDC::Record& r : dc.Records())
            if (r.op == QLatin1String("LineTo") && r.penWidth == 1)
                out.push_back(r);
        return out;
    };
    const auto a = lines(upright), b = lines(turned);
    ASSERT_EQ(a.size(), b.size());
    // Away from the bottom line (level pieces upright, sloped ones turned) every line is the
    // upright one turned: (x, y) to (-y - 420, x - 2384).
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].penColor == kRed)
            continue;
        EXPECT_EQ(b[i].args[0], -a[i].args[1] - 420) << i;
        EXPECT_EQ(b[i].args[1], a[i].args[0] - 2384) << i;
    }
    // The support numbers are turned text.
    int turnedTexts = 0;
    for (const CDC::Record& r : turned.Records())
        turnedTexts += r.op == QLatin1String("TextOut") && r.escapement == 900 && r.text.size() == 1;
    EXPECT_EQ(turnedTexts, 3);

    CSetupHeightDialog* h = g_pHeightDlg;
    g_pHeightDlg = nullptr;
    CDC none;
    EXPECT_EQ(drawer->DrawSpanDimensionsForPrint(&none, o, s), 0);
    g_pHeightDlg = h;
}

// Each support's number stands just after its support beside the triangle's foot, naming the
// support line there; on the sideways page at the same place turned with the drawing.
TEST_F(Section2Test, SupportNumbersStandAfterTheirSupportsTurnedWithTheDrawing)
{
    Varying("3");
    CSection2Drawer* drawer = g_pSection2View->ShownDrawer();
    ASSERT_NE(drawer, nullptr);
    const CPoint o(300, -500);
    const CDPoint s(6.0, 160.0);
    auto supports = [&](bool turned) {
        CDC page;
        page.SetMapMode(MM_LOMETRIC);
        DrawLabelled(&page, [&](CDC* dc, CPoint at, CDPoint k) { drawer->DrawAll(dc, at, k, turned); }, o, s);
        std::vector<LabelNote> out;
        for (const LabelNote& n : LabelNotes(page.Records()))
            if (n.kind == LabelKind::Support)
                out.push_back(n);
        return out;
    };
    const auto upright = supports(false), turned = supports(true);
    ASSERT_EQ(upright.size(), 4u);
    ASSERT_EQ(turned.size(), 4u);
    for (size_t i = 0; i < upright.size(); ++i) {
        const LabelNote &u = upright[i], &t = turned[i];
        EXPECT_EQ(u.text, QString::number(i + 1));
        EXPECT_EQ(u.place, 0) << i;
        // After the support, its left edge just past the triangle's, level with its foot.
        const CSize a = u.cell.CenterPoint() - u.anchor;
        EXPECT_GT(u.cell.left, u.anchor.x) << i;
        EXPECT_LT(u.cell.left - u.anchor.x, 30) << i;
        EXPECT_LE(std::abs(a.cy), 2) << i;
        // Turned a quarter: the drawing's x runs up the page and its y to the left.
        const CSize b = t.cell.CenterPoint() - t.anchor;
        EXPECT_NEAR(b.cy, a.cx, 2) << i;
        EXPECT_NEAR(-b.cx, a.cy, 2) << i;
    }
}

TEST_F(Section2Test, ScrollSizesFollowTheScales)
{
    Varying("1");
    EXPECT_EQ(g_pSection2View->GetTotalSize(), CSize(13000, 5000));
    EXPECT_EQ(g_pSection2View->GetPageSize(), CSize(2600, 1000));
    EXPECT_EQ(g_pSection2View->GetLineSize(), CSize(650, 250));
    g_pSection2View->OnScaleChanged(IDC_SECTION2_XSCALE_SLIDER, 10);
    EXPECT_EQ(g_pSection2View->GetTotalSize(), CSize(13000, 6000));
    EXPECT_EQ(g_pSection2View->GetPageSize(), CSize(26, 12));
    EXPECT_EQ(g_pSection2View->GetLineSize(), CSize(6, 3));
    g_pSection2View->OnScaleChanged(IDC_SECTION2_YSCALE_SLIDER, 20);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleY, 2.0);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleX, 1.0);
    EXPECT_EQ(g_pSection2View->GetTotalSize(), CSize(13000, 12000));
    // The window starts at the top of the drawing: the change point lines 7 m up.
    EXPECT_EQ(g_pSection2View->GetScrollPosition().y, Origin().y + 7 * 200 + 150);
    // Any other slider changes no scale.
    g_pSection2View->OnScaleChanged(1234, 50);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleX, 1.0);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleY, 2.0);
}

TEST_F(Section2Test, BarSendsWholeTenthsAndKeepsTheScalesApart)
{
    Varying("1");
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_SECTION2_XSCALE), QStringLiteral(" 1.0"));
    EXPECT_EQ(Control<CSliderCtrl>(IDC_SECTION2_XSCALE_SLIDER)->GetPos(), 5);
    EXPECT_EQ(Control<CSliderCtrl>(IDC_SECTION2_YSCALE_SLIDER)->GetPos(), 3);
    const std::pair<int, double> sent[] = {{1, 0.2}, {2, 0.3}, {4, 0.7}, {6, 1.2}, {0, 0.1}, {9, 2.5}};
    for (const auto& [pos, scale] : sent) {
        Slide(IDC_SECTION2_XSCALE_SLIDER, pos);
        EXPECT_EQ(g_pDoc->m_dSection2ScaleX, scale) << pos;
        // The edit shows the scale drawn at.
        EXPECT_EQ(Text(IDC_SECTION2_XSCALE), AfxFormat("%4.1f", scale)) << pos;
        EXPECT_EQ(g_pDoc->m_dSection2ScaleY, 1.0) << pos;
    }
    Slide(IDC_SECTION2_YSCALE_SLIDER, 9);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleY, 10.0);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleX, 2.5);
    // The idle update leaves the slider that stands for the scale where it is.
    Slide(IDC_SECTION2_XSCALE_SLIDER, 1);
    Bar().OnUpdateCmdUI(static_cast<CFrameWnd*>(g_pSection2View->GetParentFrame()), TRUE);
    EXPECT_EQ(Control<CSliderCtrl>(IDC_SECTION2_XSCALE_SLIDER)->GetPos(), 1);
    EXPECT_EQ(Text(IDC_SECTION2_XSCALE), QStringLiteral(" 0.2"));
}

TEST_F(Section2Test, GirderSpinStaysWithinTheGirders)
{
    Varying("2");
    auto* spin = Control<CSpinButtonCtrl>(IDC_SECTION2_GIRDER_SPIN);
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_SECTION2_GIRDER), QStringLiteral("   1"));
    spin->Step(-1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 0);
    for (int i = 0; i < g_nGirders + 2; ++i)
        spin->Step(1);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, g_nGirders - 1);
    EXPECT_EQ(Text(IDC_SECTION2_GIRDER), AfxFormat("%4d", g_nGirders));
    Draw();
    EXPECT_FALSE(Lines(kRed).empty());
    // One drawer per girder, whatever the station count.
    EXPECT_EQ(g_pSection2View->m_nDrawers, g_nGirders);
}

TEST_F(Section2Test, SingleBoxIsAlwaysGirderOne)
{
    Open("box1_1span.mvl");
    Bar().Refresh();
    EXPECT_EQ(Text(IDC_SECTION2_GIRDER), QStringLiteral("   1"));
    EXPECT_FALSE(Bar().OnDeltaposGirderSpin(1));
    g_pSection2View->SendMessage(WM_SECTION2_GIRDER, 0, 0);
    EXPECT_EQ(g_pDoc->m_nCalcGirder, 1);
    Draw();
    EXPECT_FALSE(Lines(kRed).empty());
    EXPECT_EQ(int(Risers().size()), 2 + g_pDoc->m_pGirders[1].m_nSections);
}

TEST_F(Section2Test, PrintsOneA4PageInThePageFrame)
{
    Varying("3");
    const double x = g_pDoc->m_dSection2ScaleX, y = g_pDoc->m_dSection2ScaleY;
    CPrintInfo info;
    dc.SetPrinting(true);
    g_pSection2View->OnPrint(&dc, &info);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleX, x);
    EXPECT_EQ(g_pDoc->m_dSection2ScaleY, y);
    EXPECT_TRUE(Texts().contains(g_pDoc->GetTitle() + QStringLiteral("_縦断面 1 形状")));
    EXPECT_TRUE(Texts().contains(QStringLiteral("- 1 -")));
    // 70 % of the width inside the margins, centred less 15 mm.
    const int W = 2100 - g_pDoc->m_nMarginLeft - g_pDoc->m_nMarginRight;
    int left = 1 << 30, right = -(1 << 30);
    for (const CDC::Record& r : Lines(kBlack)) {
        left = std::min({left, r.args[0], r.args[2]});
        right = std::max({right, r.args[0], r.args[2]});
        for (int i : {1, 3}) {
            EXPECT_LT(r.args[i], -g_pDoc->m_nMarginTop);
            EXPECT_GT(r.args[i], -2970 + g_pDoc->m_nMarginBottom);
        }
    }
    EXPECT_NEAR(right - left, 0.7 * W + 2 * 0.7 * W / (3 * 30.0), 3);     // with the support triangles
    EXPECT_GT(left, g_pDoc->m_nMarginLeft);
    EXPECT_LT(right, 2100 - g_pDoc->m_nMarginRight);

    const QByteArray pdf = barinput::PrintedPdf(g_pSection2View);
    EXPECT_TRUE(pdf.contains("/Count 1")) << "one page";
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595"));
}

TEST_F(Section2Test, NothingIsDrawnWithoutSpansOrAtAScaleOfNothing)
{
    ShowView();
    ASSERT_EQ(g_nSpans, 0);
    EXPECT_TRUE(Draw().empty());
    Varying("1");
    g_pDoc->m_dSection2ScaleX = 0.0;
    EXPECT_TRUE(Draw().empty());
    g_pDoc->m_dSection2ScaleX = 1.0;
    EXPECT_FALSE(Draw().empty());
}

} // namespace
