#include "grid/gridmultiselect.h"
#include "grid/gridctrl.h"

void CGridMultiSelect::SetMode(int mode)
{
    ClearSelections();
    m_nMode = mode;
}

void CGridMultiSelect::ClearSelections()
{
    m_blocks.clear();
    m_nCurrentBlock = -1;
    m_bBlockStarted = 0;
    m_bEnumRunning = 0;
}

void CGridMultiSelect::StartBlock(int col, int row)
{
    if (m_nMode == GRID_SELECT_OFF)
        return;
    Block b;
    b.startCol = b.endCol = b.left = b.right = col;
    b.startRow = b.endRow = b.top = b.bottom = row;
    b.selected = 1;
    m_blocks.push_back(b);
    m_nCurrentBlock = int(m_blocks.size()) - 1;
    m_nStartCol = col;
    m_nStartRow = row;
    m_bBlockStarted = 1;
}

int CGridMultiSelect::ExtendBlock(int col, int row)
{
    if (m_nMode == GRID_SELECT_OFF)
        return 1;
    if (!m_bBlockStarted || m_nCurrentBlock < 0)
        return 0;
    Block& b = m_blocks[size_t(m_nCurrentBlock)];
    b.endCol = col;
    b.endRow = row;
    b.left = std::min(b.startCol, col);
    b.right = std::max(b.startCol, col);
    b.top = std::min(b.startRow, row);
    b.bottom = std::max(b.startRow, row);
    b.selected = 1;
    return 1;
}

void CGridMultiSelect::AddBlock(int col, int row)
{
    if (m_nMode == GRID_SELECT_OFF)
        return;
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it) {
        if (it->left == col && it->right == col && it->top == row && it->bottom == row) {
            it->selected = it->selected ? 0 : 1;
            return;
        }
    }
    const int wasSelected = IsSelected(col, row);
    StartBlock(col, row);
    m_blocks.back().selected = wasSelected ? 0 : 1;
}

int CGridMultiSelect::IsSelected(int col, int row) const
{
    if (m_nMode == GRID_SELECT_OFF)
        return 0;
    for (auto it = m_blocks.rbegin(); it != m_blocks.rend(); ++it)
        if (it->Covers(col, row))
            return it->selected;
    return 0;
}

int CGridMultiSelect::GetStartCell(int* col, int* row) const
{
    if (!m_bBlockStarted)
        return 0;
    if (col) *col = m_nStartCol;
    if (row) *row = m_nStartRow;
    return 1;
}

const CGridMultiSelect::Block* CGridMultiSelect::CurrentBlock() const
{
    return m_nCurrentBlock >= 0 && size_t(m_nCurrentBlock) < m_blocks.size() ? &m_blocks[size_t(m_nCurrentBlock)]
                                                                             : nullptr;
}

void CGridMultiSelect::CurrentCell(int* col, int* row) const
{
    *col = m_pSettings ? m_pSettings->m_nCurCol : 0;
    *row = m_pSettings ? m_pSettings->m_nCurRow : 0;
}

int CGridMultiSelect::EnumFirstSelected(int* col, int* row)
{
    int c, r;
    CurrentCell(&c, &r);
    if (m_nMode == GRID_SELECT_OFF || m_blocks.empty()) {
        // Just the current cell; the next call finds nothing.
        m_bEnumRunning = 0;
        *col = c;
        *row = r;
        return 1;
    }
    m_nEnumLeft = m_nEnumRight = c;
    m_nEnumTop = m_nEnumBottom = r;
    for (const Block& b : m_blocks) {
        m_nEnumLeft = std::min(m_nEnumLeft, b.left);
        m_nEnumRight = std::max(m_nEnumRight, b.right);
        m_nEnumTop = std::min(m_nEnumTop, b.top);
        m_nEnumBottom = std::max(m_nEnumBottom, b.bottom);
    }
    m_nEnumCol = m_nEnumLeft;
    m_nEnumRow = m_nEnumTop;
    m_bEnumRunning = 1;
    return Scan(col, row);
}

int CGridMultiSelect::EnumNextSelected(int* col, int* row)
{
    if (!m_bEnumRunning)
        return 0;
    return Scan(col, row);
}

int CGridMultiSelect::Scan(int* col, int* row)
{
    while (m_nEnumRow <= m_nEnumBottom) {
        while (m_nEnumCol <= m_nEnumRight) {
            const int c = m_nEnumCol++;
            if (IsSelected(c, m_nEnumRow)) {
                *col = c;
                *row = m_nEnumRow;
                return 1;
            }
        }
        m_nEnumCol = m_nEnumLeft;
        ++m_nEnumRow;
    }
    m_bEnumRunning = 0;
    return 0;
}
