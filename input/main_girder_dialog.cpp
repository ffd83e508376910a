#include "input/main_girder_dialog.h"
#include "app/design_collect.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr double kMaxBlockLength = 100000000.0;    // mm
constexpr int kBlockColumnWidth = 70;


int Truncated(double value) { return int(std::clamp(std::trunc(value), -1e9, 1e9)); }

double NumberIn(CGridCtrl& grid, int col, int row)
{
    CGridCell cell;
    return grid.GetCell(col, row, &cell) ? cell.GetNumber() : 0.0;
}

// The length of one girder line along itself over all spans, -1 when the plan has none.
double PlanGirderLength(const CMarivoltenDoc& doc, int line)
{
    double length = 0.0;
    bool found = false;
    for (const CSpanData& span : doc.m_aSpans) {
        if (line < 0 || size_t(line) >= span.m_aGirderLines.size())
            continue;
        const double radius = span.m_aGirderLines[size_t(line)].m_dRadius;
        for (size_t j = 0; j + 1 < span.m_aPanelPoints.size(); ++j) {
            const auto& a = span.m_aPanelPoints[j].m_aptGirder;
            const auto& b = span.m_aPanelPoints[j + 1].m_aptGirder;
            if (size_t(line) >= a.size() || size_t(line) >= b.size())
                continue;
            length += CMarivoltenDoc::ArcLength(a[size_t(line)], b[size_t(line)], radius);
            found = true;
        }
    }
    return found ? length : -1.0;
}

}

// ---- joint position tables ----

void CJointPositionGrid1::OnSetup()
{
    CTableGrid::OnSetup();
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    SetSideHeadingWidth(40);
}

int CJointPositionGrid1::Count(int row) { return Truncated(NumberIn(*this, COL_COUNT, row)); }

void CJointPositionGrid1::UpdateBlockColumns()
{
    if (!m_pDlg)
        return;
    int n = 0;
    for (int r = 0; r < GetNumberRows(); ++r)
        n = std::max(n, Count(r));
    n = std::min(n, CJointPositionDlg::MAX_BLOCKS);
    // A block that goes away comes back empty.
    for (int r = 0; r < m_pDlg->m_grid2.GetNumberRows(); ++r)
        m_pDlg->m_grid2.SetCellText(n, r, QStringLiteral("0"));
    m_pDlg->RebuildBlockTable(n, 0);
    m_pDlg->m_grid2.UpdateTotals();
}

void CJointPositionGrid1::OnCellChange(int, int, int, int) { UpdateBlockColumns(); }

void CJointPositionGrid1::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM)
{
    // The count is this table's own business: the parent hears nothing of it.
    if (typeId != GRID_CT_SPIN || col != COL_COUNT || (msg != GRID_NOTIFY_SPIN_UP && msg != GRID_NOTIFY_SPIN_DOWN))
        return;
    CGridCell cell;
    if (!GetCell(col, row, &cell))
        return;
    const int most = CJointPositionDlg::MAX_BLOCKS;
    double value = std::min(cell.GetNumber(), double(most));
    if (msg == GRID_NOTIFY_SPIN_UP)
        value = value < most ? value + 1.0 : value;
    else
        value = value > 0.0 ? value - 1.0 : 0.0;
    cell.SetNumber(value);
    SetCell(col, row, &cell);
    RedrawCell(col, row);
    UpdateBlockColumns();
}

BOOL CJointPositionGrid1::OnEditStart(int col, int row, CWnd* edit)
{
    UpdateBlockColumns();
    return CTableGrid::OnEditFinish(col, row, edit);
}

BOOL CJointPositionGrid1::OnEditVerify(int, int, CWnd*, UINT*)
{
    UpdateBlockColumns();
    return TRUE;
}

BOOL CJointPositionGrid1::OnEditFinish(int col, int row, CWnd* edit)
{
    UpdateBlockColumns();
    return CTableGrid::OnEditFinish(col, row, edit);
}

BOOL CJointPositionGrid1::OnEditContinue(int, int, int*, int*)
{
    UpdateBlockColumns();
    return TRUE;
}

CJointPositionGrid2::CJointPositionGrid2(CJointPositionDlg* pDlg) : m_pDlg(pDlg)
{
    // The girder rows of both tables scroll together.
    OnMessage(WM_VSCROLL, [this](WPARAM w, LPARAM) -> LRESULT {
        const UINT code = UINT(w & 0xFFFF);
        const int pos = int((w >> 16) & 0xFFFF);
        if (m_pGrid1) {
            m_pGrid1->m_vScroll.OnScroll(code, pos);
            m_pGrid1->RedrawAll();
        }
        m_vScroll.OnScroll(code, pos);
        return 0;
    });
}

void CJointPositionGrid2::OnSetup()
{
    CTableGrid::OnSetup();
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    SetSideHeadingWidth(40);
}

double CJointPositionGrid2::Number(int col, int row) { return NumberIn(*this, col, row); }

void CJointPositionGrid2::UpdateTotals()
{
    if (!m_pGrid1 || !m_pDlg)
        return;
    for (int g = 0; g < m_pGrid1->GetNumberRows(); ++g) {
        const int count = m_pGrid1->Count(g);
        double sum = 0.0;
        for (int b = 0; b < count && b < GetNumberCols(); ++b)
            sum += Number(b, g) / 1000.0;
        const double length = g < MAX_GIRDERS ? m_pDlg->m_adGirderLength[g] : 0.0;
        m_pGrid1->SetCellText(CJointPositionGrid1::COL_TOTAL, g,
                              AfxFormat("%.0f(%5.0f)", sum * 1000.0, (length - sum) * 1000.0));
    }
    m_pGrid1->RedrawAll();
}

void CJointPositionGrid2::OnCellChange(int, int, int, int) { UpdateTotals(); }

void CJointPositionGrid2::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    CGridCell cell;
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)
        && GetCell(col, row, &cell) && cell.GetReadOnly() != 1) {
        double value = cell.GetNumber();
        if (msg == GRID_NOTIFY_SPIN_UP)
            value += 1.0;
        else if (value > 0.0)
            value = std::max(value - 1.0, 0.0);
        cell.SetNumber(value);
        SetCell(col, row, &cell);
        RedrawCell(col, row);
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
    UpdateTotals();
}

BOOL CJointPositionGrid2::OnEditStart(int col, int row, CWnd* edit)
{
    UpdateTotals();
    return CTableGrid::OnEditFinish(col, row, edit);
}

BOOL CJointPositionGrid2::OnEditVerify(int, int, CWnd*, UINT*)
{
    UpdateTotals();
    return TRUE;
}

BOOL CJointPositionGrid2::OnEditFinish(int col, int row, CWnd* edit)
{
    UpdateTotals();
    return CTableGrid::OnEditFinish(col, row, edit);
}

BOOL CJointPositionGrid2::OnEditContinue(int, int, int*, int*)
{
    UpdateTotals();
    return TRUE;
}

// ---- joint position dialog ----

CJointPositionDlg::CJointPositionDlg() : CDialog(IDD_JOINT_POSITION), m_grid1(this), m_grid2(this) {}

int CJointPositionDlg::Rows() { return g_nBridgeType == 2 ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS); }

void CJointPositionDlg::ResetBlocks()
{
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        m_apdBlockLength[g].clear();
        m_anBlockCount[g] = 0;
        m_adGirderLength[g] = 0.0;
    }
    m_bBlocksSet = 0;
}

void CJointPositionDlg::ComputeBlockLengths()
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    const int rows = Rows();
    for (int r = 0; r < rows; ++r) {
        // A single box is designed as its middle line.
        const int girder = g_nBridgeType == 2 ? 1 : r;
        const CGirderDesign* design = doc->m_pGirders && girder < g_nGirders ? &doc->m_pGirders[girder] : nullptr;
        if (design && design->m_dGirderLength > 0.0) {
            m_adGirderLength[r] = design->m_dGirderLength;
        } else if (const double length = PlanGirderLength(*doc, girder); length >= 0.0) {
            m_adGirderLength[r] = length;
        }
        // Blocks come only from designed sections; until then the given ones stay.
        const std::vector<double> blocks = design ? design->BlockLengths() : std::vector<double>();
        if (!blocks.empty()) {
            m_apdBlockLength[r] = blocks;
            m_anBlockCount[r] = int(blocks.size());
            m_bBlocksSet = 1;
        }
    }
}

int CJointPositionDlg::CheckBlockLengthsEntered()
{
    bool entered = true;
    for (int r = 0; r < Rows() && entered; ++r) {
        const int count = m_anBlockCount[r];
        const std::vector<double>& lengths = m_apdBlockLength[r];
        entered = count >= 1 && int(lengths.size()) >= count
               && std::all_of(lengths.begin(), lengths.begin() + count, [](double l) { return l > 0.0; });
    }
    if (entered)
        return 1;
    AfxMessageBox(QStringLiteral("ブロック長が入力されていません。データを入力するか\r＜主桁基本データ＞でブロック長を「自動決定」に設定してください。"));
    return 0;
}

BOOL CJointPositionDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_grid1.AttachGrid(IDC_JP_TOTALS, this);
    m_grid2.AttachGrid(IDC_JP_BLOCKS, this);
    m_grid2.m_pGrid1 = &m_grid1;
    const int rows = Rows();

    m_grid1.SetPaintMode(0);
    m_grid1.SetNumberCols(CJointPositionGrid1::COLS, FALSE);
    m_grid1.SetNumberRows(rows, FALSE);
    m_grid1.SetCellText(-1, -1, QStringLiteral("主桁"));
    m_grid1.SetCellText(CJointPositionGrid1::COL_TOTAL, -1, QStringLiteral("合計(残り) mm"));
    m_grid1.SetCellText(CJointPositionGrid1::COL_COUNT, -1, QStringLiteral("ﾌﾞﾛｯｸ数"));
    m_grid1.SetColWidth(CJointPositionGrid1::COL_TOTAL, 110);
    m_grid1.SetColWidth(CJointPositionGrid1::COL_COUNT, 70);
    m_grid2.SetPaintMode(0);
    m_grid2.SetNumberRows(rows, FALSE);
    m_grid2.SetCellText(-1, -1, QStringLiteral("主桁"));
    int n = 0;
    for (int r = 0; r < rows; ++r) {
        const QString name = AfxFormat("G%d", r + 1);
        m_grid1.SetCellText(-1, r, name);
        m_grid2.SetCellText(-1, r, name);
        CGridCell total;
        m_grid1.GetCell(CJointPositionGrid1::COL_TOTAL, r, &total);
        total.SetReadOnly(1);
        total.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
        m_grid1.SetCell(CJointPositionGrid1::COL_TOTAL, r, &total);
        // Typed counts are taken as they are; the spin keeps to the most blocks a girder has.
        CGridCell count;
        m_grid1.GetCell(CJointPositionGrid1::COL_COUNT, r, &count);
        count.SetCellType(GRID_CT_SPIN);
        count.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
        count.SetDecimals(0);
        count.SetReadOnly(0);
        count.SetNumber(m_anBlockCount[r]);
        m_grid1.SetCell(CJointPositionGrid1::COL_COUNT, r, &count);
        n = std::max(n, m_anBlockCount[r]);
    }
    m_grid1.SetPaintMode(1);
    m_grid2.SetPaintMode(1);
    RebuildBlockTable(n, 1);
    m_grid2.UpdateTotals();
    return TRUE;
}

void CJointPositionDlg::RebuildBlockTable(int n, int bFill)
{
    n = std::clamp(n, 0, MAX_BLOCKS);
    m_nBlockColumns = n;
    m_grid2.SetPaintMode(0);
    m_grid2.SetNumberCols(n, FALSE);
    for (int b = 0; b < n; ++b) {
        m_grid2.SetCellText(b, -1, AfxFormat("ﾌﾞﾛｯｸ %d", b + 1));
        m_grid2.SetColWidth(b, kBlockColumnWidth);
    }
    const int rows = std::min(m_grid2.GetNumberRows(), m_grid1.GetNumberRows());
    for (int r = 0; r < rows; ++r) {
        const int count = std::clamp(m_grid1.Count(r), 0, n);
        for (int b = 0; b < n; ++b) {
            CGridCell cell;
            m_grid2.GetCell(b, r, &cell);
            cell.SetCellType(GRID_CT_SPIN);
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            cell.SetDecimals(0);
            cell.SetRange(0.0, kMaxBlockLength);
            if (b < count) {
                double value = std::max(cell.GetNumber(), 0.0);
                if (bFill)
                    value = r < MAX_GIRDERS && size_t(b) < m_apdBlockLength[r].size() ? m_apdBlockLength[r][size_t(b)] * 1000.0
                                                                                       : 0.0;
                cell.SetReadOnly(0);
                cell.EnableRangeCheck(1);
                cell.SetNumber(value);
            } else {
                cell.SetReadOnly(1);
                cell.EnableRangeCheck(-1);
                cell.SetNumber(0.0);
                cell.SetText(QStringLiteral("－"));
            }
            m_grid2.SetCell(b, r, &cell);
        }
    }
    m_grid2.SetPaintMode(1);
}

void CJointPositionDlg::OnOK()
{
    const int rows = std::min(Rows(), m_grid1.GetNumberRows());
    // A typed count beyond what the spin reaches is refused as the table refuses its values.
    for (int r = 0; r < rows; ++r) {
        const int count = m_grid1.Count(r);
        if (count < 0 || count > MAX_BLOCKS) {
            CGridCell reach;
            reach.SetDecimals(0);
            reach.SetRange(0.0, double(MAX_BLOCKS));
            AfxMessageBox(CTableGrid::RangeMessage(reach));
            m_grid1.GotoCell(CJointPositionGrid1::COL_COUNT, r);
            return;
        }
    }
    ApplyBlockLengths();
    EndDialog(IDOK);
}

void CJointPositionDlg::ApplyBlockLengths()
{
    const int rows = std::min(Rows(), m_grid1.GetNumberRows());
    for (int r = 0; r < rows; ++r) {
        const int count = std::clamp(m_grid1.Count(r), 0, MAX_BLOCKS);
        std::vector<double> lengths(size_t(count), 0.0);
        for (int b = 0; b < count; ++b)
            lengths[size_t(b)] = m_grid2.Number(b, r) / 1000.0;
        m_anBlockCount[r] = count;
        m_apdBlockLength[r] = std::move(lengths);
    }
    m_bBlocksSet = 1;

    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || !doc->m_pGirders || doc->m_bGrillageNotRun)
        return;
    RefreshDesignInputs(*doc);
    for (int r = 0; r < rows; ++r) {
        // A single box is designed as its middle line.
        const int girder = g_nBridgeType == 2 ? 1 : r;
        if (girder < g_nGirders && m_anBlockCount[r] > 0)
            doc->m_pGirders[girder].SetBlockLengths(m_apdBlockLength[r].data(), m_anBlockCount[r]);
    }
    FollowSectionEdits(*doc);
    doc->SetModifiedFlag();
    doc->UpdateAllViews(nullptr);
}

// ---- box shape sketch ----

void DrawBoxShape(CDC* pDC, const CRect& rect)
{
    // A board of 300 x 170 units, y downwards, scaled into the frame.
    constexpr double kW = 300.0, kH = 170.0;
    const double s = std::min(rect.Width() / kW, rect.Height() / kH);
    const double ox = rect.left + (rect.Width() - kW * s) / 2.0;
    const double oy = rect.top + (rect.Height() - kH * s) / 2.0;
    auto P = [&](double x, double y) { return CPoint(int(std::lround(ox + x * s)), int(std::lround(oy + y * s))); };

    CBrush back(RGB(255, 255, 255));
    pDC->FillRect(&rect, &back);

    const COLORREF ink = RGB(30, 50, 100), dim = RGB(160, 0, 0);
    CPen steelPen(PS_SOLID, 1, ink);
    CBrush steel(RGB(176, 196, 222));
    CPen* oldPen = pDC->SelectObject(&steelPen);
    CBrush* oldBrush = pDC->SelectObject(&steel);
    auto plate = [&](double l, double t, double r, double b) {
        const CPoint pts[4] = {P(l, t), P(r, t), P(r, b), P(l, b)};
        pDC->Polygon(pts, 4);
    };
    // Flange, the two webs a apart and b in from the flange ends, and the bottom flange.
    constexpr double left = 30.0, right = 270.0, top = 40.0, b = 45.0, bottom = 130.0, web = 5.0;
    plate(left, top, right, top + 7.0);
    plate(left + b, top + 7.0, left + b + web, bottom);
    plate(right - b - web, top + 7.0, right - b, bottom);
    plate(left + b - 4.0, bottom, right - b + 4.0, bottom + 6.0);

    CPen dimPen(PS_SOLID, 1, dim);
    pDC->SelectObject(&dimPen);
    auto line = [&](double xa, double ya, double xb, double yb) {
        pDC->MoveTo(P(xa, ya));
        pDC->LineTo(P(xb, yb));
    };
    CFont font;
    font.CreateFont(-std::max(9, int(std::lround(13.0 * s))), 0, 0, 0, FW_NORMAL, 0, 0, 0, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                    QStringLiteral("ＭＳ Ｐゴシック"));
    CFont* oldFont = pDC->SelectObject(&font);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(dim);
    pDC->SetTextAlign(TA_CENTER | TA_BOTTOM);
    // A dimension from x0 to x1 on level y with its ticks and name.
    auto dimension = [&](double x0, double x1, double y, const char* name) {
        line(x0, y, x1 + 1.0 / s, y);
        line(x0, y - 5.0, x0, y + 6.0);
        line(x1, y - 5.0, x1, y + 6.0);
        const CPoint at = P((x0 + x1) / 2.0, y - 2.0);
        pDC->TextOut(at.x, at.y, QString::fromLatin1(name));
    };
    dimension(left, right, 22.0, "W");
    const double webA = left + b + web / 2.0, webB = right - b - web / 2.0;
    dimension(webA, webB, 158.0, "a");
    dimension(left, left + b, 70.0, "b");
    dimension(right - b, right, 70.0, "b");
    // Extension lines down to the a dimension.
    line(webA, bottom + 8.0, webA, 163.0);
    line(webB, bottom + 8.0, webB, 163.0);

    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldBrush);
    pDC->SelectObject(oldPen);
}

// ---- main girder dialog ----

namespace {

// One plate limit: its radios, value and spin, the spin's range, and its members.
struct Limit {
    int autoId, inputId, editId, spinId;
    int lo, hi;
    bool width;     // flange widths count on plate girders only
    int MainGirderData::*mode;
    double MainGirderData::*value;
};

const Limit kLimits[10] = {
    {IDC_MG_MAX_UF_THICK_AUTO, IDC_MG_MAX_UF_THICK_INPUT, IDC_MG_MAX_UF_THICK, IDC_MG_MAX_UF_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMaxUFThickMode, &MainGirderData::m_dMaxUFThick},
    {IDC_MG_MIN_UF_THICK_AUTO, IDC_MG_MIN_UF_THICK_INPUT, IDC_MG_MIN_UF_THICK, IDC_MG_MIN_UF_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMinUFThickMode, &MainGirderData::m_dMinUFThick},
    {IDC_MG_MAX_UF_WIDTH_AUTO, IDC_MG_MAX_UF_WIDTH_INPUT, IDC_MG_MAX_UF_WIDTH, IDC_MG_MAX_UF_WIDTH_SPIN, 100, 10000, true,
     &MainGirderData::m_nMaxUFWidthMode, &MainGirderData::m_dMaxUFWidth},
    {IDC_MG_MIN_UF_WIDTH_AUTO, IDC_MG_MIN_UF_WIDTH_INPUT, IDC_MG_MIN_UF_WIDTH, IDC_MG_MIN_UF_WIDTH_SPIN, 100, 10000, true,
     &MainGirderData::m_nMinUFWidthMode, &MainGirderData::m_dMinUFWidth},
    {IDC_MG_MAX_LF_THICK_AUTO, IDC_MG_MAX_LF_THICK_INPUT, IDC_MG_MAX_LF_THICK, IDC_MG_MAX_LF_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMaxLFThickMode, &MainGirderData::m_dMaxLFThick},
    {IDC_MG_MIN_LF_THICK_AUTO, IDC_MG_MIN_LF_THICK_INPUT, IDC_MG_MIN_LF_THICK, IDC_MG_MIN_LF_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMinLFThickMode, &MainGirderData::m_dMinLFThick},
    {IDC_MG_MAX_LF_WIDTH_AUTO, IDC_MG_MAX_LF_WIDTH_INPUT, IDC_MG_MAX_LF_WIDTH, IDC_MG_MAX_LF_WIDTH_SPIN, 100, 10000, true,
     &MainGirderData::m_nMaxLFWidthMode, &MainGirderData::m_dMaxLFWidth},
    {IDC_MG_MIN_LF_WIDTH_AUTO, IDC_MG_MIN_LF_WIDTH_INPUT, IDC_MG_MIN_LF_WIDTH, IDC_MG_MIN_LF_WIDTH_SPIN, 100, 10000, true,
     &MainGirderData::m_nMinLFWidthMode, &MainGirderData::m_dMinLFWidth},
    {IDC_MG_MAX_WEB_THICK_AUTO, IDC_MG_MAX_WEB_THICK_INPUT, IDC_MG_MAX_WEB_THICK, IDC_MG_MAX_WEB_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMaxWebThickMode, &MainGirderData::m_dMaxWebThick},
    {IDC_MG_MIN_WEB_THICK_AUTO, IDC_MG_MIN_WEB_THICK_INPUT, IDC_MG_MIN_WEB_THICK, IDC_MG_MIN_WEB_THICK_SPIN, 8, 100, false,
     &MainGirderData::m_nMinWebThickMode, &MainGirderData::m_dMinWebThick},
};

void Enable(CDialog* dlg, int id, bool on)
{
    if (CWnd* w = dlg->GetDlgItem(id))
        w->EnableWindow(on ? TRUE : FALSE);
}

int Checked(CDialog* dlg, int id)
{
    auto* b = dynamic_cast<CButton*>(dlg->GetDlgItem(id));
    return b ? b->GetCheck() : 0;
}

void SetRange(CDialog* dlg, int id, int lo, int hi)
{
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(dlg->GetDlgItem(id)))
        spin->SetRange(lo, hi);
}

double NumberIn(CDialog* dlg, int id)
{
    CWnd* w = dlg->GetDlgItem(id);
    return w ? AfxAtof(w->GetWindowText()) : 0.0;
}

}

CSetupMainGirderDialog::CSetupMainGirderDialog() : CDialog(IDD_MAIN_GIRDER)
{
    for (int i = 0; i < 10; ++i) {
        OnNotify(UINT(kLimits[i].autoId), BN_CLICKED, [this, i] { EnableLimit(i); });
        OnNotify(UINT(kLimits[i].inputId), BN_CLICKED, [this, i] { EnableLimit(i); });
    }
    OnNotify(IDC_MG_BLOCK_AUTO, BN_CLICKED, [this] { EnableBlockLengthMode(0); });
    OnNotify(IDC_MG_BLOCK_GIVEN, BN_CLICKED, [this] { EnableBlockLengthMode(1); });
    OnNotify(IDC_MG_BLOCK_LENGTHS, BN_CLICKED, [this] { OnBlockLengths(); });
    OnNotify(IDC_MG_FLANGE_W, EN_CHANGE, [this] { OnBoxDimensionChange(); });
    OnNotify(IDC_MG_WEB_A, EN_CHANGE, [this] { OnBoxDimensionChange(); });
}

void CSetupMainGirderDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_MG_UF_GRADE, m_cbUFGrade);
    DDX_Control(pDX, IDC_MG_LF_GRADE, m_cbLFGrade);
    DDX_Control(pDX, IDC_MG_WEB_GRADE, m_cbWebGrade);
    DDX_Text(pDX, IDC_MG_FLANGE_W, m_dFlangeWidthW);
    DDX_Text(pDX, IDC_MG_WEB_A, m_dWebSpacingA);
    DDX_Text(pDX, IDC_MG_OVERHANG_B, m_dOverhangB);
    for (const Limit& l : kLimits) {
        DDX_Radio(pDX, l.autoId, this->*l.mode);
        DDX_Text(pDX, l.editId, this->*l.value);
    }
    DDX_Radio(pDX, IDC_MG_STIFFENER_AUTO, m_nStiffenerSteps);
    DDX_Radio(pDX, IDC_MG_THICKNESS_MARKET, m_nThicknessStep);
    DDX_Text(pDX, IDC_MG_BENDING_MARGIN, m_dBendingMargin);
    DDX_Text(pDX, IDC_MG_MAX_SECTION, m_dMaxSectionLength);
    DDX_Text(pDX, IDC_MG_MIN_SECTION, m_dMinSectionLength);
    DDX_Check(pDX, IDC_MG_CONST_FLANGE_WIDTH, m_bConstFlangeWidth);
    DDX_Check(pDX, IDC_MG_IGNORE_TB16, m_bIgnoreTB16);
    DDX_Radio(pDX, IDC_MG_BLOCK_AUTO, m_nBlockLengthMode);
    DDX_Check(pDX, IDC_MG_MIN_WEB_TABLE_ONLY, m_bMinWebTableOnly);
}

BOOL CSetupMainGirderDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const bool plate = g_nBridgeType == 0;
    auto* editA = dynamic_cast<CEdit*>(GetDlgItem(IDC_MG_WEB_A));
    if (editA)
        editA->SetReadOnly(FALSE);
    for (int id : {IDC_MG_FLANGE_W, IDC_MG_FLANGE_W_SPIN, IDC_MG_WEB_A, IDC_MG_WEB_A_SPIN, IDC_MG_OVERHANG_B})
        Enable(this, id, !plate);
    for (const Limit& l : kLimits)
        if (l.width) {
            Enable(this, l.autoId, plate);
            Enable(this, l.inputId, plate);
        }
    // A single box takes its web spacing from the panel division.
    if (g_nBridgeType == 2) {
        const double half = g_pPanelDlg ? g_pPanelDlg->m_adGirderSpacing[0][0] : 0.0;
        if (editA) {
            editA->SetWindowText(AfxFormat("%0.0f", 2.0 * half * 1000.0));
            editA->SetReadOnly(TRUE);
        }
        Enable(this, IDC_MG_WEB_A_SPIN, false);
    }
    const std::pair<CComboBox*, int> grades[] = {{&m_cbUFGrade, m_nUFGrade}, {&m_cbLFGrade, m_nLFGrade},
                                                 {&m_cbWebGrade, m_nWebGrade}};
    for (const auto& [combo, grade] : grades) {
        combo->ResetContent();
        for (const QString& name : g_szSteelGrades9)
            combo->AddString(name);
        combo->SetCurSel(grade);
    }
    for (int i = 0; i < 10; ++i) {
        EnableLimit(i);
        SetRange(this, kLimits[i].spinId, kLimits[i].lo, kLimits[i].hi);
    }
    SetRange(this, IDC_MG_MAX_SECTION_SPIN, 5, 100);
    SetRange(this, IDC_MG_MIN_SECTION_SPIN, 1, 100);
    SetRange(this, IDC_MG_FLANGE_W_SPIN, 100, 10000);
    SetRange(this, IDC_MG_WEB_A_SPIN, 100, 10000);
    SetRange(this, IDC_MG_BENDING_MARGIN_SPIN, 0, 1000);
    if (CWnd* unit = GetDlgItem(IDC_MG_STRESS_UNIT))
        unit->SetWindowText(g_bSIUnits == 1 ? QStringLiteral("(N/mm2)") : QStringLiteral("(kg/cm2)"));
    if (CWnd* check = GetDlgItem(IDC_MG_CONST_FLANGE_WIDTH)) {
        check->EnableWindow(plate ? TRUE : FALSE);
        check->ShowWindow(plate ? SW_SHOW : SW_HIDE);
    }
    EnableBlockLengthMode(m_nBlockLengthMode == 1);
    m_picture.AttachPicture(IDC_MG_BOX_PICTURE, this, DrawBoxShape);
    m_dlgJointPosition.ComputeBlockLengths();
    return TRUE;
}

void CSetupMainGirderDialog::EnableLimit(int nLimit)
{
    const Limit& l = kLimits[nLimit];
    const bool open = Checked(this, l.inputId) == 1 && (!l.width || g_nBridgeType == 0);
    Enable(this, l.editId, open);
    Enable(this, l.spinId, open);
}

void CSetupMainGirderDialog::EnableBlockLengthMode(int bGiven)
{
    Enable(this, IDC_MG_BLOCK_LENGTHS, bGiven != 0);
    for (int id : {IDC_MG_MAX_SECTION, IDC_MG_MAX_SECTION_SPIN, IDC_MG_MIN_SECTION, IDC_MG_MIN_SECTION_SPIN,
                   IDC_MG_MAX_SECTION_LABEL, IDC_MG_MAX_SECTION_UNIT, IDC_MG_MIN_SECTION_LABEL, IDC_MG_MIN_SECTION_UNIT})
        Enable(this, id, bGiven == 0);
}

void CSetupMainGirderDialog::OnBoxDimensionChange()
{
    CWnd* w = GetDlgItem(IDC_MG_FLANGE_W);
    CWnd* a = GetDlgItem(IDC_MG_WEB_A);
    CWnd* b = GetDlgItem(IDC_MG_OVERHANG_B);
    if (!w || !a || !b || g_nBridgeType == 0)
        return;
    if (w->GetWindowText().isEmpty() || a->GetWindowText().isEmpty())
        return;
    b->SetWindowText(AfxFormat("%0.1f", (AfxAtof(w->GetWindowText()) - AfxAtof(a->GetWindowText())) / 2.0));
}

void CSetupMainGirderDialog::OnBlockLengths()
{
    if (g_pMainFrame && g_pMainFrame->IsCalcViewCurrent()) {
        AfxMessageBox(QStringLiteral("断面表を選択している場合はブロック長ダイアログを開けません。"));
        return;
    }
    m_dlgJointPosition.m_pParentWnd = this;
    m_dlgJointPosition.DoModal();
    m_dlgJointPosition.m_pParentWnd = nullptr;
}

void CSetupMainGirderDialog::OnOK()
{
    CMarivoltenDoc* doc = g_pDoc;
    // Everything is checked before anything is asked or stored.
    const bool autoBlocks = Checked(this, IDC_MG_BLOCK_AUTO) == 1;
    if (!autoBlocks && !m_dlgJointPosition.CheckBlockLengthsEntered())
        return;
    if (NumberIn(this, IDC_MG_OVERHANG_B) < -1e-20) {
        AfxMessageBox(QStringLiteral("張出長が負の値になっています。"));
        return;
    }
    if (!(NumberIn(this, IDC_MG_MAX_SECTION) >= 3.0 * NumberIn(this, IDC_MG_MIN_SECTION))) {
        AfxMessageBox(QStringLiteral("最大部材長 > 最小部材長 × 3となるように設定して下さい。"));
        return;
    }
    const MainGirderData saved = *this;
    if (!UpdateData(TRUE)) {
        static_cast<MainGirderData&>(*this) = saved;
        return;
    }
    if (!DiscardResults()) {
        static_cast<MainGirderData&>(*this) = saved;
        return;
    }
    for (const auto& [combo, grade] : {std::pair{&m_cbUFGrade, &m_nUFGrade}, std::pair{&m_cbLFGrade, &m_nLFGrade},
                                       std::pair{&m_cbWebGrade, &m_nWebGrade}})
        if (combo->GetCurSel() >= 0)
            *grade = combo->GetCurSel();
    if (autoBlocks)
        m_dlgJointPosition.ResetBlocks();
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_MAIN_GIRDER, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, doc && !doc->m_bGrillageNotRun);
    }
    EndDialog(IDOK);
}
