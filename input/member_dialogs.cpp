#include "input/member_dialogs.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"

#include <algorithm>
#include <cfloat>

namespace {

constexpr double kTypedMinimum = 1e-20;
constexpr int kSpinMax = 32767;

bool Empty(double mm) { return mm < kTypedMinimum; }

// A girder-derived value in mm, as the design would take it for an empty entry.
double Automatic(double (CMarivoltenDoc::*depth)() const)
{
    return g_pDoc ? (g_pDoc->*depth)() * 1000.0 : 0.0;
}

// At the first opening an empty dimension takes its automatic value; later openings keep
// whatever is there.
void DeriveOnce(int& bFirstOpen, double& mm, double (CMarivoltenDoc::*depth)() const)
{
    if (bFirstOpen && Empty(mm) && g_nGirders > 0)
        mm = Automatic(depth);
    bFirstOpen = 0;
}

}

// ---- the sub-dialogs' common part ----

CMemberDialogBase::CMemberDialogBase(UINT nIDTemplate, MemberPictureKind picture)
    : CDialog(nIDTemplate), m_pictureKind(picture)
{
}

BOOL CMemberDialogBase::OnInitDialog()
{
    SaveData();
    for (const Combo& c : Combos()) {
        auto* cb = dynamic_cast<CComboBox*>(GetDlgItem(c.id));
        if (!cb)
            continue;
        cb->ResetContent();
        if (c.shapes)
            for (const QString& s : g_szSectionShapes)
                cb->AddString(s);
        else
            for (const QString& s : g_szSteelGrades9)
                cb->AddString(s);
        cb->SetCurSel(*c.value);
    }
    DeriveAtFirstOpening();
    CDialog::OnInitDialog();
    for (const Dimension& d : Dimensions()) {
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(d.spin)))
            spin->SetRange(0, kSpinMax);
        OnNotify(UINT(d.spin), UDN_DELTAPOS, [this, d] { StepDimension(d.spin, d.edit); });
    }
    m_picture.AttachPicture(IDC_MEMBER_PICTURE, this, [kind = m_pictureKind](CDC* pDC, const CRect& rect) {
        pDC->FillSolidRect(&rect, RGB(255, 255, 255));
        DrawMemberPicture(pDC, rect, kind);
    });
    return TRUE;
}

void CMemberDialogBase::DoDataExchange(CDataExchange* pDX)
{
    for (const Dimension& d : Dimensions())
        DDX_Text(pDX, d.edit, *d.value);
}

void CMemberDialogBase::StepDimension(int nSpin, int nEdit)
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(nSpin));
    CWnd* edit = GetDlgItem(nEdit);
    if (!spin || !edit)
        return;
    // The framework would step whole numbers only; a typed 9.5 goes to 10.5.
    const double value = std::clamp(AfxAtof(edit->GetWindowText()) + spin->m_nDelta, 0.0, double(kSpinMax));
    edit->SetWindowText(AfxFormat("%.*g", DBL_DIG, value));
    spin->m_bRefused = true;
}

void CMemberDialogBase::OnOK()
{
    for (const Combo& c : Combos())
        if (auto* cb = dynamic_cast<CComboBox*>(GetDlgItem(c.id)); cb && cb->GetCurSel() >= 0)
            *c.value = cb->GetCurSel();
    CDialog::OnOK();
}

void CMemberDialogBase::OnCancel()
{
    RestoreData();
    CDialog::OnCancel();
}

// ---- sway bracing ----

CSwayDialogBase::CSwayDialogBase(UINT nIDTemplate, MemberPictureKind picture, const SwayBracingData& defaults,
                                 int nDistEdit, int nDistSpin, int nConvertedCheck)
    : CMemberDialog<SwayBracingData>(nIDTemplate, picture, defaults), m_nDistEdit(nDistEdit), m_nDistSpin(nDistSpin),
      m_nConvertedCheck(nConvertedCheck)
{
}

void CSwayDialogBase::DoDataExchange(CDataExchange* pDX)
{
    CMemberDialogBase::DoDataExchange(pDX);
    DDX_Check(pDX, m_nConvertedCheck, m_bConvertedStiffness);
}

CSetupEndSwayDialog::CSetupEndSwayDialog()
    : CSwayDialogBase(IDD_END_SWAY, MemberPictureKind::EndSway, EndSwayData(), IDC_END_SWAY_DIST_B,
                      IDC_END_SWAY_DIST_B_SPIN, IDC_END_SWAY_CONVERTED)
{
}

std::vector<CMemberDialogBase::Combo> CSetupEndSwayDialog::Combos()
{
    return {{IDC_END_SWAY_UPPER, &m_nUpperChord, true}, {IDC_END_SWAY_LOWER, &m_nLowerChord, true},
            {IDC_END_SWAY_DIAGONAL, &m_nDiagonal, true}, {IDC_END_SWAY_GRADE, &m_nGrade, false}};
}

void CSetupEndSwayDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dMemberDistB, &CMarivoltenDoc::GetEndSwayDepth);
}

CSetupMidSwayDialog::CSetupMidSwayDialog()
    : CSwayDialogBase(IDD_MID_SWAY, MemberPictureKind::MidSway, MidSwayData(), IDC_MID_SWAY_DIST_B,
                      IDC_MID_SWAY_DIST_B_SPIN, IDC_MID_SWAY_CONVERTED)
{
}

std::vector<CMemberDialogBase::Combo> CSetupMidSwayDialog::Combos()
{
    return {{IDC_MID_SWAY_CHORD, &m_nUpperChord, true}, {IDC_MID_SWAY_DIAGONAL, &m_nDiagonal, true},
            {IDC_MID_SWAY_GRADE, &m_nGrade, false}};
}

void CSetupMidSwayDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dMemberDistB, &CMarivoltenDoc::GetMidSwayDepth);
}

void CSetupMidSwayDialog::OnOK()
{
    CSwayDialogBase::OnOK();
    m_nLowerChord = m_nUpperChord;
}

CSetupPierSwayDialog::CSetupPierSwayDialog()
    : CSwayDialogBase(IDD_PIER_SWAY, MemberPictureKind::PierSway, PierSwayData(), IDC_PIER_SWAY_DIST_B,
                      IDC_PIER_SWAY_DIST_B_SPIN, IDC_PIER_SWAY_CONVERTED)
{
}

std::vector<CMemberDialogBase::Combo> CSetupPierSwayDialog::Combos()
{
    return {{IDC_PIER_SWAY_CHORD, &m_nUpperChord, true}, {IDC_PIER_SWAY_DIAGONAL, &m_nDiagonal, true},
            {IDC_PIER_SWAY_GRADE, &m_nGrade, false}};
}

void CSetupPierSwayDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dMemberDistB, &CMarivoltenDoc::GetPierSwayDepth);
}

void CSetupPierSwayDialog::OnOK()
{
    CSwayDialogBase::OnOK();
    m_nLowerChord = m_nUpperChord;
}

// ---- cross beam ----

CSetupCrossBeamTypeDialog::CSetupCrossBeamTypeDialog()
    : CMemberDialog<CrossBeamTypeData>(IDD_CROSS_BEAM_TYPE, MemberPictureKind::CrossBeam)
{
}

std::vector<CMemberDialogBase::Combo> CSetupCrossBeamTypeDialog::Combos()
{
    return {{IDC_CBT_GRADE, &m_nGrade, false}};
}

std::vector<CMemberDialogBase::Dimension> CSetupCrossBeamTypeDialog::Dimensions()
{
    return {{IDC_CBT_DIST_B, IDC_CBT_DIST_B_SPIN, &m_dMemberDistB},
            {IDC_CBT_FLANGE_THICK, IDC_CBT_FLANGE_THICK_SPIN, &m_dFlangeThickness},
            {IDC_CBT_FLANGE_WIDTH, IDC_CBT_FLANGE_WIDTH_SPIN, &m_dFlangeWidth},
            {IDC_CBT_WEB_THICK, IDC_CBT_WEB_THICK_SPIN, &m_dWebThickness}};
}

void CSetupCrossBeamTypeDialog::DoDataExchange(CDataExchange* pDX)
{
    CMemberDialogBase::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CBT_CONVERTED, m_bConvertedStiffness);
}

void CSetupCrossBeamTypeDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dMemberDistB, &CMarivoltenDoc::GetCrossBeamDepth);
}

// ---- lateral bracing ----

CSetupLateralDialog::CSetupLateralDialog() : CMemberDialog<LateralBracingData>(IDD_LATERAL, MemberPictureKind::Lateral) {}

std::vector<CMemberDialogBase::Combo> CSetupLateralDialog::Combos()
{
    return {{IDC_LATERAL_OUTER, &m_nOuterSection, true}, {IDC_LATERAL_INNER, &m_nInnerSection, true},
            {IDC_LATERAL_GRADE, &m_nGrade, false}};
}

// ---- brackets ----

CBracketDialogBase::CBracketDialogBase(UINT nIDTemplate, MemberPictureKind picture, const Ids& ids)
    : CMemberDialog<BracketData>(nIDTemplate, picture), m_ids(ids)
{
}

std::vector<CMemberDialogBase::Combo> CBracketDialogBase::Combos()
{
    return {{m_ids.grade, &m_nGrade, false}};
}

std::vector<CMemberDialogBase::Dimension> CBracketDialogBase::Dimensions()
{
    return {{m_ids.distBL, m_ids.distBLSpin, &m_dDistBL},
            {m_ids.distBR, m_ids.distBRSpin, &m_dDistBR},
            {m_ids.flangeThick, m_ids.flangeThickSpin, &m_dFlangeThickness},
            {m_ids.flangeWidth, m_ids.flangeWidthSpin, &m_dFlangeWidth},
            {m_ids.length, m_ids.lengthSpin, &m_dLength},
            {m_ids.webThick, m_ids.webThickSpin, &m_dWebThickness}};
}

CSetupLeftBracketDialog::CSetupLeftBracketDialog()
    : CBracketDialogBase(IDD_LEFT_BRACKET, MemberPictureKind::LeftBracket,
                         {IDC_LBRACKET_GRADE, IDC_LBRACKET_DIST_BL, IDC_LBRACKET_DIST_BL_SPIN, IDC_LBRACKET_DIST_BR,
                          IDC_LBRACKET_DIST_BR_SPIN, IDC_LBRACKET_FLANGE_THICK, IDC_LBRACKET_FLANGE_THICK_SPIN,
                          IDC_LBRACKET_FLANGE_WIDTH, IDC_LBRACKET_FLANGE_WIDTH_SPIN, IDC_LBRACKET_LENGTH,
                          IDC_LBRACKET_LENGTH_SPIN, IDC_LBRACKET_WEB_THICK, IDC_LBRACKET_WEB_THICK_SPIN})
{
}

// An empty BR means the bracket was never set: both depths come from G1, deep at the girder
// (BR) and shallow at the tip (BL). A BL typed already stays.
void CSetupLeftBracketDialog::DeriveAtFirstOpening()
{
    if (m_bFirstOpen && Empty(m_dDistBR) && g_nGirders > 0) {
        m_dDistBR = Automatic(&CMarivoltenDoc::GetLeftBracketDepthBR);
        if (Empty(m_dDistBL))
            m_dDistBL = Automatic(&CMarivoltenDoc::GetLeftBracketDepthBL);
    }
    m_bFirstOpen = 0;
}

CSetupRightBracketDialog::CSetupRightBracketDialog()
    : CBracketDialogBase(IDD_RIGHT_BRACKET, MemberPictureKind::RightBracket,
                         {IDC_RBRACKET_GRADE, IDC_RBRACKET_DIST_BL, IDC_RBRACKET_DIST_BL_SPIN, IDC_RBRACKET_DIST_BR,
                          IDC_RBRACKET_DIST_BR_SPIN, IDC_RBRACKET_FLANGE_THICK, IDC_RBRACKET_FLANGE_THICK_SPIN,
                          IDC_RBRACKET_FLANGE_WIDTH, IDC_RBRACKET_FLANGE_WIDTH_SPIN, IDC_RBRACKET_LENGTH,
                          IDC_RBRACKET_LENGTH_SPIN, IDC_RBRACKET_WEB_THICK, IDC_RBRACKET_WEB_THICK_SPIN})
{
}

// Mirrored: from the last girder, deep at the girder (BL) and shallow at the tip (BR).
void CSetupRightBracketDialog::DeriveAtFirstOpening()
{
    if (m_bFirstOpen && Empty(m_dDistBR) && g_nGirders > 0) {
        m_dDistBR = Automatic(&CMarivoltenDoc::GetRightBracketDepthBR);
        if (Empty(m_dDistBL))
            m_dDistBL = Automatic(&CMarivoltenDoc::GetRightBracketDepthBL);
    }
    m_bFirstOpen = 0;
}

// ---- stringers ----

CSetupEdgeStringerDialog::CSetupEdgeStringerDialog()
    : CMemberDialog<StringerData>(IDD_EDGE_STRINGER, MemberPictureKind::EdgeStringer)
{
}

std::vector<CMemberDialogBase::Combo> CSetupEdgeStringerDialog::Combos()
{
    return {{IDC_EDGE_STRINGER_GRADE, &m_nGrade, false}};
}

std::vector<CMemberDialogBase::Dimension> CSetupEdgeStringerDialog::Dimensions()
{
    return {{IDC_EDGE_STRINGER_FLANGE_THICK, IDC_EDGE_STRINGER_FLANGE_THICK_SPIN, &m_dFlangeThickness},
            {IDC_EDGE_STRINGER_FLANGE_WIDTH, IDC_EDGE_STRINGER_FLANGE_WIDTH_SPIN, &m_dFlangeWidth},
            {IDC_EDGE_STRINGER_WEB_HEIGHT, IDC_EDGE_STRINGER_WEB_HEIGHT_SPIN, &m_dWebHeightL},
            {IDC_EDGE_STRINGER_WEB_THICK, IDC_EDGE_STRINGER_WEB_THICK_SPIN, &m_dWebThickness}};
}

void CSetupEdgeStringerDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dWebHeightL, &CMarivoltenDoc::GetEdgeStringerDepth);
}

CSetupMidStringerDialog::CSetupMidStringerDialog()
    : CMemberDialog<MidStringerData>(IDD_MID_STRINGER, MemberPictureKind::MidStringer)
{
}

BOOL CSetupMidStringerDialog::OnInitDialog()
{
    CMemberDialogBase::OnInitDialog();
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_MID_STRINGER_COUNT_SPIN)))
        spin->SetRange(0, kSpinMax);
    return TRUE;
}

std::vector<CMemberDialogBase::Combo> CSetupMidStringerDialog::Combos()
{
    return {{IDC_MID_STRINGER_GRADE, &m_nGrade, false}};
}

std::vector<CMemberDialogBase::Dimension> CSetupMidStringerDialog::Dimensions()
{
    return {{IDC_MID_STRINGER_FLANGE_THICK, IDC_MID_STRINGER_FLANGE_THICK_SPIN, &m_dFlangeThickness},
            {IDC_MID_STRINGER_FLANGE_WIDTH, IDC_MID_STRINGER_FLANGE_WIDTH_SPIN, &m_dFlangeWidth},
            {IDC_MID_STRINGER_WEB_HEIGHT, IDC_MID_STRINGER_WEB_HEIGHT_SPIN, &m_dWebHeightL},
            {IDC_MID_STRINGER_WEB_THICK, IDC_MID_STRINGER_WEB_THICK_SPIN, &m_dWebThickness}};
}

void CSetupMidStringerDialog::DoDataExchange(CDataExchange* pDX)
{
    CMemberDialogBase::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_MID_STRINGER_COUNT, m_nCount);
}

void CSetupMidStringerDialog::DeriveAtFirstOpening()
{
    DeriveOnce(m_bFirstOpen, m_dWebHeightL, &CMarivoltenDoc::GetMidStringerDepth);
}

// ---- the main dialog ----

namespace {

// One member kind's row: its 使用する check, its 自動決定/入力 radios and its settings button.
struct MemberRow {
    int use;
    int autoId;
    int inputId;
    int set;
    int MainMemberData::*bUse;
    int MainMemberData::*nMode;
};

const MemberRow kRows[] = {
    {IDC_MM_USE_END_SWAY, IDC_MM_END_SWAY_AUTO, IDC_MM_END_SWAY_INPUT, IDC_MM_END_SWAY_SET,
     &MainMemberData::m_bUseEndSway, &MainMemberData::m_nEndSwayMode},
    {IDC_MM_USE_MID_SWAY, IDC_MM_MID_SWAY_AUTO, IDC_MM_MID_SWAY_INPUT, IDC_MM_MID_SWAY_SET,
     &MainMemberData::m_bUseMidSway, &MainMemberData::m_nMidSwayMode},
    {IDC_MM_USE_PIER_SWAY, IDC_MM_PIER_SWAY_AUTO, IDC_MM_PIER_SWAY_INPUT, IDC_MM_PIER_SWAY_SET,
     &MainMemberData::m_bUsePierSway, &MainMemberData::m_nPierSwayMode},
    {IDC_MM_USE_CROSS_BEAM, IDC_MM_CROSS_BEAM_AUTO, IDC_MM_CROSS_BEAM_INPUT, IDC_MM_CROSS_BEAM_SET,
     &MainMemberData::m_bUseCrossBeam, &MainMemberData::m_nCrossBeamMode},
    {IDC_MM_USE_LATERAL, IDC_MM_LATERAL_AUTO, IDC_MM_LATERAL_INPUT, IDC_MM_LATERAL_SET,
     &MainMemberData::m_bUseLateral, &MainMemberData::m_nLateralMode},
    {IDC_MM_USE_STRINGER, IDC_MM_STRINGER_AUTO, IDC_MM_STRINGER_INPUT, IDC_MM_STRINGER_SET,
     &MainMemberData::m_bUseStringer, &MainMemberData::m_nStringerMode},
    {IDC_MM_USE_LEFT_BRACKET, IDC_MM_LEFT_BRACKET_AUTO, IDC_MM_LEFT_BRACKET_INPUT, IDC_MM_LEFT_BRACKET_SET,
     &MainMemberData::m_bUseLeftBracket, &MainMemberData::m_nLeftBracketMode},
    {IDC_MM_USE_RIGHT_BRACKET, IDC_MM_RIGHT_BRACKET_AUTO, IDC_MM_RIGHT_BRACKET_INPUT, IDC_MM_RIGHT_BRACKET_SET,
     &MainMemberData::m_bUseRightBracket, &MainMemberData::m_nRightBracketMode},
    {IDC_MM_USE_EDGE_STRINGER, IDC_MM_EDGE_STRINGER_AUTO, IDC_MM_EDGE_STRINGER_INPUT, IDC_MM_EDGE_STRINGER_SET,
     &MainMemberData::m_bUseEdgeStringer, &MainMemberData::m_nEdgeStringerMode},
};

// Box girders carry no lateral bracing.
bool NoLateral() { return g_nBridgeType >= 1; }

}

CSetupMainMemberDialog::CSetupMainMemberDialog() : CDialog(IDD_MAIN_MEMBER)
{
    for (const MemberRow& row : kRows) {
        const int set = row.set;
        OnNotify(UINT(row.autoId), BN_CLICKED, [this, set] { if (CWnd* b = GetDlgItem(set)) b->EnableWindow(FALSE); });
        OnNotify(UINT(row.inputId), BN_CLICKED, [this, set] { if (CWnd* b = GetDlgItem(set)) b->EnableWindow(TRUE); });
    }
    const std::pair<int, CDialog*> subDialogs[] = {
        {IDC_MM_END_SWAY_SET, &m_dlgEndSway}, {IDC_MM_MID_SWAY_SET, &m_dlgMidSway},
        {IDC_MM_PIER_SWAY_SET, &m_dlgPierSway}, {IDC_MM_CROSS_BEAM_SET, &m_dlgCrossBeamType},
        {IDC_MM_LATERAL_SET, &m_dlgLateral}, {IDC_MM_LEFT_BRACKET_SET, &m_dlgLeftBracket},
        {IDC_MM_RIGHT_BRACKET_SET, &m_dlgRightBracket}, {IDC_MM_STRINGER_SET, &m_dlgMidStringer},
        {IDC_MM_EDGE_STRINGER_SET, &m_dlgEdgeStringer}};
    for (const auto& [id, dlg] : subDialogs)
        OnNotify(UINT(id), BN_CLICKED, [this, sub = dlg] { OpenSubDialog(*sub); });
}

CSetupMainMemberDialog::Input CSetupMainMemberDialog::Capture() const
{
    return {*this, m_dlgEndSway, m_dlgMidSway, m_dlgPierSway, m_dlgCrossBeamType, m_dlgLateral,
            m_dlgLeftBracket, m_dlgRightBracket, m_dlgMidStringer, m_dlgEdgeStringer};
}

void CSetupMainMemberDialog::Apply(const Input& in)
{
    static_cast<MainMemberData&>(*this) = in.main;
    static_cast<SwayBracingData&>(m_dlgEndSway) = in.endSway;
    static_cast<SwayBracingData&>(m_dlgMidSway) = in.midSway;
    static_cast<SwayBracingData&>(m_dlgPierSway) = in.pierSway;
    static_cast<CrossBeamTypeData&>(m_dlgCrossBeamType) = in.crossBeamType;
    static_cast<LateralBracingData&>(m_dlgLateral) = in.lateral;
    static_cast<BracketData&>(m_dlgLeftBracket) = in.leftBracket;
    static_cast<BracketData&>(m_dlgRightBracket) = in.rightBracket;
    static_cast<MidStringerData&>(m_dlgMidStringer) = in.midStringer;
    static_cast<StringerData&>(m_dlgEdgeStringer) = in.edgeStringer;
}

BOOL CSetupMainMemberDialog::OnInitDialog()
{
    m_opened = Capture();
    if (NoLateral())
        m_bUseLateral = 0;
    CDialog::OnInitDialog();
    for (const MemberRow& row : kRows)
        if (CWnd* b = GetDlgItem(row.set))
            b->EnableWindow(this->*row.bUse ? TRUE : FALSE);
    if (NoLateral())
        if (CWnd* check = GetDlgItem(IDC_MM_USE_LATERAL))
            check->EnableWindow(FALSE);
    return TRUE;
}

void CSetupMainMemberDialog::DoDataExchange(CDataExchange* pDX)
{
    for (const MemberRow& row : kRows) {
        DDX_Radio(pDX, row.autoId, this->*row.nMode);
        DDX_Check(pDX, row.use, this->*row.bUse);
    }
}

void CSetupMainMemberDialog::OpenSubDialog(CDialog& dlg)
{
    dlg.m_pParentWnd = this;
    dlg.DoModal();
}

void CSetupMainMemberDialog::OnOK()
{
    const MainMemberData before = *this;
    if (!UpdateData(TRUE)) {
        static_cast<MainMemberData&>(*this) = before;
        return;
    }
    // What the sub-dialogs confirmed meanwhile is input as much as this dialog's own choices.
    Input opened = m_opened;
    if (NoLateral())
        opened.main.m_bUseLateral = 0;
    const bool changed = !(Capture() == opened);
    CMarivoltenDoc* doc = g_pDoc;
    if (changed && !DiscardResults()) {
        static_cast<MainMemberData&>(*this) = before;
        return;
    }
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_MAIN_MEMBER, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, doc && !doc->m_bGrillageNotRun);
    }
    EndDialog(IDOK);
}

void CSetupMainMemberDialog::OnCancel()
{
    Apply(m_opened);
    CDialog::OnCancel();
}
