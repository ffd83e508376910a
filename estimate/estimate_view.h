// The estimate view with its eight tables, and its bar.
#pragma once

#include <vector>

#include "framework/bars.h"
#include "framework/view.h"
#include "grid/gridcelltypes.h"
#include "grid/tablegrid.h"
#include "views/result_grid.h"
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

    void OnInitialUpdate() override;
    // Discarded results take their table out of sight at once, shown window or not.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    // Builds the document's table into its grid, lays that grid over the view and moves the
    // other grids out of sight.
    void OnDraw(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    // Builds the document's table into its grid, lays that grid over the view and moves the
    // other grids out of sight; without results, hides them all.
    void ShowTable();
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // WM_ESTIMATE_SELECT: the table the bar chose.
    void OnSelectTable(int nTable);
    // The document's table, or -1 when it names none.
    int ShownTable() const;
    // The page title of a printed table, by the unit system where it names masses.
    static QString PrintTitle(int nTable);

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
    // The heading cells of the tables: dark blue on button face, drawn as a flat push
    // button, centred both ways unless told otherwise.
    static constexpr COLORREF kHeadingText = RGB(0, 0, 150);
    static constexpr short kCentredBoth = GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER;
    static void SetHeadingStyle(CGridCell& cell, short nAlign = kCentredBoth);
    static void SetHeadingCell(CTableGrid& grid, int col, int row, short nAlign = kCentredBoth);

    CSize m_sizePage{2100, 2970};
    CEstimateGrid m_gridTable0;
    CTableGrid m_gridTable1, m_gridTable2, m_gridTable3, m_gridTable4, m_gridTable5, m_gridTable6, m_gridTable7;
    int m_abGridNotCreated[TABLE_COUNT] = {1, 1, 1, 1, 1, 1, 1, 1};
    CFont m_afontBold[TABLE_COUNT];   // each table's own bold font, made by its builder

protected:
    // Creates the table's grid window on the first call; false when it cannot be created.
    bool EnsureGrid(int nTable);

    // The common start of a build: the grid created, multi-selection and the popup menu on,
    // the size set, both heading strips hidden, column 0 at 160, every row at the default
    // height and every cell cleared; the table's bold font made. False when the grid cannot
    // be created.
    bool SetupTableGrid(int nTable, int nCols, int nRows);
    // Tables 4, 5 and 7: captions, methods and amounts.
    bool SetupCostGrid(int nTable, int nRows, short nCaptionAlign, bool bCentreAmounts);

private:
    // Moves every created grid but the one of nKeep to the empty rectangle.
    void HideGrids(int nKeep);
    // The paper widths of the shown table's columns (and row 0 of table 1).
    void ApplyPrintLayout(int nTable);

    // Each grid gets a push-button type of its own when its window is made: a type serves
    // the one grid it was last registered with.
    CGridButtonCellType m_aGridButtonTypes[TABLE_COUNT];
    // The screen sizes of the printed table, put back when the job ends.
    int m_nPrintedTable = -1;
    std::vector<int> m_anScreenColWidths, m_anScreenRowHeights;
    CGridPrintFit m_printFit;   // the print layout narrowed to the frame, should it be too wide
    CWindowGlobal<CEstimateView> m_global;
};

// The bar of the estimate window: eight page buttons, one per table.
class CEstimateBar : public CDialogBar {
public:
    // The page buttons in table order.
    static const int kPageIds[CEstimateView::TABLE_COUNT];
    // A page button's caption, by the unit system where it names masses.
    static QString PageCaption(int nPage);

    // A bar opened again starts at the table the document still shows.
    int OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The page buttons are no commands: the frame's command state leaves them alone.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override {}
    void OnPaint() override;
    void OnSelectPage(int nPage);

    int m_nPage = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
};

extern CEstimateView* g_pEstimateView;
