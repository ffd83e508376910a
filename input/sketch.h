// Drawing on a sketch board: pictures are laid out in board units, y downwards, and scaled
// into the picture rectangle, centred. Dimension lines, labels and the shared colours.
#pragma once

#include <initializer_list>
#include <utility>
#include "framework/dc.h"
#include "framework/gdi.h"

namespace sketch {

inline const COLORREF kInk = RGB(0, 0, 0);
inline const COLORREF kConcrete = RGB(226, 226, 222);
inline const COLORREF kPavement = RGB(96, 96, 96);
inline const COLORREF kSteel = RGB(176, 196, 222);
inline const COLORREF kSteelInk = RGB(30, 50, 100);
inline const COLORREF kDim = RGB(160, 0, 0);
inline const COLORREF kMarked = RGB(0, 0, 255);
inline const COLORREF kExtension = RGB(150, 150, 150);
inline const COLORREF kCaption = RGB(110, 110, 110);

struct Board {
    double width = 600.0, height = 330.0;
    double fontSize = 12.0;         // text height in board units (9 pixels at the least)
    bool clear = false;             // paint the rectangle white first
};

class Sketch {
public:
    Sketch(CDC* dc, const CRect& rect, const Board& board);
    ~Sketch();
    Sketch(const Sketch&) = delete;
    Sketch& operator=(const Sketch&) = delete;

    const Board& GetBoard() const { return m_board; }
    CPoint P(double x, double y) const;

    // A filled outline.
    void Shape(std::initializer_list<std::pair<double, double>> pts, COLORREF fill, COLORREF ink = kInk);
    void Box(double l, double t, double r, double b, COLORREF fill, COLORREF ink = kInk);
    void Circle(double x, double y, double radius, COLORREF fill, COLORREF ink);
    // A straight member of width w between two points.
    void Bar(double xa, double ya, double xb, double yb, double w, COLORREF fill, COLORREF ink);
    void Line(double xa, double ya, double xb, double yb, COLORREF color, int width = 1, int style = PS_SOLID);
    void Text(double x, double y, UINT align, const QString& text, COLORREF color, bool bold = false);

    void Tick(double x, double y, COLORREF color = kDim, int width = 1);
    // A dimension line with ticks at both ends, marked in blue and bold; returns its colour.
    COLORREF DimLine(double xa, double ya, double xb, double yb, bool marked);
    // A width between xa and xb on the line at y, its name (if any) above the middle.
    void HDim(double xa, double xb, double y, const QString& name, bool marked = false);
    void Extension(double xa, double ya, double xb, double yb);

private:
    CDC* m_dc;
    Board m_board;
    double m_s = 1.0, m_ox = 0.0, m_oy = 0.0;
    CFont m_font, m_bold;
    CFont* m_pOldFont = nullptr;
};

}
