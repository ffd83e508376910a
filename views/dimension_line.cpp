#include "views/dimension_line.h"
#include "views/label_layout.h"

#include "framework/format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A label on its line beyond an end keeps this far from it (logical units).
constexpr int kEndGap = 6;

}

CDimensionLine::CDimensionLine()
{
    m_font.CreateFont(36, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS,
                      DEFAULT_QUALITY, DEFAULT_PITCH, QStringLiteral("ＭＳ 明朝"));
}

CDimensionLine::CDimensionLine(int nPenStyle, int nEndMarkStyle, COLORREF crColor, int bShowLabel)
    : CDimensionLine()
{
    m_nPenStyle = nPenStyle;
    m_nEndMarkStyle = nEndMarkStyle;
    m_crColor = crColor;
    m_bShowLabel = bShowLabel;
}

CDimensionLine::~CDimensionLine() = default;

CPoint CDimensionLine::Logical(CDPoint p, int xOff, int yOff, CDPoint scale) const
{
    const CDPoint s = p.ScalePoint(scale);
    return CPoint(xOff + int(s.x), yOff + int(s.y));
}

CSize CDimensionLine::LabelOffset(int nLabelPos, int nWidth) const
{
    // Beside the line the label's near edge keeps the gap, whatever its width.
    const int ox = nWidth / 2 + m_sizeTextOffset.cx, oy = m_sizeTextOffset.cy;
    switch (nLabelPos) {
    case 1: return CSize(-ox, oy);
    case 2: return CSize(0, oy);
    case 3: return CSize(ox, oy);
    case 4: return CSize(ox, 0);
    case 5: return CSize(ox, -oy);
    case 6: return CSize(0, -oy);
    case 7: return CSize(-ox, -oy);
    case 8: return CSize(-ox, 0);
    default: return CSize(0, 0);
    }
}

QString CDimensionLine::LabelText(CDPoint p1, CDPoint p2)
{
    const double len = std::sqrt((p2.x - p1.x) * (p2.x - p1.x) + (p2.y - p1.y) * (p2.y - p1.y));
    return AfxFormat("%0.0f", len * 1000.0);
}

bool CDimensionLine::RotateSegment(double dAngle, int x1, int y1, int x2, int y2, CRect* pOut)
{
    // Only quarter turns keep the page's axes; anything else has no sideways page.
    const double quarters = dAngle / 90.0;
    if (quarters != std::floor(quarters) || std::fabs(quarters) > 1e6)
        return false;
    int S = 0, C = 0;
    switch (((int(quarters) % 4) + 4) % 4) {
    case 0: C = 1; break;
    case 1: S = 1; break;
    case 2: C = -1; break;
    default: S = -1; break;
    }
    auto turn = [&](int x, int y) { return CPoint(-(x * C - y * S) - 420, -(x * S + y * C) - 2384); };
    const CPoint a = turn(x1, y1), b = turn(x2, y2);
    *pOut = CRect(a.x, a.y, b.x, b.y);
    return true;
}

int CDimensionLine::TurnedEscapement(double dAngle)
{
    // The sideways rule turns the drawing by the angle and then half round (the reflection of
    // both axes), so its texts turn by the same to read along their lines.
    return ((int(dAngle) + 180) % 360 + 360) % 360 * 10;
}

void CDimensionLine::Draw(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale, int nLabelPos)
{
    CPen pen(m_nPenStyle, m_nPenWidth, m_crColor);
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(Logical(p1, xOff, yOff, scale));
    pDC->LineTo(Logical(p2, xOff, yOff, scale));
    DrawEndMarks(pDC, p1, p2, xOff, yOff, scale);
    if (m_bShowLabel)
        DrawLabel(pDC, p1, p2, xOff, yOff, scale, nLabelPos);
    pDC->SelectObject(old);
}

void CDimensionLine::DrawAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff,
                                CDPoint scale, int nLabelPos)
{
    const CPoint a = Logical(p1, xOff, yOff, scale), b = Logical(p2, xOff, yOff, scale);
    CRect r;
    if (!RotateSegment(dAngle, a.x, a.y, b.x, b.y, &r))
        return;
    CPen pen(m_nPenStyle, m_nPenWidth, m_crColor);
    CPen* old = pDC->SelectObject(&pen);
    pDC->MoveTo(r.left, r.top);
    pDC->LineTo(r.right, r.bottom);
    DrawEndMarksAngled(dAngle, pDC, p1, p2, xOff, yOff, scale);
    if (m_bShowLabel)
        DrawLabelAngled(dAngle, pDC, p1, p2, xOff, yOff, scale, nLabelPos);
    pDC->SelectObject(old);
}

int CDimensionLine::MarkStrokes(CPoint P1, CPoint P2, Stroke* out) const
{
    if (m_nEndMarkStyle == 0)
        return 0;
    // Inward unit steps at both ends; marks only on upright or level lines.
    CPoint in1, in2;
    if (P1.x == P2.x) {
        in1 = CPoint(0, P1.y > P2.y ? -1 : 1);
    } else if (P1.y == P2.y) {
        in1 = CPoint(P1.x > P2.x ? -1 : 1, 0);
    } else {
        return 0;
    }
    in2 = CPoint(-in1.x, -in1.y);
    auto stroke = [](CPoint end, CPoint in, int a, int b, bool wide) {
        return Stroke{CPoint(end.x + in.x * a, end.y + in.y * a), CPoint(end.x + in.x * b, end.y + in.y * b), wide};
    };
    int n = 0;
    if (m_nEndMarkStyle == 1) {
        out[n++] = stroke(P1, in1, 11, 13, false);
        out[n++] = stroke(P2, in2, 11, 13, false);
    } else if (m_nEndMarkStyle == 2) {
        out[n++] = stroke(P2, in2, 11, 13, false);
        out[n++] = stroke(P2, in2, 13, 16, true);
    }
    return n;
}

void CDimensionLine::DrawEndMarks(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale)
{
    Stroke strokes[2];
    const int n = MarkStrokes(Logical(p1, xOff, yOff, scale), Logical(p2, xOff, yOff, scale), strokes);
    if (n == 0)
        return;
    CPen thin(PS_SOLID, 7, m_crColor), wide(PS_SOLID, 11, m_crColor);
    CPen* old = pDC->SelectObject(&thin);
    for (int i = 0; i < n; ++i) {
        pDC->SelectObject(strokes[i].wide ? &wide : &thin);
        pDC->MoveTo(strokes[i].a);
        pDC->LineTo(strokes[i].b);
    }
    pDC->SelectObject(old);
}

void CDimensionLine::DrawEndMarksAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff,
                                        CDPoint scale)
{
    Stroke strokes[2];
    const int n = MarkStrokes(Logical(p1, xOff, yOff, scale), Logical(p2, xOff, yOff, scale), strokes);
    CRect r;
    if (n == 0 || !RotateSegment(dAngle, 0, 0, 0, 0, &r))
        return;
    CPen thin(PS_SOLID, 7, m_crColor), wide(PS_SOLID, 11, m_crColor);
    CPen* old = pDC->SelectObject(&thin);
    for (int i = 0; i < n; ++i) {
        RotateSegment(dAngle, strokes[i].a.x, strokes[i].a.y, strokes[i].b.x, strokes[i].b.y, &r);
        pDC->SelectObject(strokes[i].wide ? &wide : &thin);
        pDC->MoveTo(r.left, r.top);
        pDC->LineTo(r.right, r.bottom);
    }
    pDC->SelectObject(old);
}

void CDimensionLine::DrawLabel(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale,
                               int nLabelPos)
{
    WriteLabel(false, 0.0, pDC, p1, p2, xOff, yOff, scale, nLabelPos);
}

void CDimensionLine::DrawLabelAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff,
                                     CDPoint scale, int nLabelPos)
{
    WriteLabel(true, dAngle, pDC, p1, p2, xOff, yOff, scale, nLabelPos);
}

void CDimensionLine::WriteLabel(bool turned, double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff,
                                CDPoint scale, int nLabelPos)
{
    CRect r;
    if (!RotateSegment(dAngle, 0, 0, 0, 0, &r))
        return;
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    CFont* oldFont = pDC->SelectObject(&m_font);
    const CDPoint s1 = p1.ScalePoint(scale), s2 = p2.ScalePoint(scale);
    const CPoint mid(xOff + int((s1.x + s2.x) / 2), yOff + int((s1.y + s2.y) / 2));
    const QString text = LabelText(p1, p2);
    const CSize ext = pDC->GetTextExtent(text);
    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    // Where the label's place is taken (another label, a line, the frame's edge), the same
    // place slid along the line, then the mirror place on the other side of it and slid
    // likewise, then on the line beyond either end: the label stays by its line. Where none
    // of them is clear, the label room finds it a place near by. (code, slide along the line
    // in logical units; code 0 centres it on the line.)
    const int mirror[9] = {0, 3, 6, 1, 8, 7, 2, 5, 4};
    const int place = nLabelPos >= 0 && nLabelPos <= 8 ? nLabelPos : 0;
    const double len = std::hypot(s2.x - s1.x, s2.y - s1.y);
    const double ux = len > 0.0 ? (s2.x - s1.x) / len : 0.0, uy = len > 0.0 ? (s2.y - s1.y) / len : 0.0;
    std::vector<std::pair<int, double>> places;
    // Beyond the ends, a touch away from them; the end on the usual place's side first.
    const double beyond = len / 2 + std::fabs(ux) * ext.cx / 2 + std::fabs(uy) * ext.cy / 2 + kEndGap;
    const CSize usual = LabelOffset(place, ext.cx);
    const CLabelRoom* room = CLabelRoom::Of(pDC);
    const double smaller = room ? room->TextScale() : 1.0;
    const double first = usual.cx * ux + usual.cy * uy < 0.0 ? -1.0 : 1.0;
    auto ends = [&] {
        if (len > 0.0)
            for (double sign : {first, -first})
                places.emplace_back(0, sign * beyond);
    };
    // A line shorter than a text is high has its ends as near as its other side.
    const bool shortLine = len < ext.cy;
    for (int code : {place, mirror[place]}) {
        places.emplace_back(code, 0.0);
        // Half a text height at a step, as long as the label's middle stays by the line.
        const double step = std::max(ext.cy / 2, 1);
        for (double along = step; along <= len / 2; along += step)
            for (double sign : {-1.0, 1.0})
                places.emplace_back(code, sign * along);
        if (shortLine && code == place)
            ends();
    }
    if (!shortLine)
        ends();
    // The usual place names the line's middle, each other the point of the line nearest the
    // label's middle there.
    const CPoint P1(xOff + int(s1.x), yOff + int(s1.y));
    auto nearest = [&](double cx, double cy) {
        const double t = len > 0.0 ? std::clamp(((cx - P1.x) * ux + (cy - P1.y) * uy) / len, 0.0, 1.0) : 0.0;
        return CPoint(P1.x + int(std::lround(t * (s2.x - s1.x))), P1.y + int(std::lround(t * (s2.y - s1.y))));
    };
    auto turn = [&](CPoint p) {
        if (turned) {
            RotateSegment(dAngle, p.x, p.y, 0, 0, &r);
            p = CPoint(r.left, r.top);
        }
        return p;
    };
    std::vector<CPoint> corners, named;
    for (const auto& [code, along] : places) {
        // A label written smaller stands as many of its heights off the line.
        const CSize offset = LabelOffset(code, ext.cx);
        const CSize d(int(std::lround(offset.cx * smaller)), int(std::lround(offset.cy * smaller)));
        const CPoint corner(mid.x - ext.cx / 2 + d.cx + int(ux * along), mid.y + ext.cy / 2 + d.cy + int(uy * along));
        // The turned label keeps the label font, written along the turned line.
        corners.push_back(turn(corner));
        named.push_back(named.empty() ? turn(mid) : turn(nearest(corner.x + ext.cx / 2.0, corner.y - ext.cy / 2.0)));
    }
    // Moved farther off, it is led back to the line's middle.
    const bool hidden = m_bHideZeroLabel == 1 && AfxAtof(text) == 0.0;
    if (!hidden && m_ledFrom) {
        const CDPoint s = m_ledFrom->ScalePoint(scale);
        WriteClear(pDC, turned ? TurnedEscapement(dAngle) : 0, corners, text,
                   turn(CPoint(xOff + int(s.x), yOff + int(s.y))), LabelKind::Dimension, {}, turn(mid));
    } else if (!hidden) {
        WriteClear(pDC, turned ? TurnedEscapement(dAngle) : 0, corners, text, turn(mid), LabelKind::Dimension, named);
    }
    pDC->SetBkMode(oldMode);
    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldPen);
}
