#include "design/section_calc.h"

#include "design/steel_tables.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace section {

Properties Compute(const Plates& p)
{
    Properties r;
    r.areaL = p.bl * p.tl;
    r.areaRibL = p.nRibsL * p.hRibL * p.tRibL;
    r.areaW = p.nWebs * p.hw * p.tw;
    r.areaRibU = p.nRibsU * p.hRibU * p.tRibU;
    r.areaU = p.bu * p.tu;
    struct Part {
        double a, z, own;
    };
    const Part parts[] = {
        {r.areaL, p.tl / 2, p.bl * p.tl * p.tl * p.tl / 12},
        {r.areaRibL, p.tl + p.hRibL / 2, p.nRibsL * p.tRibL * p.hRibL * p.hRibL * p.hRibL / 12},
        {r.areaW, p.tl + p.hw / 2, p.nWebs * p.tw * p.hw * p.hw * p.hw / 12},
        {r.areaRibU, p.tl + p.hw - p.hRibU / 2, p.nRibsU * p.tRibU * p.hRibU * p.hRibU * p.hRibU / 12},
        {r.areaU, p.tl + p.hw + p.tu / 2, p.bu * p.tu * p.tu * p.tu / 12},
    };
    double moment = 0;
    for (const Part& part : parts) {
        r.area += part.a;
        moment += part.a * part.z;
    }
    const double h = p.tl + p.hw + p.tu;
    if (r.area < 1e-20)
        return r;
    r.zna = moment / r.area;
    for (const Part& part : parts)
        r.i += part.own + part.a * (part.z - r.zna) * (part.z - r.zna);
    r.yu = h - r.zna;
    r.yl = r.zna;
    return r;
}

double BucklingParameter(double b, double t, int nGrade, double k)
{
    if (t < 1e-20)
        return 1e10;
    constexpr double E = 2.0e5, nu = 0.3;
    const double pi2 = std::numbers::pi * std::numbers::pi;
    return b / t * std::sqrt(steel::BucklingYield(nGrade) / E * 12.0 * (1 - nu * nu) / (pi2 * k));
}

double BucklingFactor(double b, double t, int nGrade, double k)
{
    const double r = BucklingParameter(std::max(0.0, b), t, nGrade, k);
    return r <= 0.7 ? 1.0 : std::min(1.0, 0.5 / (r * r));
}

double LateralAllowable(int nGrade, double t, double l, double b, double aw, double ac, int bSI, int nHSteel)
{
    if (b < 1e-20)
        return 0.0;
    const double ratio = ac > 1e-20 ? aw / ac : 1e10;
    const double k = ratio <= 2.0 ? 2.0 : std::sqrt(3.0 + ratio / 2.0);
    const double x = k * l / b;
    const double base = steel::AllowableBendingBase(nGrade, bSI);
    const double plateau = steel::LateralPlateau(nGrade);
    double s = x <= plateau ? base : base - steel::LateralSlope(nGrade, bSI) * (x - plateau);
    s = std::min(s, steel::AllowableBending(nGrade, t, bSI, nHSteel));
    return std::max(0.0, s);
}

double EffectiveWidth(double b, double l)
{
    if (l < 1e-20)
        return b;
    const double r = b / l;
    if (r <= 0.05)
        return b;
    if (r < 0.30)
        return (1.1 - 2.0 * r) * b;
    return 0.15 * l;
}

double HoleFactor(double b, int n, double d, int bNetArea11)
{
    double net = b - n * d;
    if (bNetArea11)
        net = std::min(b, 1.1 * net);
    if (net <= 1e-20)
        return 99.0;
    return std::max(1.0, b / net);
}

double BoxTorsion(double a, double hw, double tu, double tl, double tw)
{
    if (tu < 1e-20 || tl < 1e-20 || tw < 1e-20)
        return 0.0;
    const double hm = hw + (tu + tl) / 2;
    const double am = a * hm;
    return 4 * am * am / (a / tu + a / tl + 2 * hm / tw);
}

double PlateTorsion(double bu, double tu, double hw, double tw, double bl, double tl)
{
    return (bu * tu * tu * tu + hw * tw * tw * tw + bl * tl * tl * tl) / 3.0;
}

}
