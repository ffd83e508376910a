// Estimate sub-dialogs with value tables: steel prices, extra factors and unit masses, bearings.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

// Extra factors and unit masses of the estimate.
struct EstimateFactorData {
    bool operator==(const EstimateFactorData&) const = default;
    double m_dGirderEndLength = 0.5;    // m, girder beyond each end support (桁端張出長)
    double m_dRailingWeight = 0.05;     // t/m, railing (高欄), also set from the dead loads D1 and D2
};

class CEstimateFactorDialog : public CDialog, public EstimateFactorData {
public:
    CEstimateFactorDialog() : CDialog(IDD_ESTIMATE_FACTOR) {}
};
