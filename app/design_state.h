// The design as one value: everything a design file stores or a rebuild reads, taken
// from the program-wide counters, the document and the input dialogs (windows or not),
// and put back whole.
#pragma once

#include "app/globals.h"
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
    unsigned m_anUnitPrices[97] = {};
    double m_dContractRate1 = 0.38;
    double m_dContractRate2 = 0.288;
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

    // A new design: no spans, four plate girders, every span 30 m in six 5 m panels with two free sections.
    CDesignLayout();
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

    bool operator==(const CDesignState&) const = default;

    // What File New starts from in the unit system given.
    static CDesignState NewDesign(int bSIUnits);
};

// The live design: the globals, g_pDoc's input (defaults without a document) and the dialogs.
CDesignState CaptureDesign();
// Puts a value back whole; parts whose owner does not exist are skipped.
void ApplyDesign(const CDesignState& state);
