// The longitudinal section of one main girder: its bottom line from the height profile, the
// top line, the supports, the panel points (while the height varies) or the joints of the
// designed sections (while it does not), the height change points and the span lengths.
// Drawing points are metres: x along the girder from the bridge start, y the height with the
// girder's top at 4.0. The print twins draw the same picture turned onto a sideways page.
#pragma once

#include <vector>
#include "app/globals.h"
#include "framework/dc.h"
#include "framework/gdi.h"
#include "geometry/plan.h"

class CDimensionLine;
class CMarivoltenDoc;

class CSection2Drawer {
public:
    CSection2Drawer();
    virtual ~CSection2Drawer();
    CSection2Drawer(const CSection2Drawer&) = delete;
    CSection2Drawer& operator=(const CSection2Drawer&) = delete;

    // Takes the height variation choice; the geometry is the document's as it was last built.
    int Prepare(CMarivoltenDoc* pDoc, int nGirder);
    // The girder to draw and its panel and span lengths along its own line.
    void SetGirder(int nGirder);
    void CalcPanelLengths();

    int DrawSpanDimensions(CDC* pDC, CPoint origin, CDPoint scale);
    // 0 when the height does not vary and there are no design results: only the bottom line.
    int Draw(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawSpanDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    // The span dimensions and the elevation, upright or turned onto a sideways page.
    void DrawAll(CDC* pDC, CPoint origin, CDPoint scale, bool bTurned);

    CFont m_font;
    double m_adSpanLength[MAX_SPANS] = {};
    double m_adPanelLength[MAX_SPANS][MAX_PANELS] = {};
    int m_nGirder = 0;
    int m_nHeightVariation = 1;     // 0 the height varies, 1 it is constant

private:
    int DrawHeightProfile(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawHeightProfileForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    void DrawSupport(CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber, int bLabel);
    void DrawSupportForPrint(CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber, int bLabel);
    // A logical point where it lands on the sideways page, or as it is upright.
    static CPoint Turned(bool bTurned, CPoint p);

    // One point of the height profile placed along the girder.
    struct ProfilePoint {
        CDPoint at;     // drawing point
        double x;       // along the girder from the start of its span
        int span;
    };
    std::vector<ProfilePoint> ProfilePoints() const;
    int Spans() const;
    int Panels(int nSpan) const;
    // A panel's length along the girder; 0 for a panel the span does not have.
    double PanelLength(int nSpan, int nPanel) const;
    double SpanStart(int nSpan) const;
    double TotalLength() const;
    // A distance from the start of a span on the base line, carried onto this girder.
    double AlongGirder(int nSpan, double x) const;

    // The upright drawing and its turned twin share these.
    void Line(bool bTurned, CDC* pDC, CDimensionLine& line, CDPoint p1, CDPoint p2, CPoint origin, CDPoint scale,
              int nPlace = 0);
    int Profile(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale);
    int Dimensions(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale);
    int Elevation(bool bTurned, CDC* pDC, CPoint origin, CDPoint scale);
    void Support(bool bTurned, CDC* pDC, CDPoint at, CPoint origin, CDPoint scale, int nNumber, int bLabel);
};
