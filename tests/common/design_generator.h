// Designs drawn from a seed: plate girders, boxes or a single box over one to six spans, skewed,
// straight or curved, with or without sidewalks, in either unit system, of constant or varying
// girder height. A third keep the cross-section table as it comes (a deck of 4.4 m on two
// girders); the others have decks from 2 to 25 m between the sidewalks, and girders of any
// depth the girder data takes, alike or each its own. The same seed gives the same design on every library: only the generator's
// own numbers are used, picked from here. A design is entered through the dialogs as an
// engineer enters it.
#pragma once

#include "common/design_entry.h"

#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace designgen {

enum class Kind { Plate, Boxes, SingleBox };

struct Design {
    unsigned seed = 0;
    int attempt = 0;             // the draw of the seed that gave it (a refused one draws again)
    Kind kind = Kind::Plate;
    int girders = 4;             // 1 for a single box
    std::vector<double> spans;   // mm
    std::vector<int> panels;     // per span
    std::vector<double> skews;   // degrees, per support
    double radius = 0.0;         // m, signed; 0 straight
    int sidewalk = 0;            // 0 none, 1 left, 2 right, 3 both
    bool gravitational = false;  // else SI
    bool heightVaries = false;
    double height = 2000.0;      // mm; over the piers 1.4 times it where it varies
    std::vector<double> heights; // mm, each girder's own where it is constant; empty: all `height`
    bool defaultDeck = false;    // the cross-section table left as it comes
    double spacing = 2600.0;     // mm between girders (a single box: half its web spacing)
    double overhang = 1000.0;    // mm from the outer girder to the deck's edge
    double webSpacing = 0.0;     // mm, boxes
    double sidewalkWidth = 1500.0;
    double slab = 220.0;
    bool planLengths = false;    // the plan shows its span and panel lengths

    QString Describe() const
    {
        static const char* const kinds[] = {"plate", "boxes", "single box"};
        static const char* const walks[] = {"no sidewalk", "sidewalk left", "sidewalk right", "sidewalks both"};
        QStringList spanText, panelText, skewText;
        for (size_t s = 0; s < spans.size(); ++s) {
            spanText << QString::number(spans[s] / 1000.0, 'f', 1);
            panelText << QString::number(panels[s]);
        }
        for (double k : skews)
            skewText << QString::number(k, 'f', 0);
        QString heightText = QString::number(height, 'f', 0);
        if (!heights.empty()) {
            QStringList each;
            for (double h : heights)
                each << QString::number(h, 'f', 0);
            heightText = each.join(QLatin1Char('/'));
        }
        const QString deck = defaultDeck ? QStringLiteral(", deck as it comes")
                                         : QStringLiteral(", overhang %1 mm, sidewalk %2 mm")
                                               .arg(overhang, 0, 'f', 0)
                                               .arg(sidewalkWidth, 0, 'f', 0);
        return QStringLiteral("seed %1.%2: %3, %4 girders @%5 mm, spans %6 m (%7 panels), skew %8°, %9, %10, "
                              "%11, height %12 mm %13")
            .arg(seed)
            .arg(attempt)
            .arg(QString::fromUtf8(kinds[int(kind)]))
            .arg(girders)
            .arg(spacing, 0, 'f', 0)
            .arg(spanText.join(QLatin1Char('+')), panelText.join(QLatin1Char('+')), skewText.join(QLatin1Char('/')))
            .arg(radius == 0.0 ? QStringLiteral("straight") : QStringLiteral("R %1 m").arg(radius, 0, 'f', 0))
            .arg(QString::fromUtf8(walks[sidewalk]))
            .arg(gravitational ? QStringLiteral("gravitational") : QStringLiteral("SI"))
            .arg(heightText)
            .arg(heightVaries ? QStringLiteral("varying") : QStringLiteral("constant")) + deck +
               (planLengths ? QStringLiteral(", plan lengths shown") : QString());
    }
};

// Whole numbers from the generator itself: the standard distributions differ
// between libraries.
class Picker {
public:
    explicit Picker(std::uint32_t seed) : m_rng(seed) {}
    int Whole(int lo, int hi) { return lo + int(m_rng() % std::uint32_t(hi - lo + 1)); }
    // A value from lo to hi in steps of `step`.
    double Stepped(double lo, double hi, double step) { return lo + step * Whole(0, int((hi - lo) / step)); }
    bool Chance(int percent) { return Whole(1, 100) <= percent; }

private:
    std::mt19937 m_rng;
};

// The design of a seed's `attempt`-th draw.
inline Design Generate(unsigned seed, int attempt = 0)
{
    Design d;
    d.seed = seed;
    d.attempt = attempt;
    Picker pick(seed * 7919u + unsigned(attempt) * 104729u + 17u);
    const int kind = pick.Whole(0, 9);
    d.kind = kind < 5 ? Kind::Plate : kind < 8 ? Kind::Boxes : Kind::SingleBox;
    d.girders = d.kind == Kind::Plate ? pick.Whole(2, 8) : d.kind == Kind::Boxes ? pick.Whole(2, 4) : 1;
    const int spans = pick.Whole(1, 6);
    for (int s = 0; s < spans; ++s) {
        d.spans.push_back(pick.Stepped(15000.0, 80000.0, 500.0));
        d.panels.push_back(pick.Whole(3, 12));
    }
    const bool alike = pick.Chance(50);
    const double skew = pick.Chance(30) ? 90.0 : pick.Stepped(60.0, 90.0, 1.0);
    for (int k = 0; k <= spans; ++k)
        d.skews.push_back(alike ? skew : pick.Stepped(60.0, 90.0, 1.0));
    if (pick.Chance(40))
        d.radius = (pick.Chance(50) ? 1.0 : -1.0) * pick.Stepped(150.0, 1000.0, 10.0);
    d.sidewalk = pick.Whole(0, 3);
    d.gravitational = pick.Chance(30);
    d.heightVaries = spans > 1 && pick.Chance(35);
    const double longest = *std::max_element(d.spans.begin(), d.spans.end());
    // Girders as deep as the spans ask, or anywhere the girder data takes.
    const int depth = pick.Whole(0, 2);
    d.height = depth == 0 ? std::clamp(std::round(longest / 20.0 / 100.0) * 100.0, 1000.0, 3500.0)
                          : double(pick.Whole(100, d.heightVaries ? 7000 : 10000));
    if (depth == 2 && !d.heightVaries && d.girders > 1)
        for (int g = 0; g < d.girders; ++g)
            d.heights.push_back(double(pick.Whole(100, 10000)));
    d.defaultDeck = pick.Chance(33);
    if (d.defaultDeck) {
        // The table's own deck: 1.05 m overhangs, sidewalks 1 m, a slab of 210 mm; the framing's
        // own spacing between the girders.
        d.overhang = 1050.0;
        d.sidewalkWidth = 1000.0;
        d.slab = 210.0;
        d.spacing = d.kind == Kind::SingleBox ? pick.Stepped(700.0, 1500.0, 100.0) : 2300.0;
        d.webSpacing = d.kind == Kind::Boxes ? pick.Stepped(800.0, 1500.0, 100.0)
                       : d.kind == Kind::SingleBox ? 2.0 * d.spacing : 0.0;
        d.planLengths = pick.Chance(50);
        return d;
    }
    d.sidewalkWidth = pick.Stepped(500.0, 3000.0, 50.0);
    d.slab = pick.Stepped(200.0, 260.0, 10.0);
    d.overhang = pick.Stepped(0.0, 2500.0, 50.0);
    // The deck: its carriageway, the sidewalks and the edge blocks of 0.4 m on the sides without.
    const double carriageway = pick.Stepped(2000.0, 25000.0, 100.0);
    const double walks = d.sidewalkWidth * ((d.sidewalk & 1) + (d.sidewalk >> 1 & 1));
    const double width = carriageway + walks + 400.0 * (!(d.sidewalk & 1) + !(d.sidewalk >> 1 & 1));
    const int bays = d.kind == Kind::SingleBox ? 2 : d.girders - 1;
    // Spacings the girders need: a plate girder's flange, a box's webs and flanges, up to what
    // the box shape takes.
    const double least = d.kind == Kind::Plate ? 600.0 : d.kind == Kind::Boxes ? 1600.0 : 600.0;
    const double most = d.kind == Kind::SingleBox ? 4800.0 : 12000.0;
    // The carriageway gives way where the girders cannot span it.
    d.spacing = std::clamp(std::round((width - 2.0 * d.overhang) / bays / 10.0) * 10.0, least, most);
    d.overhang = std::clamp(std::round((width - bays * d.spacing) / 2.0 / 10.0) * 10.0, 0.0, 2500.0);
    if (d.kind == Kind::Boxes)
        d.webSpacing = std::min(pick.Stepped(1000.0, 2400.0, 100.0), std::floor(d.spacing / 2.0 / 100.0) * 100.0);
    else if (d.kind == Kind::SingleBox)
        d.webSpacing = 2.0 * d.spacing;
    d.planLengths = pick.Chance(50);
    return d;
}

using namespace designentry;

// The design entered through the dialogs, as far as they take it; whether they refused any of
// it the caller tells from the messages shown and the design the program holds.
inline void EnterDesign(const Design& d)
{
    const int sidewalks[] = {IDC_SIDEWALK, IDC_SIDEWALK_LEFT, IDC_SIDEWALK_RIGHT, IDC_SIDEWALK_BOTH};
    const QByteArray title = QStringLiteral("乱数設計 %1").arg(d.seed).toUtf8();
    EnterBasic({title.constData(), int(d.spans.size()), d.girders,
                d.kind == Kind::Plate ? IDC_FORM_PLATE : IDC_FORM_BOX, sidewalks[d.sidewalk], d.heightVaries});

    EnterSpans(d.spans, d.panels);
    const double baseToG1 = d.kind == Kind::SingleBox ? d.spacing : (d.girders - 1) * d.spacing / 2.0;
    EnterFraming(baseToG1, d.spacing, d.skews, d.radius);
    if (!d.defaultDeck) {
        std::vector<std::pair<int, double>> deck = {{B1, baseToG1 + d.overhang}, {B11, d.overhang},
                                                    {B12, d.overhang}, {H5, d.slab}};
        if (d.sidewalk & 1)
            deck.push_back({B3, d.sidewalkWidth});
        if (d.sidewalk & 2)
            deck.push_back({B5, d.sidewalkWidth});
        EnterDeck(deck, true);
    }
    if (d.kind == Kind::Plate)
        ConfirmAsShown({ID_SETUP_MAIN_GIRDER});
    else
        EnterBoxShape(d.webSpacing + 400.0, d.kind == Kind::Boxes ? d.webSpacing : 0.0);
    if (!d.heightVaries) {
        EnterGirderHeight(d.heights.empty() ? std::vector<double>{d.height} : d.heights);
    } else {
        // Straight haunches over every pier, from 0.3 of the spans out.
        ConfirmAsShown({ID_SETUP_MAIN_GIRDER2});
        std::vector<std::pair<int, double>> points;
        std::vector<double> heights = {d.height};
        for (size_t s = 0; s < d.spans.size(); ++s) {
            for (double at : {0.3, 0.7})
                if ((at < 0.5 && s > 0) || (at > 0.5 && s + 1 < d.spans.size())) {
                    points.push_back({int(s) + 1, at * d.spans[s]});
                    heights.push_back(d.height);
                }
            heights.push_back(s + 1 < d.spans.size() ? std::min(10000.0, std::round(d.height * 1.4 / 100.0) * 100.0)
                                                      : d.height);
        }
        EnterHeightChange(points, heights);
    }
    ConfirmAsShown({ID_SETUP_MAIN_MEMBER, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE});
}

// What of the design the program does not hold as drawn: its layout, spans, panels, skews,
// curve, units or height variation; empty when it holds all.
inline QString Mismatch(const Design& d)
{
    const int type = d.kind == Kind::Plate ? 0 : d.kind == Kind::Boxes ? 1 : 2;
    if (g_nBridgeType != type)
        return QStringLiteral("bridge type %1").arg(g_nBridgeType);
    if (g_nSpans != int(d.spans.size()))
        return QStringLiteral("%1 spans").arg(g_nSpans);
    if (d.kind != Kind::SingleBox && g_nGirders != d.girders)
        return QStringLiteral("%1 girders").arg(g_nGirders);
    for (size_t s = 0; s < d.spans.size(); ++s) {
        if (g_anPanelCount[s] != d.panels[s])
            return QStringLiteral("span %1 of %2 panels").arg(s + 1).arg(g_anPanelCount[s]);
        if (std::abs(g_adSpanLength[s] * 1000.0 - d.spans[s]) > 1.0)
            return QStringLiteral("span %1 of %2 m").arg(s + 1).arg(g_adSpanLength[s]);
        if (std::abs(g_pPanelDlg->m_adSkew[s][0] * 180.0 / 3.14159265358979 - d.skews[s]) > 0.05)
            return QStringLiteral("span %1 skewed %2 rad").arg(s + 1).arg(g_pPanelDlg->m_adSkew[s][0]);
        const bool curved = g_pPanelDlg->m_anBaseLineType[s] != 0;
        if (curved != (d.radius != 0.0) || (curved && std::abs(g_pPanelDlg->m_adBaseRadius[s] - d.radius) > 0.05))
            return QStringLiteral("span %1 of radius %2").arg(s + 1).arg(g_pPanelDlg->m_adBaseRadius[s]);
    }
    if ((g_bSIUnits == 0) != d.gravitational)
        return QStringLiteral("SI units %1").arg(g_bSIUnits);
    if ((g_pDoc->m_dlgBasic.m_nHeightVariation == 0) != d.heightVaries)
        return QStringLiteral("height variation %1").arg(g_pDoc->m_dlgBasic.m_nHeightVariation);
    return QString();
}

}
