// A result table as its builder writes it into a grid: per cell a text, or a number with its
// decimals, and the look of the cell. Worked out without a window; the views only copy it.
#pragma once

#include <QString>
#include <algorithm>
#include <climits>
#include <deque>
#include <vector>

namespace results {

// The rows of a table that its reader looks at: a printed page asks for its own, and the
// builder leaves the texts of the other rows unmade.
struct RowRange {
    int first = 0;
    int last = INT_MAX;
    bool Has(int row) const { return row >= first && row <= last; }
};

enum CellStyle : unsigned {
    STYLE_PLAIN = 0,
    STYLE_HEADING = 1,        // push button, dark blue text on the button face, centred both ways
    STYLE_BOLD = 2,           // the grid's bold font
    STYLE_RED = 4,            // red text
    STYLE_DARK_BLUE = 8,      // dark blue text on a plain cell
    STYLE_VALUE_BUTTON = 16,  // push button, black on white, centred both ways
    STYLE_BLACK_ON_WHITE = 32 // black text on white
};

struct Cell {
    QString text;
    unsigned style = STYLE_PLAIN;
    int decimals = -1;        // 0 or more: a right-aligned number shown with these decimals
    double value = 0.0;
    bool IsNumber() const { return decimals >= 0; }
};

class Table {
public:
    Table() = default;
    Table(int nRows, int nCols) : m_nRows(nRows), m_nCols(nCols), m_rowAt(size_t(std::max(nRows, 0)), -1) {}
    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }
    // Cells outside the table are refused, as the grid refuses them: writes go nowhere.
    Cell& At(int row, int col)
    {
        if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols) {
            m_outside = Cell();
            return m_outside;
        }
        int& at = m_rowAt[size_t(row)];
        if (at < 0) {
            at = int(m_cells.size());
            m_cells.resize(m_cells.size() + size_t(m_nCols));
        }
        return m_cells[size_t(at) + size_t(col)];
    }
    // A cell never written is empty.
    const Cell& At(int row, int col) const
    {
        static const Cell empty;
        if (row < 0 || col < 0 || row >= m_nRows || col >= m_nCols || m_rowAt[size_t(row)] < 0)
            return empty;
        return m_cells[size_t(m_rowAt[size_t(row)]) + size_t(col)];
    }
    const QString& Text(int row, int col) const { return At(row, col).text; }
    void SetText(int row, int col, const QString& text, unsigned style = STYLE_PLAIN)
    {
        Cell& c = At(row, col);
        c.text = text;
        c.style |= style;
    }
    void AddStyle(int row, int col, unsigned style) { At(row, col).style |= style; }
    void SetNumber(int row, int col, double value, int decimals, unsigned style = STYLE_PLAIN);
    // Column widths that differ from the grid's default, as (column, width).
    std::vector<std::pair<int, int>> m_colWidths;
    // Blocks of cells shown as one: first column and row, last column and row.
    struct Join {
        int col1, row1, col2, row2;
    };
    std::vector<Join> m_joins;

private:
    int m_nRows = 0, m_nCols = 0;
    // A row's cells are made when one of them is first written, where the row's index says: a
    // printed page writes a few rows of a table of thousands. They stay where they are made.
    std::vector<int> m_rowAt;
    std::deque<Cell> m_cells;
    Cell m_outside;
};

}
