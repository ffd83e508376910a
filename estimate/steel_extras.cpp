// The steel price extras: "extra.txt", its defaults, steel material codes and price classes.
#include "estimate/estimate_calc.h"

#include "analysis/grillage_listing.h"

#include <climits>

namespace estimate {

namespace {

const int kDefaultExtras[kClasses] = {
    1300,  3500,  9500,  6500,  7500,  12500, 15500, 10500, 14500, 17500,
    20500, 12000, 15000, 15000, 18000, 21000, 24000, 18000, 21000, 24000,
    27000, 13000, 16000, 19000, 22000, 16000, 19000, 22000, 25000, 20000,
    23000, 26000, 29000, 47000, 49000, 53000, 62000, 72000, 21000, 27000,
    24000, 25000, 30000, 28000, 32000, 35000, 25500, 28500, 31500, 34500,
    31500, 34500, 37500, 59000, 61000, 65000, 33000, 35000, 38000, 28500,
    37500, 40500, 70000, 11500, 14500, 17500, 19500, 22500, 14000, 17000,
    23000, 26000, 26000, 29000, 21000, 24000, 24000, 27000, 28000, 31000,
    55000, 64000, 74000, 29000, 35000, 32000, 37000, 37000, 41000, 27500,
    30500, 36500, 39500, 39500, 42500, 67000, 72000};

// Price class rows by code; limits 20, 25, 38, 50, 75 mm, the last entry above them.
struct ClassRow {
    int code;
    int cls[6];
};
const ClassRow kClassRows[] = {
    {0, {0, 0, 0, 0, 0, 0}},         {1, {1, 1, 1, 2, 2, 2}},         {2, {3, 3, 4, 5, 6, 6}},
    {3, {7, 7, 8, 9, 10, 10}},       {4, {11, 11, 11, 11, 12, 12}},   {5, {13, 13, 14, 15, 16, 16}},
    {6, {17, 17, 18, 19, 20, 20}},   {7, {21, 21, 22, 23, 24, 24}},   {8, {25, 25, 26, 27, 28, 28}},
    {9, {29, 29, 30, 31, 32, 32}},   {10, {33, 34, 34, 35, 36, 37}},  {11, {38, 38, 38, 39, 56, 56}},
    {12, {40, 40, 41, 42, 57, 57}},  {13, {43, 43, 44, 45, 58, 58}},  {14, {46, 46, 46, 46, 59, 59}},
    {15, {47, 47, 48, 49, 60, 60}},  {16, {50, 50, 51, 52, 61, 61}},  {17, {53, 54, 54, 55, 62, 62}},
    {20, {66, 66, 66, 66, 67, 67}},  {23, {72, 72, 72, 72, 73, 73}},  {26, {78, 78, 78, 78, 79, 79}},
    {27, {80, 80, 80, 80, 81, 82}},  {30, {87, 87, 87, 87, 88, 88}},  {33, {93, 93, 93, 93, 94, 94}},
    {34, {95, 95, 95, 95, 96, 96}}};

// A counted number's value: optional sign and the digits before any point; false past 32 bits.
bool ReadInteger(const QByteArray& run, int* pValue)
{
    int i = 0;
    bool negative = false;
    if (i < run.size() && run[i] == '-') {
        negative = true;
        ++i;
    }
    long long value = 0;
    for (; i < run.size() && run[i] >= '0' && run[i] <= '9'; ++i) {
        value = value * 10 + (run[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (value < INT_MIN || value > INT_MAX)
        return false;
    *pValue = int(value);
    return true;
}

} // namespace

void SetDefaultUnitPrices(int anExtra[kClasses])
{
    std::copy(std::begin(kDefaultExtras), std::end(kDefaultExtras), anExtra);
}

ExtrasStatus ParseSteelExtras(const QByteArray& text, int anExtra[kClasses])
{
    int read[kClasses] = {};
    int next = 0;
    int pos = 0;    // the text before it has been dropped
    ExtrasStatus status = ExtrasStatus::Short;
    for (;;) {
        int start = 0, length = 0;
        const QByteArray run = ExtractNumber(text, pos, &start, &length);
        if (start < 0)
            break;
        const int comment = int(text.indexOf("//", pos));
        const int before = pos;
        if (comment < 0 || (length <= 6 && start < comment)) {
            int value = 0;
            if (!ReadInteger(run, &value)) {
                status = ExtrasStatus::Malformed;
                break;
            }
            read[next++] = value;
            pos = start + length;
            if (next == kClasses) {
                status = ExtrasStatus::Read;
                break;
            }
        }
        if (text.indexOf("//", pos) >= 0) {
            const int lineEnd = int(text.indexOf('\n', pos));
            if (lineEnd >= 0)
                pos = lineEnd + 1;
        }
        // A comment on a last line without a line break, whose number does not count, holds the scan.
        if (pos == before) {
            status = ExtrasStatus::Malformed;
            break;
        }
    }
    if (status == ExtrasStatus::Read)
        std::copy(std::begin(read), std::end(read), anExtra);
    else
        SetDefaultUnitPrices(anExtra);
    return status;
}

int GetSteelCode(int nGrade, double t, int nSteelSpec, int bHSteel)
{
    const bool ruleA = nSteelSpec == 0;
    const bool thick = t > 0.04;
    auto three = [&](double l1, double l2, int c1, int c2, int c3, int cH, bool hOnlyThick) {
        if (t <= l1)
            return c1;
        if (t <= l2)
            return c2;
        return bHSteel && (!hOnlyThick || thick) ? cH : c3;
    };
    switch (nGrade) {
    case 0:
        return 0;
    case 1:
        return ruleA ? three(0.032, 0.04, 1, 2, 3, 20, false) : three(0.032, 0.038, 1, 2, 3, 20, true);
    case 2:
        return ruleA ? three(0.025, 0.04, 4, 5, 6, 23, false) : three(0.025, 0.038, 4, 5, 6, 23, true);
    case 3:
        return ruleA ? three(0.016, 0.04, 7, 8, 9, 26, false) : three(0.016, 0.032, 7, 8, 9, 26, true);
    case 4:
        if (ruleA)
            return bHSteel && thick ? 26 : 9;
        return three(0.016, 0.032, 7, 8, 9, 26, true);
    case 5:
        return bHSteel && thick ? 27 : 10;
    case 6:
        return three(0.025, 0.04, 11, 12, 13, 30, false);
    case 7:
        return three(0.016, 0.04, 14, 15, 16, 33, false);
    case 8:
        return bHSteel && thick ? 34 : 17;
    default:
        return 999;
    }
}

int GetPriceClass(unsigned nCode, double dThickness)
{
    const double mm = dThickness * 1000.0;
    const double limits[5] = {20.0, 25.0, 38.0, 50.0, 75.0};
    for (const ClassRow& row : kClassRows) {
        if (unsigned(row.code) != nCode)
            continue;
        int k = 0;
        // A thickness typed as whole millimetres stays in its class after the metre round trip.
        while (k < 5 && mm > limits[k] + 1e-9)
            ++k;
        return row.cls[k];
    }
    return -1;
}

double BearingStepValue(int nColumn, double dSize)
{
    static const double bounds[18] = {40, 60, 80, 100, 125, 150, 175, 200, 225, 250, 275, 300, 350, 400, 450, 500, 600, 700};
    static const double values[19][2] = {
        {117, 147}, {157, 201}, {222, 289}, {298, 353}, {386, 441}, {532, 556}, {639, 663},
        {726, 724}, {891, 939}, {965, 1010}, {1133, 1158}, {1296, 1353}, {1570, 1664},
        {1750, 2004}, {2134, 2355}, {2371, 2622}, {2992, 3244}, {3613, 3866}, {4234, 4488}};
    if (nColumn != 0 && nColumn != 1)
        return 0.0;
    int interval = 0;
    while (interval < 18 && dSize >= bounds[interval])
        ++interval;
    return values[interval][nColumn];
}

} // namespace estimate
