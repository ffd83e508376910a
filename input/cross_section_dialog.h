// The cross-section dimensions window: widths and heights of the deck at every station.
#pragma once

#include <vector>
#include "app/globals.h"
#include "grid/tablegrid.h"
#include "input/modeless.h"
#include "input/picture_frame.h"
#include "res/resource_ids.h"

// Cross-section dimensions per station.
struct CrossSectionData {
    static constexpr int STATIONS = 155;
    // Rows of the window's table: position, angle, B1..B12, H1..H12.
    static constexpr int ROWS = 26;
    static constexpr int ROW_D = 0, ROW_THETA = 1, ROW_B1 = 2, ROW_B11 = 12, ROW_B12 = 13, ROW_H1 = 14;
    static constexpr double MAX_DIMENSION = 100.0;  // m, for every width and height typed
    // The dimensions that belong to the left and to the right sidewalk, as table rows:
    // B3, B8, H2, H3, H11 and B5, B9, H9, H10, H12.
    static constexpr int LEFT_SIDEWALK_ROWS[5] = {4, 9, 15, 16, 24};
    static constexpr int RIGHT_SIDEWALK_ROWS[5] = {6, 10, 22, 23, 25};

    CrossSectionData();
    bool operator==(const CrossSectionData&) const = default;
    // Stations dividing every span equally by its free sections.
    void SeedStationPositions(const double* adSpanLength, const int* anFreeSections);
    // A new design's values over the spans given; the curb rises meet the sidewalks' tops.
    void SetDefaults(const double* adSpanLength, const int* anFreeSections);
    // H11 = H2 + H3 - H4 and H12 = H9 + H10 - H7 at every station.
    void DeriveCurbRises(bool bLeft = true, bool bRight = true);
    // The median's entries for 0 with a median, 1 without.
    void ResetEntries(int nMedian);
    // The sidewalks' entries for an arrangement: 0 none, 1 left, 2 right, 3 both.
    void ResetSidewalkEntries(int nSidewalk);
    // The dimensions of the sidewalks that the arrangement leaves out become 0.
    void ZeroExcludedSidewalks(int nSidewalk);
    // Whether a table row is a dimension of a sidewalk the arrangement leaves out.
    static bool IsExcludedSidewalkRow(int nRow, int nSidewalk);

    // Per station, m (angles in radians): support 1, the stations of span 1, support 2 ...
    std::vector<double> m_arrD;     // position from the span's left support
    std::vector<double> m_arrTheta;
    std::vector<double> m_arrB1;    // distance to the median
    std::vector<double> m_arrB2, m_arrB3, m_arrB4, m_arrB5, m_arrB6, m_arrB7, m_arrB8, m_arrB9, m_arrB10;
    std::vector<double> m_arrB11, m_arrB12;     // overhangs as typed
    std::vector<double> m_arrOverhangAddL;      // written by the geometry
    std::vector<double> m_arrOverhangAddR;
    std::vector<double> m_arrH1, m_arrH2, m_arrH3, m_arrH4, m_arrH5, m_arrH6, m_arrH7, m_arrH8, m_arrH9, m_arrH10;
    std::vector<double> m_arrH11, m_arrH12;
    int m_nInterpolation = 0;       // between stations: 0 straight, 1 spline
    // B1..B12 and H1..H12 by number from 1.
    std::vector<double>& B(int i);
    std::vector<double>& H(int i);
    const std::vector<double>& B(int i) const { return const_cast<CrossSectionData*>(this)->B(i); }
    const std::vector<double>& H(int i) const { return const_cast<CrossSectionData*>(this)->H(i); }
    // The array a table row shows (B11 and B12 without their additions).
    std::vector<double>& Row(int nRow);
    // Stations that every array holds.
    int Capacity() const;
};

// The dimension table: a column per station, a row per dimension, and the spin steps of each row.
class CSetupCrossSectionGrid : public CTableGrid {
public:
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    BOOL OnCheckText(int col, int row, const QString& text, int source) override;
    void OnSetCell(int col, int row, CGridCell* cell) override;
    // The value of a row's cell after one step up or down.
    static double StepValue(int nRow, double dValue, bool bUp);
private:
    // The cell whose typed text was just accepted: it is shown with its row's decimals.
    int m_nAcceptedCol = -1;
    int m_nAcceptedRow = -1;
};

class CSetupCrossSectionDialog : public CModelessInputDialog, public CrossSectionData {
public:
    CSetupCrossSectionDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnShowWindow(BOOL bShow, UINT nStatus) override;

    // A new design's values over the current spans.
    void SetDefaults() { CrossSectionData::SetDefaults(g_adSpanLength, g_anFreeSections); }
    // Stations of the current spans (from the span globals).
    void SeedStationPositions() { CrossSectionData::SeedStationPositions(g_adSpanLength, g_anFreeSections); }

    // "更新": checks the positions, stores the table and rebuilds; 1 when stored.
    int OnUpdate();
    // The table's row of a B or H button.
    void OnRowButton(int nID);
    // The first support's dimensions into the current column.
    void OnCopyFirstSupport();
    // The support spin's step: the table goes to that support's column.
    void OnSupportDeltaPos();
    // Fills the table from the members, as each showing does.
    void FillTable();
    // Row buttons of the sidewalks the arrangement leaves out are hidden.
    void ShowRowButtons();
    // Stations the table shows: every station of the spans, within the arrays.
    int StationCount() const;
    // Draws the picture of the deck for the arrangement and girder type.
    void DrawPicture(CDC* pDC, const CRect& rect);

    CSetupCrossSectionGrid m_grid;
    CPictureFrame m_picture;

private:
    // The basic conditions' sidewalk arrangement.
    static int Sidewalk();
    void OnRowChange(int nOldRow, int nNewRow);
    // A refused position's message, empty when the positions hold.
    QString CheckPositions();
};

extern CSetupCrossSectionDialog* g_pCrossSectionDlg;
