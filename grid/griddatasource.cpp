#include "grid/griddatasource.h"
#include "grid/gridctrl.h"

#include <algorithm>
#include <vector>

CGridMemDataSource::Row* CGridMemDataSource::FindRow(int row)
{
    const long long i = (long long)m_nRowOrigin + row;
    return (i < 0 || i >= (long long)m_rows.size()) ? nullptr : &m_rows[size_t(i)];
}

const CGridMemDataSource::Row* CGridMemDataSource::FindRow(int row) const
{
    return const_cast<CGridMemDataSource*>(this)->FindRow(row);
}

CGridCell* CGridMemDataSource::Record(int col, int row) const
{
    const Row* r = FindRow(row);
    if (!r)
        return nullptr;
    const long long i = (long long)r->origin + col;
    if (i < 0 || i >= (long long)r->cells.size())
        return nullptr;
    return r->cells[size_t(i)].get();
}

int CGridMemDataSource::CellSlotCount(int row) const
{
    const Row* r = FindRow(row);
    return r ? int(r->cells.size()) : -1;
}

int CGridMemDataSource::GetCell(int col, int row, CGridCell* cell)
{
    CGridCell* rec = Record(col, row);
    if (!rec || !cell)
        return GRID_DS_NOTFOUND;
    cell->AddInfoFrom(*rec);
    return GRID_DS_OK;
}

int CGridMemDataSource::SetCell(int col, int row, const CGridCell* cell)
{
    if (!cell)
        return GRID_DS_NOTFOUND;
    if (m_rows.empty()) {
        m_rows.emplace_back();
        m_nRowOrigin = 0;
    }
    long long ri = (long long)m_nRowOrigin + row;
    while (ri < 0) {
        m_rows.emplace_front();
        ++m_nRowOrigin;
        ++ri;
    }
    while (ri >= (long long)m_rows.size())
        m_rows.emplace_back();
    Row& r = m_rows[size_t(ri)];
    if (r.cells.empty()) {
        // The first slot a row gets is its column 0.
        r.cells.emplace_back();
        r.origin = 0;
    }
    long long ci = (long long)r.origin + col;
    while (ci < 0) {
        r.cells.emplace_front();
        ++r.origin;
        ++ci;
    }
    while (ci >= (long long)r.cells.size())
        r.cells.emplace_back();
    std::unique_ptr<CGridCell>& rec = r.cells[size_t(ci)];
    if (!rec)
        rec = std::make_unique<CGridCell>();
    rec->CopyInfoFrom(*cell);
    return GRID_DS_OK;
}

int CGridMemDataSource::InsertRow(int row)
{
    const long long i = (long long)m_nRowOrigin + row;
    if (i >= 0 && i < (long long)m_rows.size())
        m_rows.emplace(m_rows.begin() + i);
    return GRID_DS_OK;
}

int CGridMemDataSource::InsertCol(int col)
{
    if (m_rows.empty())
        return GRID_DS_NOTFOUND;
    for (Row& r : m_rows) {
        const long long i = (long long)r.origin + col;
        if (i < 0 || i >= (long long)r.cells.size())
            continue;
        r.cells.emplace(r.cells.begin() + i);
        if (col < 0)
            ++r.origin;
    }
    return GRID_DS_OK;
}

int CGridMemDataSource::DeleteRow(int row)
{
    const long long i = (long long)m_nRowOrigin + row;
    if (i < 0 || i >= (long long)m_rows.size())
        return GRID_DS_NOTFOUND;
    m_rows.erase(m_rows.begin() + i);
    if (row < 0)
        --m_nRowOrigin;
    return GRID_DS_OK;
}

int CGridMemDataSource::DeleteCell(int col, int row)
{
    Row* r = FindRow(row);
    if (!r)
        return GRID_DS_NOTFOUND;
    const long long i = (long long)r->origin + col;
    if (i < 0 || i >= (long long)r->cells.size())
        return GRID_DS_NOTFOUND;
    r->cells.erase(r->cells.begin() + i);
    if (col < 0)
        --r->origin;
    return GRID_DS_OK;
}

int CGridMemDataSource::DeleteColumn(int col)
{
    for (size_t k = 0; k < m_rows.size(); ++k)
        DeleteCell(col, int(k) - m_nRowOrigin);
    return GRID_DS_OK;
}

int CGridMemDataSource::DeleteAll()
{
    m_rows.clear();
    m_nRowOrigin = 0;
    m_nFindPos = -1;
    return GRID_DS_DELETEDALL;
}

int CGridMemDataSource::Find(int col, const QString& text, int fromRow, int* row)
{
    for (long long i = (long long)m_nRowOrigin + fromRow; i < (long long)m_rows.size(); ++i) {
        if (i < 0)
            continue;
        const CGridCell* rec = Record(col, int(i - m_nRowOrigin));
        if (rec && rec->m_strText == text) {
            m_nFindPos = int(i - m_nRowOrigin);
            if (row)
                *row = m_nFindPos;
            return GRID_DS_OK;
        }
    }
    return GRID_DS_NOTFOUND;
}

int CGridMemDataSource::FindFirst(int col, const QString& text, int* row)
{
    m_nFindPos = -1;
    return Find(col, text, -m_nRowOrigin, row);
}

int CGridMemDataSource::FindNext(int col, const QString& text, int* row)
{
    return Find(col, text, m_nFindPos + 1, row);
}

int CGridMemDataSource::SortBy(const int* cols, int count)
{
    if (!cols || count < 1)
        return GRID_DS_NOTFOUND;
    const int col = cols[0];
    auto key = [col](const Row& r) -> const CGridCell* {
        const long long i = (long long)r.origin + col;
        return (i < 0 || i >= (long long)r.cells.size()) ? nullptr : r.cells[size_t(i)].get();
    };
    std::vector<size_t> order(m_rows.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    CGridCtrl* grid = m_pGrid;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        CGridCell ca, cb;
        if (const CGridCell* p = key(m_rows[a])) ca = *p;
        if (const CGridCell* p = key(m_rows[b])) cb = *p;
        const int c = grid ? grid->OnSortCompare(&ca, &cb) : ca.m_strText.compare(cb.m_strText);
        return c < 0;
    });
    std::deque<Row> sorted;
    for (size_t i : order)
        sorted.push_back(std::move(m_rows[i]));
    m_rows.swap(sorted);
    return GRID_DS_OK;
}
