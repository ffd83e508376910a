#include "design/react_tables.h"

#include "design/girder_design.h"
#include "framework/format.h"

#include <algorithm>
#include <cmath>

namespace react {

using results::Table;
using namespace results;

namespace {

constexpr double kTiny = 1e-20;
constexpr double kGravity = 9.80665;
// Deflections within this of the allowable (mm) count as reaching it.
constexpr double kDeflectionTolerance = 1e-6;
// Block totals within this (tf) count as equal when the extremes are chosen.
constexpr double kTotalTolerance = 1e-9;
const QString kDash = QStringLiteral("－");
const char* const kCaseHeads[5] = {"Dead", "Live (+)", "Live (-)", "D+L (+)", "D+L (-)"};

int Supports(const ReactInput& in) { return std::clamp(in.nSpans, 0, 14) + 1; }
double UnitFactor(const ReactInput& in) { return in.bSIUnits == 1 ? kGravity : 1.0; }
QString Force(const ReactInput& in, double v) { return AfxFormat(in.bSIUnits == 1 ? "%9.2f" : "%9.3f", v); }

void HeadingRow(Table& t, int row, int nCols, unsigned extra = 0)
{
    for (int c = 0; c < nCols; ++c)
        t.AddStyle(row, c, STYLE_HEADING | extra);
}

// Dead, live (+), live (-), dead + live (+), dead + live (-) and twice live (-) + dead of one
// bearing, in the units shown; the live load divided by k when the impact is taken out.
struct Reactions {
    double v[6] = {};
};

Reactions ImpactFree(double f, double dead, double livePlus, double liveMinus, double k)
{
    Reactions r;
    r.v[0] = f * dead;
    r.v[1] = f * livePlus / k;
    r.v[2] = f * liveMinus / k;
    r.v[3] = r.v[0] + r.v[1];
    r.v[4] = r.v[0] + r.v[2];
    r.v[5] = r.v[0] + 2.0 * r.v[2];
    return r;
}

// Tables 0 and 2: one block per support, then the grand totals.
Table SummaryTable(const CGirderDesign* g, const ReactInput& in, bool bImpactFree)
{
    const int n = BearingLines(in), supports = Supports(in);
    const bool si = in.bSIUnits == 1;
    const double f = UnitFactor(in);
    Table t(supports * (n + 3) + 2, 8);
    for (int r = 0; r < t.Rows(); ++r)
        t.AddStyle(r, 0, STYLE_HEADING);
    double grand[5] = {};
    int row = 0;
    for (int s = 0; s < supports; ++s) {
        HeadingRow(t, row, 8);
        t.SetText(row, 0, AfxFormat(si ? "第%2d支点反力(kN)" : "第%2d支点反力 (t)", s + 1));
        t.SetText(row, 1, QStringLiteral("格点No."));
        for (int c = 0; c < 5; ++c)
            t.SetText(row, c + 2, QString::fromLatin1(kCaseHeads[c]));
        t.SetText(row, 7, QStringLiteral("2xL(-) +D"));
        ++row;

        const double k = bImpactFree ? ImpactDivisor(in, s) : 1.0;
        double sums[5] = {};
        for (int i = 0; i < n; ++i, ++row) {
            if (in.nBridgeType == 2)
                t.SetText(row, 0, i == 0 ? QStringLiteral("           G1-L") : QStringLiteral("           G1-R"));
            else
                t.SetText(row, 0, AfxFormat("           G%2d", i + 1));
            const CGirderDesign& line = g[i];
            t.SetText(row, 1, AfxFormat("%4d", line.m_anReactNode[s]));
            if (bImpactFree && k <= kTiny)
                continue;   // no divisor: the line's figures are left out
            Reactions r;
            if (bImpactFree) {
                r = ImpactFree(f, line.m_adReactDead[s], line.m_adReactLivePlus[s], line.m_adReactLiveMinus[s], k);
            } else {
                const double held[6] = {line.m_adReactDead[s],   line.m_adReactLivePlus[s], line.m_adReactLiveMinus[s],
                                        line.m_adReactDLPlus[s], line.m_adReactDLMinus[s],  line.m_adReact2LMinusD[s]};
                for (int c = 0; c < 6; ++c)
                    r.v[c] = f * held[c];
            }
            for (int c = 0; c < 6; ++c) {
                const QString text = Force(in, r.v[c]);
                t.SetText(row, c + 2, text);
                // What is summed is what is shown, except the plain tf figures, which add up unrounded.
                if (c < 5)
                    sums[c] += si || bImpactFree ? AfxAtof(text) : r.v[c];
            }
        }
        t.SetText(row, 0, QStringLiteral("         合計"));
        for (int c = 0; c < 5; ++c) {
            t.SetText(row, c + 2, Force(in, sums[c]));
            grand[c] += sums[c];
        }
        for (int c = 0; c < 8; ++c)
            t.AddStyle(row, c, STYLE_BOLD);
        row += 2;   // the sum row and an empty row
    }
    HeadingRow(t, row, 8, STYLE_BOLD);
    for (int c = 0; c < 5; ++c)
        t.SetText(row, c + 2, QString::fromLatin1(kCaseHeads[c]));
    ++row;
    for (int c = 0; c < 8; ++c)
        t.AddStyle(row, c, STYLE_BOLD);
    t.SetText(row, 0, QStringLiteral("総計"));
    for (int c = 0; c < 5; ++c)
        t.SetText(row, c + 2, Force(in, grand[c]));
    return t;
}

// Tables 4 and 5: per support one block per bearing line, each headed by that line's own
// reaction and closed by the support's total under the loading that governs the line.
Table DetailTable(const CGirderDesign* g, const ReactInput& in, bool bImpactFree, const RowRange& wanted)
{
    const int n = BearingLines(in), supports = Supports(in);
    const double f = UnitFactor(in);
    Table t((n + 3) * n * supports, 7);
    int row = 0;
    for (int s = 0; s < supports; ++s) {
        const double k = bImpactFree ? ImpactDivisor(in, s) : 1.0;
        const bool divisible = !bImpactFree || k > kTiny;
        // The block totals as shown: dead, live (+), live (-), dead + live (+), dead + live (-).
        std::vector<Reactions> totals(static_cast<size_t>(n));
        for (int j = 0; j < n; ++j) {
            const CGirderDesign& block = g[j];
            Reactions& r = totals[size_t(j)];
            if (!divisible)
                continue;
            if (bImpactFree) {
                r = ImpactFree(f, block.m_adDetailTotalDead[s], block.m_adDetailTotalLivePlus[s],
                               block.m_adDetailTotalLiveMinus[s], k);
            } else {
                r.v[0] = f * block.m_adDetailTotalDead[s];
                r.v[1] = f * block.m_adDetailTotalLivePlus[s];
                r.v[2] = f * block.m_adDetailTotalLiveMinus[s];
                r.v[3] = f * block.m_adDetailTotalDLPlus[s];
                r.v[4] = f * block.m_adDetailTotalDLMinus[s];
            }
        }
        // The governing blocks: a later block must be better by more than the tolerance.
        int extreme[5] = {-1, 0, 0, 0, 0};
        for (int j = 1; j < n; ++j) {
            const Reactions& r = totals[size_t(j)];
            if (r.v[1] > totals[size_t(extreme[1])].v[1] + kTotalTolerance)
                extreme[1] = j;
            if (r.v[2] < totals[size_t(extreme[2])].v[2] - kTotalTolerance)
                extreme[2] = j;
            for (int c : {3, 4})
                if (r.v[c] > totals[size_t(extreme[c])].v[c] + kTotalTolerance)
                    extreme[c] = j;
        }

        for (int j = 0; j < n; ++j) {
            HeadingRow(t, row, 7);
            t.SetText(row, 0, QStringLiteral("格点No."));
            for (int c = 0; c < 5; ++c)
                t.SetText(row, c + 1, QString::fromLatin1(kCaseHeads[c]));
            t.SetText(row, 6, QStringLiteral("2xL(-) +D"));
            ++row;
            for (int line = 0; line < n; ++line, ++row) {
                if (!wanted.Has(row))
                    continue;
                const CGirderDesign& held = g[line];
                t.SetText(row, 0, AfxFormat(line == 0 ? "%4d MAX" : "%4d", held.m_anDetailNode[s][j]));
                if (!divisible)
                    continue;
                Reactions r;
                if (bImpactFree) {
                    r = ImpactFree(f, held.m_adDetailDead[s][j], held.m_adDetailLivePlus[s][j],
                                   held.m_adDetailLiveMinus[s][j], k);
                } else {
                    r.v[0] = f * held.m_adDetailDead[s][j];
                    r.v[1] = f * held.m_adDetailLivePlus[s][j];
                    r.v[2] = f * held.m_adDetailLiveMinus[s][j];
                    r.v[3] = f * held.m_adDetailDLPlus[s][j];
                    r.v[4] = f * held.m_adDetailDLMinus[s][j];
                    r.v[5] = f * g[j].m_adReact2LMinusD[s];
                }
                for (int c = 0; c < 5; ++c)
                    t.SetText(row, c + 1, Force(in, r.v[c]));
                if (line == 0)
                    t.SetText(row, 6, Force(in, r.v[5]));
            }
            t.SetText(row, 0, QStringLiteral("         合計"), STYLE_BOLD | STYLE_DARK_BLUE);
            if (divisible && wanted.Has(row))
                for (int c = 0; c < 5; ++c)
                    t.SetText(row, c + 1, Force(in, totals[size_t(j)].v[c]), c > 0 && extreme[c] == j ? unsigned(STYLE_BOLD) : 0u);
            row += 2;   // the total row and an empty row
        }
    }
    return t;
}

}

int BearingLines(const ReactInput& in)
{
    return in.nBridgeType == 2 ? 2 : std::clamp(in.nGirders, 0, 20);
}

bool HasDetail(const CGirderDesign* pGirders, const ReactInput& in)
{
    return pGirders && in.nLiveLoad != 2 && in.nLiveLoad != 3 && pGirders[0].m_anDetailNode[0][0] != -1;
}

bool HasStoredImpact(const ReactInput& in) { return in.adStoredImpact[0] != -1.0; }

int ShownTable(int nChosen, const CGirderDesign* pGirders, const ReactInput& in)
{
    if (nChosen < 0 || nChosen >= TABLE_COUNT)
        return -1;
    if ((nChosen == TABLE_DETAIL || nChosen == TABLE_DETAIL_NO_IMPACT) && !HasDetail(pGirders, in))
        return TABLE_SUMMARY;
    if (nChosen == TABLE_IMPACT && !HasStoredImpact(in))
        return TABLE_SUMMARY;
    return nChosen;
}

double ImpactDivisor(const ReactInput& in, int nSupport)
{
    if (in.nLiveLoad == 5)
        return 1.0;
    const int s = std::clamp(nSupport, 0, 14);
    return 1.0 + (HasStoredImpact(in) ? in.adStoredImpact[s] : in.adImpact[s]);
}

Table ReactionSummary(const CGirderDesign* pGirders, const ReactInput& in) { return SummaryTable(pGirders, in, false); }

Table SubstructureReactions(const CGirderDesign* pGirders, const ReactInput& in)
{
    return SummaryTable(pGirders, in, true);
}

Table ReactionDetail(const CGirderDesign* pGirders, const ReactInput& in, const RowRange& rows)
{
    return DetailTable(pGirders, in, false, rows);
}

Table SubstructureReactionsNoImpact(const CGirderDesign* pGirders, const ReactInput& in, const RowRange& rows)
{
    return DetailTable(pGirders, in, true, rows);
}

Table Deflection(const CGirderDesign* pGirders, const ReactInput& in, const RowRange& rows)
{
    const int P = std::clamp(in.nPanelPoints, 0, 281), G = std::clamp(in.nGirders, 0, 20);
    const int spans = std::clamp(in.nSpans, 0, 14);
    Table t(std::max((P + 2) * G - 1, 0), 7);
    for (int r = 0; r < t.Rows(); ++r)
        t.AddStyle(r, 0, STYLE_HEADING);
    static const char* const kSingleBox[3] = {"G1-Lたわみ (mm)", "G1-Cたわみ (mm)", "G1-Rたわみ (mm)"};
    const char* const heads[6] = {"格点No.", "死荷重    ", "活荷重 (+)", "活荷重 (-)", "許容活荷重ﾀﾜﾐ", "支点"};
    int row = 0;
    for (int g = 0; g < G; ++g) {
        const CGirderDesign& line = pGirders[g];
        const CGirderDesign& marks = pGirders[in.nBridgeType == 2 ? 0 : g];
        HeadingRow(t, row, 7);
        t.SetText(row, 0, in.nBridgeType == 2 ? QString::fromUtf8(kSingleBox[std::min(g, 2)])
                                              : AfxFormat("G%2d主桁たわみ (mm)", g + 1));
        for (int c = 0; c < 6; ++c)
            t.SetText(row, c + 1, QString::fromUtf8(heads[c]));
        ++row;
        int span = 0;   // raised at every support: the points after support k lie in span k
        for (int p = 0; p < P; ++p, ++row) {
            const bool support = marks.m_abNodeIsSupport[p] != 0;
            if (support)
                ++span;
            if (!rows.Has(row))
                continue;
            t.SetText(row, 0, AfxFormat("           C%2d", p + 1));
            t.SetText(row, 1, AfxFormat("%4d", 500 * g + p + 1));
            t.SetText(row, 2, in.nVersion < 1740 ? kDash : AfxFormat("%9.3f", line.m_adDeflDead[p]));
            t.SetText(row, 4, spans == 1 ? kDash : AfxFormat("%9.3f", line.m_adDeflLiveMinus[p]));
            const double live = line.m_adDeflLivePlus[p];
            if (support) {
                t.SetText(row, 3, AfxFormat("%9.3f", live));
                t.SetText(row, 6, QStringLiteral("△"));
                continue;
            }
            // A point before the first support or past the last has no span to be checked against.
            if (span < 1 || span > spans || !in.allowable) {
                t.SetText(row, 3, AfxFormat("%9.3f", live));
                continue;
            }
            const double allowable = in.allowable(span - 1, g);
            if (live >= allowable - kDeflectionTolerance)
                t.SetText(row, 3, AfxFormat("*%9.3f", live), STYLE_RED);
            else
                t.SetText(row, 3, AfxFormat("%9.3f", live));
            t.SetText(row, 5, AfxFormat("%9.3f", allowable));
        }
        ++row;   // an empty row between the girder lines
    }
    return t;
}

Table ImpactCoefficients(const ReactInput& in)
{
    const int supports = Supports(in);
    Table t(supports + 1, 2);
    t.AddStyle(0, 0, STYLE_HEADING);
    t.SetText(0, 1, QStringLiteral("衝撃係数"), STYLE_HEADING);
    for (int r = 1; r <= supports; ++r) {
        t.SetText(r, 0, AfxFormat("第%2d支点", r), STYLE_HEADING);
        t.SetText(r, 1, AfxFormat("%3.3f", in.adStoredImpact[r - 1]), STYLE_VALUE_BUTTON);
    }
    return t;
}

}
