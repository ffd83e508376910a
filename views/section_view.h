// The cross-section window: the bridge cross section at the document's station with all its
// dimensions, chosen and scaled on the window's bar (views/force_bars.h).
#pragma once

#include <memory>
#include "views/cross_section_drawer.h"
#include "views/label_layout.h"
#include "views/station_view.h"
#include "views/window_global.h"

class CMarivoltenDoc;

class CSectionView : public CStationView {
    DECLARE_DYNCREATE(CSectionView)
public:
    CSectionView();
    ~CSectionView() override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    int RebuildDrawers(CMarivoltenDoc* pDoc) override;
    void FitToScale() override;

    std::unique_ptr<CCrossSectionDrawer[]> m_pDrawers;
    int m_nDrawers = 0;

protected:
    double* Scale() const override;
    CDPoint DrawingScale() const override;
    // The section of a station with its dimensions.
    PlacedDrawing Drawing(int nStation) override;
    int Drawers() const override { return m_nDrawers; }

private:
    CWindowGlobal<CSectionView> m_global;
};

extern CSectionView* g_pSectionView;
