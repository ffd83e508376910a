#include "print/print_view.h"
#include "views/cross_section_drawer.h"
#include "views/load_diagram.h"
#include "views/section2_drawer.h"

#include "app/doc.h"
#include "app/globals.h"
#include "app/small_dialogs.h"
#include "design/girder_design.h"
#include "framework/app.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/msgbox.h"
#include "framework/print.h"
#include "res/resource_ids.h"
#include "views/drawing_helpers.h"

#include <algorithm>

CPrintView* g_pPrintView = nullptr;

IMPLEMENT_DYNCREATE(CPrintView, CFormView)

namespace {

using V = CPrintView;

// The report's places in print order: box, member, heading name and contents line (SI units,
// and gravitational units where they differ), printer. Sections whose pages this program
// does not print yet have no printer and count no pages.
const V::SectionInfo kSections[V::RS_COUNT] = {
    {IDC_PR_COVER, &V::m_bPrintCover, "", nullptr, "", nullptr, &V::PrintCover, nullptr},
    {IDC_PR_CONTENTS, &V::m_bPrintContents, "", nullptr, "", nullptr, &V::PrintContents, nullptr},
    {IDC_PR_INPUT, &V::m_bPrintInputConditions, "入力条件", nullptr,
     "%2d．入力条件・・・・・・・・・・・・・・・・・%3d", nullptr, nullptr, &V::PrintInputConditions},
    {IDC_PR_DESIGN, &V::m_bPrintDesignConditions, "設計条件", nullptr,
     "%2d．設計条件・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintDesignConditions, nullptr},
    {IDC_PR_AREA_RATIO, &V::m_bPrintAreaRatio, "鋼重", nullptr, "%2d．鋼重・・・・・・・・・・・・・・・・・・・%3d",
     nullptr, &V::PrintAreaRatio, nullptr},
    {IDC_PR_PLAN, &V::m_bPrintPlan, "平面図", nullptr, "%2d．平面図・・・・・・・・・・・・・・・・・・%3d", nullptr,
     &V::PrintPlan, nullptr},
    {IDC_PR_CROSS_SECTIONS, &V::m_bPrintCrossSections, "横断面図", nullptr,
     "%2d．横断面図・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintCrossSectionShape, nullptr},
    {IDC_PR_LONGITUDINAL, &V::m_bPrintLongitudinalSections, "縦断面図", nullptr,
     "%2d．縦断面図・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintLongitudinalSection, nullptr},
    {IDC_PR_LOADS, &V::m_bPrintLoadDiagrams, "荷重図", nullptr, "%2d．荷重図・・・・・・・・・・・・・・・・・・%3d",
     nullptr, &V::PrintCrossSectionLoads, nullptr},
    {IDC_PR_FORCE_DIAGRAM, &V::m_bPrintForceDiagram, "断面力図", nullptr,
     "%2d．断面力図・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintForceDiagram, nullptr},
    {IDC_PR_DEFLECTION, &V::m_bPrintDeflection, "たわみ", nullptr, "%2d．たわみ・・・・・・・・・・・・・・・・・・%3d",
     nullptr, &V::PrintDeflection, nullptr},
    {IDC_PR_NO_IMPACT, &V::m_bPrintReactionsNoImpact, "下部工用反力（衝撃なし）", nullptr,
     "%2d．下部工用反力（衝撃なし）・・・・・・・・・%3d", nullptr, &V::PrintSubstructureReactionsNoImpact, nullptr},
    {IDC_PR_REACTION_DETAIL, &V::m_bPrintReactionDetail, "支点反力詳細", nullptr,
     "%2d．支点反力詳細・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintReactionDetail, nullptr},
    {IDC_PR_REACTION_SUMMARY, &V::m_bPrintReactionSummary, "支点反力集計", nullptr,
     "%2d．支点反力集計・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintReactionSummary, nullptr},
    {IDC_PR_SUBSTRUCTURE, &V::m_bPrintSubstructureReactions, "下部工用反力（衝撃なし）", nullptr,
     "%2d．下部工用反力（衝撃なし）・・・・・・・・・%3d", nullptr, &V::PrintSubstructureReactions, nullptr},
    {IDC_PR_IMPACT, &V::m_bPrintImpactCoefficients, "衝撃係数", nullptr,
     "%2d．衝撃係数・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintImpactCoefficients, nullptr},
    {IDC_PR_CALC_TABLE, &V::m_bPrintSectionCalcTable, "断面計算表", nullptr,
     "%2d．断面計算表・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintSectionCalcTable, nullptr},
    {IDC_PR_MASS_SUMMARY, &V::m_bPrintMassSummary, "質量集計表", "重量集計表",
     "%2d．質量集計表・・・・・・・・・・・・・・・・%3d", "%2d．重量集計表・・・・・・・・・・・・・・・・%3d", &V::PrintMassSummary,
     nullptr},
    {IDC_PR_MASS_BREAKDOWN, &V::m_bPrintMassBreakdown, "質量内訳表", "重量内訳表",
     "%2d．質量内訳表・・・・・・・・・・・・・・・・%3d", "%2d．重量内訳表・・・・・・・・・・・・・・・・%3d",
     &V::PrintMassBreakdown, nullptr},
    {IDC_PR_MASS_BY_GRADE, &V::m_bPrintMassByGrade, "規格別質量内訳表", "規格別重量内訳表",
     "%2d．規格別質量内訳表・・・・・・・・・・・・・%3d", "%2d．規格別重量内訳表・・・・・・・・・・・・・%3d",
     &V::PrintMassByGrade, nullptr},
    {IDC_PR_MAN_HOURS, &V::m_bPrintManHours, "工数算定表", nullptr,
     "%2d．工数算定表・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintManHourPage, nullptr},
    {IDC_PR_CONTRACT_COST, &V::m_bPrintContractCost, "請負工事表", nullptr,
     "%2d．請負工事表・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintCostPage, nullptr},
    {IDC_PR_FABRICATION_COST, &V::m_bPrintFabricationCost, "製作費表", nullptr,
     "%2d．製作費表・・・・・・・・・・・・・・・・・%3d", nullptr, &V::PrintFabricationCost, nullptr},
    {IDC_PR_FORCE_DETAIL, &V::m_bPrintForceDetail, "断面力詳細データ", nullptr,
     "%2d．断面力詳細データ・・・・・・・・・・・・・%3d", nullptr, nullptr, &V::PrintForceDetail},
    {IDC_PR_STIFFNESS, &V::m_bPrintStiffness, "曲げ剛度ねじり剛度", nullptr,
     "%2d．曲げ剛度・ねじり剛度・・・・・・・・・・・%3d", nullptr, nullptr, &V::PrintStiffness},
    {IDC_PR_STEEL_WEIGHT, &V::m_bPrintSteelWeight, "鋼重", nullptr, "%2d．鋼重・・・・・・・・・・・・・・・・・・・%3d",
     nullptr, nullptr, &V::PrintSteelWeight},
};

// The boxes of the form in the order of their exchange.
struct Box {
    int id;
    int V::*member;
};
const Box kBoxes[] = {
    {IDC_PR_SHADE, &V::m_bShadeHeadings},
    {IDC_PR_INPUT, &V::m_bPrintInputConditions},
    {IDC_PR_DEFLECTION, &V::m_bPrintDeflection},
    {IDC_PR_DESIGN, &V::m_bPrintDesignConditions},
    {IDC_PR_MASS_SUMMARY, &V::m_bPrintMassSummary},
    {IDC_PR_MASS_BREAKDOWN, &V::m_bPrintMassBreakdown},
    {IDC_PR_MASS_BY_GRADE, &V::m_bPrintMassByGrade},
    {IDC_PR_MAN_HOURS, &V::m_bPrintManHours},
    {IDC_PR_CONTRACT_COST, &V::m_bPrintContractCost},
    {IDC_PR_FABRICATION_COST, &V::m_bPrintFabricationCost},
    {IDC_PR_FORCE_DIAGRAM, &V::m_bPrintForceDiagram},
    {IDC_PR_PLAN, &V::m_bPrintPlan},
    {IDC_PR_LOADS, &V::m_bPrintLoadDiagrams},
    {IDC_PR_REACTION_SUMMARY, &V::m_bPrintReactionSummary},
    {IDC_PR_CROSS_SECTIONS, &V::m_bPrintCrossSections},
    {IDC_PR_CALC_TABLE, &V::m_bPrintSectionCalcTable},
    {IDC_PR_SUBSTRUCTURE, &V::m_bPrintSubstructureReactions},
    {IDC_PR_AREA_RATIO, &V::m_bPrintAreaRatio},
    {IDC_PR_IMPACT, &V::m_bPrintImpactCoefficients},
    {IDC_PR_COVER, &V::m_bPrintCover},
    {IDC_PR_LONGITUDINAL, &V::m_bPrintLongitudinalSections},
    {IDC_PR_FORCE_DETAIL, &V::m_bPrintForceDetail},
    {IDC_PR_REACTION_DETAIL, &V::m_bPrintReactionDetail},
    {IDC_PR_NO_IMPACT, &V::m_bPrintReactionsNoImpact},
    {IDC_PR_STIFFNESS, &V::m_bPrintStiffness},
    {IDC_PR_STEEL_WEIGHT, &V::m_bPrintSteelWeight},
    {IDC_PR_CONTENTS, &V::m_bPrintContents},
    {IDC_PR_PAGE_NUMBERS, &V::m_bShowPageNumbers},
    {IDC_PR_SECTION_NUMBERS, &V::m_bShowSectionNumbers},
};

// What 一括選択 turns on whatever the design, and what 一括解除 turns off.
const int kAlwaysSelected[] = {IDC_PR_INPUT,         IDC_PR_DEFLECTION,   IDC_PR_DESIGN,        IDC_PR_MASS_SUMMARY,
                               IDC_PR_MASS_BREAKDOWN, IDC_PR_MASS_BY_GRADE, IDC_PR_MAN_HOURS,     IDC_PR_CONTRACT_COST,
                               IDC_PR_FABRICATION_COST, IDC_PR_FORCE_DIAGRAM, IDC_PR_PLAN,        IDC_PR_LOADS,
                               IDC_PR_REACTION_SUMMARY, IDC_PR_CROSS_SECTIONS, IDC_PR_CALC_TABLE, IDC_PR_COVER,
                               IDC_PR_CONTENTS};
const int kCleared[] = {IDC_PR_INPUT,          IDC_PR_DEFLECTION,    IDC_PR_DESIGN,       IDC_PR_MASS_SUMMARY,
                        IDC_PR_MASS_BREAKDOWN, IDC_PR_MASS_BY_GRADE, IDC_PR_MAN_HOURS,    IDC_PR_CONTRACT_COST,
                        IDC_PR_FABRICATION_COST, IDC_PR_FORCE_DIAGRAM, IDC_PR_PLAN,       IDC_PR_LOADS,
                        IDC_PR_REACTION_SUMMARY, IDC_PR_CROSS_SECTIONS, IDC_PR_CALC_TABLE, IDC_PR_SUBSTRUCTURE,
                        IDC_PR_COVER,          IDC_PR_LONGITUDINAL,  IDC_PR_FORCE_DETAIL, IDC_PR_REACTION_DETAIL,
                        IDC_PR_NO_IMPACT,      IDC_PR_STIFFNESS,     IDC_PR_STEEL_WEIGHT, IDC_PR_CONTENTS};

const QString kNoResults = QStringLiteral("格子計算、断面計算の結果がありません。\n格子計算をしてから印刷して下さい。");
const QString kNoPages = QStringLiteral("印刷するページがありません。\n印刷する項目を選択して下さい。");

}

const CPrintView::SectionInfo& CPrintView::Section(int nSection)
{
    return kSections[std::clamp(nSection, 0, RS_COUNT - 1)];
}

QString CPrintView::SectionName(int nSection)
{
    const SectionInfo& s = Section(nSection);
    return QString::fromUtf8(g_bSIUnits != 1 && s.szNameWeight ? s.szNameWeight : s.szName);
}

const char* CPrintView::ContentsEntry(int nSection)
{
    const SectionInfo& s = Section(nSection);
    return g_bSIUnits != 1 && s.szEntryWeight ? s.szEntryWeight : s.szEntry;
}

CPrintView::CPrintView() : CFormView(IDD_PRINT_FORM), m_global(g_pPrintView, this)
{
    struct FontSpec {
        const char* face;
        int height, weight;
    };
    static const FontSpec fonts[FONT_COUNT] = {
        {"ＭＳ 明朝", 32, 400}, {"ＭＳ ゴシック", 26, 400}, {"ＭＳ 明朝", 80, 400}, {"ＭＳ 明朝", 64, 400},
        {"ＭＳ 明朝", 46, 400}, {"ＭＳ 明朝", 36, 400},     {"ＭＳ ゴシック", 32, 600}, {"ＭＳ 明朝", 80, 400},
        {"ＭＳ 明朝", 40, 400}, {"ＭＳ ゴシック", 40, 700}};
    for (int i = 0; i < FONT_COUNT; ++i)
        m_font[i].CreateFont(fonts[i].height, 0, 0, 0, fonts[i].weight, 0, 0, 0, DEFAULT_CHARSET, OUT_STRING_PRECIS,
                             CLIP_CHARACTER_PRECIS, 0, 0, QString::fromUtf8(fonts[i].face));
    std::fill(std::begin(m_abShapeRows), std::end(m_abShapeRows), 1);
    std::fill(std::begin(m_abLoadRows), std::end(m_abLoadRows), 1);
    std::fill(std::begin(m_abForceDiagramGirders), std::end(m_abForceDiagramGirders), 1);
    std::fill(std::begin(m_abForceValueGirders), std::end(m_abForceValueGirders), 1);

    // The bar's buttons reach the window's frame only; the print format is the program's.
    HandleCommand(ID_PRINT_FORMAT, [] {
        if (CWinApp* app = AfxGetApp())
            app->OnCmdMsg(ID_PRINT_FORMAT, CN_COMMAND, nullptr);
    });
    HandleCommand(IDC_PRINT_SELECT_ALL, &CPrintView::OnSelectAll);
    HandleCommand(IDC_PRINT_CLEAR_ALL, &CPrintView::OnClearAll);
    for (const Box& b : kBoxes)
        OnNotify(UINT(b.id), BN_CLICKED, [this] { OnPageBoxClicked(); });
    for (int id : {IDC_PR_FORCE_PORTRAIT, IDC_PR_FORCE_LANDSCAPE})
        OnNotify(UINT(id), BN_CLICKED, [this] { OnPageBoxClicked(); });
}

CPrintView::~CPrintView() = default;

CMarivoltenDoc* CPrintView::GetDocument() const
{
    return static_cast<CMarivoltenDoc*>(CFormView::GetDocument());
}

// ---------------------------------------------------------------- the form

void CPrintView::DoDataExchange(CDataExchange* pDX)
{
    for (const Box& b : kBoxes)
        DDX_Check(pDX, b.id, this->*b.member);
}

void CPrintView::OnInitialUpdate()
{
    CFormView::OnInitialUpdate();
    // The drawing pages start upright.
    for (int id : {IDC_PR_LOAD_PORTRAIT, IDC_PR_SHAPE_PORTRAIT, IDC_PR_PLAN_PORTRAIT, IDC_PR_FORCE_PORTRAIT,
                   IDC_PR_LONG_PORTRAIT})
        for (int radio : RadioGroup(id))
            if (auto* b = dynamic_cast<CButton*>(GetControl(radio)))
                b->SetCheck(radio == id);
}

void CPrintView::OnPaint()
{
    RefreshForm();
    CFormView::OnPaint();
}

bool CPrintView::IsBoxAllowed(int nBox) const
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return false;
    const CGirderDesign* first = PrintedGirder(0);
    switch (nBox) {
    case IDC_PR_LONGITUDINAL:
        return doc->m_dlgBasic.m_nHeightVariation == 0;
    case IDC_PR_NO_IMPACT:
    case IDC_PR_REACTION_DETAIL:
        // Older data hold no reaction detail; T+L loading has no such tables.
        return doc->m_pGirders && doc->m_pGirders[0].m_anDetailNode[0][0] != -1 && doc->m_dlgBasic.m_nLiveLoad != 2 &&
               doc->m_dlgBasic.m_nLiveLoad != 3;
    case IDC_PR_STIFFNESS:
    case IDC_PR_STEEL_WEIGHT:
        return first && !first->m_pSections.empty() && first->m_pSections[0].m_dAssumedArea >= 0.0;
    case IDC_PR_FORCE_DETAIL:
        return doc->m_bDetailDataAvailable != 0;
    case IDC_PR_SUBSTRUCTURE:
    case IDC_PR_AREA_RATIO:
    case IDC_PR_IMPACT:
        return false;
    default:
        return true;
    }
}

void CPrintView::RefreshForm()
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc || !GetSafeHwnd())
        return;
    const bool varies = IsBoxAllowed(IDC_PR_LONGITUDINAL);
    for (int id : {IDC_PR_LONGITUDINAL, IDC_PR_LONG_PORTRAIT, IDC_PR_LONG_LANDSCAPE, IDC_PR_LONG_GROUP})
        if (CWnd* c = GetControl(id)) {
            c->ShowWindow(varies ? SW_SHOW : SW_HIDE);
            c->EnableWindow(varies);
        }
    if (doc->m_pGirders)
        for (int id : {IDC_PR_NO_IMPACT, IDC_PR_REACTION_DETAIL, IDC_PR_STIFFNESS, IDC_PR_STEEL_WEIGHT})
            if (CWnd* c = GetControl(id))
                c->EnableWindow(IsBoxAllowed(id));
    const bool si = g_bSIUnits == 1;
    const std::pair<int, QString> captions[] = {
        {IDC_PR_MASS_SUMMARY, si ? QStringLiteral("質量集計") : QStringLiteral("重量集計")},
        {IDC_PR_MASS_BREAKDOWN, si ? QStringLiteral("質量内訳") : QStringLiteral("重量内訳")}};
    for (const auto& [id, text] : captions)
        if (CWnd* c = GetControl(id); c && c->GetWindowText() != text)
            c->SetWindowText(text);
    if (CWnd* c = GetControl(IDC_PR_FORCE_DETAIL))
        c->EnableWindow(IsBoxAllowed(IDC_PR_FORCE_DETAIL));

    if (m_bFirstPaint) {
        m_gridShapeRows.AttachGrid(IDC_PR_SHAPE_LIST, this);
        m_gridLoadRows.AttachGrid(IDC_PR_LOAD_LIST, this);
        m_gridForceDiagramGirders.AttachGrid(IDC_PR_FORCE_LIST, this);
        m_gridForceValueGirders.AttachGrid(IDC_PR_FORCE_VALUE_LIST, this);
        m_bFirstPaint = 0;
    }
    FillStationList(m_gridShapeRows, m_abShapeRows, m_nShapeRowsShown);
    FillStationList(m_gridLoadRows, m_abLoadRows, m_nLoadRowsShown);
    FillGirderList(m_gridForceDiagramGirders, m_abForceDiagramGirders);
    FillGirderList(m_gridForceValueGirders, m_abForceValueGirders);
}

namespace {

// One check cell of a selection list.
void SetCheckCell(CTableGrid& grid, int row, int nValue, const QString& label)
{
    CGridCell cell;
    grid.GetCell(0, row, &cell);
    cell.SetAlignment(GRID_ALIGN_VCENTER);
    cell.SetCellType(GRID_CT_CHECKBOX);
    cell.SetCellTypeEx(0x1100);
    cell.SetNumber(nValue);
    cell.SetChoiceList(label);
    cell.SetBackColor(RGB(255, 255, 255));
    grid.SetCell(0, row, &cell);
}

// One column over the list's width, no headings.
void ShapeList(CTableGrid& grid, int nRows)
{
    grid.SetNumberCols(1, FALSE);
    grid.SetNumberRows(nRows, FALSE);
    grid.SetSideHeadingWidth(0);
    grid.SetTopHeadingHeight(0);
    CRect client;
    grid.GetClientRect(&client);
    grid.SetColWidth(0, std::max(client.Width() - grid.GetSettings()->m_nVScrollWidth, 60));
}

}

void CPrintView::FillStationList(CTableGrid& grid, int* abRows, int& nShown)
{
    const int rows = std::clamp(g_nCrossSections, 0, int(MAX_STATIONS));
    // A list that still fits the design stays as the user left it.
    if (!grid.GetSafeHwnd() || (rows == nShown && grid.GetNumberRows() == rows))
        return;
    // Rows the user has seen say what is chosen; rows made now show their flags.
    for (int row = 0; row < std::min(nShown, grid.GetNumberRows()) && row < rows; ++row) {
        CGridCell cell;
        grid.GetCell(0, row, &cell);
        abRows[row] = int(cell.GetNumber());
    }
    ShapeList(grid, rows);
    for (int row = 0; row < rows; ++row)
        SetCheckCell(grid, row, abRows[row], AfxFormat("  第%d断面", row + 1));
    nShown = rows;
    if (rows > 1)
        grid.GotoRow(1);
    grid.GotoRow(0);
    grid.RedrawAll();
}

void CPrintView::FillGirderList(CTableGrid& grid, const int* abRows)
{
    if (!grid.GetSafeHwnd())
        return;
    const int rows = g_nBridgeType == 2 ? 1 : std::clamp(g_nGirders, 0, int(MAX_PRINT_GIRDERS));
    if (grid.GetNumberRows() == rows)
        return;
    ShapeList(grid, rows);
    for (int row = 0; row < rows; ++row)
        SetCheckCell(grid, row, abRows[row], AfxFormat(" G%d主桁", row + 1));
}

void CPrintView::ReadStationLists()
{
    const std::pair<CTableGrid*, int*> lists[] = {{&m_gridShapeRows, m_abShapeRows}, {&m_gridLoadRows, m_abLoadRows}};
    const int shown[] = {m_nShapeRowsShown, m_nLoadRowsShown};
    for (int k = 0; k < 2; ++k) {
        CTableGrid& grid = *lists[k].first;
        if (!grid.GetSafeHwnd())
            continue;
        const int rows = std::min({shown[k], grid.GetNumberRows(), int(MAX_STATIONS)});
        for (int row = 0; row < rows; ++row) {
            CGridCell cell;
            grid.GetCell(0, row, &cell);
            lists[k].second[row] = int(cell.GetNumber());
        }
    }
}

void CPrintView::SetStationList(CTableGrid& grid, int* abRows, int nValue)
{
    std::fill(abRows, abRows + MAX_STATIONS, nValue);
    if (!grid.GetSafeHwnd())
        return;
    for (int row = 0; row < grid.GetNumberRows(); ++row)
        SetCheckCell(grid, row, nValue, AfxFormat("  第%d断面", row + 1));
    grid.RedrawAll();
}

void CPrintView::OnSelectAll()
{
    auto check = [this](int id, bool on) {
        if (auto* b = dynamic_cast<CButton*>(GetControl(id)))
            b->SetCheck(on ? 1 : 0);
    };
    for (int id : kAlwaysSelected)
        check(id, true);
    check(IDC_PR_LONGITUDINAL, IsBoxAllowed(IDC_PR_LONGITUDINAL));
    if (IsBoxAllowed(IDC_PR_FORCE_DETAIL))
        check(IDC_PR_FORCE_DETAIL, true);
    for (int id : {IDC_PR_STIFFNESS, IDC_PR_STEEL_WEIGHT, IDC_PR_NO_IMPACT, IDC_PR_REACTION_DETAIL})
        check(id, IsBoxAllowed(id));
    SetStationList(m_gridShapeRows, m_abShapeRows, 1);
    SetStationList(m_gridLoadRows, m_abLoadRows, 1);
    UpdateData(TRUE);
}

void CPrintView::OnClearAll()
{
    for (int id : kCleared)
        if (auto* b = dynamic_cast<CButton*>(GetControl(id)))
            b->SetCheck(0);
    SetStationList(m_gridShapeRows, m_abShapeRows, 0);
    SetStationList(m_gridLoadRows, m_abLoadRows, 0);
    UpdateData(TRUE);
}

void CPrintView::OnPageBoxClicked() { UpdateData(TRUE); }

// ---------------------------------------------------------------- the print job

int CPrintView::PagesFor(int nRows, int nPerPage)
{
    return nRows > 0 && nPerPage > 0 ? (nRows + nPerPage - 1) / nPerPage : 0;
}

int CPrintView::PrintedGirderCount() const
{
    const CMarivoltenDoc* doc = GetDocument();
    if (!doc || !doc->m_pGirders)
        return 0;
    if (g_nBridgeType == 2)
        return g_nGirders > 1 ? 1 : 0;
    return std::clamp(g_nGirders, 0, int(MAX_PRINT_GIRDERS));
}

const CGirderDesign* CPrintView::PrintedGirder(int nIndex) const
{
    if (nIndex < 0 || nIndex >= PrintedGirderCount())
        return nullptr;
    // A single box is designed in its second object.
    return &GetDocument()->m_pGirders[g_nBridgeType == 2 ? 1 : nIndex];
}

int CPrintView::SectionPages(int nSection)
{
    const SectionInfo& info = Section(nSection);
    if (!(this->*info.pbSelected) || !IsBoxAllowed(info.nBox) || (!info.pPrint && !info.pLines))
        return 0;
    const int G = std::clamp(g_nGirders, 0, int(MAX_PRINT_GIRDERS));
    const int stations = std::clamp(g_nCrossSections, 0, int(MAX_STATIONS));
    switch (nSection) {
    case RS_INPUT_CONDITIONS: {
        // Counted as printed, so that tables move to the next page as they will on paper.
        CPrintInfo paged;
        const int last = (this->*info.pLines)(nullptr, &paged, 0) - m_nLinesPerPage * m_nContentsPages;
        return last / m_nLinesPerPage + 1;
    }
    case RS_CROSS_SECTIONS:
        return int(std::count_if(m_abShapeRows, m_abShapeRows + stations, [](int f) { return f != 0; }));
    case RS_LOADS:
        return int(std::count_if(m_abLoadRows, m_abLoadRows + stations, [](int f) { return f != 0; }));
    case RS_LONGITUDINAL:
        return G;
    case RS_FORCE_DIAGRAM:
        return g_nBridgeType == 2 ? 1 : G;
    case RS_DEFLECTION:
        // No empty row follows the last girder.
        return PagesFor(G * (g_nPanelPoints + 2) - 1, m_nRowsPerPage);
    case RS_REACTIONS_NO_IMPACT:
    case RS_REACTION_DETAIL:
        return PagesFor(m_nReactionDetailRows, m_nRowsPerPage);
    case RS_REACTION_SUMMARY:
    case RS_SUBSTRUCTURE:
        return PagesFor(m_nReactionSummaryRows, m_nRowsPerPage);
    case RS_MASS_BREAKDOWN:
        m_nMassBreakdownRows = CountMassBreakdownRows();
        return PagesFor(m_nMassBreakdownRows, m_nRowsPerPage);
    case RS_CALC_TABLE: {
        int pages = 0;
        for (int i = 0; i < PrintedGirderCount(); ++i) {
            m_anCalcTablePages[i] = PagesFor(PrintedGirder(i)->m_nSections, m_nSectionsPerPage);
            pages += m_anCalcTablePages[i];
        }
        return pages;
    }
    case RS_FORCE_DETAIL:
        return PagesFor(m_nForceDetailLastRow + 1, m_nRowsPerPage);
    case RS_STIFFNESS:
        return PagesFor(m_nStiffnessLines, m_nRowsPerPage);
    case RS_STEEL_WEIGHT:
        return PagesFor(m_nSteelWeightLines, m_nRowsPerPage);
    default:
        return 1;
    }
}

int CPrintView::CountPages()
{
    m_nCoverPages = m_bPrintCover ? 1 : 0;
    m_nContentsPages = m_bPrintContents ? 1 : 0;
    m_nSectionsPerPage = 4;
    const int n = g_nBridgeType == 2 ? 2 : std::clamp(g_nGirders, 0, int(MAX_PRINT_GIRDERS));
    const int supports = std::clamp(g_nSpans, 0, MAX_SPANS) + 1;
    m_nReactionSummaryRows = supports * (n + 3) + 2;
    m_nReactionDetailRows = (n + 3) * n * supports;
    // The line sections' drawing passes size their tables by these.
    m_nForceDetailLastRow = PrintForceDetail(nullptr, nullptr, 0);
    m_nStiffnessLines = PrintStiffness(nullptr, nullptr, 0);
    m_nSteelWeightLines = PrintSteelWeight(nullptr, nullptr, 0);
    std::fill(std::begin(m_anCalcTablePages), std::end(m_anCalcTablePages), 0);
    std::fill(std::begin(m_anCalcTableStartPage), std::end(m_anCalcTableStartPage), 0);
    int page = 1;
    for (int s = 0; s < RS_COUNT; ++s) {
        m_anSectionStart[s] = page;
        m_anSectionPages[s] = SectionPages(s);
        page += m_anSectionPages[s];
    }
    int start = m_anSectionStart[RS_CALC_TABLE];
    for (int i = 0; i < PrintedGirderCount(); ++i) {
        m_anCalcTableStartPage[i] = start;
        start += m_anCalcTablePages[i];
    }
    return page - 1;
}

int CPrintView::SectionOfPage(int nPage) const
{
    for (int s = RS_COUNT - 1; s >= 0; --s)
        if (m_anSectionPages[s] > 0 && m_anSectionStart[s] <= nPage)
            return m_anSectionStart[s] + m_anSectionPages[s] > nPage ? s : -1;
    return -1;
}

BOOL CPrintView::OnPreparePrinting(CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc)
        return FALSE;
    doc->LoadPrintSettings();
    m_nLeftMargin = doc->m_nMarginLeft;
    m_nTopMargin = doc->m_nMarginTop;
    m_nLineHeight = doc->m_nPrintCount1;
    m_nIndent = doc->m_nPrintCount2;
    m_sizePage = kA4Portrait;
    ReadStationLists();
    if (!doc->m_pGirders) {
        AfxMessageBox(kNoResults, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    const int pages = CountPages();
    if (pages <= 0) {
        AfxMessageBox(kNoPages, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    pInfo->SetMaxPage(UINT(pages));
    if (!DoPreparePrinting(pInfo))
        return FALSE;
    ForceA4(pInfo);
    return TRUE;
}

void CPrintView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    // The preview window may have turned the paper since.
    ForceA4(pInfo);
    m_bJobPrinting = true;
    m_pMassBreakdown.reset();
    m_stationFits.clear();
}

void CPrintView::OnEndPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_bJobPrinting = false;
    m_pMassBreakdown.reset();
    m_stationFits.clear();
}

void CPrintView::ForceA4(CPrintInfo* pInfo)
{
    // The report is laid out for A4 portrait whatever paper the printer was left at.
    const CPrintSettings& paper = pInfo->GetSettings();
    if (paper.m_nPaperSize != DMPAPER_A4 || paper.m_bLandscape)
        pInfo->SetPaper(DMPAPER_A4, false);
}

void CPrintView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    if (pDC->IsPrinting())
        pDC->SetMapMode(MM_LOMETRIC);
    CFormView::OnPrepareDC(pDC, pInfo);
}

void CPrintView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CMarivoltenDoc* doc = GetDocument();
    if (!doc || !doc->m_pGirders)
        return;
    CFont* oldFont = pDC->SelectObject(&m_font[0]);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* oldPen = pDC->SelectObject(&pen);
    const int s = SectionOfPage(int(pInfo->m_nCurPage));
    if (s >= 0) {
        const SectionInfo& info = Section(s);
        if (info.pLines)
            (this->*info.pLines)(pDC, pInfo, 1);
        else if (info.pPrint)
            (this->*info.pPrint)(pDC, pInfo);
    }
    if (m_bShowPageNumbers)
        doc->DrawPageFooter(pDC, pInfo, m_bPrintCover ? 1 : 0);
    DrawSectionHeading(pDC, pInfo);
    pDC->SelectObject(oldFont);
    pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------- page helpers

int CPrintView::LineToY(const CPrintInfo* pInfo, int nLine) const
{
    const int k = pInfo ? nLine % m_nLinesPerPage : nLine;
    return -(m_nTopMargin + (2 + k) * m_nLineHeight);
}

int CPrintView::IsLineOnPage(const CPrintInfo* pInfo, int nValue, int nLine) const
{
    if (!pInfo)
        return nValue;
    return nValue != 0 && nLine >= 0 && nLine / m_nLinesPerPage + 1 == int(pInfo->m_nCurPage) ? 1 : 0;
}

int CPrintView::RowToY(int nRow) const { return -(m_nTopMargin + nRow * m_nLineHeight); }

CPrintView::FramedPage::FramedPage(CPrintView& view, CDC* pDC, CPrintInfo* pInfo, const QString& strTitle)
    : m_pDC(pDC), m_pen(PS_SOLID, 1, RGB(0, 0, 0)), m_pOldPen(pDC->SelectObject(&m_pen))
{
    if (CMarivoltenDoc* doc = view.GetDocument())
        doc->DrawPageFrame(pDC, pInfo, strTitle);
}

CPrintView::FramedPage::~FramedPage() { m_pDC->SelectObject(m_pOldPen); }

int CPrintView::DrawSectionHeading(CDC* pDC, CPrintInfo* pInfo)
{
    int number = 0;
    for (int s = RS_INPUT_CONDITIONS; s < RS_COUNT; ++s) {
        if (m_anSectionPages[s] <= 0)
            continue;
        ++number;
        if (m_anSectionStart[s] != int(pInfo->m_nCurPage))
            continue;
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        CFont* oldFont = pDC->SelectObject(&m_font[9]);
        const QString text = (m_bShowSectionNumbers ? AfxFormat("§%2d ", number) : QStringLiteral("     ")) +
                             SectionName(s);
        const CPoint at = SectionHeadingAt(pDC, text);
        pDC->TextOut(at.x, at.y, text);
        pDC->SelectObject(oldFont);
        pDC->SelectObject(oldPen);
        return 1;
    }
    return 0;
}

CPoint CPrintView::SectionHeadingAt(CDC* pDC, const QString& text) const
{
    return CPoint(m_nLeftMargin + 10, -(m_nTopMargin + 2 * pDC->GetTextExtent(text).cy) + 20);
}

// ---------------------------------------------------------------- cover and contents

void CPrintView::PrintCover(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    CFont* oldFont = pDC->GetCurrentFont();
    // Centred on the paper; a long title or name smaller and over the free lines below it.
    auto centred = [&](int nFont, int nLine, const QString& text, int nLines) {
        pDC->SelectObject(&m_font[nFont]);
        WriteWithin(pDC, m_nLeftMargin, LineToY(pInfo, nLine), m_sizePage.cx - m_nLeftMargin, text, nLines,
                    m_nLineHeight, true);
    };
    centred(2, 8, QStringLiteral("「") + doc->m_dlgBasic.m_strTitle + QStringLiteral("」"), 3);
    if (!doc->m_dlgBasic.m_strSubtitle.isEmpty())
        centred(3, 11, QStringLiteral("～") + doc->m_dlgBasic.m_strSubtitle, 5);
    centred(3, 17, QStringLiteral("【計算書】"), 1);
    centred(4, 39, GetCompanyName(), 3);
    pDC->SelectObject(oldFont);
}

void CPrintView::PrintContents(CDC* pDC, CPrintInfo* pInfo)
{
    FramedPage frame(*this, pDC, pInfo, QString());
    CFont* oldFont = pDC->SelectObject(&m_font[7]);
    const QString title = QStringLiteral("目次");
    pDC->TextOut(m_sizePage.cx / 2 - pDC->GetTextExtent(title).cx / 2, LineToY(pInfo, 0), title);
    pDC->SelectObject(&m_font[8]);
    int line = 3, number = 1;
    for (int s = RS_INPUT_CONDITIONS; s < RS_COUNT; ++s) {
        if (m_anSectionPages[s] <= 0)
            continue;
        // The page the footer prints there: the cover is not numbered.
        const int page = m_anSectionStart[s] - m_nCoverPages;
        pDC->TextOut(m_nLeftMargin + 3 * m_nIndent, LineToY(pInfo, line), AfxFormat(ContentsEntry(s), number, page));
        line += 2;
        ++number;
    }
    pDC->SelectObject(oldFont);
}
