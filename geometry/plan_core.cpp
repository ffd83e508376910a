// Span records: the base line, panel points, girder lines and their checks, and the
// overlay of a plan entered by coordinates.
#include "geometry/plan_core.h"
#include "geometry/plan_internal.h"
#include "geometry/plan_math.h"

#include <algorithm>
#include <cmath>

using namespace PlanMath;

namespace PlanCore {

namespace {

const double kDefaultB[12] = {4.5, 0.4, 1.0, 0.5, 1.0, 0.4, 0.2, 0.2, 0.2, 0.2, 1.05, 1.05};
// As the cross-section window starts: the curb rises at 0 until a new design derives them.
const double kDefaultH[12] = {0.25, 0.03, 0.26, 0.08, 0.21, 0.2, 0.08, 0.25, 0.03, 0.26, 0.0, 0.0};

double At(const std::vector<double>& v, int i, double fallback)
{
    return i >= 0 && size_t(i) < v.size() && std::isfinite(v[size_t(i)]) ? v[size_t(i)] : fallback;
}

// Skews outside (0, pi) have no transverse line; they only come from damaged files.
double SafeSkew(double psi, int& ok)
{
    if (std::isfinite(psi) && psi >= 0.01 && psi <= kPi - 0.01)
        return psi;
    ok = 0;
    return kRightAngle;
}

double Finite(double v, double fallback, int& ok)
{
    if (std::isfinite(v))
        return v;
    ok = 0;
    return fallback;
}

// atan of the slope, pi/2 when vertical.
double SlopeAngle(CDPoint a, CDPoint b)
{
    const double dx = b.x - a.x;
    return std::fabs(dx) < 1e-6 ? kRightAngle : std::atan((b.y - a.y) / dx);
}

}

CPlanInput::CPlanInput()
{
    for (int s = 0; s < kMaxSpans; ++s) {
        adSpanLength[s] = 30.0;
        anPanelCount[s] = 6;
        for (double& l : adPanelLength[s])
            l = 5.0;
        anFreeSections[s] = 2;
        for (int e = 0; e < 2; ++e) {
            adBaseToG1[s][e] = 2.6;
            adGirderSpacing[s][e] = 2.3;
            adSkew[s][e] = kRightAngle;
        }
        adBaseRadius[s] = -100.0;
        anBaseLineType[s] = 0;
        anGirderLineType[s] = 0;
        anCrossBeamDir[s] = 0;
    }
    for (double& h : adGirderHeight)
        h = 1.8;
}

double CPlanInput::B(int i, int station) const { return At(arrB[i], station, kDefaultB[i]); }
double CPlanInput::H(int i, int station) const { return At(arrH[i], station, kDefaultH[i]); }
double CPlanInput::D(int station, double fallback) const { return At(arrD, station, fallback); }

double CPlanInput::Theta(int station) const
{
    const double t = At(arrTheta, station, kRightAngle);
    return t >= 0.01 && t <= kPi - 0.01 ? t : kRightAngle;
}

double CleanSpanLength(double L) { return std::isfinite(L) && L >= 0.001 ? L : 0.001; }

bool ClampLayout(CPlanInput& in)
{
    bool changed = false;
    auto clamp = [&changed](int& v, int lo, int hi) {
        const int c = std::clamp(v, lo, hi);
        changed |= c != v;
        v = c;
    };
    clamp(in.nSpans, 0, kMaxSpans);
    clamp(in.nGirders, 1, kMaxGirders);
    clamp(in.nBridgeType, 0, 2);
    if (in.nBridgeType == 2 && in.nGirders != 3) {
        in.nGirders = 3;
        changed = true;
    }
    for (int s = 0; s < in.nSpans; ++s) {
        clamp(in.anPanelCount[s], 1, kMaxPanels);
        clamp(in.anFreeSections[s], 0, kMaxFreeSections);
    }
    return !changed;
}

int CountPanelPoints(const CPlanInput& in)
{
    if (in.nSpans <= 0)
        return 0;
    int n = 1;
    for (int s = 0; s < in.nSpans; ++s)
        n += in.anPanelCount[s];
    return n;
}

int CountStations(const CPlanInput& in, int* anSupportStation)
{
    anSupportStation[0] = 0;
    for (int s = 0; s < in.nSpans; ++s)
        anSupportStation[s + 1] = anSupportStation[s] + in.anFreeSections[s] + 1;
    return in.nSpans <= 0 ? 0 : anSupportStation[in.nSpans] + 1;
}

// ---- base-line frame ----

CSpanFrame::CSpanFrame(const CSpanData& span)
    : m_bCurved(span.m_bCurvedBaseLine != 0 && std::fabs(span.m_dRadius) < kStraightRadius && span.m_dRadius != 0.0),
      m_ptStart(span.m_base.m_ptStart), m_ptCentre(span.m_base.m_ptCentre), m_dDir(span.m_dStartDir),
      m_dRadius(span.m_dRadius), m_dLength(span.m_dSpanLength), m_dAlpha0(0.0)
{
    if (m_bCurved)
        m_dAlpha0 = AngleOf(m_ptStart - m_ptCentre);
}

CDPoint CSpanFrame::BasePoint(double t) const
{
    if (!m_bCurved)
        return m_ptStart + Dir(m_dDir) * t;
    return m_ptCentre + Dir(m_dAlpha0 + t / m_dRadius) * std::fabs(m_dRadius);
}

double CSpanFrame::Tangent(double t) const { return m_bCurved ? m_dDir + t / m_dRadius : m_dDir; }

CDPoint CSpanFrame::OffsetPoint(double F, double o) const
{
    if (!m_bCurved)
        return BasePoint(F) + Dir(m_dDir + kPi / 2) * o;
    return m_ptCentre + Dir(m_dAlpha0 + F / m_dRadius) * std::fabs(m_dRadius - o);
}

void CSpanFrame::BaseFoot(CDPoint q, double* F, double* o) const
{
    if (!m_bCurved) {
        const CDPoint tau = Dir(m_dDir);
        *F = Dot(q - m_ptStart, tau);
        *o = Cross(tau, q - m_ptStart);
        return;
    }
    const double mid = m_dLength / (2.0 * m_dRadius);
    const double d = NormalizeAngle(AngleOf(q - m_ptCentre) - m_dAlpha0, mid - kPi);
    *F = m_dRadius * d;
    *o = m_dRadius - (m_dRadius > 0 ? 1.0 : -1.0) * Distance(q, m_ptCentre);
}

CDPoint CSpanFrame::LineDirection(double t, double psi) const { return Dir(Tangent(t) + psi); }

CDPoint CSpanFrame::StationPoint(double t, double psi, double o, bool* ok) const
{
    const CDPoint p = BasePoint(t);
    const CDPoint u = LineDirection(t, psi);
    const double s = std::sin(psi);
    const CDPoint straight = p + u * (std::fabs(s) > 1e-9 ? o / s : 0.0);
    if (ok)
        *ok = std::fabs(s) > 1e-9;
    if (!m_bCurved)
        return straight;
    CDPoint hit;
    if (IntersectLineCircle(p, u, m_ptCentre, std::fabs(m_dRadius - o), straight, &hit))
        return hit;
    if (ok)
        *ok = false;
    return straight;
}

// ---- span records ----

namespace {

void CheckPanelPoints(const CSpanData& sp, int nBridgeType, int& ok)
{
    const int n = int(sp.m_aPanelPoints.size()) - 1;
    for (int j = 0; j < n; ++j)
        if (!(sp.m_aDivision[size_t(j) + 1].m_dPosition - sp.m_aDivision[size_t(j)].m_dPosition >= kConsistencyLimit))
            ok = 0;
    for (size_t g = 0; g < sp.m_aGirderLines.size(); ++g) {
        const GirderLine line = LineOf(sp.m_aGirderLines[g]);
        for (int j = 0; j < n; ++j) {
            const auto& a = sp.m_aPanelPoints[size_t(j)].m_aptGirder;
            const auto& b = sp.m_aPanelPoints[size_t(j) + 1].m_aptGirder;
            if (g < a.size() && g < b.size() && !(ForwardStep(line, a[g], b[g]) >= kConsistencyLimit))
                ok = 0;
        }
    }
    for (const CPanelPointRecord& r : sp.m_aPanelPoints) {
        const auto& p = r.m_aptGirder;
        if (nBridgeType == 2) {
            if (p.size() >= 3 && !(Distance(p[0], p[2]) >= kConsistencyLimit))
                ok = 0;
            continue;
        }
        for (size_t g = 0; g + 1 < p.size(); ++g)
            if (!(Distance(p[g], p[g + 1]) >= kConsistencyLimit))
                ok = 0;
    }
}

void FillTransverse(CPanelPointRecord& r, CDPoint u)
{
    const size_t G = r.m_aptGirder.size();
    r.m_ptLine1 = G ? r.m_aptGirder.front() : r.m_ptBase;
    r.m_ptLine2 = G ? r.m_aptGirder.back() : r.m_ptBase;
    r.m_dWidth = Distance(r.m_ptLine1, r.m_ptLine2);
    r.m_dAngle = r.m_dWidth > 1e-6 ? SlopeAngle(r.m_ptLine2, r.m_ptLine1) : SlopeAngle(CDPoint(), u);
}

}

void BuildSpanRecords(const CPlanInput& in, std::vector<CSpanData>& spans, int& ok)
{
    spans.assign(size_t(std::max(in.nSpans, 0)), CSpanData());
    CDPoint start = in.ptBaseOrigin;
    double dir = 0.0;
    double T = 0.0;
    const int G = in.nGirders;
    for (int s = 0; s < in.nSpans; ++s) {
        CSpanData& sp = spans[size_t(s)];
        const int n = in.anPanelCount[s];
        sp.m_nGirders = G;
        sp.m_nPanels = n;
        sp.m_nFreeSections = in.anFreeSections[s];
        sp.m_nChangePoints = in.bHeightWindow ? in.anPointCount[s] : 0;
        sp.m_nBaseLineType = in.anBaseLineType[s];

        const double L = CleanSpanLength(in.adSpanLength[s]);
        if (L != in.adSpanLength[s])
            ok = 0;
        const double R = in.adBaseRadius[s];
        bool curved = in.anBaseLineType[s] != 0 && std::fabs(R) < kStraightRadius;
        // An arc without a usable radius is no straight line either: refused.
        if (in.anBaseLineType[s] != 0 && (!std::isfinite(R) || (curved && std::fabs(R) < 1.0))) {
            curved = false;
            ok = 0;
        }
        sp.m_bCurvedBaseLine = curved ? 1 : 0;
        sp.m_dRadius = curved ? R : kStraightRadius;
        sp.m_bCurvedGirders = curved && in.anGirderLineType[s] != 0 ? 1 : 0;
        sp.m_bArc = sp.m_bCurvedGirders;
        sp.m_nCrossBeamType = std::clamp(in.anCrossBeamDir[s], 0, 3);
        for (int e = 0; e < 2; ++e) {
            sp.m_dG1Offset[e] = Finite(in.adBaseToG1[s][e], 0.0, ok);
            sp.m_dGirderSpacing[e] = Finite(in.adGirderSpacing[s][e], 0.0, ok);
            sp.m_dSkew[e] = SafeSkew(in.adSkew[s][e], ok);
            sp.m_dHalfSpread[e] = (G - 1) * sp.m_dGirderSpacing[e] / 2.0;
        }
        sp.m_dSpanLength = L;
        sp.m_base.m_ptStart = start;
        sp.m_dStartDir = dir;
        sp.m_dStartDistance = T;
        if (curved) {
            const CDPoint c = start + Dir(dir + kPi / 2) * R;
            sp.m_base.m_ptCentre = c;
            sp.m_base.m_ptEnd = c + Dir(AngleOf(start - c) + L / R) * std::fabs(R);
            sp.m_dEndDir = dir + L / R;
        } else {
            sp.m_base.m_ptEnd = start + Dir(dir) * L;
            sp.m_dEndDir = dir;
        }
        const CSpanFrame f(sp);

        // Panel lengths that do not add up to the span are scaled to it.
        std::vector<double> len(static_cast<size_t>(n));
        double sum = 0.0;
        for (int k = 0; k < n; ++k) {
            len[size_t(k)] = in.adPanelLength[s][k];
            sum += len[size_t(k)];
        }
        if (!(std::fabs(sum - L) <= 1e-4)) {
            for (double& l : len)
                l = std::isfinite(sum) && std::fabs(sum) > 1e-9 && std::isfinite(l) ? l * L / sum : L / n;
            ok = 0;
        }
        sp.m_pdPanelLength = len;
        std::vector<double> t(size_t(n) + 1, 0.0);
        for (int j = 1; j <= n; ++j)
            t[size_t(j)] = t[size_t(j) - 1] + len[size_t(j) - 1];
        t[size_t(n)] = L;

        // Girder lines between the two support lines.
        sp.m_aGirderLines.assign(size_t(G), CGirderLineRecord());
        for (int g = 0; g < G; ++g) {
            CGirderLineRecord& gl = sp.m_aGirderLines[size_t(g)];
            const double o0 = sp.m_dG1Offset[0] - g * sp.m_dGirderSpacing[0];
            const double o1 = sp.m_dG1Offset[1] - g * sp.m_dGirderSpacing[1];
            bool ok0 = true, ok1 = true;
            gl.m_ptStart = f.StationPoint(0.0, sp.m_dSkew[0], o0, &ok0);
            gl.m_ptEnd = f.StationPoint(L, sp.m_dSkew[1], o1, &ok1);
            if (!ok0 || !ok1)
                ok = 0;
            gl.m_adOffset[0] = o0;
            gl.m_adOffset[1] = o1;
            gl.m_dRadius = kStraightRadius;
            gl.m_dLength = Distance(gl.m_ptStart, gl.m_ptEnd);
            if (!sp.m_bCurvedGirders)
                continue;
            const double Rg = R - (o0 + o1) / 2.0;
            const double c = gl.m_dLength;
            if (!(Rg * R > 0.0) || !(std::fabs(Rg) >= c / 2.0) || c < 1e-9) {
                ok = 0;     // no arc of this radius through both ends: the girder stays straight
                continue;
            }
            const CDPoint mid = (gl.m_ptStart + gl.m_ptEnd) * 0.5;
            const CDPoint along = Unit(gl.m_ptEnd - gl.m_ptStart);
            const CDPoint normal(-along.y, along.x);
            const double h = std::sqrt(std::max(Rg * Rg - c * c / 4.0, 0.0));
            const CDPoint c1 = mid + normal * h;
            const CDPoint c2 = mid - normal * h;
            const CDPoint cg = Distance(c1, sp.m_base.m_ptCentre) <= Distance(c2, sp.m_base.m_ptCentre) ? c1 : c2;
            const double swept = NormalizeAngle(AngleOf(gl.m_ptEnd - cg) - AngleOf(gl.m_ptStart - cg), L / R - kPi);
            gl.m_dRadius = Rg;
            gl.m_ptCentre = cg;
            gl.m_dLength = std::fabs(Rg * swept);
        }

        // Transverse lines, their girder points and the division.
        sp.m_aDivision.assign(size_t(n) + 1, CPanelDivisionRecord());
        sp.m_aPanelPoints.assign(size_t(n) + 1, CPanelPointRecord());
        for (int j = 0; j <= n; ++j) {
            const double tj = t[size_t(j)];
            double psi = kRightAngle;
            if (j == 0) {
                psi = sp.m_dSkew[0];
            } else if (j == n) {
                psi = sp.m_dSkew[1];
            } else {
                switch (sp.m_nCrossBeamType) {
                case 1: psi = sp.m_dSkew[0]; break;
                case 2: psi = sp.m_dSkew[1]; break;
                case 3:
                    if (!sp.m_bCurvedGirders && G >= 1) {
                        const CGirderLineRecord& a = sp.m_aGirderLines.front();
                        const CGirderLineRecord& b = sp.m_aGirderLines.back();
                        const CDPoint mean = Unit(a.m_ptEnd - a.m_ptStart) + Unit(b.m_ptEnd - b.m_ptStart);
                        const double d = NormalizeAngle(AngleOf(mean) + kPi / 2 - f.Tangent(tj), -kPi);
                        psi = d > 0.01 && d < kPi - 0.01 ? d : kRightAngle;
                    }
                    break;
                default: break;
                }
            }
            const CDPoint P = f.BasePoint(tj);
            const CDPoint u = f.LineDirection(tj, psi);
            const double lambda = tj / L;
            const double oG1 = sp.m_dG1Offset[0] + lambda * (sp.m_dG1Offset[1] - sp.m_dG1Offset[0]);
            const double spacing = sp.m_dGirderSpacing[0] + lambda * (sp.m_dGirderSpacing[1] - sp.m_dGirderSpacing[0]);

            CPanelDivisionRecord& div = sp.m_aDivision[size_t(j)];
            div.m_dPosition = tj;
            div.m_ptBase = P;
            div.m_ptIdeal1 = f.StationPoint(tj, psi, oG1);
            div.m_ptIdeal2 = f.StationPoint(tj, psi, oG1 - (G - 1) * spacing);

            CPanelPointRecord& rec = sp.m_aPanelPoints[size_t(j)];
            rec.m_ptBase = P;
            rec.m_aptGirder.resize(size_t(G));
            rec.m_anNodes.assign(size_t(G), 0);
            for (int g = 0; g < G; ++g) {
                const CGirderLineRecord& gl = sp.m_aGirderLines[size_t(g)];
                CDPoint& pt = rec.m_aptGirder[size_t(g)];
                if (j == 0) {
                    pt = gl.m_ptStart;
                } else if (j == n) {
                    pt = gl.m_ptEnd;
                } else {
                    const CDPoint ideal = P + u * ((oG1 - g * spacing) / std::sin(psi));
                    if (!MeetGirder(LineOf(gl), P, u, ideal, &pt)) {
                        pt = ideal;
                        ok = 0;
                    }
                }
            }
            FillTransverse(rec, u);
            rec.m_dBaseAngle = kPi - psi;
        }
        CheckPanelPoints(sp, in.nBridgeType, ok);

        start = sp.m_base.m_ptEnd;
        dir = sp.m_dEndDir;
        T += L;
    }
}

// ---- coordinate plans ----

double FitBaseLine(const CDPoint* pts, int n, CDPoint* centre, bool* definite)
{
    *centre = CDPoint();
    if (definite)
        *definite = true;
    const double deviation = ChordDeviation(pts, n);
    if (n < 3 || deviation <= kStraightTolerance)
        return 0.0;
    // A circle stands for the points only where it follows them far better than their chord
    // does: a line with one point moved or an S-curve is no circle, and lengths along one
    // read into them come out wrong. Such points stay a polyline of straight panels.
    CDPoint c;
    double r = 0.0;
    if (!FitCircleGeometric(pts, n, &c, &r)
        || !(CircleResidual(pts, n, c, r) <= std::max(kStraightTolerance, kCircleTolerance * deviation))) {
        if (definite)
            *definite = false;
        return 0.0;
    }
    if (!(r < kStraightRadius))
        return 0.0;
    const CDPoint mid = pts[n / 2];
    *centre = c;
    return Cross(mid - pts[0], pts[n - 1] - mid) > 0 ? r : -r;
}

namespace {

// Counter-clockwise angle from direction tau to the line pointing from p2 to p1, in (0, pi].
double SkewOf(double tau, CDPoint p1, CDPoint p2, double fallback)
{
    if (Distance(p1, p2) < 1e-6)
        return fallback;
    double psi = NormalizeAngle(AngleOf(p1 - p2) - tau, 0.0);
    if (psi > kPi)
        psi -= kPi;
    return psi;
}

}

// Tangent at panel point j of span s of a coordinate plan: base point j - 1 to j + 1 over the bridge.
double CoordinateTangent(const std::vector<CSpanData>& spans, int s, int j)
{
    const auto& pts = spans[size_t(s)].m_aPanelPoints;
    const int n = int(pts.size()) - 1;
    CDPoint before = pts[size_t(std::max(j - 1, 0))].m_ptBase;
    CDPoint after = pts[size_t(std::min(j + 1, n))].m_ptBase;
    if (j == 0 && s > 0 && spans[size_t(s) - 1].m_aPanelPoints.size() >= 2)
        before = spans[size_t(s) - 1].m_aPanelPoints[spans[size_t(s) - 1].m_aPanelPoints.size() - 2].m_ptBase;
    if (j == n && size_t(s) + 1 < spans.size() && spans[size_t(s) + 1].m_aPanelPoints.size() >= 2)
        after = spans[size_t(s) + 1].m_aPanelPoints[1].m_ptBase;
    if (Distance(before, after) < 1e-9)
        return spans[size_t(s)].m_dStartDir;
    return AngleOf(after - before);
}

void ApplyCoordinatePlan(const CPlanInput& in, const CCoordinatePlan& plan, std::vector<CSpanData>& spans, int& ok)
{
    // Points that are not numbers place nothing: the records stay as the span input built them.
    if (!plan.IsFinite()) {
        ok = 0;
        return;
    }
    const int G = in.nGirders;
    double T = 0.0;
    for (size_t s = 0; s < spans.size() && s < plan.m_aSpans.size(); ++s) {
        CSpanData& sp = spans[s];
        const CCoordinateSpan& cs = plan.m_aSpans[s];
        const int n = cs.PanelCount();
        if (n < 1)
            continue;
        std::vector<CDPoint> base(size_t(n) + 1);
        for (int j = 0; j <= n; ++j)
            base[size_t(j)] = cs.m_aPoints[size_t(j)].m_ptBase;

        CDPoint centre;
        bool definite = true;
        const double R = FitBaseLine(base.data(), n + 1, &centre, &definite);
        sp.m_bCurvedBaseLine = R != 0.0 ? 1 : 0;
        sp.m_dRadius = R != 0.0 ? R : kStraightRadius;
        sp.m_base.m_ptStart = base.front();
        sp.m_base.m_ptEnd = base.back();
        sp.m_base.m_ptCentre = centre;
        auto chordDir = [](CDPoint a, CDPoint b) { return Distance(a, b) > 1e-9 ? AngleOf(b - a) : 0.0; };
        const double sign = R > 0 ? 1.0 : -1.0;
        if (R != 0.0)
            sp.m_dStartDir = AngleOf(base.front() - centre) + sign * kPi / 2;
        else if (definite)
            sp.m_dStartDir = chordDir(base.front(), base.back());
        else
            sp.m_dStartDir = chordDir(base[0], base[1]);   // a polyline: the tangents of its end panels
        sp.m_pdPanelLength.assign(size_t(n), 0.0);
        double L = 0.0;
        for (int j = 0; j < n; ++j) {
            sp.m_pdPanelLength[size_t(j)] = ArcLength(base[size_t(j)], base[size_t(j) + 1], sp.m_dRadius);
            L += sp.m_pdPanelLength[size_t(j)];
        }
        if (!(L >= 0.001)) {
            L = 0.001;
            ok = 0;
        }
        sp.m_dSpanLength = L;
        if (R != 0.0)
            sp.m_dEndDir = sp.m_dStartDir + L / R;
        else
            sp.m_dEndDir = definite ? sp.m_dStartDir : chordDir(base[size_t(n) - 1], base[size_t(n)]);
        sp.m_dStartDistance = T;
        sp.m_nPanels = n;
        sp.m_nCrossBeamType = std::clamp(in.anCrossBeamDir[s], 0, 3);
        const CSpanFrame f(sp);

        // The girder points as given, with a stand-in on the transverse line where one is missing.
        auto girderPoint = [&](int j, int g) {
            const CCoordinatePoint& p = cs.m_aPoints[size_t(j)];
            if (size_t(g) < p.m_aptGirder.size())
                return p.m_aptGirder[size_t(g)];
            return G > 1 ? p.m_ptLine1 + (p.m_ptLine2 - p.m_ptLine1) * (double(g) / (G - 1)) : p.m_ptLine1;
        };

        std::vector<double> t(size_t(n) + 1, 0.0);
        for (int j = 1; j <= n; ++j)
            t[size_t(j)] = t[size_t(j) - 1] + sp.m_pdPanelLength[size_t(j) - 1];
        t[size_t(n)] = L;

        // Offsets at a support: across the circle, or square to the end panel's chord.
        auto supportOffset = [&](int e, CDPoint q) {
            double F = 0.0, o = 0.0;
            if (sp.m_bCurvedBaseLine)
                f.BaseFoot(q, &F, &o);
            else
                o = Cross(Dir(e == 0 ? sp.m_dStartDir : sp.m_dEndDir), q - (e == 0 ? base.front() : base.back()));
            return o;
        };
        for (int e = 0; e < 2; ++e) {
            const int j = e == 0 ? 0 : n;
            const double o1 = supportOffset(e, girderPoint(j, 0));
            const double oN = supportOffset(e, girderPoint(j, G - 1));
            sp.m_dG1Offset[e] = o1;
            sp.m_dGirderSpacing[e] = G > 1 ? (o1 - oN) / (G - 1) : in.adGirderSpacing[s][e];
            sp.m_dHalfSpread[e] = (G - 1) * sp.m_dGirderSpacing[e] / 2.0;
            const CCoordinatePoint& p = cs.m_aPoints[size_t(j)];
            sp.m_dSkew[e] = SkewOf(e == 0 ? sp.m_dStartDir : sp.m_dEndDir, p.m_ptLine1, p.m_ptLine2, in.adSkew[s][e]);
        }
        std::vector<CDPoint> g1(size_t(n) + 1);
        for (int j = 0; j <= n; ++j)
            g1[size_t(j)] = girderPoint(j, 0);
        sp.m_bCurvedGirders = sp.m_bCurvedBaseLine && ChordDeviation(g1.data(), n + 1) > kStraightTolerance ? 1 : 0;
        sp.m_bArc = sp.m_bCurvedGirders;

        sp.m_aGirderLines.assign(size_t(G), CGirderLineRecord());
        for (int g = 0; g < G; ++g) {
            std::vector<CDPoint> pts(size_t(n) + 1);
            for (int j = 0; j <= n; ++j)
                pts[size_t(j)] = girderPoint(j, g);
            CGirderLineRecord& gl = sp.m_aGirderLines[size_t(g)];
            gl.m_ptStart = pts.front();
            gl.m_ptEnd = pts.back();
            gl.m_adOffset[0] = supportOffset(0, pts.front());
            gl.m_adOffset[1] = supportOffset(1, pts.back());
            gl.m_dRadius = kStraightRadius;
            gl.m_ptCentre = CDPoint();
            if (sp.m_bCurvedGirders) {
                // Points that no circle follows keep straight panels, as the base line does.
                CDPoint c;
                const double r = FitBaseLine(pts.data(), n + 1, &c);
                if (r != 0.0) {
                    gl.m_dRadius = r;
                    gl.m_ptCentre = c;
                }
            }
            gl.m_dLength = 0.0;
            for (int j = 0; j < n; ++j)
                gl.m_dLength += ArcLength(pts[size_t(j)], pts[size_t(j) + 1], gl.m_dRadius);
        }

        sp.m_aDivision.assign(size_t(n) + 1, CPanelDivisionRecord());
        sp.m_aPanelPoints.assign(size_t(n) + 1, CPanelPointRecord());
        for (int j = 0; j <= n; ++j) {
            const CCoordinatePoint& p = cs.m_aPoints[size_t(j)];
            CPanelDivisionRecord& div = sp.m_aDivision[size_t(j)];
            div.m_dPosition = t[size_t(j)];
            div.m_ptBase = p.m_ptBase;
            div.m_ptIdeal1 = p.m_ptLine1;
            div.m_ptIdeal2 = p.m_ptLine2;
            CPanelPointRecord& rec = sp.m_aPanelPoints[size_t(j)];
            rec.m_ptBase = p.m_ptBase;
            rec.m_aptGirder.resize(size_t(G));
            for (int g = 0; g < G; ++g)
                rec.m_aptGirder[size_t(g)] = girderPoint(j, g);
            rec.m_anNodes.assign(size_t(G), 0);
            for (int e = 0; e < 12; ++e)
                rec.m_aptEdge[e] = p.m_aptEdge[e];
        }
        T += L;
    }
    // Transverse lines and sections once every span stands on its points: a support's
    // tangent looks into the next span.
    for (size_t s = 0; s < spans.size() && s < plan.m_aSpans.size(); ++s) {
        CSpanData& sp = spans[s];
        const CCoordinateSpan& cs = plan.m_aSpans[s];
        const int n = cs.PanelCount();
        if (n < 1)
            continue;
        const double T = sp.m_dStartDistance;
        for (int j = 0; j <= n; ++j) {
            CPanelPointRecord& rec = sp.m_aPanelPoints[size_t(j)];
            const CCoordinatePoint& p = cs.m_aPoints[size_t(j)];
            const double tau = CoordinateTangent(spans, int(s), j);
            const double psi = SkewOf(tau, p.m_ptLine1, p.m_ptLine2, kRightAngle);
            FillTransverse(rec, Dir(tau + psi));
            rec.m_ptLine1 = p.m_ptLine1;
            rec.m_ptLine2 = p.m_ptLine2;
            rec.m_dWidth = Distance(p.m_ptLine1, p.m_ptLine2);
            rec.m_dBaseAngle = kPi - psi;

            CStationRecord& sec = sp.m_aPanelSection[j];
            sec = p.m_aSection;
            sec.m_ptBase = p.m_ptBase;
            sec.m_dPosition = sp.m_aDivision[size_t(j)].m_dPosition;
            sec.m_dStation = T + sp.m_aDivision[size_t(j)].m_dPosition;
            sec.m_bSupport = j == 0 || j == n;
            sec.m_dSkew = psi;
            for (int k = 0; k < 6; ++k)
                for (int side = 0; side < 2; ++side)
                    sec.m_aptEdge[k][side] = p.m_aptEdge[side + 2 * k];
            sec.m_aptEdge[6][0] = p.m_ptLine1;
            sec.m_aptEdge[6][1] = p.m_ptLine2;
            if (Distance(sec.m_aptEdge[0][0], sec.m_aptEdge[0][1]) > 1e-6)
                sec.m_dAngle = AngleOf(sec.m_aptEdge[0][0] - sec.m_aptEdge[0][1]);
        }
        CheckPanelPoints(sp, in.nBridgeType, ok);
    }
}

}
