// Report pages of the analysis and design results: the impact coefficients and the section
// calculation table.
#include "print/print_view.h"

#include "app/doc.h"
#include "app/globals.h"
#include "design/calc_view.h"
#include "design/girder_design.h"
#include "framework/dc.h"
#include "framework/format.h"
#include "framework/print.h"
#include "views/print_table.h"

#include <algorithm>

namespace {

constexpr double kGravity = 9.80665;
const QString kDash = QStringLiteral("－");
const QString kSame = QStringLiteral("←");

bool Tiny(double v) { return v > -1e-20 && v < 1e-20; }

QString GradeName(int grade) { return grade >= 0 && grade < 9 ? g_szSteelGrades9[grade] : QString(); }

// A value of a section in the table's units; "－" where the row has none.
QString SectionValue(const CSectionRecord& s, const CGirderDesign& g, int row, bool blockStart, double dBlockMr)
{
    const double f = g_bSIUnits == 1 ? kGravity : 1.0;
    auto mm = [](double m) { return AfxFormat("%9.0f", m * 1000.0); };
    auto width = [&s](double b, int flange) {
        return g_nBridgeType == 0 ? AfxFormat("%9.0f", b * 1000.0)
                                  : AfxFormat("%9.0f(%.0f)", b * 1000.0, s.GetMinEffectiveWidth(flange) * 1000.0);
    };
    auto ribs = [&](int count, int flange) {
        return AfxFormat("%d(%d,%d,%d)", count, s.GetEffectiveRibCount(g, 0, flange), s.GetEffectiveRibCount(g, 2, flange),
                         s.GetEffectiveRibCount(g, 1, flange));
    };
    switch (row) {
    case 1: case 2: return AfxFormat("%10.1f", s.m_adM[row - 1] * f);
    case 3: return Tiny(s.m_adM[2]) ? kDash : AfxFormat("%10.1f", s.m_adM[2] * f);
    case 4: return blockStart ? AfxFormat("%10.1f", dBlockMr * f) : kDash;
    case 5: case 6: return AfxFormat("%10.1f", s.m_adS[row - 5] * f);
    case 7: return Tiny(s.m_adS[2]) ? kDash : AfxFormat("%10.1f", s.m_adS[2] * f);
    case 8: return mm(s.m_dLength);
    case 9: return GradeName(s.m_nGradeUpper);
    case 10: return GradeName(s.m_nGradeLower);
    case 11: return GradeName(s.m_nGradeWeb);
    case 12: return width(s.m_dBUpper, 0);
    case 13: return mm(s.m_dTUpper);
    case 14: return width(s.m_dBLower, 1);
    case 15: return mm(s.m_dTLower);
    case 16: return mm(s.m_dHWeb);
    case 17: return mm(s.m_dTWeb);
    case 18: return AfxFormat("%d", s.m_nStiffenerLevels);
    case 19: case 20: return AfxFormat("%d", s.m_anBoltHoles[row - 19]);
    case 21: case 22: return AfxFormat("%9.3f", s.GetHoleStressFactor(row - 21));
    case 23: return AfxFormat("%9.2f", s.m_dArea * 10000.0);
    case 24: return AfxFormat("%9.0f", s.m_dI * 100000000.0);
    case 25: return AfxFormat("%9.2f", s.m_dNeutralAxis * 1000.0);
    case 38: return mm(s.m_dRibHUpper);
    case 39: return mm(s.m_dRibTUpper);
    case 40: return ribs(s.m_nRibsUpper, 0);
    case 41: return mm(s.m_dRibHLower);
    case 42: return mm(s.m_dRibTLower);
    case 43: return ribs(s.m_nRibsLower, 1);
    default: return row >= 26 && row <= 37 ? CCalcView::CheckText(s, g, row) : QString();
    }
}

// Plates and grades that a block shares: printed once, at its first section.
bool IsSharedRow(int row) { return (row >= 9 && row <= 15) || (row >= 17 && row <= 20); }

}

void CPrintView::PrintImpactCoefficients(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_衝撃係数"));
    const int supports = std::clamp(g_nSpans, 0, MAX_SPANS) + 1;
    int heights[MAX_SPANS + 2];
    std::fill(std::begin(heights), std::end(heights), 70);
    const int widths[2] = {300, 300};
    CPrintTable table(m_nLeftMargin + 100, -m_nTopMargin - 150, supports + 1, 2, heights, widths);
    table.DrawTable(pDC, m_bShadeHeadings);
    table.DrawTextCentreMiddle(pDC, 0, 1, QStringLiteral("衝撃係数"));
    for (int i = 1; i <= supports; ++i) {
        table.DrawTextCentreMiddle(pDC, i, 0, AfxFormat("第%2d支点", i));
        table.DrawTextCentreMiddle(pDC, i, 1, AfxFormat("%3.3f", doc->m_adImpactCoef[i - 1]));
    }
}

void CPrintView::PrintSectionCalcTable(CDC* pDC, CPrintInfo* pInfo)
{
    const CMarivoltenDoc* doc = GetDocument();
    FramedPage frame(*this, pDC, pInfo, QStringLiteral("_断面計算表"));
    const int rows = g_nBridgeType == 0 ? 38 : 44;
    int heights[44];
    std::fill(std::begin(heights), std::end(heights), 50);
    const int widths[5] = {430, 250, 250, 250, 250};
    CPrintTable table(m_nLeftMargin + 100, -m_nTopMargin - 150, rows, 5, heights, widths);
    table.DrawTable(pDC, m_bShadeHeadings);

    // The girder whose table the page continues.
    const int count = PrintedGirderCount();
    const int page = int(pInfo->m_nCurPage);
    int index = count - 1;
    for (int i = 1; i < count; ++i)
        if (m_anCalcTableStartPage[i] > page) {
            index = i - 1;
            break;
        }
    const CGirderDesign* girder = PrintedGirder(index);
    const int first = girder ? (page - m_anCalcTableStartPage[index]) * m_nSectionsPerPage : -1;
    for (int r = 1; r < rows; ++r)
        table.DrawTextLeftMiddle(pDC, r, 0, CCalcView::RowLabel(r));
    if (!girder || first < 0)
        return;
    table.DrawTextCentreMiddle(pDC, 0, 0, AfxFormat("主桁 G%d", g_nBridgeType == 2 ? 1 : index + 1));

    const CGirderDesign& g = *girder;
    const int n = std::min(g.m_nSections, int(g.m_pSections.size()));
    const bool varies = doc->m_dlgBasic.m_nHeightVariation == 0;
    // Block of every section and the least resisting moment of each block.
    std::vector<int> block(static_cast<size_t>(n)), place(static_cast<size_t>(n));
    std::vector<double> blockMr(static_cast<size_t>(n));
    int b = 0;
    for (const auto& [from, to] : g.Blocks()) {
        ++b;
        double least = g.m_pSections[size_t(from)].m_dMr;
        for (int s = from; s <= to && s < n; ++s)
            least = std::min(least, g.m_pSections[size_t(s)].m_dMr);
        for (int s = from; s <= to && s < n; ++s) {
            block[size_t(s)] = b;
            place[size_t(s)] = s - from + 1;
            blockMr[size_t(s)] = least;
        }
    }

    for (int c = 0; c < m_nSectionsPerPage && first + c < n; ++c) {
        const int k = first + c;
        const CSectionRecord& s = g.m_pSections[size_t(k)];
        const bool start = !varies || place[size_t(k)] == 1;
        if (varies && start)
            table.DrawColumnRule(pDC, c + 1, 5);
        table.DrawTextCentreMiddle(pDC, 0, c + 1,
                                   varies ? AfxFormat("%d - %d", block[size_t(k)], place[size_t(k)]) : AfxFormat("%d", k + 1));
        for (int r = 1; r < rows; ++r) {
            const bool same = varies && !start && IsSharedRow(r);
            table.DrawTextRightMiddle(pDC, r, c + 1, same ? kSame : SectionValue(s, g, r, start, blockMr[size_t(k)]));
        }
    }
}
