// The panel division and girder type window: panel lengths and girder framing per span.
#pragma once

#include "app/globals.h"
#include "grid/tablegrid.h"
#include "input/modeless.h"
#include "res/resource_ids.h"

// Girder layout per span: framing lines, spacing, skews and line types.
struct PanelDivisionData {
    PanelDivisionData();
    bool operator==(const PanelDivisionData&) const = default;
    double m_adBaseToG1[MAX_SPANS][2];      // m, framework base line to girder G1 at span start and end
    double m_adGirderSpacing[MAX_SPANS][2]; // m, main girder spacing (single box: half the web spacing)
    double m_adSkew[MAX_SPANS][2];          // rad, at span start and end
    double m_adBaseRadius[MAX_SPANS];       // m, signed
    int m_anGirderLineType[MAX_SPANS];      // 0 straight, 1 arc
    int m_anCrossBeamDir[MAX_SPANS];        // square to the base line, start skew, end skew, square to the girders
    int m_anBaseLineType[MAX_SPANS];        // 0 straight, 1 arc
};

// To the window from its numeric table: a row 3 to 5 cell was stepped (column, row).
enum : UINT { WM_PANELGRID_CHANGED = WM_USER + 11, WM_PANEL_LOCK_SPAN = WM_USER + 12 };

class CSetupPanelDialog;

// The numeric setting table of the span shown: L, W and θ at both ends, then the girder
// line, the cross-beam direction and the base line with its radius, stepped as choices.
class CSetupPanelGrid1 : public CTableGrid {
public:
    enum { ROW_L, ROW_W, ROW_THETA, ROW_GIRDER, ROW_CROSSBEAM, ROW_BASE, ROWS };
    void OnSetup() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    void OnSetCell(int col, int row, CGridCell* cell) override;

    // Lays the table out and shows the members of the span.
    void Fill(const CSetupPanelDialog& dlg, int nSpan);
    double Value(int col, int row);
    // The radius cell locked and shown as "∞" for a straight base line, open for an arc.
    void ShowRadius(BOOL bArc);

private:
    void SetChoice(int row, int nValue);
    int m_nAcceptedCol = -1;
    int m_nAcceptedRow = -1;
};

// The panel length table of the span shown, in millimetres.
class CSetupPanelGrid2 : public CTableGrid {
public:
    void OnSetup() override;
    void OnSize(UINT nType, int cx, int cy) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    void OnSetCell(int col, int row, CGridCell* cell) override;

    // One row per panel, from values in mm.
    void Fill(const double* adLengthMm, int nPanels);
    double Value(int row);
    void SetValue(int row, double dMm);

private:
    int m_nAcceptedRow = -1;
};

// The one-cell table that shows the picture of the framing, filling its control.
class CPanelPictureGrid : public CTableGrid {
public:
    void OnSetup() override;
    void OnSize(UINT nType, int cx, int cy) override;
    // Shows the picture of this id.
    void ShowPicture(int nPictureId);

private:
    CGridDrawnCellType m_type;
};

class CSetupPanelDialog : public CModelessInputDialog, public PanelDivisionData {
public:
    CSetupPanelDialog();

    BOOL OnInitDialog() override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;

    void OnUpdate();
    void OnSpanDeltaPos();
    void OnEqualAll();
    void OnEqualZeros();
    void OnAllZero();
    // 1 when the panel table sums to the span length within 0.099 mm.
    int IsPanelSumValid();
    // Chooses the picture from the table's girder line, cross-beam direction and base line.
    void OnPictureUpdate(int col, int row);

    // Shows the panel table's sum and the span length with the given format.
    void ShowSums(const char* format);

    CPanelPictureGrid m_gridPicture;
    CSetupPanelGrid2 m_gridPanels;
    CSetupPanelGrid1 m_gridValues;
    int m_bLoadPictures = 1;
    int m_nSpan = 0;
    int m_nPicture = 0;     // id of the picture shown

private:
    // What the tables were filled from: while it stands, edits left unapplied are kept.
    struct Source {
        bool operator==(const Source&) const = default;
        PanelDivisionData data;
        double adPanelLength[MAX_PANELS] = {};
        double dSpanLength = 0.0;
        int nPanels = 0, nSpans = 0, nBridgeType = 0, nSpan = 0;
    };
    Source CurrentSource() const;
    int SpanCount() const;
    // Refills both tables, the sums, the span number, the spin and the picture for m_nSpan.
    void FillAll();
    void ShowSpanControls();
    // Stores whatever the user is typing; FALSE when the text was refused.
    BOOL EndEdits();
    // The entries in the program's order of checks; FALSE after the first message.
    BOOL CheckEntries();
    // The joint and results questions and what their answers do; FALSE when the user
    // cancels. A span switch asks about the results only over unapplied edits.
    BOOL AskQuestions(bool bSwitch);
    // A framing value of the numeric table differs from the members of the span shown.
    bool FramingChanged();
    // The table and its shared supports into the members and the panel lengths.
    void StoreSpan();
    void Rebuild();
    int PanelCount() const;
    double SpanLength() const;

    Source m_filled;
};

extern CSetupPanelDialog* g_pPanelDlg;
