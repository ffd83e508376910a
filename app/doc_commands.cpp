// The document's commands: the input steps, the calculations, invalidation,
// the animation choice and Save As, with the rules that enable them.
#include "app/design_collect.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/app.h"
#include "framework/cmdids.h"
#include "framework/msgbox.h"
#include "framework/profile.h"
#include "input/design_questions.h"
#include "input/modeless_dialogs.h"

namespace {

void Enable(CCmdUI* ui, bool on) { ui->Enable(on ? TRUE : FALSE); }
}

void CMarivoltenDoc::RegisterCommands()
{
    HandleCommand(ID_SETUP_BASIC, [this] { OnBasicCondition(); });
    HandleCommand(ID_SETUP_SPAN, [this] { OnSpanPanel(); });
    HandleCommand(ID_SETUP_MAIN_GIRDER, [this] { OnMainGirderData(); });
    HandleCommand(ID_SETUP_MAIN_GIRDER2, [this] { OnMainGirderData2(); });
    HandleCommand(ID_SETUP_MAIN_MEMBER, [this] { OnMainMemberData(); });
    HandleCommand(ID_SETUP_DEAD_LOAD, [this] { OnDeadLoad(); });
    HandleCommand(ID_SETUP_STEEL_WEIGHT, [this] { OnSteelWeightHaunch(); });
    HandleCommand(ID_SETUP_ESTIMATE, [this] { OnEstimateData(); });
    HandleCommand(ID_CALC_GRILLAGE, [this] { OnGrillageCalc(); });
    HandleCommand(ID_CALC_ESTIMATE, [this] { OnEstimate(); });
    HandleCommand(ID_INVALIDATE_RESULTS, [this] { OnInvalidateResults(); });
    HandleCommand(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    HandleCommand(ID_CALCULATOR_TIGER, &CMarivoltenDoc::OnAnimationMechanical);
    HandleCommand(ID_CALCULATOR_CACIO, &CMarivoltenDoc::OnAnimationElectronic);
    HandleCommand(ID_OPTION_SI_UNITS, [this] { OnUseSIUnits(); });
    HandleCommand(ID_OPTION_NO_A3, [this] { OnNoA3Paper(); });

    HandleUpdate(ID_SETUP_BASIC, [](CCmdUI* ui) { Enable(ui, g_bCoordinatePlan == 0); });
    HandleUpdate(ID_SETUP_SPAN, [](CCmdUI* ui) { Enable(ui, g_nSpans != 0 && g_bCoordinatePlan == 0); });
    for (UINT id : std::initializer_list<UINT>{ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2, ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT,
                    ID_SETUP_ESTIMATE, ID_SETUP_MAIN_MEMBER, ID_CALC_GRILLAGE, UINT(ID_FILE_SAVE), UINT(ID_FILE_SAVE_AS)})
        HandleUpdate(id, [](CCmdUI* ui) { Enable(ui, g_nSpans != 0); });
    for (UINT id : std::initializer_list<UINT>{ID_CALC_ESTIMATE, ID_INVALIDATE_RESULTS})
        HandleUpdate(id, [](CCmdUI* ui) { Enable(ui, g_bResultsValid == 1); });
    HandleUpdate(ID_CALCULATOR_TIGER, &CMarivoltenDoc::OnUpdateAnimationMechanical);
    HandleUpdate(ID_CALCULATOR_CACIO, &CMarivoltenDoc::OnUpdateAnimationElectronic);
    HandleUpdate(ID_OPTION_SI_UNITS, [](CCmdUI* ui) { ui->SetCheck(g_bSIUnits == 1); });
    HandleUpdate(ID_OPTION_NO_A3, [](CCmdUI* ui) { ui->SetCheck(g_bNoA3Paper == 1); });
}

int CMarivoltenDoc::RunInputDialog(CDialog& dlg, bool hideModeless)
{
    if (hideModeless) {
        for (CWnd* w : std::initializer_list<CWnd*>{g_pPanelDlg, g_pCrossSectionDlg, g_pCrossBeamDlg})
            if (w && w->GetSafeHwnd())
                w->ShowWindow(SW_HIDE);
    }
    // A dialog that is cancelled leaves no trace of what it held meanwhile.
    const CDesignState before = CaptureDesign();
    const int rebuilds = m_nRebuildCount;
    const int result = dlg.DoModal();
    if (result == IDOK)
        SetModifiedFlag();
    else
        ApplyDesign(before);
    // A rebuild has told the views already.
    if (m_nRebuildCount == rebuilds)
        UpdateAllViews(nullptr);
    return result;
}

void CMarivoltenDoc::OnBasicCondition()
{
    if (RunInputDialog(m_dlgBasic) == IDOK && g_nBridgeType > 0)
        m_dlgMainMember.m_bUseLateral = 0;
}

// The dialog's OK stores the spans and asks for the rebuild itself.
void CMarivoltenDoc::OnSpanPanel() { RunInputDialog(m_dlgSpan); }

void CMarivoltenDoc::ReportInconsistentLayout()
{
    if (m_bGeometryConsistent)
        return;
    AfxMessageBox(QStringLiteral("設定変更等により不整合が生じています。\n入力項目の再確認／設定を行って下さい。"));
    m_bGeometryConsistent = 1;
}

void CMarivoltenDoc::OnMainGirderData() { RunInputDialog(m_dlgMainGirder); }

void CMarivoltenDoc::OnMainGirderData2()
{
    if (g_nBridgeType == 0)
        RunInputDialog(m_dlgPlateGirder);
    else if (g_nBridgeType == 1 || g_nBridgeType == 2)
        RunInputDialog(m_dlgBoxGirder);
}

void CMarivoltenDoc::OnMainMemberData() { RunInputDialog(m_dlgMainMember); }
void CMarivoltenDoc::OnDeadLoad() { RunInputDialog(m_dlgDeadLoad); }
void CMarivoltenDoc::OnSteelWeightHaunch() { RunInputDialog(m_dlgSteelWeight); }

// The dialog's OK recalculates the estimate when there are results to estimate from.
void CMarivoltenDoc::OnEstimateData() { RunInputDialog(m_dlgEstimate, false); }

void CMarivoltenDoc::OnGrillageCalc()
{
    m_nAnimation = ReadAnimationChoice();
    if (m_bGrillageNotRun) {
        if (!RunGrillageCalc())
            return;     // failed or stopped: nothing changes
        m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    } else if (!RerunGrillageCalc()) {
        return;         // a failed re-run keeps the results it had, unmarked
    }
    RefreshDesignInputs(*this);
    for (int g = 0; m_pGirders && g < g_nGirders && g < MAX_GIRDERS; ++g)
        m_adDesignWeightPerLength[g] = m_pGirders[g].GetSteelWeightPerLength(1);
    SetModifiedFlag();
    m_nFileVersion = 1830;
    m_bDetailDataAvailable = 1;
    if (g_pMainFrame) {
        g_pMainFrame->SetStepDone(ID_CALC_GRILLAGE, 1);
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, 1);
        g_pMainFrame->SetDetailDataFlag(1);
    }
    m_dlgMainGirder.m_dlgJointPosition.ComputeBlockLengths();
    UpdateAllViews(nullptr);
}

void CMarivoltenDoc::OnEstimate()
{
    CalcEstimate();
    SetModifiedFlag();
    if (g_pMainFrame)
        g_pMainFrame->SetStepDone(ID_CALC_ESTIMATE, 1);
    UpdateAllViews(nullptr);
}

void CMarivoltenDoc::OnInvalidateResults()
{
    if (AfxMessageBox(QString::fromUtf8(kResultsQuestion), MB_OKCANCEL) != IDOK)
        return;
    InvalidateResults();
    if (g_pMainFrame)
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, 0);
}

void CMarivoltenDoc::OnFileSaveAs()
{
    if (g_nSpans == 0) {
        AfxMessageBox(QStringLiteral("データが作成されていません。"));
        return;
    }
    DoSave(QString());
}

int CMarivoltenDoc::ReadAnimationChoice()
{
    m_nAnimation = AfxGetProfileString(QStringLiteral("Animation"), QStringLiteral("name")).toInt();
    return m_nAnimation;
}

void CMarivoltenDoc::SetAnimationChoice(int nChoice)
{
    m_nAnimation = nChoice;
    AfxWriteProfileString(QStringLiteral("Animation"), QStringLiteral("name"), QString::number(nChoice));
}

void CMarivoltenDoc::OnAnimationMechanical() { SetAnimationChoice(0); }
void CMarivoltenDoc::OnAnimationElectronic() { SetAnimationChoice(1); }
void CMarivoltenDoc::OnUpdateAnimationMechanical(CCmdUI* pCmdUI) { pCmdUI->SetCheck(ReadAnimationChoice() == 0); }
void CMarivoltenDoc::OnUpdateAnimationElectronic(CCmdUI* pCmdUI) { pCmdUI->SetCheck(ReadAnimationChoice() == 1); }

int CMarivoltenDoc::UpdateGirderCentreLine()
{
    if (m_aSpans.empty() || g_nSpans == 0 || g_nGirders == 0)
        return 0;
    for (int s = 0; s < g_nSpans && s < m_nBuiltSpans; ++s) {
        CSpanData& span = m_aSpans[size_t(s)];
        for (int end = 0; end < 2; ++end) {
            const double spacing = g_pPanelDlg ? g_pPanelDlg->m_adGirderSpacing[s][end] : 0.0;
            const double toG1 = (span.m_nGirders - 1) * spacing / 2.0;
            span.m_dG1Offset[end] = toG1;
            if (g_pPanelDlg)
                g_pPanelDlg->m_adBaseToG1[s][end] = toG1;
        }
        for (CStationRecord& st : span.m_aStations)
            st.m_dB1 = st.m_dEdgeL + (st.m_dWidth - st.m_dEdgeL - st.m_dEdgeR) / 2.0;
    }
    if (g_pCrossSectionDlg) {
        // Stations over the whole bridge; a support shared by two spans takes one entry.
        std::vector<double>& b1 = g_pCrossSectionDlg->m_arrB1;
        size_t index = 0;
        const CStationRecord* last = nullptr;
        for (int s = 0; s < g_nSpans && s < m_nBuiltSpans; ++s) {
            const CSpanData& span = m_aSpans[size_t(s)];
            for (const CStationRecord& st : span.m_aStations) {
                if (index < b1.size())
                    b1[index] = st.m_dB1;
                ++index;
                last = &st;
            }
            if (index > 0)
                --index;
        }
        if (last && index < b1.size())
            b1[index] = last->m_dWidth / 2.0;
    }
    return 1;
}
