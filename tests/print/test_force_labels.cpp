// The values and step numbers of the printed force diagrams, upright and sideways, on designs
// whose curves, steps and piers crowd them: each clear of the lines, nearer what it names than
// anything else of its kind or led to it, a character's gap from other texts, and on a
// sideways page where the upright page has it, turned.
#include "print_fixture.h"

#include "common/bar_input.h"
#include "common/design_entry.h"
#include "common/design_generator.h"
#include "common/drawing_checks.h"
#include "common/picture_folder.h"

#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/wndextras.h"
#include "views/drawing_helpers.h"
#include "views/force_view.h"
#include "views/label_layout.h"

#include <QCoreApplication>

#include <cmath>
#include <map>

namespace {

using namespace designentry;

// The value font's height; texts keep half of it apart along their line.
constexpr int kValueHeight = 36;
// Cells as recorded are rounded to the device's pixels.
constexpr int kSlack = 3;

double Distance(const CRect& r, CPoint p)
{
    return std::hypot(double(p.x - std::clamp(p.x, r.left, r.right)), double(p.y - std::clamp(p.y, r.top, r.bottom)));
}

bool Named(const LabelNote& n) { return n.kind == LabelKind::Value || n.kind == LabelKind::Section; }

// What the page's values and section numbers break of the rules.
QStringList LabelFaults(const std::vector<CDC::Record>& records, bool turned)
{
    QStringList faults;
    const std::vector<LabelNote> notes = LabelNotes(records);
    auto name = [](const LabelNote& n) {
        return QStringLiteral("%1 \"%2\" at (%3,%4) in (%5,%6)-(%7,%8)")
            .arg(n.kind == LabelKind::Value ? QStringLiteral("value") : QStringLiteral("section"), n.text)
            .arg(n.anchor.x).arg(n.anchor.y).arg(n.cell.left).arg(n.cell.top).arg(n.cell.right).arg(n.cell.bottom);
    };
    for (const LabelNote& n : notes) {
        if (!Named(n))
            continue;
        // Neither a value nor a step's number is left out.
        if (!n.written()) {
            faults << name(n) + QStringLiteral(" left out");
            continue;
        }
        CRect inner = n.cell;
        inner.DeflateRect(kSlack, kSlack);
        // No line but its own leader through it.
        for (const CDC::Record& r : records) {
            if (r.op != QLatin1String("LineTo") && r.op != QLatin1String("Polyline"))
                continue;
            const std::vector<CPoint> pts = drawingchecks::PointsOf(r);
            if (n.led && pts.size() == 2 && pts[0] == n.anchor)
                continue;
            bool hit = false;
            for (size_t i = 0; i + 1 < pts.size() && !hit; ++i) {
                const CPoint a = pts[i], b = pts[i + 1];
                // Sampled finely enough for cells some 20 units across.
                const int steps = std::max(1, int(std::hypot(b.x - a.x, b.y - a.y) / 4.0));
                for (int k = 0; k <= steps && !hit; ++k) {
                    const CPoint p(a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps);
                    hit = inner.PtInRect(p) != 0;
                }
            }
            if (hit)
                faults << name(n) + QStringLiteral(" crossed by ") + drawingchecks::Describe(r);
        }
        // Nearer what it names than any other thing of its kind, or led to it.
        const double own = Distance(n.cell, n.anchor);
        for (const LabelNote& m : notes)
            if (m.kind == n.kind && m.anchor != n.anchor && Distance(n.cell, m.anchor) <= own && !n.led)
                faults << name(n) + QStringLiteral(" nearer ") + name(m);
        if (n.led && own > 150)
            faults << name(n) + QStringLiteral(" led from afar");
        // A character's gap along the line from every other label.
        for (const LabelNote& m : notes) {
            if (!Named(m) || !m.written() || &m == &n)
                continue;
            CRect wide = n.cell;
            if (turned)
                wide.InflateRect(0, kValueHeight / 2 - kSlack);
            else
                wide.InflateRect(kValueHeight / 2 - kSlack, 0);
            CRect meet;
            if (meet.IntersectRect(wide, m.cell) && &m > &n)
                faults << name(n) + QStringLiteral(" next to ") + name(m);
        }
    }
    return faults;
}

class ForceLabelsTest : public PrintTest {
protected:
    // Every girder's force page, upright and sideways, with the shear and resisting moment
    // shown; each checked, the sideways one against the upright one too.
    void CheckForcePages(const QString& design)
    {
        g_pDoc->m_bForceShowMoment = g_pDoc->m_bForceShowShear = g_pDoc->m_bForceShowResisting = 1;
        g_pDoc->m_bForceFolded = 0;
        CPrintView& v = OpenForm();
        if (!Box(IDC_PR_FORCE_DIAGRAM).GetCheck())
            Click(IDC_PR_FORCE_DIAGRAM);
        std::map<int, std::vector<LabelNote>> upright;
        for (const bool up : {true, false}) {
            Box(IDC_PR_FORCE_PORTRAIT).SetCheck(up ? 1 : 0);
            Box(IDC_PR_FORCE_LANDSCAPE).SetCheck(up ? 0 : 1);
            const int pages = v.CountPages();
            for (int p = 1; p <= pages; ++p) {
                if (v.SectionOfPage(p) != CPrintView::RS_FORCE_DIAGRAM)
                    continue;
                const std::vector<CDC::Record> records = PrintPage(p, 600);
                const QStringList faults = LabelFaults(records, !up);
                EXPECT_TRUE(faults.isEmpty()) << qPrintable(design) << (up ? " upright" : " sideways") << " page "
                                              << p << ":\n  " << qPrintable(faults.join(QStringLiteral("\n  ")));
                if (up)
                    upright[p] = LabelNotes(records);
                else
                    ExpectTurned(design, p, upright[p], LabelNotes(records));
            }
            KeepPdf(design + (up ? QStringLiteral("_upright") : QStringLiteral("_sideways")));
        }
    }

    // The sideways page's labels on the same side of their points, as far, turned a quarter:
    // (x, y) upright lands at (-y, x).
    static void ExpectTurned(const QString& design, int page, const std::vector<LabelNote>& up,
                             const std::vector<LabelNote>& side)
    {
        ASSERT_EQ(up.size(), side.size()) << qPrintable(design) << " page " << page;
        // Where both stay at their own place; one moved off it may find another on a page of
        // another scale.
        for (size_t i = 0; i < up.size(); ++i) {
            if (!Named(up[i]) || !up[i].written() || !side[i].written() || up[i].place != 0 || side[i].place != 0)
                continue;
            const CPoint uc = up[i].cell.CenterPoint(), sc = side[i].cell.CenterPoint();
            const CPoint u(uc.x - up[i].anchor.x, uc.y - up[i].anchor.y);
            const CPoint s(sc.x - side[i].anchor.x, sc.y - side[i].anchor.y);
            EXPECT_LE(std::abs(s.x + u.y) + std::abs(s.y - u.x), 2 * kSlack)
                << qPrintable(design) << " page " << page << " \"" << qPrintable(up[i].text) << "\": upright (" << u.x
                << "," << u.y << "), sideways (" << s.x << "," << s.y << ")";
        }
    }

    void KeepPdf(const QString& name)
    {
        if (!qEnvironmentVariableIsSet("MV_KEEP_SHOTS"))
            return;
        AfxSetModalHook([](CDialog* d) { d->SendMessage(WM_COMMAND, IDOK); });
        EXPECT_TRUE(AfxPrintView(&View(), PrintMode::Pdf, m_pictures.FilePath(name + QStringLiteral(".pdf"))));
        AfxSetModalHook({});
    }

    CPictureFolder m_pictures;
};

}

TEST_F(ForceLabelsTest, SkewedThreeSpanExample)
{
    OpenExample("plate_3span_skew.mvl");
    CheckForcePages(QStringLiteral("plate_3span_skew"));
}

// Six spans of 30 to 40 m on a curve of 155 m under six girders: the values at the piers find
// a place clear of the curves only written smaller; a last short step's number stands beyond
// the last support or led to its step.
TEST_F(ForceLabelsTest, SixCurvedSpans)
{
    EnterBasic({"六径間連続鈑桁橋", 6, 6, IDC_FORM_PLATE, IDC_SIDEWALK});
    EnterSpans({32000, 36000, 40000, 38000, 34000, 30000}, 5000);
    for (int s = 0; s < g_nSpans; ++s) {
        g_pPanelDlg->m_anBaseLineType[s] = 1;
        g_pPanelDlg->m_anGirderLineType[s] = 1;
        g_pPanelDlg->m_adBaseRadius[s] = 155.0;
    }
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
    RunGrillage();
    CheckForcePages(QStringLiteral("six_curved"));
}

TEST_F(ForceLabelsTest, FiveSpansOfTwoBoxes)
{
    EnterBasic({"五径間連続箱桁橋", 5, 2, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({40000, 50000, 50000, 50000, 40000}, 5000);
    RunGrillage();
    CheckForcePages(QStringLiteral("five_box"));
}

// A span of 17 m between spans of 50 to 80 m under two boxes: the values at its supports are
// wider than it, and stand beyond its supports or smaller, led back to their points.
TEST_F(ForceLabelsTest, NarrowSpanAmongWideOnes)
{
    EnterBasic({"六径間連続箱桁橋", 6, 2, IDC_FORM_BOX, IDC_SIDEWALK});
    EnterSpans({50000, 78500, 17000, 44500, 71500, 55000}, {5, 5, 3, 3, 5, 12});
    RunGrillage();
    CheckForcePages(QStringLiteral("narrow_span"));
}

// Drawn designs crowded enough that a peak's value, or a short step's number, has no place clear
// of the lines but where numbers stand; those move round their steps to make room: six plate
// girders over five spans up to 77.5 m, seven over five up to 62 m, and a single box of varying
// height over six spans with steps of a few metres.
TEST_F(ForceLabelsTest, NumbersMakeRoomWhereNothingElseIsClear)
{
    for (const unsigned seed : {357u, 391u, 264u}) {
        const designgen::Design d = designgen::Generate(seed);
        ASSERT_FALSE(d.gravitational) << seed;
        StartNewDesign();
        designgen::EnterDesign(d);
        RunGrillage();
        CheckForcePages(QStringLiteral("seed%1").arg(seed));
    }
}

// Fourteen spans of 40 m in panels of 2 m under four plate girders, the most spans a design
// takes: a span on the page is narrower than a peak's value, and the numbers of its steps
// crowd the band under the peak; the values stand smaller where those numbers stood, and they
// move off in smaller rings.
TEST_F(ForceLabelsTest, FourteenNarrowSpans)
{
    EnterBasic({"十四径間連続鈑桁橋", 14, 4, IDC_FORM_PLATE, IDC_SIDEWALK});
    EnterSpans(std::vector<double>(14, 40000.0), std::vector<int>(14, 20));
    RunGrillage();
    CheckForcePages(QStringLiteral("fourteen_spans"));
    // The window keeps them too, at the scale it opens at and at the bar's next smaller one.
    Command(ID_VIEW_FORCE);
    ASSERT_NE(g_pForceView, nullptr);
    QCoreApplication::processEvents();
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    for (const double scale : {1.0, 0.5}) {
        g_pDoc->m_dForceHScale = scale;
        for (int g = 0; g < g_nGirders; ++g) {
            g_pForceView->OnSelectGirder(g);
            const QStringList faults = LabelFaults(barinput::Redraw(dc, g_pForceView), false);
            EXPECT_TRUE(faults.isEmpty()) << "window at " << scale << " G" << g + 1 << ":\n  "
                                          << qPrintable(faults.join(QStringLiteral("\n  ")));
        }
        if (qEnvironmentVariableIsSet("MV_KEEP_SHOTS"))
            AfxSaveWindowImage(g_pForceView->GetParentFrame(),
                               m_pictures.FilePath(QStringLiteral("fourteen_spans_window_%1.png").arg(scale)));
    }
}

// A diagram drawn on a page after the fit's trial, whose labels it lays out once and moves with
// the origin, writes them where one drawn afresh at the fitted place and scale does; upright and
// sideways, on crowded designs.
TEST_F(ForceLabelsTest, LabelsDrawnAfterTheFitStandAsDrawnAfresh)
{
    auto drawn = [](CForceDrawer& d, CPoint origin, CDPoint scale) {
        CDC dc;
        dc.SetResolution(600, 600);
        dc.SetMapMode(MM_LOMETRIC);
        dc.SetRecording(true);
        d.DrawAll(&dc, origin.x, origin.y, scale);
        QStringList out;
        for (const CDC::Record& r : dc.Records()) {
            QStringList args;
            for (int a : r.args)
                args << QString::number(a);
            out << r.op + QLatin1Char(' ') + args.join(QLatin1Char(',')) + QLatin1Char(' ') + r.text;
        }
        return out;
    };
    for (const unsigned seed : {357u, 264u}) {
        const designgen::Design design = designgen::Generate(seed);
        StartNewDesign();
        designgen::EnterDesign(design);
        RunGrillage();
        g_pDoc->m_bForceShowMoment = g_pDoc->m_bForceShowShear = g_pDoc->m_bForceShowResisting = 1;
        g_pDoc->m_bForceFolded = 0;
        CPrintView& v = OpenForm();
        const CRect page = ViewPageFrame();
        // The labels kept inside the page's frame, and inside one that cuts into the diagram.
        CRect cut = page;
        cut.NormalizeRect();
        cut.DeflateRect(cut.Width() / 5, cut.Height() / 5);
        for (int g = 0; g < v.PrintedGirderCount(); ++g)
            for (const int turned : {0, 1})
                for (const CRect& labels : {page, cut}) {
                const CGirderDesign* girder = v.PrintedGirder(g);
                ASSERT_NE(girder, nullptr);
                double length = 0.0;
                for (double l : girder->m_pdSpanLength)
                    length += l;
                const double peak = girder->GetMaxMomentPoint().y;
                ASSERT_GT(length, 0.0);
                ASSERT_GT(peak, 0.0);
                CDPoint scale(1600.0 / length * (turned ? 1.6 : 1.0), 1100.0 / peak);
                CPoint origin(250, -1485);
                CForceDrawer fitted;
                fitted.m_pGirder = girder;
                fitted.m_bTurned = turned;
                CDC like;
                like.SetResolution(600, 600);
                like.SetMapMode(MM_LOMETRIC);
                fitted.FitInto(&like, page, origin, scale);
                fitted.m_labelFrame = labels;
                CForceDrawer fresh;
                fresh.m_pGirder = girder;
                fresh.m_bTurned = turned;
                fresh.m_labelFrame = labels;
                EXPECT_EQ(drawn(fitted, origin, scale), drawn(fresh, origin, scale))
                    << "seed " << seed << " girder " << g + 1 << (turned ? " sideways" : " upright")
                    << (labels == page ? "" : " in a frame cutting into it");
            }
    }
}
