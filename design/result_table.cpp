#include "design/result_table.h"

#include "framework/format.h"

namespace results {

void Table::SetNumber(int row, int col, double value, int decimals, unsigned style)
{
    Cell& c = At(row, col);
    c.decimals = decimals;
    c.value = value;
    c.text = AfxFormat("%1.*f", decimals, value);
    c.style |= style;
}

}
