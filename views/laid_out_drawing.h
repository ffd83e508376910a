// A drawing window's labels laid out once and painted from the records of that layout: the
// layout probes the drawing many times over, too slow for every paint of a scroll or a drag.
#pragma once

#include "framework/dc.h"

#include <functional>
#include <vector>

// Draws the records again on the DC, moved by `offset`, each with the pen, brush, font and text
// settings it was recorded with; the notes among them are noted again. The DC's objects and
// settings are put back.
void PlayRecords(CDC* pDC, const std::vector<CDC::Record>& records, CPoint offset = CPoint());

class CLaidOutDrawing {
public:
    // What the layout depends on: a paint that finds another key lays the drawing out anew.
    using Key = std::vector<double>;
    // The records of the layout for the key: made by `layOut` on a recording DC of the
    // screen's kind (0.1 mm, 96 dpi) where the key differs from the last, else those kept.
    const std::vector<CDC::Record>& Records(const Key& key, const std::function<void(CDC*)>& layOut);
    // The next paint lays the drawing out anew (the document changed).
    void Drop() { m_bValid = false; }
    // How many layouts were made.
    int Layouts() const { return m_nLayouts; }

private:
    Key m_key;
    bool m_bValid = false;
    std::vector<CDC::Record> m_records;
    int m_nLayouts = 0;
};
