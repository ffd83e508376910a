#include "views/drawing_bar.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/calc_view.h"
#include "framework/dialog.h"
#include "framework/format.h"

#include <algorithm>
#include <cmath>

int ScaleSliderPos(const double* pTable, int nCount, int nCurrent, double dScale)
{
    auto shows = [&](int i) { return std::fabs(ScaleTenths(pTable[i]) / 10.0 - dScale) < 1e-9; };
    if (nCurrent >= 0 && nCurrent < nCount && shows(nCurrent))
        return nCurrent;
    int nearest = 0;
    for (int i = 0; i < nCount; ++i) {
        if (shows(i))
            return i;
        if (std::fabs(pTable[i] - dScale) < std::fabs(pTable[nearest] - dScale))
            nearest = i;
    }
    return nearest;
}

void SetBarText(CDialogBar& bar, int nID, const QString& text)
{
    if (CWnd* w = bar.GetControl(nID); w && w->GetWindowText() != text)
        w->SetWindowText(text);
}

void SetBarCheck(CDialogBar& bar, int nID, int nCheck)
{
    if (auto* b = dynamic_cast<CButton*>(bar.GetControl(nID)); b && b->GetCheck() != nCheck)
        b->SetCheck(nCheck);
}

void SetBarSpin(CDialogBar& bar, int nID, int nUpper, int nPos)
{
    if (auto* s = dynamic_cast<CSpinButtonCtrl*>(bar.GetControl(nID))) {
        s->SetRange(1, std::max(nUpper, 1));
        s->SetPos(nPos);
    }
}

void ShowBarScale(CDialogBar& bar, int nSlider, int nEdit, const double* pTable, int nCount, double dScale)
{
    if (auto* slider = dynamic_cast<CSliderCtrl*>(bar.GetControl(nSlider))) {
        slider->SetRange(0, nCount - 1);
        slider->SetPos(ScaleSliderPos(pTable, nCount, slider->GetPos(), dScale));
    }
    SetBarText(bar, nEdit, AfxFormat("%4.1f", dScale));
}

bool SendBarScale(CDialogBar& bar, CWnd* pSlider, int nSlider, int nEdit, const double* pTable, int nCount,
                  CWnd* pView, UINT nMessage, const double& dScale)
{
    auto* slider = dynamic_cast<CSliderCtrl*>(pSlider);
    if (!slider || pSlider != bar.GetControl(nSlider))
        return false;
    const double value = pTable[std::clamp(slider->GetPos(), 0, nCount - 1)];
    if (pView)
        pView->SendMessage(nMessage, WPARAM(nSlider), LPARAM(ScaleTenths(value)));
    SetBarText(bar, nEdit, AfxFormat("%4.1f", dScale));
    return true;
}

int StepSharedGirder(CDialogBar& bar, int nEdit, int nDelta)
{
    CMarivoltenDoc* doc = g_pDoc;
    // A single box has one girder to show.
    if (!doc || g_nBridgeType == 2)
        return -1;
    const int n = CCalcView::ShownGirder() + 1 + nDelta;
    if (n < 1 || n > g_nGirders)
        return -1;
    if (g_pCalcView && !g_pCalcView->ConfirmDropEdits())
        return -1;
    doc->m_nCalcGirder = n - 1;
    SetBarText(bar, nEdit, AfxFormat("%4d", n));
    return n - 1;
}

LRESULT CDrawingBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HSCROLL) {
        OnSlider(reinterpret_cast<CWnd*>(lParam));
        return 0;
    }
    if (message == WM_COMMAND) {
        const int id = int(wParam & 0xFFFF);
        const UINT code = UINT((wParam >> 16) & 0xFFFF);
        if (code == UDN_DELTAPOS) {
            if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(id))) {
                // The bar writes the choice and the edit itself.
                spin->m_bRefused = true;
                OnSpin(id, spin->m_nDelta);
            }
            return 0;
        }
        if (code == BN_CLICKED && OnClicked(id))
            return 0;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

void CDrawingBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    Refresh();
}

int CDrawingBar::OnCreate()
{
    if (CDialogBar::OnCreate() == -1)
        return -1;
    Refresh();
    return 0;
}
