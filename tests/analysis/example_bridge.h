// Grillage inputs over plans built by the geometry chain, as the document would collect them.
#pragma once

#include "analysis/grillage_input.h"
#include "geometry/plan_fixture.h"

#include <string>
#include <vector>

namespace gintest {

constexpr double kGravity = 9.80665;

// Section of the plate girder of example A as the preliminary design gives it.
inline CMemberProperties ExampleSection() { return {0.0586, 0.04778878153, 1.186753333e-05}; }

// The dialogs of a new SI design: dead-load presets, assumed steel 4.5 and haunch 1.2 kN/m.
inline CGrillageInput NewDesignInput(const plantest::Plan& plan, int nGirders, int nBridgeType = 0)
{
    CGrillageInput in;
    in.m_strTitle = QStringLiteral("Example A");
    in.m_strStamp = "65A1B2C3004D2E01";
    in.m_nBridgeType = nBridgeType;
    in.m_nGirders = nGirders;
    const double presets[10] = {0.5, 0.5, 22.5, 22.5, 24.5, 24.5, 23.5, 24.5, 24.5, 0.0};
    std::copy(presets, presets + 10, in.m_adDeadLoad);
    for (int g = 0; g < CGrillageInput::kMaxGirders; ++g) {
        in.m_adSteelWeight[g] = 4.5;
        in.m_adHaunchWeight[g] = 1.2;
    }
    in.m_aSpans = plan.spans;
    in.m_aMembers.assign(size_t(nGirders * (in.PanelPoints() - 1)), ExampleSection());
    return in;
}

// The cross-section window's defaults: the curb rises follow from the sidewalk heights,
// H11 = H2 + H3 - H4 and H12 = H9 + H10 - H7.
inline PlanCore::CPlanInput WindowDefaults(PlanCore::CPlanInput in)
{
    const int stations = PlanCore::CountStations(in, std::vector<int>(PlanCore::kMaxSpans + 1).data());
    in.arrH[10].assign(size_t(stations), in.H(1, 0) + in.H(2, 0) - in.H(3, 0));
    in.arrH[11].assign(size_t(stations), in.H(8, 0) + in.H(9, 0) - in.H(6, 0));
    return in;
}

// Example A: four plate girders 2.3 m apart, one span of 30 m in six panels, defaults.
inline CGrillageInput ExampleA()
{
    return NewDesignInput(plantest::Build(WindowDefaults(plantest::CommonInput())), 4);
}

} // namespace gintest
