// Designs drawn from seeds, and the examples, printed: every drawing page of the report upright
// and sideways and every drawing window's printout keep their texts clear of the lines and a
// character apart, their labels by what they name and turned with the drawing, and every
// girder's name. A fixed list of seeds covers every kind of design; MV_SWEEP_FIRST and
// MV_SWEEP_COUNT sweep other seeds instead (scripts/drawing_sweep.sh).
#include "printed_pages.h"

#include "bench/largest_design.h"
#include "common/bar_input.h"
#include "common/design_generator.h"

#include <QCoreApplication>

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace designentry;

// What a drawing page is of.
QString DrawingOf(const QString& page, int section)
{
    switch (section) {
    case CPrintView::RS_PLAN: return QStringLiteral("plan");
    case CPrintView::RS_CROSS_SECTIONS: return QStringLiteral("cross-section");
    case CPrintView::RS_LONGITUDINAL: return QStringLiteral("longitudinal");
    case CPrintView::RS_LOADS: return QStringLiteral("load");
    case CPrintView::RS_FORCE_DIAGRAM: return QStringLiteral("force");
    default: return page.section(QLatin1Char(' '), 0, 0);
    }
}

class DrawingSweepTest : public PrintedPagesTest {
protected:
    // The seed's first draw that the dialogs take and the grillage runs, entered and run;
    // false when none of a dozen does.
    bool EnterSeed(unsigned seed)
    {
        for (int attempt = 0; attempt < 12; ++attempt)
            if (Enter(designgen::Generate(seed, attempt)))
                return true;
        return false;
    }

    // The design entered and run; false, saying why, where the dialogs or the grillage refuse it.
    bool Enter(const designgen::Design& d)
    {
        StartNewDesign();
        if (d.gravitational) {
            Answer({IDOK});
            Command(ID_OPTION_SI_UNITS);
        }
        m_shown.clear();
        m_answers.clear();
        designgen::EnterDesign(d);
        QString refused = m_shown.join(QStringLiteral(" / "));
        if (refused.isEmpty())
            refused = designgen::Mismatch(d);
        if (refused.isEmpty()) {
            qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
            Answer({IDOK});
            Command(ID_CALC_GRILLAGE);
            if (m_shown != QStringList{QStringLiteral("計算終了!")} || !g_pDoc->m_pGirders)
                refused = QStringLiteral("grillage: ") + m_shown.join(QStringLiteral(" / "));
            m_shown.clear();
        }
        if (refused.isEmpty()) {
            g_pDoc->m_bPlanShowSpanLengths = g_pDoc->m_bPlanShowPanelLengths = d.planLengths ? 1 : 0;
            m_design = d.Describe();
            m_seed = QString::number(d.seed);
            m_single = d.kind == designgen::Kind::SingleBox;
            std::printf("SWEEP-DESIGN %s\n", qPrintable(m_design));
            return true;
        }
        std::printf("SWEEP-REDRAW %s: %s\n", qPrintable(d.Describe()), qPrintable(refused));
        return false;
    }

    void SweepSeed(unsigned seed)
    {
        m_pdfTag = QStringLiteral("seed%1").arg(seed);
        ASSERT_TRUE(EnterSeed(seed)) << "seed " << seed << ": no draw of it was taken";
        SweepDesign();
    }

    void SweepExample(const char* file)
    {
        OpenExample(file);
        m_design = m_seed = QString::fromUtf8(file);
        m_single = g_nBridgeType == 2;
        SweepDesign();
    }

    // Every drawing page of the report and every drawing window's printout of the open design.
    void SweepDesign()
    {
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
        m_faults = 0;
        m_pages = 0;
        m_upright.clear();
        std::map<QString, int> sideways;
        PrintReport([&](const PrintedPage& page) {
            if (!page.drawing)
                return;
            const QString title = PageTitle(page.records);
            CheckPage(page);
            // The same page's sideways version: its n-th page of that title.
            if (page.upright) {
                m_upright[title].push_back(page.records);
            } else {
                const int n = sideways[title]++;
                const auto up = m_upright.find(title);
                if (up != m_upright.end() && n < int(up->second.size()))
                    Report("turned", page, drawingchecks::UnturnedLabels(up->second[size_t(n)], page.records));
            }
        });
        PrintWindows([&](const PrintedPage& page) { CheckPage(page); });
        std::printf("SWEEP-DONE %s: %d faults on %d pages\n", qPrintable(m_seed), m_faults, m_pages);
    }

    void CheckPage(const PrintedPage& page)
    {
        ++m_pages;
        const std::vector<CDC::Record>& r = page.records;
        Report("crossed", page, drawingchecks::LinesThroughTexts(r));
        Report("crowded", page, drawingchecks::CrowdedTexts(r));
        Report("stray label", page, drawingchecks::StrayLabels(r));
        Report("left out", page, drawingchecks::LeftOutLabels(r));
        const QString drawing = DrawingOf(page.name, page.section);
        if (drawing == QLatin1String("plan") || (drawing == QLatin1String("load") && !m_single) ||
            drawingchecks::WritesGirderNames(r)) {
            QStringList names;
            for (int g = 1; g <= (m_single ? 1 : g_nGirders); ++g)
                names << QStringLiteral("G%1").arg(g);
            QStringList missing = drawingchecks::MissingTexts(r, names);
            if (!missing.isEmpty())
                missing = {QStringLiteral("girder names left out: ") + missing.join(QLatin1Char(' '))};
            Report("girder names", page, missing);
        }
        if (PageTitle(r).contains(QStringLiteral("断面力図")))
            Report("force value", page, drawingchecks::CrossedTexts(r, drawingchecks::ForceValue()));
    }

    // A check's findings on a page: one line each for the sweep's count, then what they are.
    void Report(const char* check, const PrintedPage& page, QStringList found)
    {
        if (found.isEmpty())
            return;
        ++m_faults;
        const QString drawing = DrawingOf(page.name, page.section);
        const QString where = QStringLiteral("%1 \"%2\"").arg(page.name, PageTitle(page.records));
        std::printf("SWEEP-FAULT seed=%s check=%s drawing=%s count=%d | %s | %s\n", qPrintable(m_seed), check,
                    qPrintable(drawing), int(found.size()), qPrintable(m_design), qPrintable(where));
        const qsizetype all = found.size();
        if (all > 8) {
            found = found.mid(0, 8);
            found << QStringLiteral("… %1 more").arg(all - 8);
        }
        ADD_FAILURE() << "[" << qPrintable(m_design) << "] " << qPrintable(where) << ": " << all << " " << check
                      << ":\n  " << qPrintable(found.join(QStringLiteral("\n  ")));
    }

    QString m_seed;
    bool m_single = false;
    int m_faults = 0;
    int m_pages = 0;
    // The report's upright drawing pages by their titles, in order.
    std::map<QString, std::vector<std::vector<CDC::Record>>> m_upright;
};

// The seeds the sweep script asks for; none when it does not.
std::vector<unsigned> SweptSeeds()
{
    const int count = qEnvironmentVariableIntValue("MV_SWEEP_COUNT");
    if (count <= 0)
        return {};
    const QByteArray first = qgetenv("MV_SWEEP_FIRST");
    const unsigned from = first.isEmpty() ? 1u : first.toUInt();
    std::vector<unsigned> seeds;
    for (int k = 0; k < count; ++k)
        seeds.push_back(from + unsigned(k));
    return seeds;
}

bool Sweeping() { return qEnvironmentVariableIntValue("MV_SWEEP_COUNT") > 0; }

}

// The seeds of the sweep script, when it runs.
TEST_F(DrawingSweepTest, SweptSeeds)
{
    if (!Sweeping())
        GTEST_SKIP() << "MV_SWEEP_COUNT not set";
    for (unsigned seed : SweptSeeds())
        SweepSeed(seed);
}

// A fixed list of seeds that draws every kind of design at least once (each seed's first draw):
//   2  three boxes, six spans on R 700 m, sidewalk right, gravitational units, height varying,
//      the deck as the table comes
//   3  single box, four spans each skewed its own, sidewalks both, gravitational units, the deck
//      as the table comes
//   5  two plate girders 12 m apart, one span skewed 89°/71°, sidewalk left, overhangs of 2.5 m
//   8  single box, two square spans, sidewalk right, height varying
//  12  single box, six spans skewed 89°, gravitational units, 9.9 m deep: a force value the
//      window's printout has room for only drawn larger
//  20  eight plate girders 0.6 m apart, each of its own depth, on a deck 5.2 m wide: the load
//      window's printout stretched across for the depths between the webs
//  41  single box on a deck 3.5 m wide, sidewalks both: its long pavement and slab notes find
//      room only beside the deck or on the load window's printout drawn wider
//  47  four boxes, three spans on R 190 m, each of its own depth, no overhang, gravitational units
//  49  two plate girders, five spans, no sidewalk, height varying
//  50  single box, sidewalk left: its load drawing's notes written smaller on the upright page
//      than on the sideways one, as many of their heights off their layers on both
//  53  three boxes, a sidewalk of 700 mm on the left: its stack's labels moved beyond the kerb
//      clear of the kerb height's place
//  80  single box, two spans on R 210 m, sidewalk left, the deck as the table comes
//  85  four plate girders, sidewalks both: the window's printout no wider than leaves the
//      deck edges' outer values room
//  84  two boxes some 6 m deep at their middles and deeper at the supports, two spans
// 101  four boxes, six spans on R 320 m, each of its own depth: a force value the report's page
//      has room for only drawn larger
// 142  four plate girders, two spans on R 160 m, height varying, the deck as the table comes
// 163  single box, five spans: a shear value at the first support that has room before the
//      next step of the resisting moment only half as high and drawn larger
// 158  three boxes 12 m apart, a deck 28 m wide, sidewalks both, gravitational units
// 182  two boxes 9980 mm deep, sidewalks both
// 261  eight plate girders 0.6 m apart, one span on R 470 m, no overhang, gravitational units
// 258  two plate girders on the deck as the table comes (4.4 m), sidewalks both, 4568 and 7232 mm
//      deep, on R 700 m
// 229  seven plate girders 1.06 m apart under wide haunches, their depths between the webs
// 212  eight plate girders 0.9 m apart: the depths between the webs written smaller, by their lines
// 299  four boxes, six spans each of its own depth: a moment value at a support with room
//      only two fifths as high, between two steps of the resisting moment
// 540  three plate girders 6.2 m deep, two spans: the sideways longitudinal page as wide as the
//      frame, its pier's number at the edge
// 70221 five plate girders 6.45 m apart, one span of 28 m on R 660 m skewed 79°/83°, sidewalks
//      both: the plan's names by their girders' ends, one beyond the lengths' line at the start
// 70539 eight plate girders 0.7 m apart, 400 mm deep: a girder's depth written beyond its line's
//      end, by a width line whose label slides along it towards the depth on the sideways page
// 70558 three boxes, four spans: a moment peak by the first support, whose only clear place the
//      support's shear, laid out before it, takes led
class DrawingSweepSeed : public DrawingSweepTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(DrawingSweepSeed, DrawsClear)
{
    if (Sweeping())
        GTEST_SKIP() << "the sweep script's seeds run instead";
    SweepSeed(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Seeds, DrawingSweepSeed,
                         ::testing::Values(2u, 3u, 5u, 8u, 12u, 20u, 41u, 47u, 49u, 50u, 53u, 80u, 84u, 85u, 101u,
                                           142u, 158u, 163u, 182u, 212u, 229u, 258u, 261u, 299u, 540u, 70221u,
                                           70539u, 70558u),
                         [](const ::testing::TestParamInfo<unsigned>& info) {
                             return "seed" + std::to_string(info.param);
                         });

class DrawingSweepExample : public DrawingSweepTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DrawingSweepExample, DrawsClear)
{
    if (Sweeping())
        GTEST_SKIP() << "the sweep script's seeds run instead";
    SweepExample(GetParam());
}

INSTANTIATE_TEST_SUITE_P(Examples, DrawingSweepExample,
                         ::testing::Values("plate_3span_skew.mvl", "box2_2span.mvl", "box1_1span.mvl",
                                           "plate_2span_haunch.mvl"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             return name.substr(0, name.find('.'));
                         });

// Long curved bridges of many girders lying close at the page's scale, as a user met them.
designgen::Design LongCurved(designgen::Kind kind, int girders, std::vector<double> spans, double spacing, double radius,
                             bool varies)
{
    designgen::Design d;
    d.seed = 0;
    d.kind = kind;
    d.girders = girders;
    d.spans = std::move(spans);
    d.panels.assign(d.spans.size(), 8);
    d.skews.assign(d.spans.size() + 1, 90.0);
    d.radius = radius;
    d.sidewalk = 3;
    d.heightVaries = varies;
    d.height = 2000.0;
    d.spacing = spacing;
    d.planLengths = true;
    if (kind == designgen::Kind::Boxes) {
        d.overhang = 2400.0;
        d.webSpacing = 2000.0;
    }
    return d;
}

class DrawingSweepLong : public DrawingSweepTest, public ::testing::WithParamInterface<int> {};

TEST_P(DrawingSweepLong, DrawsClear)
{
    if (Sweeping())
        GTEST_SKIP() << "the sweep script's seeds run instead";
    using designgen::Kind;
    const designgen::Design designs[] = {
        LongCurved(Kind::Plate, 6, {30000, 35000, 40000, 40000, 35000, 30000}, 2000.0, 150.0, false),
        LongCurved(Kind::Boxes, 2, {40000, 50000, 50000, 50000, 40000}, 6000.0, -300.0, false),
        LongCurved(Kind::Plate, 8, {30000, 35000, 40000, 40000, 35000, 30000}, 2000.0, 200.0, true),
        LongCurved(Kind::Plate, 7, {35000, 45000, 45000, 45000, 35000}, 2000.0, -150.0, false),
    };
    const designgen::Design& d = designs[GetParam()];
    m_pdfTag = QStringLiteral("long%1").arg(GetParam());
    ASSERT_TRUE(Enter(d)) << qPrintable(d.Describe());
    SweepDesign();
}

std::string LongName(const ::testing::TestParamInfo<int>& info)
{
    static const char* const names[] = {"sixSpansSixGirders", "fiveSpansTwoBoxes", "sixSpansEightGirders",
                                        "fiveSpansSevenGirders"};
    return names[info.param];
}

INSTANTIATE_TEST_SUITE_P(Long, DrawingSweepLong, ::testing::Values(0, 1, 2, 3), LongName);

// The largest design the program takes (14 spans, 20 girders), when the sweep script asks for it.
TEST_F(DrawingSweepTest, LargestDesign)
{
    if (!qEnvironmentVariableIsSet("MV_SWEEP_LARGEST"))
        GTEST_SKIP() << "MV_SWEEP_LARGEST not set";
    StartNewDesign();
    ApplyDesign(bench::LargestDesign());
    g_pDoc->Rebuild(CMarivoltenDoc::RebuildReason::Layout);
    qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_EQ(m_shown, QStringList{QStringLiteral("計算終了!")});
    m_design = m_seed = QStringLiteral("largest");
    SweepDesign();
    // Its force window on screen, girder by girder, at the scale it opens at.
    Command(ID_VIEW_FORCE);
    ASSERT_NE(g_pForceView, nullptr);
    QCoreApplication::processEvents();
    CDC dc;
    dc.SetMapMode(MM_LOMETRIC);
    for (int g = 0; g < g_nGirders; ++g) {
        g_pForceView->OnSelectGirder(g);
        const QStringList faults = drawingchecks::LabelFaults(barinput::Redraw(dc, g_pForceView));
        EXPECT_TRUE(faults.isEmpty()) << "force window G" << g + 1 << ": " << faults.size() << "\n  "
                                      << qPrintable(faults.mid(0, 8).join(QStringLiteral("\n  ")));
    }
}
