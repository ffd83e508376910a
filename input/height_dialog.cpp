#include "input/height_dialog.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/girder_data_dialogs.h"

#include <algorithm>
#include <cmath>

CSetupHeightDialog* g_pHeightDlg = nullptr;

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr int POINTS = HeightChangeData::POINTS;
// Nearest a change point may come to a support or another point (m).
constexpr double kMinGap = 0.1;


int Spans() { return std::clamp(g_nSpans, 0, MAX_SPANS); }

// Column of the left support of span s (of the last support for s = the span count).
int FirstPoint(const int* anCount, int s)
{
    int first = s;
    for (int k = 0; k < s && k < MAX_SPANS; ++k)
        first += std::max(anCount[k], 0);
    return first;
}

// Supports and change points of the current spans.
int PointCount(const int* anCount) { return FirstPoint(anCount, Spans()) + 1; }

bool IsSupport(const int* anCount, int c)
{
    for (int s = 0; s <= Spans(); ++s) {
        const int first = FirstPoint(anCount, s);
        if (c == first)
            return true;
        if (c < first)
            return false;
    }
    return false;
}

// A span length that no division turns into NaN.
double SpanLength(int s)
{
    const double L = g_adSpanLength[s];
    return std::isfinite(L) ? L : 0.0;
}

// Why a change point at dPos (m) of a span L long may not stand beside the span's points
// before it (first..last, positions in adPos); empty when it may.
QString CheckPoint(double L, double dPos, const double* adPos, int first, int last)
{
    if (dPos == 0.0 || !std::isfinite(dPos))
        return QStringLiteral("正しい位置を指定してください。");
    if (dPos >= L)
        return QStringLiteral("指定された位置が支間長を超えています。");
    if (dPos >= L - kMinGap || dPos <= kMinGap)
        return QStringLiteral("指定された位置が支点に近すぎます。");
    for (int p = first; p <= last; ++p) {
        if (adPos[p] == dPos)
            return QStringLiteral("変化点が重複しています。");
        if (adPos[p] > dPos - kMinGap && adPos[p] < dPos + kMinGap)
            return QStringLiteral("設定済み変化点と接近しすぎています。");
    }
    return QString();
}

}

HeightChangeData::HeightChangeData()
{
    // Each span's support, no change points yet, then the last support: all at position 0.
    for (double& p : m_adPointPos)
        p = 0.0;
    for (auto& point : m_adPointHeight)
        for (double& h : point)
            h = 1.0;
}

// ---- table ----

void CSetupHeightGrid::OnSetup()
{
    CTableGrid::OnSetup();
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    SetDefColWidth(65);
    SetSideHeadingWidth(95);
    SetMultiSelectMode(TRUE);
    EnablePopupMenu(TRUE);
}

double CSetupHeightGrid::Number(int col, int row)
{
    CGridCell cell;
    return GetCell(col, row, &cell) ? cell.GetNumber() : 0.0;
}

void CSetupHeightGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)) {
        CGridCell cell;
        GetCell(col, row, &cell);
        double value = cell.GetNumber();
        // Positions from 0, heights within the girder data's range.
        const double lo = row == 0 ? 0.0 : GirderHeightData::MIN_HEIGHT_MM;
        const double hi = row == 0 ? 10000.0 : GirderHeightData::MAX_HEIGHT_MM;
        if (msg == GRID_NOTIFY_SPIN_UP && value < hi)
            value = value < lo ? lo : std::min(value + 1.0, hi);
        else if (msg == GRID_NOTIFY_SPIN_DOWN && value > lo)
            value = std::max(value - 1.0, lo);
        cell.SetNumber(value);
        SetCell(col, row, &cell);
        RedrawCell(col, row);
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

// ---- window ----

CSetupHeightDialog::CSetupHeightDialog() : CModelessInputDialog(IDD_HEIGHT, IDC_HEIGHT_UPDATE)
{
    for (auto& point : m_adEditHeight)
        for (double& h : point)
            h = 1.0;
    OnNotify(IDC_HEIGHT_UPDATE, BN_CLICKED, [this] { OnUpdate(); });
    OnNotify(IDC_HEIGHT_ADD, BN_CLICKED, [this] { OnAdd(); });
    OnNotify(IDC_HEIGHT_DELETE, BN_CLICKED, [this] { OnDelete(); });
    // "閉じる" carries the main frame's toggle command.
    OnNotify(ID_SETUP_HEIGHT, BN_CLICKED, [] {
        if (g_pMainFrame)
            g_pMainFrame->OnCmdMsg(ID_SETUP_HEIGHT, CN_COMMAND, nullptr);
    });
    // A typed value or a spin step leaves something to apply.
    for (UINT message : {UINT(WM_GRID_EDITDONE), UINT(WM_GRID_SPIN)})
        OnMessage(message, [this](WPARAM, LPARAM) -> LRESULT {
            SetUpdatePending(TRUE);
            return 0;
        });
}

BOOL CSetupHeightDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpdatePending(FALSE);
    m_grid.AttachGrid(IDC_HEIGHT_TABLE, this);
    std::copy(std::begin(m_anPointCount), std::end(m_anPointCount), m_anEditCount);
    std::copy(std::begin(m_adPointPos), std::end(m_adPointPos), m_adEditPos);
    for (int p = 0; p < POINTS; ++p)
        std::copy(std::begin(m_adPointHeight[p]), std::end(m_adPointHeight[p]), m_adEditHeight[p]);
    m_nEditCols = std::min(PointCount(m_anEditCount), POINTS);
    return TRUE;
}

void CSetupHeightDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_HEIGHT_STRAIGHT, m_nInterpolation);
}

void CSetupHeightDialog::OnShowWindow(BOOL bShow, UINT)
{
    if (bShow)
        ShowCommitted();
}

int CSetupHeightDialog::GirderRows() const
{
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc || doc->m_dlgBasic.m_nHeightVariation != 0)
        return 0;
    return g_nBridgeType == 2 ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS);
}

void CSetupHeightDialog::ShowCommitted()
{
    if (!GetSafeHwnd())
        return;
    // Whatever was left unapplied is dropped: the window shows what is stored.
    UpdateData(FALSE);
    std::copy(std::begin(m_anPointCount), std::end(m_anPointCount), m_anEditCount);
    std::copy(std::begin(m_adPointPos), std::end(m_adPointPos), m_adEditPos);
    if (GirderRows() > 0)
        for (int p = 0; p < POINTS; ++p)
            std::copy(std::begin(m_adPointHeight[p]), std::end(m_adPointHeight[p]), m_adEditHeight[p]);
    FillTable(true);
    m_nPointCols = m_nEditCols;
    SetUpdatePending(FALSE);
}

void CSetupHeightDialog::FillTable(bool bSpinPositions)
{
    m_nEditCols = std::min(PointCount(m_anEditCount), POINTS);
    if (!m_grid.GetSafeHwnd())
        return;
    const int cols = m_nEditCols;
    const int girders = GirderRows();
    m_grid.SetPaintMode(0);
    m_grid.SetNumberCols(cols, FALSE);
    m_grid.SetNumberRows(1 + girders, FALSE);
    m_grid.SetCellText(-1, 0, QStringLiteral("変化点(mm)"));
    for (int g = 0; g < girders; ++g)
        m_grid.SetCellText(-1, g + 1, AfxFormat("h%2d  G%2d高(m)", g + 1, g + 1));
    for (int c = 0; c < cols; ++c) {
        const bool support = IsSupport(m_anEditCount, c);
        m_grid.SetCellText(c, -1, AfxFormat(support ? "定義点%d△" : "定義点%d", c + 1));
        for (int r = 0; r <= girders; ++r) {
            CGridCell cell;
            m_grid.GetCell(c, r, &cell);
            cell.SetDecimals(0);
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            if (r == 0) {
                cell.SetCellType(support || !bSpinPositions ? GRID_CT_NORMAL : GRID_CT_SPIN);
                cell.SetReadOnly(support ? 1 : 0);
                cell.SetRange(1000.0, 100000.0);
                cell.SetNumber(m_adEditPos[c] * 1000.0);
            } else {
                // The girder data's range, told by the table.
                cell.SetCellType(GRID_CT_SPIN);
                cell.SetReadOnly(0);
                cell.SetRange(GirderHeightData::MIN_HEIGHT_MM, GirderHeightData::MAX_HEIGHT_MM);
                cell.EnableRangeCheck(1);
                cell.SetNumber(m_adEditHeight[c][r - 1] * 1000.0);
            }
            m_grid.SetCell(c, r, &cell);
        }
    }
    m_grid.SetPaintMode(1);
}

void CSetupHeightDialog::TableToWorkingCopy()
{
    if (!m_grid.GetSafeHwnd())
        return;
    const int cols = std::min(m_grid.GetNumberCols(), POINTS);
    const int girders = std::min(m_grid.GetNumberRows() - 1, MAX_GIRDERS);
    for (int c = 0; c < cols; ++c) {
        m_adEditPos[c] = m_grid.Number(c, 0) / 1000.0;
        for (int g = 0; g < girders; ++g)
            m_adEditHeight[c][g] = m_grid.Number(c, g + 1) / 1000.0;
    }
}

void CSetupHeightDialog::SetDefaults()
{
    const CMarivoltenDoc* doc = g_pDoc;
    const double* girderHeights = nullptr;
    if (doc && doc->m_dlgBasic.m_nHeightVariation == 0)
        girderHeights = g_nBridgeType == 0 ? doc->m_dlgPlateGirder.m_adGirderHeight
                                           : doc->m_dlgBoxGirder.m_adGirderHeight;
    for (int p = 0; p < POINTS; ++p) {
        // No change points: every support stands at 0.
        m_adPointPos[p] = m_adEditPos[p] = 0.0;
        for (int g = 0; g < MAX_GIRDERS; ++g)
            m_adPointHeight[p][g] = m_adEditHeight[p][g] = girderHeights ? girderHeights[g] : 1.0;
    }
    std::fill(std::begin(m_anPointCount), std::end(m_anPointCount), 0);
    std::fill(std::begin(m_anEditCount), std::end(m_anEditCount), 0);
    m_nPointCols = m_nEditCols = Spans() + 1;
    if (IsWindowVisible())
        ShowCommitted();
}

void CSetupHeightDialog::Reset(int bClear)
{
    if (bClear != 1) {
        SetDefaults();
        return;
    }
    for (int p = 0; p < POINTS; ++p) {
        m_adPointPos[p] = m_adEditPos[p] = 0.0;
        if (g_pDoc)
            for (int g = 0; g < MAX_GIRDERS; ++g)
                m_adPointHeight[p][g] = m_adEditHeight[p][g] = 1.0;
    }
    std::fill(std::begin(m_anPointCount), std::end(m_anPointCount), 0);
    std::fill(std::begin(m_anEditCount), std::end(m_anEditCount), 0);
    m_nPointCols = m_nEditCols = Spans() + 1;
    if (IsWindowVisible())
        ShowCommitted();
}

bool CSetupHeightDialog::CheckTypedPositions(int* pCol, QString* pMessage)
{
    // Typed positions follow the rules of an added point: inside the span, clear of the
    // supports and of each other, and in order along the span.
    for (int s = 0; s < Spans(); ++s) {
        const int first = FirstPoint(m_anEditCount, s);
        for (int i = 1; i <= m_anEditCount[s] && first + i < m_nEditCols; ++i) {
            const int c = first + i;
            QString message = CheckPoint(SpanLength(s), m_adEditPos[c], m_adEditPos, first + 1, c - 1);
            if (message.isEmpty() && i > 1 && m_adEditPos[c] < m_adEditPos[c - 1])
                message = QStringLiteral("正しい位置を指定してください。");
            if (!message.isEmpty()) {
                *pCol = c;
                *pMessage = message;
                return false;
            }
        }
    }
    return true;
}

void CSetupHeightDialog::OnUpdate()
{
    CMarivoltenDoc* doc = g_pDoc;
    // A table laid out for other spans (a design opened meanwhile) holds nothing to apply.
    if (m_grid.GetNumberCols() != m_nEditCols || PointCount(m_anEditCount) != m_nEditCols) {
        ShowCommitted();
        return;
    }
    TableToWorkingCopy();
    int col = 0;
    QString refusal;
    if (!CheckTypedPositions(&col, &refusal)) {
        AfxMessageBox(refusal);
        m_grid.GotoCell(col, 0);
        return;
    }
    if (!DiscardResults())
        return;
    if (doc)
        doc->SetModifiedFlag();
    UpdateData(TRUE);
    SetUpdatePending(FALSE);

    const bool heights = GirderRows() > 0;
    for (int c = 0; c < m_nEditCols; ++c) {
        m_adPointPos[c] = m_adEditPos[c];
        if (heights)
            std::copy(std::begin(m_adEditHeight[c]), std::end(m_adEditHeight[c]), m_adPointHeight[c]);
    }
    std::copy(std::begin(m_anEditCount), std::end(m_anEditCount), m_anPointCount);
    m_nPointCols = m_nEditCols;

    if (doc)
        doc->Rebuild(CMarivoltenDoc::RebuildReason::Heights);
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_HEIGHT, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 1, g_bResultsValid);
    }
}

void CSetupHeightDialog::OnAdd()
{
    if (m_nEditCols >= POINTS) {
        AfxMessageBox(QStringLiteral("定義点は155点までしか設定できません。\nこれ以上追加できません。"));
        return;
    }
    TableToWorkingCopy();
    CSetupDefPointDialog dlg(this);
    dlg.DoModal();
    FillTable(false);
    SetUpdatePending(TRUE);
}

void CSetupHeightDialog::OnDelete()
{
    const int col = m_grid.GetCurrentCol();
    if (col < 0 || col >= m_nEditCols)
        return;
    TableToWorkingCopy();
    int c = col;
    for (int s = 0; s < MAX_SPANS; ++s) {
        if (c == 0) {
            AfxMessageBox(QStringLiteral("支点は削除できません。"));
            return;
        }
        if (c <= m_anEditCount[s]) {
            --m_anEditCount[s];
            for (int p = col; p + 1 < m_nEditCols; ++p) {
                m_adEditPos[p] = m_adEditPos[p + 1];
                std::copy(std::begin(m_adEditHeight[p + 1]), std::end(m_adEditHeight[p + 1]), m_adEditHeight[p]);
            }
            SetUpdatePending(TRUE);
            break;
        }
        c -= m_anEditCount[s] + 1;
    }
    FillTable(false);
}

bool CSetupHeightDialog::FollowSpanLengths(const double* adOldLength)
{
    bool moved = false;
    QStringList dropped;
    int from = 0, to = 0;
    // Point `from` goes to place `to` at pos; places only ever move left.
    auto take = [this, &from, &to](double pos) {
        if (from != to)
            std::copy(std::begin(m_adPointHeight[from]), std::end(m_adPointHeight[from]), m_adPointHeight[to]);
        m_adPointPos[to++] = pos;
        ++from;
    };
    for (int s = 0; s < Spans() && from < POINTS; ++s) {
        take(m_adPointPos[from]);       // the span's support
        const double L = SpanLength(s), old = adOldLength[s];
        const bool changed = !(std::fabs(old - L) <= 1e-20);
        // The haunch keeps its place between the supports.
        const double scale = changed && std::isfinite(old) && old > 0.0 ? L / old : 1.0;
        const int first = to;
        QStringList gone;
        int kept = 0;
        for (int i = 0; i < std::max(m_anPointCount[s], 0) && from < POINTS; ++i) {
            const double pos = m_adPointPos[from] * scale;
            if (changed && !CheckPoint(L, pos, m_adPointPos, first, to - 1).isEmpty()) {
                gone << AfxFormat("%.0fmm", m_adPointPos[from] * 1000.0);
                ++from;
                continue;
            }
            moved |= changed;
            take(pos);
            ++kept;
        }
        m_anPointCount[s] = kept;
        if (!gone.isEmpty()) {
            moved = true;
            dropped << AfxFormat("支間%d : ", s + 1) + gone.join(QStringLiteral(", "));
        }
    }
    if (from < POINTS)
        take(m_adPointPos[from]);       // the last support
    m_nPointCols = to;
    if (moved && IsWindowVisible())
        ShowCommitted();
    if (!dropped.isEmpty())
        AfxMessageBox(QStringLiteral("支間長の変更により、支点または他の変化点に近づきすぎた変化点を削除しました。\n")
                      + dropped.join(QLatin1Char('\n')));
    return moved;
}

QString CSetupHeightDialog::CheckNewPoint(int nSpan, double dPos) const
{
    if (nSpan < 0)
        return QStringLiteral("支間数が小さすぎます。");
    if (nSpan >= Spans())
        return QStringLiteral("支間数が大きすぎます。");
    const int first = FirstPoint(m_anEditCount, nSpan);
    return CheckPoint(SpanLength(nSpan), dPos, m_adEditPos, first, first + m_anEditCount[nSpan]);
}

bool CSetupHeightDialog::InsertPoint(int nSpan, double dPos)
{
    if (nSpan < 0 || nSpan >= Spans() || m_nEditCols >= POINTS)
        return false;
    const int first = FirstPoint(m_anEditCount, nSpan);
    int at = first + 1;
    while (at <= first + m_anEditCount[nSpan] && m_adEditPos[at] < dPos)
        ++at;
    // Everything from here on moves one place to the right.
    for (int p = m_nEditCols; p > at; --p) {
        m_adEditPos[p] = m_adEditPos[p - 1];
        std::copy(std::begin(m_adEditHeight[p - 1]), std::end(m_adEditHeight[p - 1]), m_adEditHeight[p]);
    }
    // The new point starts at the heights of the point before it.
    m_adEditPos[at] = dPos;
    std::copy(std::begin(m_adEditHeight[at - 1]), std::end(m_adEditHeight[at - 1]), m_adEditHeight[at]);
    ++m_anEditCount[nSpan];
    ++m_nEditCols;
    return true;
}

// ---- definition point dialog ----

CSetupDefPointDialog::CSetupDefPointDialog(CSetupHeightDialog* pOwner)
    : CDialog(IDD_DEF_POINT, pOwner), m_pOwner(pOwner)
{
    OnNotify(IDC_DEFPOINT_ADD, BN_CLICKED, [this] { OnAdd(); });
}

BOOL CSetupDefPointDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_DEFPOINT_SPAN_SPIN)))
        spin->SetRange(1, std::max(Spans(), 1));
    GetDlgItem(IDC_DEFPOINT_SPAN)->SetWindowText(QStringLiteral("1"));
    GetDlgItem(IDC_DEFPOINT_POS)->SetWindowText(QStringLiteral("0"));
    return TRUE;
}

void CSetupDefPointDialog::OnAdd()
{
    const int span = AfxAtoi(GetDlgItem(IDC_DEFPOINT_SPAN)->GetWindowText()) - 1;
    const double pos = AfxAtof(GetDlgItem(IDC_DEFPOINT_POS)->GetWindowText()) / 1000.0;
    QString refusal = m_pOwner->CheckNewPoint(span, pos);
    if (refusal.isEmpty() && !m_pOwner->InsertPoint(span, pos))
        refusal = QStringLiteral("定義点は155点までしか設定できません。\nこれ以上追加できません。");
    if (!refusal.isEmpty()) {
        AfxMessageBox(refusal);
        return;
    }
    EndDialog(IDOK);
}
