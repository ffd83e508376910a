#include "input/modeless_dialogs.h"
#include "framework/msgbox.h"
#include "geometry/plan_core.h"

#include <algorithm>

CSetupCrossSectionDialog* g_pCrossSectionDlg = nullptr;
CSetupPanelDialog* g_pPanelDlg = nullptr;
CSetupCrossBeamDialog* g_pCrossBeamDlg = nullptr;
CSetupBlockDialog* g_pBlockDlg = nullptr;
CSetupHeightDialog* g_pHeightDlg = nullptr;

namespace {
const double kDefaultB[12] = {4.5, 0.4, 1.0, 0.5, 1.0, 0.4, 0.2, 0.2, 0.2, 0.2, 1.05, 1.05};
// The curb rises start at 0; the defaults of a new design derive them from the other heights.
const double kDefaultH[12] = {0.25, 0.03, 0.26, 0.08, 0.21, 0.2, 0.08, 0.25, 0.03, 0.26, 0.0, 0.0};
// The span layout of a new design: every span 30 m with two free sections.
const double kNewSpanLength[MAX_SPANS] = {30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30};
const int kNewFreeSections[MAX_SPANS] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2};
const int kNewPanelCount[MAX_SPANS] = {6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6, 6};
}

CrossSectionData::CrossSectionData()
    : m_arrTheta(STATIONS, 1.570796326795), m_arrOverhangAddL(STATIONS, 0.0), m_arrOverhangAddR(STATIONS, 0.0)
{
    for (int i = 1; i <= 12; ++i) {
        B(i).assign(STATIONS, kDefaultB[i - 1]);
        H(i).assign(STATIONS, kDefaultH[i - 1]);
    }
    SeedStationPositions(kNewSpanLength, kNewFreeSections);
}

std::vector<double>& CrossSectionData::B(int i)
{
    std::vector<double>* b[12] = {&m_arrB1, &m_arrB2, &m_arrB3, &m_arrB4, &m_arrB5, &m_arrB6,
                                  &m_arrB7, &m_arrB8, &m_arrB9, &m_arrB10, &m_arrB11, &m_arrB12};
    return *b[std::clamp(i, 1, 12) - 1];
}

std::vector<double>& CrossSectionData::H(int i)
{
    std::vector<double>* h[12] = {&m_arrH1, &m_arrH2, &m_arrH3, &m_arrH4, &m_arrH5, &m_arrH6,
                                  &m_arrH7, &m_arrH8, &m_arrH9, &m_arrH10, &m_arrH11, &m_arrH12};
    return *h[std::clamp(i, 1, 12) - 1];
}

void CrossSectionData::SeedStationPositions(const double* adSpanLength, const int* anFreeSections)
{
    // Every support at 0, the free sections dividing their spans equally.
    m_arrD.clear();
    for (int i = 0; i < MAX_SPANS; ++i)
        for (int k = 0; k <= anFreeSections[i]; ++k)
            m_arrD.push_back(adSpanLength[i] / (anFreeSections[i] + 1) * k);
    m_arrD.push_back(0.0);
}

PanelDivisionData::PanelDivisionData()
{
    for (int s = 0; s < MAX_SPANS; ++s) {
        for (int e = 0; e < 2; ++e) {
            m_adBaseToG1[s][e] = 2.6;
            m_adGirderSpacing[s][e] = 2.3;
            m_adSkew[s][e] = 1.570796326795;
        }
        m_adBaseRadius[s] = -100.0;
        m_anGirderLineType[s] = 0;
        m_anCrossBeamDir[s] = 0;
        m_anBaseLineType[s] = 0;
    }
}

CrossBeamArrangementData::CrossBeamArrangementData()
{
    // A new design has no spans yet.
    PlanCore::DefaultArrangement(0, 0, kNewPanelCount, m_anMemberKind, m_abDistributing);
}

void CSetupCrossBeamDialog::InitArrangement(int bAll)
{
    if (bAll == 1 && m_bResetArrangement == 0) {
        AfxMessageBox(QStringLiteral("横桁配置を初期化します。\n＜横桁配置＞入力で横桁配置、分配/非分配を再設定して下さい。"));
        m_bResetArrangement = 1;
    }
    PlanCore::DefaultArrangement(g_nBridgeType, g_nSpans, g_anPanelCount, m_anMemberKind, m_abDistributing);
}

HeightChangeData::HeightChangeData()
{
    // Each span's support, no change points yet, then the last support: all at position 0.
    for (double& p : m_adPointPos)
        p = 0.0;
    for (auto& point : m_adPointHeight)
        for (double& h : point)
            h = 1.0;
}

void CreateModelessInputs()
{
    if (!g_pCrossSectionDlg)
        g_pCrossSectionDlg = new CSetupCrossSectionDialog;
    if (!g_pPanelDlg)
        g_pPanelDlg = new CSetupPanelDialog;
    if (!g_pCrossBeamDlg)
        g_pCrossBeamDlg = new CSetupCrossBeamDialog;
    if (!g_pBlockDlg)
        g_pBlockDlg = new CSetupBlockDialog;
    if (!g_pHeightDlg)
        g_pHeightDlg = new CSetupHeightDialog;
}

void DeleteModelessInputs()
{
    delete g_pCrossSectionDlg;
    g_pCrossSectionDlg = nullptr;
    delete g_pPanelDlg;
    g_pPanelDlg = nullptr;
    delete g_pCrossBeamDlg;
    g_pCrossBeamDlg = nullptr;
    delete g_pBlockDlg;
    g_pBlockDlg = nullptr;
    delete g_pHeightDlg;
    g_pHeightDlg = nullptr;
}
