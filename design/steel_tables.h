// Steel grades, allowable stresses, web ratios and plate thickness lists. Stresses come out
// in tf/m² whatever the unit system; each system's own table is converted exactly.
#pragma once

#include <vector>

namespace steel {

constexpr int kGrades = 9;      // SS400 SM400 SM490 SM490Y SM520 SM570 SMA400W SMA490W SMA570W
constexpr double kGravity = 9.80665;

// Grade group 1 to 4, which is also its rank.
int Group(int nGrade);
// Stress unit of the unit system (kgf/cm² or N/mm²) to tf/m², and back.
double ToTf(double value, int bSI);
double FromTf(double tf, int bSI);
// Density of steel for weights (t/m³ or its SI equivalent).
double Density(int bSI);

// Allowable tension (and unbuckled compression) and shear stress of a plate, tf/m².
double AllowableBending(int nGrade, double t, int bSI, int nHSteel);
double AllowableShear(int nGrade, double t, int bSI, int nHSteel);
// The group's t <= 40 mm bending allowable (the lateral buckling plateau), tf/m².
double AllowableBendingBase(int nGrade, int bSI);
// Lateral buckling: end of the plateau on K l/b, slope per unit of K l/b (tf/m²), largest l/b.
double LateralPlateau(int nGrade);
double LateralSlope(int nGrade, int bSI);
double LateralLimit(int nGrade);
// Yield stress for the local buckling parameter, N/mm².
double BucklingYield(int nGrade);
// Web height over thickness with 0, 1 or 2 levels of horizontal stiffeners.
double WebRatio(int nGrade, int nLevels);

// Thickness list of a plate (m) within [tMin, tMax]: market sizes (step 0) or every millimetre.
std::vector<double> Thicknesses(int nStep, double tMin, double tMax);
// The smallest list value not below t; the largest when none is.
double RoundUp(const std::vector<double>& list, double t);

// Grade of a limit moved into the active family (nWeathering 0: weathering steel).
int LimitGrade(int nGrade, int nWeathering);
// The grades a plate may take up to its limit, weakest first, ending with the limit.
std::vector<int> Ladder(int nLimit, int nWeathering);

}
