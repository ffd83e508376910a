#include "design/steel_tables.h"

#include <algorithm>
#include <cmath>

namespace steel {

namespace {

const int kGroup[kGrades] = {1, 1, 2, 3, 3, 4, 1, 3, 4};

// Per group, bands t <= 40, 40 < t <= 75, 75 < t (mm).
const double kSigmaKgf[4][3] = {{1400, 1300, 1300}, {1900, 1800, 1800}, {2100, 2000, 1950}, {2600, 2500, 2450}};
const double kSigmaSI[4][3] = {{140, 125, 125}, {185, 175, 175}, {210, 195, 190}, {255, 245, 240}};
const double kTauKgf[4][3] = {{800, 750, 750}, {1100, 1050, 1050}, {1200, 1150, 1100}, {1500, 1450, 1400}};
const double kTauSI[4][3] = {{80, 75, 75}, {105, 100, 100}, {120, 115, 110}, {145, 140, 135}};
const double kPlateau[4] = {9, 8, 7, 10};
const double kSlopeKgf[4] = {12, 19, 22, 33};
const double kSlopeSI[4] = {1.2, 1.9, 2.2, 3.3};
const double kLimitLB[4] = {30, 30, 27, 25};
const double kYield[4] = {235, 315, 355, 450};
const double kWebRatio[4][3] = {{152, 256, 310}, {130, 220, 310}, {123, 209, 294}, {110, 188, 262}};

const double kMarket[] = {8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 25, 28, 30,
                          32, 36, 38, 40, 45, 50, 55, 60, 65, 70, 75, 80, 85, 90, 95, 100};

int Row(int nGrade) { return Group(nGrade) - 1; }

// The -H allowables hold the thin band up to 100 mm for these grades only.
bool HoldsThinBand(int nGrade, int nHSteel)
{
    return nHSteel == 0 && (nGrade == 4 || nGrade == 5 || nGrade == 7 || nGrade == 8);
}

int Band(int nGrade, double t, int nHSteel)
{
    const double mm = t * 1000.0;
    if (mm <= 40.0 + 1e-6 || (HoldsThinBand(nGrade, nHSteel) && mm <= 100.0 + 1e-6))
        return 0;
    return mm <= 75.0 + 1e-6 ? 1 : 2;
}

}

int Group(int nGrade) { return kGroup[std::clamp(nGrade, 0, kGrades - 1)]; }
double ToTf(double value, int bSI) { return bSI ? value * 1000.0 / kGravity : value * 10.0; }
double FromTf(double tf, int bSI) { return bSI ? tf * kGravity / 1000.0 : tf / 10.0; }
double Density(int bSI) { return bSI ? 77.0 / kGravity : 7.85; }

double AllowableBending(int nGrade, double t, int bSI, int nHSteel)
{
    const int b = Band(nGrade, t, nHSteel);
    return ToTf(bSI ? kSigmaSI[Row(nGrade)][b] : kSigmaKgf[Row(nGrade)][b], bSI);
}

double AllowableShear(int nGrade, double t, int bSI, int nHSteel)
{
    const int b = Band(nGrade, t, nHSteel);
    return ToTf(bSI ? kTauSI[Row(nGrade)][b] : kTauKgf[Row(nGrade)][b], bSI);
}

double AllowableBendingBase(int nGrade, int bSI) { return AllowableBending(nGrade, 0.0, bSI, 1); }
double LateralPlateau(int nGrade) { return kPlateau[Row(nGrade)]; }
double LateralSlope(int nGrade, int bSI) { return ToTf(bSI ? kSlopeSI[Row(nGrade)] : kSlopeKgf[Row(nGrade)], bSI); }
double LateralLimit(int nGrade) { return kLimitLB[Row(nGrade)]; }
double BucklingYield(int nGrade) { return kYield[Row(nGrade)]; }
double WebRatio(int nGrade, int nLevels) { return kWebRatio[Row(nGrade)][std::clamp(nLevels, 0, 2)]; }

std::vector<double> Thicknesses(int nStep, double tMin, double tMax)
{
    std::vector<double> list;
    const double lo = tMin * 1000.0 - 1e-6, hi = tMax * 1000.0 + 1e-6;
    if (nStep == 0) {
        for (double mm : kMarket)
            if (mm >= lo && mm <= hi)
                list.push_back(mm / 1000.0);
    } else {
        for (int mm = int(std::ceil(lo)); mm <= hi; ++mm)
            list.push_back(mm / 1000.0);
    }
    if (list.empty())
        list.push_back(std::max(tMin, tMax));
    return list;
}

double RoundUp(const std::vector<double>& list, double t)
{
    for (double v : list)
        if (v >= t - 1e-12)
            return v;
    return list.back();
}

int LimitGrade(int nGrade, int nWeathering)
{
    nGrade = std::clamp(nGrade, 0, kGrades - 1);
    if (nWeathering == 0) {
        switch (Group(nGrade)) {
        case 1: return 6;
        case 4: return 8;
        default: return 7;
        }
    }
    switch (nGrade) {
    case 6: return 1;
    case 7: return 3;
    case 8: return 5;
    default: return nGrade;
    }
}

std::vector<int> Ladder(int nLimit, int nWeathering)
{
    // SS400 and SM520 only ever stand as their own limit.
    static const int kOrdinary[] = {1, 2, 3, 5};
    static const int kWeathering[] = {6, 7, 8};
    std::vector<int> ladder;
    const int rank = Group(nLimit);
    if (nWeathering == 0) {
        for (int g : kWeathering)
            if (Group(g) < rank)
                ladder.push_back(g);
    } else {
        for (int g : kOrdinary)
            if (Group(g) < rank)
                ladder.push_back(g);
    }
    ladder.push_back(nLimit);
    return ladder;
}

}
