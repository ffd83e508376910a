// Loads: dead loads, and the assumed steel weight, haunch and attached loads.
#pragma once

#include "app/globals.h"
#include "app/numedit.h"
#include "framework/dialog.h"
#include "grid/tablegrid.h"
#include "input/picture_frame.h"
#include "res/resource_ids.h"

// Dead loads: ten items, with the presets of the unit system.
struct DeadLoadData {
    static constexpr int ITEMS = 10;
    // The presets and values of a new design in the unit system (1 SI, 0 gravitational).
    explicit DeadLoadData(int bSIUnits = 1);
    bool operator==(const DeadLoadData&) const = default;
    // Presets of the unit system: 1 SI, 0 gravitational.
    void SetDefaults(int bSIUnits);
    // Copies the presets into the values.
    void ApplyPresets();

    double m_adValue[ITEMS] = {};
    double m_adPreset[ITEMS] = {};
    int m_bValuesSI = 1;
    int m_bRailingToEstimate = 1;
};

// One value per item; a spin step changes the cell only.
class CSetupDeadLoadGrid : public CTableGrid {
public:
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    double Number(int row);
};

class CSetupDeadLoadDialog : public CDialog, public DeadLoadData {
public:
    CSetupDeadLoadDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupDeadLoadGrid m_grid;
    CPictureFrame m_picture;

private:
    void OnPresets();
    void OnItemButton(int nID);
    void OnRowChange(int nOldRow, int nNewRow);
};

// Assumed steel weight and haunch of every girder, and attached loads.
struct SteelWeightData {
    static constexpr int ATTACHMENTS = 10;
    SteelWeightData();
    bool operator==(const SteelWeightData&) const = default;
    // Assumed steel weight and haunch weight of a new design in the current units.
    void SetNewDesignWeights(int bSIUnits);

    int m_nAttachments = 0;
    int m_nDeadLoadChoice = 2;
    double m_adHaunchB[MAX_GIRDERS];
    double m_adHaunchBin[MAX_GIRDERS];
    double m_adHaunchH[MAX_GIRDERS];
    double m_adSteelWeight[MAX_GIRDERS];
    double m_adHaunchWeight[MAX_GIRDERS];
    int m_anAttachGirder[ATTACHMENTS] = {};
    double m_adAttachLoad[ATTACHMENTS] = {};
    double m_adAttachPosition[ATTACHMENTS] = {};
};

// What a typed value of the haunch table may be. The weights follow the unit system: the
// gravitational range converted and widened to a tenth, so that the defaults of both lie inside.
struct HaunchCellRange {
    double lo, hi;
};
HaunchCellRange SteelWeightRange(int bSIUnits);
HaunchCellRange HaunchWeightRange(int bSIUnits);

// Attached loads: girder (a choice stepped by the spin), load P, position L (mm).
class CSetupSteelWeightGrid1 : public CTableGrid {
public:
    enum { COL_GIRDER, COL_LOAD, COL_POSITION, COLS };
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    double Number(int col, int row);
};

// One row per girder: assumed steel weight, H, B, Bin (mm) and haunch weight.
class CSetupSteelWeightGrid2 : public CTableGrid {
public:
    enum { COL_STEEL, COL_H, COL_B, COL_BIN, COL_HAUNCH, COLS };
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    double Number(int col, int row);
};

class CSetupSteelWeightDialog : public CDialog, public SteelWeightData {
public:
    CSetupSteelWeightDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CSetupSteelWeightGrid1 m_gridAttach;
    CSetupSteelWeightGrid2 m_gridHaunch;
    CNumEdit m_editCount;
    CPictureFrame m_picture;

    // The attachment rows while the window is open; a row that a smaller count hides keeps
    // its values until the count grows again.
    int m_anEditGirder[ATTACHMENTS] = {};
    double m_adEditLoad[ATTACHMENTS] = {};
    double m_adEditPosition[ATTACHMENTS] = {};

private:
    void FillHaunchTable();
    // Reads the shown rows into the working copy and shows nRows of it.
    void SetAttachmentRows(int nRows);
    void OnCountChange();
    void OnCountDeltaPos();
    void OnPictureButton(int nID);
    void DrawPicture(CDC* pDC, const CRect& rect);
};
