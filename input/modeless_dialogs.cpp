#include "input/modeless_dialogs.h"

CSetupBlockDialog* g_pBlockDlg = nullptr;

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

std::vector<int> SupportStations()
{
    // The first station of span 0 is 0; each span adds its support and its free sections.
    std::vector<int> first(1, 0);
    for (int s = 0; s < g_nSpans && s < MAX_SPANS; ++s)
        first.push_back(first.back() + 1 + g_anFreeSections[s]);
    return first;
}

void CopySkewsToSupportStations()
{
    if (!g_pPanelDlg || !g_pCrossSectionDlg)
        return;
    const std::vector<int> first = SupportStations();
    std::vector<double>& theta = g_pCrossSectionDlg->m_arrTheta;
    for (size_t s = 0; s + 1 < first.size(); ++s) {
        if (size_t(first[s]) < theta.size())
            theta[size_t(first[s])] = g_pPanelDlg->m_adSkew[s][0];
        if (size_t(first[s + 1]) < theta.size())
            theta[size_t(first[s + 1])] = g_pPanelDlg->m_adSkew[s][1];
    }
}

void CopySupportStationAnglesToSkews()
{
    if (!g_pPanelDlg || !g_pCrossSectionDlg)
        return;
    const std::vector<int> first = SupportStations();
    const std::vector<double>& theta = g_pCrossSectionDlg->m_arrTheta;
    for (size_t s = 0; s + 1 < first.size(); ++s) {
        if (size_t(first[s]) < theta.size())
            g_pPanelDlg->m_adSkew[s][0] = theta[size_t(first[s])];
        if (size_t(first[s + 1]) < theta.size())
            g_pPanelDlg->m_adSkew[s][1] = theta[size_t(first[s + 1])];
    }
}

void CModelessInputDialog::SetUpdatePending(BOOL bPending)
{
    m_bUpdatePending = bPending;
    if (CWnd* button = m_nIDUpdate ? GetDlgItem(int(m_nIDUpdate)) : nullptr) {
        button->SetWindowText(bPending ? QStringLiteral("更新") : QStringLiteral("更新済み"));
        button->EnableWindow(bPending);
    }
}
