// Estimate sub-dialogs with value tables: steel prices, extra factors and unit masses, bearings.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "grid/tablegrid.h"
#include "res/resource_ids.h"

// ---- steel unit prices ----

struct EstimateSteelPriceData {
    static constexpr int PRICES = 6;
    bool operator==(const EstimateSteelPriceData&) const = default;
    // Yen per t: scrap, size extra (0: by the girder form), plate base, section base, two unused.
    int m_anPrice[PRICES] = {4500, 0, 69000, 80000, 80000, 80000};
};

// One column of prices; a spin step changes the cell only.
class CEstimateSteelPriceGrid : public CTableGrid {
public:
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
};

class CEstimateSteelPriceDialog : public CDialog, public EstimateSteelPriceData {
public:
    static constexpr int ROWS = 4;
    CEstimateSteelPriceDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;

    // The price index shown on each table row.
    static constexpr int kRowIndex[ROWS] = {2, 3, 1, 0};
    // The size extra that stands for 0: plate girders 1500, box girders 2000.
    static int AutomaticSizeExtra();

    CEstimateSteelPriceGrid m_grid;
    static constexpr int m_anStandard[PRICES] = {4500, 0, 69000, 80000, 80000, 80000};

private:
    void ShowRows(const int values[ROWS]);
    void OnStandard();
    void OnLoadRegistered();
    void OnRegister();
};

// ---- extra factors and unit masses ----

// In the order the estimate keeps them.
struct EstimateFactorData {
    static constexpr int ROWS = 18;
    bool operator==(const EstimateFactorData&) const = default;
    double m_dGirderFactor = 1.25;
    double m_dCrossBeamFactor = 1.15;
    double m_dSwayFactor = 1.0;
    double m_dLateralFactor = 1.0;
    double m_dBracketFactor = 1.15;
    double m_dEdgeStringerFactor = 1.0;
    double m_dStringerFactor = 1.1;
    double m_dGirderBoltFactor = 0.03;
    double m_dCrossBeamBoltFactor = 0.04;
    double m_dGirderEndLength = 0.5;    // m, girder beyond each end support (桁端張出長)
    double m_dExpansionJointUnitMass = 0.23;    // t/m
    double m_dRailingWeight = 0.05;     // t/m, railing (高欄), also set from the dead loads D1 and D2
    double m_dDrainUnitMass = 0.008;    // t each
    int m_nDrainCount = 4;
    double m_dPaintAreaPerTon = 19.5;   // m2/t
    double m_dOtherMassInput = 0.0;     // t
    double m_dStiffenerSpacing = 1.2;   // m, vertical stiffeners
    double m_dFlangeRibFactor = 1.0;
    int m_bGirderEndMass = 1;
    int m_bSeparateRibMass = 1;         // box girders only

    // The value on a table row, and storing one (the drain count truncated).
    double RowValue(int row) const;
    void SetRowValue(int row, double value);
};

class CEstimateFactorGrid : public CTableGrid {
public:
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    static double SpinStep(int row);
};

class CEstimateFactorDialog : public CDialog, public EstimateFactorData {
public:
    CEstimateFactorDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    CEstimateFactorGrid m_grid;

private:
    void OnStandard();
};

// ---- bearings ----

struct EstimateBearingData {
    static constexpr int LINES = MAX_SPANS + 1;     // transverse support lines
    // Mass of one bearing (kg) under the default reaction, from the step table.
    static constexpr double kDefaultMass = 639.0;
    EstimateBearingData();
    bool operator==(const EstimateBearingData&) const = default;
    int m_bRubberBearing = 1;
    int m_nRubberPricePerTon = 1500000;
    int m_nOtherPricePerTon = 1000000;
    int m_nPriceMode = 0;               // 0 from the mass, 1 a price each
    int m_nPricePerBearing = 0;
    int m_anBearingType[LINES] = {};
    int m_anBearingCount[LINES];
    double m_adMaxReaction[LINES];      // tf, in either unit system
    double m_adBearingMass[LINES];      // kg each
    // Two per-girder tables of the support lines that design files carry; nothing here uses them.
    double m_adLineTable1[MAX_GIRDERS][40] = {};
    double m_adLineTable2[MAX_GIRDERS][40] = {};
};

class CEstimateBearingDialog : public CDialog, public EstimateBearingData {
public:
    enum { COL_REACTION, COL_TYPE, COL_BEARING_REACTION, COL_MASS, COLS };
    CEstimateBearingDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    // The largest support reaction of a line over the main girders (tf); 0 without results.
    static double LargestReaction(int line);

    CTableGrid m_grid;

private:
    void EnablePriceEdits(int nMode);
};
