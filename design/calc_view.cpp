#include "design/calc_view.h"
#include "app/design_collect.h"
#include "app/doc.h"
#include "app/globals.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/dialog.h"
#include "framework/format.h"
#include "framework/wndextras.h"
#include "framework/frame.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "input/modeless_dialogs.h"
#include "res/resource_ids.h"
#include "views/result_grid.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNCREATE(CCalcView, CScrollView)

namespace {

constexpr double kGravity = 9.80665;
constexpr COLORREF kReadOnlyBack = RGB(191, 191, 191);
constexpr COLORREF kEditBack = RGB(255, 255, 255);
constexpr int kColumnWidth = 112;
constexpr int kLabelWidth = 196;
const QString kDash = QStringLiteral("－");
const QString kSame = QStringLiteral("←");

// How a row of the table is edited: the spin step and the values it may hold.
struct RowEdit {
    int row;
    int step;
    double lo, hi;
    const char* name;   // the label without its unit, for the range message
};

const RowEdit kEdits[] = {
    {CCalcView::ROW_LENGTH, 10, 100, 100000, "断面長"},
    {CCalcView::ROW_GRADE_UPPER, 1, 0, 8, "上ﾌﾗﾝｼﾞ材質"},
    {CCalcView::ROW_GRADE_LOWER, 1, 0, 8, "下ﾌﾗﾝｼﾞ材質"},
    {CCalcView::ROW_GRADE_WEB, 1, 0, 8, "ｳｪﾌﾞ材質"},
    {CCalcView::ROW_B_UPPER, 10, 100, 10000, "上ﾌﾗﾝｼﾞ幅"},
    {CCalcView::ROW_T_UPPER, 1, 6, 200, "上ﾌﾗﾝｼﾞ厚"},
    {CCalcView::ROW_B_LOWER, 10, 100, 10000, "下ﾌﾗﾝｼﾞ幅"},
    {CCalcView::ROW_T_LOWER, 1, 6, 200, "下ﾌﾗﾝｼﾞ厚"},
    {CCalcView::ROW_H_WEB, 10, 100, 10000, "ｳｪﾌﾞ高"},
    {CCalcView::ROW_T_WEB, 1, 6, 200, "ｳｪﾌﾞ厚"},
    {CCalcView::ROW_STIFFENERS, 1, 0, 2, "水平補剛材段数"},
    {CCalcView::ROW_HOLES_L, 1, 0, 100, "引張ﾎﾞﾙﾄ孔数 (L)"},
    {CCalcView::ROW_HOLES_R, 1, 0, 100, "引張ﾎﾞﾙﾄ孔数 (R)"},
    {CCalcView::ROW_RIB_H_UPPER, 10, 0, 1000, "上縦ﾘﾌﾞ高"},
    {CCalcView::ROW_RIB_T_UPPER, 1, 0, 100, "上縦ﾘﾌﾞ厚"},
    {CCalcView::ROW_RIBS_UPPER, 1, 0, 50, "上縦ﾘﾌﾞ数"},
    {CCalcView::ROW_RIB_H_LOWER, 10, 0, 1000, "下縦ﾘﾌﾞ高"},
    {CCalcView::ROW_RIB_T_LOWER, 1, 0, 100, "下縦ﾘﾌﾞ厚"},
    {CCalcView::ROW_RIBS_LOWER, 1, 0, 50, "下縦ﾘﾌﾞ数"},
};

const RowEdit* EditOf(int row)
{
    for (const RowEdit& e : kEdits)
        if (e.row == row)
            return &e;
    return nullptr;
}

bool IsGradeRow(int row) { return row >= CCalcView::ROW_GRADE_UPPER && row <= CCalcView::ROW_GRADE_WEB; }
bool IsWidthRow(int row) { return row == CCalcView::ROW_B_UPPER || row == CCalcView::ROW_B_LOWER; }
// Rows of the plates a block shares; its first section holds them.
bool IsSharedRow(int row)
{
    return (row >= CCalcView::ROW_GRADE_UPPER && row <= CCalcView::ROW_T_LOWER) ||
           (row >= CCalcView::ROW_T_WEB && row <= CCalcView::ROW_HOLES_R);
}

QString GradeName(int grade) { return grade >= 0 && grade < 9 ? g_szSteelGrades9[grade] : QString(); }

// The value a record gives an editable row, in the table's units (mm, counts, grade numbers).
double RecordValue(const CSectionRecord& s, int row)
{
    switch (row) {
    case CCalcView::ROW_LENGTH: return s.m_dLength * 1000.0;
    case CCalcView::ROW_GRADE_UPPER: return s.m_nGradeUpper;
    case CCalcView::ROW_GRADE_LOWER: return s.m_nGradeLower;
    case CCalcView::ROW_GRADE_WEB: return s.m_nGradeWeb;
    case CCalcView::ROW_B_UPPER: return s.m_dBUpper * 1000.0;
    case CCalcView::ROW_T_UPPER: return s.m_dTUpper * 1000.0;
    case CCalcView::ROW_B_LOWER: return s.m_dBLower * 1000.0;
    case CCalcView::ROW_T_LOWER: return s.m_dTLower * 1000.0;
    case CCalcView::ROW_H_WEB: return s.m_dHWeb * 1000.0;
    case CCalcView::ROW_T_WEB: return s.m_dTWeb * 1000.0;
    case CCalcView::ROW_STIFFENERS: return s.m_nStiffenerLevels;
    case CCalcView::ROW_HOLES_L: return s.m_anBoltHoles[0];
    case CCalcView::ROW_HOLES_R: return s.m_anBoltHoles[1];
    case CCalcView::ROW_RIB_H_UPPER: return s.m_dRibHUpper * 1000.0;
    case CCalcView::ROW_RIB_T_UPPER: return s.m_dRibTUpper * 1000.0;
    case CCalcView::ROW_RIBS_UPPER: return s.m_nRibsUpper;
    case CCalcView::ROW_RIB_H_LOWER: return s.m_dRibHLower * 1000.0;
    case CCalcView::ROW_RIB_T_LOWER: return s.m_dRibTLower * 1000.0;
    case CCalcView::ROW_RIBS_LOWER: return s.m_nRibsLower;
    default: return 0.0;
    }
}

void StoreValue(CSectionRecord& s, int row, double v)
{
    const int n = int(std::lround(v));
    const double m = v / 1000.0;
    switch (row) {
    case CCalcView::ROW_LENGTH: s.m_dLength = m; break;
    case CCalcView::ROW_GRADE_UPPER: s.m_nGradeUpper = n; break;
    case CCalcView::ROW_GRADE_LOWER: s.m_nGradeLower = n; break;
    case CCalcView::ROW_GRADE_WEB: s.m_nGradeWeb = n; break;
    case CCalcView::ROW_B_UPPER: s.m_dBUpper = m; break;
    case CCalcView::ROW_T_UPPER: s.m_dTUpper = m; break;
    case CCalcView::ROW_B_LOWER: s.m_dBLower = m; break;
    case CCalcView::ROW_T_LOWER: s.m_dTLower = m; break;
    case CCalcView::ROW_H_WEB: s.m_dHWeb = m; break;
    case CCalcView::ROW_T_WEB: s.m_dTWeb = m; break;
    case CCalcView::ROW_STIFFENERS: s.m_nStiffenerLevels = n; break;
    case CCalcView::ROW_HOLES_L: s.m_anBoltHoles[0] = n; break;
    case CCalcView::ROW_HOLES_R: s.m_anBoltHoles[1] = n; break;
    case CCalcView::ROW_RIB_H_UPPER: s.m_dRibHUpper = m; break;
    case CCalcView::ROW_RIB_T_UPPER: s.m_dRibTUpper = m; break;
    case CCalcView::ROW_RIBS_UPPER: s.m_nRibsUpper = n; break;
    case CCalcView::ROW_RIB_H_LOWER: s.m_dRibHLower = m; break;
    case CCalcView::ROW_RIB_T_LOWER: s.m_dRibTLower = m; break;
    case CCalcView::ROW_RIBS_LOWER: s.m_nRibsLower = n; break;
    default: break;
    }
}

// The number a cell holds: for the box widths the one before the effective width in brackets.
double CellNumber(const QString& text)
{
    const int bracket = text.indexOf(QLatin1Char('('));
    return AfxAtof(bracket < 0 ? text : text.left(bracket));
}

bool VariesInHeight()
{
    return g_pDoc && g_pDoc->m_dlgBasic.m_nHeightVariation == 0;
}

// Block number and place in the block of every section, both from 1.
std::vector<std::pair<int, int>> BlockPlaces(const CGirderDesign& g)
{
    std::vector<std::pair<int, int>> places;
    int block = 0, place = 0;
    for (const CSectionRecord& s : g.m_pSections) {
        if (s.m_nJoinPrev != 1 || places.empty()) {
            ++block;
            place = 1;
        } else {
            ++place;
        }
        places.emplace_back(block, place);
    }
    return places;
}

bool Tiny(double v) { return v > -1e-20 && v < 1e-20; }

// A value equal to its limit but for rounding passes.
bool NotAbove(double v, double limit) { return v <= limit + 1e-9 * std::max(1.0, std::fabs(limit)); }

// The text of a cell that only shows a value.
QString ShownText(const CSectionRecord& s, const CGirderDesign& g, int row)
{
    const double u = g_bSIUnits == 1 ? kGravity : 1.0;
    switch (row) {
    case 1: case 2: case 3:
        return row == 3 && !s.m_bHasC ? kDash : AfxFormat("%.1f", s.m_adM[row - 1] * u);
    case 4: return AfxFormat("%.1f", s.m_dMr * u);
    case 5: case 6: case 7:
        return row == 7 && !s.m_bHasC ? kDash : AfxFormat("%.1f", s.m_adS[row - 5] * u);
    case 21: case 22: return AfxFormat("%.3f", s.GetHoleStressFactor(row - 21));
    case 23: return AfxFormat("%.2f", s.m_dArea * 10000.0);
    case 24: return AfxFormat("%.0f", s.m_dI * 100000000.0);
    case 25: return AfxFormat("%.2f", s.m_dNeutralAxis * 1000.0);
    default:
        return row >= 26 && row <= 37 ? CCalcView::CheckText(s, g, row) : QString();
    }
}

}

QString CCalcView::CheckText(const CSectionRecord& s, const CGirderDesign& g, int row)
{
    const int k = row - 26;
    const int j = k / 4, kind = k % 4;
    const bool si = g_bSIUnits == 1;
    auto toUnit = [si](double tfm2) { return si ? tfm2 / 10.0 * kGravity / 100.0 : tfm2 / 10.0; };
    if (kind == 3) {
        if (j == 2) {
            const bool flanges = Tiny(toUnit(s.GetUpperFlangeStress(g, 2))) && Tiny(toUnit(s.GetLowerFlangeStress(g, 2)));
            if (flanges || Tiny(s.GetShearStress(2)))
                return kDash;
        }
        const double r = s.GetCombinedStressRatio(g, j);
        const bool ok = NotAbove(r, 1.2);
        return si ? AfxFormat(ok ? "%6.2f≦  1.2" : "%6.2f＞  1.2", r) : AfxFormat(ok ? "%6.2f ≦  1.2" : "%6.2f ＞  1.2", r);
    }
    double v = 0.0, va = 0.0;
    if (kind == 0) {
        v = toUnit(s.GetUpperFlangeStress(g, j));
        va = toUnit(s.GetUpperAllowableStress(g, j));
    } else if (kind == 1) {
        v = toUnit(s.GetLowerFlangeStress(g, j));
        va = toUnit(s.GetLowerAllowableStress(g, j));
    } else {
        v = toUnit(std::fabs(s.GetShearStress(j)));
        va = toUnit(std::fabs(s.GetAllowableShearStress()));
    }
    if (j == 2 && ((kind < 2 && Tiny(v)) || (kind == 2 && Tiny(s.GetShearStress(2)))))
        return kDash;
    const bool ok = NotAbove(v, va);
    if (si)
        return AfxFormat(ok ? "%7.1f≦%5.1f" : "%7.1f＞%5.1f", v, va);
    if (!ok && kind == 2 && j == 2)
        return AfxFormat("%7.0f＞%5.0f", v, va);
    return AfxFormat(ok ? "%7.0f ≦%5.0f" : "%7.0f ＞%5.0f", v, va);
}

// ---- table ----

BOOL CCalcGrid::OnEditFinish(int col, int row, CWnd* edit)
{
    if (g_pCalcView)
        g_pCalcView->m_bNoPendingEdits = 0;
    return CTableGrid::OnEditFinish(col, row, edit);
}

BOOL CCalcGrid::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!CTableGrid::OnCheckText(col, row, text, source))
        return FALSE;
    if (g_pCalcView)
        g_pCalcView->m_bNoPendingEdits = 0;
    return TRUE;
}

void CCalcGrid::OnSetCell(int col, int row, CGridCell* cell)
{
    if (cell && IsGradeRow(row) && col >= 0 && cell->m_nCellType == GRID_CT_SPIN)
        cell->SetChoiceList(GradeName(int(std::lround(cell->GetNumber()))));
}

void CCalcGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId != GRID_CT_SPIN || !g_pCalcView || (msg != GRID_NOTIFY_SPIN_UP && msg != GRID_NOTIFY_SPIN_DOWN))
        return;
    g_pCalcView->m_bNoPendingEdits = 0;
    const int sign = msg == GRID_NOTIFY_SPIN_UP ? 1 : -1;
    CGridCell cell;
    GetCell(col, row, &cell);
    switch (row) {
    case CCalcView::ROW_LENGTH: case CCalcView::ROW_H_WEB: case CCalcView::ROW_RIB_H_UPPER:
    case CCalcView::ROW_RIB_H_LOWER:
        cell.SetNumber(cell.GetNumber() + 10.0 * sign);
        break;
    case CCalcView::ROW_T_UPPER: case CCalcView::ROW_T_LOWER: case CCalcView::ROW_T_WEB:
    case CCalcView::ROW_STIFFENERS: case CCalcView::ROW_HOLES_L: case CCalcView::ROW_HOLES_R:
    case CCalcView::ROW_RIB_T_UPPER: case CCalcView::ROW_RIBS_UPPER: case CCalcView::ROW_RIB_T_LOWER:
    case CCalcView::ROW_RIBS_LOWER:
        cell.SetNumber(cell.GetNumber() + sign);
        break;
    case CCalcView::ROW_GRADE_UPPER: case CCalcView::ROW_GRADE_LOWER: case CCalcView::ROW_GRADE_WEB: {
        const int grade = (int(std::lround(cell.GetNumber())) + sign + 9) % 9;
        cell.SetNumber(grade);
        cell.SetChoiceList(GradeName(grade));
        break;
    }
    case CCalcView::ROW_B_UPPER: case CCalcView::ROW_B_LOWER: {
        const QString text = cell.GetText();
        const int bracket = text.indexOf(QLatin1Char('('));
        const double value = CellNumber(text) + 10.0 * sign;
        cell.SetText(AfxFormat("%.0f", value) + (bracket < 0 ? QString() : text.mid(bracket)));
        break;
    }
    default:
        return;
    }
    SetCell(col, row, &cell);
    RedrawCell(col, row);
}

// ---- view ----

CCalcView::CCalcView() : m_global(g_pCalcView, this)
{
    HandleCommand(ID_CALC_SECTION, &CCalcView::OnSectionCalc);
    HandleUpdate(ID_CALC_SECTION, &CCalcView::OnUpdateSectionCalc);
    HandleCommand(ID_BLOCK_DIALOG, &CCalcView::OnBlockDialog);
    OnMessage(WM_SELECT_GIRDER, [this](WPARAM, LPARAM lParam) -> LRESULT {
        OnSelectGirder(int(lParam));
        return 0;
    });
}

CCalcView::~CCalcView() = default;

int CCalcView::OnCreate()
{
    if (CScrollView::OnCreate() == -1)
        return -1;
    if (!m_grid.CreateGrid(WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), this, 1))
        return -1;
    m_grid.SetDefColWidth(kColumnWidth);
    m_grid.SetSideHeadingWidth(kLabelWidth);
    m_grid.SetCellText(-1, -1, QString());
    return 0;
}

void CCalcView::OnSize(UINT nType, int cx, int cy)
{
    if (m_grid.GetSafeHwnd())
        m_grid.MoveWindow(0, 0, cx, cy);
}

BOOL CCalcView::OnCmdMsg(UINT nID, int nCode, CCmdUI* pCmdUI)
{
    // While the block command goes on to the main frame, the view is not its handler.
    if (m_bForwarding && nID == ID_BLOCK_DIALOG)
        return FALSE;
    return CScrollView::OnCmdMsg(nID, nCode, pCmdUI);
}

int CCalcView::ShownGirder()
{
    if (g_nBridgeType == 2)
        return 1;
    return g_pDoc ? std::clamp(g_pDoc->m_nCalcGirder, 0, std::max(g_nGirders - 1, 0)) : 0;
}

CGirderDesign* CCalcView::ShownDesign()
{
    CMarivoltenDoc* doc = g_pDoc;
    const int g = ShownGirder();
    if (!doc || !doc->m_pGirders || g < 0 || g >= g_nGirders)
        return nullptr;
    return &doc->m_pGirders[g];
}

int CCalcView::RowCount() const { return g_nBridgeType == 0 ? ROWS_PLATE : ROWS_BOX; }

bool CCalcView::IsEditableRow(int row) { return EditOf(row) != nullptr; }

QString CCalcView::RowLabel(int row)
{
    const bool si = g_bSIUnits == 1;
    const QString moment = si ? QStringLiteral("(kN･m)") : QStringLiteral(" (t･m)");
    const QString force = si ? QStringLiteral("(kN)") : QStringLiteral(" (t)");
    const QString stress = si ? QStringLiteral(" (N/mm2)") : QStringLiteral("(kg/cm2)");
    const bool box = g_nBridgeType != 0;
    static const char* const kChecks[4] = {"σU,σUa  (%c) ", "σL,σLa  (%c) ", "τ,τa    (%c) ", "合成応力度(%c)         "};
    if (row >= 26 && row <= 37) {
        const char point = "LRC"[(row - 26) / 4];
        const int kind = (row - 26) % 4;
        return AfxFormat(kChecks[kind], point) + (kind < 3 ? stress : QString());
    }
    switch (row) {
    case 0: return QStringLiteral("ﾌﾞﾛｯｸ");
    case 1: return QStringLiteral("ﾓｰﾒﾝﾄ M    (L) ") + moment;
    case 2: return QStringLiteral("ﾓｰﾒﾝﾄ M    (R) ") + moment;
    case 3: return QStringLiteral("ﾓｰﾒﾝﾄ M    (C) ") + moment;
    case 4: return QStringLiteral("抵抗ﾓｰﾒﾝﾄ Mr   ") + moment;
    case 5: return QStringLiteral("せん断力 S (L)   ") + force;
    case 6: return QStringLiteral("せん断力 S (R)   ") + force;
    case 7: return QStringLiteral("せん断力 S (C)   ") + force;
    case 8: return QStringLiteral("断面長           (mm)");
    case 9: return QStringLiteral("上ﾌﾗﾝｼﾞ材質          ");
    case 10: return QStringLiteral("下ﾌﾗﾝｼﾞ材質          ");
    case 11: return QStringLiteral("ｳｪﾌﾞ材質             ");
    case 12: return box ? QStringLiteral("上ﾌﾗﾝｼﾞ幅(有効幅)(mm)") : QStringLiteral("上ﾌﾗﾝｼﾞ幅        (mm)");
    case 13: return QStringLiteral("上ﾌﾗﾝｼﾞ厚        (mm)");
    case 14: return box ? QStringLiteral("下ﾌﾗﾝｼﾞ幅(有効幅)(mm)") : QStringLiteral("下ﾌﾗﾝｼﾞ幅        (mm)");
    case 15: return QStringLiteral("下ﾌﾗﾝｼﾞ厚        (mm)");
    case 16: return QStringLiteral("ｳｪﾌﾞ高           (mm)");
    case 17: return QStringLiteral("ｳｪﾌﾞ厚           (mm)");
    case 18: return QStringLiteral("水平補剛材段数        ");
    case 19: return QStringLiteral("引張ﾎﾞﾙﾄ孔数 (L)      ");
    case 20: return QStringLiteral("引張ﾎﾞﾙﾄ孔数 (R)      ");
    case 21: return QStringLiteral("孔引による引張σ増加率(L)");
    case 22: return QStringLiteral("孔引による引張σ増加率(R)");
    case 23: return QStringLiteral("断面積 A         (cm2)");
    case 24: return QStringLiteral("断面2次ﾓｰﾒﾝﾄ     (cm4)");
    case 25: return QStringLiteral("中立軸位置        (mm)");
    case 38: return QStringLiteral("上縦ﾘﾌﾞ高        (mm)");
    case 39: return QStringLiteral("上縦ﾘﾌﾞ厚        (mm)");
    case 40: return QStringLiteral("上縦ﾘﾌﾞ数(有効数L,C,R)");
    case 41: return QStringLiteral("下縦ﾘﾌﾞ高        (mm)");
    case 42: return QStringLiteral("下縦ﾘﾌﾞ厚        (mm)");
    case 43: return QStringLiteral("下縦ﾘﾌﾞ数(有効数L,C,R)");
    default: return QString();
    }
}

void CCalcView::FillTable()
{
    CGirderDesign* girder = ShownDesign();
    m_nTableGirder = girder ? ShownGirder() : -1;
    if (!m_grid.GetSafeHwnd())
        return;
    const int cols = girder ? girder->m_nSections : 0;
    const int rows = RowCount();
    m_grid.SetPaintMode(0);
    m_grid.SetNumberCols(cols, FALSE);
    m_grid.SetNumberRows(rows, FALSE);
    for (int r = 0; r < rows; ++r) {
        m_grid.SetCellText(-1, r, RowLabel(r));
        m_grid.SetCellAlignment(-1, r, GRID_ALIGN_VCENTER);
    }
    const bool varies = VariesInHeight();
    const std::vector<std::pair<int, int>> places = girder ? BlockPlaces(*girder) : std::vector<std::pair<int, int>>();
    for (int c = 0; c < cols; ++c) {
        m_grid.SetCellText(c, -1, AfxFormat("%d", c + 1));
        const CSectionRecord& s = girder->m_pSections[size_t(c)];
        for (int r = 0; r < rows; ++r) {
            CGridCell cell;
            cell.SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
            const RowEdit* edit = EditOf(r);
            const bool same = edit && varies && s.m_nJoinPrev == 1 && IsSharedRow(r);
            if (edit && !same) {
                cell.SetCellType(GRID_CT_SPIN);
                cell.SetReadOnly(0);
                cell.SetBackColor(kEditBack);
                cell.SetDecimals(0);
                cell.SetRange(edit->lo, edit->hi);
                cell.EnableRangeCheck(1);
                cell.SetNumber(std::round(RecordValue(s, r)));
                if (IsGradeRow(r)) {
                    cell.SetCellTypeEx(GRID_STYLE_CHOICES);
                    cell.SetChoiceList(GradeName(int(RecordValue(s, r))));
                } else if (IsWidthRow(r) && g_nBridgeType != 0) {
                    cell.SetText(AfxFormat("%.0f(%.0f)", RecordValue(s, r), s.GetMinEffectiveWidth(r == ROW_B_UPPER ? 0 : 1) * 1000.0));
                }
            } else {
                cell.SetCellType(GRID_CT_NORMAL);
                cell.SetReadOnly(1);
                cell.SetBackColor(kReadOnlyBack);
                if (same) {
                    cell.SetText(kSame);
                    cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
                } else if (r == ROW_BLOCK) {
                    cell.SetText(AfxFormat("%d - %d", places[size_t(c)].first, places[size_t(c)].second));
                    cell.SetAlignment(GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER);
                } else {
                    cell.SetText(ShownText(s, *girder, r));
                }
            }
            m_grid.SetCell(c, r, &cell);
        }
    }
    m_grid.SetPaintMode(1);
}

void CCalcView::OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint)
{
    if (lHint == CMarivoltenDoc::HINT_RESULTS_DISCARDED)
        m_bNoPendingEdits = 1;
    const CGirderDesign* girder = ShownDesign();
    // Edits stay while they still belong to the sections shown.
    if (!m_bNoPendingEdits &&
        (!girder || m_nTableGirder != ShownGirder() || girder->m_nSections != m_grid.GetNumberCols()))
        m_bNoPendingEdits = 1;
    if (m_bNoPendingEdits)
        FillTable();
    if (auto* frame = dynamic_cast<CFrameWnd*>(GetParentFrame()))
        for (CControlBar* bar : frame->GetControlBars())
            if (auto* calcBar = dynamic_cast<CCalcBar*>(bar))
                calcBar->Refresh();
    CScrollView::OnUpdate(pSender, lHint, pHint);
}

void CCalcView::OnSelectGirder(int nGirder)
{
    if (g_pDoc)
        g_pDoc->m_nCalcGirder = g_nBridgeType == 2 ? 1 : nGirder;
    m_grid.GetEdit()->Close();
    m_bNoPendingEdits = 1;
    FillTable();
    if (CDocument* doc = GetDocument())
        doc->UpdateAllViews(this);
}

bool CCalcView::ConfirmDropEdits() const
{
    if (m_bNoPendingEdits)
        return true;
    return AfxMessageBox(QStringLiteral("＜断面計算＞実行前に主桁を移動すると編集内容が失われます。\n断面計算をしてください。"),
                         MB_OKCANCEL) == IDOK;
}

void CCalcView::OnBlockDialog()
{
    if (!ConfirmDropEdits())
        return;
    m_grid.GetEdit()->Close();
    m_bNoPendingEdits = 1;
    FillTable();
    // The block window is the main frame's to show and hide.
    m_bForwarding = true;
    if (g_pMainFrame)
        g_pMainFrame->OnCmdMsg(ID_BLOCK_DIALOG, CN_COMMAND, nullptr);
    m_bForwarding = false;
}

void CCalcView::OnUpdateSectionCalc(CCmdUI* pCmdUI)
{
    const CGirderDesign* girder = ShownDesign();
    pCmdUI->Enable(g_bResultsValid == 1 && girder && girder->m_nSections > 0);
}

bool CCalcView::ReadTable(const CGirderDesign& girder, std::vector<CSectionRecord>& sections, bool& lengthChanged)
{
    const int n = girder.m_nSections;
    const int rows = std::min(RowCount(), m_grid.GetNumberRows());
    const int number = g_nBridgeType == 2 ? 1 : girder.m_nGirderNo + 1;
    // Typed numbers that differ from what the cell showed of its record; the rest stays exact.
    std::vector<std::vector<std::pair<int, double>>> typed(static_cast<size_t>(n));
    for (int c = 0; c < n; ++c)
        for (int r = 0; r < rows; ++r) {
            const RowEdit* edit = EditOf(r);
            CGridCell cell;
            m_grid.GetCell(c, r, &cell);
            if (!edit || cell.m_nCellType != GRID_CT_SPIN)
                continue;
            const double value = CellNumber(cell.GetText());
            if (value < edit->lo || value > edit->hi) {
                AfxMessageBox(AfxFormat("G%d 断面%d の %s が範囲外です。", number, c + 1, edit->name));
                return false;
            }
            if (std::fabs(value - std::round(RecordValue(sections[size_t(c)], r))) > 1e-9)
                typed[size_t(c)].emplace_back(r, value);
        }
    for (int c = 0; c < n; ++c)
        for (const auto& [r, value] : typed[size_t(c)])
            if (r != ROW_LENGTH)
                StoreValue(sections[size_t(c)], r, value);
    // The sections of a block take the shared plates of its first section.
    if (VariesInHeight())
        for (int c = 1; c < n; ++c)
            if (sections[size_t(c)].m_nJoinPrev == 1)
                for (const RowEdit& e : kEdits)
                    if (IsSharedRow(e.row))
                        StoreValue(sections[size_t(c)], e.row, RecordValue(sections[size_t(c) - 1], e.row));
    // A changed length gives its difference to the next section (the last one to the one before),
    // so that the sections still add up to the girder.
    std::vector<double> lengths(static_cast<size_t>(n), 0.0);
    for (int c = 0; c < n; ++c)
        lengths[size_t(c)] = girder.m_pSections[size_t(c)].m_dLength;
    for (int c = 0; c < n; ++c)
        for (const auto& [r, value] : typed[size_t(c)]) {
            if (r != ROW_LENGTH)
                continue;
            const double diff = value / 1000.0 - girder.m_pSections[size_t(c)].m_dLength;
            if (std::fabs(diff) <= 0.0005)
                continue;
            const int other = c + 1 < n ? c + 1 : c - 1;
            if (other < 0)
                continue;
            lengths[size_t(c)] += diff;
            lengths[size_t(other)] -= diff;
        }
    for (int c = 0; c < n; ++c)
        if (lengths[size_t(c)] < 0.1) {
            AfxMessageBox(QStringLiteral("断面長の合計が主桁長と合っていません。"));
            return false;
        }
    lengthChanged = false;
    for (int c = 0; c < n; ++c)
        if (lengths[size_t(c)] != girder.m_pSections[size_t(c)].m_dLength) {
            sections[size_t(c)].m_dLength = lengths[size_t(c)];
            lengthChanged = true;
        }
    return true;
}

void CCalcView::OnSectionCalc()
{
    CMarivoltenDoc* doc = g_pDoc;
    CGirderDesign* girder = ShownDesign();
    if (!doc || !girder || g_bResultsValid != 1 || girder->m_nSections <= 0)
        return;
    if (m_grid.GetEdit()->IsOpen() && !m_grid.m_area.EndEdit())
        return;
    // Edits of another girder are not this one's.
    if (m_nTableGirder != ShownGirder())
        FillTable();
    std::vector<CSectionRecord> sections = girder->m_pSections;
    bool lengthChanged = false;
    if (!ReadTable(*girder, sections, lengthChanged))
        return;
    for (size_t s = 0; s < sections.size(); ++s)
        if (!(sections[s] == girder->m_pSections[s]))
            sections[s].m_bEdited = 1;
    RefreshDesignInputs(*doc);
    girder->m_pSections = sections;
    if (lengthChanged)
        girder->UpdateSectionForces();
    for (CSectionRecord& s : girder->m_pSections)
        s.Recalculate(*girder);
    girder->UpdateMaxFlangeWidths();
    FollowSectionEdits(*doc);
    doc->SetModifiedFlag();
    m_bNoPendingEdits = 1;
    doc->UpdateAllViews(nullptr);
}

// ---- printing ----

BOOL CCalcView::OnPreparePrinting(CPrintInfo* pInfo)
{
    if (g_pDoc)
        g_pDoc->SetupPrinterPaper(pInfo, &m_sizePage, DMPAPER_A4);
    return DoPreparePrinting(pInfo);
}

void CCalcView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_grid.GetEdit()->Close();
    CGridPrint* print = m_grid.GetPrint();
    const CGridSettings& s = *m_grid.GetSettings();
    // The headings print beside and above the cells at their screen size.
    CDC screen;
    const double mmPerPxX = double(screen.GetDeviceCaps(HORZSIZE)) / std::max(1, screen.GetDeviceCaps(HORZRES));
    const double mmPerPxY = double(screen.GetDeviceCaps(VERTSIZE)) / std::max(1, screen.GetDeviceCaps(VERTRES));
    if (g_pDoc)
        PrintInPageFrame(*print, *g_pDoc, CSize(int(std::ceil(s.m_nSideHeadingWidth * mmPerPxX)),
                                                int(std::ceil(s.m_nTopHeadingHeight * mmPerPxY))));
    const int pages = m_grid.GetNumberCols() > 0
                          ? print->CountPages(pDC, 0, 0, m_grid.GetNumberCols() - 1, m_grid.GetNumberRows() - 1)
                          : 0;
    pInfo->SetMaxPage(UINT(std::max(pages, 1)));
}

void CCalcView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting())
        pDC->SetMapMode(MM_LOMETRIC);
    CScrollView::OnPrepareDC(pDC, pInfo);
}

void CCalcView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    CFont font;
    font.CreateFont(-30, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, QStringLiteral("ＭＳ 明朝"));
    CFont* oldFont = pDC->SelectObject(&font);
    const int number = g_nBridgeType == 2 ? 1 : ShownGirder() + 1;
    doc->DrawPageFrame(pDC, pInfo, AfxFormat("_断面計算表 (G%d主桁)", number));
    pDC->SelectObject(oldFont);

    CGridPrint* print = m_grid.GetPrint();
    const CGridPrint::Page* page = print->GetPage(int(pInfo->m_nCurPage));
    if (!page || !print->PrintPage(pDC, page->page))
        return;
    // The headings of the page's rows and columns, as PrintPage places the cells.
    const CGridSettings& s = *m_grid.GetSettings();
    const int saved = pDC->SaveDC();
    pDC->SetMapMode(MM_TEXT);
    pDC->SetWindowOrg(0, 0);
    pDC->SetViewportOrg(0, 0);
    const CRect area = print->GetPrintArea();
    const int labelWidth = int(s.m_nSideHeadingWidth * print->GetHScale());
    const int headingHeight = int(s.m_nTopHeadingHeight * print->GetVScale());
    CRect corner(area.left - labelWidth, area.top - headingHeight, area.left, area.top);
    m_grid.GetPrint()->PrintCell(pDC, &corner, -1, -1);
    int y = area.top;
    for (int row = page->startRow; row <= page->endRow; ++row) {
        const int h = int(s.RowHeight(row) * print->GetVScale());
        CRect r(area.left - labelWidth, y, area.left, y + h);
        print->PrintCell(pDC, &r, -1, row);
        y += h;
    }
    int x = area.left;
    for (int col = page->startCol; col <= page->endCol; ++col) {
        // Over its column as printed: a column widened for its texts takes its heading along.
        const int w = int(print->Width(col) * print->GetHScale());
        CRect r(x, area.top - headingHeight, x + w, area.top);
        print->PrintCell(pDC, &r, col, -1);
        x += w;
    }
    pDC->RestoreDC(saved);
}

// ---- bar ----

LRESULT CCalcBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && UINT((wParam >> 16) & 0xFFFF) == UDN_DELTAPOS &&
        UINT(wParam & 0xFFFF) == IDC_CALC_GIRDER_SPIN) {
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(IDC_CALC_GIRDER_SPIN))) {
            // The bar writes the girder itself; the spin only asks for a step.
            spin->m_bRefused = true;
            StepGirder(spin->m_nDelta);
        }
        return 0;
    }
    return CDialogBar::WindowProc(message, wParam, lParam);
}

void CCalcBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CDialogBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
    Refresh();
}

void CCalcBar::Refresh()
{
    const int shown = CCalcView::ShownGirder() + 1;
    const int number = g_nBridgeType == 2 ? 1 : shown;
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetControl(IDC_CALC_GIRDER_SPIN))) {
        spin->SetRange(1, std::max(g_nGirders, 1));
        spin->EnableWindow(g_nBridgeType != 2);
    }
    if (CWnd* edit = GetControl(IDC_CALC_GIRDER)) {
        const QString text = AfxFormat("%4d", number);
        if (edit->GetWindowText() != text)
            edit->SetWindowText(text);
    }
}

bool CCalcBar::StepGirder(int nDelta)
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || g_nBridgeType == 2)
        return false;
    const int n = CCalcView::ShownGirder() + 1 + nDelta;
    if (n < 1 || n > g_nGirders)
        return false;
    if (g_pCalcView && !g_pCalcView->ConfirmDropEdits())
        return false;
    doc->m_nCalcGirder = n - 1;
    if (CWnd* edit = GetControl(IDC_CALC_GIRDER))
        edit->SetWindowText(AfxFormat("%4d", n));
    if (g_pCalcView)
        g_pCalcView->SendMessage(CCalcView::WM_SELECT_GIRDER, 0, LPARAM(n - 1));
    if (g_pBlockDlg && g_pBlockDlg->GetSafeHwnd())
        g_pBlockDlg->SendMessage(CCalcView::WM_SELECT_GIRDER, 0, LPARAM(n - 1));
    return true;
}
