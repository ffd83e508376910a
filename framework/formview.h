// A view whose window holds the controls of a dialog template, with their data exchange.
#pragma once

#include <functional>
#include <map>
#include <vector>
#include "framework/dialog.h"
#include "framework/view.h"

class CFormView : public CScrollView {
    DECLARE_DYNAMIC(CFormView)
public:
    explicit CFormView(UINT nIDTemplate);

    // Builds the template's controls into the view's window.
    int OnCreate() override;
    // The members into the controls, then the view's own update.
    void OnInitialUpdate() override;
    // Control notifications go to the handlers registered with OnNotify.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    UINT GetTemplateId() const { return m_nIDTemplate; }
    CWnd* GetControl(int nID) const { return m_host.Control(nID); }
    std::vector<int> RadioGroup(int nID) const { return m_host.RadioGroup(nID); }
    // Runs DoDataExchange: FALSE puts the members into the controls, TRUE reads them back.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX) {}
    // A handler of a control's notification (BN_CLICKED ...).
    void OnNotify(UINT nID, UINT nCode, std::function<void()> fn) { m_notify[{nID, nCode}] = std::move(fn); }

protected:
    UINT m_nIDTemplate;
    CTemplateHost m_host;
    std::map<std::pair<UINT, UINT>, std::function<void()>> m_notify;
};
