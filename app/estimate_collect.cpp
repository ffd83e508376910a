// The estimate's input taken from the live document, the run, and its results put back.
#include "app/doc.h"
#include "app/globals.h"
#include "estimate/estimate_calc.h"
#include "estimate/estimate_input.h"
#include "framework/msgbox.h"
#include "views/cross_section_drawer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

CEstimateInput::Sway SwayOf(const SwayBracingData& s)
{
    CEstimateInput::Sway out;
    out.m_nUpperChord = s.m_nUpperChord;
    out.m_nLowerChord = s.m_nLowerChord;
    out.m_nDiagonal = s.m_nDiagonal;
    out.m_nGrade = s.m_nGrade;
    out.m_dDistance = s.m_dMemberDistB;
    return out;
}

CEstimateInput::Bracket BracketOf(const BracketData& b)
{
    CEstimateInput::Bracket out;
    out.m_nGrade = b.m_nGrade;
    out.m_dDistBL = b.m_dDistBL;
    out.m_dDistBR = b.m_dDistBR;
    out.m_dFlangeThickness = b.m_dFlangeThickness;
    out.m_dFlangeWidth = b.m_dFlangeWidth;
    out.m_dLength = b.m_dLength;
    out.m_dWebThickness = b.m_dWebThickness;
    return out;
}

CEstimateInput::Stringer StringerOf(const StringerData& s, int nCount)
{
    CEstimateInput::Stringer out;
    out.m_nGrade = s.m_nGrade;
    out.m_dFlangeThickness = s.m_dFlangeThickness;
    out.m_dFlangeWidth = s.m_dFlangeWidth;
    out.m_dWebHeight = s.m_dWebHeightL;
    out.m_dWebThickness = s.m_dWebThickness;
    out.m_nCount = nCount;
    return out;
}

// "extra.txt" beside the program, else in the user's configuration folder; at most its first 100 KB.
std::optional<QByteArray> ReadExtraFile()
{
    const QStringList folders = {QCoreApplication::applicationDirPath(),
                                 QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)};
    for (const QString& folder : folders) {
        if (folder.isEmpty())
            continue;
        QFile file(QDir(folder).filePath(QStringLiteral("extra.txt")));
        if (file.open(QIODevice::ReadOnly))
            return file.read(102400);
    }
    return std::nullopt;
}

} // namespace

CEstimateInput CEstimateInput::Collect(const CMarivoltenDoc& doc, bool bReadExtras)
{
    CEstimateInput in;
    in.m_nSpans = std::clamp(g_nSpans, 0, MAX_SPANS);
    in.m_nGirders = std::clamp(g_nGirders, 0, MAX_GIRDERS);
    in.m_nBridgeType = g_nBridgeType;
    in.m_bSIUnits = g_bSIUnits;
    in.m_nPanelPoints = g_nPanelPoints;

    int panels = 0;
    for (int s = 0; s < in.m_nSpans && s < int(doc.m_aSpans.size()); ++s) {
        const CSpanData& data = doc.m_aSpans[size_t(s)];
        Span span;
        span.m_dLength = g_adSpanLength[s];
        span.m_nPanels = std::clamp(g_anPanelCount[s], 0, MAX_PANELS);
        span.m_aPoints = data.m_aPanelPoints;
        for (int k = 0; k <= span.m_nPanels && k < 21; ++k) {
            std::array<double, 12> h;
            std::copy(std::begin(data.m_aPanelSection[k].m_adH), std::end(data.m_aPanelSection[k].m_adH), h.begin());
            span.m_aHeights.push_back(h);
        }
        span.m_adGirderSpacing[0] = data.m_dGirderSpacing[0];
        span.m_adGirderSpacing[1] = data.m_dGirderSpacing[1];
        panels += span.m_nPanels;
        in.m_aSpans.push_back(std::move(span));
    }
    in.m_anRibDivisions.assign(std::begin(doc.m_anRibsPerPanel),
                               std::begin(doc.m_anRibsPerPanel) + std::min(panels, 281));

    for (int g = 0; doc.m_pGirders && g < in.m_nGirders; ++g)
        in.m_aGirders.push_back(doc.m_pGirders[g]);
    const double* heights = g_nBridgeType == 0 ? doc.m_dlgPlateGirder.m_adGirderHeight : doc.m_dlgBoxGirder.m_adGirderHeight;
    in.m_adGirderHeight.assign(heights, heights + in.m_nGirders);
    in.m_dWebSpacing = doc.m_dlgMainGirder.m_dWebSpacingA;
    in.m_adHaunchWeight.assign(doc.m_dlgSteelWeight.m_adHaunchWeight, doc.m_dlgSteelWeight.m_adHaunchWeight + in.m_nGirders);
    for (int line = 0; line <= in.m_nSpans; ++line) {
        double largest = 0.0;
        for (const CGirderDesign& girder : in.m_aGirders)
            largest = std::max(largest, girder.m_adMaxReaction[line]);
        in.m_adLineReaction.push_back(largest);
    }

    const BasicConditions& basic = doc.m_dlgBasic;
    in.m_nSidewalk = basic.m_nSidewalk;
    in.m_nSteelSpec = basic.m_nStandard;
    in.m_bHSteel = basic.m_nHSteel == 0;
    in.m_bZeroPaintCost = basic.m_bZeroPaintCost;
    in.m_bHeightVaries = basic.m_nHeightVariation == 0;

    const CSetupMainMemberDialog& mm = doc.m_dlgMainMember;
    in.m_bUseLeftBracket = mm.m_bUseLeftBracket;
    in.m_bUseRightBracket = mm.m_bUseRightBracket;
    in.m_bUseEdgeStringer = mm.m_bUseEdgeStringer;
    in.m_bUseLateral = mm.m_bUseLateral;
    in.m_bUseStringer = mm.m_bUseStringer;
    in.m_endSway = SwayOf(mm.m_dlgEndSway);
    in.m_midSway = SwayOf(mm.m_dlgMidSway);
    in.m_pierSway = SwayOf(mm.m_dlgPierSway);
    const CrossBeamTypeData& cb = mm.m_dlgCrossBeamType;
    in.m_crossBeam = {cb.m_nGrade, cb.m_dMemberDistB, cb.m_dFlangeThickness, cb.m_dFlangeWidth, cb.m_dWebThickness};
    const LateralBracingData& lat = mm.m_dlgLateral;
    in.m_lateral = {lat.m_nOuterSection, lat.m_nInnerSection, lat.m_nGrade};
    in.m_leftBracket = BracketOf(mm.m_dlgLeftBracket);
    in.m_rightBracket = BracketOf(mm.m_dlgRightBracket);
    in.m_edgeStringer = StringerOf(mm.m_dlgEdgeStringer, 1);
    in.m_stringer = StringerOf(mm.m_dlgMidStringer, mm.m_dlgMidStringer.m_nCount);

    const CSetupEstimateDialog& e = doc.m_dlgEstimate;
    const EstimateFactorData& f = e.m_dlgFactor;
    in.m_dGirderFactor = f.m_dGirderFactor;
    in.m_dFlangeRibFactor = f.m_dFlangeRibFactor;
    in.m_dCrossBeamFactor = f.m_dCrossBeamFactor;
    in.m_dSwayFactor = f.m_dSwayFactor;
    in.m_dLateralFactor = f.m_dLateralFactor;
    in.m_dBracketFactor = f.m_dBracketFactor;
    in.m_dEdgeStringerFactor = f.m_dEdgeStringerFactor;
    in.m_dStringerFactor = f.m_dStringerFactor;
    in.m_dStiffenerSpacing = f.m_dStiffenerSpacing;
    in.m_dGirderBoltFactor = f.m_dGirderBoltFactor;
    in.m_dCrossBeamBoltFactor = f.m_dCrossBeamBoltFactor;
    in.m_dGirderEndLength = f.m_dGirderEndLength;
    in.m_dExpansionJointUnitMass = f.m_dExpansionJointUnitMass;
    in.m_dRailingUnitMass = f.m_dRailingWeight;
    in.m_dDrainUnitMass = f.m_dDrainUnitMass;
    in.m_nDrainCount = f.m_nDrainCount;
    in.m_dPaintAreaPerTon = f.m_dPaintAreaPerTon;
    in.m_dOtherMassInput = f.m_dOtherMassInput;
    in.m_bGirderEndMass = f.m_bGirderEndMass;
    in.m_bSeparateRibMass = f.m_bSeparateRibMass;

    const EstimateLabourData& lab = e.m_dlgLabour;
    int* const prices[EstimateLabourData::ROWS] = {
        &in.m_nFabricationLabourRate, &in.m_nSundryUnitPrice,       &in.m_nPretreatUnitPrice,
        &in.m_nShopPaintUnitPrice,    &in.m_nSitePaintUnitPrice,    &in.m_nDeckSlabUnitPrice,
        &in.m_nRoadwayPavingUnitPrice, &in.m_nSidewalkPavingUnitPrice, &in.m_nBoltUnitPrice,
        &in.m_nDrainageUnitPrice,     &in.m_nTransportUnitPrice,    &in.m_nErectionUnitPrice};
    for (int row = 0; row < EstimateLabourData::ROWS; ++row)
        *prices[row] = lab.m_anPrice[EstimateLabourData::PriceIndex(row)];
    const EstimateSteelPriceData& steel = e.m_dlgSteelPrice;
    in.m_nScrapPrice = steel.m_anPrice[0];
    in.m_nSizeExtra = steel.m_anPrice[1];
    in.m_nPlateBasePrice = steel.m_anPrice[2];
    in.m_nShapeBasePrice = steel.m_anPrice[3];
    const EstimateBearingData& br = e.m_dlgBearing;
    in.m_nBearingPriceMode = br.m_nPriceMode;
    in.m_nRubberBearingPrice = br.m_nRubberPricePerTon;
    in.m_nBearingPricePerPiece = br.m_nPricePerBearing;
    const EstimateFittingData& fit = e.m_dlgFitting;
    in.m_nRailingType = fit.m_nRailingType;
    in.m_nRailingPost = fit.m_nRailingPost;
    in.m_nJointType = fit.m_nJointType;
    in.m_nCurveSkewCorrection = fit.m_nCurveSkewCorrection;
    in.m_nMultiSpanCorrection = fit.m_nMultiSpanCorrection;
    in.m_nRailingUnitPrice = fit.m_nRailingUnitPrice;
    in.m_nJointUnitPrice = fit.m_nJointUnitPrice;
    const EstimateOverheadData& oh = e.m_dlgOverhead;
    in.m_nCostMethod = oh.m_nCostMethod;
    in.m_nRegion = oh.m_nRegion;
    in.m_dSeasonPercent = oh.m_dSeasonPercent;
    in.m_dPrepaymentFactor = oh.m_dPrepaymentFactor;
    in.m_dGuaranteePercent = oh.m_dGuaranteePercent;
    in.m_bHSectionCrossBeams = e.m_dlgOption.m_bHSectionCrossBeams;
    in.m_dIndirectLabourRate = doc.m_dIndirectLabourRate;
    in.m_dShopOverheadRate = doc.m_dShopOverheadRate;

    if (bReadExtras)
        in.m_extraFile = ReadExtraFile();
    return in;
}

void CMarivoltenDoc::CalcEstimate()
{
    CTimeSpent spent(m_runTimes.estimate);
    ++m_nEstimateRuns;
    // The estimate works on the girders' designs; without them it has nothing to count.
    if (!m_pGirders)
        return;
    AllocStationDrawers();
    const CEstimateInput input = CEstimateInput::Collect(*this);
    const estimate::Result result = estimate::RunEstimate(input);
    static_cast<CEstimateData&>(*this) = result.data;
    for (int g = 0; g < g_nGirders && size_t(g) < result.sections.size(); ++g) {
        std::vector<CSectionRecord>& sections = m_pGirders[g].m_pSections;
        for (size_t s = 0; s < sections.size() && s < result.sections[size_t(g)].size(); ++s) {
            const estimate::SectionResult& r = result.sections[size_t(g)][s];
            CSectionRecord& rec = sections[s];
            std::copy(std::begin(r.anSteelCode), std::end(r.anSteelCode), rec.m_anSteelCode);
            std::copy(std::begin(r.anPriceClass), std::end(r.anPriceClass), rec.m_anPriceClass);
            rec.m_dMassUpper = r.dMassUpper;
            rec.m_dMassWeb = r.dMassWeb;
            rec.m_dMassLower = r.dMassLower;
            rec.m_dMassRibUpper = r.dMassRibUpper;
            rec.m_dMassRibLower = r.dMassRibLower;
        }
    }
    // A bad file is named once per program run, not at every estimate of every grillage run;
    // a changed file is named again.
    static std::optional<QByteArray> s_warnedExtras;
    if (result.extrasFromFile && result.extras != estimate::ExtrasStatus::Read && input.m_extraFile &&
        s_warnedExtras != input.m_extraFile) {
        s_warnedExtras = input.m_extraFile;
        AfxMessageBox(result.extras == estimate::ExtrasStatus::Short
                          ? QStringLiteral("extra.txt に鋼材のエキストラ単価が97個ありません。\n標準のエキストラ単価で計算します。")
                          : QStringLiteral("extra.txt のエキストラ単価を読み取れません。\n標準のエキストラ単価で計算します。"),
                      MB_OK | MB_ICONEXCLAMATION);
    }
}

int CMarivoltenDoc::AllocStationDrawers()
{
    m_nStationDrawers = std::max(g_nCrossSections, 0);
    m_pStationDrawers = std::make_unique<CCrossSectionDrawer[]>(size_t(m_nStationDrawers));
    for (int i = 0; i < m_nStationDrawers; ++i)
        m_pStationDrawers[size_t(i)].Setup(this, i);
    return 1;
}
