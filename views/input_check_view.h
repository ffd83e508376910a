// The input check window: the input report, the panel table, the design conditions and the
// assumed and actual section areas, one page at a time, and its bar.
#pragma once

#include "framework/bars.h"
#include "framework/gdi.h"
#include "framework/view.h"
#include "framework/print.h"
#include "grid/gridcelltypes.h"
#include "grid/tablegrid.h"
#include "views/input_report.h"
#include "views/result_grid.h"
#include "views/window_global.h"

class CMarivoltenDoc;

enum : UINT { WM_CONDITION_SELECT = WM_USER + 31 };    // lParam: the page 0 to 3

class CConditionView : public CScrollView, public CInputReport {
    DECLARE_DYNCREATE(CConditionView)
public:
    enum : int { PAGE_INPUT = 0, PAGE_PANELS = 1, PAGE_DESIGN = 2, PAGE_SECTIONS = 3 };

    CConditionView();
    ~CConditionView() override;
    CMarivoltenDoc* GetDocument() const;

    int OnCreate() override;
    void OnInitialUpdate() override;
    // A grid page is filled again at once: the grid covers the view, which may not be painted.
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // WM_CONDITION_SELECT.
    void OnSwitchPage(int nPage);
    // The document's page, -1 when it names none.
    int ShownPage() const;
    // Lays out the shown page: its scroll sizes, and its grid filled over the view with the
    // other grid out of sight. The page, or -1 when there is nothing to show.
    int ShowPage();
    static QString PrintTitle(int nPage);

    // The input report: counted (mode 0) or drawn (mode 1); the last line used when printing.
    int PrintInputConditions(CDC* pDC, CPrintInfo* pInfo, int mode);
    void DrawInputConditions(CDC* pDC);
    void FillPanelTable();
    // The texts stay left of `right` (logical units), a long one smaller and over the empty
    // rows below its own.
    void DrawDesignConditions(CDC* pDC, int right);
    void FillSectionTable();

    CSize m_sizeDocument = kA4Portrait;
    CFont m_font;
    CTableGrid m_gridPanels;
    CTableGrid m_gridSections;

private:
    // The scroll sizes of a page, set only when they change: a change repaints the view.
    void SetPageScrollSizes(int nMapMode, CSize total);
    void PlaceGrids(int nPage);
    // The report's font and a black pen; the previous ones are put back by the caller.
    struct Selected {
        CFont* font = nullptr;
        CPen* pen = nullptr;
    };
    Selected SelectReportTools(CDC* pDC, CPen& pen);

    CGridButtonCellType m_buttonCellType[2];
    CFont m_fontBold;
    int m_nPrintedPage = -1;
    CGridPrintFit m_printFit;
    CWindowGlobal<CConditionView> m_global;
};

class CConditionBar : public CDialogBar {
public:
    int OnCreate() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The radios are no commands; at the idle update the bar follows the document's page.
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnPaint() override;
    void OnPage(int nPage);

    int m_nPage = 0;

private:
    void CheckRadios();
};

extern CConditionView* g_pConditionView;
