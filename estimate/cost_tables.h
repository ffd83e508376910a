// The money tables of the estimate: the contract cost, the material cost and the fabrication
// cost, worked out in thousand yen and laid out as rows of texts for the estimate view.
#pragma once

#include <QString>

#include <vector>

#include "estimate/estimate_data.h"
#include "estimate/estimate_input.h"

namespace estimate {

// Thousand yen as the money tables round an item: a fraction of 0.45 or more raises the value
// to the next whole number, a smaller fraction stays in it and is carried into the sums.
double RoundItem(double dThousand);
// Yen to thousand yen, rounded as an item.
double ItemThousand(double dYen);
// The "%8d" of an amount: truncated toward zero.
QString AmountText(double dThousand);

// One table row: caption (column 0), method (column 1), amount (column 2).
struct CostRow {
    QString caption, method, amount;
    bool bold = false;      // a total: its caption in the table's bold font
};

// The contract cost, one amount per row (thousand yen), rows 1 to 22 of the table.
struct ContractCost {
    static constexpr int ROWS = 23;
    double a[ROWS] = {};
};
ContractCost CalcContractCost(const CEstimateData& d, const CEstimateInput& in);
std::vector<CostRow> ContractCostRows(const CEstimateData& d, const CEstimateInput& in);

// What the document's roll-up comes to in yen: shop cost, site cost and general administration.
double DocumentContractTotal(const CEstimateData& d);

// The material cost: 9 rows, one more for a ready-made railing and one for ready-made joints.
struct MaterialCost {
    int nRows = 9;
    bool bReadyRailing = false, bReadyJoints = false;
    double a[11] = {};              // thousand yen by row
    double dBearingMass = 0.0;      // kg, all bearings (price from the mass)
    int nBearings = 0;              // pieces (price per piece)
    double dRailing = 0.0;          // m, both railing lines with the girder ends
    double dJoints = 0.0;           // m, both bridge ends
    double dSteelPrice = 0.0;       // thousand yen per t, the steel's average
};
// bGrillageRun: the bearings are sized from the support reactions only after a grillage run.
MaterialCost CalcMaterialCostTable(const CEstimateData& d, const CEstimateInput& in, bool bGrillageRun);
std::vector<CostRow> MaterialCostRows(const CEstimateData& d, const CEstimateInput& in, bool bGrillageRun);

// The fabrication cost by the labour-hour model: 44 rows.
std::vector<CostRow> FabricationCostRows(const CEstimateData& d, const CEstimateInput& in);

} // namespace estimate
