// Main girder data 2: the plate girder and box girder data, and the box girders' rib panel division.
#pragma once

#include <QString>
#include "app/globals.h"
#include "app/numedit.h"
#include "framework/dialog.h"
#include "grid/tablegrid.h"
#include "res/resource_ids.h"

// Representative girder heights as typed.
struct GirderHeightData {
    explicit GirderHeightData(double h)
    {
        for (double& v : m_adGirderHeight)
            v = h;
    }
    bool operator==(const GirderHeightData&) const = default;
    // What a girder height may be, as typed (mm).
    static constexpr double MIN_HEIGHT_MM = 100.0, MAX_HEIGHT_MM = 10000.0;
    double m_adGirderHeight[MAX_GIRDERS];   // m
};

struct PlateGirderData : GirderHeightData {
    static constexpr int HOLE_ROWS = 7;
    static constexpr int MAX_HOLES = 100;                   // in one row
    static constexpr double MAX_HOLE_FLANGE_WIDTH = 10.0;   // m
    PlateGirderData();
    bool operator==(const PlateGirderData&) const = default;
    int m_bHoleDeduction = 1;               // holes of the tension flange deducted (bolted joints)
    int m_bUFLocalBuckling = 0;
    double m_dBoltHoleDiameter = 25.0;      // mm
    int m_nCurveStressFormula = 0;          // curved girders: 0 鋼道路橋設計便覧, 1 阪神高速道路公団設計基準
    int m_bNetArea11 = 1;                   // net area of the tension flange times 1.1
    // A flange at most as wide as a row's width has that row's holes; rows with a 0 are ignored.
    double m_adHoleFlangeWidth[HOLE_ROWS];  // m
    int m_anHoleCount[HOLE_ROWS];
};

struct BoxGirderData : GirderHeightData {
    static constexpr int RIB_GROUPS = 4;    // steel grade groups of the rib sections
    static constexpr int RIB_ROWS = 20;
    BoxGirderData();
    bool operator==(const BoxGirderData&) const = default;
    // Widths and thicknesses from the section texts ("120x10", mm): an empty text ends its
    // column, a text without "x" in its first ten characters gives 0.
    void SortData();

    int m_bHoleDeduction = 1;
    double m_dBoltHoleDiameter = 25.0;      // mm
    int m_nHoleBoltsLower = 10;
    int m_nCompRibCount = 5;
    int m_nTensRibCount = 2;
    int m_nStiffenerStepsBox = 2;
    int m_nHoleBoltsUpper = 10;
    int m_bUFLocalBuckling = 0;
    int m_bAdjustRibThickness = 1;
    int m_bNetArea11 = 1;
    QString m_astrShape[RIB_GROUPS][RIB_ROWS];
    double m_adRibWidth[RIB_GROUPS][RIB_ROWS];  // m
    double m_adRibThick[RIB_GROUPS][RIB_ROWS];  // m
};

struct RibPanelData {
    static constexpr int MAX_RIBS_PER_PANEL = 1000;     // typed counts run from 0
    bool operator==(const RibPanelData&) const = default;
    double m_dTransRibThick = 10.0;         // mm, flange transverse ribs
    // Set: the ribs per panel are derived again from the panel lengths at the next rebuild.
    int m_bResetRibs = 1;
};

// The height and hole tables. A spin step moves by 0.1 in column 0 and by 1 in column 1,
// never below 0 nor out of the cell's range.
class CSetupGirderDataGrid : public CTableGrid {
public:
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    double Number(int col, int row);
    // One row per girder, heights in mm.
    void FillHeights(const double* adHeight, int nRows);
    // The first row's height into every other row; the members wait for OK.
    void AlignToFirst();
};

class CSetupPlateGirderDialog : public CDialog, public PlateGirderData {
public:
    CSetupPlateGirderDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupGirderDataGrid m_gridHeight;
    CSetupGirderDataGrid m_gridHoles;
    CNumEdit m_editBoltHole;

private:
    void FillHoles();
};

class CSetupBoxGirderDialog : public CDialog, public BoxGirderData {
public:
    CSetupBoxGirderDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupGirderDataGrid m_gridHeight;
    CTableGrid m_gridRib;
    CNumEdit m_editRibCount;

private:
    void FillRibs();
    void OnRibPanels();
};

// Ribs per panel: spin steps run 1..30 and wrap.
class CSetupRibPanelGrid : public CTableGrid {
public:
    void OnSetup() override;
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
};

class CSetupRibPanelDialog : public CDialog, public RibPanelData {
public:
    static constexpr int PANELS = 281;
    CSetupRibPanelDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupRibPanelGrid m_gridRibs;
    int m_anRibsCopy[PANELS] = {};      // the document's ribs per panel when the dialog opened
};
