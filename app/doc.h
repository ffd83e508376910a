// The design document: all input (in its dialogs), the derived geometry,
// results, estimate data, print settings and the views' choices.
#pragma once

#include <memory>
#include "app/design_state.h"
#include "app/globals.h"
#include "app/run_times.h"
#include "estimate/estimate_data.h"
#include "framework/document.h"
#include "geometry/records.h"

#include <string>

class CCalcProgressDlg;
class CSolverChain;
class CGirderDesign;
class CCrossSectionDrawer;
class CDC;
class CDialog;
class CPrintInfo;

class CMarivoltenDoc : public CDocument, public CDocumentInput, public CEstimateData {
    DECLARE_DYNCREATE(CMarivoltenDoc)
public:
    CMarivoltenDoc();
    ~CMarivoltenDoc() override;

    BOOL OnNewDocument() override;
    // The design file (app/design_file.cpp); a load reads into a value and switches only when it was read whole.
    void Serialize(CArchive& ar) override;
    // Puts a design read from a file in place, rebuilds the plan and converts older formats.
    void TakeLoadedDesign(const CDesignState& value);
    void ConvertLoadedDesign();

    // Why the plan is rebuilt. Every change of input asks for one rebuild with its reason;
    // the rebuild ends with one update notice (HINT_GEOMETRY) to every view.
    enum class RebuildReason {
        Layout,         // the basic conditions: girder form, counts, centre line
        Spans,          // span lengths and panel counts
        Panels,         // panel division and girder framing of a span
        CrossSection,   // cross-section dimensions of the stations
        Heights,        // girder height change points
        Coordinates,    // a plan applied from the coordinate sheet
        CrossBeams,     // the cross member and its distribution at every panel point
        Origin,         // the coordinate origin moved
        Load,           // a design read from a file
        Units,          // loads converted to the other unit system: the plan stands
    };
    void Rebuild(RebuildReason reason);
    // Counts the rebuilds, so that a view can tell whether its drawers are current.
    int m_nRebuildCount = 0;
    int m_nEstimateRuns = 0;        // estimates calculated since start
    // Hints of the update notices.
    enum : LPARAM { HINT_GEOMETRY = 1, HINT_RESULTS_DISCARDED = 2 };

    // Frees the span records with all they own; 0 when there were none.
    int FreeGeometry();
    // Frees the section-layout memory kept for the next first grillage run.
    void FreeSectionLayout();

    // Geometry built from the input, in this order on every rebuild (app/doc_geometry.cpp).
    // The whole plan from the input, in the order every input step runs it.
    void RebuildGeometry(int bWarn);
    // Everything after the span records: edge lines, profiles, heights, intersections, nodes, cross beams.
    void CompletePlan(int bWarn);
    void RebuildSpans();
    int BuildEdgeLines();
    void BuildGirderPolylines();
    void SetRepresentativeGirderHeights();
    void IntersectEdgeLines();
    void CountGrillageNodes();
    void BuildCrossBeams(int bReport);
    void FreeEdgeLines();
    void FreeGirderPolylines();
    void BuildCrossSectionRecords();
    void ApplyCrossBeamLayout();
    void CalcCrossMemberSections();
    // Plans entered by coordinates.
    void DerivePanelDivisionFromCoordinates(int bWriteBack);
    int BuildEdgeLinesFromCoordinates();
    // Plan helpers.
    static double Distance(CDPoint p1, CDPoint p2);
    static double DotProduct(CDPoint p1, CDPoint p2, CDPoint o);
    static CDPoint PointOnCircle(CDPoint c, double a, double r);
    static int GetSlope(CDPoint p1, CDPoint p2, double* m);
    static int LineSlope(CDPoint p1, CDPoint p2, double* m);
    static double ArcLength(CDPoint p1, CDPoint p2, double R);
    double GetAllowableDeflection(int i, int j) const;

    // Profile settings; each loader keeps the members unless the whole entry reads.
    int LoadMenuOption();
    void SaveMenuOption();
    int LoadPrintSettings();
    void SavePrintSettings();
    int LoadHumanCostCondition();
    void SaveHumanCostCondition();
    int LoadSteelCostCondition();
    void SaveSteelCostCondition();
    int LoadDialogSetting();
    void SaveDialogSetting();

    // Unit system and paper option commands.
    void OnUseSIUnits();
    void ConvertUnits(int bToSI);
    void OnNoA3Paper();

    // Discards the grillage and section results (the caller has asked).
    void InvalidateResults();
    int SaveSectionLayout();

    // Commands of the input steps and calculations.
    void RegisterCommands();
    // Runs an input dialog modally; IDOK marks the design modified. Views are updated either way.
    int RunInputDialog(CDialog& dlg, bool hideModeless = true);
    void OnBasicCondition();
    void OnSpanPanel();
    void OnMainGirderData();
    void OnMainGirderData2();
    void OnMainMemberData();
    void OnDeadLoad();
    void OnSteelWeightHaunch();
    void OnEstimateData();
    void OnGrillageCalc();
    void OnEstimate();
    void OnInvalidateResults();
    void OnFileSaveAs();
    // Animation of the please-wait window: profile "Animation"/"name".
    int ReadAnimationChoice();
    void SetAnimationChoice(int nChoice);
    void OnAnimationMechanical();
    void OnAnimationElectronic();
    void OnUpdateAnimationMechanical(CCmdUI* pCmdUI);
    void OnUpdateAnimationElectronic(CCmdUI* pCmdUI);
    // The grillage runs: the first one, and the one that keeps edited sections (app/grillage_run.cpp).
    int RunGrillageCalc();
    int RerunGrillageCalc();
    // One pass: input from `pSource`'s sections, the programs, the listing read into `pTarget`
    // and `adImpact`. 0 done, -1 stopped at the abort question, else the solver error code.
    int RunPass(CSolverChain& chain, int nPass, const CGirderDesign* pSource, CGirderDesign* pTarget, double* adImpact);
    bool WritePassInput(const CSolverChain& chain, int nPass, const CGirderDesign* pSource, const std::string& stamp);
    // The largest support reaction of every design object at every support, and over them.
    // Derived from the stored reactions, so a loaded design gets them again.
    void StoreMaxReactions();
    // Each girder's cross-section area, length-weighted over its members.
    void StoreAssumedAreas();
    void CommitRun(CSolverChain& chain, const double* adImpact, const char* message);
    void ReportFailedRun(int code);
    // The whole estimate from the input and the girders' designs (app/estimate_collect.cpp).
    void CalcEstimate();
    int AllocStationDrawers();
    // Girders symmetric about the base line and the median on each station: writes the
    // centred offsets and B1 into the input from the built stations; the caller rebuilds.
    int UpdateGirderCentreLine();
    // Change points of the girder height placed inside their spans.
    void BuildHeightChangePoints();
    // The message for input that no longer fits together, once.
    void ReportInconsistentLayout();

    // Effective secondary member dimensions in m: the typed value, or one
    // derived from the girder heights when nothing was typed.
    double GetEndSwayDepth() const;
    double GetPierSwayDepth() const;
    double GetMidSwayDepth() const;
    double GetCrossBeamDepth() const;
    double GetRightBracketDepthBL() const;
    double GetRightBracketDepthBR() const;
    double GetLeftBracketDepthBL() const;
    double GetLeftBracketDepthBR() const;
    double GetEdgeStringerDepth() const;
    double GetMidStringerDepth() const;
    double GetStepTableValue(int nColumn, double dSize) const;
    double GetImpactCoefficient(int nSupport) const;
    void ReportSolverError() const;

    // Page frame, page number and paper of every printout.
    void DrawPageFrame(CDC* pDC, CPrintInfo* pInfo, const QString& strPageTitle);
    // The page frame in 0.1 mm, y up (left, top, right, bottom), on the job's paper.
    CRect PageFrameRect(const CPrintInfo* pInfo) const;
    void DrawPageFooter(CDC* pDC, CPrintInfo* pInfo, int bHasCover);
    void SetupPrinterPaper(CPrintInfo* pInfo, CSize* pPageSize, int nPaper);

    // 1. Input dialogs held by value.
    CCalcProgressDlg* m_pProgressDlg = nullptr;
    CSetupBasicDialog m_dlgBasic;
    CSetupSpanDialog m_dlgSpan;
    CSetupMainGirderDialog m_dlgMainGirder;
    CSetupPlateGirderDialog m_dlgPlateGirder;
    CSetupBoxGirderDialog m_dlgBoxGirder;
    CSetupMainMemberDialog m_dlgMainMember;
    CSetupDeadLoadDialog m_dlgDeadLoad;
    CSetupSteelWeightDialog m_dlgSteelWeight;
    CSetupEstimateDialog m_dlgEstimate;
    CAbortConfirmDlg m_dlgAbortConfirm;
    CSetupRibPanelDialog m_dlgRibPanel;

    // 2. Settings and section-layout memory.
    int m_nDialogSetting = 1;
    int m_nLayoutGirders = 0;
    int m_nLayoutSpans = 0;
    int* m_pnLayoutSpanLineType = nullptr;
    int* m_pnLayoutSectionCount = nullptr;
    int m_nLayoutHeightVariation = 0;
    double* m_apLayoutF64[MAX_GIRDERS][4] = {};
    int* m_apLayoutI32[MAX_GIRDERS][5] = {};

    // 3. Print settings, 0.1 mm.
    int m_nMarginLeft = 200;
    int m_nMarginRight = 100;
    int m_nMarginTop = 200;
    int m_nMarginBottom = 200;
    int m_nPageWidth = 2100;
    int m_nPageHeight = 2970;
    int m_nPrintCount1 = 50;
    int m_nPrintCount2 = 100;
    int m_bNoHeader = 0;
    int m_bNoFooter = 0;
    int m_bNoFrame = 0;

    // 4. Geometry.
    int m_bGeometryConsistent = 1;
    int m_nBuiltSpans = 0;
    int m_anBuiltPanels[MAX_SPANS] = {};
    double m_dBaseLength = 0.0;
    std::vector<CSpanData> m_aSpans;        // empty when there is no design
    int m_anSupportStation[MAX_SPANS + 1] = {};
    int m_nNodeCount = 0;
    int m_nSupportCount = 0;
    int m_nGirderMemberCount = 0;
    int m_nCrossMemberCount = 0;
    CPolyline2D* m_apEdgeLines[12] = {};
    CPolyline2D* m_apGirderProfiles[MAX_GIRDERS] = {};
    // One cross-section drawer per station, set up again at every estimate.
    std::unique_ptr<CCrossSectionDrawer[]> m_pStationDrawers;
    int m_nStationDrawers = 0;

    // 5. Analysis and design results.
    CGirderDesign* m_pGirders = nullptr;
    int m_bGrillageNotRun = 1;
    double m_adAssumedWeightPerLength[MAX_GIRDERS] = {};
    double m_adDesignWeightPerLength[MAX_GIRDERS] = {};
    int m_bDetailDataAvailable = 1;
    double m_adImpactCoef[MAX_SPANS + 1] = {};
    double m_adSupportMaxReaction[MAX_SPANS + 1] = {};  // tf, the largest over the girders
    double m_adAssumedArea[MAX_GIRDERS] = {};           // m², what the last analysis ran with, length-weighted
    int m_bCalcRunning = 0;                             // a grillage pass is running
    CRunTimes m_runTimes;                               // of the last grillage run

    // 6. View state kept across redraws.
    int m_nSizeX = 12000;
    int m_nSizeY = 12000;
    double m_dPlanAngle = 0.0;
    double m_dPlanScale = 2.0;
    CDPoint m_ptPlanOrigin;
    CDPoint m_ptPlanOffset{1000.0, -600.0};
    int m_nCalcGirder = 0;
    int m_nCurGirder = 0;
    int m_bPlanFlag = 1;
    int m_abPlanChecks[3] = {0, 1, 1};
    int m_nCurSupport = 0;
    int m_nCurCrossSection = 0;
    int m_nPlanCrossBeam = 0;
    int m_bPlanShowSpanLengths = 0;
    int m_bPlanShowPanelLengths = 0;
    int m_bPlanScaleReversed = 0;
    double m_dSectionScale = 1.0;
    int m_bSectionFlag = 1;
    double m_dSection2ScaleX = 1.0;
    double m_dSection2ScaleY = 1.0;
    int m_bSection2Flag = 1;
    double m_dLoadScale = 1.0;
    int m_bLoadFlag = 1;
    double m_dForceHScale = 3.0;
    double m_dForceVScale = 1.0;
    // 1 once the user has moved the vertical scale; the force window fits its diagram to
    // its height again only after the design has changed.
    int m_bForceVScaleChosen = 0;
    int m_bForceShowMoment = 1;
    int m_bForceShowShear = 1;
    int m_bForceShowResisting = 1;
    int m_bForceFolded = 0;
    int m_abViewFlags[2] = {1, 1};
    int m_nEstimateTable = 0;
    int m_nReactTable = 0;
    int m_nConditionPage = 0;
    int m_nPropertiesTable = 0;
    int m_nAnimation = 0;         // 0 mechanical "Tiger", 1 electronic "Cacio"

    // 7. Estimate.
    double m_adEstimateResults[3] = {};
    int m_anLabourCosts[12] = {27400, 11300, 4800, 5000, 3000, 100000, 3000, 8000, 250000, 800000, 12000, 100000};
    int m_anSteelCosts[4] = {69000, 80000, 1500, 4500};

    // 9. Representative girder height per girder.
    double m_adGirderHeight[MAX_GIRDERS];

};
