#include "input/cross_section_dialog.h"
#include "app/design_state.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "input/cross_section_picture.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"

#include <algorithm>
#include <cmath>

CSetupCrossSectionDialog* g_pCrossSectionDlg = nullptr;

namespace {
const double kDefaultB[12] = {4.5, 0.4, 1.0, 0.5, 1.0, 0.4, 0.2, 0.2, 0.2, 0.2, 1.05, 1.05};
// The curb rises start at 0; the defaults of a new design derive them from the other heights.
const double kDefaultH[12] = {0.25, 0.03, 0.26, 0.08, 0.21, 0.2, 0.08, 0.25, 0.03, 0.26, 0.0, 0.0};
constexpr double kPi = 3.14159265359;
constexpr double kZero = 1e-20;
constexpr COLORREF kHeadingText = RGB(0, 0, 150);
const char* const kRowHeadings[CrossSectionData::ROWS] = {
    "D   位置", "θ  角度(度)", "B 1 分離帯距離", "B 2 左地覆幅", "B 3 左歩道幅", "B 4 分離帯幅", "B 5 右歩道幅",
    "B 6 右地覆幅", "B 7 左高欄位置", "B 8 左縁石幅", "B 9 右縁石幅", "B10 右高欄位置", "B11 左張出幅",
    "B12 右張出幅", "H 1 左地覆立上", "H 2 左歩道舗装", "H 3 左ﾏｳﾝﾄ厚", "H 4 左車道舗装", "H 5 床版厚",
    "H 6 中分立上", "H 7 右車道舗装", "H 8 右地覆立上", "H 9 右歩道舗装", "H10 右ﾏｳﾝﾄ厚", "H11 左縁石立上",
    "H12 右縁石立上"};

// Where a zero or negative stored value takes the default instead.
void DefaultWhereZero(std::vector<double>& a, double value)
{
    for (double& v : a)
        if (v <= kZero)
            v = value;
}

int RowOfButton(int nID) { return CrossSectionData::ROW_B1 + (nID - IDC_CS_B1); }
int ButtonOfRow(int nRow) { return nRow >= CrossSectionData::ROW_B1 && nRow < CrossSectionData::ROWS ? IDC_CS_B1 + nRow - 2 : 0; }
}

// ---- data ----

CrossSectionData::CrossSectionData()
    : m_arrTheta(STATIONS, 1.570796326795), m_arrOverhangAddL(STATIONS, 0.0), m_arrOverhangAddR(STATIONS, 0.0)
{
    for (int i = 1; i <= 12; ++i) {
        B(i).assign(STATIONS, kDefaultB[i - 1]);
        H(i).assign(STATIONS, kDefaultH[i - 1]);
    }
    const CDesignLayout fresh;
    SeedStationPositions(fresh.adSpanLength, fresh.anFreeSections);
}

std::vector<double>& CrossSectionData::B(int i)
{
    std::vector<double>* b[12] = {&m_arrB1, &m_arrB2, &m_arrB3, &m_arrB4, &m_arrB5, &m_arrB6,
                                  &m_arrB7, &m_arrB8, &m_arrB9, &m_arrB10, &m_arrB11, &m_arrB12};
    return *b[std::clamp(i, 1, 12) - 1];
}

std::vector<double>& CrossSectionData::H(int i)
{
    std::vector<double>* h[12] = {&m_arrH1, &m_arrH2, &m_arrH3, &m_arrH4, &m_arrH5, &m_arrH6,
                                  &m_arrH7, &m_arrH8, &m_arrH9, &m_arrH10, &m_arrH11, &m_arrH12};
    return *h[std::clamp(i, 1, 12) - 1];
}

std::vector<double>& CrossSectionData::Row(int nRow)
{
    if (nRow <= ROW_D)
        return m_arrD;
    if (nRow == ROW_THETA)
        return m_arrTheta;
    if (nRow < ROW_H1)
        return B(nRow - ROW_B1 + 1);
    return H(nRow - ROW_H1 + 1);
}

int CrossSectionData::Capacity() const
{
    size_t n = std::min({m_arrD.size(), m_arrTheta.size(), m_arrOverhangAddL.size(), m_arrOverhangAddR.size()});
    for (int i = 1; i <= 12; ++i)
        n = std::min({n, B(i).size(), H(i).size()});
    return int(std::min(n, size_t(STATIONS)));
}

void CrossSectionData::SeedStationPositions(const double* adSpanLength, const int* anFreeSections)
{
    // Every support at 0, the free sections dividing their spans equally; the rest of the
    // stations' room stays 0.
    m_arrD.assign(STATIONS, 0.0);
    size_t next = 0;
    for (int i = 0; i < MAX_SPANS; ++i) {
        const int free = std::clamp(anFreeSections[i], 0, 10);
        for (int k = 0; k <= free && next < m_arrD.size(); ++k)
            m_arrD[next++] = adSpanLength[i] / (free + 1) * k;
    }
}

void CrossSectionData::SetDefaults(const double* adSpanLength, const int* anFreeSections)
{
    *this = CrossSectionData();
    SeedStationPositions(adSpanLength, anFreeSections);
    DeriveCurbRises();
}

void CrossSectionData::DeriveCurbRises(bool bLeft, bool bRight)
{
    for (size_t s = 0; s < m_arrH11.size() && s < m_arrH12.size(); ++s) {
        if (bLeft && s < m_arrH2.size() && s < m_arrH3.size() && s < m_arrH4.size())
            m_arrH11[s] = m_arrH2[s] + m_arrH3[s] - m_arrH4[s];
        if (bRight && s < m_arrH9.size() && s < m_arrH10.size() && s < m_arrH7.size())
            m_arrH12[s] = m_arrH9[s] + m_arrH10[s] - m_arrH7[s];
    }
}

void CrossSectionData::ResetEntries(int nMedian)
{
    if (nMedian == 0) {
        DefaultWhereZero(m_arrB4, 0.5);
        DefaultWhereZero(m_arrH6, 0.2);
    } else {
        std::fill(m_arrB4.begin(), m_arrB4.end(), 0.0);
        std::fill(m_arrH6.begin(), m_arrH6.end(), 0.0);
    }
}

void CrossSectionData::ResetSidewalkEntries(int nSidewalk)
{
    const bool left = nSidewalk == 1 || nSidewalk == 3;
    const bool right = nSidewalk == 2 || nSidewalk == 3;
    ZeroExcludedSidewalks(nSidewalk);
    if (left) {
        DefaultWhereZero(m_arrH1, 0.25);
        DefaultWhereZero(m_arrH2, 0.03);
        DefaultWhereZero(m_arrH3, 0.26);
        DefaultWhereZero(m_arrB3, 1.0);
        DefaultWhereZero(m_arrB8, 0.2);
    }
    if (right) {
        DefaultWhereZero(m_arrH8, 0.25);
        DefaultWhereZero(m_arrH9, 0.03);
        DefaultWhereZero(m_arrH10, 0.26);
        DefaultWhereZero(m_arrB5, 1.0);
        DefaultWhereZero(m_arrB9, 0.2);
    }
    if (left || right)
        DeriveCurbRises(left, right);
}

bool CrossSectionData::IsExcludedSidewalkRow(int nRow, int nSidewalk)
{
    const bool left = nSidewalk == 1 || nSidewalk == 3;
    const bool right = nSidewalk == 2 || nSidewalk == 3;
    auto in = [nRow](const int (&rows)[5]) { return std::find(std::begin(rows), std::end(rows), nRow) != std::end(rows); };
    return (!left && in(LEFT_SIDEWALK_ROWS)) || (!right && in(RIGHT_SIDEWALK_ROWS));
}

void CrossSectionData::ZeroExcludedSidewalks(int nSidewalk)
{
    for (int row = ROW_B1; row < ROWS; ++row)
        if (IsExcludedSidewalkRow(row, nSidewalk))
            std::fill(Row(row).begin(), Row(row).end(), 0.0);
}

// ---- table ----

void CSetupCrossSectionGrid::OnSetup()
{
    CTableGrid::OnSetup();
    // Every heading as the base table leaves one that stops being current.
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(RGB(192, 192, 192));
    SetDefColWidth(65);
    SetSideHeadingWidth(95);
    SetMultiSelectMode(TRUE);
    EnablePopupMenu(TRUE);
    SetNumberCols(1, FALSE);
    SetNumberRows(CrossSectionData::ROWS, FALSE);
    SetCellText(-1, -1, QStringLiteral("単位：mm"));
    for (int r = 0; r < CrossSectionData::ROWS; ++r)
        SetCellText(-1, r, QString::fromUtf8(kRowHeadings[r]));
}

double CSetupCrossSectionGrid::StepValue(int nRow, double v, bool bUp)
{
    // Positions move by 100 mm within 1000..100000, angles by a degree within 60..120,
    // dimensions by 10 mm from 0 up to 100000.
    double lo = 0.0, hi = 100000.0, step = 10.0;
    if (nRow == CrossSectionData::ROW_D)
        lo = 1000.0, step = 100.0;
    else if (nRow == CrossSectionData::ROW_THETA)
        lo = 60.0, hi = 120.0, step = 1.0;
    if (bUp)
        return v < hi ? (v < lo ? lo : v + step) : v;
    return v > lo ? v - step : v;
}

void CSetupCrossSectionGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)) {
        CGridCell cell;
        if (GetCell(col, row, &cell)) {
            cell.SetNumber(StepValue(row, cell.GetNumber(), msg == GRID_NOTIFY_SPIN_UP));
            SetCell(col, row, &cell);
            RedrawCell(col, row);
        }
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

BOOL CSetupCrossSectionGrid::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!CTableGrid::OnCheckText(col, row, text, source))
        return FALSE;
    m_nAcceptedCol = col;
    m_nAcceptedRow = row;
    return TRUE;
}

void CSetupCrossSectionGrid::OnSetCell(int col, int row, CGridCell* cell)
{
    if (!cell || col < 0 || row < 0 || col != m_nAcceptedCol || row != m_nAcceptedRow)
        return;
    m_nAcceptedCol = m_nAcceptedRow = -1;
    // What the table shows is what the update stores.
    cell->SetNumber(cell->GetNumber());
}

// ---- window ----

CSetupCrossSectionDialog::CSetupCrossSectionDialog() : CModelessInputDialog(IDD_CROSS_SECTION, IDC_CS_UPDATE)
{
    OnNotify(IDC_CS_UPDATE, BN_CLICKED, [this] { OnUpdate(); });
    for (int id = IDC_CS_B1; id <= IDC_CS_H12; ++id)
        OnNotify(UINT(id), BN_CLICKED, [this, id] { OnRowButton(id); });
    for (int id : {IDC_CS_LINEAR, IDC_CS_SPLINE})
        OnNotify(UINT(id), BN_CLICKED, [this] { SetUpdatePending(TRUE); });
    OnNotify(IDC_CS_COPY, BN_CLICKED, [this] { OnCopyFirstSupport(); });
    OnNotify(IDC_CS_SUPPORT_SPIN, UDN_DELTAPOS, [this] { OnSupportDeltaPos(); });
    // Closing and help are the main frame's commands.
    for (UINT id : {UINT(ID_SETUP_CROSS_SECTION), UINT(ID_HELP)})
        OnNotify(id, BN_CLICKED, [id] {
            if (g_pMainFrame)
                g_pMainFrame->OnCmdMsg(id, CN_COMMAND, nullptr);
        });
    OnMessage(WM_GRID_ROWCHANGED, [this](WPARAM oldRow, LPARAM newRow) -> LRESULT {
        OnRowChange(int(oldRow), int(newRow));
        return 0;
    });
    for (UINT message : {UINT(WM_GRID_EDITDONE), UINT(WM_GRID_SPIN)})
        OnMessage(message, [this](WPARAM, LPARAM) -> LRESULT {
            SetUpdatePending(TRUE);
            return 0;
        });
    OnMessage(WM_GRID_COLCHANGED, [](WPARAM, LPARAM) -> LRESULT { return 0; });
}

BOOL CSetupCrossSectionDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetUpdatePending(FALSE);
    m_grid.AttachGrid(IDC_CS_TABLE, this);
    m_picture.AttachPicture(IDC_CS_PICTURE, this, [this](CDC* pDC, const CRect& rect) { DrawPicture(pDC, rect); });
    // The edit beside the spin shows the support's number, one above the spin's position.
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_CS_SUPPORT_SPIN))) {
        spin->SetBuddy(nullptr);
        spin->SetRange(0, std::max(g_nSpans, 0));
    }
    return TRUE;
}

void CSetupCrossSectionDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_CS_LINEAR, m_nInterpolation);
}

void CSetupCrossSectionDialog::OnShowWindow(BOOL bShow, UINT)
{
    if (bShow)
        FillTable();
}

int CSetupCrossSectionDialog::Sidewalk() { return g_pDoc ? g_pDoc->m_dlgBasic.m_nSidewalk : 3; }

int CSetupCrossSectionDialog::StationCount() const
{
    return std::clamp(CountCrossSections(), 0, Capacity());
}

void CSetupCrossSectionDialog::FillTable()
{
    if (!GetSafeHwnd())
        return;
    // A text left typed before the window was hidden goes with the rest.
    m_grid.GetEdit()->Close();
    UpdateData(FALSE);
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_CS_SUPPORT_SPIN));
    const BOOL several = g_nSpans > 1;
    for (int id : {IDC_CS_SUPPORT_SPIN, IDC_CS_SUPPORT_LABEL, IDC_CS_SUPPORT_ARROWS})
        if (CWnd* w = GetDlgItem(id))
            w->EnableWindow(several);
    if (spin) {
        spin->SetRange(0, std::max(g_nSpans, 0));
        spin->SetPos(std::clamp(spin->GetPos(), 0, std::max(g_nSpans, 0)));
        if (CWnd* no = GetDlgItem(IDC_CS_SUPPORT_NO))
            no->SetWindowText(QString::number(spin->GetPos() + 1));
    }
    ZeroExcludedSidewalks(Sidewalk());
    const int count = StationCount();
    g_nCrossSections = count;

    const std::vector<int> first = SupportStations();
    auto isSupport = [&first](int s) { return std::find(first.begin(), first.end(), s) != first.end(); };
    m_grid.SetPaintMode(0);
    m_grid.SetNumberCols(std::max(count, 1), FALSE);
    int support = 0, free = 0;
    for (int s = 0; s < count; ++s)
        m_grid.SetCellText(s, -1, isSupport(s) ? AfxFormat("第%d支点", ++support) : AfxFormat("断面%d", ++free));
    CGridCell cell;
    for (int s = 0; s < count; ++s) {
        const size_t i = size_t(s);
        for (int row = 0; row < ROWS; ++row) {
            m_grid.GetCell(s, row, &cell);
            const bool fixed = row == ROW_D && isSupport(s);
            cell.SetCellType(fixed ? GRID_CT_NORMAL : GRID_CT_SPIN);
            cell.SetReadOnly(fixed ? 1 : 0);
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            cell.SetDecimals(row == ROW_THETA ? 1 : 0);
            cell.SetLabel(row == ROW_THETA ? QStringLiteral("222222") : QString());
            // Typed angles and dimensions are held to their ranges; a position is checked at the update.
            cell.EnableRangeCheck(row == ROW_D ? -1 : 1);
            double value = Row(row)[i] * 1000.0;
            if (row == ROW_D) {
                cell.SetRange(1000.0, 100000.0);
            } else if (row == ROW_THETA) {
                cell.SetRange(60.0, 120.0);
                value = m_arrTheta[i] * 180.0 / kPi;
            } else {
                cell.SetRange(0.0, MAX_DIMENSION * 1000.0);
                if (row == ROW_B11)
                    value = (m_arrB11[i] + m_arrOverhangAddL[i]) * 1000.0;
                else if (row == ROW_B12)
                    value = (m_arrB12[i] + m_arrOverhangAddR[i]) * 1000.0;
            }
            cell.SetNumber(value);
            m_grid.SetCell(s, row, &cell);
        }
    }
    m_grid.SetPaintMode(1);
    m_grid.RedrawAll();
    SetUpdatePending(FALSE);
    ShowRowButtons();
    m_picture.Invalidate();
}

void CSetupCrossSectionDialog::ShowRowButtons()
{
    const int sidewalk = Sidewalk();
    for (int row = ROW_B1; row < ROWS; ++row)
        if (CWnd* b = GetDlgItem(ButtonOfRow(row))) {
            const bool shown = !IsExcludedSidewalkRow(row, sidewalk);
            b->EnableWindow(shown);
            b->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        }
}

void CSetupCrossSectionDialog::DrawPicture(CDC* pDC, const CRect& rect)
{
    CrossSectionPicture what;
    what.nSidewalk = Sidewalk();
    what.nBridgeType = g_nBridgeType;
    what.nGirders = g_nGirders;
    what.nHighlightRow = m_grid.GetSafeHwnd() ? m_grid.GetCurrentRow() : -1;
    DrawCrossSectionPicture(pDC, rect, what);
}

void CSetupCrossSectionDialog::OnRowButton(int nID)
{
    m_grid.m_area.SetFocus();
    m_grid.GotoRow(RowOfButton(nID));
}

void CSetupCrossSectionDialog::OnRowChange(int nOldRow, int nNewRow)
{
    if (auto* b = dynamic_cast<CButton*>(GetDlgItem(ButtonOfRow(nNewRow))))
        b->SetCheck(1);
    if (nOldRow != nNewRow)
        if (auto* b = dynamic_cast<CButton*>(GetDlgItem(ButtonOfRow(nOldRow))))
            b->SetCheck(0);
    m_picture.Invalidate();
}

void CSetupCrossSectionDialog::OnCopyFirstSupport()
{
    const int col = m_grid.GetCurrentCol();
    if (col > 0 && col < m_grid.GetNumberCols()) {
        CGridCell from, to;
        for (int row = ROW_THETA; row < ROWS; ++row) {
            m_grid.GetCell(0, row, &from);
            m_grid.GetCell(col, row, &to);
            to.SetNumber(from.GetNumber());
            m_grid.SetCell(col, row, &to);
        }
        m_grid.RedrawAll();
    }
    SetUpdatePending(TRUE);
}

void CSetupCrossSectionDialog::OnSupportDeltaPos()
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_CS_SUPPORT_SPIN));
    if (!spin)
        return;
    m_grid.m_area.SetFocus();
    const int p = spin->GetPos() + spin->m_nDelta;
    if (p < 0 || p > g_nSpans) {
        spin->m_bRefused = true;
        return;
    }
    const std::vector<int> first = SupportStations();
    if (size_t(p) < first.size() && first[size_t(p)] < m_grid.GetNumberCols())
        m_grid.GotoCol(first[size_t(p)]);
    if (CWnd* no = GetDlgItem(IDC_CS_SUPPORT_NO))
        no->SetWindowText(QString::number(p + 1));
    CopySupportStationAnglesToSkews();
}

QString CSetupCrossSectionDialog::CheckPositions()
{
    const std::vector<int> first = SupportStations();
    const int count = std::min(StationCount(), m_grid.GetNumberCols());
    CGridCell cell;
    for (size_t span = 0; span + 1 < first.size(); ++span) {
        double previous = 0.0;
        const double end = g_adSpanLength[span] * 1000.0;
        for (int s = first[span] + 1; s < first[span + 1] && s < count; ++s) {
            m_grid.GetCell(s, ROW_D, &cell);
            const double d = cell.GetNumber();
            if (d <= previous)
                return QStringLiteral("位置の値が間違っています。");
            if (d < 100.0)
                return QStringLiteral("位置が近すぎます。");
            if (d >= end)
                return QStringLiteral("位置が支間長を超えています。");
            previous = d;
        }
    }
    return QString();
}

int CSetupCrossSectionDialog::OnUpdate()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!GetSafeHwnd() || !m_grid.m_area.EndEdit())
        return 0;
    const QString refused = CheckPositions();
    if (!refused.isEmpty()) {
        AfxMessageBox(refused);
        return 0;
    }
    if (!DiscardResults())
        return 0;
    if (doc)
        doc->SetModifiedFlag();
    UpdateData(TRUE);
    SetUpdatePending(FALSE);

    const int count = std::min(StationCount(), m_grid.GetNumberCols());
    CGridCell cell;
    for (int s = 0; s < count; ++s) {
        const size_t i = size_t(s);
        for (int row = 0; row < ROWS; ++row) {
            m_grid.GetCell(s, row, &cell);
            const double shown = cell.GetNumber();
            if (row == ROW_THETA)
                m_arrTheta[i] = shown * kPi / 180.0;
            else if (row == ROW_B11)
                m_arrB11[i] = shown / 1000.0 - m_arrOverhangAddL[i];
            else if (row == ROW_B12)
                m_arrB12[i] = shown / 1000.0 - m_arrOverhangAddR[i];
            else
                Row(row)[i] = shown / 1000.0;
        }
    }
    CopySupportStationAnglesToSkews();
    if (doc)
        doc->Rebuild(CMarivoltenDoc::RebuildReason::CrossSection);
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_SETUP_CROSS_SECTION, 1);
        g_pMainFrame->EnableHeightCommands(doc ? doc->m_dlgBasic.m_nHeightVariation : 0, 0);
    }
    // The rebuild may have changed the overhang additions that the table adds in.
    const int col = m_grid.GetCurrentCol(), row = m_grid.GetCurrentRow();
    FillTable();
    m_grid.GotoCell(std::clamp(col, 0, std::max(m_grid.GetNumberCols() - 1, 0)), std::max(row, 0));
    return 1;
}
