// The design file. Storing and loading walk one stream in the same order; the layout has no
// lengths of its own, so every count it follows is checked before anything is sized from it.
#include "app/design_file.h"
#include "app/design_state.h"
#include "design/girder_results_io.h"
#include "framework/archive.h"
#include "framework/textcodec.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace {

constexpr int kVersion = 1830;
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxStations = CrossSectionData::STATIONS;
constexpr int kMaxPanelPoints = CrossBeamArrangementData::POINTS;
constexpr int kMaxBlocks = 1000;
constexpr int kMaxProfilePoints = 1000000;
// The title and subtitle as the basic conditions take them: the title's 100 characters and a
// line edit's 32767, two bytes each at most; a file with more is broken.
constexpr qsizetype kMaxTitleBytes = 2 * (100 + 32767);
constexpr qsizetype kMaxShapeBytes = 255;

}

const char* const kCorruptDesignFile = "データファイルが壊れているか形式が異なっています。";

namespace {

const char* const kNewerFile =
    "新バージョンプログラムを使用して保存されたデータのため読み込めません。\rプログラムをバージョンアップしてください。";

[[noreturn]] void Refuse(const char* text = kCorruptDesignFile)
{
    CArchiveException e(CArchiveException::badSchema);
    e.m_strMessage = QString::fromUtf8(text);
    throw e;
}

void Need(bool ok)
{
    if (!ok)
        Refuse();
}

bool In(int v, int lo, int hi) { return v >= lo && v <= hi; }
// False for NaN, too.
bool In(double v, double lo, double hi) { return v >= lo && v <= hi; }

// One direction of the stream: a member is written, or read back into the same member.
class Stream {
public:
    explicit Stream(CArchive& ar) : m_ar(ar), m_bLoad(ar.IsLoading()) {}
    bool Loading() const { return m_bLoad; }
    CArchive& Archive() { return m_ar; }

    void Int(int& v) { m_ar.Exchange(v); }
    // Every real the design keeps is a number: nothing downstream copes with NaN or infinity.
    void Real(double& v)
    {
        m_ar.Exchange(v);
        Need(std::isfinite(v));
    }
    // The same for a real in front of the version word, which a load judges only once that
    // word is known (CheckLayout).
    void HeadReal(double& v)
    {
        m_ar.Exchange(v);
        if (!m_bLoad)
            Need(std::isfinite(v));
    }
    void Ints(int* a, int n)
    {
        for (int i = 0; i < n; ++i)
            Int(a[i]);
    }
    void Reals(double* a, int n)
    {
        for (int i = 0; i < n; ++i)
            Real(a[i]);
    }
    // A word whose stored value is given and whose loaded value is returned.
    int Word(int stored)
    {
        Int(stored);
        return stored;
    }
    // Slots written from the design and skipped on load.
    void IntOut(int v)
    {
        Int(v);
    }
    void RealOut(double v) { m_ar.Exchange(v); }
    void ReservedInts(int n)
    {
        for (int i = 0; i < n; ++i)
            IntOut(0);
    }
    void ReservedReals(int n)
    {
        for (int i = 0; i < n; ++i)
            RealOut(0.0);
    }
    void Text(QString& s, qsizetype maxBytes)
    {
        if (m_bLoad) {
            const QByteArray bytes = m_ar.ReadStringBytes();
            Need(bytes.size() <= maxBytes);
            s = AfxFromCP932(bytes);
        } else {
            m_ar << s;
        }
    }

private:
    CArchive& m_ar;
    bool m_bLoad;
};

// Format flags F1..F12 (index 1..12) and the version word of the file being walked.
struct Format {
    explicit Format(const CDesignFormat& format) : nVersion(format.nVersion)
    {
        std::copy(std::begin(format.abFlags), std::end(format.abFlags), F + 1);
    }
    int nVersion;
    int F[13] = {};
    bool has(int i) const { return F[i] != 0; }
};

void Flag(Stream& io, Format& f, int i) { f.F[i] = io.Word(f.F[i]); }

void CheckLayout(const CDesignLayout& l)
{
    Need(In(l.nBridgeType, 0, 2) && In(l.nSpans, 0, MAX_SPANS) && In(l.nGirders, 1, MAX_GIRDERS));
    Need(l.nBridgeType != 2 || l.nGirders == 3);
    int stations = 1;
    int points = 1;
    for (int s = 0; s < MAX_SPANS; ++s) {
        const bool used = s < l.nSpans;
        const int panels = l.anPanelCount[s];
        Need(std::isfinite(l.adSpanLength[s]));
        for (double length : l.adPanelLength[s])
            Need(std::isfinite(length));
        Need(In(panels, used ? 1 : 0, MAX_PANELS) && In(l.anFreeSections[s], 0, 10));
        if (!used)
            continue;
        Need(l.adSpanLength[s] >= 1.0 && l.adSpanLength[s] <= 1000.0);
        for (int j = 0; j < panels; ++j)
            Need(l.adPanelLength[s][j] > 0.0 && l.adPanelLength[s][j] <= 1000.0);
        stations += l.anFreeSections[s] + 1;
        points += panels;
    }
    if (l.nSpans == 0) {
        Need(In(l.nCrossSections, 0, 1) && In(l.nPanelPoints, 0, 1));
    } else {
        Need(l.nCrossSections == stations && stations <= kMaxStations);
        Need(l.nPanelPoints == points && points <= kMaxPanelPoints);
    }
    Need(In(l.bCoordinatePlan, 0, 1));
}

void WalkHead(Stream& io, CDesignState& d, Format& f)
{
    // Every slot up to the version word has its fixed place, and a newer program may allow
    // more than this one: its file is told by that word before anything in front of it is judged.
    CDesignLayout& l = d.layout;
    io.Int(l.nBridgeType);
    io.Int(l.nSpans);
    io.Int(l.nGirders);
    io.Int(l.nCrossSections);
    io.Int(l.nPanelPoints);
    for (int s = 0; s < MAX_SPANS; ++s) {
        io.HeadReal(l.adSpanLength[s]);
        io.Int(l.anPanelCount[s]);
        io.Int(l.anFreeSections[s]);
        for (double& length : l.adPanelLength[s])
            io.HeadReal(length);
    }
    io.ReservedInts(5);
    io.Int(d.basic.m_bMedianUnloaded);
    io.Int(d.basic.m_bKerbUnloaded);
    io.Int(d.mainGirder.m_bMinWebTableOnly);
    io.Int(l.bCoordinatePlan);
    io.Int(l.bCoordinateRadii);
    io.ReservedInts(17);
    io.Int(d.estimateOverhead.m_nRegion);
    io.Int(d.estimateOverhead.m_nCostMethod);
    f.nVersion = io.Word(f.nVersion);
    if (io.Loading()) {
        if (f.nVersion > kVersion)
            Refuse(kNewerFile);
        CheckLayout(l);
        if (l.bCoordinatePlan == 0)
            l.bCoordinateRadii = 0;
    }
    d.document.m_nFileVersion = f.nVersion;
    io.ReservedReals(15);
    io.Real(d.basic.m_dP1Factor);
    io.Real(d.basic.m_dP2Factor);
    io.Real(d.estimateOverhead.m_dGuaranteePercent);
    io.Real(d.estimateOverhead.m_dPrepaymentFactor);
    io.Real(d.estimateOverhead.m_dSeasonPercent);
    for (int c : d.derived.anModelCounts)
        io.IntOut(c);
    io.RealOut(d.document.m_ptBaseOrigin.x);
    io.RealOut(d.document.m_ptBaseOrigin.y);
    io.RealOut(d.derived.dBaseLength);
    for (int s = 0; s <= l.nSpans; ++s)
        io.IntOut(size_t(s) < d.derived.anSupportStation.size() ? d.derived.anSupportStation[size_t(s)] : 0);
    if (io.Loading()) {
        // Factors of files that never had them.
        for (double* p : {&d.basic.m_dP1Factor, &d.basic.m_dP2Factor})
            if (*p < 0.01)
                *p = 1.0;
        Need(d.basic.m_dP1Factor >= 0.5 && d.basic.m_dP1Factor <= 2.0);
        Need(d.basic.m_dP2Factor >= 0.5 && d.basic.m_dP2Factor <= 2.0);
        if (f.nVersion < 1810) {
            d.estimateOverhead.m_nRegion = -1;
            d.estimateOverhead.m_dPrepaymentFactor = 1.0;
        }
        const EstimateOverheadData& o = d.estimateOverhead;
        Need(In(o.m_nRegion, -1, 3) && In(o.m_nCostMethod, 0, 1));
        Need(In(o.m_dSeasonPercent, 0.0, o.MAX_SEASON_PERCENT) && In(o.m_dPrepaymentFactor, 1.0, o.MAX_PREPAYMENT_FACTOR) &&
             In(o.m_dGuaranteePercent, 0.0, o.MAX_GUARANTEE_PERCENT));
    }
}

void WalkViewState(Stream& io, CDesignState& d)
{
    CDerivedSlots& x = d.derived;
    io.Int(d.results.m_bGrillageNotRun);
    io.Int(d.view.nSizeX);
    io.Int(d.view.nSizeY);
    io.Real(d.view.dPlanRotation);
    for (double v : x.adViewScales)
        io.RealOut(v);
    io.IntOut(x.nCurrentGirder);
    for (int v : x.anViewWordsA)
        io.IntOut(v);
    io.RealOut(x.dSectionScale);
    io.IntOut(x.bSectionFlag);
    io.RealOut(x.dLoadScale);
    io.IntOut(x.bLoadFlag);
    io.RealOut(x.adForceScale[0]);
    io.RealOut(x.adForceScale[1]);
    for (int v : x.anViewWordsB)
        io.IntOut(v);
    io.ReservedInts(36);
    io.ReservedReals(8);
    io.ReservedInts(1);
    io.ReservedReals(36);
    for (int i = 0; i < 18; ++i) {
        io.ReservedInts(1);
        io.ReservedReals(14);
    }
    io.ReservedInts(4);
    io.ReservedReals(27);
    io.ReservedInts(13);
    io.ReservedReals(12);
    io.ReservedInts(3);
}

void WalkOptions(Stream& io, CDesignState& d, Format& f)
{
    io.Int(d.estimateOption.m_bHSectionCrossBeams);
    io.Int(d.estimateFactor.m_bGirderEndMass);
    io.Int(d.crossBeamType.m_bConvertedStiffness);
    io.Int(d.endSway.m_bConvertedStiffness);
    io.Int(d.midSway.m_bConvertedStiffness);
    io.Int(d.pierSway.m_bConvertedStiffness);
    io.Int(d.boxGirder.m_bUFLocalBuckling);
    io.ReservedInts(10);
    io.Int(d.document.m_bNewGirderTypeFormat);
    io.Int(d.estimateBearing.m_nPriceMode);
    io.Int(d.estimateBearing.m_nPricePerBearing);
    // Block D.
    Flag(io, f, 12);
    Flag(io, f, 11);
    Flag(io, f, 10);
    Flag(io, f, 8);
}

void WalkBasic(Stream& io, CDesignState& d, const Format& f)
{
    BasicConditions& b = d.basic;
    io.Int(b.m_nHSteel);
    io.Int(d.steelWeight.m_nDeadLoadChoice);
    // Title and subtitle go as one string; the subtitle's length in bytes comes first.
    const QByteArray title = AfxToCP932(b.m_strTitle);
    const QByteArray subtitle = AfxToCP932(b.m_strSubtitle);
    const int nSubtitle = io.Word(int(subtitle.size()));
    io.ReservedReals(19);
    io.Real(d.span.m_dBridgeLength);
    if (f.has(10))
        io.Int(b.m_bZeroPaintCost);
    if (f.has(8))
        io.Int(b.m_nHSteel);
    if (io.Loading()) {
        const QByteArray both = io.Archive().ReadStringBytes();
        Need(both.size() <= kMaxTitleBytes && nSubtitle >= 0 && nSubtitle <= both.size());
        if (nSubtitle > 0) {
            b.m_strSubtitle = AfxFromCP932(both.right(nSubtitle));
            b.m_strTitle = AfxFromCP932(both.left(both.size() - nSubtitle));
        } else {
            b.m_strTitle = AfxFromCP932(both);
        }
    } else {
        io.Archive().WriteStringBytes(title + subtitle);
    }
    io.Int(b.m_nGirderForm);
    io.Int(b.m_nSpans);
    io.Int(b.m_nGirders);
    io.Int(b.m_nSidewalk);
    io.Int(b.m_nLiveLoad);
    io.Int(b.m_nStandard);
    io.Int(b.m_nWeathering);
    if (f.has(12))
        io.Int(b.m_nMedian);
    if (io.Loading()) {
        Need(In(b.m_nGirderForm, 0, 1) && In(b.m_nSpans, 0, MAX_SPANS) && In(b.m_nGirders, 1, MAX_GIRDERS));
        Need(In(b.m_nSidewalk, 0, 3) && In(b.m_nLiveLoad, 0, 5) && In(b.m_nStandard, 0, 1));
        Need(In(b.m_nWeathering, 0, 1) && In(b.m_nHSteel, 0, 1) && In(b.m_nMedian, 0, 1));
        Need(In(d.steelWeight.m_nDeadLoadChoice, 0, 3));
        Need(In(d.span.m_dBridgeLength, 0.0, d.span.MAX_BRIDGE_LENGTH));
    }
}

void WalkPanelsAndSections(Stream& io, CDesignState& d, const Format& f)
{
    const CDesignLayout& l = d.layout;
    PanelDivisionData& p = d.panel;
    for (int s = 0; s < l.nSpans; ++s) {
        for (int end = 0; end < 2; ++end) {
            io.Real(p.m_adBaseToG1[s][end]);
            io.Real(p.m_adGirderSpacing[s][end]);
            io.Real(p.m_adSkew[s][end]);
        }
        io.Real(p.m_adBaseRadius[s]);
        io.Int(p.m_anGirderLineType[s]);
        io.Int(p.m_anCrossBeamDir[s]);
        io.Int(p.m_anBaseLineType[s]);
        if (io.Loading()) {
            Need(In(p.m_anGirderLineType[s], 0, 1) && In(p.m_anCrossBeamDir[s], 0, 3) && In(p.m_anBaseLineType[s], 0, 1));
            Need(std::fabs(p.m_adBaseRadius[s]) >= 1e-3);
            for (int end = 0; end < 2; ++end)
                Need(p.m_adSkew[s][end] > 0.0 && p.m_adSkew[s][end] < kPi && p.m_adGirderSpacing[s][end] > 0.0);
        }
    }
    CrossSectionData& c = d.crossSection;
    io.Int(c.m_nInterpolation);
    if (io.Loading())
        Need(In(c.m_nInterpolation, 0, 1) && l.nCrossSections <= c.Capacity());
    for (int st = 0; st < l.nCrossSections; ++st) {
        const size_t s = size_t(st);
        io.Real(c.m_arrD[s]);
        io.Real(c.m_arrTheta[s]);
        // The overhangs follow the first ten heights, and the curb rises, which older files
        // lack, come last.
        for (int i = 1; i <= 10; ++i)
            io.Real(c.B(i)[s]);
        for (int i = 1; i <= 10; ++i)
            io.Real(c.H(i)[s]);
        io.Real(c.m_arrB11[s]);
        io.Real(c.m_arrB12[s]);
        if (f.has(12)) {
            io.Real(c.m_arrH11[s]);
            io.Real(c.m_arrH12[s]);
        }
        if (io.Loading()) {
            Need(c.m_arrTheta[s] > 0.0 && c.m_arrTheta[s] < kPi);
            // Only typed in the table; B1, the overhangs and the curb rises are also worked out.
            for (int i = 1; i <= 10; ++i)
                Need((i == 1 || In(c.B(i)[s], 0.0, c.MAX_DIMENSION)) && In(c.H(i)[s], 0.0, c.MAX_DIMENSION));
        }
    }
    if (io.Loading() && !f.has(12))
        c.DeriveCurbRises();
}

void WalkGirderData(Stream& io, CDesignState& d, const Format& f)
{
    const int G = d.layout.nGirders;
    MainGirderData& m = d.mainGirder;
    if (f.has(11))
        io.Int(m.m_nBlockLengthMode);
    for (int* p : {&m.m_nMaxUFThickMode, &m.m_nMinUFThickMode, &m.m_nMaxLFThickMode, &m.m_nMinLFThickMode,
                   &m.m_nMaxWebThickMode, &m.m_nMinWebThickMode, &m.m_nMaxUFWidthMode, &m.m_nMinUFWidthMode,
                   &m.m_nMaxLFWidthMode, &m.m_nMinLFWidthMode, &m.m_nUFGrade, &m.m_nLFGrade, &m.m_nWebGrade,
                   &m.m_nStiffenerSteps, &m.m_nThicknessStep})
        io.Int(*p);
    for (double* p : {&m.m_dMaxUFThick, &m.m_dMinUFThick, &m.m_dMaxLFThick, &m.m_dMinLFThick, &m.m_dMaxWebThick,
                      &m.m_dMinWebThick, &m.m_dMaxUFWidth, &m.m_dMinUFWidth, &m.m_dMaxLFWidth, &m.m_dMinLFWidth,
                      &m.m_dBendingMargin, &m.m_dFlangeWidthW, &m.m_dWebSpacingA, &m.m_dOverhangB,
                      &m.m_dMaxSectionLength, &m.m_dMinSectionLength})
        io.Real(*p);
    if (io.Loading()) {
        Need(In(m.m_nUFGrade, 0, 8) && In(m.m_nLFGrade, 0, 8) && In(m.m_nWebGrade, 0, 8));
        Need(In(m.m_nStiffenerSteps, 0, 3) && In(m.m_nThicknessStep, 0, 1) && In(m.m_nBlockLengthMode, 0, 1));
        Need(m.m_dMinSectionLength > 0.0 && m.m_dMaxSectionLength >= m.m_dMinSectionLength);
    }
    PlateGirderData& pg = d.plateGirder;
    io.Reals(pg.m_adGirderHeight, G);
    for (int r = 0; r < PlateGirderData::HOLE_ROWS; ++r) {
        io.Int(pg.m_anHoleCount[r]);
        io.Real(pg.m_adHoleFlangeWidth[r]);
    }
    io.Int(pg.m_bHoleDeduction);
    io.Int(pg.m_bUFLocalBuckling);
    io.Real(pg.m_dBoltHoleDiameter);
    io.Int(pg.m_nCurveStressFormula);
    BoxGirderData& bg = d.boxGirder;
    io.Reals(bg.m_adGirderHeight, G);
    for (auto& list : bg.m_astrShape)
        for (QString& shape : list)
            io.Text(shape, kMaxShapeBytes);
    io.Int(bg.m_bHoleDeduction);
    io.Real(bg.m_dBoltHoleDiameter);
    for (int* p : {&bg.m_nHoleBoltsUpper, &bg.m_nHoleBoltsLower, &bg.m_nCompRibCount, &bg.m_nStiffenerStepsBox,
                   &bg.m_nTensRibCount})
        io.Int(*p);
    if (io.Loading()) {
        const double* heights = d.layout.nBridgeType == 0 ? pg.m_adGirderHeight : bg.m_adGirderHeight;
        for (int g = 0; g < G; ++g)
            Need(heights[g] > 0.0);
        for (int r = 0; r < PlateGirderData::HOLE_ROWS; ++r)
            Need(In(pg.m_anHoleCount[r], 0, pg.MAX_HOLES) && In(pg.m_adHoleFlangeWidth[r], 0.0, pg.MAX_HOLE_FLANGE_WIDTH));
        Need(In(pg.m_nCurveStressFormula, 0, 1));
        bg.SortData();
    }
}

void WalkSway(Stream& io, SwayBracingData& s, bool separateChords)
{
    io.Int(s.m_nUpperChord);
    if (separateChords)
        io.Int(s.m_nLowerChord);
    else if (io.Loading())
        s.m_nLowerChord = s.m_nUpperChord;
    io.Int(s.m_nDiagonal);
    io.Int(s.m_nGrade);
    io.Int(s.m_bFirstOpen);
    io.Real(s.m_dMemberDistB);
    if (io.Loading())
        Need(In(s.m_nUpperChord, 0, 14) && In(s.m_nLowerChord, 0, 14) && In(s.m_nDiagonal, 0, 14) && In(s.m_nGrade, 0, 8));
}

void WalkMembers(Stream& io, CDesignState& d)
{
    MainMemberData& m = d.mainMember;
    for (int* p : {&m.m_bUseEndSway, &m.m_bUseMidSway, &m.m_bUsePierSway, &m.m_bUseCrossBeam, &m.m_bUseLateral,
                   &m.m_bUseStringer, &m.m_bUseLeftBracket, &m.m_bUseRightBracket, &m.m_bUseEdgeStringer})
        io.Int(*p);
    for (int* p : {&m.m_nEndSwayMode, &m.m_nMidSwayMode, &m.m_nPierSwayMode, &m.m_nCrossBeamMode, &m.m_nLateralMode,
                   &m.m_nStringerMode, &m.m_nLeftBracketMode, &m.m_nRightBracketMode, &m.m_nEdgeStringerMode})
        io.Int(*p);
    WalkSway(io, d.endSway, true);
    WalkSway(io, d.midSway, false);
    WalkSway(io, d.pierSway, false);
    CrossBeamTypeData& cb = d.crossBeamType;
    io.Int(cb.m_nGrade);
    io.Int(cb.m_bFirstOpen);
    for (double* p : {&cb.m_dMemberDistB, &cb.m_dFlangeThickness, &cb.m_dFlangeWidth, &cb.m_dWebThickness})
        io.Real(*p);
    io.Int(d.lateral.m_nOuterSection);
    io.Int(d.lateral.m_nInnerSection);
    io.Int(d.lateral.m_nGrade);
    MidStringerData& ms = d.midStringer;
    io.Int(ms.m_nGrade);
    io.Int(ms.m_bFirstOpen);
    io.Int(ms.m_nCount);
    for (double* p : {&ms.m_dFlangeThickness, &ms.m_dFlangeWidth, &ms.m_dWebHeightL, &ms.m_dWebThickness})
        io.Real(*p);
    for (BracketData* b : {&d.leftBracket, &d.rightBracket}) {
        io.Int(b->m_nGrade);
        io.Int(b->m_bFirstOpen);
        for (double* p : {&b->m_dDistBL, &b->m_dDistBR, &b->m_dFlangeThickness, &b->m_dFlangeWidth, &b->m_dLength,
                          &b->m_dWebThickness})
            io.Real(*p);
    }
    StringerData& es = d.edgeStringer;
    io.Int(es.m_nGrade);
    io.Int(es.m_bFirstOpen);
    for (double* p : {&es.m_dFlangeThickness, &es.m_dFlangeWidth, &es.m_dWebHeightL, &es.m_dWebThickness})
        io.Real(*p);
    if (io.Loading()) {
        Need(In(cb.m_nGrade, 0, 8) && In(d.lateral.m_nGrade, 0, 8) && In(ms.m_nGrade, 0, 8) && In(es.m_nGrade, 0, 8));
        Need(In(d.lateral.m_nOuterSection, 0, 14) && In(d.lateral.m_nInnerSection, 0, 14) && ms.m_nCount >= 0);
        Need(In(d.leftBracket.m_nGrade, 0, 8) && In(d.rightBracket.m_nGrade, 0, 8));
    }
}

// The factor dialog's coefficients by their place in its member order (13 is the drain count).
double* FactorByMember(EstimateFactorData& e, int member)
{
    double* const members[18] = {&e.m_dGirderFactor, &e.m_dCrossBeamFactor, &e.m_dSwayFactor, &e.m_dLateralFactor,
                                 &e.m_dBracketFactor, &e.m_dEdgeStringerFactor, &e.m_dStringerFactor,
                                 &e.m_dGirderBoltFactor, &e.m_dCrossBeamBoltFactor, &e.m_dGirderEndLength,
                                 &e.m_dExpansionJointUnitMass, &e.m_dRailingWeight, &e.m_dDrainUnitMass, nullptr,
                                 &e.m_dPaintAreaPerTon, &e.m_dOtherMassInput, &e.m_dStiffenerSpacing,
                                 &e.m_dFlangeRibFactor};
    return members[member];
}

void WalkLoadsAndEstimate(Stream& io, CDesignState& d, const Format& f)
{
    const CDesignLayout& l = d.layout;
    const bool valid = d.results.m_bGrillageNotRun == 0;
    CrossBeamArrangementData& cb = d.crossBeam;
    io.Int(cb.m_bResetArrangement);
    for (int p = 0; p < l.nPanelPoints; ++p) {
        io.Int(cb.m_abDistributing[p]);
        io.Int(cb.m_anMemberKind[p]);
        if (io.Loading())
            Need(In(cb.m_anMemberKind[p], 0, 3));
    }
    io.Reals(d.deadLoad.m_adValue, DeadLoadData::ITEMS);
    SteelWeightData& sw = d.steelWeight;
    io.Int(sw.m_nAttachments);
    if (io.Loading())
        Need(In(sw.m_nAttachments, 0, SteelWeightData::ATTACHMENTS));
    for (int r = 0; r < sw.m_nAttachments; ++r) {
        io.Int(sw.m_anAttachGirder[r]);
        io.Real(sw.m_adAttachLoad[r]);
        io.Real(sw.m_adAttachPosition[r]);
        if (io.Loading())
            Need(In(sw.m_anAttachGirder[r], 0, MAX_GIRDERS - 1));
    }
    for (int g = 0; g < l.nGirders; ++g) {
        io.Real(sw.m_adHaunchB[g]);
        io.Real(sw.m_adHaunchH[g]);
        io.Real(sw.m_adHaunchWeight[g]);
        io.Real(sw.m_adSteelWeight[g]);
    }
    for (int i : {10, 9, 1, 12, 3, 4, 7, 6, 2, 8, 5, 11, 0})
        io.Int(d.estimateLabour.m_anPrice[i]);
    EstimateFittingData& fit = d.estimateFitting;
    for (int* p : {&fit.m_nRailingType, &fit.m_nRailingPost, &fit.m_nJointType, &fit.m_nCurveSkewCorrection,
                   &fit.m_nMultiSpanCorrection})
        io.Int(*p);
    if (io.Loading())
        Need(In(fit.m_nRailingType, 0, 2) && In(fit.m_nRailingPost, 0, 2) && In(fit.m_nJointType, 0, 2) &&
             In(fit.m_nCurveSkewCorrection, 0, 7) && In(fit.m_nMultiSpanCorrection, 0, 5));
    EstimateBearingData& br = d.estimateBearing;
    io.Int(br.m_bRubberBearing);
    io.Int(br.m_nRubberPricePerTon);
    io.Int(br.m_nOtherPricePerTon);
    // The bearing values come from the results; without them zeros go out.
    for (int s = 0; s <= l.nSpans; ++s) {
        if (io.Loading()) {
            io.Int(br.m_anBearingType[s]);
            io.Real(br.m_adMaxReaction[s]);
            io.Real(br.m_adBearingMass[s]);
        } else {
            io.IntOut(valid ? br.m_anBearingType[s] : 0);
            io.RealOut(valid ? br.m_adMaxReaction[s] : 0.0);
            io.RealOut(valid ? br.m_adBearingMass[s] : 0.0);
        }
    }
    for (int g = 0; g < MAX_GIRDERS; ++g)
        for (int k = 0; k < 40; ++k) {
            if (io.Loading()) {
                io.Real(br.m_adLineTable1[g][k]);
                io.Real(br.m_adLineTable2[g][k]);
            } else {
                io.RealOut(valid ? br.m_adLineTable1[g][k] : 0.0);
                io.RealOut(valid ? br.m_adLineTable2[g][k] : 0.0);
            }
        }
    for (int i : {5, 4, 2, 3, 0, 1})
        io.Int(d.estimateSteelPrice.m_anPrice[i]);
    EstimateFactorData& ef = d.estimateFactor;
    io.Int(ef.m_nDrainCount);
    for (int coefficient : {3, 5, 8, 9, 4, 1, 6, 2, 7, 17, 10, 15, 13, 11, 12, 16})
        io.Real(*FactorByMember(ef, coefficient - 1));
    if (f.nVersion >= 1784) {
        io.Int(ef.m_bSeparateRibMass);
        io.Real(ef.m_dFlangeRibFactor);
    } else if (io.Loading()) {
        ef.m_bSeparateRibMass = 0;
    }
    if (f.has(11)) {
        JointPositionData& jp = d.jointPosition;
        io.Int(jp.m_bBlocksSet);
        for (int g = 0; g < l.nGirders; ++g) {
            io.Real(jp.m_adGirderLength[g]);
            io.Int(jp.m_anBlockCount[g]);
            if (io.Loading()) {
                Need(In(jp.m_anBlockCount[g], 0, kMaxBlocks));
                jp.m_apdBlockLength[g].assign(size_t(jp.m_anBlockCount[g]), 0.0);
            }
            for (int b = 0; b < jp.m_anBlockCount[g]; ++b) {
                std::vector<double>& lengths = jp.m_apdBlockLength[g];
                if (io.Loading())
                    io.Real(lengths[size_t(b)]);
                else
                    io.RealOut(size_t(b) < lengths.size() ? lengths[size_t(b)] : 0.0);
            }
        }
    }
}

void WalkRemainingFlags(Stream& io, CDesignState& d, Format& f)
{
    Flag(io, f, 9);
    Flag(io, f, 7);
    Flag(io, f, 6);
    io.Int(d.mainGirder.m_bIgnoreTB16);
    Flag(io, f, 5);
    Flag(io, f, 4);
    io.Int(d.mainGirder.m_bConstFlangeWidth);
    Flag(io, f, 3);
    Flag(io, f, 2);
    Flag(io, f, 1);
    io.ReservedInts(14);
    io.Int(d.plateGirder.m_bNetArea11);
    io.Int(d.boxGirder.m_bNetArea11);
    io.Int(d.deadLoad.m_bRailingToEstimate);
    io.Int(d.estimateFitting.m_nRailingUnitPrice);
    io.Int(d.estimateFitting.m_nJointUnitPrice);
    io.Int(d.view.nStepMask);
    io.ReservedReals(20);
}

void WalkHeights(Stream& io, CDesignState& d, const Format& f)
{
    const CDesignLayout& l = d.layout;
    HeightChangeData& h = d.height;
    io.Int(d.basic.m_nHeightVariation);
    io.Real(d.view.dSection2ScaleX);
    io.Real(d.view.dSection2ScaleY);
    io.Int(d.view.bSection2Flag);
    for (int st = 0; st < l.nCrossSections; ++st)
        io.ReservedReals(1 + l.nGirders);
    int changePoints = 0;
    for (int s = 0; s < l.nSpans; ++s) {
        io.Int(h.m_anPointCount[s]);
        if (io.Loading())
            Need(In(h.m_anPointCount[s], 0, HeightChangeData::POINTS));
        changePoints += h.m_anPointCount[s];
    }
    io.Int(h.m_nPointCols);
    if (io.Loading()) {
        Need(In(d.basic.m_nHeightVariation, 0, 1) && In(h.m_nPointCols, 0, HeightChangeData::POINTS));
        Need(l.nSpans == 0 || h.m_nPointCols == l.nSpans + 1 + changePoints);
    }
    if (f.has(7)) {
        io.Int(h.m_nInterpolation);
        for (int p = 0; p < h.m_nPointCols; ++p) {
            io.Real(h.m_adPointPos[p]);
            io.Reals(h.m_adPointHeight[p], l.nGirders);
            for (int g = 0; io.Loading() && g < l.nGirders; ++g)
                Need(h.m_adPointHeight[p][g] > 0.0);
        }
        if (io.Loading())
            Need(In(h.m_nInterpolation, 0, 1));
    }
    // The height profiles are built again from the points; a load only steps over them.
    for (int g = 0; g < l.nGirders; ++g) {
        const CDerivedSlots::Profile none;
        const CDerivedSlots::Profile& profile =
            size_t(g) < d.derived.aProfiles.size() ? d.derived.aProfiles[size_t(g)] : none;
        io.IntOut(profile.nSubdivisions);
        const int n = io.Word(int(profile.points.size()));
        if (io.Loading())
            Need(In(n, 0, kMaxProfilePoints));
        for (int i = 0; i < n; ++i) {
            const CDPoint pt = io.Loading() ? CDPoint() : profile.points[size_t(i)];
            io.RealOut(pt.x);
            io.RealOut(pt.y);
        }
    }
}

void WalkResults(Stream& io, CDesignState& d, const Format& f)
{
    const CDesignLayout& l = d.layout;
    std::vector<CGirderDesign>& girders = d.results.girders;
    if (io.Loading() || girders.size() != size_t(l.nGirders))
        girders.resize(size_t(l.nGirders));
    CResultsFormat rf;
    rf.nVersion = f.nVersion;
    rf.bF2 = f.F[2];
    rf.bF5 = f.F[5];
    rf.bF6 = f.F[6];
    rf.bF9 = f.F[9];
    rf.bF12 = f.F[12];
    rf.nSpans = l.nSpans;
    rf.nGirders = l.nGirders;
    rf.nPanelPoints = l.nPanelPoints;
    rf.anPanelCount = l.anPanelCount;
    for (CGirderDesign& g : girders)
        SerializeGirderResults(io.Archive(), g, rf);
}

void WalkTail(Stream& io, CDesignState& d, const Format& f, bool bResultsRead)
{
    CDesignResults& r = d.results;
    io.ReservedInts(100);
    io.ReservedInts(200);
    io.ReservedReals(360);
    for (int g = 0; g < MAX_GIRDERS; ++g) {
        io.Real(r.m_adAssumedWeightPerLength[g]);
        io.Real(r.m_adDesignWeightPerLength[g]);
    }
    if (f.has(3)) {
        io.Int(d.layout.bSIUnits);
        if (io.Loading())
            Need(In(d.layout.bSIUnits, 0, 1));
    }
    if (f.has(4)) {
        const bool valid = io.Loading() ? bResultsRead : r.m_bGrillageNotRun == 0;
        for (int s = 0; s <= MAX_SPANS; ++s) {
            if (!io.Loading()) {
                io.RealOut(valid ? r.m_adImpactCoef[s] : 0.0);
                continue;
            }
            io.Real(r.m_adImpactCoef[s]);
            if (!valid || s > d.layout.nSpans)
                r.m_adImpactCoef[s] = 0.0;
        }
    } else if (io.Loading()) {
        std::fill(std::begin(r.m_adImpactCoef), std::end(r.m_adImpactCoef), 0.0);
        r.m_adImpactCoef[0] = -1.0;     // the impact results are missing
    }
}

void Walk(Stream& io, CDesignState& d, const CDesignFormat& format)
{
    Format f(format);
    WalkHead(io, d, f);
    WalkViewState(io, d);
    WalkOptions(io, d, f);
    WalkBasic(io, d, f);
    WalkPanelsAndSections(io, d, f);
    WalkGirderData(io, d, f);
    WalkMembers(io, d);
    WalkLoadsAndEstimate(io, d, f);
    WalkRemainingFlags(io, d, f);
    if (f.has(5)) {
        WalkHeights(io, d, f);
    } else if (io.Loading()) {
        // No height block: one point per support, as the height window expects of the spans.
        HeightChangeData& h = d.height;
        std::fill(std::begin(h.m_anPointCount), std::end(h.m_anPointCount), 0);
        h.m_nPointCols = std::max(d.layout.nSpans + 1, 2);
    }
    if (f.nVersion >= 1785) {
        io.Ints(d.document.m_anRibsPerPanel, kMaxPanelPoints);
        io.Int(d.ribPanel.m_bResetRibs);
        io.Int(d.boxGirder.m_bAdjustRibThickness);
        for (int i = 0; io.Loading() && i < kMaxPanelPoints; ++i)
            Need(In(d.document.m_anRibsPerPanel[i], 0, d.ribPanel.MAX_RIBS_PER_PANEL));
    }
    const bool bResults = d.results.m_bGrillageNotRun == 0;
    if (bResults)
        WalkResults(io, d, f);
    else if (io.Loading())
        d.results.girders.clear();
    if (d.layout.bCoordinatePlan == 1) {
        CDocumentInput& doc = d.document;
        io.Real(doc.m_ptOriginAdjust.x);
        io.Real(doc.m_ptOriginAdjust.y);
        io.Real(doc.m_dOriginAngle);
        io.Int(doc.m_bOriginApply);
        SerializeCoordinateSpans(io.Archive(), doc.m_coordPlan, d.layout.nSpans, d.layout.anPanelCount,
                                 d.layout.nGirders);
        if (f.has(1))
            SerializeCoordinateSections(io.Archive(), doc.m_coordPlan, f.F[12]);
    } else if (io.Loading()) {
        d.document.m_coordPlan = CCoordinatePlan();
    }
    WalkTail(io, d, f, bResults);
    for (int i = 0; i < 12; ++i)
        d.document.m_abFormatFlags[i] = f.F[i + 1];
}

}

QString FirstUnstorableCharacter(const CDesignState& value)
{
    std::vector<const QString*> texts = {&value.basic.m_strTitle, &value.basic.m_strSubtitle};
    for (const auto& list : value.boxGirder.m_astrShape)
        for (const QString& shape : list)
            texts.push_back(&shape);
    for (const QString* text : texts)
        if (!AfxIsCP932Text(*text))
            return AfxFirstNonCP932Char(*text);
    return QString();
}

void WriteDesign(CArchive& ar, const CDesignState& value)
{
    WriteDesignAs(ar, value, CDesignFormat());
}

void WriteDesignAs(CArchive& ar, const CDesignState& value, const CDesignFormat& format)
{
    CDesignState copy = value;
    copy.document.m_nFileVersion = format.nVersion;
    Stream io(ar);
    Walk(io, copy, format);
}

void ReadDesign(CArchive& ar, CDesignState& value)
{
    // Read into a scratch value: a file that fails leaves nothing half read behind.
    CDesignState read = value;
    try {
        Stream io(ar);
        Walk(io, read, CDesignFormat());
    } catch (CArchiveException& e) {
        if (e.m_strMessage.isEmpty())
            e.m_strMessage = QString::fromUtf8(kCorruptDesignFile);
        throw;
    }
    value = std::move(read);
}
