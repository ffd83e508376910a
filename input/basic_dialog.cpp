#include "input/basic_dialog.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"
#include "res/resource_ids.h"

#include <cmath>

namespace {


// Index of the checked button of a radio group, -1 when none.
int CheckedIndex(CDialog* dlg, int firstId)
{
    const std::vector<int> ids = dlg->m_host.RadioGroup(firstId);
    for (size_t i = 0; i < ids.size(); ++i)
        if (auto* b = dynamic_cast<CButton*>(dlg->GetDlgItem(ids[i])); b && b->GetCheck())
            return int(i);
    return -1;
}

int Checked(CDialog* dlg, int id)
{
    auto* b = dynamic_cast<CButton*>(dlg->GetDlgItem(id));
    return b ? b->GetCheck() : 0;
}

int IntegerIn(CDialog* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    return w ? AfxAtoi(w->GetWindowText()) : 0;
}


}

CSetupBasicDialog::CSetupBasicDialog() : CDialog(IDD_BASIC)
{
    m_nGirderForm = g_nBridgeType == 0 ? 0 : 1;
    m_nGirders = g_nBridgeType == 2 && g_nGirders == 3 ? 1 : g_nGirders;
    m_nSpans = g_nSpans;
}

BOOL CSetupBasicDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_strTitle == QStringLiteral("新規") && g_pDoc) {
        m_strTitle = g_pDoc->GetTitle();
        UpdateData(FALSE);
    }
    // A single box is entered, and shown, as a box girder with one girder.
    m_nGirderForm = g_nBridgeType == 0 ? 0 : 1;
    m_nGirders = g_nBridgeType == 2 ? 1 : g_nGirders;
    UpdateData(FALSE);
    m_editGirders.Attach(IDC_GIRDERS, this);
    m_editSpans.Attach(IDC_SPANS, this);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_GIRDERS_SPIN)))
        spin->SetRange(1, 20);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_SPANS_SPIN)))
        spin->SetRange(0, 14);
    m_cbStandard.ResetContent();
    for (const QString& s : g_szDesignStandards)
        m_cbStandard.AddString(s);
    m_cbStandard.SetCurSel(m_nStandard);
    return TRUE;
}

void CSetupBasicDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_STANDARD, m_cbStandard);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDV_MaxChars(pDX, m_strTitle, 100);
    DDV_CP932Text(pDX, m_strTitle);
    DDX_Radio(pDX, IDC_FORM_PLATE, m_nGirderForm);
    DDX_Radio(pDX, IDC_SIDEWALK, m_nSidewalk);
    DDX_Radio(pDX, IDC_LIVE_LOAD, m_nLiveLoad);
    DDX_Text(pDX, IDC_GIRDERS, m_nGirders);
    DDV_MinMaxInt(pDX, m_nGirders, 1, 20);
    DDX_Text(pDX, IDC_SPANS, m_nSpans);
    DDV_MinMaxInt(pDX, m_nSpans, 0, 14);
    DDX_Radio(pDX, IDC_WEATHERING, m_nWeathering);
    DDX_Text(pDX, IDC_SUBTITLE, m_strSubtitle);
    DDV_CP932Text(pDX, m_strSubtitle);
    DDX_Radio(pDX, IDC_HEIGHT_VARIATION, m_nHeightVariation);
    DDX_Radio(pDX, IDC_HSTEEL, m_nHSteel);
    DDX_Check(pDX, IDC_ZERO_PAINT, m_bZeroPaintCost);
    DDX_Radio(pDX, IDC_MEDIAN, m_nMedian);
    DDX_Check(pDX, IDC_MEDIAN_UNLOADED, m_bMedianUnloaded);
    DDX_Check(pDX, IDC_KERB_UNLOADED, m_bKerbUnloaded);
    DDX_Text(pDX, IDC_LOADING_WIDTH, m_dLoadingWidth);
    DDV_MinMaxDouble(pDX, m_dLoadingWidth, 1.0, 10.0);
    DDX_Text(pDX, IDC_P1, m_dP1Factor);
    DDV_MinMaxDouble(pDX, m_dP1Factor, 0.5, 2.0);
    DDX_Text(pDX, IDC_P2, m_dP2Factor);
    DDV_MinMaxDouble(pDX, m_dP2Factor, 0.5, 2.0);
}

int CSetupBasicDialog::IsUnchanged()
{
    if (IntegerIn(this, IDC_SPANS) != m_nSpans || IntegerIn(this, IDC_GIRDERS) != m_nGirders)
        return 0;
    if (m_cbStandard.GetCurSel() >= 0 && m_cbStandard.GetCurSel() != m_nStandard)
        return 0;
    if (Checked(this, IDC_ZERO_PAINT) != m_bZeroPaintCost)
        return 0;
    return CheckedIndex(this, IDC_WEATHERING) == m_nWeathering && CheckedIndex(this, IDC_FORM_PLATE) == m_nGirderForm
        && CheckedIndex(this, IDC_SIDEWALK) == m_nSidewalk && CheckedIndex(this, IDC_LIVE_LOAD) == m_nLiveLoad
        && CheckedIndex(this, IDC_HEIGHT_VARIATION) == m_nHeightVariation && CheckedIndex(this, IDC_HSTEEL) == m_nHSteel
        && CheckedIndex(this, IDC_MEDIAN) == m_nMedian;
}

bool CSetupBasicDialog::AnalysisFactorsChanged()
{
    auto number = [this](int id) { CWnd* w = GetDlgItem(id); return w ? AfxAtof(w->GetWindowText()) : 0.0; };
    return Checked(this, IDC_MEDIAN_UNLOADED) != m_bMedianUnloaded || Checked(this, IDC_KERB_UNLOADED) != m_bKerbUnloaded
        || number(IDC_P1) != m_dP1Factor || number(IDC_P2) != m_dP2Factor;
}

void CSetupBasicDialog::OnOK()
{
    const bool unchanged = IsUnchanged() == 1;
    const bool factorsChanged = AnalysisFactorsChanged();

    if (!unchanged && IntegerIn(this, IDC_SPANS) == 0) {
        AfxMessageBox(QStringLiteral("支間数に1以上の値を設定して下さい。"));
        return;
    }
    // Everything is checked before anything is asked or changed; a refusal puts the values back.
    const BasicConditions saved = *this;
    auto refuse = [this, &saved] { static_cast<BasicConditions&>(*this) = saved; };
    if (!UpdateData(TRUE)) {
        refuse();
        return;
    }
    if (m_cbStandard.GetCurSel() >= 0)
        m_nStandard = m_cbStandard.GetCurSel();

    if (unchanged) {
        // Titles and factors alone: no step and no rebuild, but new factors mean other results.
        if (factorsChanged && !DiscardResults()) {
            refuse();
            return;
        }
        EndDialog(IDOK);
        return;
    }
    if (m_nGirderForm == 0 && m_nGirders == 1) {
        AfxMessageBox(QStringLiteral("1主桁の鈑桁を設定できません。"));
        refuse();
        return;
    }
    if (m_bZeroPaintCost && m_nWeathering != 0) {
        AfxMessageBox(QStringLiteral("耐候性鋼材を使用しない場合は塗装費を０にできません。"));
        refuse();
        return;
    }

    const int newGirders = m_nGirderForm == 1 && m_nGirders == 1 ? 3 : m_nGirders;
    const bool countsChanged = m_nSpans != g_nSpans || newGirders != g_nGirders;
    if (!ConfirmFramingChange(countsChanged,
                              "格子計算、断面計算の結果が無効になります。また、主桁継ぎ手位置を初期化します。よろしいですか。")) {
        refuse();
        return;
    }
    EndDialog(IDOK);
    ApplyLayoutChange(m_nGirderForm, m_nSpans, m_nGirders);
}

void CSetupBasicDialog::ApplyLayoutChange(int nForm, int nSpans, int nGirders)
{
    CMarivoltenDoc* doc = g_pDoc;
    const bool singleBox = nForm == 1 && nGirders == 1;
    const int newType = singleBox ? 2 : nForm;
    if (doc) {
        // The views' choices start again on the new layout.
        doc->m_nCalcGirder = singleBox ? 1 : 0;
        doc->m_nCurGirder = 0;
        doc->m_nCurSupport = 0;
        doc->m_nCurCrossSection = 0;
    }
    if (g_pMainFrame)
        g_pMainFrame->BringPlanViewForward();

    if (nSpans != g_nSpans && g_pCrossSectionDlg) {
        g_pCrossSectionDlg->SeedStationPositions();
        if (doc)
            doc->m_dlgRibPanel.m_bResetRibs = 1;
    }
    if (g_pCrossSectionDlg) {
        g_pCrossSectionDlg->ResetEntries(m_nMedian);
        g_pCrossSectionDlg->ResetSidewalkEntries(m_nSidewalk);
    }
    // The arrangement starts again for other spans or another girder type (a single box is
    // a type of its own), and is made for the new type; otherwise the user's one stays.
    const bool newArrangement = nSpans != g_nSpans || newType != g_nBridgeType;
    g_nBridgeType = newType;
    g_nSpans = nSpans;
    g_nGirders = singleBox ? 3 : nGirders;
    if (newArrangement && g_pCrossBeamDlg)
        g_pCrossBeamDlg->InitArrangement(1);

    if (g_pHeightDlg)
        g_pHeightDlg->Reset(g_pMainFrame && g_pMainFrame->m_nStepMask == 0 ? 1 : 0);
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_BASIC, 1);
        for (UINT step : std::initializer_list<UINT>{ID_SETUP_SPAN, ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION, ID_SETUP_CROSS_BEAM,
                          ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE, ID_SETUP_HEIGHT})
            g_pMainFrame->SetStepDone(step, 0);
        g_pMainFrame->EnableHeightCommands(m_nHeightVariation, 0);
    }
    if (!doc)
        return;
    doc->Rebuild(CMarivoltenDoc::RebuildReason::Layout);
    if (doc->m_dlgMainGirder.m_nBlockLengthMode == 1) {
        AfxMessageBox(QStringLiteral("主桁継手位置を自動設定にします。"));
        doc->m_dlgMainGirder.m_nBlockLengthMode = 0;
    }
}
