// Report pages of the grillage results: deflections, support reactions and member end
// forces, and per block of every girder the stiffness and steel weight that the analysis
// assumed against the designed ones, with each girder's weight ratio. The figures are those
// of the reactions and deflections window and of the section detail data window.
#include "print/print_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/girder_design.h"
#include "design/properties_tables.h"
#include "design/react_tables.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/print_table.h"
#include "views/react_view.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {

using results::Table;

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
const QString kDash = QStringLiteral("－");

// One page of a section that runs over table rows, a page holding the view's rows per page:
// the ruled grid and the section's rows that fall on it. The first row of the grid is shaded
// as a heading only where the section's row there is one.
class RowPage {
public:
    RowPage(const CPrintView& view, CDC* pDC, const CPrintInfo* pInfo, int nSection, int nRows,
            const std::vector<int>& widths)
        : m_pDC(pDC), m_bShade(view.ShadeHeadings()),
          m_nFirst((int(pInfo->m_nCurPage) - view.m_anSectionStart[nSection]) * view.m_nRowsPerPage),
          m_nPerPage(view.m_nRowsPerPage),
          m_table(Grid(view, std::clamp(nRows, 0, view.m_nRowsPerPage), widths))
    {
        m_table.DrawTable(pDC, m_bShade);
        if (m_table.m_nRows < 1)
            return;
        m_table.DrawCellFrameEx(pDC, 0, 0, m_bShade ? CPrintTable::kColumnFill : kWhite, kBlack);
        for (int c = 1; c < m_table.m_nCols; ++c)
            m_table.DrawCellFrameEx(pDC, 0, c, kWhite, kBlack);
    }
    bool On(int nRow) const { return nRow >= m_nFirst && nRow < m_nFirst + m_nPerPage; }
    // The section's rows on this page, for the tables to make no more than these.
    results::RowRange Rows() const { return {m_nFirst, m_nFirst + m_nPerPage - 1}; }
    // A heading row: filled, ruled above and below when asked, and its texts.
    void Heading(int nRow, const QStringList& texts, int nRuleWidth = 0) const
    {
        if (!On(nRow))
            return;
        const int row = nRow - m_nFirst;
        for (int c = 1; c < m_table.m_nCols; ++c)
            m_table.DrawCellFrameEx(m_pDC, row, c, m_bShade ? CPrintTable::kRowFill : kWhite, kBlack);
        m_table.DrawCellFrameEx(m_pDC, row, 0, m_bShade ? CPrintTable::kCornerFill : kWhite, kBlack);
        if (nRuleWidth > 0) {
            m_table.DrawRowRuleTop(m_pDC, row, nRuleWidth);
            m_table.DrawRowRuleBottom(m_pDC, row, nRuleWidth);
        }
        for (int c = 0; c < int(texts.size()); ++c)
            Text(nRow, c, texts[c]);
    }
    void Text(int nRow, int nCol, const QString& text, CFont* pFont = nullptr) const
    {
        if (!On(nRow) || text.isEmpty())
            return;
        CFont* old = pFont ? m_pDC->SelectObject(pFont) : nullptr;
        m_table.DrawTextCentreMiddle(m_pDC, nRow - m_nFirst, nCol, text);
        if (old)
            m_pDC->SelectObject(old);
    }

private:
    static CPrintTable Grid(const CPrintView& view, int nRows, const std::vector<int>& widths)
    {
        const std::vector<int> heights(size_t(std::max(nRows, 1)), 70);
        return CPrintTable(view.m_nLeftMargin + 100, -view.m_nTopMargin - 150, nRows, int(widths.size()),
                           heights.data(), widths.data());
    }

    CDC* m_pDC;
    BOOL m_bShade;
    int m_nFirst;
    int m_nPerPage;
    CPrintTable m_table;
};

QStringList Texts(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

// Rows a support has in the windows' tables.
int BearingLines(const CPrintView& view) { return react::BearingLines(CReactView::Input(*view.GetDocument())); }
int Supports() { return std::clamp(g_nSpans, 0, MAX_SPANS) + 1; }

QString BearingLabel(int nLine)
{
    if (g_nBridgeType == 2)
        return nLine == 0 ? QStringLiteral("     G1-L") : QStringLiteral("     G1-R");
    return AfxFormat("     G%2d", nLine + 1);
}

// The reaction summary, with or without the impact in the live load: per support a heading,
// a row per bearing line and the support's total, then the totals over every support.
void PrintSummaryLayout(CPrintView& view, CDC* pDC, CPrintInfo* pInfo, int nSection, const QString& title,
                        const Table& table)
{
    CPrintView::FramedPage frame(view, pDC, pInfo, title);
    const RowPage page(view, pDC, pInfo, nSection, view.m_nReactionSummaryRows,
                       {350, 150, 150, 150, 150, 150, 150, 150});
    const QStringList cases = Texts({"Dead", "Live(+)", "Live(-)", "D+L(+)", "D+L(-)"});
    const int n = BearingLines(view);
    int row = 0;
    for (int s = 0; s < Supports(); ++s) {
        page.Heading(row++, QStringList{AfxFormat(g_bSIUnits == 1 ? "第%2d支点反力(kN)" : "第%2d支点反力(t)", s + 1),
                                        QStringLiteral("格点No.")} + cases + QStringList{QStringLiteral("2xL(-)+D")});
        for (int k = 0; k < n; ++k, ++row) {
            page.Text(row, 0, BearingLabel(k));
            for (int c = 1; c < 8; ++c)
                page.Text(row, c, table.Text(row, c));
        }
        page.Text(row, 0, QStringLiteral("   合計"));
        for (int c = 2; c < 7; ++c)
            page.Text(row, c, table.Text(row, c));
        row += 2;
    }
    page.Heading(row++, QStringList{QString(), QString()} + cases);
    page.Text(row, 0, QStringLiteral("   総計"));
    for (int c = 2; c < 7; ++c)
        page.Text(row, c, table.Text(row, c));
}

// The reaction detail, with or without the impact in the live load: per support one block per
// bearing line, its lines' reactions and its total, the governing totals in the bold font.
void PrintDetailLayout(CPrintView& view, CDC* pDC, CPrintInfo* pInfo, int nSection, const QString& title,
                       const std::function<Table(const results::RowRange&)>& makeTable)
{
    CPrintView::FramedPage frame(view, pDC, pInfo, title);
    const RowPage page(view, pDC, pInfo, nSection, view.m_nReactionDetailRows, {350, 175, 175, 175, 175, 175, 175});
    const Table table = makeTable(page.Rows());
    const QStringList heads = Texts({"格点No.", "Dead", "Live(+)", "Live(-)", "D+L(+)", "D+L(-)", "2xL(-)+D"});
    const int n = BearingLines(view);
    int row = 0;
    for (int s = 0; s < Supports(); ++s)
        for (int block = 0; block < n; ++block) {
            page.Heading(row++, heads, 5);
            for (int k = 0; k < n; ++k, ++row)
                for (int c = 0; c < 7; ++c)
                    page.Text(row, c, table.Text(row, c));
            page.Text(row, 0, QStringLiteral("   合計"));
            for (int c = 1; c < 6; ++c)
                page.Text(row, c, table.Text(row, c),
                          table.At(row, c).style & results::STYLE_BOLD ? &view.m_font[6] : nullptr);
            row += 2;
        }
}

// Per block of a girder the assumed and the designed values with their ratio, every girder
// headed; returns the lines used, drawing those of the current page in mode 1.
int PrintBlockLines(CPrintView& view, CDC* pDC, CPrintInfo* pInfo, int nMode, int nSection, const QString& title,
                    const std::vector<int>& widths, int nRuleWidth, int nLines, Table (*table)(const CGirderDesign&))
{
    std::optional<CPrintView::FramedPage> frame;
    std::optional<RowPage> page;
    if (nMode == 1) {
        frame.emplace(view, pDC, pInfo, title);
        page.emplace(view, pDC, pInfo, nSection, nLines, widths);
    }
    int line = 0;
    for (int i = 0; i < view.PrintedGirderCount(); ++i) {
        const CGirderDesign& g = *view.PrintedGirder(i);
        const Table t = table(g);
        if (i > 0)
            ++line;
        const int cols = int(widths.size());
        if (page) {
            QStringList heads{AfxFormat("主桁 G%d: 部材", g_nBridgeType == 2 ? 1 : g.m_nGirderNo + 1)};
            for (int c = 1; c < cols; ++c)
                heads << t.Text(1, c + 1);
            page->Heading(line, heads, nRuleWidth);
        }
        ++line;
        for (int r = 2; r < t.Rows(); ++r, ++line)
            if (page)
                for (int c = 0; c < cols; ++c)
                    page->Text(line, c, t.Text(r, c + 1));
    }
    return line;
}

}

// ---------------------------------------------------------------- reactions and deflections

void CPrintView::PrintReactionSummary(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    PrintSummaryLayout(*this, pDC, pInfo, RS_REACTION_SUMMARY, QStringLiteral("_支点反力集計"),
                       react::ReactionSummary(doc.m_pGirders, CReactView::Input(doc)));
}

void CPrintView::PrintSubstructureReactions(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    PrintSummaryLayout(*this, pDC, pInfo, RS_SUBSTRUCTURE, QStringLiteral("_下部工用反力"),
                       react::SubstructureReactions(doc.m_pGirders, CReactView::Input(doc)));
}

void CPrintView::PrintReactionDetail(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    PrintDetailLayout(*this, pDC, pInfo, RS_REACTION_DETAIL, QStringLiteral("_支点反力詳細"),
                      [&doc](const results::RowRange& rows) {
                          return react::ReactionDetail(doc.m_pGirders, CReactView::Input(doc), rows);
                      });
}

void CPrintView::PrintSubstructureReactionsNoImpact(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    PrintDetailLayout(*this, pDC, pInfo, RS_REACTIONS_NO_IMPACT, QStringLiteral("_下部工用反力（衝撃なし）"),
                      [&doc](const results::RowRange& rows) {
                          return react::SubstructureReactionsNoImpact(doc.m_pGirders, CReactView::Input(doc), rows);
                      });
}

void CPrintView::PrintDeflection(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_たわみ"));
    const RowPage page(*this, pDC, pInfo, RS_DEFLECTION, m_nRowsPerPage, {300, 140, 240, 240, 240, 240, 100});
    const Table table = react::Deflection(doc.m_pGirders, CReactView::Input(doc), page.Rows());
    const QStringList heads = Texts({"格点No.", "死荷重    ", "活荷重 (+)", "活荷重 (-)", "許容活荷重ﾀﾜﾐ", "支点"});
    static const char* const kSingleBox[3] = {"G1-Lﾀﾜﾐ (mm)", "G1-Cﾀﾜﾐ (mm)", "G1-Rﾀﾜﾐ (mm)"};
    const int points = std::clamp(g_nPanelPoints, 0, 281);
    int row = 0;
    for (int g = 0; g < std::clamp(g_nGirders, 0, MAX_GIRDERS); ++g) {
        const QString name = g_nBridgeType == 2 ? QString::fromUtf8(kSingleBox[std::min(g, 2)])
                                                : AfxFormat("G%2d主桁ﾀﾜﾐ (mm)", g + 1);
        page.Heading(row++, QStringList{name} + heads);
        for (int p = 0; p < points; ++p, ++row)
            for (int c = 0; c < 7; ++c)
                page.Text(row, c, table.Text(row, c));
        ++row;
    }
}

// ---------------------------------------------------------------- member forces

int CPrintView::PrintForceDetail(CDC* pDC, CPrintInfo* pInfo, int nMode)
{
    std::optional<FramedPage> frame;
    std::optional<RowPage> page;
    if (nMode == 1) {
        frame.emplace(*this, pDC, pInfo, QStringLiteral("_断面力詳細データ"));
        page.emplace(*this, pDC, pInfo, RS_FORCE_DETAIL, m_nForceDetailLastRow + 1,
                     std::vector<int>{350, 180, 180, 180, 180, 180, 180});
    }
    const bool box = g_nBridgeType != 0;
    const QStringList cases = Texts({"DEAD LOAD", "LIVE (+)", "LIVE (-)", "D+L (+)", "D+L (-)", " L (M)"});
    static const char* const kTables[3] = {"主桁 G%d: ﾓｰﾒﾝﾄ", "主桁 G%d: せん断力", "主桁 G%d: ねじりﾓｰﾒﾝﾄ"};
    // A girder's block: moments and shears two rows a member, torsion one, each table headed.
    const int members = std::clamp(g_nPanelPoints, 1, 281) - 1;
    const int rows = box ? 5 * members + 3 : 4 * members + 2;
    int row = 0;
    for (int i = 0; i < PrintedGirderCount(); ++i, row += rows) {
        if (i > 0)
            ++row;
        // Only the blocks on the page are made, and of them only its rows.
        const results::RowRange onPage = page ? page->Rows() : results::RowRange{};
        if (!page || row > onPage.last || row + rows <= onPage.first)
            continue;
        const CGirderDesign& g = *PrintedGirder(i);
        const Table t =
            props::Forces(g, g_nPanelPoints, box, g_bSIUnits == 1, {onPage.first - row + 1, onPage.last - row + 1});
        const int number = g_nBridgeType == 2 ? 1 : g.m_nGirderNo + 1;
        int heading = 0;
        for (int r = 0; r < rows; ++r) {
            // The window's table keeps its row 0 and column 0 out of sight.
            if (t.At(r + 1, 0).style & results::STYLE_HEADING) {
                page->Heading(row + r, QStringList{AfxFormat(kTables[std::min(heading++, 2)], number)} + cases, 6);
                continue;
            }
            for (int c = 0; c < 7; ++c)
                page->Text(row + r, c, t.Text(r + 1, c + 1));
        }
    }
    return row - 1;
}

// ---------------------------------------------------------------- stiffness and steel weight

int CPrintView::PrintStiffness(CDC* pDC, CPrintInfo* pInfo, int nMode)
{
    const bool box = g_nBridgeType != 0;
    const std::vector<int> widths =
        box ? std::vector<int>{210, 260, 230, 150, 285, 255, 150} : std::vector<int>{210, 260, 230, 150};
    return PrintBlockLines(*this, pDC, pInfo, nMode, RS_STIFFNESS, QStringLiteral("_曲げ剛度・ねじり剛度"), widths,
                           box ? 6 : 3, m_nStiffnessLines,
                           [](const CGirderDesign& g) { return props::Stiffness(g, g_nBridgeType != 0); });
}

int CPrintView::PrintSteelWeight(CDC* pDC, CPrintInfo* pInfo, int nMode)
{
    return PrintBlockLines(*this, pDC, pInfo, nMode, RS_STEEL_WEIGHT, QStringLiteral("_鋼重"), {210, 260, 230, 180}, 3,
                           m_nSteelWeightLines,
                           [](const CGirderDesign& g) { return props::SteelWeight(g, g_bSIUnits == 1); });
}

void CPrintView::PrintAreaRatio(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc& doc = *GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_断面積比"));
    const bool single = g_nBridgeType == 2;
    const int girders = single ? 1 : std::clamp(g_nGirders, 0, MAX_GIRDERS);
    const std::vector<int> heights(size_t(girders + 1), m_nLineHeight);
    const int widths[4] = {250, 250, 250, 250};
    CPrintTable table(m_nLeftMargin + 2 * m_nIndent, -m_nTopMargin - 100, girders + 1, 4, heights.data(), widths);
    table.DrawTable(pDC, m_bShadeHeadings);
    const QStringList heads = Texts({"主桁", "仮定断面 m2", "実断面 m2", "仮定断面/実断面"});
    for (int c = 0; c < 4; ++c)
        table.DrawTextCentreMiddle(pDC, 0, c, heads[c]);
    const bool valid = g_bResultsValid != 0;
    for (int i = 1; i <= girders; ++i) {
        // A single box keeps its figures with its design object, the second.
        const int k = single ? 1 : i - 1;
        const double assumed = doc.m_adAssumedWeightPerLength[k], design = doc.m_adDesignWeightPerLength[k];
        table.DrawTextCentreMiddle(pDC, i, 0, single ? QStringLiteral("G1") : AfxFormat("G%d", i));
        table.DrawTextCentreMiddle(pDC, i, 1, valid && assumed >= 1e-20 ? AfxFormat("%9.3f", assumed) : kDash);
        table.DrawTextCentreMiddle(pDC, i, 2, valid && design >= 1e-20 ? AfxFormat("%9.3f", design) : kDash);
        table.DrawTextCentreMiddle(pDC, i, 3, valid && design > 1e-20 ? AfxFormat("%9.3f", assumed / design) : kDash);
    }
}
