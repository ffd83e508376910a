// The design file: every stored member comes back, the fixed offsets of the head, older
// formats and their conversion, and files that must be refused whole.
#include "common/filled_girder.h"
#include "common/shell_fixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstring>
#include <random>

#include "app/design_file.h"
#include "app/design_state.h"
#include "framework/archive.h"
#include "framework/textcodec.h"
#include "input/modeless_dialogs.h"

namespace {

// A design with something other than the default in every member the file stores.
CDesignState FilledDesign(int bridgeType, int spans, bool coordinates = false, bool results = false)
{
    CDesignState d = CDesignState::NewDesign(1);
    CDesignLayout& l = d.layout;
    l.nBridgeType = bridgeType;
    l.nGirders = bridgeType == 2 ? 3 : 5;
    l.nSpans = spans;
    l.nCrossSections = 1;
    l.nPanelPoints = 1;
    for (int s = 0; s < MAX_SPANS; ++s) {
        l.adSpanLength[s] = 20.0 + s;
        l.anPanelCount[s] = 2 + s % 5;
        l.anFreeSections[s] = s % 3;
        for (int j = 0; j < MAX_PANELS; ++j)
            l.adPanelLength[s][j] = j < l.anPanelCount[s] ? l.adSpanLength[s] / l.anPanelCount[s] : 7.5;
        if (s < spans) {
            l.nCrossSections += l.anFreeSections[s] + 1;
            l.nPanelPoints += l.anPanelCount[s];
        }
    }
    if (spans == 0)
        l.nCrossSections = l.nPanelPoints = 1;
    l.bCoordinatePlan = coordinates ? 1 : 0;
    l.bCoordinateRadii = coordinates ? 1 : 0;
    l.bSIUnits = 0;
    const int G = l.nGirders;

    BasicConditions& b = d.basic;
    b.m_strTitle = QStringLiteral("第二大橋");
    b.m_strSubtitle = QStringLiteral("上部工 ｶﾅ");
    b.m_nGirderForm = bridgeType ? 1 : 0;
    b.m_nSidewalk = 2;
    b.m_nLiveLoad = 3;
    b.m_nGirders = bridgeType == 2 ? 1 : G;
    b.m_nSpans = spans;
    b.m_nWeathering = 0;
    b.m_nHeightVariation = 0;
    b.m_nHSteel = 0;
    b.m_bZeroPaintCost = 1;
    b.m_nMedian = 1;
    b.m_bMedianUnloaded = 1;
    b.m_bKerbUnloaded = 1;
    b.m_dP1Factor = 1.25;
    b.m_dP2Factor = 0.75;
    b.m_nStandard = 1;
    d.span.m_dBridgeLength = 123456.5;

    MainGirderData& m = d.mainGirder;
    int mode = 0;
    for (int* p : {&m.m_nMaxUFThickMode, &m.m_nMinUFThickMode, &m.m_nMaxUFWidthMode, &m.m_nMinUFWidthMode,
                   &m.m_nMaxLFThickMode, &m.m_nMinLFThickMode, &m.m_nMaxLFWidthMode, &m.m_nMinLFWidthMode,
                   &m.m_nMaxWebThickMode, &m.m_nMinWebThickMode})
        *p = ++mode % 2;
    m.m_nStiffenerSteps = 2;
    m.m_nThicknessStep = 0;
    double v = 10.0;
    for (double* p : {&m.m_dMaxUFThick, &m.m_dMinUFThick, &m.m_dMaxUFWidth, &m.m_dMinUFWidth, &m.m_dMaxLFThick,
                      &m.m_dMinLFThick, &m.m_dMaxLFWidth, &m.m_dMinLFWidth, &m.m_dMaxWebThick, &m.m_dMinWebThick,
                      &m.m_dBendingMargin, &m.m_dFlangeWidthW, &m.m_dWebSpacingA, &m.m_dOverhangB})
        *p = v += 1.5;
    m.m_dMaxSectionLength = 14.0;
    m.m_dMinSectionLength = 3.0;
    m.m_bConstFlangeWidth = 0;
    m.m_bIgnoreTB16 = 1;
    m.m_nBlockLengthMode = 1;
    m.m_bMinWebTableOnly = 1;
    m.m_nUFGrade = 5;
    m.m_nLFGrade = 6;
    m.m_nWebGrade = 7;
    JointPositionData& jp = d.jointPosition;
    jp.m_bBlocksSet = 1;
    for (int g = 0; g < G; ++g) {
        jp.m_adGirderLength[g] = 40.0 + g;
        jp.m_anBlockCount[g] = 1 + g % 3;
        for (int k = 0; k < jp.m_anBlockCount[g]; ++k)
            jp.m_apdBlockLength[g].push_back(10.0 + k + 0.25 * g);
    }
    for (int g = 0; g < G; ++g) {
        d.plateGirder.m_adGirderHeight[g] = 1.5 + 0.1 * g;
        d.boxGirder.m_adGirderHeight[g] = 2.0 + 0.1 * g;
    }
    for (int r = 0; r < PlateGirderData::HOLE_ROWS; ++r) {
        d.plateGirder.m_anHoleCount[r] = 3 + r;
        d.plateGirder.m_adHoleFlangeWidth[r] = 0.2 + 0.1 * r;
    }
    d.plateGirder.m_bHoleDeduction = 0;
    d.plateGirder.m_bUFLocalBuckling = 1;
    d.plateGirder.m_dBoltHoleDiameter = 24.5;
    d.plateGirder.m_nCurveStressFormula = 1;
    d.plateGirder.m_bNetArea11 = 0;
    BoxGirderData& bg = d.boxGirder;
    bg.m_astrShape[1][0] = QStringLiteral("150x12");
    bg.m_astrShape[3][2] = QStringLiteral("ﾘﾌﾞ180x14");
    bg.m_bHoleDeduction = 0;
    bg.m_dBoltHoleDiameter = 26.5;
    bg.m_nHoleBoltsLower = 7;
    bg.m_nCompRibCount = 4;
    bg.m_nTensRibCount = 3;
    bg.m_nStiffenerStepsBox = 1;
    bg.m_nHoleBoltsUpper = 8;
    bg.m_bUFLocalBuckling = 1;
    bg.m_bAdjustRibThickness = 0;
    bg.m_bNetArea11 = 0;
    bg.SortData();

    MainMemberData& mm = d.mainMember;
    for (int* p : {&mm.m_nEndSwayMode, &mm.m_nMidSwayMode, &mm.m_nCrossBeamMode, &mm.m_nPierSwayMode,
                   &mm.m_nLeftBracketMode, &mm.m_nRightBracketMode, &mm.m_nEdgeStringerMode, &mm.m_bUseEndSway,
                   &mm.m_bUsePierSway, &mm.m_bUseMidSway, &mm.m_bUseLeftBracket, &mm.m_bUseRightBracket,
                   &mm.m_bUseEdgeStringer, &mm.m_bUseCrossBeam, &mm.m_bUseLateral, &mm.m_bUseStringer,
                   &mm.m_nLateralMode, &mm.m_nStringerMode})
        *p = 1 - *p;
    int k = 0;
    for (SwayBracingData* s : {&d.endSway, &d.midSway, &d.pierSway}) {
        s->m_nUpperChord = s->m_nLowerChord = 3 + k;
        s->m_nDiagonal = 9 - k;
        s->m_nGrade = 4 + k;
        s->m_bFirstOpen = 0;
        s->m_dMemberDistB = 1280.0 + k;
        s->m_bConvertedStiffness = 1;
        ++k;
    }
    d.endSway.m_nLowerChord = 11;
    d.crossBeamType = {2, 0, 1300.0, 12.0, 250.0, 10.0, 0};
    d.lateral = {4, 5, 6};
    d.leftBracket = {2, 0, 500.0, 800.0, 11.0, 120.0, 1100.0, 10.0};
    d.rightBracket = {3, 0, 510.0, 810.0, 12.0, 130.0, 1200.0, 11.0};
    d.midStringer.m_nGrade = 4;
    d.midStringer.m_bFirstOpen = 0;
    d.midStringer.m_dWebHeightL = 700.0;
    d.midStringer.m_nCount = 5;
    d.edgeStringer = {5, 0, 10.0, 110.0, 650.0, 9.5};

    for (int i = 0; i < DeadLoadData::ITEMS; ++i)
        d.deadLoad.m_adValue[i] = 0.5 + i;
    d.deadLoad.m_bRailingToEstimate = 0;
    SteelWeightData& sw = d.steelWeight;
    sw.m_nAttachments = 2;
    sw.m_nDeadLoadChoice = 1;
    for (int r = 0; r < 2; ++r) {
        sw.m_anAttachGirder[r] = r + 1;
        sw.m_adAttachLoad[r] = 0.3 + r;
        sw.m_adAttachPosition[r] = 1.5 * r;
    }
    for (int g = 0; g < G; ++g) {
        sw.m_adHaunchB[g] = 0.4 + 0.01 * g;
        sw.m_adHaunchH[g] = 0.09;
        sw.m_adSteelWeight[g] = 0.5 + 0.01 * g;
        sw.m_adHaunchWeight[g] = 0.15;
    }
    d.ribPanel.m_bResetRibs = 0;
    EstimateFactorData& ef = d.estimateFactor;
    // Near the standard coefficients, so that the estimate of these designs stays a bridge's.
    const EstimateFactorData standard;
    for (int row = 0; row < EstimateFactorData::ROWS; ++row)
        ef.SetRowValue(row, row == 15 ? 6.0 : 1.1 * standard.RowValue(row) + 0.01);
    ef.m_bGirderEndMass = 0;
    ef.m_bSeparateRibMass = 0;
    for (int i = 0; i < EstimateSteelPriceData::PRICES; ++i)
        d.estimateSteelPrice.m_anPrice[i] = 1000 + i;
    for (int i = 0; i < EstimateLabourData::PRICES; ++i)
        d.estimateLabour.m_anPrice[i] = 2000 + i;
    d.estimateFitting = {1, 2, 1, 3, 4, 1500, 2500};
    d.estimateOverhead = {1.5, 2, 0, 1.03, 12.5};
    d.estimateOption.m_bHSectionCrossBeams = 1;
    EstimateBearingData& br = d.estimateBearing;
    br.m_bRubberBearing = 0;
    br.m_nRubberPricePerTon = 1600000;
    br.m_nOtherPricePerTon = 900000;
    br.m_nPriceMode = 1;
    br.m_nPricePerBearing = 45000;

    for (int s = 0; s < spans; ++s) {
        for (int end = 0; end < 2; ++end) {
            d.panel.m_adBaseToG1[s][end] = 2.0 + s + end;
            d.panel.m_adGirderSpacing[s][end] = 2.5 + 0.1 * s;
            d.panel.m_adSkew[s][end] = 1.2 + 0.01 * s;
        }
        d.panel.m_adBaseRadius[s] = 300.0 + s;
        d.panel.m_anGirderLineType[s] = 1;
        d.panel.m_anCrossBeamDir[s] = 3;
        d.panel.m_anBaseLineType[s] = s % 2;
    }
    CrossSectionData& c = d.crossSection;
    c.m_nInterpolation = 1;
    for (int st = 0; st < l.nCrossSections; ++st) {
        c.m_arrD[size_t(st)] = 0.5 * st;
        c.m_arrTheta[size_t(st)] = 1.4;
        for (int i = 1; i <= 12; ++i) {
            c.B(i)[size_t(st)] = 0.1 * i + 0.01 * st;
            c.H(i)[size_t(st)] = 0.02 * i + 0.001 * st;
        }
    }
    for (int p = 0; p < l.nPanelPoints; ++p) {
        d.crossBeam.m_anMemberKind[p] = p % 4;
        d.crossBeam.m_abDistributing[p] = p % 2;
    }
    d.crossBeam.m_bResetArrangement = 0;
    HeightChangeData& h = d.height;
    h.m_nInterpolation = 0;
    h.m_nPointCols = spans + 1;
    for (int s = 0; s < spans; ++s) {
        h.m_anPointCount[s] = s % 2;
        h.m_nPointCols += h.m_anPointCount[s];
    }
    for (int p = 0; p < h.m_nPointCols; ++p) {
        h.m_adPointPos[p] = 2.5 * p;
        for (int g = 0; g < G; ++g)
            h.m_adPointHeight[p][g] = 1.6 + 0.01 * p + 0.001 * g;
    }
    for (int p = 0; p < CrossBeamArrangementData::POINTS; ++p)
        d.document.m_anRibsPerPanel[p] = p % 7;
    std::fill(std::begin(d.document.m_abFormatFlags), std::end(d.document.m_abFormatFlags), 1);
    d.view = {9000, 8000, 12.5, 1.5, 2.5, 0, 0x1234};

    if (coordinates) {
        d.document.m_ptOriginAdjust = {1000.0, -2000.0};
        d.document.m_dOriginAngle = 0.25;
        d.document.m_bOriginApply = 1;
        for (int s = 0; s < spans; ++s) {
            CCoordinateSpan span;
            span.m_dSpanLength = l.adSpanLength[s];
            for (int j = 0; j < l.anPanelCount[s]; ++j)
                span.m_adPanelLength.push_back(l.adPanelLength[s][j]);
            for (int j = 0; j <= l.anPanelCount[s]; ++j) {
                CCoordinatePoint pt;
                pt.m_ptBase = {100.0 * s + j, 5.0};
                pt.m_ptLine1 = {1.0 + j, 2.0};
                pt.m_ptLine2 = {3.0, 4.0 + j};
                for (int g = 0; g < G; ++g)
                    pt.m_aptGirder.push_back({double(g), double(j)});
                for (int e = 0; e < 12; ++e)
                    pt.m_aptEdge[e] = {0.5 * e, -0.5 * j};
                CStationRecord& r = pt.m_aSection;
                for (int e = 0; e < 7; ++e)
                    r.m_aptEdge[e][0] = r.m_aptEdge[e][1] = {1.0 * e, 2.0 * j};
                r.m_dEdgeL = 1.1;
                r.m_dEdgeR = 1.2;
                r.m_ptBase = {7.0, 8.0};
                r.m_dSkew = 1.3;
                r.m_dWidth = 11.0;
                r.m_dB1 = 4.0;
                r.m_dPosition = 2.0 * j;
                for (int i = 0; i < 12; ++i) {
                    r.m_adB[i] = 0.1 * (i + 1);
                    r.m_adH[i] = 0.2 * (i + 1);
                }
                span.m_aPoints.push_back(pt);
            }
            d.document.m_coordPlan.m_aSpans.push_back(span);
        }
    }
    if (results) {
        d.results.m_bGrillageNotRun = 0;
        for (int g = 0; g < G; ++g) {
            CGirderDesign girder = FilledGirder(spans, l.anPanelCount, G, g == 0 ? 3 : 0, g, bridgeType);
            // Plates of a real girder (m) in place of the filler's numbers.
            double step = 0.0;
            for (CSectionRecord& r : girder.m_pSections) {
                r.m_dBUpper = 0.40 + step;
                r.m_dTUpper = 0.022;
                r.m_dBLower = 0.50 + step;
                r.m_dTLower = 0.028;
                r.m_dHWeb = 1.8;
                r.m_dTWeb = 0.011;
                r.m_dRibHUpper = r.m_dRibHLower = 0.2;
                r.m_dRibTUpper = r.m_dRibTLower = 0.016;
                step += 0.01;
            }
            d.results.girders.push_back(girder);
        }
        for (int s = 0; s <= spans; ++s) {
            d.results.m_adImpactCoef[s] = 0.2 + 0.01 * s;
            br.m_anBearingType[s] = 1;
            br.m_adMaxReaction[s] = 150.0 + s;
            br.m_adBearingMass[s] = 600.0 + s;
        }
        br.m_adLineTable1[1][2] = 3.5;
        br.m_adLineTable2[4][39] = 4.5;
        for (int g = 0; g < MAX_GIRDERS; ++g) {
            d.results.m_adAssumedWeightPerLength[g] = 0.1 * g;
            d.results.m_adDesignWeightPerLength[g] = 0.2 * g;
        }
    }
    return d;
}

QByteArray Store(const CDesignState& d, const CDesignFormat& format = CDesignFormat())
{
    QByteArray bytes;
    CArchive ar(&bytes, CArchive::store);
    WriteDesignAs(ar, d, format);
    ar.Close();
    return bytes;
}

CDesignState Load(QByteArray bytes)
{
    CDesignState d = CDesignState::NewDesign(1);
    CArchive ar(&bytes, CArchive::load);
    ReadDesign(ar, d);
    return d;
}

// What a load gives back that differs from what was stored: bearing values without results.
CDesignState AsLoaded(CDesignState d)
{
    if (d.results.m_bGrillageNotRun) {
        EstimateBearingData& br = d.estimateBearing;
        for (int s = 0; s <= d.layout.nSpans; ++s) {
            br.m_anBearingType[s] = 0;
            br.m_adMaxReaction[s] = br.m_adBearingMass[s] = 0.0;
        }
    }
    return d;
}

template <class T> T At(const QByteArray& b, qsizetype offset)
{
    T v;
    std::memcpy(&v, b.constData() + offset, sizeof v);
    return v;
}
template <class T> void Put(QByteArray& b, qsizetype offset, T v) { std::memcpy(b.data() + offset, &v, sizeof v); }
// Where a real of an unlikely value was stored.
qsizetype Find(const QByteArray& b, double marker)
{
    return b.indexOf(QByteArray(reinterpret_cast<const char*>(&marker), sizeof marker));
}

// The message a file is refused with, or nothing when it is read.
std::string Refusal(QByteArray bytes)
{
    try {
        Load(std::move(bytes));
    } catch (const CArchiveException& e) {
        return e.m_strMessage.toStdString();
    }
    return std::string();
}

const std::string kNewerMessage = "新バージョンプログラムを使用して保存されたデータのため読み込めません。\r"
                                  "プログラムをバージョンアップしてください。";

// Every member of every part, so that a failure names the part that did not come back.
void ExpectSameDesign(const CDesignState& a, const CDesignState& b)
{
    EXPECT_TRUE(a.layout == b.layout);
    EXPECT_TRUE(a.document == b.document);
    EXPECT_TRUE(a.basic == b.basic);
    EXPECT_TRUE(a.span == b.span);
    EXPECT_TRUE(a.mainGirder == b.mainGirder);
    EXPECT_TRUE(a.jointPosition == b.jointPosition);
    EXPECT_TRUE(a.plateGirder == b.plateGirder);
    EXPECT_TRUE(a.boxGirder == b.boxGirder);
    EXPECT_TRUE(a.mainMember == b.mainMember);
    EXPECT_TRUE(a.endSway == b.endSway && a.midSway == b.midSway && a.pierSway == b.pierSway);
    EXPECT_TRUE(a.crossBeamType == b.crossBeamType && a.lateral == b.lateral);
    EXPECT_TRUE(a.leftBracket == b.leftBracket && a.rightBracket == b.rightBracket);
    EXPECT_TRUE(a.midStringer == b.midStringer && a.edgeStringer == b.edgeStringer);
    EXPECT_TRUE(a.deadLoad == b.deadLoad);
    EXPECT_TRUE(a.steelWeight == b.steelWeight);
    EXPECT_TRUE(a.ribPanel == b.ribPanel);
    EXPECT_TRUE(a.estimateFactor == b.estimateFactor);
    EXPECT_TRUE(a.estimateSteelPrice == b.estimateSteelPrice);
    EXPECT_TRUE(a.estimateBearing == b.estimateBearing);
    EXPECT_TRUE(a.estimateLabour == b.estimateLabour);
    EXPECT_TRUE(a.estimateFitting == b.estimateFitting);
    EXPECT_TRUE(a.estimateOverhead == b.estimateOverhead);
    EXPECT_TRUE(a.estimateOption == b.estimateOption);
    EXPECT_TRUE(a.panel == b.panel);
    EXPECT_TRUE(a.crossSection == b.crossSection);
    EXPECT_TRUE(a.crossBeam == b.crossBeam);
    EXPECT_TRUE(a.height == b.height);
    EXPECT_TRUE(a.results == b.results);
    EXPECT_TRUE(a.view == b.view);
}

}

TEST(DesignFileTest, EveryStoredMemberComesBackAndStoresToTheSameBytes)
{
    struct Case {
        int bridgeType, spans;
        bool coordinates, results;
    };
    for (const Case& c : {Case{0, 1, false, false}, Case{0, 14, false, true}, Case{1, 3, true, true},
                          Case{2, 2, false, true}, Case{2, 14, true, false}}) {
        SCOPED_TRACE(testing::Message() << "type " << c.bridgeType << ", " << c.spans << " spans");
        const CDesignState design = FilledDesign(c.bridgeType, c.spans, c.coordinates, c.results);
        const QByteArray bytes = Store(design);
        const CDesignState back = Load(bytes);
        ExpectSameDesign(back, AsLoaded(design));
        EXPECT_EQ(Store(back), bytes);
    }
}

TEST(DesignFileTest, HeadKeepsItsFixedOffsets)
{
    CDesignState d = FilledDesign(0, 3);
    d.derived.anModelCounts[0] = 28;
    d.derived.anSupportStation = {0, 3, 6, 9};
    const QByteArray b = Store(d);
    EXPECT_EQ(At<int>(b, 2764), 28);    // written for other readers, never read back
    EXPECT_EQ(At<int>(b, 2804 + 4 * 3), 9);
    EXPECT_EQ(At<int>(b, 4), 3);
    EXPECT_EQ(At<double>(b, 20), d.layout.adSpanLength[0]);
    EXPECT_EQ(At<int>(b, 20 + 8), d.layout.anPanelCount[0]);
    EXPECT_EQ(At<double>(b, 20 + 13 * 176), d.layout.adSpanLength[13]);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At<int>(b, 2484 + 4 * i), 0);
    EXPECT_EQ(At<int>(b, 2504), 1);     // median not loaded
    EXPECT_EQ(At<int>(b, 2592), d.estimateOverhead.m_nRegion);
    EXPECT_EQ(At<int>(b, 2600), 1830);
    EXPECT_EQ(At<double>(b, 2724), 1.25);
    EXPECT_EQ(At<double>(b, 2732), 0.75);
    EXPECT_EQ(At<double>(b, 2748), 1.03);
    EXPECT_EQ(At<int>(b, 2808 + 4 * 3), 1);    // block B: the grillage has not run

    // No spans: the whole head, all 14 slots and one support word.
    const CDesignState empty = CDesignState::NewDesign(1);
    const QByteArray e = Store(empty);
    EXPECT_EQ(At<int>(e, 4), 0);
    EXPECT_EQ(At<int>(e, 2808), 1);
    EXPECT_TRUE(Load(e).layout == empty.layout);
}

TEST(DesignFileTest, TitleAndSubtitleAreOneStringSplitByTheSubtitleLength)
{
    CDesignState d = FilledDesign(0, 1);
    d.basic.m_strTitle = QString(50, QChar(0x6A4B));    // 橋: two bytes each
    d.basic.m_strSubtitle = QString(30, QLatin1Char('s'));
    QByteArray b = Store(d);
    const QByteArray stored = QByteArray(1, char(130)) + AfxToCP932(d.basic.m_strTitle + d.basic.m_strSubtitle);
    const qsizetype at = b.indexOf(stored);
    ASSERT_GT(at, 0);
    // L sits before 19 reserved reals, the bridge length and the two checks.
    EXPECT_EQ(At<int>(b, at - 4 - 19 * 8 - 8 - 4 - 4), 30);
    EXPECT_EQ(Load(b).basic.m_strSubtitle, d.basic.m_strSubtitle);

    // A subtitle length of 0 keeps the whole string as the title.
    Put(b, at - 4 - 19 * 8 - 8 - 4 - 4, 0);
    const CDesignState whole = Load(b);
    EXPECT_EQ(whole.basic.m_strTitle, d.basic.m_strTitle + d.basic.m_strSubtitle);
    EXPECT_EQ(whole.basic.m_strSubtitle, CDesignState::NewDesign(1).basic.m_strSubtitle);
    // One longer than the string is a broken file.
    Put(b, at - 4 - 19 * 8 - 8 - 4 - 4, 131);
    EXPECT_THROW(Load(b), CArchiveException);

    // The longest the dialog takes comes back whole.
    d.basic.m_strTitle = QString(100, QChar(0x6A4B));
    d.basic.m_strSubtitle = QString(32767, QChar(0x8A2D));
    EXPECT_EQ(Load(Store(d)).basic.m_strSubtitle, d.basic.m_strSubtitle);
}

TEST(DesignFileTest, OlderFormatsAreReadAsTheyWereWritten)
{
    const CDesignState d = FilledDesign(1, 2, true, true);
    // Factors of files that never had them.
    QByteArray b = Store(d);
    Put(b, 2724, 0.0);
    EXPECT_EQ(Load(b).basic.m_dP1Factor, 1.0);

    CDesignFormat v1784;
    v1784.nVersion = 1784;
    const CDesignState a = Load(Store(d, v1784));
    EXPECT_EQ(a.estimateFactor.m_bSeparateRibMass, d.estimateFactor.m_bSeparateRibMass);
    EXPECT_EQ(a.document.m_anRibsPerPanel[5], 0);          // no block K
    EXPECT_EQ(a.document.m_nFileVersion, 1784);
    EXPECT_EQ(Store(d, v1784).size(), Store(d).size() - 283 * 4);
    CDesignFormat v1783;
    v1783.nVersion = 1783;
    CDesignState ribs = d;
    ribs.estimateFactor.m_bSeparateRibMass = 1;
    EXPECT_EQ(Load(Store(ribs, v1783)).estimateFactor.m_bSeparateRibMass, 0);

    CDesignFormat v1809;
    v1809.nVersion = 1809;
    const CDesignState r = Load(Store(d, v1809));
    EXPECT_EQ(r.estimateOverhead.m_nRegion, -1);
    EXPECT_EQ(r.estimateOverhead.m_dPrepaymentFactor, 1.0);

    CDesignFormat noImpact;
    noImpact.abFlags[3] = 0;
    const CDesignState i = Load(Store(d, noImpact));
    EXPECT_EQ(i.results.m_adImpactCoef[0], -1.0);
    EXPECT_EQ(i.document.m_abFormatFlags[3], 0);

    CDesignFormat noCurbs;
    noCurbs.abFlags[11] = 0;
    const CDesignState c = Load(Store(d, noCurbs));
    const CrossSectionData& x = c.crossSection;
    EXPECT_DOUBLE_EQ(x.m_arrH11[1], x.m_arrH2[1] + x.m_arrH3[1] - x.m_arrH4[1]);
    EXPECT_EQ(c.basic.m_nMedian, CDesignState::NewDesign(1).basic.m_nMedian);

    // Without the height block there is one point per support, and the design saves again.
    CDesignFormat noHeights;
    noHeights.abFlags[4] = 0;
    const CDesignState h = Load(Store(d, noHeights));
    EXPECT_EQ(h.height.m_nPointCols, d.layout.nSpans + 1);
    EXPECT_EQ(h.height.m_anPointCount[0], 0);
    EXPECT_NO_THROW(Load(Store(h)));

    CDesignFormat newer;
    newer.nVersion = 1831;
    try {
        Load(Store(d, newer));
        ADD_FAILURE() << "a newer file was read";
    } catch (const CArchiveException& e) {
        EXPECT_EQ(e.m_strMessage, QStringLiteral("新バージョンプログラムを使用して保存されたデータのため読み込めません。\r"
                                                 "プログラムをバージョンアップしてください。"));
    }
}

// A file of the format before F2 carries each girder's point table; one written so reads back,
// and saves again as the current format.
TEST(DesignFileTest, FilesWithThePointTableReadBack)
{
    const CDesignState d = FilledDesign(1, 3, true, true);
    CDesignFormat v1407;
    v1407.abFlags[1] = 0;
    const QByteArray old = Store(d, v1407);
    EXPECT_GT(old.size(), Store(d).size());
    CDesignState back;
    ASSERT_NO_THROW(back = Load(old));
    EXPECT_EQ(back.document.m_abFormatFlags[1], 0);
    EXPECT_EQ(Store(back), Store(d));
}

// A newer program may allow more than this one: its files are told apart by the version word
// at its fixed offset before anything of their head is judged.
TEST(DesignFileTest, NewerFilesAreToldApartBeforeTheirHeadIsChecked)
{
    CDesignFormat newer;
    newer.nVersion = 1900;
    const QByteArray written = Store(FilledDesign(0, 3), newer);
    const std::string damaged = kCorruptDesignFile;
    QByteArray b = written;
    Put(b, 4, 20);      // spans
    Put(b, 8, 30);      // girders
    Put(b, 12, 500);    // stations
    Put(b, 20 + 13 * 176, std::nan(""));
    EXPECT_EQ(Refusal(b), kNewerMessage);
    Put(b, 0, 7);       // bridge type
    EXPECT_EQ(Refusal(b), kNewerMessage);

    // The same head in a file of this version is damaged.
    Put(b, 2600, 1830);
    EXPECT_EQ(Refusal(b), damaged);
    for (qsizetype offset : {qsizetype(0), qsizetype(4), qsizetype(8)}) {
        QByteArray current = Store(FilledDesign(0, 3));
        Put(current, offset, offset == 0 ? 3 : 21);
        EXPECT_EQ(Refusal(current), damaged) << offset;
    }
}

// A result that is not a number refuses the file like any other real of it.
TEST(DesignFileTest, ResultsThatAreNotNumbersAreRefused)
{
    CDesignState d = FilledDesign(1, 3, false, true);
    d.results.girders[0].m_pSections[1].m_dI = 8765.4375;
    QByteArray b = Store(d);
    const qsizetype at = Find(b, 8765.4375);
    ASSERT_GT(at, 0);
    Put(b, at, std::nan(""));
    EXPECT_EQ(Refusal(b), kCorruptDesignFile);
}

// Each station as other installations write it: D, θ, B1..B10, H1..H10, B11, B12, then the
// curb rises H11 and H12 only in files that have them. The values are laid down here by hand
// over the stations the program wrote, found by a marker in the first position.
TEST(DesignFileTest, StationsAreReadInTheirStoredOrder)
{
    CDesignState d = FilledDesign(0, 2);
    const int stations = d.layout.nCrossSections;
    ASSERT_EQ(stations, 4);
    const double marker = 4321.125;
    d.crossSection.m_arrD[0] = marker;
    auto stored = [](int st, int k) { return k == 1 ? 1.5 : 0.1 * k + 0.001 * st; };   // k from 0
    for (const bool curbRises : {true, false}) {
        SCOPED_TRACE(curbRises ? "with the curb rises" : "without the curb rises");
        CDesignFormat format;
        format.abFlags[11] = curbRises ? 1 : 0;
        QByteArray b = Store(d, format);
        const qsizetype at = Find(b, marker);
        ASSERT_GT(at, 0);
        // What the program writes keeps that order too.
        EXPECT_EQ(At<double>(b, at + 8 * 22), d.crossSection.m_arrB11[0]);
        EXPECT_EQ(At<double>(b, at + 8 * 12), d.crossSection.m_arrH1[0]);
        const int perStation = curbRises ? 26 : 24;
        for (int st = 0; st < stations; ++st)
            for (int k = 0; k < perStation; ++k)
                Put(b, at + 8 * (st * perStation + k), stored(st, k));

        const CrossSectionData x = Load(b).crossSection;
        for (int st = 0; st < stations; ++st) {
            SCOPED_TRACE(st);
            const size_t s = size_t(st);
            EXPECT_DOUBLE_EQ(x.m_arrD[s], stored(st, 0));
            EXPECT_DOUBLE_EQ(x.m_arrTheta[s], 1.5);
            for (int i = 1; i <= 10; ++i) {
                EXPECT_DOUBLE_EQ(x.B(i)[s], stored(st, 1 + i)) << "B" << i;
                EXPECT_DOUBLE_EQ(x.H(i)[s], stored(st, 11 + i)) << "H" << i;
            }
            EXPECT_DOUBLE_EQ(x.m_arrB11[s], stored(st, 22));
            EXPECT_DOUBLE_EQ(x.m_arrB12[s], stored(st, 23));
            if (curbRises) {
                EXPECT_DOUBLE_EQ(x.m_arrH11[s], stored(st, 24));
                EXPECT_DOUBLE_EQ(x.m_arrH12[s], stored(st, 25));
            } else {
                // Values 25 and 26 of the group: 15 + 14 - 16 and 21 + 22 - 19.
                EXPECT_DOUBLE_EQ(x.m_arrH11[s], stored(st, 14) + stored(st, 13) - stored(st, 15));
                EXPECT_DOUBLE_EQ(x.m_arrH12[s], stored(st, 20) + stored(st, 21) - stored(st, 18));
            }
        }
    }
}

TEST(DesignFileTest, BrokenFilesAreRefusedWhole)
{
    const QByteArray whole = Store(FilledDesign(1, 3, true, true));
    const CDesignState untouched = CDesignState::NewDesign(1);
    for (qsizetype n = 0; n < whole.size(); n += n < 3000 ? 1 : 7) {
        CDesignState d = untouched;
        QByteArray cut = whole.left(n);
        CArchive ar(&cut, CArchive::load);
        try {
            ReadDesign(ar, d);
            ADD_FAILURE() << "read " << n << " bytes as a design";
        } catch (const CArchiveException& e) {
            ASSERT_EQ(e.m_strMessage, QString::fromUtf8(kCorruptDesignFile)) << n;
        }
        ASSERT_TRUE(d == untouched) << n;
    }
    // Counts that do not agree, and numbers no dialog gives.
    const std::vector<std::pair<qsizetype, int>> words = {
        {0, 3}, {4, 15}, {8, 0}, {8, 21}, {12, 99}, {16, 4}, {20 + 8, 21}, {20 + 12, 11}, {2516, 2}};
    for (auto [offset, value] : words) {
        QByteArray b = whole;
        Put(b, offset, value);
        EXPECT_THROW(Load(b), CArchiveException) << offset;
    }
    for (double bad : {std::nan(""), 1.0 / 0.0, 0.0, -5.0}) {
        QByteArray b = whole;
        Put(b, 20, bad);    // the first span's length
        EXPECT_THROW(Load(b), CArchiveException) << bad;
    }
    // Random bytes in the head: refused or read, never a crash.
    std::mt19937 random(7);
    for (int i = 0; i < 2000; ++i) {
        QByteArray b = whole;
        for (int k = 0; k < 4; ++k)
            b[qsizetype(random() % 2900)] = char(random());
        try {
            Load(b);
        } catch (const CArchiveException&) {
        }
    }
}

// A value that its dialog never lets through refuses the file; the dialogs' limits themselves
// and values the program works out beyond them still open.
TEST(DesignFileTest, ValuesNoDialogTakesAreRefused)
{
    const CDesignState d = FilledDesign(0, 3, false, true);
    struct Change {
        const char* what;
        void (*apply)(CDesignState&);
    };
    const Change refused[] = {
        {"season correction", [](CDesignState& x) { x.estimateOverhead.m_dSeasonPercent = 2.5; }},
        {"advance payment", [](CDesignState& x) { x.estimateOverhead.m_dPrepaymentFactor = 0.95; }},
        {"contract guarantee", [](CDesignState& x) { x.estimateOverhead.m_dGuaranteePercent = -1.0; }},
        {"bridge length", [](CDesignState& x) { x.span.m_dBridgeLength = 1000000.5; }},
        {"sidewalk width", [](CDesignState& x) { x.crossSection.m_arrB3[2] = -0.01; }},
        {"slab", [](CDesignState& x) { x.crossSection.m_arrH5[0] = 100.5; }},
        {"holes", [](CDesignState& x) { x.plateGirder.m_anHoleCount[6] = 101; }},
        {"hole flange width", [](CDesignState& x) { x.plateGirder.m_adHoleFlangeWidth[0] = 10.5; }},
        {"ribs per panel", [](CDesignState& x) { x.document.m_anRibsPerPanel[280] = -1; }},
    };
    for (const Change& c : refused) {
        CDesignState x = d;
        c.apply(x);
        EXPECT_EQ(Refusal(Store(x)), kCorruptDesignFile) << c.what;
    }
    const Change taken[] = {
        {"the dialogs' limits",
         [](CDesignState& x) {
             x.estimateOverhead = {2.0, 1, 1, 1.05, 100.0};
             x.span.m_dBridgeLength = 1000000.0;
             x.crossSection.m_arrB10[3] = 100.0;
             x.crossSection.m_arrH1[3] = 0.0;
             x.plateGirder.m_anHoleCount[0] = 100;
             x.plateGirder.m_adHoleFlangeWidth[6] = 10.0;
             x.document.m_anRibsPerPanel[0] = 1000;
         }},
        {"an overhang less its addition, a curb rise below the pavement, the distance to the median",
         [](CDesignState& x) {
             x.crossSection.m_arrB11[1] = -0.2;
             x.crossSection.m_arrH12[0] = -0.05;
             x.crossSection.m_arrB1[3] = -0.5;
         }},
    };
    for (const Change& c : taken) {
        CDesignState x = d;
        c.apply(x);
        EXPECT_EQ(Refusal(Store(x)), "") << c.what;
    }
}

// With MV_WRITE_SEEDS=<folder>, stores the fuzz corpus' starting files there: each bridge
// type, one and fourteen spans, with and without plan and results, and older formats.
TEST(DesignFileTest, WritesFuzzSeedsWhenAsked)
{
    const QString dir = qEnvironmentVariable("MV_WRITE_SEEDS");
    if (dir.isEmpty())
        return;
    struct Sample {
        const char* name;
        CDesignState design;
        CDesignFormat format;
    };
    CDesignFormat v1781;
    v1781.nVersion = 1781;
    for (int flag : {1, 5, 6, 7, 8, 9, 10, 11, 12})
        v1781.abFlags[flag - 1] = 0;
    CDesignFormat v1784;
    v1784.nVersion = 1784;
    CDesignFormat v1809;
    v1809.nVersion = 1809;
    v1809.abFlags[2] = v1809.abFlags[3] = 0;
    CDesignFormat v1407;
    v1407.abFlags[1] = 0;
    const Sample samples[] = {
        {"new", CDesignState::NewDesign(1), {}},
        {"plate_1", FilledDesign(0, 1), {}},
        {"plate_14", FilledDesign(0, 14), {}},
        {"box_3_plan_results", FilledDesign(1, 3, true, true), {}},
        {"box_14_plan", FilledDesign(1, 14, true, false), {}},
        {"single_2_results", FilledDesign(2, 2, false, true), {}},
        {"single_14_plan_results", FilledDesign(2, 14, true, true), {}},
        {"plate_3_plan_results_1781", FilledDesign(0, 3, true, true), v1781},
        {"box_2_plan_results_1784", FilledDesign(1, 2, true, true), v1784},
        {"single_4_results_1809", FilledDesign(2, 4, false, true), v1809},
        {"plate_2_results_1407", FilledDesign(0, 2, false, true), v1407},
    };
    ASSERT_TRUE(QDir().mkpath(dir));
    for (const Sample& sample : samples) {
        const QByteArray bytes = Store(sample.design, sample.format);
        EXPECT_NO_THROW(Load(bytes)) << sample.name;
        QFile file(QDir(dir).filePath(QString::fromLatin1(sample.name) + QStringLiteral(".mvl")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        EXPECT_EQ(file.write(bytes), bytes.size());
    }
}
