// The estimate view with its eight tables, and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/view.h"
#include "grid/gridcelltypes.h"
#include "grid/tablegrid.h"
#include "views/window_global.h"

class CMarivoltenDoc;

// The table of table 0; spin events go to the table's own handling.
class CEstimateGrid : public CTableGrid {
public:
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override
    {
        CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
    }
};

class CEstimateView : public CScrollView {
    DECLARE_DYNCREATE(CEstimateView)
public:
    enum : int { TABLE_COUNT = 8 };
    static constexpr UINT WM_ESTIMATE_SELECT = WM_USER + 29;   // lParam: the table

    CEstimateView();
    ~CEstimateView() override;
    CMarivoltenDoc* GetDocument() const;

    // The table builders: each creates its grid on its first run, then fills it whole
    // from the document's estimate members.
    void FillMassSummary();       // table 0
    void FillMassBreakdown();     // table 1
    void FillAreaVolume();        // table 2
    void FillLabourElements();    // table 3
    void FillContractCost();      // table 4
    void FillMaterialCost();      // table 5
    void FillMassByGrade();       // table 6
    void FillFabricationCost();   // table 7

    // The grid of a table, whether or not its window exists yet.
    CTableGrid& Grid(int nTable);

    CSize m_sizePage{2100, 2970};
    CGridButtonCellType m_buttonCellType;
    CEstimateGrid m_gridTable0;
    CTableGrid m_gridTable1, m_gridTable2, m_gridTable3, m_gridTable4, m_gridTable5, m_gridTable6, m_gridTable7;
    int m_abGridNotCreated[TABLE_COUNT] = {1, 1, 1, 1, 1, 1, 1, 1};
    CFont m_afontBold[TABLE_COUNT];   // each table's own bold font, made by its builder

protected:
    // Creates the table's grid window on the first call; false when it cannot be created.
    bool EnsureGrid(int nTable);

private:
    CWindowGlobal<CEstimateView> m_global;
};

class CEstimateBar : public CDialogBar {};

extern CEstimateView* g_pEstimateView;
