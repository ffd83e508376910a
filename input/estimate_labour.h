// The estimate's labour unit prices, with the prices registered in the profile.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "grid/tablegrid.h"
#include "res/resource_ids.h"

// Labour and unit prices in yen. Index 8 has no row in the table but is kept.
struct EstimateLabourData {
    static constexpr int PRICES = 13;
    static constexpr int ROWS = 12;
    bool operator==(const EstimateLabourData&) const = default;
    int m_anPrice[PRICES] = {27400, 11300, 4800, 5000, 3000, 100000, 3000, 8000, 900000, 250000, 800000, 12000, 100000};
    int m_anStandard[PRICES] = {27400, 11300, 4800, 5000, 3000, 100000, 3000, 8000, 900000, 250000, 800000, 12000, 100000};
    // The price index that a table row shows.
    static int PriceIndex(int row) { return row < 8 ? row : row + 1; }
};

// Spin steps of 100 yen, 1000 on the large prices; a step down stops at 0.
class CEstimateLabourGrid : public CTableGrid {
public:
    void OnCellTypeNotify(long typeId, int col, int row, long msg, LPARAM param) override;
    // The row's number, truncated to whole yen.
    int Price(int row);
    void SetPrice(int row, int price);
};

class CEstimateLabourDialog : public CDialog, public EstimateLabourData {
public:
    CEstimateLabourDialog();
    BOOL OnInitDialog() override;
    void OnOK() override;

    CEstimateLabourGrid m_grid;

private:
    void OnStandard();
    void OnLoadRegistered();
    void OnRegister();
};
