// The girders' results and sections in the design file.
#include "design/girder_results_io.h"

#include "framework/archive.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMaxSpans = 14;
constexpr int kMaxGirders = 21;      // the detail tables' width
constexpr int kMaxPanelPoints = 281;
constexpr int kMaxPanelsPerSpan = 20;
constexpr int kMaxSections = 1000;
constexpr double kMaxLength = 1.0e6; // m; keeps the sums of lengths finite
constexpr int kPeaks = 100;

[[noreturn]] void Corrupt()
{
    throw CArchiveException(CArchiveException::badSchema);
}

using IntList = std::vector<int> CGirderDesign::*;
using RealList = std::vector<double> CGirderDesign::*;

// The per-member lists the file holds.
constexpr IntList kMemberInts[] = {
    &CGirderDesign::m_pnMemberNoI, &CGirderDesign::m_pnMemberNoJ,
    &CGirderDesign::m_pnNodeI, &CGirderDesign::m_pnNodeJ,
};
constexpr RealList kMemberReals[] = {
    &CGirderDesign::m_pdPanelLength,
    &CGirderDesign::m_pdMomentDeadI, &CGirderDesign::m_pdMomentLivePlusI, &CGirderDesign::m_pdMomentLiveMinusI,
    &CGirderDesign::m_pdMomentTotalPlusI, &CGirderDesign::m_pdMomentTotalMinusI,
    &CGirderDesign::m_pdMomentDeadJ, &CGirderDesign::m_pdMomentLivePlusJ, &CGirderDesign::m_pdMomentLiveMinusJ,
    &CGirderDesign::m_pdMomentTotalPlusJ, &CGirderDesign::m_pdMomentTotalMinusJ,
    &CGirderDesign::m_pdShearDeadI, &CGirderDesign::m_pdShearLivePlusI, &CGirderDesign::m_pdShearLiveMinusI,
    &CGirderDesign::m_pdShearTotalPlusI, &CGirderDesign::m_pdShearTotalMinusI,
    &CGirderDesign::m_pdShearDeadJ, &CGirderDesign::m_pdShearLivePlusJ, &CGirderDesign::m_pdShearLiveMinusJ,
    &CGirderDesign::m_pdShearTotalPlusJ, &CGirderDesign::m_pdShearTotalMinusJ,
    &CGirderDesign::m_pdTorsionDead, &CGirderDesign::m_pdTorsionLivePlus, &CGirderDesign::m_pdTorsionLiveMinus,
    &CGirderDesign::m_pdTorsionTotalPlus, &CGirderDesign::m_pdTorsionTotalMinus,
};

// Each member holds two result curves, the largest and the smallest; the detail of the
// first curve is the three moment cases, of the second the three shear cases.
struct Curve {
    IntList no, node;
    RealList moment[2], shear[2];
    RealList detail[6];
};
const Curve kCurves[2] = {
    {&CGirderDesign::m_pnMemberNoI, &CGirderDesign::m_pnNodeI,
     {&CGirderDesign::m_pdMomentTotalPlusI, &CGirderDesign::m_pdMomentTotalPlusJ},
     {&CGirderDesign::m_pdShearTotalPlusI, &CGirderDesign::m_pdShearTotalPlusJ},
     {&CGirderDesign::m_pdMomentDeadI, &CGirderDesign::m_pdMomentDeadJ,
      &CGirderDesign::m_pdMomentLivePlusI, &CGirderDesign::m_pdMomentLivePlusJ,
      &CGirderDesign::m_pdMomentLiveMinusI, &CGirderDesign::m_pdMomentLiveMinusJ}},
    {&CGirderDesign::m_pnMemberNoJ, &CGirderDesign::m_pnNodeJ,
     {&CGirderDesign::m_pdMomentTotalMinusI, &CGirderDesign::m_pdMomentTotalMinusJ},
     {&CGirderDesign::m_pdShearTotalMinusI, &CGirderDesign::m_pdShearTotalMinusJ},
     {&CGirderDesign::m_pdShearDeadI, &CGirderDesign::m_pdShearDeadJ,
      &CGirderDesign::m_pdShearLivePlusI, &CGirderDesign::m_pdShearLivePlusJ,
      &CGirderDesign::m_pdShearLiveMinusI, &CGirderDesign::m_pdShearLiveMinusJ}},
};

// The design's counts, checked before anything is sized from them.
struct Shape {
    int S = 0, G = 0, P = 0, M = 0;
    std::vector<int> spanStart;   // running sum of the panel counts, S + 1 entries
};

Shape CheckFormat(const CResultsFormat& fmt)
{
    Shape sh;
    sh.S = fmt.nSpans;
    sh.G = fmt.nGirders;
    sh.P = fmt.nPanelPoints;
    if (sh.S < 1 || sh.S > kMaxSpans || sh.G < 1 || sh.G > kMaxGirders || sh.P < 2 || sh.P > kMaxPanelPoints
        || !fmt.anPanelCount)
        Corrupt();
    sh.M = sh.P - 1;
    sh.spanStart.assign(1, 0);
    for (int s = 0; s < sh.S; ++s) {
        const int n = fmt.anPanelCount[s];
        if (n < 1 || n > kMaxPanelsPerSpan)
            Corrupt();
        sh.spanStart.push_back(sh.spanStart.back() + n);
    }
    if (sh.spanStart.back() != sh.M)
        Corrupt();
    return sh;
}

// One walk serves both directions: storing writes each slot, loading reads it back.
class Slots {
public:
    explicit Slots(CArchive& ar) : m_ar(ar), m_bLoad(ar.IsLoading()) {}
    bool Loading() const { return m_bLoad; }

    void Int(int& v) { m_ar.Exchange(v); }
    // As in the rest of the file: a NaN or an infinity would spread through the section
    // properties and the estimate, so it is neither read nor written.
    void Real(double& v)
    {
        m_ar.Exchange(v);
        if (!std::isfinite(v))
            Corrupt();
    }
    void Point(CDPoint& p)
    {
        Real(p.x);
        Real(p.y);
    }
    void SpareInt(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            int v = 0;
            Int(v);
        }
    }
    // Spare slots are skipped unread, as the design file's reserved ones are.
    void SpareReal(int n = 1)
    {
        for (int i = 0; i < n; ++i) {
            double v = 0.0;
            m_ar.Exchange(v);
        }
    }
    // A length that later code sums or divides by.
    void Length(double& v)
    {
        Real(v);
        if (m_bLoad && !(v >= 0.0 && v <= kMaxLength))
            Corrupt();
    }
    // A word that must be what the design says.
    void Expect(int value)
    {
        int v = value;
        Int(v);
        if (v != value)
            Corrupt();
    }
    // A count read as stored; a negative one is a huge unsigned word.
    int Count(int value, int limit)
    {
        Int(value);
        if (value < 0 || value > limit)
            Corrupt();
        return value;
    }
    void Grade(int& v, int last)
    {
        Int(v);
        if (m_bLoad && (v < 0 || v > last))
            Corrupt();
    }

private:
    CArchive& m_ar;
    bool m_bLoad;
};

void SerializeSection(Slots& io, CSectionRecord& r, const CResultsFormat& fmt)
{
    io.Grade(r.m_nGradeUpper, 8);
    io.Grade(r.m_nGradeWeb, 8);
    io.Grade(r.m_nGradeLower, 8);
    for (int& v : r.m_anSteelCode)
        io.Int(v);
    for (int& v : r.m_anPriceClass)
        io.Int(v);
    io.Grade(r.m_nStiffenerLevels, 2);
    io.Int(r.m_nRibsUpper);
    io.Int(r.m_nRibsLower);
    int edited = r.m_bEdited == 1 ? 1 : 0;
    io.Int(edited);
    r.m_bEdited = edited == 1 ? 1 : 0;
    io.SpareInt(3);

    io.Length(r.m_dLength);
    for (int j = 0; j < 3; ++j) {
        io.Real(r.m_adCheck[j]);
        io.Real(r.m_adM[j]);
        io.Real(r.m_adS[j]);
    }
    for (double* v : {&r.m_dBUpper, &r.m_dTUpper, &r.m_dBLower, &r.m_dTLower, &r.m_dHWeb, &r.m_dTWeb,
                      &r.m_dRibHUpper, &r.m_dRibTUpper, &r.m_dRibHLower, &r.m_dRibTLower,
                      &r.m_dAreaUpper, &r.m_dAreaLower, &r.m_dAreaWeb, &r.m_dAreaRibUpper,
                      &r.m_dAreaRibLower, &r.m_dArea, &r.m_dNeutralAxis, &r.m_dI})
        io.Real(*v);
    io.SpareInt(3);
    for (double* v : {&r.m_dJ, &r.m_dMr, &r.m_dWWhole, &r.m_dMassUpper, &r.m_dMassWeb, &r.m_dMassLower,
                      &r.m_dMassRibUpper, &r.m_dMassRibLower})
        io.Real(*v);
    io.SpareReal(5);
    for (int i = 0; i < 2; ++i) {
        io.SpareInt();
        io.SpareReal();
    }
    io.SpareInt();
    io.SpareReal(2);
    io.SpareInt(3);
    io.SpareReal(10);

    if (fmt.bF5) {
        io.Int(r.m_anJointKind[0]);
        io.Int(r.m_anJointKind[1]);
        io.Int(r.m_nJoinPrev);
        io.Int(r.m_nJoinNext);
    }
    if (fmt.bF12) {
        io.Real(r.m_dAssumedArea);
        io.Real(r.m_dAssumedI);
        io.Real(r.m_dAssumedJ);
    }
}

void SizeMemberLists(CGirderDesign& g, const Shape& sh)
{
    for (IntList list : kMemberInts)
        (g.*list).resize(size_t(sh.M));
    for (RealList list : kMemberReals)
        (g.*list).resize(size_t(sh.M));
    g.m_pdSpanLength.resize(size_t(sh.S));
}

// The point table of the old format, entry k for result node k: the values of its two moment
// curve points are the member end values, the rest goes to the node lists.
void OldPointTable(Slots& io, CGirderDesign& g, const Shape& sh, int n)
{
    if (io.Loading()) {
        g.m_nNodes = n;
        for (std::vector<double>* v : {&g.m_pdMomentMaxI, &g.m_pdMomentMaxJ, &g.m_pdMomentMinI, &g.m_pdMomentMinJ})
            v->assign(size_t(sh.M), 0.0);
        for (std::vector<CDPoint>* v : {&g.m_pShearMax, &g.m_pShearMin, &g.m_pMomentEnv, &g.m_pShearEnv})
            v->assign(size_t(n), CDPoint());
        g.m_pnMomentSign.assign(size_t(n), 0);
        g.m_pnShearSign.assign(size_t(n), 0);
    }
    for (int k = 0; k < n; ++k) {
        const size_t m = size_t(k / 2);
        const bool atJ = k % 2 == 1;
        double& max = (atJ ? g.m_pdMomentMaxJ : g.m_pdMomentMaxI)[m];
        double& min = (atJ ? g.m_pdMomentMinJ : g.m_pdMomentMinI)[m];
        // The curve points stand where the node does.
        CDPoint curve1(g.m_pMomentEnv[size_t(k)].x, max), curve2(g.m_pMomentEnv[size_t(k)].x, min);
        io.Point(curve1);
        io.Point(curve2);
        io.Point(g.m_pMomentEnv[size_t(k)]);
        io.Int(g.m_pnMomentSign[size_t(k)]);
        max = curve1.y;
        min = curve2.y;
        io.Point(g.m_pShearMax[size_t(k)]);
        io.Point(g.m_pShearMin[size_t(k)]);
        io.Point(g.m_pShearEnv[size_t(k)]);
        io.Int(g.m_pnShearSign[size_t(k)]);
    }
}

void Walk(Slots& io, CGirderDesign& g, const Shape& sh, const CResultsFormat& fmt)
{
    const bool load = io.Loading();

    // Head.
    io.Int(g.m_nGirderNo);
    io.Int(g.m_nBridgeType);
    if (load && (g.m_nBridgeType < 0 || g.m_nBridgeType > 2))
        Corrupt();
    const int K = io.Count(int(g.m_pSections.size()), kMaxSections);
    io.Int(g.m_nPeaks);
    g.m_nPeaks = std::clamp(g.m_nPeaks, 0, kPeaks);
    io.Length(g.m_dGirderLength);
    io.Real(g.m_dMaxSectionLength);
    io.Real(g.m_dMinSectionLength);
    io.Expect(sh.M);
    io.Expect(sh.S);
    g.m_nMembers = sh.M;
    g.m_nSpans = sh.S;
    if (fmt.nVersion >= 1782) {
        io.Real(g.m_dMaxBUpper);
        io.Real(g.m_dMaxBLower);
    }
    for (int start : sh.spanStart)
        io.Expect(start);
    g.m_pnSpanStart = sh.spanStart;
    if (load)
        SizeMemberLists(g, sh);

    // Member results.
    for (size_t m = 0; m < size_t(sh.M); ++m) {
        for (const Curve& c : kCurves) {
            io.Int((g.*c.no)[m]);
            io.SpareReal(3);
            io.Real((g.*c.moment[0])[m]);
            io.Real((g.*c.moment[1])[m]);
            io.SpareReal(3);
            io.Real((g.*c.shear[0])[m]);
            io.Real((g.*c.shear[1])[m]);
            if (fmt.bF6) {
                io.Int((g.*c.node)[m]);
                for (RealList list : c.detail)
                    io.Real((g.*list)[m]);
            }
        }
        if (fmt.bF6)
            for (RealList list : {&CGirderDesign::m_pdTorsionDead, &CGirderDesign::m_pdTorsionLivePlus,
                                  &CGirderDesign::m_pdTorsionLiveMinus, &CGirderDesign::m_pdTorsionTotalPlus,
                                  &CGirderDesign::m_pdTorsionTotalMinus})
                io.Real((g.*list)[m]);
        io.Length(g.m_pdPanelLength[m]);
    }

    // Supports.
    for (int s = 0; s <= sh.S; ++s) {
        io.Int(g.m_anReactNode[s]);
        for (double* v : {g.m_adReactDead, g.m_adReactLivePlus, g.m_adReactLiveMinus, g.m_adReactDLPlus,
                          g.m_adReactDLMinus, g.m_adReact2LMinusD})
            io.Real(v[s]);
        if (!fmt.bF9)
            continue;
        for (int k = 0; k < sh.G; ++k) {
            io.Int(g.m_anDetailNode[s][k]);
            for (auto* table : {g.m_adDetailDead, g.m_adDetailLivePlus, g.m_adDetailLiveMinus,
                                g.m_adDetailDLPlus, g.m_adDetailDLMinus})
                io.Real(table[s][k]);
        }
        for (double* v : {g.m_adDetailTotalDead, g.m_adDetailTotalLivePlus, g.m_adDetailTotalLiveMinus,
                          g.m_adDetailTotalDLPlus, g.m_adDetailTotalDLMinus})
            io.Real(v[s]);
    }

    // Panel points.
    for (int p = 0; p < sh.P; ++p) {
        io.Real(g.m_adDeflDead[p]);
        io.Real(g.m_adDeflLivePlus[p]);
        io.Real(g.m_adDeflLiveMinus[p]);
        io.Int(g.m_abNodeIsSupport[p]);
    }

    for (double& l : g.m_pdSpanLength)
        io.Length(l);

    // Shear curves and moment envelope: one point per result node.
    const int nodeLimit = 2 * sh.M;
    const int a = io.Count(g.m_nNodes, nodeLimit);
    const int b = io.Count(g.m_nNodes, nodeLimit);
    const int c = io.Count(g.m_nNodes, nodeLimit);
    if (a != b || a != c)
        Corrupt();
    g.m_nNodes = a;
    for (std::vector<CDPoint>* list : {&g.m_pShearMax, &g.m_pShearMin, &g.m_pMomentEnv}) {
        if (load)
            list->assign(size_t(a), CDPoint());
        for (CDPoint& pt : *list)
            io.Point(pt);
    }
    // The point table of the old format; the later format has its counts only.
    const int first = io.Count(g.m_nNodes, nodeLimit);
    const int n = io.Count(g.m_nNodes, nodeLimit);
    if (!fmt.bF2)
        OldPointTable(io, g, sh, n);
    else if (first != n || n != a)
        Corrupt();

    for (CDPoint& peak : g.m_aPeaks)
        io.Point(peak);

    if (load) {
        g.m_pSections.assign(size_t(K), CSectionRecord());
        g.m_nSections = K;
    }
    for (CSectionRecord& r : g.m_pSections)
        SerializeSection(io, r, fmt);
}

}

void SerializeGirderResults(CArchive& ar, CGirderDesign& girder, const CResultsFormat& fmt)
{
    const Shape sh = CheckFormat(fmt);
    Slots io(ar);
    if (ar.IsStoring()) {
        // From a copy shaped to the file's counts: short lists are padded with zeros, so the
        // record always has the length its counts announce.
        CGirderDesign g = girder;
        SizeMemberLists(g, sh);
        g.m_nNodes = std::clamp(g.m_nNodes, 0, 2 * sh.M);
        g.m_nPeaks = std::clamp(g.m_nPeaks, 0, kPeaks);
        for (std::vector<double>* v : {&g.m_pdMomentMaxI, &g.m_pdMomentMaxJ, &g.m_pdMomentMinI, &g.m_pdMomentMinJ})
            v->resize(size_t(sh.M));
        for (std::vector<CDPoint>* list : {&g.m_pShearMax, &g.m_pShearMin, &g.m_pMomentEnv, &g.m_pShearEnv})
            list->resize(size_t(g.m_nNodes));
        g.m_pnMomentSign.resize(size_t(g.m_nNodes));
        g.m_pnShearSign.resize(size_t(g.m_nNodes));
        Walk(io, g, sh, fmt);
        return;
    }
    // Into a fresh object, so that a refused record leaves the girder as it was; the input
    // the document gave the design is not in the file and stays.
    CGirderDesign g;
    g.m_input = girder.m_input;
    Walk(io, g, sh, fmt);
    girder = std::move(g);
}
