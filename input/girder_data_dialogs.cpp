#include "input/girder_data_dialogs.h"
#include "input/headed_table.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "framework/textcodec.h"
#include "input/design_questions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kHeadingText = RGB(0, 0, 150);
constexpr COLORREF kHeadingBack = RGB(192, 192, 192);
constexpr short kRight = GRID_ALIGN_RIGHT | GRID_ALIGN_VCENTER;
constexpr short kCentre = GRID_ALIGN_CENTER | GRID_ALIGN_VCENTER;

int Girders() { return g_nGirders >= 1 && g_nGirders <= MAX_GIRDERS ? g_nGirders : 0; }

// The typed heights are used only while the girder height does not vary.
bool ConstantHeight() { return !g_pDoc || g_pDoc->m_dlgBasic.m_nHeightVariation == 1; }

CButton* Button(CDialog* d, int id) { return dynamic_cast<CButton*>(d->GetDlgItem(id)); }

void Show(CDialog* d, std::initializer_list<int> ids, bool bShow)
{
    for (int id : ids)
        if (CWnd* w = d->GetDlgItem(id))
            w->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void SpinRange(CDialog* d, std::initializer_list<int> ids, int lo, int hi)
{
    for (int id : ids)
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(d->GetDlgItem(id)))
            spin->SetRange(lo, hi);
}

// The 1.1 net area applies only to deducted holes.
void FollowHoleDeduction(CDialog* d, int deduction, int netArea)
{
    CButton* holes = Button(d, deduction);
    CButton* net = Button(d, netArea);
    if (!holes || !net)
        return;
    const bool on = holes->GetCheck() == 1;
    net->EnableWindow(on);
    if (!on)
        net->SetCheck(0);
}

void SetHeadingColours(CGridCtrl& grid)
{
    grid.GetHeadingDefaultCell()->SetTextColor(kHeadingText);
    grid.GetHeadingDefaultCell()->SetBackColor(kHeadingBack);
}

void SetRowHeading(CGridCtrl& grid, int row, const QString& text)
{
    grid.SetCellText(-1, row, text);
    grid.SetCellAlignment(-1, row, kCentre);
}

void SetSpinCell(CGridCtrl& grid, int col, int row, double value, int decimals, double lo, double hi, short align)
{
    CGridCell cell;
    grid.GetCell(col, row, &cell);
    cell.SetCellType(GRID_CT_SPIN);
    cell.SetAlignment(align);
    cell.SetDecimals(WORD(decimals));
    cell.SetRange(lo, hi);
    cell.EnableRangeCheck(1);
    cell.SetReadOnly(0);
    cell.SetNumber(value);
    grid.SetCell(col, row, &cell);
}

void MarkStepDone()
{
    if (!g_pMainFrame)
        return;
    g_pMainFrame->SetStepDone(ID_SETUP_MAIN_GIRDER2, 1);
    g_pMainFrame->EnableHeightCommands(g_pDoc ? g_pDoc->m_dlgBasic.m_nHeightVariation : 1,
                                       g_pMainFrame->m_bHeightSecond);
}

}

// ---- data ----

PlateGirderData::PlateGirderData() : GirderHeightData(1.8)
{
    std::fill(std::begin(m_adHoleFlangeWidth), std::end(m_adHoleFlangeWidth), 0.0);
    std::fill(std::begin(m_anHoleCount), std::end(m_anHoleCount), 0);
    m_adHoleFlangeWidth[0] = 0.35;
    m_anHoleCount[0] = 2;
    m_adHoleFlangeWidth[1] = 1.0;
    m_anHoleCount[1] = 4;
}

BoxGirderData::BoxGirderData() : GirderHeightData(2.0)
{
    // Rows by steel grade group: SM400/SMA400W, SM490, SM490Y/SM520/SMA490W, SM570/SMA570W.
    static const char* const kShapes[7][RIB_GROUPS] = {
        {"120x10", "130x13", "130x13", "130x14"}, {"140x12", "140x14", "140x14", "140x16"},
        {"150x13", "160x16", "160x16", "160x19"}, {"160x14", "190x19", "190x19", "190x22"},
        {"180x16", "220x22", "220x22", "220x25"}, {"210x19", "250x25", "250x25", "250x28"},
        {"240x22", "280x28", "280x28", "280x32"}};
    for (int r = 0; r < 7; ++r)
        for (int c = 0; c < RIB_GROUPS; ++c)
            m_astrShape[c][r] = QString::fromLatin1(kShapes[r][c]);
    SortData();
}

void BoxGirderData::SortData()
{
    for (int c = 0; c < RIB_GROUPS; ++c) {
        std::fill(std::begin(m_adRibWidth[c]), std::end(m_adRibWidth[c]), 0.0);
        std::fill(std::begin(m_adRibThick[c]), std::end(m_adRibThick[c]), 0.0);
        for (int r = 0; r < RIB_ROWS; ++r) {
            const QString& shape = m_astrShape[c][r];
            if (shape.isEmpty())
                break;
            const qsizetype x = shape.left(10).indexOf(QLatin1Char('x'));
            if (x < 0)
                continue;
            m_adRibWidth[c][r] = AfxAtof(shape.left(x)) / 1000.0;
            m_adRibThick[c][r] = AfxAtof(shape.mid(x + 1)) / 1000.0;
        }
    }
}

// ---- tables ----

void CSetupGirderDataGrid::OnSetup()
{
    CTableGrid::OnSetup();
    SetHeadingColours(*this);
}

double CSetupGirderDataGrid::Number(int col, int row) { return headedtable::CellNumber(*this, col, row); }

void CSetupGirderDataGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    CGridCell cell;
    if (typeId == GRID_CT_SPIN && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN) && GetCell(col, row, &cell)) {
        const double step = col == 0 ? 0.1 : 1.0;
        double value = cell.GetNumber();
        if (msg == GRID_NOTIFY_SPIN_UP)
            value += step;
        else if (value > 0.0)
            value -= step;
        // On the cell's decimals, so that steps of 0.1 do not drift, and never out of its range.
        const double scale = std::pow(10.0, std::min<int>(cell.GetDecimals(), 9));
        value = std::round(value * scale) / scale;
        if (cell.GetMin() <= cell.GetMax())
            value = std::clamp(value, cell.GetMin(), cell.GetMax());
        cell.SetNumber(value);
        SetCell(col, row, &cell);
        RedrawCell(col, row);
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

void CSetupGirderDataGrid::FillHeights(const double* adHeight, int nRows)
{
    SetPaintMode(0);
    SetNumberCols(1, FALSE);
    SetNumberRows(nRows, FALSE);
    SetSideHeadingWidth(64);
    SetColWidth(0, 84);
    SetCellText(-1, -1, QStringLiteral("主桁No."));
    SetCellText(0, -1, QStringLiteral("桁高(mm)"));
    for (int r = 0; r < nRows; ++r) {
        SetRowHeading(*this, r, AfxFormat("G%d", r + 1));
        SetSpinCell(*this, 0, r, adHeight[r] * 1000.0, 1, GirderHeightData::MIN_HEIGHT_MM, GirderHeightData::MAX_HEIGHT_MM,
                    kRight);
    }
    SetPaintMode(1);
}

void CSetupGirderDataGrid::AlignToFirst()
{
    CGridCell first;
    if (GetNumberRows() < 2 || !GetCell(0, 0, &first))
        return;
    const double height = AfxAtof(first.GetText());
    for (int r = 1; r < GetNumberRows(); ++r) {
        CGridCell cell;
        GetCell(0, r, &cell);
        cell.SetNumber(height);
        SetCell(0, r, &cell);
    }
    RedrawAll();
}

void CSetupRibPanelGrid::OnSetup()
{
    CTableGrid::OnSetup();
    SetHeadingColours(*this);
}

void CSetupRibPanelGrid::OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param)
{
    CGridCell cell;
    if (typeId == GRID_CT_SPIN && col == 0 && (msg == GRID_NOTIFY_SPIN_UP || msg == GRID_NOTIFY_SPIN_DOWN)
        && GetCell(col, row, &cell)) {
        int ribs = headedtable::CellInt(*this, col, row);
        if (msg == GRID_NOTIFY_SPIN_UP)
            ribs = ribs + 1 > 30 ? 1 : ribs + 1;
        else
            ribs = ribs - 1 < 1 ? 30 : ribs - 1;
        cell.SetNumber(ribs);
        SetCell(col, row, &cell);
        RedrawCell(col, row);
    }
    CTableGrid::OnCellTypeNotify(typeId, col, row, msg, param);
}

// ---- plate girders ----

CSetupPlateGirderDialog::CSetupPlateGirderDialog() : CDialog(IDD_PLATE_GIRDER)
{
    OnNotify(IDC_PG_ALIGN_HEIGHTS, BN_CLICKED, [this] { m_gridHeight.AlignToFirst(); });
    OnNotify(IDC_PG_HOLE_DEDUCTION, BN_CLICKED,
             [this] { FollowHoleDeduction(this, IDC_PG_HOLE_DEDUCTION, IDC_PG_NET_AREA); });
}

BOOL CSetupPlateGirderDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_gridHeight.AttachGrid(IDC_PG_HEIGHT_TABLE, this);
    m_gridHeight.FillHeights(m_adGirderHeight, Girders());
    Show(this, {IDC_PG_HEIGHT_TABLE, IDC_PG_HEIGHT_CAPTION, IDC_PG_ALIGN_HEIGHTS}, ConstantHeight());
    m_gridHoles.AttachGrid(IDC_PG_HOLE_TABLE, this);
    FillHoles();
    for (CGridCtrl* grid : {static_cast<CGridCtrl*>(&m_gridHeight), static_cast<CGridCtrl*>(&m_gridHoles)}) {
        grid->GotoRow(1);
        grid->GotoRow(0);
    }
    m_editBoltHole.Attach(IDC_PG_BOLT_HOLE, this);
    SpinRange(this, {IDC_PG_BOLT_HOLE_SPIN}, 0, 100);
    FollowHoleDeduction(this, IDC_PG_HOLE_DEDUCTION, IDC_PG_NET_AREA);
    return TRUE;
}

void CSetupPlateGirderDialog::FillHoles()
{
    CSetupGirderDataGrid& t = m_gridHoles;
    t.SetPaintMode(0);
    t.SetNumberCols(2, FALSE);
    t.SetNumberRows(HOLE_ROWS, FALSE);
    t.SetSideHeadingWidth(30);
    t.SetColWidth(0, 110);
    t.SetColWidth(1, 70);
    t.SetCellText(-1, -1, QString());
    t.SetCellText(0, -1, QStringLiteral("ﾌﾗﾝｼﾞ幅(mm)"));
    t.SetCellText(1, -1, QStringLiteral("孔数"));
    for (int r = 0; r < HOLE_ROWS; ++r) {
        SetRowHeading(t, r, AfxFormat("%d", r + 1));
        SetSpinCell(t, 0, r, m_adHoleFlangeWidth[r] * 1000.0, 1, 0.0, MAX_HOLE_FLANGE_WIDTH * 1000.0, kRight);
        SetSpinCell(t, 1, r, m_anHoleCount[r], 0, 0.0, MAX_HOLES, kRight);
    }
    t.SetPaintMode(1);
}

void CSetupPlateGirderDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_PG_HOLE_DEDUCTION, m_bHoleDeduction);
    DDX_Check(pDX, IDC_PG_UF_BUCKLING, m_bUFLocalBuckling);
    DDX_Text(pDX, IDC_PG_BOLT_HOLE, m_dBoltHoleDiameter);
    DDX_Radio(pDX, IDC_PG_CURVE_BENRAN, m_nCurveStressFormula);
    DDX_Check(pDX, IDC_PG_NET_AREA, m_bNetArea11);
}

void CSetupPlateGirderDialog::OnOK()
{
    // Everything is checked before anything is asked or stored.
    const PlateGirderData saved = *this;
    if (!UpdateData(TRUE) || !DiscardResults()) {
        static_cast<PlateGirderData&>(*this) = saved;
        return;
    }
    for (int g = 0; g < std::min(m_gridHeight.GetNumberRows(), MAX_GIRDERS); ++g)
        m_adGirderHeight[g] = m_gridHeight.Number(0, g) / 1000.0;
    for (int r = 0; r < std::min(m_gridHoles.GetNumberRows(), HOLE_ROWS); ++r) {
        m_adHoleFlangeWidth[r] = m_gridHoles.Number(0, r) / 1000.0;
        m_anHoleCount[r] = headedtable::CellInt(m_gridHoles, 1, r);
    }
    MarkStepDone();
    EndDialog(IDOK);
}

// ---- box girders ----

CSetupBoxGirderDialog::CSetupBoxGirderDialog() : CDialog(IDD_BOX_GIRDER)
{
    OnNotify(IDC_BG_ALIGN_HEIGHTS, BN_CLICKED, [this] { m_gridHeight.AlignToFirst(); });
    OnNotify(IDC_BG_RIB_PANELS, BN_CLICKED, [this] { OnRibPanels(); });
    OnNotify(IDC_BG_HOLE_DEDUCTION, BN_CLICKED,
             [this] { FollowHoleDeduction(this, IDC_BG_HOLE_DEDUCTION, IDC_BG_NET_AREA); });
}

BOOL CSetupBoxGirderDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    // A single box is entered as one girder.
    m_gridHeight.AttachGrid(IDC_BG_HEIGHT_TABLE, this);
    m_gridHeight.FillHeights(m_adGirderHeight, g_nBridgeType == 2 ? 1 : Girders());
    Show(this, {IDC_BG_HEIGHT_TABLE, IDC_BG_HEIGHT_CAPTION, IDC_BG_ALIGN_HEIGHTS}, ConstantHeight());
    m_gridHeight.GotoRow(1);
    m_gridHeight.GotoRow(0);
    m_gridRib.AttachGrid(IDC_BG_RIB_TABLE, this);
    FillRibs();
    m_editRibCount.Attach(IDC_BG_COMP_RIBS, this);
    SpinRange(this, {IDC_BG_COMP_RIBS_SPIN, IDC_BG_TENS_RIBS_SPIN, IDC_BG_STIFFENER_STEPS_SPIN, IDC_BG_BOLT_HOLE_SPIN,
                     IDC_BG_BOLTS_UPPER_SPIN, IDC_BG_BOLTS_LOWER_SPIN}, 0, 100);
    FollowHoleDeduction(this, IDC_BG_HOLE_DEDUCTION, IDC_BG_NET_AREA);
    return TRUE;
}

void CSetupBoxGirderDialog::FillRibs()
{
    CTableGrid& t = m_gridRib;
    SetHeadingColours(t);
    t.SetPaintMode(0);
    t.SetNumberCols(RIB_GROUPS, FALSE);
    t.SetNumberRows(RIB_ROWS, FALSE);
    t.SetTopHeadingHeight(40);
    t.SetSideHeadingWidth(30);
    // The steel grades of each group, one to a line.
    const std::vector<int> grades[RIB_GROUPS] = {{1, 6}, {2}, {3, 4, 7}, {5, 8}};
    for (int c = 0; c < RIB_GROUPS; ++c) {
        QStringList names;
        for (int g : grades[c])
            names << g_szSteelGrades9[g];
        t.SetColWidth(c, 64);
        t.SetCellText(c, -1, names.join(QLatin1Char('\n')));
        t.SetCellTypeEx(c, -1, GRID_STYLE_WORDWRAP);
    }
    for (int r = 0; r < RIB_ROWS; ++r) {
        SetRowHeading(t, r, AfxFormat("%d", r + 1));
        for (int c = 0; c < RIB_GROUPS; ++c) {
            CGridCell cell;
            t.GetCell(c, r, &cell);
            cell.SetText(m_astrShape[c][r]);
            cell.SetAlignment(kCentre);
            cell.SetLabel(QStringLiteral("999x99"));
            cell.SetReadOnly(0);
            t.SetCell(c, r, &cell);
        }
    }
    // Three grades to a heading: their lines whole at the font that stands in.
    t.WidenColumnsToTexts();
    t.SetPaintMode(1);
}

void CSetupBoxGirderDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Check(pDX, IDC_BG_HOLE_DEDUCTION, m_bHoleDeduction);
    DDX_Text(pDX, IDC_BG_BOLT_HOLE, m_dBoltHoleDiameter);
    DDX_Text(pDX, IDC_BG_BOLTS_LOWER, m_nHoleBoltsLower);
    DDX_Text(pDX, IDC_BG_COMP_RIBS, m_nCompRibCount);
    DDX_Text(pDX, IDC_BG_TENS_RIBS, m_nTensRibCount);
    DDX_Text(pDX, IDC_BG_STIFFENER_STEPS, m_nStiffenerStepsBox);
    DDX_Text(pDX, IDC_BG_BOLTS_UPPER, m_nHoleBoltsUpper);
    DDX_Check(pDX, IDC_BG_UF_BUCKLING, m_bUFLocalBuckling);
    DDX_Check(pDX, IDC_BG_ADJUST_RIB, m_bAdjustRibThickness);
    DDX_Check(pDX, IDC_BG_NET_AREA, m_bNetArea11);
    // The section texts are filled into the table once it exists; they come back here.
    if (!pDX->m_bSaveAndValidate)
        return;
    pDX->m_idLastControl = IDC_BG_RIB_TABLE;
    for (int c = 0; c < std::min(m_gridRib.GetNumberCols(), RIB_GROUPS); ++c)
        for (int r = 0; r < std::min(m_gridRib.GetNumberRows(), RIB_ROWS); ++r) {
            CGridCell cell;
            m_gridRib.GetCell(c, r, &cell);
            const QString text = cell.GetText();
            if (!AfxIsCP932Text(text)) {
                CGridCell heading;
                m_gridRib.GetCell(c, -1, &heading);
                m_gridRib.GotoCell(c, r);
                DDV_CP932Text(pDX, text,
                              QStringLiteral("%1 の %2 行目の").arg(QString(heading.GetText()).replace(u'\n', u'・')).arg(r + 1));
            }
            m_astrShape[c][r] = text;
        }
}

void CSetupBoxGirderDialog::OnRibPanels()
{
    CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return;
    CSetupRibPanelDialog& ribs = doc->m_dlgRibPanel;
    CWnd* const parent = ribs.m_pParentWnd;
    ribs.m_pParentWnd = this;
    ribs.DoModal();
    ribs.m_pParentWnd = parent;
}

void CSetupBoxGirderDialog::OnOK()
{
    const BoxGirderData saved = *this;
    if (!UpdateData(TRUE) || !DiscardResults()) {
        static_cast<BoxGirderData&>(*this) = saved;
        return;
    }
    const int rows = std::min(m_gridHeight.GetNumberRows(), MAX_GIRDERS);
    if (g_nBridgeType == 2) {
        // The single box's one row holds for each of its girders.
        for (int g = 0; g < Girders() && rows > 0; ++g)
            m_adGirderHeight[g] = m_gridHeight.Number(0, 0) / 1000.0;
    } else {
        for (int g = 0; g < rows; ++g)
            m_adGirderHeight[g] = m_gridHeight.Number(0, g) / 1000.0;
    }
    SortData();
    MarkStepDone();
    EndDialog(IDOK);
}

// ---- rib panel division ----

CSetupRibPanelDialog::CSetupRibPanelDialog() : CDialog(IDD_RIB_PANEL) {}

BOOL CSetupRibPanelDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    const CMarivoltenDoc* doc = g_pDoc;
    if (!doc)
        return TRUE;
    std::copy(std::begin(doc->m_anRibsPerPanel), std::end(doc->m_anRibsPerPanel), m_anRibsCopy);
    m_gridRibs.AttachGrid(IDC_RIB_PANEL_TABLE, this);
    CSetupRibPanelGrid& t = m_gridRibs;
    t.SetPaintMode(0);
    int rows = 0;
    for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
        rows += std::clamp(g_anPanelCount[s], 0, MAX_PANELS);
    rows = std::min(rows, PANELS);
    t.SetNumberCols(1, FALSE);
    t.SetNumberRows(rows, FALSE);
    t.SetSideHeadingWidth(80);
    t.SetColWidth(0, 80);
    t.SetCellText(-1, -1, QStringLiteral("支間 - ﾊﾟﾈﾙ"));
    t.SetCellText(0, -1, QStringLiteral("分割数"));
    int k = 0;
    for (int s = 0; s < std::clamp(g_nSpans, 0, MAX_SPANS); ++s)
        for (int p = 0; p < std::clamp(g_anPanelCount[s], 0, MAX_PANELS) && k < rows; ++p, ++k) {
            t.SetCellText(-1, k, AfxFormat("%4d -%4d", s + 1, p + 1));
            SetSpinCell(t, 0, k, doc->m_anRibsPerPanel[k], 0, 0.0, MAX_RIBS_PER_PANEL, kCentre);
        }
    t.SetPaintMode(1);
    t.GotoRow(1);
    t.GotoRow(0);
    return TRUE;
}

void CSetupRibPanelDialog::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_RIB_THICKNESS, m_dTransRibThick);
    DDV_MinMaxDouble(pDX, m_dTransRibThick, 1.0, 100.0);
}

void CSetupRibPanelDialog::OnOK()
{
    const RibPanelData saved = *this;
    if (!UpdateData(TRUE)) {
        static_cast<RibPanelData&>(*this) = saved;
        return;
    }
    // Set by hand: the rebuild keeps them from now on.
    m_bResetRibs = 0;
    if (CMarivoltenDoc* doc = g_pDoc)
        for (int k = 0; k < std::min(m_gridRibs.GetNumberRows(), PANELS); ++k)
            doc->m_anRibsPerPanel[k] = headedtable::CellInt(m_gridRibs, 0, k);
    EndDialog(IDOK);
}
