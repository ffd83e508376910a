// The base of the windows that show results as grid tables, one table at a time: the table
// is built from the document whenever the window is painted or the design changes, and one
// table prints alone on A4 in the page frame.
#pragma once

#include "framework/gdi.h"
#include "framework/view.h"
#include "framework/print.h"
#include "grid/tablegrid.h"
#include "views/result_grid.h"

class CMarivoltenDoc;

class CResultView : public CScrollView {
    DECLARE_DYNAMIC(CResultView)
public:
    CMarivoltenDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint) override;
    void OnDraw(CDC* pDC) override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) override;
    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;
    void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) override;

    // Builds the table the results can show into its grid, lays that grid over the window
    // and moves the others out of sight; without results all of them go.
    virtual void ShowTable() = 0;
    // The table shown for the document's choice, -1 when there is none.
    virtual int ShownTable() const = 0;

    CSize m_sizePage = kA4Portrait;

protected:
    // The document's choice, which titles a page that has no table to print.
    virtual int ChosenTable() const = 0;
    // The grid of a table once its window exists, else null.
    virtual CTableGrid* GridOf(int nTable) = 0;
    virtual QString TitleOf(int nTable) const = 0;

    CFont m_fontBold;
    CGridPrintFit m_printFit;
    int m_nPrintedTable = -1;
};

// The button of a bar's list that a message reports clicked: its index, or -1.
int ClickedButton(UINT message, WPARAM wParam, const int* anIds, int nCount);
