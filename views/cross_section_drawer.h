// The bridge cross section at one cross-section station: its dimensions taken from the
// station, the girder heights and the haunches, and its drawing with the dimension lines,
// upright or turned onto a sideways page. Section points are metres: x across the deck from
// its left edge, y up from the underside of the slab.
#pragma once

#include <algorithm>
#include <vector>
#include "app/globals.h"
#include "framework/dc.h"
#include "geometry/plan.h"

class CDimensionLine;
class CMarivoltenDoc;

class CCrossSectionDrawer {
public:
    CCrossSectionDrawer();
    virtual ~CCrossSectionDrawer();

    // Fills every field for the station (0 .. g_nCrossSections - 1); returns 1.
    int Setup(CMarivoltenDoc* pDoc, int nStation);

    int DrawSection(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawSectionForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawWidthDimensions(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawWidthDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawGirderLayoutDimensions(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawGirderLayoutDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawDetailDimensions(CDC* pDC, CPoint origin, CDPoint scale);
    int DrawDetailDimensionsForPrint(CDC* pDC, CPoint origin, CDPoint scale);
    // The section with all its dimensions, upright or turned onto a sideways page.
    void DrawDimensioned(CDC* pDC, CPoint origin, CDPoint scale, bool bTurned);
    // Whether the other draws the same: every field a drawing reads is equal (the station's
    // skew and place serve the set-up alone).
    bool DrawsAlike(const CCrossSectionDrawer& other) const;

    // The rectangle of two logical points turned onto the sideways page: a quarter turn by the
    // angle, then (x, y) -> (-x' - 420, -y' - 2384); any other angle puts both on (-420, -2384).
    static CRect MakeRect(double dAngle, int x1, int y1, int x2, int y2);

    int m_nSidewalk = 0;            // 0 none, 1 left, 2 right, 3 both
    int m_nBridgeType = 0;          // 0 plate girder, 1 box girder, 2 single box
    int m_nGirders = 0;
    double m_dGirderSpacing = 0.0;
    double m_dAngle = 0.0;          // of the station to the base line, radians
    double m_dPosition = 0.0;       // from the start of its span
    double m_adB[12] = {};          // B1 .. B12
    double m_adH[12] = {};          // H1 .. H12
    double m_dWidth = 0.0;          // W
    double m_dRoadwayLeft = 0.0;
    double m_dRoadwayRight = 0.0;
    // Levels and thicknesses: 0/1 edge block tops, 2/3 sidewalk tops, 4/5 mount tops, 6/7
    // pavement tops, 8/9 curb tops, 10 H5, 11 median top, 12/13 edge block heights hL, hR,
    // 14 H2, 15 H9, 16/17 H2 + sL, H9 + sR, 18 H11 + H4, 19 H12 + H7, 20/21 the mount
    // equivalents sL, sR, 22 H4, 23 H7, 24 H5, 25 H6 + H7.
    double m_adHeight[26] = {};
    double m_adHaunchHeight[MAX_GIRDERS] = {};
    double m_adHaunchWidth[MAX_GIRDERS] = {};
    double m_adGirderHeight[MAX_GIRDERS] = {};
    // 0 B1, 1 left edge 0, 2 right edge W, 3 B2, 4 W - B6, 5/6 outer curb faces, 7/8 inner
    // curb faces, 9/10 median faces, 11/12 railing posts, 13 first girder, 14 last girder.
    double m_adX[15] = {};

    // B1 .. B12 and H1 .. H12 by their numbers.
    double B(int n) const { return m_adB[n - 1]; }
    double H(int n) const { return m_adH[n - 1]; }
    // Centre of girder line i.
    double GirderX(int i) const { return m_adB[10] + i * m_dGirderSpacing; }
    // The girders with a haunch and a girder drawn: the single box has its one on line 1.
    int FirstDrawnGirder() const { return m_nBridgeType == 2 ? 1 : 0; }
    int LastDrawnGirder() const { return m_nBridgeType == 2 ? std::min(1, m_nGirders - 1) : m_nGirders - 1; }
    // The dimension row under the girders (m): 5 m down, or lower under deep girders.
    double LowerRow() const
    {
        double deepest = 0.0;
        for (int i = FirstDrawnGirder(); i <= LastDrawnGirder(); ++i)
            deepest = std::max(deepest, m_adHaunchHeight[i] + m_adGirderHeight[i]);
        return -std::max(5.0, deepest + 1.5);
    }

protected:
    // Where the shapes go: the section-to-device mapping, upright or turned by the angle.
    struct Canvas {
        CDC* dc;
        CPoint origin;
        CDPoint scale;
        bool turned = false;
        double angle = 270.0;
        CPoint Map(CDPoint p) const { return CPoint(origin.x + int(scale.x * p.x), origin.y + int(scale.y * p.y)); }
        // A logical point where it lands on the page.
        CPoint Place(CPoint p) const;
        void Rect(CDPoint a, CDPoint b) const;
        // A steel plate: a rectangle drawn as its outline polygon, which stays a visible line
        // where the plate is thinner than a pixel.
        void Plate(CDPoint a, CDPoint b) const;
        void Polygon(const CDPoint (&p)[4]) const;
        void Line(CDimensionLine& line, CDPoint a, CDPoint b, int nPlace = 0) const;
    };
    // The centre lines of girder i's webs.
    std::vector<double> Webs(int i) const;

private:
    int Section(const Canvas& c);
    int WidthDimensions(const Canvas& c);
    int GirderLayoutDimensions(const Canvas& c);
    int DetailDimensions(const Canvas& c);
    // Girder i's height at the station from its height profile.
    double ProfileHeight(const CMarivoltenDoc& doc, int nGirder, int nSpan) const;
};
