// The coordinate input sheet for curved or irregular plans: four pages of per-panel-point
// coordinates over a working copy of the document's coordinate plan.
#pragma once

#include "framework/propsheet.h"
#include "geometry/coordinate_plan.h"
#include "grid/tablegrid.h"

class CCoordinateSheet;

// The table of one page: a row per panel point of the span shown. A typed, pasted or cut
// text and a spin step go into the sheet's working copy at once, so that derived values
// (panel lengths, the support shared with the next span) follow while the user edits; the
// document sees nothing before "更新".
class CCoordinateTable : public CTableGrid {
public:
    CCoordinateTable(CCoordinateSheet* pSheet, int nPage) : m_pSheet(pSheet), m_nPage(nPage) {}

    void OnSetup() override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    void OnSetCell(int col, int row, CGridCell* cell) override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;

    // Lays the table out for the span shown and writes every value.
    void Fill();
    // Writes the values again after the working copy changed.
    void ShowValues();
    // Stores a text still being typed; FALSE when the range check refused it.
    BOOL EndEdit();
    // How far one spin step moves a value of this page (mm).
    double SpinStep() const;

private:
    void SetupCell(int col, int row, CGridCell* cell) const;
    CCoordinateSheet* m_pSheet;
    const int m_nPage;
    // The cell whose text the range check just accepted: the next store into it is the user's.
    int m_nAcceptedCol = -1;
    int m_nAcceptedRow = -1;
    double m_dAccepted = 0.0;   // the accepted number as typed, finer than the cell shows it
};

// One page: the span chooser, the table of the span's panel points, update and close.
class CCoordinatePage : public CPropertyPage {
public:
    CCoordinatePage(CCoordinateSheet* pSheet, int nPage, UINT nIDTemplate);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override { return TRUE; }
    // Enter and Escape leave the sheet open.
    void OnOK() override {}
    void OnCancel() override {}
    // Refills the controls and the table from the sheet's working copy.
    void Refresh();
    // The update button's caption and state.
    void ShowPending();
    CCoordinateTable& Table() { return m_table; }

    const int m_nPage;
private:
    void OnSpinStep(int nSpinId);
    CCoordinateSheet* m_pSheet;
    CCoordinateTable m_table;
};

class CCoordinateSheet : public CPropertySheet {
public:
    enum { PAGE_BASELINE, PAGE_GIRDER, PAGE_DECK, PAGE_SECTION, PAGES };

    explicit CCoordinateSheet(CWnd* pParent);
    ~CCoordinateSheet() override;
    void PostNcDestroy() override { delete this; }
    void OnShowWindow(BOOL bShow, UINT nStatus) override;

    // The working copy in model metres; the tables show survey millimetres, (model + origin) x 1000.
    CCoordinatePlan m_work;
    CDPoint m_ptOrigin;
    int m_nSpan = 0;
    bool m_bPending = false;

    // From the document's coordinate plan, or from the geometry built from the span input.
    void TakeOver();
    // Stores the working copy as the document's plan and rebuilds; 1 when applied.
    int Apply();
    // The origin adjustment dialog and what follows its OK.
    void AdjustOrigin();
    void SelectSpan(int s);
    void ChangeSpanCount(int delta);
    void ChangePanelCount(int delta);
    void RefreshPages();
    // Something unapplied is in the working copy (or not): every page's update button says so.
    void SetPending(bool pending);
    // Stores what is being typed in any table; FALSE when a text was refused.
    BOOL EndEdits();

    // The table of a page for the span shown: one row per panel point.
    int RowCount() const;
    QString RowHeading(int row) const;
    int ColumnCount(int page) const;
    QString ColumnHeading(int page, int col) const;
    bool IsReadOnly(int page, int col) const;
    // The values a cell may take (mm).
    void CellRange(int page, int col, double* pMin, double* pMax) const;
    double CellValue(int page, int col, int row) const;
    bool SetCellValue(int page, int col, int row, double value);
    CCoordinatePage* Page(int page) const { return page >= 0 && page < PAGES ? m_apPages[page] : nullptr; }

private:
    int FirstPointNumber() const;
    CCoordinatePage* m_apPages[PAGES];
};

extern CCoordinateSheet* g_pCoordinateSheet;
