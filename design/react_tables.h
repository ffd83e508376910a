// The six tables of the reactions and deflections window, worked out from the reactions,
// deflections and impact coefficients that the grillage run left in the girders' design
// objects. Reactions are held in tf; SI units show them in kN.
#pragma once

#include <functional>

#include "design/result_table.h"

class CGirderDesign;

namespace react {

enum : int {
    TABLE_SUMMARY = 0,
    TABLE_DEFLECTION = 1,
    TABLE_SUBSTRUCTURE = 2,
    TABLE_IMPACT = 3,
    TABLE_DETAIL = 4,
    TABLE_DETAIL_NO_IMPACT = 5,
    TABLE_COUNT = 6
};

// What the tables read besides the design objects.
struct ReactInput {
    int nSpans = 0;
    int nGirders = 0;
    int nBridgeType = 0;            // 0 plate, 1 box, 2 single box
    int nPanelPoints = 0;           // of one girder line
    int bSIUnits = 1;
    int nLiveLoad = 0;              // 2 and 3 are the T+L classes, 5 crowd load only
    int nVersion = 1830;            // below 1740 the design holds no dead-load deflections
    double adStoredImpact[15] = {}; // as the grillage run stored them; -1 first: none stored
    double adImpact[15] = {};       // 20 / (50 + L) of each support from the span lengths
    // Allowable live-load deflection (mm) of a span (from 0) on a girder line.
    std::function<double(int nSpan, int nGirder)> allowable;
};

// Bearing lines per support: two for the single box, else one per girder.
int BearingLines(const ReactInput& in);
// Whether the objects hold the reaction detail: none after a T+L run or from older files.
bool HasDetail(const CGirderDesign* pGirders, const ReactInput& in);
// Whether the impact coefficients were stored with the results.
bool HasStoredImpact(const ReactInput& in);
// The table that can be shown for the one chosen: tables the results cannot fill give way
// to the summary; -1 for a number that names no table.
int ShownTable(int nChosen, const CGirderDesign* pGirders, const ReactInput& in);
// The divisor that takes the impact out of a live-load reaction at a support: 1 + the
// stored coefficient (the one from the span lengths when none was stored), and 1 for crowd
// load alone, which carries no impact.
double ImpactDivisor(const ReactInput& in, int nSupport);

results::Table ReactionSummary(const CGirderDesign* pGirders, const ReactInput& in);           // table 0
results::Table Deflection(const CGirderDesign* pGirders, const ReactInput& in,
                          const results::RowRange& rows = {});                                 // table 1
results::Table SubstructureReactions(const CGirderDesign* pGirders, const ReactInput& in);     // table 2
results::Table ImpactCoefficients(const ReactInput& in);                                       // table 3
results::Table ReactionDetail(const CGirderDesign* pGirders, const ReactInput& in,
                              const results::RowRange& rows = {});                             // table 4
results::Table SubstructureReactionsNoImpact(const CGirderDesign* pGirders, const ReactInput& in,
                                             const results::RowRange& rows = {});              // table 5

}
