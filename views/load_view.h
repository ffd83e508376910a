// The load diagram window: the dead loads of the bridge cross section at the document's
// station, chosen and scaled on the load bar (views/force_bars.h); printed upright on A4.
#pragma once

#include <memory>
#include "views/label_layout.h"
#include "views/load_diagram.h"
#include "views/station_view.h"
#include "views/window_global.h"

class CMarivoltenDoc;

class CLoadView : public CStationView {
    DECLARE_DYNCREATE(CLoadView)
public:
    CLoadView();
    ~CLoadView() override;
    void OnInitialUpdate() override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnScale(int nTenths) override;
    int RebuildDrawers(CMarivoltenDoc* pDoc) override;
    void FitToScale() override;
    // Scrolls the top of the drawing into the window.
    void ScrollToDrawingTop();

    std::unique_ptr<CLoadDiagram[]> m_pDiagrams;
    int m_nDiagrams = 0;

protected:
    double* Scale() const override;
    CDPoint DrawingScale() const override;
    // The diagram of a station, as the window draws it.
    PlacedDrawing Drawing(int nStation) override;
    int Drawers() const override { return m_nDiagrams; }

private:
    CWindowGlobal<CLoadView> m_global;
};

extern CLoadView* g_pLoadView;
