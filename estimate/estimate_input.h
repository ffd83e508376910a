// Everything the estimate reads, copied from the document once per run (app/estimate_collect.cpp),
// so that the calculation touches no globals and no dialogs.
#pragma once

#include <QByteArray>

#include <array>
#include <optional>
#include <vector>

#include "design/girder_design.h"
#include "geometry/records.h"

class CMarivoltenDoc;

struct CEstimateInput {
    // Copies the live document's input (app/estimate_collect.cpp); the price extras file is
    // read only for a run, not for the tables that show its results.
    static CEstimateInput Collect(const CMarivoltenDoc& doc, bool bReadExtras = true);

    // Layout.
    int m_nSpans = 0;
    int m_nGirders = 0;
    int m_nBridgeType = 0;          // 0 plate girder, 1 box girders, 2 single box
    int m_bSIUnits = 1;
    int m_nPanelPoints = 0;
    struct Span {
        double m_dLength = 0.0;     // m
        int m_nPanels = 0;
        std::vector<CPanelPointRecord> m_aPoints;           // panels + 1
        std::vector<std::array<double, 12>> m_aHeights;     // H1..H12 at every panel point, m
        double m_adGirderSpacing[2] = {};                   // m, at the span's start and end
    };
    std::vector<Span> m_aSpans;
    std::vector<int> m_anRibDivisions;      // flange transverse-rib divisions of every panel

    // Main girders: their design objects (only lengths and sections are read), heights and web spacing.
    std::vector<CGirderDesign> m_aGirders;
    std::vector<double> m_adGirderHeight;   // m, per girder
    double m_dWebSpacing = 0.0;             // mm, box girders
    std::vector<double> m_adHaunchWeight;   // per girder, tf/m or kN/m
    // The largest support reaction of every support line over the girders (tf).
    std::vector<double> m_adLineReaction;

    // Basic conditions.
    int m_nSidewalk = 0;            // 0 none, 1 left, 2 right, 3 both
    int m_nSteelSpec = 0;           // 0 the first code rule, else the second
    int m_bHSteel = 0;              // "-H" steel used
    int m_bZeroPaintCost = 0;
    int m_bHeightVaries = 0;

    // Secondary members; dimensions in mm as typed, shapes index the rolled-shape table.
    int m_bUseLeftBracket = 0, m_bUseRightBracket = 0, m_bUseEdgeStringer = 0, m_bUseLateral = 0, m_bUseStringer = 0;
    struct Sway {
        int m_nUpperChord = 0, m_nLowerChord = 0, m_nDiagonal = 0, m_nGrade = 0;
        double m_dDistance = 0.0;
    };
    Sway m_endSway, m_midSway, m_pierSway;
    struct CrossBeam {
        int m_nGrade = 1;
        double m_dDistance = 0.0, m_dFlangeThickness = 10.0, m_dFlangeWidth = 220.0, m_dWebThickness = 9.0;
    } m_crossBeam;
    struct Lateral {
        int m_nOuter = 0, m_nInner = 0, m_nGrade = 1;
    } m_lateral;
    struct Bracket {
        int m_nGrade = 0;
        double m_dDistBL = 0.0, m_dDistBR = 0.0, m_dFlangeThickness = 9.0, m_dFlangeWidth = 100.0,
               m_dLength = 1000.0, m_dWebThickness = 9.0;
    };
    Bracket m_leftBracket, m_rightBracket;
    struct Stringer {
        int m_nGrade = 0;
        double m_dFlangeThickness = 9.0, m_dFlangeWidth = 100.0, m_dWebHeight = 0.0, m_dWebThickness = 9.0;
        int m_nCount = 1;
    };
    Stringer m_edgeStringer, m_stringer;

    // Extra factors and unit masses.
    double m_dGirderFactor = 1.0, m_dFlangeRibFactor = 1.0, m_dCrossBeamFactor = 1.0, m_dSwayFactor = 1.0,
           m_dLateralFactor = 1.0, m_dBracketFactor = 1.0, m_dEdgeStringerFactor = 1.0, m_dStringerFactor = 1.0;
    double m_dStiffenerSpacing = 1.2;       // m
    double m_dGirderBoltFactor = 0.0, m_dCrossBeamBoltFactor = 0.0;
    double m_dGirderEndLength = 0.0;        // m
    double m_dExpansionJointUnitMass = 0.0, m_dRailingUnitMass = 0.0, m_dDrainUnitMass = 0.0;
    int m_nDrainCount = 0;
    double m_dPaintAreaPerTon = 0.0, m_dOtherMassInput = 0.0;
    int m_bGirderEndMass = 0, m_bSeparateRibMass = 0;

    // Unit prices, yen.
    int m_nFabricationLabourRate = 0, m_nSundryUnitPrice = 0, m_nPretreatUnitPrice = 0, m_nShopPaintUnitPrice = 0,
        m_nSitePaintUnitPrice = 0, m_nDeckSlabUnitPrice = 0, m_nRoadwayPavingUnitPrice = 0,
        m_nSidewalkPavingUnitPrice = 0, m_nBoltUnitPrice = 0, m_nDrainageUnitPrice = 0, m_nTransportUnitPrice = 0,
        m_nErectionUnitPrice = 0;
    int m_nPlateBasePrice = 0, m_nShapeBasePrice = 0, m_nSizeExtra = 0, m_nScrapPrice = 0;
    int m_nBearingPriceMode = 0, m_nRubberBearingPrice = 0, m_nBearingPricePerPiece = 0;

    // Fittings and corrections.
    int m_nRailingType = 0, m_nRailingPost = 0, m_nJointType = 0;
    int m_nCurveSkewCorrection = 0, m_nMultiSpanCorrection = 0;
    int m_nRailingUnitPrice = 0, m_nJointUnitPrice = 0;

    // Overheads.
    int m_nCostMethod = 1;          // 0 the older formulas, 1 the estimating manual
    int m_nRegion = -1;
    double m_dSeasonPercent = 0.0, m_dPrepaymentFactor = 1.0, m_dGuaranteePercent = 0.0;
    int m_bHSectionCrossBeams = 0;
    double m_dIndirectLabourRate = 0.38, m_dShopOverheadRate = 0.288;

    // The price extras file's bytes, or nothing when there is no readable file.
    std::optional<QByteArray> m_extraFile;

    // Length factor of the members along the bridge: with the girder ends counted,
    // (2 x end length + L) / L over the sum L of the spans; else, or without spans, 1.
    double GirderEndLengthFactor() const
    {
        if (!m_bGirderEndMass)
            return 1.0;
        double sum = 0.0;
        for (const Span& span : m_aSpans)
            sum += span.m_dLength;
        return sum > 1e-20 ? (2.0 * m_dGirderEndLength + sum) / sum : 1.0;
    }
};
