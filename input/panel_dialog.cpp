#include "input/panel_dialog.h"
#include "input/headed_table.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"
#include "input/panel_picture.h"

#include <algorithm>
#include <cmath>

CSetupPanelDialog* g_pPanelDlg = nullptr;

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr double kPi = 3.14159265359;

const char* const kJointsQuestion = "格子計算、断面計算の結果が無効になります。また、主桁継ぎ手位置を初期化します。\nよろしいですか。";
const char* const kJointsQuestionSwitch = "格子計算、断面計算の結果が無効になります。また、主桁継ぎ手位置を初期化します。よろしいですか。";

const char* const kCrossBeamDirs[4] = {"骨組基本線に直交", "θ1に揃える", "θ2に揃える", "主桁に直交"};
const char* const kLineTypeNames[2] = {"直線", "円弧"};

void Message(const char* text) { AfxMessageBox(QString::fromUtf8(text)); }

// A number cell with a spin; the range is recorded but held to only where switched on.
void SpinCell(CGridCell& c, double value, int decimals, double lo, double hi, const char* mask, short rangeCheck)
{
    c.SetCellType(GRID_CT_SPIN);
    c.SetCellTypeEx(0);
    c.SetReadOnly(0);
    c.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
    c.SetDecimals(WORD(decimals));
    c.SetRange(lo, hi);
    c.EnableRangeCheck(rangeCheck);
    c.SetLabel(QString::fromLatin1(mask));
    c.SetNumber(value);
}

// A choice stepped by its spin: the number is kept, its name is shown.
void ChoiceCell(CGridCell& c, int value, const QString& name)
{
    c.SetCellType(GRID_CT_SPIN);
    c.SetCellTypeEx(GRID_STYLE_CHOICES);
    c.SetReadOnly(1);
    c.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
    c.SetDecimals(0);
    c.SetChoiceList(name);
    c.SetNumber(value);
}

QString ChoiceName(int row, int value)
{
    if (row == CSetupPanelGrid1::ROW_CROSSBEAM)
        return QString::fromUtf8(kCrossBeamDirs[std::clamp(value, 0, 3)]);
    return QString::fromUtf8(kLineTypeNames[value != 0 ? 1 : 0]);
}

void HeadingColours(CTableGrid& t)
{
    t.GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    t.GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    t.GetHeadingDefaultCell()->SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
}

}

PanelDivisionData::PanelDivisionData()
{
    for (int s = 0; s < MAX_SPANS; ++s) {
        for (int e = 0; e < 2; ++e) {
            m_adBaseToG1[s][e] = 2.6;
            m_adGirderSpacing[s][e] = 2.3;
            m_adSkew[s][e] = kRightAngle;
        }
        m_adBaseRadius[s] = -100.0;
        m_anGirderLineType[s] = 0;
        m_anCrossBeamDir[s] = 0;
        m_anBaseLineType[s] = 0;
    }
}

// ---- numeric setting table ----

void CSetupPanelGrid1::OnSetup()
{
    CTableGrid::OnSetup();
    HeadingColours(*this);
    SetSideHeadingWidth(120);
    SetVScrollWidth(0);
    SetHScrollHeight(0);
    SetNumberCols(2, FALSE);
    SetNumberRows(ROWS, FALSE);
    SetCellText(0, -1, QStringLiteral("始端"));
    SetCellText(1, -1, QStringLiteral("終端"));
    JoinCells(0, ROW_GIRDER, 1, ROW_GIRDER);
    JoinCells(0, ROW_CROSSBEAM, 1, ROW_CROSSBEAM);
}

void CSetupPanelGrid1::OnSize(UINT nType, int cx, int cy)
{
    CTableGrid::OnSize(nType, cx, cy);
    // Both columns share the width, and the rows the height, of the control.
    const int w = GetSettings()->m_nAreaWidth, h = GetSettings()->m_nAreaHeight;
    if (w > 2 && h > ROWS) {
        SetColWidth(0, w / 2);
        SetColWidth(1, w - w / 2);
        for (int r = 0; r < ROWS; ++r)
            SetRowHeight(r, std::max(r + 1 < ROWS ? h / ROWS : h - (ROWS - 1) * (h / ROWS), 16));
    }
}

void CSetupPanelGrid1::Fill(const CSetupPanelDialog& dlg, int s)
{
    m_nAcceptedCol = m_nAcceptedRow = -1;
    SetPaintMode(0);
    const char* headings[ROWS] = {"基本線－G1桁 L(mm)",
                                  g_nBridgeType == 2 ? "ｳｪﾌﾞ間隔 /２ W(mm)" : "主桁間隔     W(mm)",
                                  "ｽｷｭｰ角      θ(度)", "主桁", "横桁", "骨組基本線   R(m)"};
    for (int r = 0; r < ROWS; ++r)
        SetCellText(-1, r, QString::fromUtf8(headings[r]));
    CGridCell c;
    for (int e = 0; e < 2; ++e) {
        GetCell(e, ROW_L, &c);
        SpinCell(c, dlg.m_adBaseToG1[s][e] * 1000.0, 1, 100.0, 2000000.0, "22222222", -1);
        SetCell(e, ROW_L, &c);
        GetCell(e, ROW_W, &c);
        SpinCell(c, dlg.m_adGirderSpacing[s][e] * 1000.0, 1, 100.0, 100000.0, "22222222", -1);
        SetCell(e, ROW_W, &c);
        GetCell(e, ROW_THETA, &c);
        SpinCell(c, dlg.m_adSkew[s][e] * 180.0 / kPi, 1, 60.0, 120.0, "22222", -1);
        SetCell(e, ROW_THETA, &c);
    }
    SetChoice(ROW_GIRDER, dlg.m_anGirderLineType[s]);
    SetChoice(ROW_CROSSBEAM, dlg.m_anCrossBeamDir[s]);
    SetChoice(ROW_BASE, dlg.m_anBaseLineType[s]);
    GetCell(1, ROW_BASE, &c);
    SpinCell(c, dlg.m_adBaseRadius[s], 1, -10000000.0, 10000000.0, "44444444", -1);
    SetCell(1, ROW_BASE, &c);
    ShowRadius(dlg.m_anBaseLineType[s] != 0);
    SetPaintMode(1);
}

void CSetupPanelGrid1::SetChoice(int row, int value)
{
    CGridCell c;
    GetCell(0, row, &c);
    ChoiceCell(c, value, ChoiceName(row, value));
    SetCell(0, row, &c);
}

void CSetupPanelGrid1::ShowRadius(BOOL bArc)
{
    // The radius keeps its number either way; a straight base line only shows it as "∞".
    CGridCell c;
    GetCell(1, ROW_BASE, &c);
    c.SetReadOnly(bArc ? 0 : 1);
    c.SetCellTypeEx(bArc ? 0 : GRID_STYLE_CHOICES);
    c.SetChoiceList(bArc ? QString() : QStringLiteral("∞"));
    c.SetAlignment(bArc ? GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER : GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
    SetCell(1, ROW_BASE, &c);
}

double CSetupPanelGrid1::Value(int col, int row)
{
    CGridCell c;
    GetCell(col, row, &c);
    return c.GetNumber();
}

BOOL CSetupPanelGrid1::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!CTableGrid::OnCheckText(col, row, text, source))
        return FALSE;
    m_nAcceptedCol = col;
    m_nAcceptedRow = row;
    return TRUE;
}

void CSetupPanelGrid1::OnSetCell(int col, int row, CGridCell* cell)
{
    if (row < 0 || col != m_nAcceptedCol || row != m_nAcceptedRow || !cell)
        return;
    m_nAcceptedCol = m_nAcceptedRow = -1;
    // A typed number is shown with the table's decimals like its neighbours.
    cell->SetNumber(cell->GetNumber());
}

void CSetupPanelGrid1::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (!headedtable::IsSpinStep(typeId, msg) || col < 0 || row < 0) {
        CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
        return;
    }
    const int dir = msg == GRID_NOTIFY_SPIN_UP ? 1 : -1;
    CGridCell c;
    GetCell(col, row, &c);
    const double v = c.GetNumber();
    switch (row) {
    case ROW_L:
    case ROW_W:
        c.SetNumber(v + 100.0 * dir);
        SetCell(col, row, &c);
        break;
    case ROW_THETA:
        c.SetNumber(v + dir);
        SetCell(col, row, &c);
        break;
    case ROW_GIRDER: {
        const int girder = int(v) == 0 ? 1 : 0;
        SetChoice(ROW_GIRDER, girder);
        // A curved main girder needs a curved base line.
        if (girder == 1 && int(Value(0, ROW_BASE)) == 0) {
            SetChoice(ROW_BASE, 1);
            ShowRadius(TRUE);
        }
        break;
    }
    case ROW_CROSSBEAM:
        SetChoice(ROW_CROSSBEAM, (int(v) + dir + 4) % 4);
        break;
    case ROW_BASE:
        if (col == 0) {
            const int base = int(v) == 0 ? 1 : 0;
            SetChoice(ROW_BASE, base);
            if (base == 0 && int(Value(0, ROW_GIRDER)) == 1)
                SetChoice(ROW_GIRDER, 0);
            ShowRadius(base != 0);
        } else {
            if (c.GetReadOnly() > 0) {
                MessageBeep(MB_ICONEXCLAMATION);
                AfxMessageBox(QStringLiteral("骨組み基本線のﾀｲﾌﾟを「円弧」とすると曲率半径が設定できます。"));
                return;
            }
            c.SetNumber(v + 10.0 * dir);
            SetCell(col, row, &c);
        }
        break;
    default:
        break;
    }
    RedrawAll();
    if (row >= ROW_GIRDER)
        Notify(WM_PANELGRID_CHANGED, col, row);
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

// ---- panel length table ----

void CSetupPanelGrid2::OnSetup()
{
    CTableGrid::OnSetup();
    HeadingColours(*this);
    SetSideHeadingWidth(30);
    SetHScrollHeight(0);
    SetNumberCols(1, FALSE);
    SetCellText(-1, -1, QStringLiteral("No."));
    SetCellText(0, -1, QStringLiteral("ﾊﾟﾈﾙ長(mm)"));
    SetNumberRows(MAX_PANELS, FALSE);
}

void CSetupPanelGrid2::OnSize(UINT nType, int cx, int cy)
{
    CTableGrid::OnSize(nType, cx, cy);
    if (GetSettings()->m_nAreaWidth > 10)
        SetColWidth(0, GetSettings()->m_nAreaWidth);
}

void CSetupPanelGrid2::Fill(const double* adLengthMm, int nPanels)
{
    m_nAcceptedRow = -1;
    SetPaintMode(0);
    SetNumberRows(nPanels, FALSE);
    CGridCell c;
    for (int r = 0; r < nPanels; ++r) {
        GetCell(-1, r, &c);
        c.SetText(AfxFormat("%d", r + 1));
        c.SetTextColor(kHeadingText);
        c.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
        SetCell(-1, r, &c);
        GetCell(0, r, &c);
        SpinCell(c, adLengthMm[r], 2, 1000.0, 100000.0, "222222222", 1);
        SetCell(0, r, &c);
    }
    SetPaintMode(1);
}

double CSetupPanelGrid2::Value(int row)
{
    CGridCell c;
    GetCell(0, row, &c);
    return c.GetNumber();
}

void CSetupPanelGrid2::SetValue(int row, double dMm)
{
    CGridCell c;
    GetCell(0, row, &c);
    c.SetNumber(dMm);
    SetCell(0, row, &c);
}

BOOL CSetupPanelGrid2::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!CTableGrid::OnCheckText(col, row, text, source))
        return FALSE;
    m_nAcceptedRow = row;
    return TRUE;
}

void CSetupPanelGrid2::OnSetCell(int col, int row, CGridCell* cell)
{
    if (row < 0 || col != 0 || row != m_nAcceptedRow || !cell)
        return;
    m_nAcceptedRow = -1;
    cell->SetNumber(cell->GetNumber());
    // Kept now, so that the sum the window shows has the new length in it.
    m_pDataSource->SetCell(col, row, cell);
    if (auto* dlg = dynamic_cast<CSetupPanelDialog*>(GetParent()))
        dlg->ShowSums("%9.1f");
}

void CSetupPanelGrid2::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId == GRID_CT_SPIN && col == 0 && row >= 0 && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)) {
        double v = Value(row);
        if (msg == GRID_NOTIFY_SPIN_UP)
            v = v < 1000.0 ? 1000.0 : v < 100000.0 ? std::min(v + 100.0, 100000.0) : v;
        else if (v > 1000.0)
            v -= 100.0;
        SetValue(row, v);
        RedrawCell(col, row);
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

// ---- picture table ----

void CPanelPictureGrid::OnSetup()
{
    CTableGrid::OnSetup();
    SetTopHeadingHeight(0);
    SetSideHeadingWidth(0);
    SetVScrollWidth(0);
    SetHScrollHeight(0);
    SetNumberCols(1, FALSE);
    SetNumberRows(5, FALSE);
    JoinCells(0, 0, 0, 4);
    m_type.SetDrawFn([](CDC* dc, const CRect& rect, const CGridCell& cell) {
        DrawPanelPicture(dc, rect, int(cell.GetValue()));
    });
    AddCellType(&m_type);
    CGridCell c;
    GetCell(0, 0, &c);
    c.SetCellType(GRID_CT_DRAWN);
    c.SetReadOnly(1);
    c.SetBackColor(RGB(255, 255, 255));
    c.SetSelBackColor(RGB(255, 255, 255));
    SetCell(0, 0, &c);
}

void CPanelPictureGrid::OnSize(UINT nType, int cx, int cy)
{
    CTableGrid::OnSize(nType, cx, cy);
    // The one cell is the whole control.
    const int w = GetSettings()->m_nAreaWidth, h = GetSettings()->m_nAreaHeight;
    if (w > 0 && h >= 5) {
        SetColWidth(0, w);
        for (int r = 0; r < 5; ++r)
            SetRowHeight(r, r < 4 ? h / 5 : h - 4 * (h / 5));
    }
}

void CPanelPictureGrid::ShowPicture(int nPictureId)
{
    CGridCell c;
    GetCell(0, 0, &c);
    c.SetDecimals(0);
    c.SetNumber(nPictureId);
    SetCell(0, 0, &c);
    RedrawAll();
}

// ---- window ----

CSetupPanelDialog::CSetupPanelDialog() : CModelessInputDialog(IDD_PANEL, IDC_PANEL_UPDATE)
{
    OnNotify(IDC_PANEL_UPDATE, BN_CLICKED, [this] { OnUpdate(); });
    OnNotify(IDC_PANEL_EQUAL_ALL, BN_CLICKED, [this] { OnEqualAll(); });
    OnNotify(IDC_PANEL_EQUAL_ZEROS, BN_CLICKED, [this] { OnEqualZeros(); });
    OnNotify(IDC_PANEL_ALL_ZERO, BN_CLICKED, [this] { OnAllZero(); });
    OnNotify(IDC_PANEL_SPAN_SPIN, UDN_DELTAPOS, [this] { OnSpanDeltaPos(); });
    // Close and help are the main frame's commands.
    for (UINT id : {UINT(ID_SETUP_PANEL), UINT(ID_HELP)})
        OnNotify(id, BN_CLICKED, [this, id] {
            if (CWnd* main = AfxGetMainWnd())
                main->OnCmdMsg(id, CN_COMMAND, nullptr);
            else if (id == ID_SETUP_PANEL)
                ShowWindow(SW_HIDE);
        });
    OnMessage(WM_GRID_EDITDONE, [this](WPARAM, LPARAM) -> LRESULT {
        if (g_nSpans > 1)
            if (CWnd* spin = GetDlgItem(IDC_PANEL_SPAN_SPIN))
                spin->EnableWindow(TRUE);
        SetUpdatePending(TRUE);
        ShowSums("%9.1f");
        return 0;
    });
    OnMessage(WM_GRID_SPIN, [this](WPARAM, LPARAM) -> LRESULT {
        SetUpdatePending(TRUE);
        ShowSums("%9.2f");
        return 0;
    });
    OnMessage(WM_GRID_ROWCHANGED, [this](WPARAM, LPARAM) -> LRESULT {
        ShowSums("%9.2f");
        return 0;
    });
    OnMessage(WM_PANEL_LOCK_SPAN, [this](WPARAM, LPARAM) -> LRESULT {
        if (CWnd* spin = GetDlgItem(IDC_PANEL_SPAN_SPIN))
            spin->EnableWindow(FALSE);
        return 0;
    });
    OnMessage(WM_PANELGRID_CHANGED, [this](WPARAM wParam, LPARAM lParam) -> LRESULT {
        OnPictureUpdate(int(wParam), int(lParam));
        return 0;
    });
}

int CSetupPanelDialog::SpanCount() const { return std::clamp(g_nSpans, 0, MAX_SPANS); }

int CSetupPanelDialog::PanelCount() const
{
    return m_nSpan >= 0 && m_nSpan < MAX_SPANS ? std::clamp(g_anPanelCount[m_nSpan], 1, MAX_PANELS) : 1;
}

double CSetupPanelDialog::SpanLength() const { return m_nSpan >= 0 && m_nSpan < MAX_SPANS ? g_adSpanLength[m_nSpan] : 0.0; }

CSetupPanelDialog::Source CSetupPanelDialog::CurrentSource() const
{
    Source src;
    src.data = *this;
    src.nSpans = g_nSpans;
    src.nBridgeType = g_nBridgeType;
    src.nSpan = m_nSpan;
    src.nPanels = PanelCount();
    src.dSpanLength = SpanLength();
    if (m_nSpan >= 0 && m_nSpan < MAX_SPANS)
        std::copy(std::begin(g_adPanelLength[m_nSpan]), std::end(g_adPanelLength[m_nSpan]), src.adPanelLength);
    return src;
}

BOOL CSetupPanelDialog::OnInitDialog()
{
    CModelessInputDialog::OnInitDialog();
    m_gridPanels.AttachGrid(IDC_PANEL_TABLE, this);
    m_gridPicture.AttachGrid(IDC_PANEL_PICTURE, this);
    m_gridValues.AttachGrid(IDC_PANEL_VALUES, this);
    FillAll();
    return TRUE;
}

void CSetupPanelDialog::OnShowWindow(BOOL bShow, UINT)
{
    if (!bShow)
        return;
    if (m_nSpan >= g_nSpans || m_nSpan < 0)
        m_nSpan = 0;
    // Edits left unapplied stay while what they were made on stands.
    if (IsUpdatePending() && m_filled == CurrentSource()) {
        ShowSpanControls();
        ShowSums("%9.2f");
        return;
    }
    FillAll();
}

void CSetupPanelDialog::ShowSpanControls()
{
    const BOOL several = g_nSpans > 1;
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_PANEL_SPAN_SPIN))) {
        spin->SetRange(0, std::max(SpanCount() - 1, 0));
        spin->SetPos(m_nSpan);
        spin->EnableWindow(several);
    }
    // After the spin, which writes its buddy: the number counts spans from 1.
    if (CWnd* no = GetDlgItem(IDC_PANEL_SPAN_NO))
        no->SetWindowText(AfxFormat("%3d", m_nSpan + 1));
    for (int id : {IDC_PANEL_SPAN_LABEL, IDC_PANEL_SPIN_LABEL})
        if (CWnd* label = GetDlgItem(id))
            label->EnableWindow(several);
}

void CSetupPanelDialog::FillAll()
{
    if (!GetSafeHwnd())
        return;
    m_nSpan = std::clamp(m_nSpan, 0, MAX_SPANS - 1);
    m_gridPanels.GetEdit()->Close();
    m_gridValues.GetEdit()->Close();
    ShowSpanControls();
    const int n = PanelCount();
    double mm[MAX_PANELS] = {};
    for (int k = 0; k < n; ++k)
        mm[k] = g_adPanelLength[m_nSpan][k] * 1000.0;
    m_gridPanels.Fill(mm, n);
    m_gridValues.Fill(*this, m_nSpan);
    // Through the first cells, so that the current headings show.
    m_gridPanels.GotoCell(0, std::min(1, n - 1));
    m_gridPanels.GotoCell(0, 0);
    m_gridValues.GotoCell(0, 1);
    m_gridValues.GotoCell(1, 0);
    m_gridValues.GotoCell(0, 0);
    ShowSums("%9.2f");
    OnPictureUpdate(0, CSetupPanelGrid1::ROW_GIRDER);
    SetUpdatePending(FALSE);
    m_filled = CurrentSource();
}

void CSetupPanelDialog::ShowSums(const char* format)
{
    if (!GetSafeHwnd())
        return;
    double sum = 0.0;
    for (int k = 0; k < m_gridPanels.GetNumberRows(); ++k)
        sum += m_gridPanels.Value(k);
    if (CWnd* w = GetDlgItem(IDC_PANEL_SUM))
        w->SetWindowText(AfxFormat(format, sum));
    if (CWnd* w = GetDlgItem(IDC_PANEL_SPAN_LENGTH))
        w->SetWindowText(AfxFormat(format, SpanLength() * 1000.0));
}

void CSetupPanelDialog::OnPictureUpdate(int col, int row)
{
    if (col == 1 && row == CSetupPanelGrid1::ROW_BASE)
        return;
    m_nPicture = PanelPictureId(g_nBridgeType, int(m_gridValues.Value(0, CSetupPanelGrid1::ROW_GIRDER)),
                                int(m_gridValues.Value(0, CSetupPanelGrid1::ROW_CROSSBEAM)),
                                int(m_gridValues.Value(0, CSetupPanelGrid1::ROW_BASE)));
    m_gridPicture.ShowPicture(m_nPicture);
}

int CSetupPanelDialog::IsPanelSumValid()
{
    double sum = 0.0;
    for (int k = 0; k < m_gridPanels.GetNumberRows(); ++k)
        sum += m_gridPanels.Value(k) / 1000.0;
    return std::fabs(sum - SpanLength()) * 1000.0 <= 0.099 ? 1 : 0;
}

BOOL CSetupPanelDialog::EndEdits()
{
    for (CTableGrid* t : std::initializer_list<CTableGrid*>{&m_gridPanels, &m_gridValues})
        if (!t->m_area.EndEdit())
            return FALSE;
    m_gridPanels.SetFocus();
    return TRUE;
}

BOOL CSetupPanelDialog::CheckEntries()
{
    using G = CSetupPanelGrid1;
    if (!IsPanelSumValid()) {
        Message("パネル長の合計値が支間長と一致するように設定して下さい。");
        return FALSE;
    }
    for (int k = 0; k < m_gridPanels.GetNumberRows(); ++k)
        if (!(m_gridPanels.Value(k) > 0.0)) {
            Message("パネル長は正の値を設定して下さい。");
            return FALSE;
        }
    // A straight base line keeps its radius unused.
    if (int(m_gridValues.Value(0, G::ROW_BASE)) != 0 && std::fabs(m_gridValues.Value(1, G::ROW_BASE)) < 10.0) {
        Message("設定された曲率半径が小さすぎます。");
        return FALSE;
    }
    for (int e = 0; e < 2; ++e)
        if (!(m_gridValues.Value(e, G::ROW_L) > 0.0)) {
            Message("基本線－G1桁の距離は正の値を設定して下さい。");
            return FALSE;
        }
    for (int e = 0; e < 2; ++e)
        if (!(m_gridValues.Value(e, G::ROW_W) > 0.0)) {
            Message(g_nBridgeType == 2 ? "ｳｪﾌﾞ間隔は正の値を設定して下さい。" : "主桁間隔は正の値を設定して下さい。");
            return FALSE;
        }
    for (int e = 0; e < 2; ++e) {
        const double theta = m_gridValues.Value(e, G::ROW_THETA);
        if (!(theta >= 60.0 && theta <= 120.0)) {
            Message("ｽｷｭｰ角は60度から120度の範囲で設定して下さい。");
            return FALSE;
        }
    }
    return TRUE;
}

bool CSetupPanelDialog::FramingChanged()
{
    using G = CSetupPanelGrid1;
    const int s = m_nSpan;
    // At the table's one decimal: a typed 90° is not the stored right angle to the last bit.
    auto differs = [](double shown, double stored) { return AfxFormat("%.1f", shown) != AfxFormat("%.1f", stored); };
    for (int e = 0; e < 2; ++e) {
        if (differs(m_gridValues.Value(e, G::ROW_L), m_adBaseToG1[s][e] * 1000.0)
            || differs(m_gridValues.Value(e, G::ROW_W), m_adGirderSpacing[s][e] * 1000.0)
            || differs(m_gridValues.Value(e, G::ROW_THETA), m_adSkew[s][e] * 180.0 / kPi))
            return true;
    }
    return int(m_gridValues.Value(0, G::ROW_GIRDER)) != m_anGirderLineType[s]
        || int(m_gridValues.Value(0, G::ROW_BASE)) != m_anBaseLineType[s];
}

BOOL CSetupPanelDialog::AskQuestions(bool bSwitch)
{
    if (!g_pDoc)
        return TRUE;
    return ConfirmFramingChange(FramingChanged(), bSwitch ? kJointsQuestionSwitch : kJointsQuestion,
                                !bSwitch || IsUpdatePending());
}

void CSetupPanelDialog::StoreSpan()
{
    using G = CSetupPanelGrid1;
    const int s = m_nSpan;
    if (s < 0 || s >= MAX_SPANS)
        return;
    const int n = std::min(m_gridPanels.GetNumberRows(), MAX_PANELS);
    double before = 0.0;
    for (int k = 0; k < n; ++k) {
        g_adPanelLength[s][k] = m_gridPanels.Value(k) / 1000.0;
        if (k + 1 < n)
            before += g_adPanelLength[s][k];
    }
    // The last panel takes up what the check let through, so that the span adds up exactly.
    if (n > 0)
        g_adPanelLength[s][n - 1] = g_adSpanLength[s] - before;

    for (int e = 0; e < 2; ++e) {
        m_adBaseToG1[s][e] = m_gridValues.Value(e, G::ROW_L) / 1000.0;
        m_adGirderSpacing[s][e] = m_gridValues.Value(e, G::ROW_W) / 1000.0;
        m_adSkew[s][e] = m_gridValues.Value(e, G::ROW_THETA) * kPi / 180.0;
    }
    m_anGirderLineType[s] = int(m_gridValues.Value(0, G::ROW_GIRDER));
    m_anCrossBeamDir[s] = int(m_gridValues.Value(0, G::ROW_CROSSBEAM));
    m_anBaseLineType[s] = int(m_gridValues.Value(0, G::ROW_BASE));
    m_adBaseRadius[s] = m_gridValues.Value(1, G::ROW_BASE);

    // A support shared with the next or the previous span is one support.
    if (s > 0) {
        m_adBaseToG1[s - 1][1] = m_adBaseToG1[s][0];
        m_adGirderSpacing[s - 1][1] = m_adGirderSpacing[s][0];
        m_adSkew[s - 1][1] = m_adSkew[s][0];
    }
    if (s + 1 < SpanCount()) {
        m_adBaseToG1[s + 1][0] = m_adBaseToG1[s][1];
        m_adGirderSpacing[s + 1][0] = m_adGirderSpacing[s][1];
        m_adSkew[s + 1][0] = m_adSkew[s][1];
    }
}

void CSetupPanelDialog::Rebuild()
{
    CopySkewsToSupportStations();
    if (CMarivoltenDoc* doc = g_pDoc)
        doc->Rebuild(CMarivoltenDoc::RebuildReason::Panels);
}

void CSetupPanelDialog::OnUpdate()
{
    if (!EndEdits() || !CheckEntries() || !AskQuestions(false))
        return;
    if (g_pDoc)
        g_pDoc->SetModifiedFlag();
    SetUpdatePending(FALSE);
    StoreSpan();
    Rebuild();
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_PANEL, 1);
        g_pMainFrame->SetStepDone(ID_SETUP_ESTIMATE, 0);
        if (g_pDoc)
            g_pMainFrame->EnableHeightCommands(g_pDoc->m_dlgBasic.m_nHeightVariation, 0);
    }
    FillAll();
}

void CSetupPanelDialog::OnSpanDeltaPos()
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_PANEL_SPAN_SPIN));
    if (!spin)
        return;
    // The window keeps the spin's position itself.
    spin->m_bRefused = true;
    const int target = m_nSpan + spin->m_nDelta;
    if (target < 0 || target >= SpanCount() || target == m_nSpan)
        return;
    if (!EndEdits() || !CheckEntries() || !AskQuestions(true))
        return;
    // Unapplied edits of the span left are applied on the way.
    const bool pending = IsUpdatePending();
    if (pending) {
        if (g_pDoc)
            g_pDoc->SetModifiedFlag();
        StoreSpan();
    }
    m_nSpan = target;
    if (pending) {
        Rebuild();
        if (g_pMainFrame && g_pDoc)
            g_pMainFrame->EnableHeightCommands(g_pDoc->m_dlgBasic.m_nHeightVariation, 0);
    }
    FillAll();
}

void CSetupPanelDialog::OnEqualAll()
{
    if (!EndEdits())
        return;
    const int n = m_gridPanels.GetNumberRows();
    for (int k = 0; k < n; ++k)
        m_gridPanels.SetValue(k, SpanLength() * 1000.0 / n);
    m_gridPanels.RedrawAll();
    ShowSums("%9.2f");
    SetUpdatePending(TRUE);
}

void CSetupPanelDialog::OnEqualZeros()
{
    if (!EndEdits())
        return;
    const int n = m_gridPanels.GetNumberRows();
    double sum = 0.0;
    int zeros = 0;
    for (int k = 0; k < n; ++k) {
        const double v = m_gridPanels.Value(k) / 1000.0;
        if (std::fabs(v) > 1e-20)
            sum += v;
        else
            ++zeros;
    }
    if (zeros == 0)
        return;
    for (int k = 0; k < n; ++k)
        if (std::fabs(m_gridPanels.Value(k) / 1000.0) <= 1e-20)
            m_gridPanels.SetValue(k, (SpanLength() - sum) / zeros * 1000.0);
    m_gridPanels.RedrawAll();
    ShowSums("%9.2f");
    SetUpdatePending(TRUE);
}

void CSetupPanelDialog::OnAllZero()
{
    if (!EndEdits())
        return;
    for (int k = 0; k < m_gridPanels.GetNumberRows(); ++k)
        m_gridPanels.SetValue(k, 0.0);
    m_gridPanels.RedrawAll();
    ShowSums("%9.2f");
}
