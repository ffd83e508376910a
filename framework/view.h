// Views: windows that show a document and print it.
#pragma once

#include "framework/wnd.h"

class CDocument;
class CDC;
class CFrameWnd;
class CPrintInfo;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual BOOL Create(CWnd* pParent, CDocument* pDoc, UINT nID);
    virtual void OnInitialUpdate();
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnDraw(CDC* pDC) {}
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) {}

    // Printing protocol.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) { return TRUE; }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { OnDraw(pDC); }
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) {}
    // Shows the print dialog where the job needs one; FALSE when the user cancels.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // ID_FILE_PRINT and ID_FILE_PRINT_DIRECT, ID_FILE_PRINT_PREVIEW (on by default).
    virtual void OnFilePrint();
    virtual void OnFilePrintPreview();

    void OnPaint() override;
    void PostNcDestroy() override { delete this; }
    BOOL OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI) override;

    CDocument* m_pDocument = nullptr;
};

// A view larger than its window. Once SetScrollSizes has given it an extent it shows scroll
// bars; the scroll position is the logical point at the window's top left.
class CScrollView : public CView {
    DECLARE_DYNAMIC(CScrollView)
public:
    ~CScrollView() override;
    void SetScrollSizes(int nMapMode, CSize sizeTotal, CSize sizePage = CSize(), CSize sizeLine = CSize());
    CSize GetTotalSize() const { return m_totalLog; }
    CSize GetPageSize() const { return m_pageLog; }
    CSize GetLineSize() const { return m_lineLog; }
    int GetMapMode() const { return m_nMapMode; }
    CPoint GetScrollPosition() const { return m_scrollPos; }
    void ScrollToPosition(CPoint pt);
    // The scroll bars' positions in pixels (tests).
    CPoint GetScrollBarPositions() const;
protected:
    int m_nMapMode = 1;
    CSize m_totalLog, m_pageLog, m_lineLog;
    CPoint m_scrollPos;
private:
    friend class ScrollBarsHost;
    void UpdateScrollBars();
    void OnScrollBarMoved();
    class ScrollBarsHost* m_pBars = nullptr;     // lives with the window's widget
    bool m_bSyncing = false;
};
