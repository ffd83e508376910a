#include "input/height_dialog.h"

CSetupHeightDialog* g_pHeightDlg = nullptr;

HeightChangeData::HeightChangeData()
{
    // Each span's support, no change points yet, then the last support: all at position 0.
    for (double& p : m_adPointPos)
        p = 0.0;
    for (auto& point : m_adPointHeight)
        for (double& h : point)
            h = 1.0;
}
