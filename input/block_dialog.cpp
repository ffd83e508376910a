#include "input/block_dialog.h"
#include "app/design_collect.h"
#include "app/doc.h"
#include "design/girder_design.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/msgbox.h"

#include <cmath>

namespace {

constexpr COLORREF kEditable = RGB(255, 255, 255);
constexpr COLORREF kFixed = RGB(191, 191, 191);
// A section or block is at least 0.1 m, and no girder is a thousand kilometres long.
constexpr double kShortestMm = 100.0;
constexpr double kLongestMm = 1.0e9;
// How far the lengths may miss the girder before the section forces cannot be placed (m).
constexpr double kSumTolerance = 0.05;

const char* const kSumMismatch = "断面長の合計が主桁長と合っていません。";

struct ModeGroup {
    int mode;
    std::initializer_list<int> ids;
};

const ModeGroup kModeGroups[] = {
    {0, {IDC_BLOCK_START, IDC_BLOCK_END, IDC_BLOCK_START_SPIN, IDC_BLOCK_END_SPIN, IDC_BLOCK_START_LABEL,
         IDC_BLOCK_END_LABEL}},
    {1, {IDC_BLOCK_SPLIT_LABEL, IDC_BLOCK_SPLIT_NO, IDC_BLOCK_SPLIT_SPIN, IDC_BLOCK_POS_LABEL, IDC_BLOCK_POS,
         IDC_BLOCK_POS_SPIN, IDC_BLOCK_MIDDLE, IDC_BLOCK_GIVEN, IDC_BLOCK_POS_UNIT, IDC_BLOCK_POS_NOTE}},
    {2, {IDC_BLOCK_TABLE_SUM, IDC_BLOCK_GIRDER_SUM, IDC_BLOCK_TABLE_SUM_LABEL, IDC_BLOCK_TABLE_SUM_UNIT,
         IDC_BLOCK_GIRDER_SUM_LABEL, IDC_BLOCK_GIRDER_SUM_UNIT}},
};

constexpr int kNumberSpins[] = {IDC_BLOCK_START_SPIN, IDC_BLOCK_END_SPIN, IDC_BLOCK_SPLIT_SPIN};

}

// ---- table ----

void CSetupBlockGrid::OnSetup()
{
    CTableGrid::OnSetup();
    SetMultiSelectMode(TRUE);
    EnablePopupMenu(TRUE);
}

BOOL CSetupBlockGrid::OnCheckText(int col, int row, const QString& text, int source)
{
    m_nAcceptRow = row;
    m_dAccepted = AfxAtof(text);
    const BOOL ok = CTableGrid::OnCheckText(col, row, text, source);
    m_nAcceptRow = -1;
    return ok;
}

double CSetupBlockGrid::Number(int row)
{
    if (row == m_nAcceptRow)
        return m_dAccepted;
    CGridCell cell;
    return GetCell(0, row, &cell) ? cell.GetNumber() : 0.0;
}

// ---- window ----

CSetupBlockDialog::CSetupBlockDialog() : CModelessInputDialog(IDD_BLOCK)
{
    OnNotify(IDC_BLOCK_JOIN, BN_CLICKED, [this] { OnMode(0); });
    OnNotify(IDC_BLOCK_SPLIT, BN_CLICKED, [this] { OnMode(1); });
    OnNotify(IDC_BLOCK_LENGTHS, BN_CLICKED, [this] { OnMode(2); });
    OnNotify(IDC_BLOCK_MIDDLE, BN_CLICKED, [this] { OnSplitAtMiddle(); });
    OnNotify(IDC_BLOCK_GIVEN, BN_CLICKED, [this] { OnSplitAtGiven(); });
    OnNotify(IDC_BLOCK_SPLIT_SPIN, UDN_DELTAPOS, [this] { OnSplitDeltaPos(); });
    OnNotify(IDC_BLOCK_RUN, BN_CLICKED, [this] { OnExecute(); });
    // Close and help are the main frame's commands.
    for (UINT id : {UINT(ID_BLOCK_DIALOG), UINT(ID_HELP)})
        OnNotify(id, BN_CLICKED, [this, id] {
            if (CWnd* main = AfxGetMainWnd())
                main->OnCmdMsg(id, CN_COMMAND, nullptr);
            else if (id == ID_BLOCK_DIALOG)
                ShowWindow(SW_HIDE);
        });
    for (UINT message : {UINT(WM_GRID_ROWCHANGED), UINT(WM_GRID_EDITDONE)})
        OnMessage(message, [this](WPARAM, LPARAM) -> LRESULT {
            ShowTableSum();
            return 0;
        });
    for (UINT message : {UINT(WM_FORCEBAR_GIRDER), UINT(WM_CALCBAR_GIRDER)})
        OnMessage(message, [this](WPARAM, LPARAM lParam) -> LRESULT {
            SelectGirder(int(lParam));
            return 0;
        });
}

BOOL CSetupBlockDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_BLOCK_POS_SPIN)))
        spin->SetRange(0, 100000);
    GetDlgItem(IDC_BLOCK_LENGTHS)->EnableWindow(TRUE);
    m_grid.AttachGrid(IDC_BLOCK_TABLE, this);
    m_nBlocks = 0;
    UpdateData(FALSE);
    return TRUE;
}

void CSetupBlockDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_BLOCK_JOIN, m_nMode);
    DDX_Radio(pDX, IDC_BLOCK_MIDDLE, m_nSplitAt);
    DDX_Text(pDX, IDC_BLOCK_SPLIT_NO, m_nSplitSection);
    DDV_MinMaxInt(pDX, m_nSplitSection, 0, 1000);
    DDX_Text(pDX, IDC_BLOCK_POS, m_nSplitPos);
    DDX_Text(pDX, IDC_BLOCK_START, m_nStartSection);
    DDV_MinMaxInt(pDX, m_nStartSection, 0, 1000);
    DDX_Text(pDX, IDC_BLOCK_END, m_nEndSection);
    DDV_MinMaxInt(pDX, m_nEndSection, 0, 1000);
}

void CSetupBlockDialog::OnShowWindow(BOOL bShow, UINT)
{
    if (!bShow)
        return;
    if (const CMarivoltenDoc* doc = g_pDoc)
        m_nGirder = doc->m_nCalcGirder;
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_BLOCK_POS)))
        edit->SetReadOnly(m_nSplitAt == 0);
    m_nBlocks = 0;
    FillTable();
    UpdateControls();
}

void CSetupBlockDialog::OnOK()
{
    if (UpdateData(TRUE))
        ShowWindow(SW_HIDE);
}

void CSetupBlockDialog::OnCancel()
{
    ShowWindow(SW_HIDE);
}

CGirderDesign* CSetupBlockDialog::Girder() const
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || !doc->m_pGirders || m_nGirder < 0 || m_nGirder >= g_nGirders || m_nGirder >= MAX_GIRDERS)
        return nullptr;
    return &doc->m_pGirders[m_nGirder];
}

bool CSetupBlockDialog::CountsSections() const
{
    const CMarivoltenDoc* doc = g_pDoc;
    return doc && doc->m_dlgBasic.m_nHeightVariation == 1;
}

int CSetupBlockDialog::UnitCount() const
{
    const CGirderDesign* girder = Girder();
    if (!girder)
        return 0;
    return CountsSections() ? int(girder->m_pSections.size()) : int(girder->Blocks().size());
}

void CSetupBlockDialog::SelectGirder(int g)
{
    m_nGirder = g;
    // The table always shows the girder that the numbers and an execution refer to.
    FillTable();
    ResetNumbers();
}

void CSetupBlockDialog::FillTable()
{
    const CGirderDesign* girder = Girder();
    std::vector<double> lengths;
    double total = 0.0;
    if (girder) {
        // With a constant height an execution reads sections, so the rows are sections.
        if (CountsSections())
            for (const CSectionRecord& s : girder->m_pSections)
                lengths.push_back(s.m_dLength);
        else
            lengths = girder->BlockLengths();
        for (const CSectionRecord& s : girder->m_pSections)
            total += s.m_dLength;
    }
    m_nBlocks = int(lengths.size());
    m_pdBlockLength = lengths;
    if (!m_grid.GetSafeHwnd())
        return;
    m_grid.SetPaintMode(0);
    m_grid.SetNumberCols(1, FALSE);
    m_grid.SetNumberRows(m_nBlocks, FALSE);
    m_grid.SetSideHeadingWidth(64);
    m_grid.SetColWidth(0, 124);
    m_grid.SetCellText(-1, -1, QStringLiteral("No."));
    m_grid.SetCellText(0, -1, QStringLiteral("ブロック長(mm)"));
    const bool editable = m_nMode == 2;
    for (int r = 0; r < m_nBlocks; ++r) {
        m_grid.SetCellText(-1, r, AfxFormat("%d", r + 1));
        CGridCell cell;
        m_grid.GetCell(0, r, &cell);
        cell.SetDecimals(0);
        cell.SetRange(kShortestMm, kLongestMm);
        cell.EnableRangeCheck(1);
        cell.SetText(AfxFormat("%6.0f", lengths[size_t(r)] * 1000.0));
        cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
        cell.SetReadOnly(editable ? 0 : 1);
        cell.SetBackColor(editable ? kEditable : kFixed);
        m_grid.SetCell(0, r, &cell);
    }
    m_grid.SetPaintMode(1);
    const QString text = AfxFormat("%10.0f", total * 1000.0);
    GetDlgItem(IDC_BLOCK_TABLE_SUM)->SetWindowText(text);
    GetDlgItem(IDC_BLOCK_GIRDER_SUM)->SetWindowText(text);
}

void CSetupBlockDialog::ResetNumbers()
{
    if (!GetSafeHwnd())
        return;
    const int count = UnitCount();
    for (int id : kNumberSpins)
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(id))) {
            spin->SetRange(0, count);
            spin->SetPos(0);
        }
}

void CSetupBlockDialog::UpdateControls()
{
    if (!GetSafeHwnd())
        return;
    ResetNumbers();
    for (const ModeGroup& group : kModeGroups)
        for (int id : group.ids)
            if (CWnd* w = GetDlgItem(id))
                w->EnableWindow(group.mode == m_nMode);
    const bool editable = m_nMode == 2;
    for (int r = 0; r < m_grid.GetNumberRows(); ++r) {
        CGridCell cell;
        m_grid.GetCell(0, r, &cell);
        cell.SetReadOnly(editable ? 0 : 1);
        cell.SetBackColor(editable ? kEditable : kFixed);
        m_grid.SetCell(0, r, &cell);
    }
    m_grid.RedrawAll();
}

void CSetupBlockDialog::ShowTableSum()
{
    double sum = 0.0;
    for (int r = 0; r < m_nBlocks && r < m_grid.GetNumberRows(); ++r)
        sum += m_grid.Number(r);
    GetDlgItem(IDC_BLOCK_TABLE_SUM)->SetWindowText(AfxFormat("%10.0f", sum));
}

void CSetupBlockDialog::OnMode(int nMode)
{
    m_nMode = nMode;
    UpdateControls();
}

bool CSetupBlockDialog::HalfLength(int n, int* pMm)
{
    if (n < 1 || n > UnitCount())
        return false;
    double mm = 0.0;
    if (CountsSections())
        mm = Girder()->m_pSections[size_t(n - 1)].m_dLength * 1000.0;
    else if (n <= m_grid.GetNumberRows())
        mm = m_grid.Number(n - 1);
    else
        return false;
    *pMm = int(std::trunc(mm / 2.0));
    return true;
}

void CSetupBlockDialog::OnSplitAtMiddle()
{
    m_nSplitAt = 0;
    int n = AfxAtoi(GetDlgItem(IDC_BLOCK_SPLIT_NO)->GetWindowText());
    if (n <= 0)
        n = 1;
    int half = 0;
    if (HalfLength(n, &half)) {
        m_nSplitPos = half;
        GetDlgItem(IDC_BLOCK_POS)->SetWindowText(AfxFormat("%d", half));
    }
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_BLOCK_POS)))
        edit->SetReadOnly(TRUE);
}

void CSetupBlockDialog::OnSplitAtGiven()
{
    UpdateData(TRUE);
    if (auto* edit = dynamic_cast<CEdit*>(GetDlgItem(IDC_BLOCK_POS)))
        edit->SetReadOnly(FALSE);
}

void CSetupBlockDialog::OnSplitDeltaPos()
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_BLOCK_SPLIT_SPIN));
    if (!spin || m_nSplitAt != 0)
        return;
    int half = 0;
    if (HalfLength(spin->GetPos() + spin->m_nDelta, &half)) {
        m_nSplitPos = half;
        GetDlgItem(IDC_BLOCK_POS)->SetWindowText(AfxFormat("%d", half));
    }
}

bool CSetupBlockDialog::CheckUnit(int nNumber)
{
    if (nNumber >= 1 && nNumber <= UnitCount())
        return true;
    AfxMessageBox(CountsSections() ? QStringLiteral("指定番号の断面は存在しません。")
                                   : QStringLiteral("指定番号のブロックは存在しません。"));
    return false;
}

bool CSetupBlockDialog::ApplyLengths(CGirderDesign& girder)
{
    // A table laid out for another layout holds nothing that fits this girder.
    if (m_nBlocks != UnitCount() || m_nBlocks < 1)
        return false;
    double sum = 0.0;
    for (double length : m_pdBlockLength)
        sum += length;
    // Lengths that miss the girder would leave the sections with the forces of the old ones.
    if (std::fabs(sum - girder.m_dGirderLength) > kSumTolerance) {
        AfxMessageBox(QString::fromUtf8(kSumMismatch));
        return false;
    }
    if (!CountsSections())
        return girder.SetBlockLengths(m_pdBlockLength.data(), m_nBlocks) != 0;

    // The last section takes what whole millimetres leave over, so the sections add up exactly.
    double before = 0.0;
    for (int s = 0; s + 1 < m_nBlocks; ++s) {
        girder.m_pSections[size_t(s)].m_dLength = m_pdBlockLength[size_t(s)];
        before += m_pdBlockLength[size_t(s)];
    }
    girder.m_pSections.back().m_dLength = girder.m_dGirderLength - before;
    if (!girder.UpdateSectionForces())
        AfxMessageBox(QString::fromUtf8(kSumMismatch));
    for (CSectionRecord& s : girder.m_pSections)
        s.Recalculate(girder);
    return true;
}

void CSetupBlockDialog::OnExecute()
{
    CMarivoltenDoc* doc = g_pDoc;
    CGirderDesign* girder = Girder();
    if (!doc || !girder)
        return;
    m_nBlocks = m_grid.GetNumberRows();
    m_pdBlockLength.assign(size_t(std::max(m_nBlocks, 0)), 0.0);
    for (int r = 0; r < m_nBlocks; ++r)
        m_pdBlockLength[size_t(r)] = m_grid.Number(r) / 1000.0;
    if (!UpdateData(TRUE))
        return;

    RefreshDesignInputs(*doc);
    const bool sections = CountsSections();
    bool done = false;
    switch (m_nMode) {
    case 0:
        if (!CheckUnit(m_nStartSection) || !CheckUnit(m_nEndSection))
            return;
        done = sections ? girder->JoinSections(girder->m_input, m_nStartSection - 1, m_nEndSection - 1)
                        : girder->JoinBlocks(m_nStartSection - 1, m_nEndSection - 1, 1);
        break;
    case 1: {
        if (!CheckUnit(m_nSplitSection))
            return;
        const double pos = m_nSplitPos / 1000.0;
        done = sections ? girder->SplitSection(girder->m_input, m_nSplitSection - 1, pos, 1)
                        : girder->SplitBlock(m_nSplitSection - 1, pos, 1);
        break;
    }
    default:
        if (!ApplyLengths(*girder))
            return;
        done = true;
        break;
    }

    if (done)
        FollowSectionEdits(*doc);
    FillTable();
    ResetNumbers();
    doc->SetModifiedFlag();
    doc->UpdateAllViews(nullptr);
}
