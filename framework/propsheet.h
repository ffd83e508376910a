// Property sheets: a window of tabbed pages, each page built from a dialog template.
#pragma once

#include <vector>
#include "framework/dialog.h"

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    explicit CPropertyPage(UINT nIDTemplate) : CDialog(nIDTemplate) {}
    virtual BOOL OnSetActive() { return TRUE; }
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    // Builds the page into the sheet's tab.
    BOOL CreatePage(CWnd* pSheet);
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    explicit CPropertySheet(const QString& caption, CWnd* pParent = nullptr, UINT iSelectPage = 0);
    void AddPage(CPropertyPage* pPage) { m_pages.push_back(pPage); }
    int GetPageCount() const { return int(m_pages.size()); }
    CPropertyPage* GetPage(int i) const { return i >= 0 && i < GetPageCount() ? m_pages[size_t(i)] : nullptr; }
    // Creates the sheet's window hidden (modeless).
    virtual BOOL Create(CWnd* pParent = nullptr);
    BOOL SetActivePage(int nPage);
    int GetActiveIndex() const { return m_nActive; }
    void OnClose() override { ShowWindow(SW_HIDE); }
    QString m_strCaption;

protected:
    CWnd* m_pParentWnd;
    std::vector<CPropertyPage*> m_pages;
    int m_nActive = 0;
};
