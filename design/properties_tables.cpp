#include "design/properties_tables.h"

#include "design/girder_design.h"
#include "framework/format.h"

#include <algorithm>
#include <cmath>

namespace props {

using namespace results;

namespace {

constexpr double kTiny = 1e-20;
const QString kDash = QStringLiteral("－");

// Members of the stiffness and weight tables: runs of joined sections, each ending at a
// section not joined to the next one, as [first, last] indexes.
std::vector<std::pair<int, int>> Members(const CGirderDesign& g)
{
    std::vector<std::pair<int, int>> runs;
    int first = 0;
    for (int s = 0; s < int(g.m_pSections.size()); ++s)
        if (g.m_pSections[size_t(s)].m_nJoinNext != 1) {
            runs.emplace_back(first, s);
            first = s + 1;
        }
    return runs;
}

// The plain mean of a value over a member's sections.
template <class Get>
double Mean(const CGirderDesign& g, std::pair<int, int> run, Get get)
{
    double sum = 0.0;
    for (int s = run.first; s <= run.second; ++s)
        sum += get(g.m_pSections[size_t(s)]);
    return sum / double(run.second - run.first + 1);
}

void Ratio(Table& t, int row, int col, double a, double b, unsigned style)
{
    if (std::fabs(b) <= kTiny)
        t.SetText(row, col, kDash, style);
    else
        t.SetNumber(row, col, a / b, 3, style);
}

void HeadingRow(Table& t, int row, const std::vector<const char*>& heads)
{
    for (int c = 0; c < t.Cols(); ++c)
        t.AddStyle(row, c, STYLE_HEADING);
    for (int c = 0; c < int(heads.size()); ++c)
        t.SetText(row, c + 1, QString::fromUtf8(heads[size_t(c)]));
}

}

bool HasForces(const CGirderDesign& g, int nPanelPoints)
{
    const size_t members = size_t(std::max(nPanelPoints - 1, 0));
    return members > 0 && g.m_pnMemberNoI.size() >= members && g.m_pnMemberNoJ.size() >= members &&
           g.m_pnNodeI.size() >= members && g.m_pnNodeJ.size() >= members && g.m_pdPanelLength.size() >= members &&
           g.m_pdMomentDeadI.size() >= members && g.m_pdShearDeadI.size() >= members &&
           g.m_pdTorsionDead.size() >= members;
}

bool HasAssumedValues(const CGirderDesign& g)
{
    return g.m_nSections > 0 && !g.m_pSections.empty() && g.m_pSections[0].m_dAssumedArea >= 0.0;
}

int ShownTable(int nChosen, const CGirderDesign& g, int nPanelPoints)
{
    switch (nChosen) {
    case TABLE_FORCES: return HasForces(g, nPanelPoints) ? TABLE_FORCES : -1;
    case TABLE_STIFFNESS:
    case TABLE_STEEL_WEIGHT:
        if (HasAssumedValues(g))
            return nChosen;
        return HasForces(g, nPanelPoints) ? TABLE_FORCES : -1;
    default: return -1;
    }
}

Table Forces(const CGirderDesign& g, int nPanelPoints, bool bBox, bool bSIUnits, const RowRange& rows)
{
    const int T = std::clamp(nPanelPoints, 1, 281);
    const double u = bSIUnits ? 9.80665 : 1.0;
    Table t((bBox ? 5 : 4) * T - 1, 8);
    const std::vector<const char*> cases = {"DEAD LOAD", "LIVE (+)", "LIVE (-)", "D+L (+)", "D+L (-)", " L (M)"};
    const bool forces = HasForces(g, T);
    int row = 1;
    auto heading = [&](const char* name) {
        t.SetText(row, 0, QString(), STYLE_HEADING);
        t.SetText(row, 1, QString::fromUtf8(name), STYLE_HEADING);
        for (int c = 0; c < int(cases.size()); ++c)
            t.SetText(row, c + 2, QString::fromUtf8(cases[size_t(c)]));
        ++row;
    };
    auto values = [&](int r, const double* v, int n) {
        if (rows.Has(r))
            for (int c = 0; c < n; ++c)
                t.SetNumber(r, c + 2, v[c] * u, 3);
    };
    auto member = [&](int r, int no, int node) {
        if (rows.Has(r))
            t.SetText(r, 1, AfxFormat(" %d - %d", no, node));
    };
    auto length = [&](int r, double l) {
        if (rows.Has(r))
            t.SetNumber(r, 7, l, 3);
    };
    // Moments and shears: two rows per member, its first end with the member length, then its second end.
    auto twoEnds = [&](const std::vector<double>* const* I, const std::vector<double>* const* J) {
        for (int i = 0; i + 1 < T; ++i, row += 2) {
            if (!forces || !(rows.Has(row) || rows.Has(row + 1)))
                continue;
            const size_t m = size_t(i);
            member(row, g.m_pnMemberNoI[m], g.m_pnNodeI[m]);
            member(row + 1, g.m_pnMemberNoJ[m], g.m_pnNodeJ[m]);
            double vi[5], vj[5];
            for (int c = 0; c < 5; ++c) {
                vi[c] = I[c]->size() > m ? (*I[c])[m] : 0.0;
                vj[c] = J[c]->size() > m ? (*J[c])[m] : 0.0;
            }
            values(row, vi, 5);
            length(row, g.m_pdPanelLength[m]);
            values(row + 1, vj, 5);
        }
    };
    heading("モーメント");
    const std::vector<double>* momentI[5] = {&g.m_pdMomentDeadI, &g.m_pdMomentLivePlusI, &g.m_pdMomentLiveMinusI,
                                            &g.m_pdMomentTotalPlusI, &g.m_pdMomentTotalMinusI};
    const std::vector<double>* momentJ[5] = {&g.m_pdMomentDeadJ, &g.m_pdMomentLivePlusJ, &g.m_pdMomentLiveMinusJ,
                                            &g.m_pdMomentTotalPlusJ, &g.m_pdMomentTotalMinusJ};
    twoEnds(momentI, momentJ);
    heading("せん断力");
    const std::vector<double>* shearI[5] = {&g.m_pdShearDeadI, &g.m_pdShearLivePlusI, &g.m_pdShearLiveMinusI,
                                           &g.m_pdShearTotalPlusI, &g.m_pdShearTotalMinusI};
    const std::vector<double>* shearJ[5] = {&g.m_pdShearDeadJ, &g.m_pdShearLivePlusJ, &g.m_pdShearLiveMinusJ,
                                           &g.m_pdShearTotalPlusJ, &g.m_pdShearTotalMinusJ};
    twoEnds(shearI, shearJ);
    if (bBox) {
        heading("ねじりモーメント");
        const std::vector<double>* torsion[5] = {&g.m_pdTorsionDead, &g.m_pdTorsionLivePlus, &g.m_pdTorsionLiveMinus,
                                                 &g.m_pdTorsionTotalPlus, &g.m_pdTorsionTotalMinus};
        for (int i = 0; i + 1 < T; ++i, ++row) {
            if (!forces || !rows.Has(row))
                continue;
            const size_t m = size_t(i);
            member(row, g.m_pnMemberNoI[m], g.m_pnNodeI[m]);
            double v[5];
            for (int c = 0; c < 5; ++c)
                v[c] = torsion[c]->size() > m ? (*torsion[c])[m] : 0.0;
            values(row, v, 5);
            length(row, g.m_pdPanelLength[m]);
        }
    }
    for (int r = 0; r < t.Rows(); ++r)
        t.AddStyle(r, 1, STYLE_HEADING);
    return t;
}

Table Stiffness(const CGirderDesign& g, bool bBox)
{
    const std::vector<std::pair<int, int>> members = Members(g);
    Table t(int(members.size()) + 2, bBox ? 8 : 5);
    t.m_colWidths = {{1, 60}, {2, 120}, {3, 120}, {4, 80}};
    if (bBox)
        t.m_colWidths.insert(t.m_colWidths.end(), {{5, 120}, {6, 120}, {7, 80}});
    std::vector<const char*> heads = {"部材", "仮定曲げ剛度[m4]", "実曲げ剛度[m4]", "仮定／実"};
    if (bBox)
        heads.insert(heads.end(), {"仮定ねじり剛度[m4]", "実ねじり剛度[m4]", "仮定／実"});
    HeadingRow(t, 1, heads);
    for (int k = 0; k < int(members.size()); ++k) {
        const int row = k + 2;
        const auto run = members[size_t(k)];
        t.SetText(row, 1, AfxFormat("%d", k + 1), STYLE_HEADING);
        const double assumedI = Mean(g, run, [](const CSectionRecord& s) { return s.m_dAssumedI; });
        const double actualI = Mean(g, run, [](const CSectionRecord& s) { return s.m_dI; });
        t.SetNumber(row, 2, assumedI, 6, STYLE_BLACK_ON_WHITE);
        t.SetNumber(row, 3, actualI, 6, STYLE_BLACK_ON_WHITE);
        Ratio(t, row, 4, assumedI, actualI, STYLE_BLACK_ON_WHITE);
        if (bBox) {
            const double assumedJ = Mean(g, run, [](const CSectionRecord& s) { return s.m_dAssumedJ; });
            const double actualJ = Mean(g, run, [](const CSectionRecord& s) { return s.m_dJ; });
            t.SetNumber(row, 5, assumedJ, 6, STYLE_BLACK_ON_WHITE);
            t.SetNumber(row, 6, actualJ, 6, STYLE_BLACK_ON_WHITE);
            Ratio(t, row, 7, assumedJ, actualJ, STYLE_BLACK_ON_WHITE);
        }
    }
    return t;
}

Table SteelWeight(const CGirderDesign& g, bool bSIUnits)
{
    std::vector<std::pair<int, int>> members = Members(g);
    // A member starts at every section not joined to the one before; no more are written.
    const auto starts = std::count_if(g.m_pSections.begin(), g.m_pSections.end(),
                                      [](const CSectionRecord& s) { return s.m_nJoinPrev != 1; });
    members.resize(std::min(members.size(), size_t(starts)));
    const double density = bSIUnits ? 7.851814839930048 : 7.85;
    Table t(int(members.size()) + 2, 5);
    t.m_colWidths = {{1, 60}, {2, 110}, {3, 110}, {4, 80}};
    HeadingRow(t, 1, {"部材", "仮定鋼重[t/m]", "実鋼重[t/m]", "仮定／実"});
    for (int k = 0; k < int(members.size()); ++k) {
        const int row = k + 2;
        const auto run = members[size_t(k)];
        t.SetText(row, 1, AfxFormat("%d", k + 1), STYLE_HEADING);
        const double assumed = density * Mean(g, run, [](const CSectionRecord& s) { return s.m_dAssumedArea; });
        const double actual = density * Mean(g, run, [](const CSectionRecord& s) { return s.m_dArea; });
        t.SetNumber(row, 2, assumed, 6, STYLE_BLACK_ON_WHITE);
        t.SetNumber(row, 3, actual, 6, STYLE_BLACK_ON_WHITE);
        Ratio(t, row, 4, assumed, actual, STYLE_BLACK_ON_WHITE);
    }
    return t;
}

}
