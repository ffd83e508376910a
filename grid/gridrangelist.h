// Cell ranges waiting to be repainted, and the joined cells already drawn in one pass.
#pragma once

#include <vector>
#include "framework/types.h"

class CGridRangeList {
public:
    void AddRange(int startCol, int startRow, int endCol, int endRow);
    void AddCell(int col, int row) { AddRange(col, row, col, row); }
    // Inclusive on all four bounds; 0 for an empty list.
    int Contains(int col, int row) const;
    // Smallest rectangle holding every range; 0 (outputs untouched) for an empty list.
    int GetBounds(int* startCol, int* startRow, int* endCol, int* endRow) const;
    void AddDone(int col, int row) { m_done.push_back({col, row}); }
    int IsDone(int col, int row) const;
    // The range at index (in the order added); 0 past the last.
    int GetRange(int index, int* startCol, int* startRow, int* endCol, int* endRow) const;
    void Clear();
    bool IsEmpty() const { return m_ranges.empty(); }

private:
    struct Range {
        int startCol, startRow, endCol, endRow;
    };
    std::vector<Range> m_ranges;
    std::vector<CPoint> m_done;
};
