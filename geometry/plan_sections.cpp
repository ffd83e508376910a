// Cross-section stations, the deck edge lines and the girder height profiles.
#include "geometry/curves.h"
#include "geometry/plan_core.h"
#include "geometry/plan_internal.h"
#include "geometry/plan_math.h"

#include <algorithm>
#include <cmath>

using namespace PlanMath;

namespace PlanCore {

namespace {

// A section at position D and skew psi of a span, from its twelve widths and heights.
void FillSection(CStationRecord& r, const CSpanData& sp, const CSpanFrame& f, double D, double psi, const double* B,
                 const double* H, double* addL, double* addR)
{
    const int G = std::max(sp.m_nGirders, 1);
    const double L = sp.m_dSpanLength;
    const double lambda = L > 0 ? D / L : 0.0;
    const double oG1 = sp.m_dG1Offset[0] + lambda * (sp.m_dG1Offset[1] - sp.m_dG1Offset[0]);
    const double spacing = sp.m_dGirderSpacing[0] + lambda * (sp.m_dGirderSpacing[1] - sp.m_dGirderSpacing[0]);
    const double W = (G - 1) * spacing + B[10] + B[11];
    const double edgeL = B[1] + B[2];
    const double edgeR = B[4] + B[5];
    double B1 = B[0];
    if (B1 <= edgeL + 0.01 || B1 >= W - edgeR - 0.01)
        B1 = (edgeL + W - edgeR) / 2.0;

    r.m_ptBase = f.BasePoint(D);
    r.m_dPosition = D;
    r.m_dStation = sp.m_dStartDistance + D;
    r.m_dSkew = psi;
    r.m_dWidth = W;
    r.m_dEdgeL = edgeL;
    r.m_dEdgeR = edgeR;
    r.m_dB1 = B1;
    r.m_dRoadwayLeft = B1 - B[3] / 2.0 - B[1] - B[2];
    r.m_dRoadwayRight = W - B1 - B[3] / 2.0 - B[5] - B[4];

    // Across-deck positions of the edge kinds, from the left deck edge.
    const double left[6] = {0.0, B[1] - B[6], B[1], B[1] + B[2] - B[7], B[1] + B[2], B1 - B[3] / 2.0};
    const double right[6] = {W, W - B[5] + B[9], W - B[5], W - B[4] - B[5] + B[8], W - B[4] - B[5], B1 + B[3] / 2.0};
    const double oLeft = oG1 + B[10];
    for (int k = 0; k < 6; ++k) {
        r.m_aptEdge[k][0] = f.StationPoint(D, psi, oLeft - left[k]);
        r.m_aptEdge[k][1] = f.StationPoint(D, psi, oLeft - right[k]);
    }
    // The outer girders where they actually stand on this line.
    const CDPoint u = f.LineDirection(D, psi);
    for (int side = 0; side < 2; ++side) {
        const int g = side == 0 ? 0 : G - 1;
        const double o = oG1 - g * spacing;
        const CDPoint ideal = f.StationPoint(D, psi, o);
        CDPoint hit = ideal;
        if (size_t(g) < sp.m_aGirderLines.size() && !MeetGirder(LineOf(sp.m_aGirderLines[size_t(g)]), r.m_ptBase, u, ideal, &hit))
            hit = ideal;
        r.m_aptEdge[6][side] = hit;
    }
    r.m_dAngle = Distance(r.m_aptEdge[0][0], r.m_aptEdge[0][1]) > 1e-9 ? AngleOf(r.m_aptEdge[0][0] - r.m_aptEdge[0][1])
                                                                        : AngleOf(u);
    // Straight girders on a curved base line stand off the ideal frame; the overhangs take up the difference.
    double aL = 0.0, aR = 0.0;
    if (sp.m_bCurvedBaseLine && !sp.m_bCurvedGirders) {
        double F = 0.0, o0 = 0.0, oN = 0.0;
        f.BaseFoot(r.m_aptEdge[6][0], &F, &o0);
        f.BaseFoot(r.m_aptEdge[6][1], &F, &oN);
        aL = oG1 - o0;
        aR = oN - (oG1 - (G - 1) * spacing);
    }
    if (addL)
        *addL = aL;
    if (addR)
        *addR = aR;
    for (int i = 0; i < 12; ++i) {
        r.m_adB[i] = B[i];
        r.m_adH[i] = H[i];
    }
    r.m_adB[0] = B1;
    r.m_adB[10] = B[10] + aL;
    r.m_adB[11] = B[11] + aR;
}

// Linear blend of two section records.
CStationRecord Blend(const CStationRecord& a, const CStationRecord& b, double l)
{
    auto mix = [l](double x, double y) { return x + (y - x) * l; };
    auto mixp = [l](CDPoint x, CDPoint y) { return x + (y - x) * l; };
    CStationRecord r = a;
    r.m_ptBase = mixp(a.m_ptBase, b.m_ptBase);
    for (int k = 0; k < 7; ++k)
        for (int s = 0; s < 2; ++s)
            r.m_aptEdge[k][s] = mixp(a.m_aptEdge[k][s], b.m_aptEdge[k][s]);
    r.m_dWidth = mix(a.m_dWidth, b.m_dWidth);
    r.m_dEdgeL = mix(a.m_dEdgeL, b.m_dEdgeL);
    r.m_dEdgeR = mix(a.m_dEdgeR, b.m_dEdgeR);
    r.m_dB1 = mix(a.m_dB1, b.m_dB1);
    r.m_dRoadwayLeft = mix(a.m_dRoadwayLeft, b.m_dRoadwayLeft);
    r.m_dRoadwayRight = mix(a.m_dRoadwayRight, b.m_dRoadwayRight);
    for (int i = 0; i < 12; ++i) {
        r.m_adB[i] = mix(a.m_adB[i], b.m_adB[i]);
        r.m_adH[i] = mix(a.m_adH[i], b.m_adH[i]);
    }
    return r;
}

void BuildCoordinateStations(const CPlanInput& in, CSpanData& sp, int first, double* addL, double* addR)
{
    const CSpanFrame f(sp);
    const int n = int(sp.m_aPanelPoints.size()) - 1;
    const int fs = std::max(sp.m_nFreeSections, 0);
    const double L = sp.m_dSpanLength;
    std::vector<double> D(size_t(fs) + 2, 0.0);
    D.back() = L;
    bool increasing = true;
    for (int k = 1; k <= fs; ++k) {
        D[size_t(k)] = std::clamp(in.D(first + k, L * k / (fs + 1)), 1e-3 * L, L - 1e-3 * L);
        increasing = increasing && D[size_t(k)] > D[size_t(k) - 1];
    }
    if (!increasing || (fs > 0 && !(D[size_t(fs)] < L)))
        for (int k = 1; k <= fs; ++k)
            D[size_t(k)] = L * k / (fs + 1);

    sp.m_aStations.assign(size_t(fs) + 2, CStationRecord());
    for (int k = 0; k <= fs + 1; ++k) {
        CStationRecord& r = sp.m_aStations[size_t(k)];
        if (k == 0 || k == fs + 1 || n < 1) {
            r = sp.m_aPanelSection[k == 0 ? 0 : std::max(n, 0)];
        } else {
            int j = 0;
            while (j + 1 < n && sp.m_aDivision[size_t(j) + 1].m_dPosition < D[size_t(k)])
                ++j;
            const double t0 = sp.m_aDivision[size_t(j)].m_dPosition;
            const double t1 = sp.m_aDivision[size_t(j) + 1].m_dPosition;
            const double l = t1 - t0 > 1e-12 ? std::clamp((D[size_t(k)] - t0) / (t1 - t0), 0.0, 1.0) : 0.0;
            r = Blend(sp.m_aPanelSection[j], sp.m_aPanelSection[j + 1], l);
            if (Distance(r.m_aptEdge[0][0], r.m_aptEdge[0][1]) > 1e-9)
                r.m_dAngle = AngleOf(r.m_aptEdge[0][0] - r.m_aptEdge[0][1]);
            // Off a circle the base line is straight panel by panel.
            const CDPoint chord = sp.m_aDivision[size_t(j) + 1].m_ptBase - sp.m_aDivision[size_t(j)].m_ptBase;
            const double tau = sp.m_bCurvedBaseLine || Length(chord) < 1e-9 ? f.Tangent(D[size_t(k)]) : AngleOf(chord);
            double psi = NormalizeAngle(r.m_dAngle - tau, 0.0);
            if (psi > kPi)
                psi -= kPi;
            r.m_dSkew = psi > 1e-3 && psi < kPi - 1e-3 ? psi : kRightAngle;
        }
        r.m_dPosition = D[size_t(k)];
        r.m_dStation = sp.m_dStartDistance + D[size_t(k)];
        r.m_nIndex = first + k;
        r.m_bSupport = k == 0 || k == fs + 1;
        if (first + k < kMaxStations) {
            addL[first + k] = 0.0;
            addR[first + k] = 0.0;
        }
    }
}

}

CStationRecord BlendSection(const CStationRecord& a, const CStationRecord& b, double l) { return Blend(a, b, l); }

void BuildCrossSectionRecords(const CPlanInput& in, std::vector<CSpanData>& spans, const int* anSupportStation,
                              bool coordinate, double* addL, double* addR, int& ok)
{
    // A girder outside the deck edge at a station (the overhang that the cross-section window
    // shows, input plus addition, below 0) has no section.
    auto checkOverhangs = [&ok](const CStationRecord& r) {
        if (!(r.m_adB[10] >= 0.0 && r.m_adB[11] >= 0.0))
            ok = 0;
    };
    for (size_t s = 0; s < spans.size(); ++s) {
        CSpanData& sp = spans[s];
        const int first = anSupportStation[s];
        if (coordinate) {
            BuildCoordinateStations(in, sp, first, addL, addR);
            continue;
        }
        const CSpanFrame f(sp);
        const double L = sp.m_dSpanLength;
        const int fs = std::max(sp.m_nFreeSections, 0);
        sp.m_aStations.assign(size_t(fs) + 2, CStationRecord());
        for (int k = 0; k <= fs + 1; ++k) {
            const int gi = first + k;
            const bool support = k == 0 || k == fs + 1;
            const double D = k == 0 ? 0.0 : k == fs + 1 ? L : in.D(gi, L * k / (fs + 1));
            const double psi = k == 0 ? sp.m_dSkew[0] : k == fs + 1 ? sp.m_dSkew[1] : in.Theta(gi);
            double B[12], H[12];
            for (int i = 0; i < 12; ++i) {
                B[i] = in.B(i, gi);
                H[i] = in.H(i, gi);
            }
            CStationRecord& r = sp.m_aStations[size_t(k)];
            const bool inRange = gi >= 0 && gi < kMaxStations;
            FillSection(r, sp, f, D, psi, B, H, inRange ? &addL[gi] : nullptr, inRange ? &addR[gi] : nullptr);
            checkOverhangs(r);
            r.m_nIndex = gi;
            r.m_bSupport = support ? 1 : 0;
        }

        // Sections at the panel points, interpolated over the span's stations.
        std::vector<double> pos(static_cast<size_t>(fs) + 2);
        for (int k = 0; k <= fs + 1; ++k)
            pos[size_t(k)] = sp.m_aStations[size_t(k)].m_dPosition;
        CNaturalSpline bs[12], hs[12];
        for (int i = 0; i < 12; ++i) {
            std::vector<double> b(size_t(fs) + 2), h(size_t(fs) + 2);
            for (int k = 0; k <= fs + 1; ++k) {
                b[size_t(k)] = in.B(i, first + k);
                h[size_t(k)] = in.H(i, first + k);
            }
            const bool spline = in.nSectionInterpolation == 1;
            bs[i].Build(pos.data(), b.data(), fs + 2, spline);
            hs[i].Build(pos.data(), h.data(), fs + 2, spline);
        }
        const int n = int(sp.m_aPanelPoints.size()) - 1;
        for (int j = 0; j <= n && j < 21; ++j) {
            const double t = sp.m_aDivision[size_t(j)].m_dPosition;
            double B[12], H[12];
            for (int i = 0; i < 12; ++i) {
                B[i] = std::max(0.0, bs[i](t));
                H[i] = std::max(0.0, hs[i](t));
            }
            CStationRecord& r = sp.m_aPanelSection[j];
            FillSection(r, sp, f, t, kPi - sp.m_aPanelPoints[size_t(j)].m_dBaseAngle, B, H, nullptr, nullptr);
            r.m_nIndex = j;
            r.m_bSupport = j == 0 || j == n;
            r.m_aptEdge[6][0] = sp.m_aPanelPoints[size_t(j)].m_ptLine1;
            r.m_aptEdge[6][1] = sp.m_aPanelPoints[size_t(j)].m_ptLine2;
        }
    }
}


// ---- edge lines ----

int BuildEdgeLines(const CPlanInput& in, const std::vector<CSpanData>& spans, CPolyline2D* edges)
{
    int result = 1;
    int stations = 1;
    for (const CSpanData& sp : spans)
        stations += int(sp.m_aStations.size()) - 1;
    for (int e = 0; e < 12; ++e) {
        edges[e].m_aPoints.clear();
        edges[e].m_nSubdivisions = 20;
    }
    if (spans.empty() || stations < 2)
        return 0;
    constexpr int kSteps = 20;
    for (int e = 0; e < 12; ++e) {
        const int kind = e / 2;
        const int side = e % 2;
        std::vector<CDPoint>& out = edges[e].m_aPoints;
        out.reserve(size_t(kSteps) * size_t(stations - 1) + 1);
        CDPoint last;
        for (size_t s = 0; s < spans.size(); ++s) {
            const CSpanData& sp = spans[s];
            const CSpanFrame f(sp);
            const size_t m = sp.m_aStations.size();
            if (m < 2)
                continue;
            std::vector<double> T(m), F(m), O(m);
            for (size_t k = 0; k < m; ++k) {
                T[k] = sp.m_aStations[k].m_dStation;
                f.BaseFoot(sp.m_aStations[k].m_aptEdge[kind][side], &F[k], &O[k]);
            }
            CNaturalSpline sf, so;
            if (in.nSectionInterpolation == 1) {
                const bool a = sf.Build(T.data(), F.data(), int(m));
                const bool b = so.Build(T.data(), O.data(), int(m));
                if (!a || !b) {
                    sf.Build(T.data(), F.data(), int(m), false);
                    so.Build(T.data(), O.data(), int(m), false);
                    result = 0;     // positions out of order: built straight
                }
            }
            const bool spline = sf.IsSpline() && so.IsSpline();
            for (size_t k = 0; k + 1 < m; ++k)
                for (int step = 0; step < kSteps; ++step) {
                    const double r = double(step) / kSteps;
                    double Fq = F[k] + (F[k + 1] - F[k]) * r;
                    double Oq = O[k] + (O[k + 1] - O[k]) * r;
                    if (spline && step > 0) {
                        const double Tq = T[k] + (T[k + 1] - T[k]) * r;
                        Fq = sf(Tq);
                        Oq = so(Tq);
                    }
                    out.push_back(f.OffsetPoint(Fq, Oq));
                }
            last = f.OffsetPoint(F[m - 1], O[m - 1]);
        }
        out.push_back(last);
        // A point that cannot be computed keeps the line complete as its neighbour.
        for (size_t i = 0; i < out.size(); ++i)
            if (!IsFinite(out[i])) {
                out[i] = i > 0 ? out[i - 1] : CDPoint();
                result = 0;
            }
    }
    return result;
}

int BuildEdgeLinesFromCoordinates(const std::vector<CSpanData>& spans, CPolyline2D* edges)
{
    for (int e = 0; e < 12; ++e) {
        std::vector<CDPoint> pts;
        for (size_t s = 0; s < spans.size(); ++s)
            for (size_t j = s == 0 ? 0 : 1; j < spans[s].m_aPanelPoints.size(); ++j)
                pts.push_back(spans[s].m_aPanelPoints[j].m_aptEdge[e]);
        CPolyline2D& line = edges[e];
        line.m_nSubdivisions = 10;
        const int n = int(pts.size());
        if (n < 2) {
            line.m_aPoints = pts;
            continue;
        }
        line.m_aPoints.assign(size_t(10) * size_t(n - 1) + 1, CDPoint());
        std::copy(pts.begin(), pts.end(), line.m_aPoints.begin());
        InterpolateCurve(line.m_aPoints.data(), 10, n);
    }
    return 1;
}

void CopyEdgesToSections(std::vector<CSpanData>& spans)
{
    for (CSpanData& sp : spans)
        for (size_t j = 0; j < sp.m_aPanelPoints.size() && j < 21; ++j) {
            const CPanelPointRecord& r = sp.m_aPanelPoints[j];
            CStationRecord& sec = sp.m_aPanelSection[j];
            for (int k = 0; k < 6; ++k)
                for (int side = 0; side < 2; ++side)
                    sec.m_aptEdge[k][side] = r.m_aptEdge[side + 2 * k];
            sec.m_aptEdge[6][0] = r.m_ptLine1;
            sec.m_aptEdge[6][1] = r.m_ptLine2;
        }
}

namespace {

// The transverse line (p, u) against a polyline: the hit nearest p, else the extension of the
// end segment nearer the line; false when even that is parallel (then the nearest point).
bool MeetPolyline(CDPoint p, CDPoint u, const std::vector<CDPoint>& pts, CDPoint* out)
{
    const size_t n = pts.size();
    if (n == 0) {
        *out = p;
        return false;
    }
    if (n == 1) {
        *out = pts[0];
        return false;
    }
    bool found = false;
    double best = 0.0;
    for (size_t i = 0; i + 1 < n; ++i) {
        const CDPoint a = pts[i];
        const CDPoint d = pts[i + 1] - a;
        const double den = Cross(d, u);
        if (std::fabs(den) <= 1e-12 * Length(d))
            continue;
        const double w = Cross(p - a, u) / den;
        if (w < -1e-9 || w > 1.0 + 1e-9)
            continue;
        const CDPoint hit = a + d * w;
        const double dist = Distance(hit, p);
        if (!found || dist < best) {
            found = true;
            best = dist;
            *out = hit;
        }
    }
    if (found)
        return true;
    auto off = [&](CDPoint q) { return std::fabs(Cross(q - p, u)); };
    const bool front = off(pts.front()) <= off(pts.back());
    const CDPoint a = front ? pts[0] : pts[n - 2];
    const CDPoint b = front ? pts[1] : pts[n - 1];
    if (IntersectLines(p, u, a, b - a, out))
        return true;
    size_t nearest = 0;
    for (size_t i = 1; i < n; ++i)
        if (off(pts[i]) < off(pts[nearest]))
            nearest = i;
    *out = pts[nearest];
    return false;
}

}

void IntersectEdgeLines(std::vector<CSpanData>& spans, const CPolyline2D* const* edges, int& ok)
{
    for (CSpanData& sp : spans) {
        const CSpanFrame f(sp);
        for (size_t j = 0; j < sp.m_aPanelPoints.size(); ++j) {
            CPanelPointRecord& r = sp.m_aPanelPoints[j];
            const double t = j < sp.m_aDivision.size() ? sp.m_aDivision[j].m_dPosition : 0.0;
            const CDPoint u = r.m_dWidth > 1e-6 ? Unit(r.m_ptLine1 - r.m_ptLine2) : f.LineDirection(t, kPi - r.m_dBaseAngle);
            for (int e = 0; e < 12; ++e) {
                if (!edges[e] || edges[e]->m_aPoints.empty()) {
                    r.m_aptEdge[e] = r.m_ptBase;
                    continue;
                }
                if (!MeetPolyline(r.m_ptBase, u, edges[e]->m_aPoints, &r.m_aptEdge[e]))
                    ok = 0;
            }
        }
    }
    CopyEdgesToSections(spans);
}

// ---- girder height profiles ----

void BuildGirderProfiles(const CPlanInput& in, std::vector<CPolyline2D>& profiles, int& ok)
{
    profiles.clear();
    if (in.nSpans <= 0)
        return;
    std::vector<double> spanStart(size_t(in.nSpans) + 1, 0.0);
    for (int s = 0; s < in.nSpans; ++s)
        spanStart[size_t(s) + 1] = spanStart[size_t(s)] + CleanSpanLength(in.adSpanLength[s]);

    // Definition points over the bridge: every support, then the change points of its span.
    struct Def { double X; int span; bool support; int index; };
    std::vector<Def> defs;
    int index = 0;
    for (int s = 0; s < in.nSpans; ++s) {
        const int count = in.bHeightWindow ? std::max(in.anPointCount[s], 0) : 0;
        defs.push_back({spanStart[size_t(s)], s, true, index++});
        for (int c = 0; c < count; ++c, ++index) {
            const double pos = index < int(in.adPointPos.size()) ? in.adPointPos[size_t(index)] : 0.0;
            defs.push_back({spanStart[size_t(s)] + (std::isfinite(pos) ? pos : 0.0), s, false, index});
        }
    }
    defs.push_back({spanStart[size_t(in.nSpans)], in.nSpans - 1, true, index});
    if (int(defs.size()) > kMaxHeightPoints) {
        defs.resize(size_t(kMaxHeightPoints));
        ok = 0;
    }
    const int N = int(defs.size());
    constexpr int kSteps = 100;
    const int G = std::clamp(in.nGirders, 0, kMaxGirders);
    profiles.assign(size_t(G), CPolyline2D());
    for (int g = 0; g < G; ++g) {
        std::vector<CDPoint> a(size_t(kSteps) * size_t(N - 1) + 1);
        for (int p = 0; p < N; ++p) {
            double h = in.adGirderHeight[g];
            if (in.nHeightVariation == 0 && in.bHeightWindow) {
                const int col = in.nBridgeType == 2 ? 0 : g;
                const int i = defs[size_t(p)].index;
                h = i < int(in.adPointHeight.size()) ? in.adPointHeight[size_t(i)][size_t(col)] : 1.0;
            }
            a[size_t(p)] = CDPoint(defs[size_t(p)].X, std::isfinite(h) ? h : 1.0);
        }
        if (in.nHeightInterpolation == 1)
            InterpolateSpline(a.data(), kSteps, N);
        else
            SubdivideLinear(a.data(), kSteps, N);
        CPolyline2D& line = profiles[size_t(g)];
        line.m_nSubdivisions = kSteps;
        line.m_aPoints.resize(a.size());
        for (int p = 0; p + 1 < N; ++p) {
            const Def& d = defs[size_t(p)];
            const double from = spanStart[size_t(d.span)];
            for (int m = 0; m < kSteps; ++m) {
                const size_t i = size_t(p) * kSteps + size_t(m);
                const double x = m == 0 && d.support ? 0.0 : a[i].x - from;
                line.m_aPoints[i] = CDPoint(x, a[i].y);
            }
        }
        const Def& end = defs.back();
        line.m_aPoints.back() = CDPoint(end.X - spanStart[size_t(end.span)], a.back().y);
        if (end.support && end.span == in.nSpans - 1)
            line.m_aPoints.back().x = CleanSpanLength(in.adSpanLength[end.span]);
    }
}

double MeanProfileHeight(const CPolyline2D& profile, const double* adSpanLength, int nSpans)
{
    const auto& p = profile.m_aPoints;
    if (p.empty())
        return 0.0;
    if (p.size() == 1)
        return p[0].y;
    double offset = 0.0;
    int span = 0;
    double prevX = p[0].x;
    double area = 0.0;
    for (size_t i = 1; i < p.size(); ++i) {
        // A point at x = 0 starts the next span.
        if (p[i].x == 0.0 && span < nSpans) {
            offset += CleanSpanLength(adSpanLength[span]);
            ++span;
        }
        const double X = offset + p[i].x;
        area += (X - prevX) * (p[i].y + p[i - 1].y) / 2.0;
        prevX = X;
    }
    const double total = prevX - p[0].x;
    return total > 1e-12 ? area / total : p[0].y;
}

void PlaceHeightChangePoints(int nSpans, const double* adSpanLength, const int* anCount, double* adPos, int nPos)
{
    int idx = 0;
    for (int s = 0; s < nSpans && idx < nPos; ++s) {
        adPos[idx++] = 0.0;
        const int c = std::max(anCount[s], 0);
        const double L = CleanSpanLength(adSpanLength[s]);
        bool fits = true;
        for (int i = 0; i < c && idx + i < nPos; ++i) {
            const double p = adPos[idx + i];
            fits = fits && p > 0.1 && p < L - 0.1 && (i == 0 || p > adPos[idx + i - 1]);
        }
        if (!fits)
            for (int i = 0; i < c && idx + i < nPos; ++i)
                adPos[idx + i] = L / (c + 1) * (i + 1);
        idx += c;
    }
    if (idx < nPos)
        adPos[idx] = 0.0;
}

}
