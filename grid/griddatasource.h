// Where a grid keeps its data cells. The interface answers "not supported" (2)
// to everything; the memory source keeps the cells in memory.
#pragma once

#include <deque>
#include <memory>
#include <QString>
#include "grid/gridcell.h"

class CGridCtrl;

// Result codes of the data source operations.
enum : int { GRID_DS_NOTFOUND = 0, GRID_DS_OK = 1, GRID_DS_UNSUPPORTED = 2, GRID_DS_DELETEDALL = 3 };

class CGridDataSource {
public:
    virtual ~CGridDataSource() = default;

    void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    CGridCtrl* GetGrid() const { return m_pGrid; }

    virtual int GetNumRows() { return -1; }
    virtual int GetNumCols() { return -1; }
    virtual int AppendRow() { return GRID_DS_UNSUPPORTED; }
    virtual int InsertRow(int row) { return GRID_DS_UNSUPPORTED; }
    virtual int AppendCol() { return GRID_DS_UNSUPPORTED; }
    virtual int InsertCol(int col) { return GRID_DS_UNSUPPORTED; }
    virtual int DeleteRow(int row) { return GRID_DS_UNSUPPORTED; }
    virtual int DeleteCol(int col) { return GRID_DS_UNSUPPORTED; }
    virtual int DeleteCell(int col, int row) { return GRID_DS_UNSUPPORTED; }
    virtual int DeleteAll() { return GRID_DS_UNSUPPORTED; }
    // Lays the stored record over *cell; the properties it leaves unset stay.
    virtual int GetCell(int col, int row, CGridCell* cell) { return GRID_DS_UNSUPPORTED; }
    virtual int SetCell(int col, int row, const CGridCell* cell) { return GRID_DS_UNSUPPORTED; }
    virtual int FindFirst(int col, const QString& text, int* row) { return GRID_DS_UNSUPPORTED; }
    virtual int FindNext(int col, const QString& text, int* row) { return GRID_DS_UNSUPPORTED; }
    virtual int SortBy(const int* cols, int count) { return GRID_DS_UNSUPPORTED; }
    virtual int Sort(int col) { return GRID_DS_UNSUPPORTED; }
    // Asked when a row past the end is wanted.
    virtual int AddRows(int rowCount, int rowsWanted, int* rowsFound) { return GRID_DS_UNSUPPORTED; }

protected:
    CGridCtrl* m_pGrid = nullptr;
};

// Rows from 0 to the largest row ever stored; in each row, cell slots from the lowest
// to the largest column stored there (column -1 holds the row heading). Slots in
// between may hold no record. Inserting or deleting a slot shifts the ones after it.
class CGridMemDataSource : public CGridDataSource {
public:
    ~CGridMemDataSource() override = default;

    int AppendRow() override { return GRID_DS_OK; }
    int InsertRow(int row) override;
    int AppendCol() override { return GRID_DS_OK; }
    int InsertCol(int col) override;
    int DeleteRow(int row) override;
    int DeleteCol(int col) override { return GRID_DS_UNSUPPORTED; }
    int DeleteCell(int col, int row) override;
    int DeleteAll() override;
    int GetCell(int col, int row, CGridCell* cell) override;
    int SetCell(int col, int row, const CGridCell* cell) override;
    int FindFirst(int col, const QString& text, int* row) override;
    int FindNext(int col, const QString& text, int* row) override;
    int SortBy(const int* cols, int count) override;
    int Sort(int col) override { return SortBy(&col, 1); }
    int AddRows(int rowCount, int rowsWanted, int* rowsFound) override { return GRID_DS_UNSUPPORTED; }
    // Removes the slot of the column from every row.
    virtual int DeleteColumn(int col);

    // Inspection: the number of row slots, and of cell slots in a row (-1: no such row).
    int RowSlotCount() const { return int(m_rows.size()); }
    int CellSlotCount(int row) const;
    bool HasRecord(int col, int row) const { return Record(col, row) != nullptr; }
    const CGridCell* PeekCell(int col, int row) const { return Record(col, row); }

private:
    struct Row {
        std::deque<std::unique_ptr<CGridCell>> cells;
        int origin = 0;    // slot of column 0
    };
    std::deque<Row> m_rows;
    int m_nRowOrigin = 0;  // slot of row 0
    int m_nFindPos = -1;   // row of the last text search

    Row* FindRow(int row);
    const Row* FindRow(int row) const;
    CGridCell* Record(int col, int row) const;
    int Find(int col, const QString& text, int fromRow, int* row);
};
