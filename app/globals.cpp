#include "app/globals.h"

CMarivoltenDoc* g_pDoc = nullptr;
int g_nSpans = 0;
int g_nGirders = 4;
int g_nBridgeType = 0;
double g_adSpanLength[MAX_SPANS] = {30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0, 30.0};
int g_anPanelCount[MAX_SPANS] = {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};
double g_adPanelLength[MAX_SPANS][MAX_PANELS];
int g_anFreeSections[MAX_SPANS] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
int g_nCrossSections = 10;
int g_nPanelPoints = 19;
int g_bSIUnits = 1;
int g_bResultsValid = 0;
int g_bCoordinatePlan = 0;
int g_bCoordinateRadii = 0;
int g_bNoA3Paper = 0;
int g_nSolverError = 0;
CCalcView* g_pCalcView = nullptr;

namespace {
// Panel lengths start at 5 m before anything runs.
const bool g_panelLengthsSet = [] {
    for (auto& span : g_adPanelLength)
        for (double& len : span)
            len = 5.0;
    return true;
}();
}

const QString g_szSteelGrades9[9] = {
    QStringLiteral("SS400"), QStringLiteral("SM400"), QStringLiteral("SM490"), QStringLiteral("SM490Y"),
    QStringLiteral("SM520"), QStringLiteral("SM570"), QStringLiteral("SMA400W"), QStringLiteral("SMA490W"),
    QStringLiteral("SMA570W")};

const QString g_szSteelGrades18[18] = {
    QStringLiteral("SS400"), QStringLiteral("SM400A"), QStringLiteral("SM400B"), QStringLiteral("SM400C"),
    QStringLiteral("SM490A"), QStringLiteral("SM490B"), QStringLiteral("SM490C"), QStringLiteral("SM490YA"),
    QStringLiteral("SM490YB"), QStringLiteral("SM520C"), QStringLiteral("SM570"), QStringLiteral("SMA400AW"),
    QStringLiteral("SMA400BW"), QStringLiteral("SMA400CW"), QStringLiteral("SMA490AW"), QStringLiteral("SMA490BW"),
    QStringLiteral("SMA490CW"), QStringLiteral("SMA570W")};

const QString g_szSectionShapes[15] = {
    QStringLiteral("CT 95x152x8x8"), QStringLiteral("CT 118x176x8x8"), QStringLiteral("CT 118x178x10x8"),
    QStringLiteral("CT 142x200x8x8"), QStringLiteral("CT 144x204x12x10"), QStringLiteral("L 75x75x9"),
    QStringLiteral("L 90x90x10"), QStringLiteral("L 100x100x10"), QStringLiteral("L 130x130x9"),
    QStringLiteral("L 130x130x12"), QStringLiteral("L 150x150x12"), QStringLiteral("CH 250x90x9x13"),
    QStringLiteral("CH 300x90x9x13"), QStringLiteral("CH 300x90x10x15.5"), QStringLiteral("CH 380x90x10.5x16")};

const QString g_szCrossMemberKinds[4] = {
    QStringLiteral("端対傾構"), QStringLiteral("中間対傾構"), QStringLiteral("横桁"), QStringLiteral("中間支点上対傾構")};

const double g_adShapeUnitMass[15] = {0.0156, 0.0188, 0.0207, 0.0221, 0.0297, 0.00996, 0.0133, 0.0149,
                                      0.0179, 0.0234, 0.0273, 0.0346, 0.0381, 0.0438, 0.0545};

const QString g_szDesignStandards[2] = {QStringLiteral("道路橋示方書(国土交通省)"), QStringLiteral("日本道路公団")};

int CountCrossSections()
{
    int n = 1;
    for (int i = 0; i < g_nSpans && i < MAX_SPANS; ++i)
        n += g_anFreeSections[i] + 1;
    return n;
}
