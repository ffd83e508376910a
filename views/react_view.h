// The reactions and deflections window: six tables of the grillage results, one shown at a
// time, and its bar.
#pragma once

#include "design/react_tables.h"
#include "framework/bars.h"
#include "grid/gridcelltypes.h"
#include "views/result_view.h"
#include "views/window_global.h"

class CMarivoltenDoc;

enum : UINT { WM_REACT_SELECT = WM_USER + 30 };   // lParam: the table

class CReactView : public CResultView {
    DECLARE_DYNCREATE(CReactView)
public:
    enum : int { TABLE_COUNT = react::TABLE_COUNT };

    CReactView();
    ~CReactView() override;

    void OnDraw(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void ShowTable() override;
    int ShownTable() const override;

    // WM_REACT_SELECT: the table the bar chose.
    void OnSelectTable(int nTable);
    static QString PrintTitle(int nTable);
    // What the tables read besides the design objects.
    static react::ReactInput Input(const CMarivoltenDoc& doc);

    // The table builders: each creates its grid on its first run, then fills it whole.
    void FillReactionSummary();               // table 0
    void FillDeflection();                    // table 1
    void FillSubstructureReactions();         // table 2
    void FillImpactCoefficients();            // table 3
    void FillReactionDetail();                // table 4
    void FillSubstructureReactionsNoImpact(); // table 5

    CTableGrid m_grid[TABLE_COUNT];
    int m_bNotCreated[TABLE_COUNT] = {1, 1, 1, 1, 1, 1};

protected:
    int ChosenTable() const override;
    CTableGrid* GridOf(int nTable) override;
    QString TitleOf(int nTable) const override { return PrintTitle(nTable); }

private:
    void Fill(int nTable, const results::Table& table);
    void HideGrids(int nKeep);

    // Each grid has a push-button type of its own: a type serves the grid it was registered with.
    CGridButtonCellType m_buttonType[TABLE_COUNT];
    CWindowGlobal<CReactView> m_global;
};

// The bar: one button per table; the substructure table's button is never shown.
class CReactBar : public CDialogBar {
public:
    // The buttons in table order.
    static const int kTableIds[CReactView::TABLE_COUNT];

    int OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The buttons are no commands; at the idle update the bar follows the table shown.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnPaint() override;
    // A button pressed: the table goes to the view unless its data is missing.
    void OnSelectTable(int nTable);
    // The refusal of a table that the results cannot show, or an empty text.
    static QString Refusal(int nTable);

    int m_nTable = 0;

private:
    void CheckButtons();
};

extern CReactView* g_pReactView;
