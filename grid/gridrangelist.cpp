#include "grid/gridrangelist.h"

void CGridRangeList::AddRange(int startCol, int startRow, int endCol, int endRow)
{
    m_ranges.push_back({startCol, startRow, endCol, endRow});
}

int CGridRangeList::Contains(int col, int row) const
{
    for (const Range& r : m_ranges)
        if (r.startCol <= col && col <= r.endCol && r.startRow <= row && row <= r.endRow)
            return 1;
    return 0;
}

int CGridRangeList::GetBounds(int* startCol, int* startRow, int* endCol, int* endRow) const
{
    if (m_ranges.empty())
        return 0;
    Range b = m_ranges.front();
    for (const Range& r : m_ranges) {
        b.startCol = std::min(b.startCol, r.startCol);
        b.startRow = std::min(b.startRow, r.startRow);
        b.endCol = std::max(b.endCol, r.endCol);
        b.endRow = std::max(b.endRow, r.endRow);
    }
    *startCol = b.startCol;
    *startRow = b.startRow;
    *endCol = b.endCol;
    *endRow = b.endRow;
    return 1;
}

int CGridRangeList::IsDone(int col, int row) const
{
    for (const CPoint& p : m_done)
        if (p.x == col && p.y == row)
            return 1;
    return 0;
}

void CGridRangeList::Clear()
{
    m_ranges.clear();
    m_done.clear();
}

int CGridRangeList::GetRange(int index, int* startCol, int* startRow, int* endCol, int* endRow) const
{
    if (index < 0 || size_t(index) >= m_ranges.size())
        return 0;
    const Range& r = m_ranges[size_t(index)];
    *startCol = r.startCol;
    *startRow = r.startRow;
    *endCol = r.endCol;
    *endRow = r.endRow;
    return 1;
}
