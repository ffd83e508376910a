#include "input/panel_picture.h"
#include "framework/dc.h"
#include "framework/gdi.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979;

struct Pt {
    double x = 0.0, y = 0.0;
};
Pt operator+(Pt a, Pt b) { return {a.x + b.x, a.y + b.y}; }
Pt operator-(Pt a, Pt b) { return {a.x - b.x, a.y - b.y}; }
Pt operator*(Pt a, double k) { return {a.x * k, a.y * k}; }
Pt Dir(double a) { return {std::cos(a), std::sin(a)}; }

struct Case {
    bool singleBox = false;
    bool arcGirders = false;
    bool arcBase = false;
    int crossBeams = 0;
};

bool CaseOf(int id, Case* c)
{
    switch (id) {
    case 131: *c = {false, false, false, 0}; return true;
    case 132: *c = {false, false, false, 1}; return true;
    case 133: *c = {false, false, false, 2}; return true;
    case 134: *c = {false, false, true, 0}; return true;
    case 182: *c = {false, false, true, 1}; return true;
    case 153: *c = {false, false, true, 2}; return true;
    case 1948: *c = {false, false, true, 3}; return true;
    case 157: *c = {false, true, false, 0}; return true;
    case 154: *c = {false, true, true, 0}; return true;
    case 155: *c = {false, true, true, 1}; return true;
    case 156: *c = {false, true, true, 2}; return true;
    case 1493: *c = {true, false, false, 0}; return true;
    case 1494: *c = {true, false, true, 0}; return true;
    case 1495: *c = {true, true, true, 0}; return true;
    default: return false;
    }
}

// The sketch in model units, y up: a span of 10 along x in five panels, the base line
// through the middle of the girders, the start support at 65 degrees and the end one at
// 105 so that the two skews read apart.
struct Sketch {
    static constexpr double kSpan = 10.0;
    static constexpr int kPanels = 5;
    static constexpr double kRadius = 13.0;
    static constexpr double kTheta1 = 65.0 * kPi / 180.0;
    static constexpr double kTheta2 = 105.0 * kPi / 180.0;

    explicit Sketch(const Case& c) : m_case(c)
    {
        if (c.singleBox)
            m_offsets = {1.0, -1.0};
        else
            m_offsets = {2.25, 0.75, -0.75, -2.25};
        for (double o : m_offsets)
            m_girders.push_back(Girder(o));
    }

    // The base line: its point and tangent angle at distance s from the start.
    Pt Base(double s) const
    {
        if (!m_case.arcBase)
            return {s, 0.0};
        const double a = (s - kSpan / 2.0) / kRadius;
        return Centre() + Pt{std::sin(a), std::cos(a)} * kRadius;
    }
    double Tangent(double s) const { return m_case.arcBase ? -(s - kSpan / 2.0) / kRadius : 0.0; }
    Pt Centre() const { return {kSpan / 2.0, -kRadius}; }

    // The line through the base point at s, turned psi from the tangent, at offset o.
    Pt Station(double s, double psi, double o) const
    {
        return Base(s) + Dir(Tangent(s) + psi) * (o / std::sin(psi));
    }

    // A girder as points: a chord between its ends on the support lines, or an arc about
    // the base line's centre (about a far centre when the base line is straight).
    std::vector<Pt> Girder(double o) const
    {
        const Pt a = Station(0.0, kTheta1, o);
        const Pt b = Station(kSpan, kTheta2, o);
        if (!m_case.arcGirders)
            return {a, b};
        // The arc through both ends with the base line's radius less the offset.
        const double r = m_case.arcBase ? kRadius + o : 2.2 * kRadius;
        const Pt mid = (a + b) * 0.5;
        const Pt along = b - a;
        const double c = std::hypot(along.x, along.y);
        const Pt n{-along.y / c, along.x / c};
        const double h = std::sqrt(std::max(r * r - c * c / 4.0, 0.0));
        const Pt centre = mid - n * h;
        const double a0 = std::atan2(a.y - centre.y, a.x - centre.x);
        const double a1 = std::atan2(b.y - centre.y, b.x - centre.x);
        std::vector<Pt> pts;
        for (int i = 0; i <= 40; ++i)
            pts.push_back(centre + Dir(a0 + (a1 - a0) * i / 40.0) * r);
        return pts;
    }

    // Where the line from p along u meets the girder; false when it does not.
    static bool Meet(const std::vector<Pt>& g, Pt p, Pt u, Pt* out)
    {
        for (size_t i = 0; i + 1 < g.size(); ++i) {
            const Pt d = g[i + 1] - g[i];
            const double den = u.x * d.y - u.y * d.x;
            if (std::fabs(den) < 1e-12)
                continue;
            const Pt w = g[i] - p;
            const double k = (w.x * u.y - w.y * u.x) / den;   // along the segment
            if (k < -1e-9 || k > 1.0 + 1e-9)
                continue;
            *out = g[i] + d * k;
            return true;
        }
        return false;
    }

    // The direction of the cross beam at the panel point s, as an angle from the tangent.
    double CrossBeamAngle(double s) const
    {
        switch (m_case.crossBeams) {
        case 1: return kTheta1;
        case 2: return kTheta2;
        case 3:
            if (!m_case.arcGirders) {
                const Pt d = m_girders.front().back() - m_girders.front().front();
                return std::atan2(d.y, d.x) + kPi / 2.0 - Tangent(s);
            }
            return kPi / 2.0;
        default: return kPi / 2.0;
        }
    }

    Case m_case;
    std::vector<double> m_offsets;
    std::vector<std::vector<Pt>> m_girders;
};

// Model to pixels: the sketch's extent fitted into the rectangle, y turned down.
class Mapper {
public:
    // Room is kept at the left for the girders' names and at the right for the base line's.
    Mapper(const CRect& r, double x0, double y0, double x1, double y1)
    {
        const double left = r.left + 30.0, right = r.right - 48.0, top = r.top + 12.0, bottom = r.bottom - 12.0;
        const double w = std::max(right - left, 1.0), h = std::max(bottom - top, 1.0);
        m_k = std::min(w / (x1 - x0), h / (y1 - y0));
        m_ox = (left + right) / 2.0 - (x0 + x1) / 2.0 * m_k;
        m_oy = (top + bottom) / 2.0 + (y0 + y1) / 2.0 * m_k;
    }
    CPoint operator()(Pt p) const { return CPoint(int(std::lround(m_ox + p.x * m_k)), int(std::lround(m_oy - p.y * m_k))); }
    double Scale() const { return m_k; }

private:
    double m_k = 1.0, m_ox = 0.0, m_oy = 0.0;
};

void Polyline(CDC* dc, const Mapper& map, const std::vector<Pt>& pts)
{
    std::vector<CPoint> px;
    for (const Pt& p : pts)
        px.push_back(map(p));
    dc->Polyline(px.data(), int(px.size()));
}

void Segment(CDC* dc, const Mapper& map, Pt a, Pt b) { Polyline(dc, map, {a, b}); }

void Label(CDC* dc, CPoint at, const QString& text, UINT align)
{
    dc->SetTextAlign(align);
    dc->TextOut(at.x, at.y, text);
}

// The skew mark where the support line meets the first girder: a small arc from the base
// line's direction round to the support line, outside the framing.
void SkewMark(CDC* dc, const Mapper& map, const Sketch& sk, double s, double psi, const QString& name)
{
    const Pt p = sk.Station(s, psi, sk.m_offsets.front());
    const double t = sk.Tangent(s);
    const double r = 0.7;
    std::vector<Pt> arc;
    for (int i = 0; i <= 12; ++i)
        arc.push_back(p + Dir(t + psi * i / 12.0) * r);
    Polyline(dc, map, arc);
    const Pt at = p + Dir(t + psi / 2.0) * (r + 0.45);
    Label(dc, map(at), name, TA_CENTER | TA_BASELINE);
}

}

int PanelPictureId(int nBridgeType, int nGirderLine, int nCrossBeamDir, int nBaseLine)
{
    const bool arcBase = nBaseLine != 0;
    if (nBridgeType == 2) {
        if (nGirderLine == 0)
            return arcBase ? 1494 : 1493;
        return arcBase ? 1495 : 157;
    }
    if (nGirderLine == 0) {
        switch (nCrossBeamDir) {
        case 1: return arcBase ? 182 : 132;
        case 2: return arcBase ? 153 : 133;
        case 3: return arcBase ? 1948 : 133;
        default: return arcBase ? 134 : 131;
        }
    }
    if (!arcBase)
        return 157;
    switch (nCrossBeamDir) {
    case 1: return 155;
    case 2: return 156;
    default: return 154;
    }
}

void DrawPanelPicture(CDC* pDC, const CRect& rect, int nPictureId)
{
    Case c;
    if (!CaseOf(nPictureId, &c) || rect.Width() < 40 || rect.Height() < 30)
        return;
    const Sketch sk(c);

    // The extent: the girders, the support lines a little past them, the base line's ends.
    const double reach = sk.m_offsets.front() + 0.8;
    std::vector<Pt> extent;
    for (const auto& g : sk.m_girders)
        extent.insert(extent.end(), g.begin(), g.end());
    for (double o : {reach, -reach}) {
        extent.push_back(sk.Station(0.0, Sketch::kTheta1, o));
        extent.push_back(sk.Station(Sketch::kSpan, Sketch::kTheta2, o));
    }
    extent.push_back(sk.Base(-0.6));
    extent.push_back(sk.Base(Sketch::kSpan + 0.6));
    const Pt mid = sk.Base(Sketch::kSpan / 2.0);
    const Pt foot = mid + (sk.Centre() - mid) * ((reach + 0.3) / Sketch::kRadius);
    if (c.arcBase)
        extent.push_back(foot);
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (const Pt& p : extent) {
        x0 = std::min(x0, p.x);
        x1 = std::max(x1, p.x);
        y0 = std::min(y0, p.y);
        y1 = std::max(y1, p.y);
    }
    const Mapper map(rect, x0, y0, x1, y1);

    CFont font;
    font.CreateFont(-std::clamp(rect.Height() / 14, 10, 14), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                    QStringLiteral("ＭＳ ゴシック"));
    CFont* oldFont = pDC->SelectObject(&font);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    const COLORREF oldColor = pDC->SetTextColor(RGB(0, 0, 0));
    const UINT oldAlign = pDC->GetTextAlign();

    // A single box: its plan between the webs, lightly filled.
    if (c.singleBox) {
        std::vector<CPoint> outline;
        for (const Pt& p : sk.m_girders.front())
            outline.push_back(map(p));
        const auto& back = sk.m_girders.back();
        for (auto it = back.rbegin(); it != back.rend(); ++it)
            outline.push_back(map(*it));
        CBrush fill(RGB(220, 232, 250));
        CPen none(PS_NULL, 0, 0);
        CBrush* oldBrush = pDC->SelectObject(&fill);
        CPen* oldPen = pDC->SelectObject(&none);
        pDC->Polygon(outline.data(), int(outline.size()));
        pDC->SelectObject(oldPen);
        pDC->SelectObject(oldBrush);
    }

    // Cross beams at the inner panel points, from the first girder to the last.
    {
        CPen pen(PS_SOLID, 1, RGB(0, 130, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        for (int j = 1; j < Sketch::kPanels; ++j) {
            const double s = Sketch::kSpan * j / Sketch::kPanels;
            const Pt p = sk.Base(s);
            const Pt u = Dir(sk.Tangent(s) + sk.CrossBeamAngle(s));
            Pt a, b;
            if (Sketch::Meet(sk.m_girders.front(), p, u, &a) && Sketch::Meet(sk.m_girders.back(), p, u, &b))
                Segment(pDC, map, a, b);
        }
        pDC->SelectObject(oldPen);
    }

    // The framework base line, dash-dotted, a little past both supports.
    {
        CPen pen(PS_DASHDOT, 1, RGB(210, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        std::vector<Pt> base;
        for (int i = 0; i <= 40; ++i)
            base.push_back(sk.Base(-0.6 + (Sketch::kSpan + 1.2) * i / 40.0));
        Polyline(pDC, map, base);
        pDC->SelectObject(oldPen);
    }

    // Girders.
    {
        CPen pen(PS_SOLID, 2, RGB(0, 0, 170));
        CPen* oldPen = pDC->SelectObject(&pen);
        for (const auto& g : sk.m_girders)
            Polyline(pDC, map, g);
        pDC->SelectObject(oldPen);
    }

    // Support lines at their skew.
    {
        CPen pen(PS_SOLID, 2, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        Segment(pDC, map, sk.Station(0.0, Sketch::kTheta1, reach), sk.Station(0.0, Sketch::kTheta1, -reach));
        Segment(pDC, map, sk.Station(Sketch::kSpan, Sketch::kTheta2, reach),
                sk.Station(Sketch::kSpan, Sketch::kTheta2, -reach));
        pDC->SelectObject(oldPen);
    }

    // Skew marks, the girders' names, and the radius where the base line is an arc.
    {
        CPen pen(PS_SOLID, 1, RGB(90, 90, 90));
        CPen* oldPen = pDC->SelectObject(&pen);
        pDC->SetTextColor(RGB(60, 60, 60));
        SkewMark(pDC, map, sk, 0.0, Sketch::kTheta1, QStringLiteral("θ1"));
        SkewMark(pDC, map, sk, Sketch::kSpan, Sketch::kTheta2, QStringLiteral("θ2"));
        pDC->SetTextColor(RGB(0, 0, 170));
        if (c.singleBox) {
            const CPoint at = map(sk.Station(0.0, Sketch::kTheta1, sk.m_offsets.front() / 2.0));
            Label(pDC, CPoint(at.x - 8, at.y + 4), QStringLiteral("BOX"), TA_RIGHT | TA_BASELINE);
        } else {
            for (size_t g = 0; g < sk.m_girders.size(); ++g) {
                const CPoint at = map(sk.m_girders[g].front());
                Label(pDC, CPoint(at.x - 6, at.y + 4), QStringLiteral("G%1").arg(g + 1), TA_RIGHT | TA_BASELINE);
            }
        }
        pDC->SetTextColor(RGB(210, 0, 0));
        if (c.arcBase) {
            // Towards the centre, which lies far below the picture, with an arrow head on the base line.
            CPen dash(PS_DASH, 1, RGB(210, 0, 0));
            pDC->SelectObject(&dash);
            Segment(pDC, map, mid, foot);
            CPen head(PS_SOLID, 1, RGB(210, 0, 0));
            pDC->SelectObject(&head);
            Segment(pDC, map, mid, mid + Pt{-0.15, -0.35});
            Segment(pDC, map, mid, mid + Pt{0.15, -0.35});
            const CPoint at = map(foot);
            Label(pDC, CPoint(at.x + 4, at.y), QStringLiteral("R"), TA_LEFT | TA_BOTTOM);
            pDC->SelectObject(&pen);
        }
        const CPoint end = map(sk.Base(Sketch::kSpan + 0.6));
        Label(pDC, CPoint(end.x + 3, end.y + 4), QStringLiteral("基本線"), TA_LEFT | TA_BASELINE);
        pDC->SelectObject(oldPen);
    }

    pDC->SetTextAlign(oldAlign);
    pDC->SetTextColor(oldColor);
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
}
