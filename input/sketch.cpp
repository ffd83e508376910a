#include "input/sketch.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace sketch {

Sketch::Sketch(CDC* dc, const CRect& rect, const Board& board) : m_dc(dc), m_board(board)
{
    if (board.clear)
        dc->FillSolidRect(rect, RGB(255, 255, 255));
    m_s = std::min(rect.Width() / board.width, rect.Height() / board.height);
    m_ox = rect.left + (rect.Width() - board.width * m_s) / 2.0;
    m_oy = rect.top + (rect.Height() - board.height * m_s) / 2.0;
    const int h = std::max(9, int(std::lround(board.fontSize * m_s)));
    m_font.CreateFont(-h, 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ Ｐゴシック"));
    m_bold.CreateFont(-h, 0, 0, 0, FW_BOLD, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0, QStringLiteral("ＭＳ Ｐゴシック"));
    m_pOldFont = dc->SelectObject(&m_font);
    dc->SetBkMode(TRANSPARENT);
}

Sketch::~Sketch()
{
    m_dc->SelectObject(m_pOldFont);
}

CPoint Sketch::P(double x, double y) const
{
    return CPoint(int(std::lround(m_ox + x * m_s)), int(std::lround(m_oy + y * m_s)));
}

void Sketch::Shape(std::initializer_list<std::pair<double, double>> pts, COLORREF fill, COLORREF ink)
{
    std::vector<CPoint> p;
    for (const auto& [x, y] : pts)
        p.push_back(P(x, y));
    CPen pen(PS_SOLID, 1, ink);
    CBrush brush(fill);
    CPen* oldPen = m_dc->SelectObject(&pen);
    CBrush* oldBrush = m_dc->SelectObject(&brush);
    m_dc->Polygon(p.data(), int(p.size()));
    m_dc->SelectObject(oldBrush);
    m_dc->SelectObject(oldPen);
}

void Sketch::Box(double l, double t, double r, double b, COLORREF fill, COLORREF ink)
{
    Shape({{l, t}, {r, t}, {r, b}, {l, b}}, fill, ink);
}

void Sketch::Circle(double x, double y, double radius, COLORREF fill, COLORREF ink)
{
    CPen pen(PS_SOLID, 1, ink);
    CBrush brush(fill);
    CPen* oldPen = m_dc->SelectObject(&pen);
    CBrush* oldBrush = m_dc->SelectObject(&brush);
    const CPoint a = P(x - radius, y - radius), b = P(x + radius, y + radius);
    m_dc->Ellipse(a.x, a.y, b.x, b.y);
    m_dc->SelectObject(oldBrush);
    m_dc->SelectObject(oldPen);
}

void Sketch::Bar(double xa, double ya, double xb, double yb, double w, COLORREF fill, COLORREF ink)
{
    const double len = std::hypot(xb - xa, yb - ya);
    if (len <= 0.0)
        return;
    const double nx = -(yb - ya) / len * w / 2.0, ny = (xb - xa) / len * w / 2.0;
    Shape({{xa + nx, ya + ny}, {xb + nx, yb + ny}, {xb - nx, yb - ny}, {xa - nx, ya - ny}}, fill, ink);
}

void Sketch::Line(double xa, double ya, double xb, double yb, COLORREF color, int width, int style)
{
    CPen pen(style, width, color);
    CPen* old = m_dc->SelectObject(&pen);
    m_dc->MoveTo(P(xa, ya));
    m_dc->LineTo(P(xb, yb));
    m_dc->SetPixel(P(xb, yb), color);      // the end point too
    m_dc->SelectObject(old);
}

void Sketch::Text(double x, double y, UINT align, const QString& text, COLORREF color, bool bold)
{
    CFont* old = bold ? m_dc->SelectObject(&m_bold) : nullptr;
    m_dc->SetTextColor(color);
    m_dc->SetTextAlign(align);
    const CPoint p = P(x, y);
    m_dc->TextOut(p.x, p.y, text);
    if (old)
        m_dc->SelectObject(old);
}

void Sketch::Tick(double x, double y, COLORREF color, int width)
{
    Line(x - 3, y + 3, x + 3, y - 3, color, width);
}

COLORREF Sketch::DimLine(double xa, double ya, double xb, double yb, bool marked)
{
    const COLORREF c = marked ? kMarked : kDim;
    const int w = marked ? 2 : 1;
    Line(xa, ya, xb, yb, c, w);
    Tick(xa, ya, c, w);
    Tick(xb, yb, c, w);
    return c;
}

void Sketch::HDim(double xa, double xb, double y, const QString& name, bool marked)
{
    const COLORREF c = DimLine(xa, y, xb, y, marked);
    if (!name.isEmpty())
        Text((xa + xb) / 2.0, y - 1.0, TA_CENTER | TA_BOTTOM, name, c, marked);
}

void Sketch::Extension(double xa, double ya, double xb, double yb)
{
    Line(xa, ya, xb, yb, kExtension, 1, PS_DOT);
}

}
