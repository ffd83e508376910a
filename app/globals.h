// Program-wide counters, flags and text tables that every part of the program reads.
#pragma once

#include <QString>

class CMarivoltenDoc;
class CCalcView;

constexpr int MAX_SPANS = 14;
constexpr int MAX_PANELS = 20;
constexpr int MAX_GIRDERS = 20;

extern CMarivoltenDoc* g_pDoc;
extern int g_nSpans;
extern int g_nGirders;
extern int g_nBridgeType;
extern double g_adSpanLength[MAX_SPANS];
extern int g_anPanelCount[MAX_SPANS];
extern double g_adPanelLength[MAX_SPANS][MAX_PANELS];
extern int g_anFreeSections[MAX_SPANS];
extern int g_nCrossSections;
extern int g_nPanelPoints;
extern int g_bSIUnits;
extern int g_bResultsValid;
extern int g_bCoordinatePlan;
extern int g_bCoordinateRadii;
extern int g_bNoA3Paper;
extern int g_nSolverError;
extern CCalcView* g_pCalcView;

extern const QString g_szSteelGrades9[9];
extern const QString g_szSteelGrades18[18];
extern const QString g_szSectionShapes[15];
extern const QString g_szCrossMemberKinds[4];
extern const QString g_szDesignStandards[2];
// Unit masses (t/m) of the rolled shapes of g_szSectionShapes, the same in both unit systems.
extern const double g_adShapeUnitMass[15];

// Stations over the bridge: every support plus the free sections of each span.
int CountCrossSections();
