// The estimate: quantities, masses by grade and price class, labour hours and cost, in the
// order of its eighteen steps, each reading what the earlier ones wrote.
#pragma once

#include <QByteArray>

#include <vector>

#include "estimate/estimate_data.h"
#include "estimate/estimate_input.h"

namespace estimate {

// Steel price extras.
void SetDefaultUnitPrices(int anExtra[kClasses]);
enum class ExtrasStatus { Read, Short, Malformed };
// Scans the text of "extra.txt": fills all 97 extras from it, or the defaults when it does not hold them.
ExtrasStatus ParseSteelExtras(const QByteArray& text, int anExtra[kClasses]);

// Steel material code of a plate (999 for an unknown grade) and its price class (-1 for a code without one).
int GetSteelCode(int nGrade, double dThickness, int nSteelSpec, int bHSteel);
int GetPriceClass(unsigned nCode, double dThickness);

// Mass of one bearing (kg) from the step table, by support reaction.
double BearingStepValue(int nColumn, double dSize);

// Overhead rates: common temporary cost on P1, site management on P2, general administration
// on Cp; method 0 the older formulas, 1 the estimating manual's with bounds and corrections.
double CommonTemporaryRate(double dP1, int nCostMethod, int nRegion);
double SiteManagementRate(double dP2, int nCostMethod, int nRegion, double dSeasonPercent);
double GeneralAdminRate(double dCp, int nCostMethod, double dPrepayment, double dGuaranteePercent);

// Plan areas, never the root of a negative number.
double TriangleArea(CDPoint p1, CDPoint p2, CDPoint p3);
double QuadArea(CDPoint p1, CDPoint p2, CDPoint p3, CDPoint p4);

// The steel masses of one cross beam: total, flanges, web (t), flange and web thickness, web
// depth and the length between the girders it joins (m).
struct CrossBeamPlates {
    double total = 0.0, flange = 0.0, web = 0.0, tf = 0.0, tw = 0.0, h = 0.0, length = 0.0;
};

// What the run writes into each section record: codes and classes of the upper flange, the web
// and the lower flange, and the plate masses.
struct SectionResult {
    bool operator==(const SectionResult&) const = default;
    int anSteelCode[3] = {};
    int anPriceClass[3] = {};
    double dMassUpper = 0.0, dMassWeb = 0.0, dMassLower = 0.0, dMassRibUpper = 0.0, dMassRibLower = 0.0;
};

struct Result {
    CEstimateData data;
    std::vector<std::vector<SectionResult>> sections;   // per girder, per section
    ExtrasStatus extras = ExtrasStatus::Read;
    bool extrasFromFile = false;
};

class CEstimateCalc {
public:
    explicit CEstimateCalc(const CEstimateInput& in);

    // The eighteen steps in their order.
    void Run();

    void LoadUnitPrices();
    void CountMemberTypes();
    void CalcQuantities();
    void CalcPaintArea();
    void CalcPavingAreas();
    void CalcConcreteVolumes();
    void CalcWeldLengths();
    void CalcLabourElements();
    void AssignSteelCodes();
    void AssignPriceClasses();
    void CalcMassBySteelCode();
    void CalcMassByPriceClass();
    void SumGrade570Masses();
    void CalcMaterialCost();
    void CalcFabricationCost();
    void CalcShopCostTotals();
    void CalcTemporaryAndSiteCosts();
    void CalcGeneralAdminCost();

    // Whole-bridge length factor of the girder ends.
    double LengthFactor() const;
    CrossBeamPlates CalcCrossBeamMass(const CPanelPointRecord& pp) const;
    double CalcSwayMass(const CEstimateInput::Sway& sway, const CPanelPointRecord& pp) const;

    Result m_result;
    CEstimateData& d;

private:
    const CEstimateInput& in;
    double Density() const;
    double MinGirderHeight() const;
    double BayWidth(const CPanelPointRecord& pp) const;
    // The girders whose sections count: only the second object for the single box.
    std::vector<int> UsedGirders() const;
    double GirderLength(int g) const;
    // Every panel point once (a point shared by two spans counts once).
    template <class Fn> void ForEachPanelPoint(Fn fn) const;
    // Every panel of every span, with its two panel points and heights.
    template <class Fn> void ForEachPanel(Fn fn) const;
    // Adds a plate of a member group into the masses by code or by class.
    void AddPlate(bool byClass, int nGroup, int nGrade, double dThickness, double dMass);
    void WalkGroups(bool byClass);
};

// Runs the whole estimate on a copy of the input.
Result RunEstimate(const CEstimateInput& in);

} // namespace estimate
