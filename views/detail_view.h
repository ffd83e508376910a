// The section detail data window: member end forces, stiffness and steel weight of one main
// girder after the grillage run, each in a grid of its own, and its bar.
#pragma once

#include "design/properties_tables.h"
#include "framework/bars.h"
#include "grid/gridcelltypes.h"
#include "views/result_view.h"
#include "views/window_global.h"

class CMarivoltenDoc;
class CGirderDesign;

enum : UINT {
    WM_PROPERTIES_GIRDER = WM_USER + 34,    // wParam: the new girder, lParam: the girder stored
    WM_PROPERTIES_SELECT = WM_USER + 35     // lParam: the table, 0, 2 or 3
};

class CSectionPropertiesView : public CResultView {
    DECLARE_DYNCREATE(CSectionPropertiesView)
public:
    CSectionPropertiesView();
    ~CSectionPropertiesView() override;

    int OnCreate() override;
    void OnDraw(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void ShowTable() override;
    int ShownTable() const override;

    void OnGirderChanged(int nGirder);
    void OnTableChanged(int nTable);
    static QString PrintTitle(int nTable);
    // The design object of the current girder (the box's own for a single box), or null.
    static const CGirderDesign* CurrentGirder(const CMarivoltenDoc& doc);

    void FillForces();
    void FillStiffness();
    void FillSteelWeight();
    CTableGrid& Grid(int nTable);

    CTableGrid m_gridForces, m_gridStiffness, m_gridSteelWeight;

protected:
    int ChosenTable() const override;
    CTableGrid* GridOf(int nTable) override;
    QString TitleOf(int nTable) const override { return PrintTitle(nTable); }

private:
    void Fill(int nTable, const results::Table& table);
    void Place(int nShown, const CRect& rect);

    CGridButtonCellType m_buttonType[3];
    CWindowGlobal<CSectionPropertiesView> m_global;
};

class CPropertiesBar : public CDialogBar {
public:
    int OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // At the idle update the bar follows the document's girder and the table shown.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnPaint() override;
    // A spin step; false when the girder stays.
    bool OnDeltaPosGirder(int nDelta);
    void OnSelectTable(int nTable);
    // The old-data refusal of a table, or an empty text.
    static QString Refusal(int nTable);

    int m_nTable = 0;

private:
    void CheckButtons();
    void ShowGirder(int nGirder);
};

extern CSectionPropertiesView* g_pPropertiesView;
