#include "framework/formview.h"

IMPLEMENT_DYNAMIC(CFormView, CScrollView)

CFormView::CFormView(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}

int CFormView::OnCreate()
{
    if (CScrollView::OnCreate() == -1)
        return -1;
    return m_host.Build(this, m_nIDTemplate) ? 0 : -1;
}

void CFormView::OnInitialUpdate()
{
    UpdateData(FALSE);
    CScrollView::OnInitialUpdate();
}

BOOL CFormView::UpdateData(BOOL bSaveAndValidate)
{
    return AfxRunDataExchange(this, bSaveAndValidate, [this](CDataExchange* pDX) { DoDataExchange(pDX); });
}

BOOL CFormView::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = UINT(wParam & 0xFFFF);
    const UINT code = UINT((wParam >> 16) & 0xFFFF);
    auto it = m_notify.find({id, code});
    if (it != m_notify.end()) {
        auto fn = it->second;
        fn();
        return TRUE;
    }
    return CScrollView::OnCommand(wParam, lParam);
}
