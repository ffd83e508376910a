// What the cross-section and load windows share: both draw the bridge cross section at the
// document's station, each at a scale of its own, and their bars choose both.
#pragma once

#include "framework/view.h"
#include "framework/print.h"
#include "views/label_layout.h"
#include "views/laid_out_drawing.h"

class CMarivoltenDoc;

class CStationView : public CScrollView {
    DECLARE_DYNAMIC(CStationView)
public:
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;

    // Messages of the bar: the station, the scale in tenths.
    void OnSelect(int nStation);
    virtual void OnScale(int nTenths);
    // One drawer per cross-section station, made again.
    virtual int RebuildDrawers(CMarivoltenDoc* pDoc) = 0;
    // The scroll sizes and the origin of the drawing at the document's scale.
    virtual void FitToScale() = 0;

    CSize m_sizeTotal{6000, 6000};
    // The labels laid out once for a scale, station and design, painted from its records.
    CLaidOutDrawing m_laidOut;
    CSize m_sizePaper = kA4Portrait;
    CPoint m_ptOrigin;

protected:
    // The bar's two messages; the drawing's origin before any scale is applied.
    CStationView(UINT nSelectMessage, UINT nScaleMessage, CPoint origin);
    // The document's scale of this window.
    virtual double* Scale() const = 0;
    // Units a metre across and up at the document's scale.
    virtual CDPoint DrawingScale() const = 0;
    // The drawing of a station (0 .. count of drawers - 1) at an origin and scale.
    virtual PlacedDrawing Drawing(int nStation) = 0;
    virtual int Drawers() const = 0;
    // The origin moved and the scroll sizes widened from sizeTotal so that the drawing at
    // the document's scale and station, its labels laid out as on screen, lies inside the
    // scrolled area with a margin at every scale; with no drawing, sizeTotal as it is.
    void FitScrollToDrawing(CSize sizeTotal);

private:
    // The records of the document's station laid out at the origin and scale; null with none.
    const std::vector<CDC::Record>* LaidOut();
    CPoint m_ptLaidOut;     // the origin the records were laid out at
};
