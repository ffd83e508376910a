// Report pages of the estimate: mass summary, mass breakdown, mass by steel grade, man-hour
// elements with the quantities, contract and material cost, fabrication cost. Every number
// comes from the estimate window's own tables, so that paper and window show the same sums;
// the pages only lay them out in the report's wording.
#include "print/print_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "estimate/breakdown_tables.h"
#include "estimate/cost_tables.h"
#include "estimate/estimate_input.h"
#include "estimate/mass_tables.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/print_table.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using estimate::TableRow;

const QString kDash = QStringLiteral("－");
const QString kNone = QStringLiteral("    ／");
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

CEstimateInput Input(const CMarivoltenDoc& doc) { return CEstimateInput::Collect(doc, false); }

// The window writes a half-width hyphen where a divisor is nil; paper has the full-width dash.
QString Paper(const QString& text) { return text == QLatin1String("-") ? kDash : text; }

// Member names as the report spells them.
QString PaperName(QString name)
{
    name = name.trimmed();
    return name == QStringLiteral("ブラケット") ? QStringLiteral("ﾌﾞﾗｹｯﾄ") : name;
}

QString MassHeading() { return g_bSIUnits == 1 ? QStringLiteral("質量(t)") : QStringLiteral("重量(t)"); }

std::vector<int> Sizes(int n, int size) { return std::vector<int>(size_t(std::max(n, 0)), size); }

// ---------------------------------------------------------------- mass breakdown lines

// One row of the mass breakdown as printed: its texts and which of them stand right-aligned.
struct BreakdownLine {
    TableRow::Kind kind = TableRow::Blank;
    QString cell[7];
    unsigned right = 0;     // one bit per column
};

enum class Group { Girder, CrossBeam, CrossFrame, Lateral, Bracket, EdgeStringer, Stringer, Bolts, Others };

struct GroupText {
    Group group;
    const char* caption;        // the window's block caption, trimmed
    const char* headings[6];    // columns 1 to 6; "M" the mass heading
    const char* total;          // the total's label, else the window's
    int totalCol;               // the column of that label
    unsigned totalRight;        // the total's right-aligned columns, one bit each
};

const GroupText kGroups[] = {
    {Group::CrossBeam, "横桁", {"部材", "材質", "断面積(m2)", "長さ(m)", "個数", "M"}, "横桁合計", 0, 0x41},
    {Group::CrossFrame, "端対傾構", {"", "材質", "", "長さ(m)", "個数", "M"}, nullptr, 0, 0x41},
    {Group::CrossFrame, "中間対傾構", {"", "材質", "", "長さ(m)", "個数", "M"}, nullptr, 0, 0x41},
    {Group::CrossFrame, "支点対傾構", {"", "材質", "", "長さ(m)", "個数", "M"}, nullptr, 0, 0x41},
    {Group::Lateral, "横構", {"", "材質", "", "平均長(m)", "本数", "M"}, "横構合計", 1, 0x40},
    {Group::Bracket, "ブラケット", {"", "材質", "断面積(m2)", "長さ(m)", "個数", "M"}, "合計", 1, 0},
    {Group::EdgeStringer, "側縦桁", {"", "材質", "断面積(m2)", "総延長(m)", "", "M"}, "側縦桁合計", 1, 0},
    {Group::Stringer, "中間縦桁", {"", "材質", "断面積(m2)", "総延長(m)", "本数", "M"}, "中間縦桁計", 1, 0},
    {Group::Bolts, "高力ボルト", {"", "", "", "主部材(t)", "係数", "M"}, "HTB計", 1, 0},
    {Group::Others, "その他", {"", "", "U", "長さ(m)", "個数", "M"}, nullptr, 1, 0},
};
const GroupText kGirders = {Group::Girder, "", {"部材", "材質", "断面積(m2)", "長さ(m)", "個数", "M"}, "主桁合計", 0, 0x01};

const GroupText& GroupOf(const QString& caption)
{
    const QString key = caption.trimmed();
    for (const GroupText& g : kGroups)
        if (key == QString::fromUtf8(g.caption))
            return g;
    return kGirders;
}

QString GirderPlate(const QString& name)
{
    static const std::pair<const char*, const char*> plates[] = {
        {"上フランジ", "上ﾌﾗﾝｼﾞ"}, {"ウェブ", "ｳｪﾌﾞ"}, {"下フランジ", "下ﾌﾗﾝｼﾞ"}, {"上リブ", "上ﾌﾗﾝｼﾞﾘﾌﾞ"}, {"下リブ", "下ﾌﾗﾝｼﾞﾘﾌﾞ"}};
    for (const auto& [window, paper] : plates)
        if (name == QString::fromUtf8(window))
            return QString::fromUtf8(paper);
    return name;
}

// The window's mass breakdown in the report's groups: every group closes with its total and
// one empty row, the others with the empty row alone.
std::vector<BreakdownLine> BreakdownLines(const CMarivoltenDoc& doc)
{
    const estimate::MassBreakdown table = estimate::BuildMassBreakdown(Input(doc), doc, g_szSteelGrades9);
    const QString mass = MassHeading();
    std::vector<BreakdownLine> lines;
    const GroupText* group = &kGirders;
    for (const TableRow& row : table.rows) {
        if (row.kind == TableRow::Blank || row.kind == TableRow::Captions)
            continue;
        BreakdownLine line;
        line.kind = row.kind;
        // The window's cells run from its row heading, column -1.
        auto cell = [&row](int col) { return Paper(row.Cell(col + 1)); };
        switch (row.kind) {
        case TableRow::Heading:
            group = &GroupOf(cell(-1));
            line.cell[0] = cell(-1);
            for (int col = 1; col <= 6; ++col) {
                const QString h = QString::fromUtf8(group->headings[col - 1]);
                line.cell[col] = h == QLatin1String("M")   ? mass
                                 : h == QLatin1String("U") ? (g_bSIUnits == 1 ? QStringLiteral("質量(t/m,t)")
                                                                              : QStringLiteral("重量(t/m,t)"))
                                                           : h;
            }
            break;
        case TableRow::Member:
            for (int col = 0; col <= 6; ++col)
                line.cell[col] = cell(col);
            line.cell[2] = line.cell[2].trimmed();
            switch (group->group) {
            case Group::Girder:
                line.cell[1] = GirderPlate(line.cell[1]);
                line.cell[6] = line.cell[6].trimmed();
                break;
            case Group::CrossBeam:
            case Group::CrossFrame:
                // One girder has no bay to measure.
                if (g_nGirders < 2)
                    line.cell[4] = kDash;
                break;
            case Group::Lateral:
                line.right = 0x70;
                break;
            case Group::Bracket: {
                // "上フランジ(左)": the side moves to column 0, on its first plate.
                const QString name = line.cell[1];
                line.cell[1] = name.left(name.size() - 3).trimmed();
                if (name.startsWith(QStringLiteral("上フランジ"))) {
                    line.cell[0] = name.endsWith(QStringLiteral("(右)")) ? QStringLiteral("右ブラケット")
                                                                          : QStringLiteral("左ブラケット");
                    line.right = 0x01;
                }
                break;
            }
            case Group::EdgeStringer:
            case Group::Stringer:
                line.cell[1] = line.cell[1].trimmed();
                break;
            default:
                break;
            }
            break;
        case TableRow::Total: {
            const QString label = group->total ? QString::fromUtf8(group->total) : cell(1).trimmed();
            line.cell[group->totalCol] = label;
            line.cell[6] = cell(6);
            line.right = group->totalRight;
            break;
        }
        default:
            break;
        }
        lines.push_back(line);
        if (row.kind == TableRow::Total)
            lines.push_back(BreakdownLine());
    }
    // The fittings close the table with their empty row.
    lines.push_back(BreakdownLine());
    return lines;
}

// ---------------------------------------------------------------- cost tables

constexpr int kCostWidths[3] = {370, 850, 180};

// A cost table: its rows written left-aligned under the centred headings of row 0.
void DrawCostTable(CDC* pDC, int x, int y, BOOL bShade, const std::vector<estimate::CostRow>& rows,
                   const std::vector<QString>& labels)
{
    const int n = int(rows.size());
    const std::vector<int> heights = Sizes(n, 50);
    CPrintTable table(x, y, n, 3, heights.data(), kCostWidths);
    table.DrawTable(pDC, bShade);
    for (int row = 0; row < n; ++row) {
        const estimate::CostRow& r = rows[size_t(row)];
        const QString texts[3] = {size_t(row) < labels.size() ? labels[size_t(row)] : r.caption, r.method, r.amount};
        for (int col = 0; col < 3; ++col) {
            if (texts[col].isEmpty())
                continue;
            if (row == 0)
                table.DrawTextCentreMiddle(pDC, row, col, texts[col]);
            else
                table.DrawTextLeftMiddle(pDC, row, col, texts[col]);
        }
    }
}

std::vector<QString> Utf8(std::initializer_list<const char*> texts)
{
    std::vector<QString> out;
    for (const char* t : texts)
        out.push_back(QString::fromUtf8(t));
    return out;
}

}

// ---------------------------------------------------------------- mass summary

void CPrintView::PrintMassSummary(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    const bool si = g_bSIUnits == 1;
    FramedPage frame(*this, pDC, pInfo, si ? QStringLiteral("_質量集計") : QStringLiteral("_重量集計"));
    const estimate::MassSummaryTable t = estimate::MassSummary(*doc, Input(*doc));
    const estimate::TableText& x = t.m_text;
    const int rows = t.m_nTotalRow + 1;
    const std::vector<int> heights = Sizes(rows, 70);
    const int widths[4] = {400, 250, 250, 250};
    CPrintTable table(m_nLeftMargin + 100, -(150 + m_nTopMargin), rows, 4, heights.data(), widths);
    table.DrawTable(pDC, m_bShadeHeadings);

    const int mainSubtotal = t.m_nSpacerRow - 1, secondarySubtotal = t.m_nTotalRow - 2;
    const QString headings[2][4] = {
        {QStringLiteral("主部材"), si ? QStringLiteral("計算質量(t)") : QStringLiteral("計算重量(t)"), QStringLiteral("係数"),
         MassHeading()},
        {QStringLiteral("副部材"), si ? QStringLiteral("単位質量(t)") : QStringLiteral("単位重量(t)"),
         QStringLiteral("長さ(m)、個数"), MassHeading()}};
    for (int row = 0; row < rows; ++row) {
        if (row == 0 || row == t.m_nSecondaryHeadingRow) {
            for (int col = 0; col < 4; ++col)
                table.DrawTextCentreMiddle(pDC, row, col, headings[row == 0 ? 0 : 1][col]);
            continue;
        }
        const bool member = (row < mainSubtotal) || (row > t.m_nSecondaryHeadingRow && row < secondarySubtotal);
        const QString label = x.At(row, 0).trimmed();
        if (member)
            table.DrawTextRightMiddle(pDC, row, 0, AfxFormat("%-16s", PaperName(label).toUtf8().constData()));
        else if (!label.isEmpty())
            table.DrawTextCentreMiddle(pDC, row, 0, label);
        for (int col = 1; col < 4; ++col)
            if (!x.At(row, col).isEmpty())
                table.DrawTextCentreMiddle(pDC, row, col, Paper(x.At(row, col)));
    }
}

// ---------------------------------------------------------------- man-hour elements

void CPrintView::PrintManHourPage(CDC* pDC, CPrintInfo* pInfo)
{
    PrintManHourElements(pDC, pInfo);
    PrintEstimateQuantities(pDC, pInfo);
}

void CPrintView::PrintManHourElements(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    const bool si = g_bSIUnits == 1;
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_工数算定要素、塗装、舗装"));
    const std::vector<TableRow> rows = estimate::BuildLabourElements(Input(*doc), *doc);
    const int n = int(rows.size());
    const std::vector<int> heights = Sizes(n, 70);
    const int widths[5] = {400, 270, 270, 220, 220};
    CPrintTable table(m_nLeftMargin + 100, -(150 + m_nTopMargin), n, 5, heights.data(), widths);
    table.DrawTable(pDC, m_bShadeHeadings);

    const QString headings[2][4] = {
        {QStringLiteral("大型材片数"), QStringLiteral("小型材片数"), QStringLiteral("部材数"),
         si ? QStringLiteral("部材質量(Kg)") : QStringLiteral("部材重量(Kg)")},
        {si ? QStringLiteral("大型材片質量(Kg)") : QStringLiteral("大型材片重量(Kg)"),
         si ? QStringLiteral("小型材片質量(Kg)") : QStringLiteral("小型材片重量(Kg)"), QStringLiteral("T継溶接(m)"),
         QStringLiteral("板継溶接(m)")}};
    int block = 0;
    for (int row = 0; row < n; ++row) {
        const TableRow& r = rows[size_t(row)];
        if (r.kind == TableRow::Heading) {
            for (int col = 1; col < 5; ++col)
                table.DrawTextCentreMiddle(pDC, row, col, headings[std::min(block, 1)][col - 1]);
            ++block;
            continue;
        }
        if (r.kind == TableRow::Blank)
            continue;
        table.DrawTextCentreMiddle(pDC, row, 0, r.Cell(0));
        for (int col = 1; col < 5; ++col)
            table.DrawTextRightMiddle(pDC, row, col, r.Cell(col).isEmpty() ? kNone : r.Cell(col));
    }
}

void CPrintView::PrintEstimateQuantities(CDC* pDC, CPrintInfo*)
{
    const CMarivoltenDoc* doc = GetDocument();
    const estimate::AreaVolumeTable t = estimate::AreaVolume(*doc, Input(*doc));
    const std::vector<int> heights = Sizes(10, 70);
    const int widths[4] = {400, 270, 270, 270};
    CPen pen(PS_SOLID, 1, kBlack);
    CPen* oldPen = pDC->SelectObject(&pen);
    CPrintTable table(m_nLeftMargin + 100, -(1600 + m_nTopMargin), 10, 4, heights.data(), widths);
    table.DrawTable(pDC, m_bShadeHeadings);

    table.DrawTextCentreMiddle(pDC, 0, 1, g_bSIUnits == 1 ? QStringLiteral("部材総質量(t)") : QStringLiteral("部材総重量(t)"));
    table.DrawTextCentreMiddle(pDC, 0, 2, QStringLiteral("係数"));
    table.DrawTextCentreMiddle(pDC, 0, 3, QStringLiteral("面積(m2)"));
    table.DrawTextLeftMiddle(pDC, 1, 0, QStringLiteral("塗装面積"));
    for (int col = 1; col < 4; ++col)
        table.DrawTextRightMiddle(pDC, 1, col, t.m_text.At(1, col));
    table.DrawTextLeftMiddle(pDC, 2, 0, QStringLiteral("舗装面積"));
    table.DrawTextRightMiddle(pDC, 2, 3, QStringLiteral("面積(m2)"));
    table.DrawTextLeftMiddle(pDC, 6, 0, QStringLiteral("ＲＣ体積"));
    table.DrawTextRightMiddle(pDC, 6, 3, QStringLiteral("体積(m3)"));
    // The sidewalk rows stand on paper also for a bridge without sidewalks.
    const std::pair<const char*, double> items[] = {{"車道", doc->m_dRoadwayPavingArea},
                                                    {"歩道", doc->m_dSidewalkPavingArea},
                                                    {"床版", doc->m_dDeckConcreteVolume},
                                                    {"歩道マウント", doc->m_dSidewalkConcreteVolume}};
    const int itemRows[4] = {3, 4, 7, 8};
    for (int i = 0; i < 4; ++i) {
        table.DrawTextRightMiddle(pDC, itemRows[i], 0, QString::fromUtf8(items[i].first));
        table.DrawTextRightMiddle(pDC, itemRows[i], 3, AfxFormat("%8.2f", items[i].second));
    }
    pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------- fabrication cost

void CPrintView::PrintFabricationCost(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_製作費"));
    std::vector<estimate::CostRow> rows = estimate::FabricationCostRows(*doc, Input(*doc));
    // The amount to the nearest thousand yen, as the format rounds it.
    if (rows.size() > 1)
        rows[1].amount = AfxFormat("%8.0f", doc->m_dFabricationCost / 1000.0);
    std::vector<QString> labels(rows.size());
    const std::pair<int, const char*> captions[] = {
        {0, "項目"}, {1, "製作費"}, {2, "全体製作工数 Y"}, {13, "本体の組立加工工数 Y1"}, {20, "本体の溶接工数 Y2"},
        {25, "570材による影響割増 K"}, {28, "本体の仮組立工数"}, {32, "対傾構,横構組立工数 Y4"}, {39, "付属物の製作工数 Y5"}};
    for (const auto& [row, text] : captions)
        if (size_t(row) < labels.size())
            labels[size_t(row)] = QString::fromUtf8(text);
    DrawCostTable(pDC, m_nLeftMargin + 100, -m_nTopMargin - 150, m_bShadeHeadings, rows, labels);
}

// ---------------------------------------------------------------- contract and material cost

void CPrintView::PrintCostPage(CDC* pDC, CPrintInfo* pInfo)
{
    PrintContractCost(pDC, pInfo);
    PrintMaterialCost(pDC, pInfo);
}

void CPrintView::PrintContractCost(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_請負工事費、材料費"));
    const CEstimateInput in = Input(*doc);
    std::vector<estimate::CostRow> rows = estimate::ContractCostRows(*doc, in);
    // The page words two methods its own way.
    if (rows.size() > 16) {
        rows[9].method = QStringLiteral("{ 2)製作費 + 3)工場塗装費 + 4)間接労務費 }× ") + AfxFormat("%4.3f", in.m_dShopOverheadRate);
        if (rows[16].method.isEmpty())
            rows[16].method = QStringLiteral("車道 + 歩道");
    }
    const std::vector<QString> labels =
        Utf8({"項目", "請負工事費", "  (1)工場製作費", "    ①直接工事費", "      1)材料費", "      2)製作費",
              "      3)工場塗装費", "    ②間接工事費", "      4)間接労務費", "      5)工場管理費", "  (2)架設工事費(原価)",
              "    ①直接工事費", "      1)輸送費", "      2)架設費", "      3)現場塗装費", "      4)床版工事費",
              "      5)舗装工事費", "          車道", "          歩道", "    ②間接工事費", "      6)共通仮設費",
              "      7)現場管理費", "  (3)一般管理費"});
    DrawCostTable(pDC, m_nLeftMargin + 100, -m_nTopMargin - 150, m_bShadeHeadings, rows, labels);
}

void CPrintView::PrintMaterialCost(CDC* pDC, CPrintInfo*)
{
    const CMarivoltenDoc* doc = GetDocument();
    const CEstimateInput in = Input(*doc);
    const bool grillageRun = doc->m_bGrillageNotRun == 0;
    std::vector<estimate::CostRow> rows = estimate::MaterialCostRows(*doc, in, grillageRun);
    // Without steel there is no average price to show.
    if (rows.size() > 3 && doc->m_dSteelMassTotal <= 1e-20)
        rows[3].method = AfxFormat("%8.2f t × ", doc->m_dSteelMassTotal) + QStringLiteral("     －") +
                         QStringLiteral(" 千円/t(鋼材平均)");
    std::vector<QString> labels = Utf8({"項目", "材料費", "  (1)鋼材", "    ①鋼材", "    ②塗装前処理", "  (2)支承",
                                        "  (3)高力ボルト", "  (4)排水装置", "  (5)副資材費"});
    for (size_t row = labels.size(); row < rows.size(); ++row)
        labels.push_back(QStringLiteral("  ") + rows[row].caption.trimmed());
    CPen pen(PS_SOLID, 1, kBlack);
    CPen* oldPen = pDC->SelectObject(&pen);
    DrawCostTable(pDC, m_nLeftMargin + 100, -m_nTopMargin - 1600, m_bShadeHeadings, rows, labels);
    pDC->SelectObject(oldPen);
}

// ---------------------------------------------------------------- mass breakdown

int CPrintView::CountMassBreakdownRows() const
{
    const CMarivoltenDoc* doc = GetDocument();
    return doc && doc->m_pGirders ? int(BreakdownLines(*doc).size()) : 0;
}

void CPrintView::PrintMassBreakdown(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, g_bSIUnits == 1 ? QStringLiteral("_質量内訳") : QStringLiteral("_重量内訳"));
    // Made once for the pages of a job: each would make the whole breakdown again.
    std::shared_ptr<const std::vector<BreakdownLine>> made =
        std::static_pointer_cast<const std::vector<BreakdownLine>>(m_pMassBreakdown);
    if (!made) {
        made = std::make_shared<const std::vector<BreakdownLine>>(BreakdownLines(*doc));
        if (m_bJobPrinting)
            m_pMassBreakdown = made;
    }
    const std::vector<BreakdownLine>& lines = *made;
    // Every page keeps the table of the first: the last one shows its empty rows ruled.
    const int rows = std::min(int(lines.size()), m_nRowsPerPage);
    if (rows <= 0)
        return;
    const std::vector<int> heights = Sizes(rows, 70);
    const int widths[7] = {350, 180, 180, 180, 180, 180, 180};
    CPrintTable table(m_nLeftMargin + 100, -(m_nTopMargin + 150), rows, 7, heights.data(), widths);
    table.DrawTable(pDC, m_bShadeHeadings);
    // The first row is no heading row of the table: the groups bring their own.
    for (int col = 1; col < 7; ++col)
        table.DrawCellFrameEx(pDC, 0, col, kWhite, kBlack);
    table.DrawCellFrameEx(pDC, 0, 0, m_bShadeHeadings ? CPrintTable::kColumnFill : kWhite, kBlack);

    const int first = std::max(0, int(pInfo->m_nCurPage) - m_anSectionStart[RS_MASS_BREAKDOWN]) * m_nRowsPerPage;
    for (int r = first; r < first + rows && r < int(lines.size()); ++r) {
        const BreakdownLine& line = lines[size_t(r)];
        const int row = r - first;
        if (line.kind == TableRow::Heading) {
            for (int col = 1; col < 7; ++col)
                table.DrawCellFrameEx(pDC, row, col, m_bShadeHeadings ? CPrintTable::kRowFill : kWhite, kBlack);
            table.DrawCellFrameEx(pDC, row, 0, m_bShadeHeadings ? CPrintTable::kCornerFill : kWhite, kBlack);
        }
        for (int col = 0; col < 7; ++col) {
            if (line.cell[col].isEmpty())
                continue;
            if (line.right & (1u << col))
                table.DrawTextRightMiddle(pDC, row, col, line.cell[col]);
            else
                table.DrawTextCentreMiddle(pDC, row, col, line.cell[col]);
        }
    }
}

// ---------------------------------------------------------------- mass by grade

void CPrintView::PrintMassByGrade(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_規格別質量"));
    const estimate::MassByGradeTable t = estimate::MassByGrade(*doc, Input(*doc), g_szSteelGrades18);
    const estimate::TableText& x = t.m_text;
    const int cols = std::min(x.m_nCols, int(CPrintTable::MAX_COLS));
    std::vector<QString> headings(static_cast<size_t>(cols));
    headings.front() = QStringLiteral("規格＼要素(t)");
    headings.back() = QStringLiteral("規格別計");
    for (int col = 1; col + 1 < cols; ++col)
        headings[size_t(col)] = PaperName(QString(x.At(0, col)).remove(QStringLiteral("(t)")));
    // A heading wider than its column widens it rather than run over the rules.
    std::vector<int> widths(size_t(cols), 140);
    widths.front() = 220;
    for (int col = 0; col < cols; ++col)
        widths[size_t(col)] = std::max(widths[size_t(col)], pDC->GetTextExtent(headings[size_t(col)]).cx + 20);
    const std::vector<int> heights = Sizes(estimate::MassByGradeTable::ROWS, 70);
    CPrintTable table(m_nLeftMargin + 100, -(m_nTopMargin + 150), estimate::MassByGradeTable::ROWS, cols, heights.data(),
                      widths.data());
    table.DrawTable(pDC, m_bShadeHeadings);
    for (int col = 1; col < cols; ++col)
        table.DrawCellFrameEx(pDC, 0, col, m_bShadeHeadings ? CPrintTable::kRowFill : kWhite, kBlack);
    table.DrawCellFrameEx(pDC, 0, 0, m_bShadeHeadings ? CPrintTable::kCornerFill : kWhite, kBlack);

    for (int col = 0; col < cols; ++col)
        table.DrawTextCentreMiddle(pDC, 0, col, headings[size_t(col)]);
    for (int row = 1; row < estimate::MassByGradeTable::ROWS; ++row)
        for (int col = 0; col < cols; ++col) {
            const QString text = row == estimate::MassByGradeTable::TOTAL_ROW && col == 0 ? QStringLiteral("要素別集計")
                                                                                           : x.At(row, col);
            table.DrawTextCentreMiddle(pDC, row, col, text);
        }
}
