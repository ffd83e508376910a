#include "grid/gridctrl.h"

void CGridCtrl::MoveUpdate()
{
    // The positions are taken as they stand and the windows follow them.
    CGridSettings& s = m_settings;
    s.m_nPrevCol = s.m_nCurCol;
    s.m_nPrevRow = s.m_nCurRow;
    s.m_nPrevLeftCol = s.m_nLeftCol;
    s.m_nPrevTopRow = s.m_nTopRow;
    GetCellIndirect(s.m_nCurCol, s.m_nCurRow, &m_cellCurrent);
    RefreshChildren();
}
