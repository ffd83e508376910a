// The dead-load diagram of one cross-section station: the section itself, the loaded zones
// of the deck as blocks as high as their loads, one captioned row per kind of dead load with
// its values, and dimension lines above and below the section. Loads stay in the unit they
// were entered in; block heights are always in tf/m2.
#pragma once

#include <vector>
#include "framework/gdi.h"
#include "views/cross_section_drawer.h"
#include "views/label_layout.h"

class CLoadDiagram : public CCrossSectionDrawer {
public:
    CLoadDiagram();
    ~CLoadDiagram() override;

    // The station's section and a copy of the design's dead loads; returns 1.
    int Setup(CMarivoltenDoc* pDoc, int nStation);

    int DrawUpperDimensions(CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    int DrawLowerDimensions(CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    int DrawLoadAreas(CDC* pDC, int nSidewalk, const CPoint& origin, double dScaleX, double dScaleY);
    int DrawLoads(int nSidewalk, CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    // The same turned onto a sideways page.
    int DrawUpperDimensionsForPrint(CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    int DrawLowerDimensionsForPrint(CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    int DrawLoadAreasForPrint(double dAngle, CDC* pDC, int nSidewalk, const CPoint& origin, double dScaleX,
                              double dScaleY);
    int DrawLoadsForPrint(double dAngle, int nSidewalk, CDC* pDC, CPoint origin, double dScaleX, double dScaleY);
    // The whole diagram, its dimensions, section, load areas and loads, upright or turned onto
    // a sideways page.
    void DrawDiagram(CDC* pDC, int nSidewalk, CPoint origin, CDPoint scale, bool bTurned);
    // The section drawn alike and the same loads in the same font.
    bool DrawsAlike(const CLoadDiagram& other) const;

    // A value of a row with its top left at (x, y); nothing for a text that reads as zero.
    int DrawValueText(CDC* pDC, int x, int y, const QString& text);
    // A text turned by the angle in the selected font; with bSkipZero nothing when it reads as zero.
    void DrawRotatedText(CDC* pDC, double dAngle, int x, int y, const QString& text, int bSkipZero);

    // Where the rows of the loads lie: k of each (0 when the row is absent) and the last one.
    struct Rows {
        int mount = 0, mountBlocks = 3, railing = 0, railingMarkers = 0, haunch = 0, steel = 0, snow = 0,
            attachments = 0, last = 3;
    };
    Rows LayOutRows(int nSidewalk) const;
    // Baseline of row k (m); row 0 is the dimension row under the girders.
    double RowY(int k) const { return LowerRow() - 3.0 * k; }
    // Steel weight of girder i in tf/m, from the document as it stands now.
    double SteelWeight(int nGirder) const;
    // What the drawing covers in logical units about its origin, y up (top above bottom).
    CRect Reach(CDC* pDC, int nSidewalk, double dScaleX, double dScaleY);

    double m_dLeftRailing = 0.0;
    double m_dRightRailing = 0.0;
    double m_dSidewalkPavingWeight = 0.0;
    double m_dRoadPavingWeight = 0.0;
    double m_dMedianWeight = 0.0;
    double m_dKerbWeight = 0.0;
    double m_dSidewalkSlabWeight = 0.0;
    double m_dRoadSlabWeight = 0.0;
    double m_dCurbWeight = 0.0;
    double m_dSnowLoad = 0.0;
    double m_adHaunchWeight[MAX_GIRDERS] = {};
    double m_adAttachmentLoad[10] = {};
    double m_adAttachmentX[10] = {};
    int m_anAttachmentGirder[10] = {};
    int m_nAttachments = 0;
    CFont m_font;

private:
    struct Caption {
        int row;
        QString text;
    };
    // The captions of the rows present.
    std::vector<Caption> Captions(const Rows& rows, bool bPrint) const;
    int UpperDimensions(const Canvas& c);
    int LowerDimensions(const Canvas& c);
    int LoadAreas(const Canvas& c, int nSidewalk);
    int Loads(const Canvas& c, int nSidewalk);
    // A text of the diagram with its upright top left at the first of the places that is
    // clear, upright or turned, else near them led back to the upright point it names; the
    // index of the place taken, the count of places when it stands elsewhere, -1 when left out.
    // `leaders`: where the text is led from `named` by a line of the diagram's own, the upright
    // point that line starts from at each place.
    int Text(const Canvas& c, const std::vector<CPoint>& places, const QString& text, bool bValue, CPoint named,
             LabelKind kind = LabelKind::None, const std::vector<CPoint>& leaders = {});
    // Unit weights to block heights: 9.80665 in SI units.
    static double Gravity();
};
