// The design as one value: everything a design file stores or a rebuild reads, taken
// from the program-wide counters, the document and the input dialogs (windows or not),
// and put back whole.
#pragma once

#include "app/globals.h"
#include "design/girder_design.h"
#include "geometry/coordinate_plan.h"
#include "geometry/plan.h"
#include "input/document_dialogs.h"
#include "input/modeless_dialogs.h"

// The document's own input, apart from its dialogs; the document derives from it.
struct CDocumentInput {
    bool operator==(const CDocumentInput&) const = default;
    int m_nFileVersion = 1830;
    int m_bFirstDesign = 1;
    CDPoint m_ptBaseOrigin;
    CCoordinatePlan m_coordPlan;            // a plan entered by coordinates, model metres
    int m_anRibsPerPanel[281] = {};
    int m_nDesignRunMode = 0;
    // Estimate.
    double m_dIndirectLabourRate = 0.38;
    double m_dShopOverheadRate = 0.288;
    // Coordinate origin adjustment.
    CDPoint m_ptOriginAdjust;
    double m_dOriginAngle = 0.0;
    int m_bOriginApply = 0;
    // Presence flags of the file format blocks.
    int m_abFormatFlags[12] = {};
    int m_bNewGirderTypeFormat = 1;
};

// The layout counters and span arrays of globals.h.
struct CDesignLayout {
    bool operator==(const CDesignLayout&) const = default;
    int nSpans = 0;
    int nGirders = 4;
    int nBridgeType = 0;
    double adSpanLength[MAX_SPANS];
    int anPanelCount[MAX_SPANS];
    double adPanelLength[MAX_SPANS][MAX_PANELS];
    int anFreeSections[MAX_SPANS];
    int nCrossSections = 0;
    int nPanelPoints = 0;
    int bCoordinatePlan = 0;
    int bCoordinateRadii = 0;
    int bSIUnits = 1;

    // A new design: no spans, four plate girders, every span 30 m in six 5 m panels with two free sections.
    CDesignLayout();
};

// Results of the grillage analysis and the section design.
struct CDesignResults {
    bool operator==(const CDesignResults&) const = default;
    int m_bGrillageNotRun = 1;              // moves together with g_bResultsValid
    std::vector<CGirderDesign> girders;     // one per main girder once the grillage has run
    double m_adImpactCoef[MAX_SPANS + 1] = {};
    double m_adAssumedWeightPerLength[MAX_GIRDERS] = {};  // t/m, after the first run
    double m_adDesignWeightPerLength[MAX_GIRDERS] = {}; // t/m, after the latest run
};

// The view choices a design keeps, and the confirmed steps of the setup bar.
struct CDesignView {
    bool operator==(const CDesignView&) const = default;
    int nSizeX = 12000;
    int nSizeY = 12000;
    double dPlanRotation = 0.0;     // degrees
    double dSection2ScaleX = 1.0;
    double dSection2ScaleY = 1.0;
    int bSection2Flag = 1;
    int nStepMask = 0;
};

// What the file carries for other readers but a load derives again (model counts, view
// scales, height profiles): written, never read back, and no part of a design's identity.
struct CDerivedSlots {
    bool operator==(const CDerivedSlots&) const { return true; }
    int anModelCounts[4] = {};
    double dBaseLength = 0.0;
    std::vector<int> anSupportStation;
    double adViewScales[5] = {2.0, 0.0, 0.0, 1000.0, -600.0};
    int nCurrentGirder = 0;
    int anViewWordsA[4] = {0, 1, 1, 1};
    double dSectionScale = 1.0;
    int bSectionFlag = 1;
    double dLoadScale = 1.0;
    int bLoadFlag = 1;
    double adForceScale[2] = {3.0, 1.0};
    int anViewWordsB[9] = {1, 1, 1, 0, 1, 1, 0, 0, 0};
    struct Profile {
        int nSubdivisions = 20;
        std::vector<CDPoint> points;
    };
    std::vector<Profile> aProfiles;     // one per main girder
};

struct CDesignState {
    CDesignLayout layout;
    CDocumentInput document;
    // The document's dialogs.
    BasicConditions basic;
    SpanData span;
    MainGirderData mainGirder;
    JointPositionData jointPosition;
    PlateGirderData plateGirder;
    BoxGirderData boxGirder;
    MainMemberData mainMember;
    SwayBracingData endSway = EndSwayData();
    SwayBracingData midSway = MidSwayData();
    SwayBracingData pierSway = PierSwayData();
    CrossBeamTypeData crossBeamType;
    LateralBracingData lateral;
    BracketData leftBracket;
    BracketData rightBracket;
    MidStringerData midStringer;
    StringerData edgeStringer;
    DeadLoadData deadLoad;
    SteelWeightData steelWeight;
    RibPanelData ribPanel;
    EstimateFactorData estimateFactor;
    EstimateSteelPriceData estimateSteelPrice;
    EstimateBearingData estimateBearing;
    EstimateLabourData estimateLabour;
    EstimateFittingData estimateFitting;
    EstimateOverheadData estimateOverhead;
    EstimateOptionData estimateOption;
    // The modeless windows.
    PanelDivisionData panel;
    CrossSectionData crossSection;
    CrossBeamArrangementData crossBeam;
    HeightChangeData height;
    CDesignResults results;
    CDesignView view;
    CDerivedSlots derived;

    bool operator==(const CDesignState&) const = default;

    // What File New starts from in the unit system given.
    static CDesignState NewDesign(int bSIUnits);
};

// The live design: the globals, g_pDoc's input (defaults without a document) and the dialogs.
CDesignState CaptureDesign();
// Puts a value back whole; parts whose owner does not exist are skipped.
void ApplyDesign(const CDesignState& state);
