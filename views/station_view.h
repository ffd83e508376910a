// What the cross-section and load windows share: both draw the bridge cross section at the
// document's station, each at a scale of its own, and their bars choose both.
#pragma once

#include "framework/view.h"
#include "views/drawing_helpers.h"

class CMarivoltenDoc;

class CStationView : public CScrollView {
    DECLARE_DYNAMIC(CStationView)
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

    // Messages of the bar: the station, the scale in tenths.
    void OnSelect(int nStation);
    virtual void OnScale(int nTenths);
    // One drawer per cross-section station, made again.
    virtual int RebuildDrawers(CMarivoltenDoc* pDoc) = 0;
    // The scroll sizes and the origin of the drawing at the document's scale.
    virtual void FitToScale() = 0;

    CSize m_sizeTotal{6000, 6000};
    CSize m_sizePaper{2100, 2970};
    CPoint m_ptOrigin;

protected:
    // The bar's two messages; the drawing's origin before any scale is applied.
    CStationView(UINT nSelectMessage, UINT nScaleMessage, CPoint origin);
    // The document's scale of this window.
    virtual double* Scale() const = 0;
    // The origin moved and the scroll sizes widened from sizeTotal so that the drawing at
    // `scale` (units a metre across and up), its labels laid out as on screen, lies inside
    // the scrolled area with a margin at every scale; with no drawing, sizeTotal as it is.
    void FitScrollToDrawing(const PlacedDrawing& draw, CDPoint scale, CSize sizeTotal);
};
