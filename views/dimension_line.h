// A straight line on a drawing page: a dimension line with end marks and a label giving
// its length in millimetres, or a plain coloured line; upright or turned for a sideways page.
#pragma once

#include "framework/dc.h"
#include "framework/gdi.h"
#include "geometry/plan.h"

#include <optional>

class CDimensionLine {
public:
    CDimensionLine();
    CDimensionLine(int nPenStyle, int nEndMarkStyle, COLORREF crColor, int bShowLabel);
    virtual ~CDimensionLine();

    void SetPenWidth(int nWidth) { m_nPenWidth = nWidth; }
    void SetHideZeroLabel(int bHide) { m_bHideZeroLabel = bHide; }
    int GetHideZeroLabel() const { return m_bHideZeroLabel; }

    // Model points become xOff + trunc(p.x * scale.x), yOff + trunc(p.y * scale.y).
    void Draw(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale, int nLabelPos);
    // Turned by a multiple of 90 degrees onto a sideways page; any other angle draws nothing.
    void DrawAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale,
                    int nLabelPos);

    void DrawEndMarks(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale);
    void DrawLabel(CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale, int nLabelPos);
    void DrawEndMarksAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale);
    void DrawLabelAngled(double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff, CDPoint scale,
                         int nLabelPos);
    // The two points turned by the angle and placed on the sideways page, as (x1, y1, x2, y2).
    // Returns false for an angle that is not a multiple of 90 degrees.
    static bool RotateSegment(double dAngle, int x1, int y1, int x2, int y2, CRect* pOut);

    // Escapement (tenths of a degree) of a text turned with a drawing by the angle.
    static int TurnedEscapement(double dAngle);

    // Label text of the line between two model points (millimetres of metres).
    static QString LabelText(CDPoint p1, CDPoint p2);

    int m_nEndMarkStyle = 0;    // 0 none, 1 both ends, 2 second end only
    int m_nPenStyle = PS_SOLID;
    int m_nPenWidth = 1;
    COLORREF m_crColor = 0;
    int m_bShowLabel = 0;
    // A label beside its line keeps cx from it; one above or below stands with its middle cy
    // off the line's middle.
    CSize m_sizeTextOffset{8, 20};
    CFont m_font;
    int m_bHideZeroLabel = 0;
    // The point the line measures, where the drawing leads it off to the line by an extension
    // line of its own: the label names that point, led to it (model point; none: the line's
    // middle, beside it).
    std::optional<CDPoint> m_ledFrom;

private:
    CPoint Logical(CDPoint p, int xOff, int yOff, CDPoint scale) const;
    // Where the middle of a label nWidth wide stands from the line's middle at a label code.
    CSize LabelOffset(int nLabelPos, int nWidth) const;
    // The strokes of the end marks in logical points, each as (from, to, wide pen).
    struct Stroke { CPoint a, b; bool wide; };
    int MarkStrokes(CPoint P1, CPoint P2, Stroke* out) const;
    // The label upright, or turned onto the sideways page.
    void WriteLabel(bool turned, double dAngle, CDC* pDC, CDPoint p1, CDPoint p2, int xOff, int yOff,
                    CDPoint scale, int nLabelPos);
};
