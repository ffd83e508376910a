// Every input the section design reads, copied from the document once per operation, so that
// the design itself touches no globals and no dialogs.
#pragma once

#include <vector>

class CMarivoltenDoc;

// One section of the layout kept from the last design (the section-layout memory).
struct CStoredSection {
    bool operator==(const CStoredSection&) const = default;
    double m_dLength = 0.0, m_dBUpper = 0.0, m_dBLower = 0.0, m_dTWeb = 0.0;
    int m_nJoinPrev = 0, m_nJoinNext = 0, m_bEdited = 0;
};

struct CDesignInput {
    bool operator==(const CDesignInput&) const = default;

    // Copies the live document's input for one girder object (app/design_collect.cpp).
    static CDesignInput Collect(const CMarivoltenDoc& doc, int nGirder);

    int m_nGirder = 0;
    int m_nBridgeType = 0;          // 0 plate girder, 1 boxes, 2 single box
    int m_nGirders = 1;
    int m_bSIUnits = 0;
    std::vector<int> m_anPanelCount;    // panels per span

    // Basic conditions.
    int m_nWeathering = 1;          // 0 weathering steel used
    int m_nHSteel = 1;              // 0 "-H" allowables used
    int m_nHeightVariation = 1;     // 0 the girder height varies
    int m_nStandard = 0;

    // Main girder data. Plate limits are resolved from the radios, in m, in the order
    // max/min upper flange thickness, max/min upper width, the same of the lower flange,
    // max/min web thickness.
    double m_adLimit[10] = {0.100, 0.009, 1.200, 0.180, 0.100, 0.009, 1.200, 0.180, 0.100, 0.009};
    int m_nStiffenerSteps = 0;      // 0 automatic, 1 none, 2 one level, 3 two levels
    int m_nThicknessStep = 1;       // 0 market sizes, 1 whole millimetres
    double m_dBendingMargin = 0.0;  // stress unit of the unit system
    double m_dMaxSectionLength = 12.0, m_dMinSectionLength = 2.0;   // m
    int m_bConstFlangeWidth = 1;
    int m_bIgnoreTB16 = 0;
    int m_nBlockLengthMode = 0;     // 1: block lengths given by hand
    int m_bMinWebTableOnly = 0;
    int m_nUFGrade = 3, m_nLFGrade = 3, m_nWebGrade = 3;
    double m_dFlangeWidthW = 2200.0, m_dWebSpacingA = 1800.0, m_dOverhangB = 200.0;   // mm
    std::vector<double> m_adGivenBlockLength;   // m, this girder's row of the joint positions

    // Plate girder data.
    int m_bPlateHoleDeduction = 1;
    int m_bPlateUFLocalBuckling = 0;
    double m_dPlateHoleDiameter = 25.0;     // mm
    int m_bPlateNetArea11 = 1;
    double m_adHoleFlangeWidth[7] = {0.35, 1.0};    // m
    int m_anHoleCount[7] = {2, 4};

    // Box girder data.
    int m_bBoxHoleDeduction = 1;
    double m_dBoxHoleDiameter = 25.0;       // mm
    int m_nHoleBoltsUpper = 10, m_nHoleBoltsLower = 10;
    int m_nCompRibCount = 5, m_nTensRibCount = 2;
    int m_nStiffenerStepsBox = 2;
    int m_bBoxUFLocalBuckling = 0;
    int m_bAdjustRibThickness = 1;
    int m_bBoxNetArea11 = 1;
    double m_adRibWidth[4][20] = {};        // m, by grade group column
    double m_adRibThick[4][20] = {};

    // Representative girder height of this girder (m) and, while it varies, its profile per
    // span (x from the span start, height).
    double m_dGirderHeight = 2.0;
    double m_dLineLength = 0.0;     // the girder's length along its own line before any result
    std::vector<std::vector<double>> m_aProfileX, m_aProfileH;

    // Which cross members hold the compression flange, and the kind at every panel point.
    int m_bUseEndSway = 1, m_bUseMidSway = 1, m_bUseCrossBeam = 1, m_bUsePierSway = 1;
    std::vector<int> m_anPanelPointKind;

    // Steel weight for the dead load.
    int m_nDeadLoadChoice = 2;
    double m_dAssumedWeight = 0.0;  // as typed: tf/m, or kN/m in SI units
    double m_dGirderFactor = 1.0;

    // Document state.
    int m_bFirstDesign = 1;
    int m_nDesignRunMode = 0;       // 1 first pass, 2 second pass, 3 re-run, 0 none
    int m_bHasStoredLayout = 0;     // the memory holds this girder with the current height choice
    std::vector<CStoredSection> m_aStoredLayout;
};
