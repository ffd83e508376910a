// The coordinate input sheet for curved or irregular plans: four pages of per-panel-point
// coordinates over a working copy of the document's coordinate plan.
#pragma once

#include "framework/propsheet.h"
#include "geometry/coordinate_plan.h"

class CCoordinateSheet;

// One page: the span chooser, the table of the span's panel points and its cell entry.
class CCoordinatePage : public CPropertyPage {
public:
    CCoordinatePage(CCoordinateSheet* pSheet, int nPage, UINT nIDTemplate);
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override { return TRUE; }
    // Enter and Escape leave the sheet open.
    void OnOK() override {}
    void OnCancel() override {}
    // Refills the controls from the sheet's working copy.
    void Refresh();

    const int m_nPage;
private:
    void ShowCell();
    void StoreCell();
    void OnSpinStep(int nSpinId);
    CCoordinateSheet* m_pSheet;
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

    // The table of a page for the span shown: one row per panel point.
    int RowCount() const;
    QString RowHeading(int row) const;
    int ColumnCount(int page) const;
    QString ColumnHeading(int page, int col) const;
    bool IsReadOnly(int page, int col) const;
    double CellValue(int page, int col, int row) const;
    bool SetCellValue(int page, int col, int row, double value);
    QString RowText(int page, int row) const;
    CCoordinatePage* Page(int page) const { return page >= 0 && page < PAGES ? m_apPages[page] : nullptr; }

private:
    void SetPending(bool pending);
    int FirstPointNumber() const;
    CCoordinatePage* m_apPages[PAGES];
};

extern CCoordinateSheet* g_pCoordinateSheet;
