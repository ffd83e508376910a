// The grillage analysis runs of the document: the input from the design, the solver chain,
// the listing read into fresh objects, and the section design between and after the passes.
// Nothing of the document changes until a pass has been read whole.
#include "app/doc.h"
#include "analysis/grillage_listing.h"
#include "app/design_collect.h"
#include "app/grillage_collect.h"
#include "app/mainfrm.h"
#include "app/marivolten.h"
#include "app/progress_dlg.h"
#include "app/solver_chain.h"
#include "design/design_input.h"
#include "design/girder_design.h"
#include "framework/msgbox.h"
#include "framework/parallel.h"
#include "res/resource_ids.h"
#include "solver/solver_files.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <memory>

namespace {

constexpr double kGravity = 9.80665;
constexpr int kAborted = -1;

bool AbortTestAsked()
{
    const QString& text = theApp.m_dlgTestCommand.m_strCommand;
    return text.contains(QStringLiteral("Wexel")) || text.contains(QStringLiteral("wexel")) ||
           text.contains(QStringLiteral("WEXEL"));
}

}

// The choice of a re-run: what becomes of the sections the user edited.
class CRerunDialog : public CDialog {
public:
    CRerunDialog() : CDialog(IDD_RERUN) {}
    void DoDataExchange(CDataExchange* pDX) override { DDX_Radio(pDX, IDC_RERUN_KEEP, m_nChoice); }
    int m_nChoice = 1;  // 0 keep every plate and check, 1 redesign within the layout
};

// The grillage input of one pass written into the Work folder; FALSE when it cannot be.
bool CMarivoltenDoc::WritePassInput(const CSolverChain& chain, int nPass, const CGirderDesign* pSource,
                                    const std::string& stamp)
{
    CGrillageInput input = CollectGrillageInput(*this, nPass, stamp);
    // Girder members take their properties from the sections; the single box's web lines carry none.
    const int members = std::max(g_nPanelPoints - 1, 0);
    for (int g = 0; g < g_nGirders && g < MAX_GIRDERS; ++g) {
        const bool carries = g_nBridgeType != 2 || g == 1;
        for (int m = 0; m < members && size_t(g * members + m) < input.m_aMembers.size(); ++m) {
            CMemberProperties& p = input.m_aMembers[size_t(g * members + m)];
            p = CMemberProperties();
            if (carries)
                pSource[g].GetMemberProperties(m, p.m_dArea, p.m_dI, p.m_dJ);
        }
        // After the first pass the girders weigh what their sections weigh, or with the
        // last choice what the estimate's main members weigh, shared out over the girders.
        if (nPass != 1 && carries) {
            double weight = pSource[g].GetSteelWeightPerLength(0);
            const double length = pSource[g].m_dGirderLength;
            if (m_dlgSteelWeight.m_nDeadLoadChoice == 3 && length > 1e-20) {
                const double mass = m_dMainMemberMass + m_dGirderBoltMass + m_dCrossBeamBoltMass;
                weight = mass / (g_nBridgeType == 2 ? 1 : std::max(g_nGirders, 1)) / length;
            }
            input.m_adSteelWeight[g] = weight * (g_bSIUnits ? kGravity : 1.0);
        }
    }
    if (SaveGrillageInput(input, chain.WorkFile(mvgfiles::kInputFile).toStdString()) != 0)
        return false;
    for (int g = 0; g < g_nGirders; ++g)
        const_cast<CGirderDesign&>(pSource[g]).StoreAssumedProperties();
    return true;
}

int CMarivoltenDoc::RunPass(CSolverChain& chain, int nPass, const CGirderDesign* pSource, CGirderDesign* pTarget,
                            double* adImpact)
{
    CRunTimes::Pass& times = m_runTimes.passes[std::clamp(nPass, 1, 3) - 1];
    {
        CTimeSpent spent(times.input);
        if (!chain.Prepare())
            return mvgfiles::kWorkFolder;
    }
    // Later passes weigh the designed girders; the estimate knows their masses.
    const CGirderDesign& carrier = pSource[g_nBridgeType == 2 ? 1 : 0];
    if (nPass != 1 && !carrier.m_pSections.empty() && carrier.m_pSections.front().m_dWWhole > 1e-20)
        CalcEstimate();
    const std::string stamp = MakeRunStamp(QDateTime::currentSecsSinceEpoch(), QCoreApplication::applicationPid(), nPass);
    {
        CTimeSpent spent(times.input);
        if (!WritePassInput(chain, nPass, pSource, stamp))
            return mvgfiles::kWorkFolder;
    }
    if (AbortTestAsked() && m_dlgAbortConfirm.DoModal() == IDOK)
        return kAborted;

    if (m_pProgressDlg && !m_pProgressDlg->IsShown())
        m_pProgressDlg->Start(m_nAnimation);
    m_bCalcRunning = 1;
    int code = 0;
    {
        CTimeSpent spent(times.solver);
        code = chain.Run();
    }
    m_bCalcRunning = 0;
    if (code != 0)
        return code;

    CTimeSpent spent(times.listing);
    QFile file(chain.WorkFile(mvgfiles::kListingFile));
    if (!file.open(QIODevice::ReadOnly))
        return mvgfiles::kListingBroken;
    const std::vector<std::string> lines = SplitListingLines(file.readAll().toStdString());
    const CListingShape shape = CListingShape::For(g_nBridgeType, g_nGirders, g_nSpans, g_nPanelPoints);
    const int liveLoad = m_dlgBasic.m_nLiveLoad;
    const bool ok = CheckListingFrame(lines, stamp) && ParseImpactCoefficients(lines, shape, adImpact) &&
                    ParseReactions(lines, shape, pTarget) &&
                    (liveLoad == 2 || liveLoad == 3 || ParseReactionDetail(lines, shape, pTarget)) &&
                    ParseDeflections(lines, shape, pTarget) && ParseMemberForces(lines, shape, pTarget);
    return ok ? 0 : mvgfiles::kListingBroken;
}

void CMarivoltenDoc::StoreMaxReactions()
{
    for (int g = 0; m_pGirders && g < g_nGirders; ++g) {
        CGirderDesign& girder = m_pGirders[g];
        for (int s = 0; s <= MAX_SPANS; ++s)
            girder.m_adMaxReaction[s] = s <= g_nSpans && !(g_nBridgeType == 2 && g == 2)
                                            ? std::max(girder.m_adReactDLPlus[s], girder.m_adReactDLMinus[s])
                                            : 0.0;
    }
    for (int s = 0; s <= MAX_SPANS; ++s) {
        double largest = 0.0;
        for (int g = 0; m_pGirders && g < g_nGirders; ++g)
            largest = std::max(largest, m_pGirders[g].m_adMaxReaction[s]);
        m_adSupportMaxReaction[s] = largest;
    }
}

void CMarivoltenDoc::StoreAssumedAreas()
{
    // The sections keep what the analysis ran with; their own areas are the design's since.
    for (int g = 0; m_pGirders && g < g_nGirders && g < MAX_GIRDERS; ++g)
        m_adAssumedArea[g] = m_pGirders[g].GetMeanArea(true);
}

void CMarivoltenDoc::CommitRun(CSolverChain& chain, const double* adImpact, const char* message)
{
    StoreMaxReactions();
    StoreAssumedAreas();
    // New results: the force window fits them to its height again.
    m_bForceVScaleChosen = 0;
    std::copy(adImpact, adImpact + MAX_SPANS + 1, m_adImpactCoef);
    chain.Wipe();
    if (m_pProgressDlg)
        m_pProgressDlg->Stop();
    MessageBeep();
    AfxMessageBox(QString::fromUtf8(message), MB_OK);
    CalcEstimate();
    m_nDesignRunMode = 0;
}

void CMarivoltenDoc::ReportFailedRun(int code)
{
    if (m_pProgressDlg)
        m_pProgressDlg->Stop();
    m_nDesignRunMode = 0;
    if (code == kAborted)
        return;
    g_nSolverError = code;
    ReportSolverError();
}

int CMarivoltenDoc::RunGrillageCalc()
{
    if (m_aSpans.empty() || g_nSpans == 0)
        return 0;
    if (!m_bGeometryConsistent) {
        ReportInconsistentLayout();
        return 0;
    }
    const int firstDesignBefore = m_bFirstDesign;
    if (m_bFirstDesign == 0) {
        bool same = m_nLayoutGirders == g_nGirders && m_nLayoutSpans == g_nSpans && m_pnLayoutSpanLineType;
        for (int s = 0; same && s < g_nSpans && s < int(m_aSpans.size()); ++s)
            same = m_pnLayoutSpanLineType[s] == m_aSpans[size_t(s)].m_bCurvedGirders;
        m_bFirstDesign = same ? 0 : 1;
    }
    m_runTimes = CRunTimes();
    CalcCrossMemberSections();

    const int G = g_nGirders;
    auto pNew = std::make_unique<CGirderDesign[]>(size_t(G));
    for (int g = 0; g < G; ++g) {
        pNew[g].m_nGirderNo = g;
        pNew[g].m_nBridgeType = g_nBridgeType;
        pNew[g].m_anDetailNode[0][0] = -1;
        pNew[g].InitSingleSection(CDesignInput::Collect(*this, g));
    }
    auto fail = [&](int code) {
        if (m_pGirders == pNew.get()) {
            m_pGirders = nullptr;
            UpdateAllViews(nullptr);
        }
        m_bFirstDesign = firstDesignBefore;
        ReportFailedRun(code);
        return 0;
    };

    CSolverChain chain;
    double impact[MAX_SPANS + 1] = {};
    m_nDesignRunMode = 1;
    if (const int code = RunPass(chain, 1, pNew.get(), pNew.get(), impact))
        return fail(code);
    // The objects belong to the document from here; the views may draw the first pass.
    m_pGirders = pNew.get();
    {
        CTimeSpent spent(m_runTimes.passes[0].design);
        for (int g = 0; g < G; ++g)
            pNew[g].m_input = CDesignInput::Collect(*this, g);
        AfxParallelFor(G, [&](int g) { pNew[g].LoadResultsAndDesign(pNew[g].m_input); });
    }
    StoreMaxReactions();
    m_bFirstDesign = 1;

    m_nDesignRunMode = 2;
    auto pStage = std::make_unique<CGirderDesign[]>(size_t(G));
    for (int g = 0; g < G; ++g) {
        pStage[g].m_nGirderNo = g;
        pStage[g].m_nBridgeType = g_nBridgeType;
    }
    if (const int code = RunPass(chain, 2, pNew.get(), pStage.get(), impact))
        return fail(code);
    // The weight assumed is the one this analysis was given, before the design that follows it.
    double assumedWeight[MAX_GIRDERS] = {};
    for (int g = 0; g < G && g < MAX_GIRDERS; ++g)
        assumedWeight[g] = pNew[g].GetSteelWeightPerLength(0);
    {
        CTimeSpent spent(m_runTimes.passes[1].design);
        for (int g = 0; g < G; ++g)
            pNew[g].m_input = CDesignInput::Collect(*this, g);
        AfxParallelFor(G, [&](int g) {
            pNew[g].CopyResults(pStage[g]);
            pNew[g].LoadResultsAndDesign(pNew[g].m_input);
        });
    }
    pNew.release();
    std::copy(std::begin(assumedWeight), std::end(assumedWeight), m_adAssumedWeightPerLength);
    CommitRun(chain, impact, "計算終了!");
    return 1;
}

int CMarivoltenDoc::RerunGrillageCalc()
{
    if (m_aSpans.empty() || g_nSpans == 0 || !m_pGirders)
        return 0;
    if (!m_bGeometryConsistent) {
        ReportInconsistentLayout();
        return 0;
    }
    LoadDialogSetting();
    CRerunDialog dlg;
    dlg.m_nChoice = m_nDialogSetting == 0 ? 0 : 1;
    if (dlg.DoModal() != IDOK)
        return 0;
    m_nDialogSetting = dlg.m_nChoice;
    SaveDialogSetting();
    SaveSectionLayout();
    m_runTimes = CRunTimes();
    CalcCrossMemberSections();

    const int G = g_nGirders;
    m_nDesignRunMode = 3;
    // The assumed properties are written over by the input; a failed run puts them back.
    struct Assumed {
        double area, i, j;
    };
    std::vector<std::vector<Assumed>> kept(static_cast<size_t>(G));
    for (int g = 0; g < G; ++g)
        for (const CSectionRecord& r : m_pGirders[g].m_pSections)
            kept[size_t(g)].push_back({r.m_dAssumedArea, r.m_dAssumedI, r.m_dAssumedJ});
    auto pStage = std::make_unique<CGirderDesign[]>(size_t(G));
    for (int g = 0; g < G; ++g) {
        pStage[g].m_nGirderNo = g;
        pStage[g].m_nBridgeType = g_nBridgeType;
    }
    CSolverChain chain;
    double impact[MAX_SPANS + 1] = {};
    if (const int code = RunPass(chain, 3, m_pGirders, pStage.get(), impact)) {
        for (int g = 0; g < G; ++g)
            for (size_t s = 0; s < kept[size_t(g)].size() && s < m_pGirders[g].m_pSections.size(); ++s) {
                CSectionRecord& r = m_pGirders[g].m_pSections[s];
                r.m_dAssumedArea = kept[size_t(g)][s].area;
                r.m_dAssumedI = kept[size_t(g)][s].i;
                r.m_dAssumedJ = kept[size_t(g)][s].j;
            }
        ReportFailedRun(code);
        return 0;
    }
    const int keep = dlg.m_nChoice == 0 ? 2 : 1;
    {
        CTimeSpent spent(m_runTimes.passes[2].design);
        for (int g = 0; g < G; ++g)
            m_pGirders[g].m_input = CDesignInput::Collect(*this, g);
        AfxParallelFor(G, [&](int g) {
            m_pGirders[g].CopyResults(pStage[g]);
            m_pGirders[g].RedesignAll(m_pGirders[g].m_input, keep);
        });
    }
    CommitRun(chain, impact, "格子計算終了!");
    return 1;
}
