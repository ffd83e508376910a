#include "input/coordinate_sheet.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "app/small_dialogs.h"
#include "framework/app.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "geometry/plan_core.h"
#include "geometry/plan_math.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"
#include "res/resource_ids.h"

#include <algorithm>
#include <cmath>

CCoordinateSheet* g_pCoordinateSheet = nullptr;

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr int kColumnWidth = 100;
constexpr int kRowHeadingWidth = 48;
// Survey coordinates of a national grid stay well inside 1000 km.
constexpr double kCoordinateLimit = 999999999.9;
constexpr double kSectionLimit = 99999.9;

const char* const kEdgeKinds[6] = {"地覆外縁", "高欄中心", "地覆内縁", "縁石外縁", "縁石内縁", "分離帯縁"};

// Which value of a panel point a column of a page shows.
struct Field {
    enum Kind { BaseX, BaseY, PanelLength, Line1X, Line1Y, Line2X, Line2Y, GirderX, GirderY, EdgeX, EdgeY, B, H, None };
    Kind kind = None;
    int index = 0;
};

Field FieldOf(int page, int col)
{
    switch (page) {
    case CCoordinateSheet::PAGE_BASELINE:
        return col == 0 ? Field{Field::BaseX} : col == 1 ? Field{Field::BaseY} : col == 2 ? Field{Field::PanelLength} : Field{};
    case CCoordinateSheet::PAGE_GIRDER:
        if (col < 4)
            return Field{Field::Kind(Field::Line1X + col)};
        return Field{(col - 4) % 2 == 0 ? Field::GirderX : Field::GirderY, (col - 4) / 2};
    case CCoordinateSheet::PAGE_DECK: {
        // Left then right, each kind in order.
        const int side = col / 12;
        const int kind = (col % 12) / 2;
        return Field{col % 2 == 0 ? Field::EdgeX : Field::EdgeY, side + 2 * kind};
    }
    case CCoordinateSheet::PAGE_SECTION:
        return Field{col < 12 ? Field::B : Field::H, col % 12};
    default:
        return Field{};
    }
}


}

// ---- table ----

void CCoordinateTable::OnSetup()
{
    CTableGrid::OnSetup();
    // Every heading as the base table leaves one that stops being current.
    GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
    SetDefColWidth(kColumnWidth);
    SetSideHeadingWidth(kRowHeadingWidth);
    SetCellText(-1, -1, QStringLiteral("No."));
    EnablePopupMenu(TRUE);
    SetMultiSelectMode(TRUE);
}

double CCoordinateTable::SpinStep() const
{
    // Section dimensions are a few hundred millimetres; coordinates move in tenths of a metre.
    return m_nPage == CCoordinateSheet::PAGE_SECTION ? 10.0 : 100.0;
}

void CCoordinateTable::SetupCell(int col, int row, CGridCell* cell) const
{
    double lo = 0.0, hi = 0.0;
    m_pSheet->CellRange(m_nPage, col, &lo, &hi);
    const bool derived = m_pSheet->IsReadOnly(m_nPage, col);
    cell->SetCellType(derived ? GRID_CT_NORMAL : GRID_CT_SPIN);
    cell->SetReadOnly(derived ? 1 : 0);
    cell->SetAlignment(GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER);
    cell->SetDecimals(1);
    cell->SetRange(lo, hi);
    cell->EnableRangeCheck(derived ? -1 : 1);
    // Rounded to the shown tenth first, so that a point on an axis does not read "-0.0".
    const double value = std::round(m_pSheet->CellValue(m_nPage, col, row) * 10.0) / 10.0;
    cell->SetNumber(value == 0.0 ? 0.0 : value);
    // The first point has no panel before it.
    if (derived && row == 0)
        cell->SetText(QString());
}

void CCoordinateTable::Fill()
{
    if (!GetSafeHwnd())
        return;
    const int cols = m_pSheet->ColumnCount(m_nPage);
    const int rows = m_pSheet->RowCount();
    SetPaintMode(0);
    SetNumberCols(cols, FALSE);
    SetNumberRows(rows, FALSE);
    for (int c = 0; c < cols; ++c)
        SetCellText(c, -1, m_pSheet->ColumnHeading(m_nPage, c));
    for (int r = 0; r < rows; ++r)
        SetCellText(-1, r, m_pSheet->RowHeading(r));
    ShowValues();
    SetPaintMode(1);
}

void CCoordinateTable::ShowValues()
{
    m_nAcceptedCol = m_nAcceptedRow = -1;
    CGridCell cell;
    for (int r = 0; r < GetNumberRows(); ++r)
        for (int c = 0; c < GetNumberCols(); ++c) {
            GetCell(c, r, &cell);
            SetupCell(c, r, &cell);
            SetCell(c, r, &cell);
        }
    RedrawAll();
}

BOOL CCoordinateTable::OnCheckText(int col, int row, const QString& text, int source)
{
    if (!CTableGrid::OnCheckText(col, row, text, source))
        return FALSE;
    CGridCell typed;
    typed.SetText(text);
    m_dAccepted = typed.GetNumber();
    m_nAcceptedCol = col;
    m_nAcceptedRow = row;
    return TRUE;
}

void CCoordinateTable::OnSetCell(int col, int row, CGridCell* cell)
{
    if (col < 0 || row < 0 || col != m_nAcceptedCol || row != m_nAcceptedRow || !cell)
        return;
    m_nAcceptedCol = m_nAcceptedRow = -1;
    // The accepted text is about to be stored: its number goes into the working copy, and the
    // cell shows it back with the table's decimals like its neighbours.
    m_pSheet->SetCellValue(m_nPage, col, row, m_dAccepted);
    ShowValues();
    SetupCell(col, row, cell);
}

void CCoordinateTable::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)) {
        double lo = 0.0, hi = 0.0;
        m_pSheet->CellRange(m_nPage, col, &lo, &hi);
        const double step = msg == GRID_NOTIFY_SPIN_UP ? SpinStep() : -SpinStep();
        const double value = std::clamp(m_pSheet->CellValue(m_nPage, col, row) + step, lo, hi);
        if (!m_pSheet->SetCellValue(m_nPage, col, row, value))
            return;
        ShowValues();
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

BOOL CCoordinateTable::EndEdit()
{
    return GetSafeHwnd() ? m_area.EndEdit() : TRUE;
}

// ---- page ----

CCoordinatePage::CCoordinatePage(CCoordinateSheet* pSheet, int nPage, UINT nIDTemplate)
    : CPropertyPage(nIDTemplate), m_nPage(nPage), m_pSheet(pSheet), m_table(pSheet, nPage)
{
    for (int id : {IDC_COORD_SPAN_SPIN, IDC_COORD_SPANS_SPIN, IDC_COORD_PANELS_SPIN})
        OnNotify(UINT(id), UDN_DELTAPOS, [this, id] { OnSpinStep(id); });
    OnNotify(IDC_COORD_ORIGIN, BN_CLICKED, [this] { m_pSheet->AdjustOrigin(); });
    OnNotify(IDC_COORD_UPDATE, BN_CLICKED, [this] { m_pSheet->Apply(); });
    OnNotify(IDC_COORD_CLOSE, BN_CLICKED, [this] { m_pSheet->ShowWindow(SW_HIDE); });
    // An accepted text or a spin step leaves something to apply.
    for (UINT message : {UINT(WM_GRID_EDITDONE), UINT(WM_GRID_SPIN)})
        OnMessage(message, [this](WPARAM, LPARAM) -> LRESULT {
            m_pSheet->SetPending(true);
            return 0;
        });
}

BOOL CCoordinatePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_table.AttachGrid(IDC_COORD_TABLE, this);
    Refresh();
    return TRUE;
}

BOOL CCoordinatePage::OnSetActive()
{
    Refresh();
    return TRUE;
}

void CCoordinatePage::OnSpinStep(int nSpinId)
{
    auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(nSpinId));
    if (!spin)
        return;
    // The counts live in the working copy; the spin only asks for a step.
    spin->m_bRefused = true;
    if (nSpinId == IDC_COORD_SPAN_SPIN)
        m_pSheet->SelectSpan(m_pSheet->m_nSpan + spin->m_nDelta);
    else if (nSpinId == IDC_COORD_SPANS_SPIN)
        m_pSheet->ChangeSpanCount(spin->m_nDelta);
    else
        m_pSheet->ChangePanelCount(spin->m_nDelta);
}

void CCoordinatePage::Refresh()
{
    if (!GetSafeHwnd())
        return;
    const CCoordinateSheet& sh = *m_pSheet;
    const int spans = sh.m_work.SpanCount();
    const bool any = spans > 0;
    auto text = [this](int id, const QString& t) { if (CWnd* w = GetDlgItem(id)) w->SetWindowText(t); };
    text(IDC_COORD_SPAN_NO, any ? QString::number(sh.m_nSpan + 1) : QString());
    text(IDC_COORD_SPANS, QString::number(spans));
    text(IDC_COORD_PANELS, any ? QString::number(sh.m_work.m_aSpans[size_t(sh.m_nSpan)].PanelCount()) : QString());
    text(IDC_COORD_SPAN_LENGTH, any ? AfxFormat("%.1f", sh.m_work.m_aSpans[size_t(sh.m_nSpan)].m_dSpanLength * 1000.0) : QString());
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_COORD_SPAN_SPIN))) {
        spin->SetRange(0, std::max(spans - 1, 0));
        spin->EnableWindow(spans > 1);
    }
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_COORD_SPANS_SPIN)))
        spin->SetRange(1, 14);
    if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_COORD_PANELS_SPIN)))
        spin->SetRange(2, 20);
    m_table.Fill();
    ShowPending();
}

void CCoordinatePage::ShowPending()
{
    if (CWnd* update = GetSafeHwnd() ? GetDlgItem(IDC_COORD_UPDATE) : nullptr) {
        update->SetWindowText(m_pSheet->m_bPending ? QStringLiteral("更新") : QStringLiteral("更新済み"));
        update->EnableWindow(m_pSheet->m_bPending);
    }
}

// ---- sheet ----

CCoordinateSheet::CCoordinateSheet(CWnd* pParent) : CPropertySheet(QStringLiteral("座標入力/修正"), pParent)
{
    const UINT templates[PAGES] = {IDD_COORD_BASELINE, IDD_COORD_GIRDER, IDD_COORD_DECK, IDD_COORD_SECTION};
    for (int p = 0; p < PAGES; ++p) {
        m_apPages[p] = new CCoordinatePage(this, p, templates[p]);
        AddPage(m_apPages[p]);
    }
}

CCoordinateSheet::~CCoordinateSheet()
{
    if (g_pCoordinateSheet == this)
        g_pCoordinateSheet = nullptr;
    // The page objects are ours; their windows go with them, the sheet's own after.
    for (CCoordinatePage*& p : m_apPages) {
        delete p;
        p = nullptr;
    }
}

void CCoordinateSheet::OnShowWindow(BOOL bShow, UINT)
{
    if (!bShow)
        return;
    // Showing starts again from the document: a text left typed before hiding goes.
    for (CCoordinatePage* p : m_apPages)
        if (p)
            p->Table().GetEdit()->Close();
    TakeOver();
    RefreshPages();
}

void CCoordinateSheet::TakeOver()
{
    const CMarivoltenDoc* doc = g_pDoc;
    m_work.Clear();
    m_ptOrigin = CDPoint();
    if (doc) {
        m_ptOrigin = doc->m_ptOriginAdjust;
        m_work = g_bCoordinatePlan == 1 && !doc->m_coordPlan.IsEmpty() ? doc->m_coordPlan
                                                                         : CCoordinatePlan::FromSpans(doc->m_aSpans);
    }
    m_nSpan = std::clamp(m_nSpan, 0, std::max(m_work.SpanCount() - 1, 0));
    m_bPending = false;
}

void CCoordinateSheet::RefreshPages()
{
    for (CCoordinatePage* p : m_apPages)
        if (p)
            p->Refresh();
}

void CCoordinateSheet::SetPending(bool pending)
{
    m_bPending = pending;
    for (CCoordinatePage* p : m_apPages)
        if (p)
            p->ShowPending();
}

BOOL CCoordinateSheet::EndEdits()
{
    for (CCoordinatePage* p : m_apPages)
        if (p && !p->Table().EndEdit())
            return FALSE;
    return TRUE;
}

void CCoordinateSheet::SelectSpan(int s)
{
    if (s < 0 || s >= m_work.SpanCount() || !EndEdits())
        return;
    m_nSpan = s;
    RefreshPages();
}

void CCoordinateSheet::ChangeSpanCount(int delta)
{
    if (!EndEdits())
        return;
    const int before = m_work.SpanCount();
    if (delta > 0 && before >= 1 && before < 14)
        m_work.AddSpan();
    else if (delta < 0 && before > 1)
        m_work.RemoveSpan();
    if (m_work.SpanCount() != before)
        SetPending(true);
    m_nSpan = std::clamp(m_nSpan, 0, std::max(m_work.SpanCount() - 1, 0));
    RefreshPages();
}

void CCoordinateSheet::ChangePanelCount(int delta)
{
    if (m_nSpan >= m_work.SpanCount() || !EndEdits())
        return;
    CCoordinateSpan& sp = m_work.m_aSpans[size_t(m_nSpan)];
    const int n = sp.PanelCount();
    const int wanted = std::clamp(n + delta, 2, 20);
    if (wanted != n) {
        m_work.SetPanelCount(m_nSpan, wanted);
        SetPending(true);
    }
    RefreshPages();
}

int CCoordinateSheet::RowCount() const
{
    return m_nSpan < m_work.SpanCount() ? int(m_work.m_aSpans[size_t(m_nSpan)].m_aPoints.size()) : 0;
}

int CCoordinateSheet::FirstPointNumber() const
{
    int p = 0;
    for (int s = 0; s < m_nSpan && s < m_work.SpanCount(); ++s)
        p += m_work.m_aSpans[size_t(s)].PanelCount();
    return p;
}

QString CCoordinateSheet::RowHeading(int row) const { return AfxFormat("C%3d", FirstPointNumber() + row + 1); }

int CCoordinateSheet::ColumnCount(int page) const
{
    switch (page) {
    case PAGE_BASELINE: return 3;
    case PAGE_GIRDER: return 4 + 2 * std::max(g_nGirders, 0);
    case PAGE_DECK: return 24;
    case PAGE_SECTION: return 24;
    default: return 0;
    }
}

QString CCoordinateSheet::ColumnHeading(int page, int col) const
{
    const Field f = FieldOf(page, col);
    switch (f.kind) {
    case Field::BaseX: return QStringLiteral("X(mm)");
    case Field::BaseY: return QStringLiteral("Y(mm)");
    case Field::PanelLength: return QStringLiteral("ﾊﾟﾈﾙ長(mm)");
    case Field::Line1X: return QStringLiteral("始点X(mm)");
    case Field::Line1Y: return QStringLiteral("始点Y(mm)");
    case Field::Line2X: return QStringLiteral("終点X(mm)");
    case Field::Line2Y: return QStringLiteral("終点Y(mm)");
    case Field::GirderX: return AfxFormat("G%d X(mm)", f.index + 1);
    case Field::GirderY: return AfxFormat("G%d Y(mm)", f.index + 1);
    case Field::EdgeX:
    case Field::EdgeY:
        return QStringLiteral("%1 %2 %3").arg(f.index % 2 == 0 ? QStringLiteral("左") : QStringLiteral("右"),
                                              QString::fromUtf8(kEdgeKinds[f.index / 2]),
                                              f.kind == Field::EdgeX ? QStringLiteral("X") : QStringLiteral("Y"));
    case Field::B: return AfxFormat("B%d(mm)", f.index + 1);
    case Field::H: return AfxFormat("H%d(mm)", f.index + 1);
    default: return QString();
    }
}

bool CCoordinateSheet::IsReadOnly(int page, int col) const { return FieldOf(page, col).kind == Field::PanelLength; }

void CCoordinateSheet::CellRange(int page, int col, double* pMin, double* pMax) const
{
    const Field::Kind kind = FieldOf(page, col).kind;
    const double limit = kind == Field::B || kind == Field::H ? kSectionLimit : kCoordinateLimit;
    *pMin = kind == Field::PanelLength ? 0.0 : -limit;
    *pMax = limit;
}

double CCoordinateSheet::CellValue(int page, int col, int row) const
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount(page))
        return 0.0;
    const CCoordinateSpan& sp = m_work.m_aSpans[size_t(m_nSpan)];
    const CCoordinatePoint& p = sp.m_aPoints[size_t(row)];
    const Field f = FieldOf(page, col);
    auto x = [this](CDPoint q) { return (q.x + m_ptOrigin.x) * 1000.0; };
    auto y = [this](CDPoint q) { return (q.y + m_ptOrigin.y) * 1000.0; };
    switch (f.kind) {
    case Field::BaseX: return x(p.m_ptBase);
    case Field::BaseY: return y(p.m_ptBase);
    case Field::PanelLength:
        return row > 0 && size_t(row) <= sp.m_adPanelLength.size() ? sp.m_adPanelLength[size_t(row) - 1] * 1000.0 : 0.0;
    case Field::Line1X: return x(p.m_ptLine1);
    case Field::Line1Y: return y(p.m_ptLine1);
    case Field::Line2X: return x(p.m_ptLine2);
    case Field::Line2Y: return y(p.m_ptLine2);
    case Field::GirderX: return size_t(f.index) < p.m_aptGirder.size() ? x(p.m_aptGirder[size_t(f.index)]) : 0.0;
    case Field::GirderY: return size_t(f.index) < p.m_aptGirder.size() ? y(p.m_aptGirder[size_t(f.index)]) : 0.0;
    case Field::EdgeX: return x(p.m_aptEdge[f.index]);
    case Field::EdgeY: return y(p.m_aptEdge[f.index]);
    case Field::B: return p.m_aSection.m_adB[f.index] * 1000.0;
    case Field::H: return p.m_aSection.m_adH[f.index] * 1000.0;
    default: return 0.0;
    }
}

bool CCoordinateSheet::SetCellValue(int page, int col, int row, double value)
{
    if (row < 0 || row >= RowCount() || col < 0 || col >= ColumnCount(page) || IsReadOnly(page, col))
        return false;
    CCoordinateSpan& sp = m_work.m_aSpans[size_t(m_nSpan)];
    CCoordinatePoint& p = sp.m_aPoints[size_t(row)];
    const Field f = FieldOf(page, col);
    const double mx = value / 1000.0 - m_ptOrigin.x;
    const double my = value / 1000.0 - m_ptOrigin.y;
    switch (f.kind) {
    case Field::BaseX: p.m_ptBase.x = mx; break;
    case Field::BaseY: p.m_ptBase.y = my; break;
    case Field::Line1X: p.m_ptLine1.x = mx; break;
    case Field::Line1Y: p.m_ptLine1.y = my; break;
    case Field::Line2X: p.m_ptLine2.x = mx; break;
    case Field::Line2Y: p.m_ptLine2.y = my; break;
    case Field::GirderX:
    case Field::GirderY:
        if (size_t(f.index) >= p.m_aptGirder.size())
            return false;
        (f.kind == Field::GirderX ? p.m_aptGirder[size_t(f.index)].x : p.m_aptGirder[size_t(f.index)].y) =
            f.kind == Field::GirderX ? mx : my;
        break;
    case Field::EdgeX: p.m_aptEdge[f.index].x = mx; break;
    case Field::EdgeY: p.m_aptEdge[f.index].y = my; break;
    case Field::B: p.m_aSection.m_adB[f.index] = value / 1000.0; break;
    case Field::H: p.m_aSection.m_adH[f.index] = value / 1000.0; break;
    default: return false;
    }
    // A support shared by two spans is one point.
    const int last = sp.PanelCount();
    if (row == last && m_nSpan + 1 < m_work.SpanCount())
        m_work.m_aSpans[size_t(m_nSpan) + 1].m_aPoints.front() = p;
    if (row == 0 && m_nSpan > 0)
        m_work.m_aSpans[size_t(m_nSpan) - 1].m_aPoints.back() = p;
    for (int s = std::max(m_nSpan - 1, 0); s <= m_nSpan + 1 && s < m_work.SpanCount(); ++s)
        m_work.UpdateLengths(s);
    SetPending(true);
    return true;
}

int CCoordinateSheet::Apply()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || m_work.IsEmpty() || !EndEdits())
        return 0;
    for (const CCoordinateSpan& sp : m_work.m_aSpans)
        for (size_t j = 0; j + 1 < sp.m_aPoints.size(); ++j)
            if (PlanMath::Distance(sp.m_aPoints[j].m_ptBase, sp.m_aPoints[j + 1].m_ptBase) < PlanCore::kConsistencyLimit) {
                AfxMessageBox(QStringLiteral("格点間の距離が短すぎます。"));
                return 0;
            }
    if (!DiscardResults())
        return 0;
    doc->m_coordPlan = m_work;
    g_bCoordinatePlan = 1;
    // The plan is complete when every base line came out straight or as one arc.
    bool definite = true;
    for (const CCoordinateSpan& sp : doc->m_coordPlan.m_aSpans) {
        std::vector<CDPoint> base;
        for (const CCoordinatePoint& p : sp.m_aPoints)
            base.push_back(p.m_ptBase);
        CDPoint centre;
        bool one = true;
        PlanCore::FitBaseLine(base.data(), int(base.size()), &centre, &one);
        definite = definite && one;
    }
    g_bCoordinateRadii = definite ? 1 : 0;
    doc->SetModifiedFlag();
    doc->Rebuild(CMarivoltenDoc::RebuildReason::Coordinates);
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_SETUP_COORDINATE, 1);
    // The sheet goes on from what was stored, shared points and derived lengths included.
    m_work = doc->m_coordPlan;
    for (int s = 0; s < m_work.SpanCount(); ++s)
        m_work.UpdateLengths(s);
    m_nSpan = std::clamp(m_nSpan, 0, std::max(m_work.SpanCount() - 1, 0));
    SetPending(false);
    RefreshPages();
    return 1;
}

void CCoordinateSheet::AdjustOrigin()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc || !EndEdits())
        return;
    COriginAdjustDlg dlg;
    dlg.m_dX = doc->m_ptOriginAdjust.x * 1000.0;
    dlg.m_dY = doc->m_ptOriginAdjust.y * 1000.0;
    dlg.m_dAngle = doc->m_dOriginAngle;
    dlg.m_bApplyToPlan = doc->m_bOriginApply;
    if (dlg.DoModal() != IDOK)
        return;
    double angle = dlg.m_dAngle;
    if (dlg.m_bApplyToPlan) {
        if (angle < -360.0 || angle >= 360.0) {
            AfxMessageBox(QStringLiteral("角度は-360度より大きく360度未満で設定して下さい。"));
            angle = 0.0;
        }
        if (angle < 0.0)
            angle += 360.0;
        doc->m_dPlanAngle = angle;
    }
    doc->m_dOriginAngle = angle;
    doc->m_bOriginApply = dlg.m_bApplyToPlan;

    // Survey coordinates stay where they are: the model moves against the origin.
    const CDPoint origin(dlg.m_dX / 1000.0, dlg.m_dY / 1000.0);
    const CDPoint shift = doc->m_ptOriginAdjust - origin;
    doc->m_ptOriginAdjust = origin;
    doc->m_coordPlan.Translate(shift);
    m_work.Translate(shift);
    m_ptOrigin = origin;
    doc->SetModifiedFlag();
    doc->Rebuild(CMarivoltenDoc::RebuildReason::Origin);
    RefreshPages();
}
