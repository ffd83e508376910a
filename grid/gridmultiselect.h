// Which cells of a grid are selected: rectangular blocks that select or deselect
// the cells they cover, later blocks overriding earlier ones.
#pragma once

#include <vector>
#include "framework/types.h"

struct CGridSettings;

enum : int { GRID_SELECT_OFF = 0, GRID_SELECT_CELLS = 1 };

class CGridMultiSelect {
public:
    struct Block {
        int startCol = 0, endCol = 0;     // anchor and moving corner
        int startRow = 0, endRow = 0;
        int left = 0, right = 0, top = 0, bottom = 0;
        int selected = 1;                 // 1 selects, 0 deselects
        bool Covers(int col, int row) const { return left <= col && col <= right && top <= row && row <= bottom; }
    };

    explicit CGridMultiSelect(const CGridSettings* pSettings = nullptr) : m_pSettings(pSettings) {}
    void SetSettings(const CGridSettings* pSettings) { m_pSettings = pSettings; }

    void SetMode(int mode);
    int GetMode() const { return m_nMode; }
    void ClearSelections();
    void StartBlock(int col, int row);
    int ExtendBlock(int col, int row);
    // Ctrl+click: toggles a one-cell block of that cell, or adds one that inverts the cell.
    void AddBlock(int col, int row);
    int IsSelected(int col, int row) const;
    // The start cell while a block is started; 0 otherwise.
    int GetStartCell(int* col, int* row) const;
    // The cells selected, row by row and left to right within the smallest rectangle
    // that holds the current cell and every block; without blocks the current cell.
    int EnumFirstSelected(int* col, int* row);
    int EnumNextSelected(int* col, int* row);

    const std::vector<Block>& Blocks() const { return m_blocks; }
    // The block started last; null when none is.
    const Block* CurrentBlock() const;

private:
    std::vector<Block> m_blocks;
    int m_nStartCol = 0, m_nStartRow = 0;
    int m_bBlockStarted = 0;
    int m_nCurrentBlock = -1;
    int m_nMode = GRID_SELECT_OFF;
    int m_nEnumLeft = 0, m_nEnumRight = 0, m_nEnumTop = 0, m_nEnumBottom = 0;
    int m_nEnumCol = 0, m_nEnumRow = 0;
    int m_bEnumRunning = 0;
    const CGridSettings* m_pSettings;

    void CurrentCell(int* col, int* row) const;
    int Scan(int* col, int* row);
};
