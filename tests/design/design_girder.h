// Girders for the section design tests: member results from curve functions of x.
#pragma once

#include "design/girder_design.h"

#include <functional>
#include <vector>

using CurveFn = std::function<double(double x)>;

// A plate girder input with the note's defaults and the given spans of equal panels.
inline CDesignInput PlateInput(std::vector<int> panels)
{
    CDesignInput in;
    in.m_anPanelCount = std::move(panels);
    in.m_dGirderHeight = 1.8;
    return in;
}

// Member results of both cases at the member ends: curve 1 and curve 2 of moment and shear.
inline CGirderDesign CurveGirder(const CDesignInput& in, double panel, CurveFn m1, CurveFn m2, CurveFn s1 = {},
                                 CurveFn s2 = {})
{
    CGirderDesign g;
    int members = 0;
    for (int n : in.m_anPanelCount)
        members += n;
    g.m_pdPanelLength.assign(size_t(members), panel);
    auto fill = [&](std::vector<double>& i, std::vector<double>& j, const CurveFn& f) {
        i.resize(size_t(members));
        j.resize(size_t(members));
        for (int m = 0; m < members; ++m) {
            i[m] = f ? f(m * panel) : 0.0;
            j[m] = f ? f((m + 1) * panel) : 0.0;
        }
    };
    fill(g.m_pdMomentTotalPlusI, g.m_pdMomentTotalPlusJ, m1);
    fill(g.m_pdMomentTotalMinusI, g.m_pdMomentTotalMinusJ, m2);
    fill(g.m_pdShearTotalPlusI, g.m_pdShearTotalPlusJ, s1);
    fill(g.m_pdShearTotalMinusI, g.m_pdShearTotalMinusJ, s2);
    g.BuildDiagrams(in);
    return g;
}

inline CurveFn Constant(double v)
{
    return [v](double) { return v; };
}

// Sections of the given lengths, each its own block, with the plates of the reference
// I-section: upper 400 x 20, web 1800 x 10, lower 450 x 30 mm, SM490Y, one stiffener level.
inline void ReferenceSections(CGirderDesign& g, std::vector<double> lengths)
{
    g.m_pSections.clear();
    for (double l : lengths) {
        CSectionRecord r;
        r.m_dLength = l;
        r.m_dBUpper = 0.4;
        r.m_dTUpper = 0.02;
        r.m_dHWeb = 1.8;
        r.m_dTWeb = 0.01;
        r.m_dBLower = 0.45;
        r.m_dTLower = 0.03;
        r.m_nStiffenerLevels = 1;
        g.m_pSections.push_back(r);
    }
    g.m_nSections = int(g.m_pSections.size());
    g.UpdateSectionForces();
    for (CSectionRecord& r : g.m_pSections)
        r.Recalculate(g);
}
