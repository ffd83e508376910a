#include "views/force_bars.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/calc_view.h"
#include "framework/dialog.h"
#include "framework/frame.h"
#include "framework/format.h"
#include "input/block_dialog.h"
#include "res/resource_ids.h"
#include "views/drawing_views.h"

#include <algorithm>

namespace {

int SliderPos(CWnd* pSlider, int nCount)
{
    return std::clamp(static_cast<CSliderCtrl*>(pSlider)->GetPos(), 0, nCount - 1);
}

int CurrentSupport(const CMarivoltenDoc& doc)
{
    return std::clamp(doc.m_nCurSupport, 0, std::clamp(g_nSpans, 0, MAX_SPANS));
}

}

// ---- force bar ----

CForceBar::CForceBar()
    : m_adScale1{0.1, 0.2, 0.5, 1.0, 1.5, 2.0, 3.0, 5.0, 7.0, 10.0}
{
    std::copy(std::begin(kForceVScales), std::end(kForceVScales), m_adScale2);
}

void CForceBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CDrawingBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    // The block command's button follows whoever handles the command.
    if (CWnd* button = GetControl(ID_BLOCK_DIALOG); button && pTarget) {
        CCmdUI ui(ID_BLOCK_DIALOG);
        ui.DoUpdate(pTarget, bDisableIfNoHndler);
        button->EnableWindow(ui.m_bEnabled);
    }
}

void CForceBar::Refresh()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int girder = CCalcView::ShownGirder() + 1;
    SetBarSpin(*this, IDC_FORCE_GIRDER_SPIN, g_nGirders, girder);
    SetBarText(*this, IDC_FORCE_GIRDER, AfxFormat("%4d", g_nBridgeType == 2 ? 1 : girder));
    ShowBarScale(*this, IDC_FORCE_HSCALE_SLIDER, IDC_FORCE_HSCALE, m_adScale1, 10, doc->m_dForceHScale);
    ShowBarScale(*this, IDC_FORCE_VSCALE_SLIDER, IDC_FORCE_VSCALE, m_adScale2, 9, doc->m_dForceVScale);
    SetBarCheck(*this, IDC_FORCE_MOMENT, doc->m_bForceShowMoment);
    SetBarCheck(*this, IDC_FORCE_SHEAR, doc->m_bForceShowShear);
    SetBarCheck(*this, IDC_FORCE_RESISTING, doc->m_bForceShowResisting);
    SetBarCheck(*this, IDC_FORCE_FOLD, doc->m_bForceFolded);
}

bool CForceBar::OnSpin(int nID, int nDelta)
{
    return nID == IDC_FORCE_GIRDER_SPIN && OnGirderSpin(nDelta);
}

bool CForceBar::OnGirderSpin(int nDelta)
{
    const int g = StepSharedGirder(*this, IDC_FORCE_GIRDER, nDelta);
    if (g < 0)
        return false;
    if (g_pForceView)
        g_pForceView->SendMessage(WM_FORCEBAR_GIRDER, WPARAM(g), LPARAM(g));
    if (g_pBlockDlg && g_pBlockDlg->GetSafeHwnd())
        g_pBlockDlg->SendMessage(WM_FORCEBAR_GIRDER, WPARAM(g), LPARAM(g));
    g_pDoc->UpdateAllViews(nullptr);
    return true;
}

void CForceBar::OnHScroll(CWnd* pSlider)
{
    if (const CMarivoltenDoc* doc = g_pDoc) {
        if (!SendBarScale(*this, pSlider, IDC_FORCE_HSCALE_SLIDER, IDC_FORCE_HSCALE, m_adScale1, 10, g_pForceView,
                          WM_FORCEBAR_SCALE, doc->m_dForceHScale))
            SendBarScale(*this, pSlider, IDC_FORCE_VSCALE_SLIDER, IDC_FORCE_VSCALE, m_adScale2, 9, g_pForceView,
                         WM_FORCEBAR_SCALE, doc->m_dForceVScale);
    }
}

bool CForceBar::OnClicked(int nID)
{
    switch (nID) {
    case IDC_FORCE_MOMENT:
    case IDC_FORCE_SHEAR:
    case IDC_FORCE_RESISTING:
    case IDC_FORCE_FOLD:
        OnCheck(nID);
        return true;
    default:
        return false;
    }
}

void CForceBar::OnCheck(int nID)
{
    CMarivoltenDoc* doc = g_pDoc;
    auto* box = dynamic_cast<CButton*>(GetControl(nID));
    if (!doc || !box)
        return;
    int* flag = nID == IDC_FORCE_MOMENT      ? &doc->m_bForceShowMoment
                : nID == IDC_FORCE_SHEAR     ? &doc->m_bForceShowShear
                : nID == IDC_FORCE_RESISTING ? &doc->m_bForceShowResisting
                                             : &doc->m_bForceFolded;
    *flag = box->GetCheck() ? 1 : 0;
    if (g_pForceView) {
        g_pForceView->Invalidate();
        g_pForceView->UpdateWindow();
    }
}

// ---- station bars ----

CStationBar::CStationBar(const Ids& ids, UINT nSelectMessage, UINT nScaleMessage)
    : m_adScale{0.2, 0.5, 0.7, 1.0, 1.5, 2.0, 2.5, 3.0, 4.0, 5.0},
      m_ids(ids),
      m_nSelectMessage(nSelectMessage),
      m_nScaleMessage(nScaleMessage)
{
}

int CStationBar::SupportAt(int nStation)
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return -1;
    for (int k = 0; k <= std::clamp(g_nSpans, 0, MAX_SPANS); ++k)
        if (doc->m_anSupportStation[k] == nStation)
            return k;
    return -1;
}

void CStationBar::Refresh()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int support = CurrentSupport(*doc), station = PlanCurrentStation(*doc);
    SetBarSpin(*this, m_ids.supportSpin, g_nSpans + 1, support + 1);
    SetBarSpin(*this, m_ids.stationSpin, g_nCrossSections, station + 1);
    SetBarText(*this, m_ids.station, AfxFormat("%4d", station + 1));
    // A station between supports is at no support.
    const int at = SupportAt(station);
    SetBarText(*this, m_ids.support, at >= 0 ? AfxFormat("%4d", at + 1) : QStringLiteral("  －"));
    auto* slider = dynamic_cast<CSliderCtrl*>(GetControl(m_ids.slider));
    if (!slider)
        return;
    if (m_bFirstPaint) {
        slider->SetRange(0, 9);
        slider->SetTicFreq(1);
        slider->SetPos(ScaleSliderPos(m_adScale, 10, -1, Scale()));
        m_bFirstPaint = 0;
    }
    SetBarText(*this, m_ids.scale, AfxFormat("%4.1f", m_adScale[SliderPos(slider, 10)]));
}

bool CStationBar::OnSpin(int nID, int nDelta)
{
    if (nID == m_ids.supportSpin)
        return OnSupportSpin(nDelta);
    return nID == m_ids.stationSpin && OnCrossSectionSpin(nDelta);
}

bool CStationBar::OnSupportSpin(int nDelta)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return false;
    const int n = CurrentSupport(*doc) + 1 + nDelta;
    if (n < 1 || n > g_nSpans + 1 || n > MAX_SPANS + 1)
        return false;
    doc->m_nCurSupport = n - 1;
    doc->m_nCurCrossSection = std::clamp(doc->m_anSupportStation[n - 1], 0, std::max(g_nCrossSections - 1, 0));
    SetBarText(*this, m_ids.support, AfxFormat("%4d", n));
    SetBarSpin(*this, m_ids.stationSpin, g_nCrossSections, doc->m_nCurCrossSection + 1);
    SetBarText(*this, m_ids.station, AfxFormat("%4d", doc->m_nCurCrossSection + 1));
    if (CWnd* view = View())
        view->SendMessage(m_nSelectMessage, WPARAM(n - 1), LPARAM(doc->m_nCurCrossSection));
    // The other window of the station follows.
    doc->UpdateAllViews(nullptr);
    return true;
}

bool CStationBar::OnCrossSectionSpin(int nDelta)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return false;
    const int n = PlanCurrentStation(*doc) + 1 + nDelta;
    if (n < 1 || n > g_nCrossSections)
        return false;
    doc->m_nCurCrossSection = n - 1;
    // A station that is no support keeps the support chosen before.
    const int at = SupportAt(n - 1);
    if (at >= 0) {
        doc->m_nCurSupport = at;
        SetBarSpin(*this, m_ids.supportSpin, g_nSpans + 1, at + 1);
    }
    SetBarText(*this, m_ids.support, at >= 0 ? AfxFormat("%4d", at + 1) : QStringLiteral("  －"));
    SetBarText(*this, m_ids.station, AfxFormat("%4d", n));
    if (CWnd* view = View())
        view->SendMessage(m_nSelectMessage, 0, LPARAM(n - 1));
    doc->UpdateAllViews(nullptr);
    return true;
}

void CStationBar::OnHScroll(CWnd* pSlider)
{
    if (!pSlider || pSlider != GetControl(m_ids.slider))
        return;
    const double value = m_adScale[SliderPos(pSlider, 10)];
    if (CWnd* view = View())
        view->SendMessage(m_nScaleMessage, 0, LPARAM(ScaleTenths(value)));
    SetBarText(*this, m_ids.scale, AfxFormat("%4.1f", value));
}

CLoadBar::CLoadBar()
    : CStationBar({IDC_LOAD_SUPPORT, IDC_LOAD_SUPPORT_SPIN, IDC_LOAD_STATION, IDC_LOAD_STATION_SPIN, IDC_LOAD_SCALE,
                   IDC_LOAD_SCALE_SLIDER},
                  WM_LOAD_SELECT, WM_LOAD_SCALE)
{
}

CWnd* CLoadBar::View() const { return g_pLoadView; }
double CLoadBar::Scale() const { return g_pDoc ? g_pDoc->m_dLoadScale : 1.0; }

CSectionBar::CSectionBar()
    : CStationBar({IDC_SECTION_SUPPORT, IDC_SECTION_SUPPORT_SPIN, IDC_SECTION_STATION, IDC_SECTION_STATION_SPIN,
                   IDC_SECTION_SCALE, IDC_SECTION_SCALE_SLIDER},
                  WM_SECTION_SELECT, WM_SECTION_SCALE)
{
}

CWnd* CSectionBar::View() const { return g_pSectionView; }
double CSectionBar::Scale() const { return g_pDoc ? g_pDoc->m_dSectionScale : 1.0; }
