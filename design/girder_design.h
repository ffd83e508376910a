// Design object of one main girder and its section records.
#pragma once

#include "design/design_input.h"
#include "design/section_calc.h"
#include "geometry/plan.h"

#include <cstddef>
#include <functional>
#include <vector>

class CGirderDesign;

// One section of a main girder. Lengths m, forces tf, moments tf·m, areas m², I and J m⁴,
// weights t.
class CSectionRecord {
public:
    bool operator==(const CSectionRecord&) const = default;

    // Layout. Sections joined to each other form a block (the girder between field joints).
    double m_dLength = 0.0;
    int m_nJoinPrev = 0;            // 1: in the same block as the section before it
    int m_nJoinNext = 0;            // 1: in the same block as the section after it
    int m_anJointKind[2] = {};      // left, right end: 0 field joint, 1 shop joint, 2 girder end
    int m_bEdited = 0;              // changed in the calculation table since it was designed

    // Check points L, R, C: position along the girder, design moment and shear there.
    double m_adCheck[3] = {};
    double m_adM[3] = {};
    double m_adS[3] = {};

    // Plates.
    double m_dBUpper = 0.0, m_dTUpper = 0.0, m_dBLower = 0.0, m_dTLower = 0.0;
    double m_dHWeb = 0.0, m_dTWeb = 0.0;   // a box has two such webs
    int m_nStiffenerLevels = 0;            // horizontal stiffener levels of the web, 0 to 2
    int m_nGradeUpper = 3, m_nGradeWeb = 3, m_nGradeLower = 3;   // 0 to 8; 3 is SM490Y
    int m_nRibsUpper = 0, m_nRibsLower = 0;
    double m_dRibHUpper = 0.0, m_dRibTUpper = 0.0, m_dRibHLower = 0.0, m_dRibTLower = 0.0;
    int m_anBoltHoles[2] = {};             // across the tension flange, left and right end

    // Properties.
    double m_dAreaUpper = 0.0, m_dAreaLower = 0.0, m_dAreaWeb = 0.0;
    double m_dAreaRibUpper = 0.0, m_dAreaRibLower = 0.0;
    double m_dArea = 0.0;
    double m_dNeutralAxis = 0.0;    // above the bottom face of the lower flange
    double m_dI = 0.0;
    double m_dJ = 0.0;
    double m_dMr = 0.0;             // resisting moment

    double m_dWWhole = 0.0;         // steel weight of the section

    // Written by the estimate: upper flange, web, lower flange.
    int m_anSteelCode[3] = {};
    int m_anPriceClass[3] = {};
    double m_dMassUpper = 0.0, m_dMassWeb = 0.0, m_dMassLower = 0.0;
    double m_dMassRibUpper = 0.0, m_dMassRibLower = 0.0;

    // What the last grillage analysis used for this section; -1 marks data from before.
    double m_dAssumedArea = -1.0, m_dAssumedI = -1.0, m_dAssumedJ = -1.0;

    // Copied from the girder by Recalculate, for the queries that take no girder.
    int m_nWebs = 1;                // 2 for box types
    int m_bSIUnits = 0;
    int m_nHSteel = 1;
    int m_bHasC = 0;                // the section holds a moment peak: its check point C is used

    // Properties, centre resisting moment and weight from the plates; check points and joint
    // kinds as the girder locates them. Plates, grades and forces stay.
    void Recalculate(const CGirderDesign& girder);
    // Bolt holes across the tension flange at both ends, from the input's hole rules.
    void SetBoltHoles(const CDesignInput& in);
    // Check points, the peak test and joint kinds of the section at this index of the girder.
    void Locate(const CGirderDesign& girder, int nIndex);

    // Plate weights (t): upper flange, lower flange, web(s), ribs.
    double GetPlateWeight() const;
    double GetLowerFlangeWeight() const;
    double GetWebWeight() const;
    double GetUpperRibWeight() const;
    double GetLowerRibWeight() const;

    // Flange stresses and their allowables at check point j (0 L, 1 R, 2 C), tf/m², both
    // non-negative: those of the moment case with the larger ratio.
    double GetUpperFlangeStress(const CGirderDesign& girder, int j) const;
    double GetLowerFlangeStress(const CGirderDesign& girder, int j) const;
    double GetUpperAllowableStress(const CGirderDesign& girder, int j) const;
    double GetLowerAllowableStress(const CGirderDesign& girder, int j) const;
    double GetShearStress(int j) const;             // signed
    double GetAllowableShearStress() const;
    double GetCombinedStressRatio(const CGirderDesign& girder, int j) const;
    double GetHoleStressFactor(int nEnd) const;     // of the tension flange at that end
    double GetMinEffectiveWidth(int nFlange) const;
    int GetEffectiveRibCount(const CGirderDesign& girder, int j, int nFlange) const;

    // Derived for the queries that take no girder; set by Recalculate.
    double m_adBEff[2][3] = {};     // effective flange width per flange and check point
    int m_bHoleDeduction = 0;
    double m_dHoleDiameter = 0.0;   // m
    int m_bNetArea11 = 0;
    int m_anOtherHoles[2][2] = {};  // holes of each flange (0 upper, 1 lower) at each end
};

// The governing moment case of one flange at one check point, and every case taken.
struct FlangeCheck {
    struct Case {
        double stress, allowable;
        bool compression;
    };
    // At most the two moment curves; held in place, since the block design asks millions of times.
    class Cases {
    public:
        void push_back(const Case& c) { m_aCase[m_nCount++] = c; }
        const Case* begin() const { return m_aCase; }
        const Case* end() const { return m_aCase + m_nCount; }
        size_t size() const { return size_t(m_nCount); }
        bool empty() const { return m_nCount == 0; }
        const Case& operator[](size_t i) const { return m_aCase[i]; }

    private:
        Case m_aCase[2] = {};
        int m_nCount = 0;
    };
    double stress = 0.0, allowable = 0.0;   // tf/m², non-negative
    bool compression = false;
    Cases cases;
};
FlangeCheck EvaluateFlange(const CSectionRecord& s, const CGirderDesign& g, int j, int nFlange);

// What the checks at check point j take from the girder: the two moment cases there and the
// length between fixed points. They stay while the plates change, so a block design takes
// them once.
struct CheckPointLoads {
    double m[2] = {0.0, 0.0};
    double braced = 0.0;
};
CheckPointLoads LoadsAt(const CSectionRecord& s, const CGirderDesign& g, int j);
// The section that carries stress at check point j: the gross one of a plate girder, the
// same at every point; a box's effective one.
section::Properties StressSection(const CSectionRecord& s, const CGirderDesign& g, int j);
FlangeCheck EvaluateFlange(const CSectionRecord& s, const CGirderDesign& g, int j, int nFlange,
                           const CheckPointLoads& loads, const section::Properties& p);
// The combined ratio at check point j from the checks of both flanges there.
double CombinedStressRatio(const CSectionRecord& s, int j, const FlangeCheck& upper, const FlangeCheck& lower);

// A flange width (mm) tried for a whole girder: whether every block still passes what it
// passed at its own width, and the girder's steel mass (t) then.
struct WidthTrial {
    int nWidth;
    bool bSound;
    double dMass;
};
// The width of least steel among the sound trials, the narrower on a tie (masses within
// 1e-9 t); the widest when none is sound.
int LeastSteelWidth(const std::vector<WidthTrial>& tried);

// A refusal of a layout operation goes out through this, since the design shows no windows.
using DesignMessageFn = std::function<void(const char* text)>;
struct CDesignMessenger {
    DesignMessageFn fn;
    bool operator==(const CDesignMessenger&) const { return true; }  // not design data
};

class CGirderDesign {
public:
    bool operator==(const CGirderDesign&) const = default;

    // Steel weight per metre of this girder for the grillage dead load (tf/m).
    double GetSteelWeightPerLength(int nOption) const;
    // Lengths of the girder's blocks (m): its sections grouped between field joints.
    std::vector<double> BlockLengths() const;
    // The largest upper and lower flange widths over the sections.
    void UpdateMaxFlangeWidths();
    void AllocSections();

    // Diagram data from the member results (girder_diagrams.cpp).
    void RefreshPositions(const CDesignInput& in);
    void BuildMomentCurves(const CDesignInput& in);
    void BuildShearCurves(const CDesignInput& in);
    void BuildMomentEnvelope(const CDesignInput& in);
    void BuildShearEnvelope(const CDesignInput& in);
    void BuildDiagrams(const CDesignInput& in);     // the four in order
    // Local maxima of the moment envelope nodes, at most 100 in position order.
    void BuildPeaks();
    // What a loaded record does not hold, derived again: the curves (bRebuildCurves; else the
    // stored node arrays stand), the peaks, forces, check points, holes and properties.
    void RestoreDerived(const CDesignInput& in, int bRebuildCurves);
    CDPoint GetMaxMomentPoint() const;
    int GetMomentSignAt(double x) const;
    // Moments within this of zero are rounding noise and count as zero; taken from the member
    // moments whenever the positions are refreshed or the curves rebuilt.
    double MomentNoise() const { return m_dMomentNoise; }
    double GetMaxResistingMoment() const;
    // Curves 1 and 2 at x; side +1 the member right of a panel point, -1 the left one, 0 both.
    void MomentCases(double x, int nSide, double& m1, double& m2) const;
    void ShearCases(double x, int nSide, double& s1, double& s2) const;
    static double Envelope(double v1, double v2);
    double NodeX(int nPanelPoint) const;            // position of a panel point

    // Layout (section_layout.cpp). Integer results: 1 done, 0 refused after the message.
    int LoadResultsAndDesign(const CDesignInput& in);
    int JoinSections(const CDesignInput& in, int nFirst, int nLast);
    int SplitSection(const CDesignInput& in, int nSection, double dPos, int bRedesign);
    int JoinBlocks(int nFirst, int nLast, int bRedesign);
    int SplitBlock(int nBlock, double dPos, int bRedesign);
    int SetBlockLengths(const double* pdLengths);
    int SetBlockLengths(const double* pdLengths, int nCount);
    void LocateCheckPoints();
    int UpdateSectionForces();
    void InitSingleSection(const CDesignInput& in);
    void RedesignAll(const CDesignInput& in, int nKeep);
    void GetMemberProperties(int nMember, double& a, double& i, double& j) const;
    void StoreAssumedProperties();
    // Section area (m²) weighted by the section lengths: the designed one, or with bAssumed the
    // one the last grillage analysis used; 0 without length, and assumed 0 in data of the old format.
    double GetMeanArea(bool bAssumed) const;
    void CopyResults(const CGirderDesign& staged);
    void SetMessageHandler(DesignMessageFn fn) { m_messenger.fn = std::move(fn); }

    // Blocks as [first, last] section index pairs.
    std::vector<std::pair<int, int>> Blocks() const;
    // Sizes every plate of the block anew (girder_design.cpp); lower bounds of widths and web
    // thickness may come from a stored layout.
    void DesignBlock(int nFirst, int nLast);
    // With the dimensions as they stand, each plate of the block takes its weakest passing grade.
    void ChooseGrades(int nFirst, int nLast);
    // The constant flange width over the girder after the blocks flagged were designed.
    void ConstantWidthPass(const std::vector<int>& abDesigned);
    // Web height at a position along the girder (m, whole millimetres).
    double WebHeightAt(double x) const;
    // Fixed points of the compression flange along the girder.
    std::vector<double> FixedPoints() const;
    double BracedLength(double x, int j) const;
    // Equivalent span of the effective width at x for a moment of the given sign.
    double EffectiveSpan(double x, int nSign) const;
    // Index of the section in this girder, -1 when it is not one of its records.
    int IndexOf(const CSectionRecord& s) const;
    // Start and end of section s along the girder.
    void SectionExtent(int s, double& a, double& b) const;
    bool IsBox() const { return m_input.m_nBridgeType != 0; }

    CDesignInput m_input;           // what the last operation was given
    std::vector<double> m_adLowerBoundB[2];    // per section: stored widths a design keeps
    std::vector<double> m_adLowerBoundTw;

    int m_nGirderNo = 0;            // main girder index from 0
    int m_nBridgeType = 0;          // the bridge type when the object was made
    int m_nSections = 0;            // == m_pSections.size()
    std::vector<CSectionRecord> m_pSections;    // the sections along the girder
    double m_dGirderLength = 0.0;   // the sum of its span lengths
    double m_dMaxSectionLength = 0.0, m_dMinSectionLength = 0.0;   // main girder data's limits
    int m_nMembers = 0;             // panel points - 1
    int m_nSpans = 0;
    double m_dMaxBUpper = 0.0, m_dMaxBLower = 0.0;   // largest flange widths over the sections
    std::vector<int> m_pnSpanStart;         // first member of each span, spans + 1 entries
    std::vector<double> m_pdSpanLength;     // the girder's own span lengths
    // Member lengths along this girder; also the "member length" the force-detail page
    // prints. One array under one name, so that copies and comparisons stay plain.
    std::vector<double> m_pdPanelLength;
    std::vector<double> m_adX;              // panel point positions, derived with the lengths
    std::vector<double> m_adFixed;          // fixed points of a compression flange, derived likewise
    double m_adMaxReaction[15] = {};        // largest support reaction per support

    // Member results, one entry per member, at the first (I) and second (J) end.
    std::vector<int> m_pnMemberNoI, m_pnMemberNoJ;
    std::vector<int> m_pnNodeI, m_pnNodeJ;  // m_pnNodeI[0] = -1 in object 0: no member detail
    std::vector<double> m_pdMomentDeadI, m_pdMomentLivePlusI, m_pdMomentLiveMinusI,
        m_pdMomentTotalPlusI, m_pdMomentTotalMinusI;
    std::vector<double> m_pdMomentDeadJ, m_pdMomentLivePlusJ, m_pdMomentLiveMinusJ,
        m_pdMomentTotalPlusJ, m_pdMomentTotalMinusJ;
    std::vector<double> m_pdShearDeadI, m_pdShearLivePlusI, m_pdShearLiveMinusI,
        m_pdShearTotalPlusI, m_pdShearTotalMinusI;
    std::vector<double> m_pdShearDeadJ, m_pdShearLivePlusJ, m_pdShearLiveMinusJ,
        m_pdShearTotalPlusJ, m_pdShearTotalMinusJ;
    std::vector<double> m_pdTorsionDead, m_pdTorsionLivePlus, m_pdTorsionLiveMinus,
        m_pdTorsionTotalPlus, m_pdTorsionTotalMinus;

    // Diagram data: moment curves per member, shear curves and envelopes per result node
    // (node 2m is the first end of member m, node 2m+1 its second end).
    std::vector<double> m_pdMomentMaxI, m_pdMomentMaxJ, m_pdMomentMinI, m_pdMomentMinJ;
    int m_nNodes = 0;
    std::vector<CDPoint> m_pShearMax, m_pShearMin;
    std::vector<CDPoint> m_pMomentEnv;
    std::vector<int> m_pnMomentSign;
    double m_dMomentNoise = 0.0;
    std::vector<CDPoint> m_pShearEnv;
    std::vector<int> m_pnShearSign;
    int m_nPeaks = 0;
    CDPoint m_aPeaks[100] = {};             // local maxima of the moment envelope

    // Support reactions, supports s = 0..14, detail blocks g = 0..20.
    int m_anReactNode[15] = {};
    double m_adReactDead[15] = {}, m_adReactLivePlus[15] = {}, m_adReactLiveMinus[15] = {},
        m_adReactDLPlus[15] = {}, m_adReactDLMinus[15] = {}, m_adReact2LMinusD[15] = {};
    int m_anDetailNode[15][21] = {{-1}};    // -1 at [0][0] in object 0: no detail
    double m_adDetailDead[15][21] = {}, m_adDetailLivePlus[15][21] = {},
        m_adDetailLiveMinus[15][21] = {}, m_adDetailDLPlus[15][21] = {},
        m_adDetailDLMinus[15][21] = {};
    double m_adDetailTotalDead[15] = {}, m_adDetailTotalLivePlus[15] = {},
        m_adDetailTotalLiveMinus[15] = {}, m_adDetailTotalDLPlus[15] = {},
        m_adDetailTotalDLMinus[15] = {};

    // Deflections (mm) per panel point of the girder line.
    double m_adDeflDead[281] = {}, m_adDeflLivePlus[281] = {}, m_adDeflLiveMinus[281] = {};
    int m_abNodeIsSupport[281] = {};


private:
    void Message(const char* text) const;
    int NormaliseBlock(int nBlock);
    void FinishLayoutChange(const std::vector<int>& abChanged, int bRedesign);
    void ApplyBoundaries(const std::vector<double>& cuts);
    void ScaleToGirderLength();
public:
    // Interior block boundaries (m) that the automatic layout chooses.
    std::vector<double> AutomaticCuts() const;
    // Interior boundaries from given block lengths: the last block takes the rest.
    std::vector<double> GivenCuts(const double* pdLengths, int nCount) const;
private:

    CDesignMessenger m_messenger;
};


