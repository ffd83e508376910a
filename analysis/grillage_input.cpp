#include "analysis/grillage_input.h"

#include "geometry/plan_core.h"
#include "geometry/plan_math.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

constexpr double kGravity = 9.80665;
// Dead-load strips thinner or narrower than this carry nothing.
constexpr double kNegligible = 1e-9;

// Elastic moduli in tf/m²: the gravitational edition's values, or 2.0e5 and 7.7e4 N/mm².
constexpr double kEGrav = 2.1e7, kGGrav = 8.1e6;
constexpr double kESI = 2.0e8 / kGravity, kGSI = 7.7e7 / kGravity;

// Reals as %.10g would print them, but in the C locale whatever the program's locale is.
std::string Num(double v)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, v + 0.0, std::chars_format::general, 10);
    return std::string(buf, r.ptr);
}

// Plan and deck positions to the nanometre: rounding in the plan leaves traces like 1e-13 m
// where a point stands on an axis.
double Pos(double v) { return std::round(v * 1e9) / 1e9; }

class Out {
public:
    template <class... T>
    void Rec(const T&... parts)
    {
        bool first = true;
        (Add(parts, first), ...);
        m_text += '\n';
    }
    void Raw(const std::string& line)
    {
        m_text += line;
        m_text += '\n';
    }
    std::string Take() { return std::move(m_text); }

private:
    void Sep(bool& first)
    {
        if (!first)
            m_text += ' ';
        first = false;
    }
    void Add(const char* s, bool& first)
    {
        Sep(first);
        m_text += s;
    }
    void Add(const std::string& s, bool& first)
    {
        Sep(first);
        m_text += s;
    }
    void Add(int v, bool& first)
    {
        Sep(first);
        m_text += std::to_string(v);
    }
    void Add(double v, bool& first)
    {
        Sep(first);
        m_text += Num(v);
    }
    std::string m_text;
};

// The solver refuses control characters in the titles; line breaks and tabs become blanks.
std::string TitleLine(const QString& s)
{
    QString t = s;
    for (QChar& c : t) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7F || (u >= 0x80 && u <= 0x9F))
            c = QLatin1Char(' ');
    }
    return t.toStdString();
}

// One panel point over the bridge: the span record that holds it. A shared support takes
// the record of the span that starts there.
struct PanelRef {
    int span;
    int j;
};

std::vector<PanelRef> Panels(const CGrillageInput& in)
{
    std::vector<PanelRef> out;
    const int S = int(in.m_aSpans.size());
    for (int s = 0; s < S; ++s) {
        const int n = int(in.m_aSpans[size_t(s)].m_aPanelPoints.size());
        for (int j = 0; j < n; ++j)
            if (j < n - 1 || s == S - 1)
                out.push_back({s, j});
    }
    return out;
}

struct Bridge {
    const CGrillageInput& in;
    std::vector<PanelRef> panels;
    int G, P, S;
    double toTf;

    explicit Bridge(const CGrillageInput& input)
        : in(input), panels(Panels(input)), G(std::clamp(input.m_nGirders, 1, CGrillageInput::kMaxGirders)),
          P(int(panels.size())), S(int(input.m_aSpans.size())), toTf(input.m_bSIUnits == 1 ? 1.0 / kGravity : 1.0)
    {
    }

    const CSpanData& Span(int p) const { return in.m_aSpans[size_t(panels[size_t(p)].span)]; }
    const CPanelPointRecord& Point(int p) const
    {
        return Span(p).m_aPanelPoints[size_t(panels[size_t(p)].j)];
    }
    const CStationRecord& Section(int p) const { return Span(p).m_aPanelSection[panels[size_t(p)].j]; }
    CDPoint Girder(int g, int p) const
    {
        const CPanelPointRecord& r = Point(p);
        return size_t(g) < r.m_aptGirder.size() ? r.m_aptGirder[size_t(g)] : r.m_ptBase;
    }
    static int Node(int g, int p) { return 500 * g + p + 1; }
    // First panel point of every span, and the last point of the bridge.
    int SupportPoint(int s) const
    {
        int p = 0;
        for (int k = 0; k < s && k < S; ++k)
            p += int(in.m_aSpans[size_t(k)].m_aPanelPoints.size()) - 1;
        return p;
    }
    int BearingLines() const { return in.IsSingleBox() ? 2 : G; }
    int BearingLine(int b) const { return in.IsSingleBox() ? 2 * b : b; }
    bool LeftSidewalk() const { return in.m_nSidewalk == 1 || in.m_nSidewalk == 3; }
    bool RightSidewalk() const { return in.m_nSidewalk == 2 || in.m_nSidewalk == 3; }
    bool CarriesOwnLoad(int g) const { return !in.IsSingleBox() || g == 1; }

    // Girder positions in the deck frame: from the left deck edge, perpendicular to the base line.
    std::vector<double> GirderPositions(int p) const
    {
        const PlanCore::CSpanFrame frame(Span(p));
        std::vector<double> o(size_t(G), 0.0);
        for (int g = 0; g < G; ++g) {
            double F = 0.0;
            frame.BaseFoot(Girder(g, p), &F, &o[size_t(g)]);
        }
        std::vector<double> x(static_cast<size_t>(G));
        const double B11 = Section(p).m_adB[10];
        for (int g = 0; g < G; ++g)
            x[size_t(g)] = Pos(B11 + (o[0] - o[size_t(g)]));
        return x;
    }

    // The support line's left-pointing unit vector in plan.
    CDPoint SupportDirection(int s) const
    {
        const bool end = s >= S;
        const CSpanData& sp = in.m_aSpans[size_t(end ? S - 1 : s)];
        const CPanelPointRecord& r = end ? sp.m_aPanelPoints.back() : sp.m_aPanelPoints.front();
        const CDPoint d = r.m_ptLine1 - r.m_ptLine2;
        const double len = PlanMath::Length(d);
        CDPoint u = G > 1 && len > 1e-9 ? d * (1.0 / len)
                    : end ? PlanMath::Dir(sp.m_dEndDir + sp.m_dSkew[1])
                          : PlanMath::Dir(sp.m_dStartDir + sp.m_dSkew[0]);
        // Rounding in the plan leaves traces like 1e-13 across a square support line.
        for (double* c : {&u.x, &u.y})
            if (std::fabs(*c) < 1e-10)
                *c = 0.0;
        return u * (1.0 / PlanMath::Length(u));
    }
};

// Uniform live-load and crowd intensity of a span in tf/m², before the P2 factor.
double SpanIntensity(double L, int bSIUnits)
{
    const double v = bSIUnits == 1 ? (L <= 80.0 ? 3.5 : L <= 130.0 ? 4.3 - 0.01 * L : 3.0)
                                   : (L <= 80.0 ? 0.35 : L <= 130.0 ? 0.43 - 0.001 * L : 0.30);
    return bSIUnits == 1 ? v / kGravity : v;
}

double Factor(double f) { return f < 0.01 ? 1.0 : f; }

void WriteHead(const Bridge& b, Out& out, int crossMembers)
{
    const CGrillageInput& in = b.in;
    out.Raw("/TITLE");
    out.Raw(TitleLine(in.m_strTitle));
    out.Raw(TitleLine(in.m_strSubtitle));
    out.Raw("/OPTION");
    out.Rec("STAMP", in.m_strStamp);
    out.Rec("PASS", in.m_nPass);
    out.Rec("BRIDGE_TYPE", in.m_nBridgeType);
    out.Rec("LIVE_LOAD", in.m_nLiveLoad);
    out.Rec("SIDEWALK", in.m_nSidewalk);
    out.Rec("LOADING_WIDTH", in.m_dLoadingWidth);
    out.Rec("P1_FACTOR", Factor(in.m_dP1Factor));
    out.Rec("P2_FACTOR", Factor(in.m_dP2Factor));
    out.Rec("DETAIL", in.m_nLiveLoad == 2 || in.m_nLiveLoad == 3 ? 0 : 1);
    out.Raw("/SIZE");
    out.Rec("NODES", b.G * b.P);
    out.Rec("GIRDER_LINES", b.G);
    out.Rec("PANEL_POINTS", b.P);
    out.Rec("SPANS", b.S);
    out.Rec("GIRDER_MEMBERS", b.G * (b.P - 1));
    out.Rec("CROSS_MEMBERS", crossMembers);
    out.Rec("BEARINGS", b.BearingLines() * (b.S + 1));
    out.Rec("BEARING_LINES", b.BearingLines());
    out.Raw("/MODUL");
    out.Rec("E", in.m_bSIUnits == 1 ? kESI : kEGrav);
    out.Rec("G", in.m_bSIUnits == 1 ? kGSI : kGGrav);
}

void WriteSpansAndSupports(const Bridge& b, Out& out)
{
    out.Raw("/LIM");
    for (int k = 0; k < b.S; ++k) {
        const double L = b.in.m_aSpans[size_t(k)].m_dSpanLength;
        const double v = SpanIntensity(L, b.in.m_bSIUnits);
        out.Rec("SPAN", k + 1, L, b.SupportPoint(k) + 1, b.SupportPoint(k + 1) + 1, v, v);
    }
    out.Raw("/FREE");
    const int kt = b.in.IsSingleBox() ? 0 : 1;
    for (int s = 0; s <= b.S; ++s) {
        const CDPoint u = b.SupportDirection(s);
        for (int l = 0; l < b.BearingLines(); ++l)
            out.Rec("BEARING", s + 1, l + 1, Bridge::Node(b.BearingLine(l), b.SupportPoint(s)), kt, u.x, u.y);
    }
}

void WriteLoads(const Bridge& b, Out& out)
{
    const CGrillageInput& in = b.in;
    const double f = b.toTf;
    out.Raw("/SNOW");
    out.Rec("SNOW", in.m_adDeadLoad[9] * f);
    out.Raw("/LOAD");
    for (int c = 3; c <= 9; ++c)
        out.Rec("UNITW", c, in.m_adDeadLoad[c - 1] * f);
    out.Rec("RAIL", 1, in.m_adDeadLoad[0] * f);
    out.Rec("RAIL", 2, in.m_adDeadLoad[1] * f);
    for (int g = 0; g < b.G; ++g)
        if (b.CarriesOwnLoad(g))
            out.Rec("HAUNCH", g + 1, in.m_adHaunchWeight[g] * f);
    for (int g = 0; g < b.G; ++g)
        if (b.CarriesOwnLoad(g))
            out.Rec("STEEL", g + 1, in.m_adSteelWeight[g] * f);
    const int attachments = std::clamp(in.m_nAttachments, 0, CGrillageInput::kMaxAttachments);
    for (int k = 0; k < attachments; ++k)
        out.Rec("ATTACH", k + 1, in.m_adAttachLoad[k] * f);
    // Loading length D and p1 for bending and for shear, of the unit system's edition.
    const double D = in.m_nLiveLoad == 0 || in.m_nLiveLoad == 2 ? 6.0 : 10.0;
    const double p1m = in.m_bSIUnits == 1 ? 10.0 / kGravity : 1.0;
    const double p1s = in.m_bSIUnits == 1 ? 12.0 / kGravity : 1.2;
    out.Rec("LIVE", D, p1m, p1s);
}

// Cross members: every bay of a distributing point, two rigid links at every point of a single box.
int WriteCrossMembers(const Bridge& b, Out* out)
{
    const CGrillageInput& in = b.in;
    const double h = in.m_dCrossBeamDepth;
    const double bf = in.m_dCrossBeamFlangeWidth / 1000.0, tf = in.m_dCrossBeamFlangeThickness / 1000.0;
    const double tw = in.m_dCrossBeamWebThickness / 1000.0;
    const double beamJ = (2.0 * bf * tf * tf * tf + h * tw * tw * tw) / 3.0;
    int m = b.G * (b.P - 1);
    int count = 0;
    for (int p = 0; p < b.P; ++p) {
        const CPanelPointRecord& r = b.Point(p);
        if (in.IsSingleBox()) {
            for (int g = 0; g < 2; ++g, ++count)
                if (out)
                    out->Rec(++m, Bridge::Node(g, p), Bridge::Node(g + 1, p), 9, 0, 0);
            continue;
        }
        if (!r.m_bDistributing && in.m_nBridgeType != 1)
            continue;
        const double J = r.m_nMemberKind == CROSS_BEAM ? beamJ : 0.0;
        for (int g = 0; g + 1 < b.G; ++g, ++count)
            if (out)
                out->Rec(++m, Bridge::Node(g, p), Bridge::Node(g + 1, p), r.m_nMemberKind, r.m_dInertia, J);
    }
    return count;
}

void WriteMembers(const Bridge& b, Out& out)
{
    const CGrillageInput& in = b.in;
    out.Raw("/MCR");
    WriteCrossMembers(b, &out);
    out.Raw("/MGR");
    int m = 0;
    for (int g = 0; g < b.G; ++g) {
        for (int p = 0; p + 1 < b.P; ++p, ++m) {
            const CSpanData& sp = b.Span(p);
            const double R = size_t(g) < sp.m_aGirderLines.size() ? sp.m_aGirderLines[size_t(g)].m_dRadius : kStraightRadius;
            const double L = PlanMath::ArcLength(b.Girder(g, p), b.Girder(g, p + 1), R);
            CMemberProperties a;
            if (size_t(m) < in.m_aMembers.size() && b.CarriesOwnLoad(g))
                a = in.m_aMembers[size_t(m)];
            out.Rec(m + 1, Bridge::Node(g, p), Bridge::Node(g, p + 1), g + 1, L, a.m_dArea, a.m_dI, a.m_dJ);
        }
    }
    out.Raw("/GROUP");
    for (int g = 0; g < b.G; ++g)
        out.Rec("GIRDER", g + 1, g * (b.P - 1) + 1, (g + 1) * (b.P - 1), b.CarriesOwnLoad(g) ? 0 : 1);
    out.Raw("/POINT");
    for (int g = 0; g < b.G; ++g)
        for (int p = 0; p < b.P; ++p) {
            const CDPoint q = b.Girder(g, p);
            out.Rec(Bridge::Node(g, p), Pos(q.x), Pos(q.y), g + 1, p + 1);
        }
}

// The deck across one panel point: positions, zones, dead-load strips, line loads.
void WriteDeck(const Bridge& b, int p, Out& out)
{
    const CGrillageInput& in = b.in;
    const PanelRef ref = b.panels[size_t(p)];
    const CSpanData& sp = b.Span(p);
    const CStationRecord& sec = b.Section(p);
    auto B = [&sec](int i) { return sec.m_adB[i - 1]; };
    auto H = [&sec](int i) { return sec.m_adH[i - 1]; };
    const double W = sec.m_dWidth;
    const double T = sp.m_dStartDistance + sp.m_aDivision[size_t(ref.j)].m_dPosition;
    out.Rec("PANEL", p + 1, Pos(T), ref.span + 1, Pos(W));

    const std::vector<double> x = b.GirderPositions(p);
    std::string gx = "GX";
    for (double v : x)
        gx += ' ' + Num(v);
    out.Raw(gx);

    const bool left = b.LeftSidewalk(), right = b.RightSidewalk();
    auto zone = [&out](const char* kind, double a, double b) { out.Rec("ZONE", kind, Pos(a), Pos(b)); };
    zone("CW", B(2) + B(3), W - B(5) - B(6));
    if (in.m_nMedian == 0 && in.m_bMedianUnloaded && B(4) > 0)
        zone("NOLL", B(1) - B(4) / 2, B(1) + B(4) / 2);
    const double kerbL = in.m_bKerbUnloaded ? B(8) : 0.0, kerbR = in.m_bKerbUnloaded ? B(9) : 0.0;
    if (left && B(3) > 0)
        zone("SW", B(2), B(2) + B(3) - kerbL);
    if (right && B(5) > 0)
        zone("SW", W - B(5) - B(6) + kerbR, W - B(6));

    auto strip = [&out](int c, double xa, double xb, double h) {
        if (xb - xa > kNegligible && h > kNegligible)
            out.Rec("STRIP", c, Pos(xa), Pos(xb), h);
    };
    const double mL = std::max(0.0, (H(3) + H(11) + H(4) - H(2)) / 2);
    const double mR = std::max(0.0, (H(10) + H(12) + H(7) - H(9)) / 2);
    const double cL = left ? H(1) + H(2) + H(3) : H(1) + H(4);
    const double cR = right ? H(8) + H(9) + H(10) : H(8) + H(7);
    const double swLa = B(2), swLb = B(2) + B(3) - B(8);
    const double swRa = W - B(5) - B(6) + B(9), swRb = W - B(6);
    if (left)
        strip(3, swLa, swLb, H(2));
    if (right)
        strip(3, swRa, swRb, H(9));
    strip(4, B(2) + B(3), B(1) - B(4) / 2, H(4));
    strip(4, B(1) + B(4) / 2, W - B(5) - B(6), H(7));
    if (B(4) > 0 && H(6) > 0)
        strip(5, B(1) - B(4) / 2, B(1) + B(4) / 2, H(6) + H(7));
    if (left && B(8) > 1e-20)
        strip(6, B(2) + B(3) - B(8), B(2) + B(3), H(11) + H(4));
    if (right && B(9) > 1e-20)
        strip(6, W - B(5) - B(6), W - B(5) - B(6) + B(9), H(12) + H(7));
    if (left)
        strip(7, swLa, swLb, mL);
    if (right)
        strip(7, swRa, swRb, mR);
    strip(8, 0.0, W, H(5));
    strip(9, 0.0, B(2), cL);
    strip(9, W - B(6), W, cR);

    if (in.m_adDeadLoad[0] > 0)
        out.Rec("LINE", 1, Pos(B(2) - B(7)));
    if (in.m_adDeadLoad[1] > 0)
        out.Rec("LINE", 2, Pos(W - B(6) + B(10)));
    const int attachments = std::clamp(in.m_nAttachments, 0, CGrillageInput::kMaxAttachments);
    for (int k = 0; k < attachments; ++k) {
        const int a = in.IsSingleBox() ? 1 : std::clamp(in.m_anAttachGirder[k], 0, b.G - 1);
        out.Rec("ATTACH", k + 1, Pos(x[size_t(a)] + in.m_adAttachPosition[k]));
    }
}

} // namespace

int CGrillageInput::PanelPoints() const { return int(Panels(*this).size()); }

std::string WriteGrillageInput(const CGrillageInput& in)
{
    // No plan, no file: the run is refused before it comes here.
    if (in.m_aSpans.empty() || std::any_of(in.m_aSpans.begin(), in.m_aSpans.end(), [](const CSpanData& sp) {
            return sp.m_aPanelPoints.size() < 2 || sp.m_aDivision.size() < sp.m_aPanelPoints.size() ||
                   sp.m_aPanelPoints.size() > std::size(sp.m_aPanelSection);
        }))
        return std::string();
    const Bridge b(in);
    Out out;
    WriteHead(b, out, WriteCrossMembers(b, nullptr));
    WriteSpansAndSupports(b, out);
    WriteLoads(b, out);
    WriteMembers(b, out);
    out.Raw("/KEIJYO");
    for (int p = 0; p < b.P; ++p)
        WriteDeck(b, p, out);
    out.Raw("/END");
    return out.Take();
}

int SaveGrillageInput(const CGrillageInput& in, const std::string& path)
{
    constexpr int kCannotWrite = 10;
    const std::string text = WriteGrillageInput(in);
    if (text.empty())
        return kCannotWrite;
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    if (!f)
        return kCannotWrite;
    f.write(text.data(), std::streamsize(text.size()));
    f.close();
    return f ? 0 : kCannotWrite;
}

std::string MakeRunStamp(long long nSeconds, long long nProcessId, int nPass)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%08llX%06llX%02X", static_cast<unsigned long long>(nSeconds) & 0xFFFFFFFFull,
                  static_cast<unsigned long long>(nProcessId) & 0xFFFFFFull, static_cast<unsigned>(nPass) & 0xFFu);
    return buf;
}
