// The span length and panel count dialog: per span its length, panel count and freely set
// cross sections, and the bridge length from which the girder end length follows.
#pragma once

#include "framework/dialog.h"
#include "grid/tablegrid.h"

struct SpanData {
    bool operator==(const SpanData&) const = default;
    static constexpr double MAX_BRIDGE_LENGTH = 1000000.0;  // mm
    double m_dBridgeLength = 0.0;       // mm, 橋長
};

// One row per span: length (mm), panel count, free sections. A spin step changes the cell
// only; nothing is stored before OK.
class CSetupSpanGrid : public CTableGrid {
public:
    enum { COL_LENGTH, COL_PANELS, COL_FREE, COLS };
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    // Lays the table out from the span globals.
    void Fill();
    double Number(int col, int row);
    // A count as typed, truncated towards zero.
    int Count(int col, int row);
};

class CSetupSpanDialog : public CDialog, public SpanData {
public:
    CSetupSpanDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupSpanGrid m_grid;

private:
    // The first refusal of the table's entries, or an empty text when all of them hold.
    QString CheckTable();
    // Writes the table into the span globals and what depends on them; true when girder
    // height change points moved with their spans.
    bool StoreSpans(bool bLinearSections);
};
