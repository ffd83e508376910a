// Pure calculations of one cross-section: properties, buckling factors, effective widths,
// hole factors and torsional constants. Lengths m, stresses tf/m².
#pragma once

namespace section {

// The plates of a section; nWebs 2 for a box. Upper ribs hang under the upper flange, lower
// ribs stand on the lower flange.
struct Plates {
    double bu = 0, tu = 0, bl = 0, tl = 0, hw = 0, tw = 0;
    int nWebs = 1;
    double nRibsU = 0, hRibU = 0, tRibU = 0;
    double nRibsL = 0, hRibL = 0, tRibL = 0;
};

struct Properties {
    double areaU = 0, areaL = 0, areaW = 0, areaRibU = 0, areaRibL = 0;
    double area = 0;
    double zna = 0;     // above the bottom face of the lower flange
    double i = 0;
    double yu = 0, yl = 0;  // extreme fibres
};

Properties Compute(const Plates& p);

// Local buckling: slenderness parameter and the factor on the allowable stress.
double BucklingParameter(double b, double t, int nGrade, double k);
double BucklingFactor(double b, double t, int nGrade, double k);
constexpr double kFreeProjection = 0.43;
constexpr double kBetweenWebs = 4.0;

// Allowable compression of a flange free to buckle laterally (tf/m²): l between fixed points.
double LateralAllowable(int nGrade, double t, double l, double b, double aw, double ac, int bSI, int nHSteel);

// Effective width of a flange part of width b in a span of equivalent length l.
double EffectiveWidth(double b, double l);

// Factor on the tension stress for n holes of diameter d across a flange of width b.
double HoleFactor(double b, int n, double d, int bNetArea11);

// Torsional constants: a closed box (Bredt) and an open I-section.
double BoxTorsion(double a, double hw, double tu, double tl, double tw);
double PlateTorsion(double bu, double tu, double hw, double tw, double bl, double tl);

}
