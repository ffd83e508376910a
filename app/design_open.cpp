// A design just read from a file: the plan is rebuilt and older formats are converted.
#include "app/design_collect.h"
#include "app/doc.h"
#include "app/mainfrm.h"
#include "design/girder_design.h"
#include "framework/msgbox.h"
#include "input/modeless_dialogs.h"

namespace {

// The oldest format a file lacks is named, once.
struct OldFormat {
    int flag;
    const char* text;
};
const OldFormat kOldFormats[] = {
    {1, "Ver.1.406より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {2, "Ver.1.407形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {3, "Ver.1.5より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {4, "Ver.1.514より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {5, "Ver.1.6より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {6, "Ver.1.605より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。\n詳細データは使用できません。"},
    {7, "Ver.1.611より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {8, "Ver.1.614より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {9, "Ver.1.617より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {10, "Ver.1.620より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
    {12, "Ver.1.700より旧い形式のデータファイルです。\n保存時に自動的に新しいファイル形式に変換されます。"},
};

void Message(const char* text) { AfxMessageBox(QString::fromUtf8(text)); }

}

void CMarivoltenDoc::TakeLoadedDesign(const CDesignState& value)
{
    ApplyDesign(value);
    RefreshDesignInputs(*this);
    if (m_pGirders && m_bGrillageNotRun == 0)
        for (int g = 0; g < g_nGirders; ++g)
            m_pGirders[g].RestoreDerived(m_pGirders[g].m_input, m_abFormatFlags[1] != 0);
    // What a run derives from its reactions is not stored; the estimate of the rebuild needs it.
    if (m_pGirders && m_bGrillageNotRun == 0) {
        StoreMaxReactions();
        StoreAssumedAreas();
    }
    m_nCalcGirder = g_nBridgeType == 2 ? 1 : 0;
    if (m_pGirders && (m_dlgMainGirder.m_bConstFlangeWidth || g_nBridgeType != 0))
        for (int g = 0; g < g_nGirders; ++g)
            m_pGirders[g].UpdateMaxFlangeWidths();
    Rebuild(RebuildReason::Load);
    ConvertLoadedDesign();
}

void CMarivoltenDoc::ConvertLoadedDesign()
{
    auto has = [this](int flag) { return m_abFormatFlags[flag - 1] != 0; };
    const bool results = m_bGrillageNotRun == 0 && m_pGirders;
    m_bDetailDataAvailable = 1;
    for (const OldFormat& old : kOldFormats)
        if (!has(old.flag)) {
            Message(old.text);
            break;
        }
    if (!m_bNewGirderTypeFormat) {
        bool oldTypes = false;
        for (int s = 0; g_pPanelDlg && s < g_nSpans; ++s)
            oldTypes |= g_pPanelDlg->m_anBaseLineType[s] == 1 && g_pPanelDlg->m_anGirderLineType[s] == 0;
        if (oldTypes)
            Message("桁タイプ設定が旧形式です。\n改良されたパターン入力機能を利用するには、データを作成し直す必要があります。");
        else
            m_bNewGirderTypeFormat = 1;
    }
    if (!has(6)) {
        if (results && !m_pGirders[0].m_pnNodeI.empty())
            m_pGirders[0].m_pnNodeI[0] = -1;
        if (g_pMainFrame)
            g_pMainFrame->SetDetailDataFlag(0);
        m_bDetailDataAvailable = 0;
    }
    if (!has(9) && results)
        m_pGirders[0].m_anDetailNode[0][0] = -1;
    // Loads of files older than the unit choice are gravitational.
    if (!has(3) && g_bSIUnits == 1) {
        ConvertUnits(1);
        InvalidateResults();
    }
    if (g_pMainFrame)
        g_pMainFrame->RefreshStepButtons();
    if (!m_bGeometryConsistent && m_pGirders)
        for (int g = 0; g < g_nGirders; ++g)
            for (CSectionRecord& section : m_pGirders[g].m_pSections)
                section.m_anJointKind[0] = section.m_anJointKind[1] = 0;
    ReportInconsistentLayout();
    CEstimateFittingDialog& fitting = m_dlgEstimate.m_dlgFitting;
    if (fitting.m_nMultiSpanCorrection == 0) {
        Message("＜積算データ＞の重連補正を「自動決定」より「補正なし」に変更します。\n"
                "支間長、主桁本数、斜角、曲率が同一の橋梁が重連する場合に\n"
                "連数による補正を行って下さい。");
        fitting.m_nMultiSpanCorrection = 1;
        fitting.DoModal();
        InvalidateResults();
        SetModifiedFlag(TRUE);
    }
    if (g_pMainFrame)
        g_pMainFrame->EnableHeightCommands(m_dlgBasic.m_nHeightVariation, m_bGrillageNotRun == 0 ? 1 : 0);
    m_bFirstDesign = m_bGrillageNotRun;
}
