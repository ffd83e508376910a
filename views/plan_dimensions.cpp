// The plan's dimension runs: the span and panel lengths along a line beside the girders.
#include "views/plan_labels.h"

#include "framework/format.h"
#include "views/drawing_helpers.h"
#include "views/label_layout.h"
#include "views/plan_view.h"

#include <algorithm>
#include <cmath>

using namespace plan;

namespace {

// Offset of a dimension line from the base line: beside the first girder, or across the
// whole plan when the scale is reversed.
double DimensionOffset(const CMarivoltenDoc& doc, int spans, double c)
{
    double avg = 0.0, spread = 0.0;
    for (int i = 0; i < spans; ++i) {
        const CSpanData& sp = doc.m_aSpans[size_t(i)];
        if (!sp.m_aGirderLines.empty()) {
            const CGirderLineRecord& g = sp.m_aGirderLines.front();
            avg += std::hypot(sp.m_base.m_ptStart.x - g.m_ptStart.x, sp.m_base.m_ptStart.y - g.m_ptStart.y) +
                   std::hypot(sp.m_base.m_ptEnd.x - g.m_ptEnd.x, sp.m_base.m_ptEnd.y - g.m_ptEnd.y);
        }
        spread = std::max({spread, sp.m_dHalfSpread[0], sp.m_dHalfSpread[1]});
    }
    // Both ends of every span, over the number of spans.
    avg /= std::max(spans, 1);
    return doc.m_bPlanScaleReversed == 1 ? -(g_nGirders * spread + c) : avg + c;
}

// Walks the panel points, turning the offset along each transverse line.
struct DimensionWalker {
    double m_dSlope = 0.0;      // kept where a transverse line has no length
    CDPoint Point(const CPanelPointRecord& pp, bool first, double d)
    {
        const double dx = pp.m_ptLine2.x - pp.m_ptLine1.x, dy = pp.m_ptLine2.y - pp.m_ptLine1.y;
        if (dx * dx + dy * dy >= 1e-8) {
            if (std::fabs(dx) >= 1e-6)
                m_dSlope = dy / dx;
            else if (std::fabs(dy) < 1e-6)
                m_dSlope = 0.0;
            else
                m_dSlope = (dx == 0.0 || (dx > 0) == (dy > 0)) ? 1.0 / 1e-6 : -1.0 / 1e-6;
        }
        double a = m_dSlope <= 999999.0 ? std::atan(m_dSlope) : 1.570796326795;
        if (pp.m_ptLine1.x < pp.m_ptBase.x)
            a -= kPi;
        a -= kPi / 2 - std::fabs(pp.m_dBaseAngle);
        if (first)
            a = kPi / 2;
        return Polar(pp.m_ptBase, a, d);
    }
};

CPoint Scaled(const CPlanTransform& t, CDPoint turned)
{
    return CPoint(t.m_ptOrigin.x + int(turned.x * t.m_dScale), t.m_ptOrigin.y + int(turned.y * t.m_dScale));
}

// The corners of a dimension value at its anchor: outside the line, or inside it where the
// scale is reversed, on a sideways page turned with the plan as it would stand on an upright
// one; then, where the line runs aslant under the text (the plan turned or curved), beside the
// line on the same side, clear of it, and farther out row by row. `along` is the line's
// direction there.
std::vector<CPoint> DimensionCorners(CDC* pDC, CPoint at, const QString& text, bool reversed, int nEscapement,
                                     CDPoint along)
{
    const CSize ext = pDC->GetTextExtent(text);
    const CPoint upright(at.x - ext.cx / 2, reversed ? at.y - ext.cy / 2 : at.y + ext.cy);
    std::vector<CPoint> corners{TurnedCorner(nEscapement, at, upright)};
    const double len = std::hypot(along.x, along.y);
    if (len <= 0.0)
        return corners;
    const CRect cell = TextCell(pDC, nEscapement, 0, 0, text);
    const CPoint usual = TextCell(pDC, nEscapement, corners[0].x, corners[0].y, text).CenterPoint();
    CDPoint normal(-along.y / len, along.x / len);
    if (normal.x * (usual.x - at.x) + normal.y * (usual.y - at.y) < 0.0)
        normal = CDPoint(-normal.x, -normal.y);
    // Where the values stand closer than their widths, rows farther out, led back, and in
    // them a value's width to either side.
    const double r = (std::fabs(normal.x) * cell.Width() + std::fabs(normal.y) * cell.Height()) / 2.0 + kTouch;
    const double row = 1.25 * ext.cy;
    const CDPoint side(along.x / len, along.y / len);
    const double aside = std::fabs(side.x) * cell.Width() + std::fabs(side.y) * cell.Height() + ext.cy / 2.0;
    // Last, the same rows on the line's other side: on a curve the side above may face the deck.
    for (int facing : {1, -1})
        for (int shift : {0, 1, -1, 2, -2})
            for (int k = shift == 0 ? 0 : 1; k < 6; ++k) {
                const double n = facing * (r + k * row), a = shift * aside;
                const CPoint centre(at.x + int(std::lround(normal.x * n + side.x * a)),
                                    at.y + int(std::lround(normal.y * n + side.y * a)));
                corners.emplace_back(centre.x - cell.CenterPoint().x, centre.y - cell.CenterPoint().y);
            }
    return corners;
}

// What both dimension layers set up: their pen and font, a transparent background put back
// at the end, the plan's transform and the line's offset from the girders.
// The values written dScale of their font's size where it is below 1.
struct DimensionPass {
    DimensionPass(CDC* pDC, CFont* pFont, const CPlanTransform& transform, const CMarivoltenDoc& doc, double c,
                  double dScale)
        : pen(PS_SOLID, 1, RGB(255, 192, 192)), selPen(pDC, &pen), selFont(pDC, pFont),
          selSmall(pDC, Smaller(pDC, dScale)), dc(pDC), oldMode(pDC->SetBkMode(TRANSPARENT)), t(transform),
          reversed(doc.m_bPlanScaleReversed == 1), spans(BuiltSpans(doc)), d(DimensionOffset(doc, spans, c))
    {
    }
    ~DimensionPass() { dc->SetBkMode(oldMode); }
    CFont* Smaller(CDC* pDC, double dScale)
    {
        CFont* font = pDC->GetCurrentFont();
        if (!font || !(dScale < 1.0))
            return nullptr;
        LOGFONT lf = font->LogFont();
        lf.lfHeight = LONG(std::lround(lf.lfHeight * dScale));
        lf.lfWidth = LONG(std::lround(lf.lfWidth * dScale));
        small.CreateFontIndirect(&lf);
        return &small;
    }
    CPen pen;
    Selected<CPen> selPen;
    Selected<CFont> selFont;
    CFont small;
    Selected<CFont> selSmall;
    CDC* dc;
    int oldMode;
    CPlanTransform t;
    bool reversed;
    int spans;
    double d;
    DimensionWalker walk;
};

void DimensionRun(CDC* pDC, const CPlanTransform& t, const CSpanData& sp, double d, CDPoint q0, CDPoint q1,
                  bool bChords)
{
    const CPoint a = t.Map(q0), b = t.Map(q1);
    if (!sp.m_bCurvedBaseLine) {
        pDC->MoveTo(a);
        pDC->LineTo(b);
        return;
    }
    const CPoint c = t.Map(sp.m_base.m_ptCentre);
    const int r = int((sp.m_dRadius - d) * t.m_dScale);
    const int ar = std::abs(r);
    const CRect box(c.x - ar, c.y - ar, c.x + ar, c.y + ar);
    if (bChords) {
        const std::vector<int> args{box.left, box.top, box.right, box.bottom, r > 0 ? a.x : b.x, r > 0 ? a.y : b.y,
                                    r > 0 ? b.x : a.x, r > 0 ? b.y : a.y};
        const std::vector<CPoint> points = ArcPoints(args, 32);
        if (points.size() >= 2)
            pDC->Polyline(points.data(), int(points.size()));
    } else if (r > 0)
        pDC->Arc(box, a, b);
    else
        pDC->Arc(box, b, a);
}

} // namespace

int CPlanDrawer::DrawSpanDimensions(CDC* pDC, CMarivoltenDoc* pDoc, int bShow)
{
    if (bShow != 1)
        return 0;
    DimensionPass pass(pDC, m_pDimensionFont, Transform(*pDoc), *pDoc, 10.0, m_dDimensionScale);
    const CPlanTransform& t = pass.t;
    const double d = pass.d;
    for (int i = 0; i < pass.spans; ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        const int n = PanelPoints(sp) - 1;
        if (n < 1)
            continue;
        CDPoint q0, qn, prevTurned, label, along;
        for (int j = 0; j <= n; ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            const CDPoint q = pass.walk.Point(pp, i == 0 && j == 0, d);
            const CDPoint qt = t.Turn(q);
            if (j == 0 || j == n) {
                pDC->MoveTo(t.Map(pp.m_ptBase));
                pDC->LineTo(t.Map(q));
                (j == 0 ? q0 : qn) = q;
            }
            if (j == (n + 1) / 2) {
                label = n % 2 == 0 ? qt : (prevTurned + qt) * 0.5;
                along = CDPoint(qt.x - prevTurned.x, qt.y - prevTurned.y);
            }
            prevTurned = qt;
        }
        DimensionRun(pDC, t, sp, d, q0, qn, m_bArcsAsChords);
        const CPoint at = Scaled(t, label);
        const QString text = AfxFormat("%.0f", sp.m_dSpanLength * 1000.0);
        WriteLabel(pDC, *pDoc, DimensionCorners(pDC, at, text, pass.reversed, TextEscapement(*pDoc), along), text,
                   at, LabelKind::Dimension);
    }
    return 1;
}

int CPlanDrawer::DrawPanelDimensions(CDC* pDC, CMarivoltenDoc* pDoc, int bShow)
{
    if (bShow != 1)
        return 0;
    DimensionPass pass(pDC, m_pDimensionFont, Transform(*pDoc), *pDoc, 7.0, m_dDimensionScale);
    const CPlanTransform& t = pass.t;
    const double d = pass.d;
    for (int i = 0; i < pass.spans; ++i) {
        const CSpanData& sp = pDoc->m_aSpans[size_t(i)];
        const int n = PanelPoints(sp) - 1;
        if (n < 1)
            continue;
        CDPoint q0, q, prevTurned;
        for (int j = 0; j <= n; ++j) {
            const CPanelPointRecord& pp = sp.m_aPanelPoints[size_t(j)];
            q = pass.walk.Point(pp, i == 0 && j == 0, d);
            const CDPoint qt = t.Turn(q);
            pDC->MoveTo(t.Map(pp.m_ptBase));
            pDC->LineTo(t.Map(q));
            if (j == 0)
                q0 = q;
            else if (j - 1 < int(sp.m_pdPanelLength.size())) {
                const CPoint at = Scaled(t, (prevTurned + qt) * 0.5);
                const QString text = AfxFormat("%.0f", sp.m_pdPanelLength[size_t(j - 1)] * 1000.0);
                WriteLabel(pDC, *pDoc,
                           DimensionCorners(pDC, at, text, pass.reversed, TextEscapement(*pDoc),
                                            CDPoint(qt.x - prevTurned.x, qt.y - prevTurned.y)),
                           text, at, LabelKind::Dimension);
            }
            prevTurned = qt;
        }
        DimensionRun(pDC, t, sp, d, q0, q, m_bArcsAsChords);
    }
    return 1;
}
