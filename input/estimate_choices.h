// Estimate choices: fittings and corrections, overheads, the H-section cross beam option.
#pragma once

#include "app/globals.h"
#include "framework/dialog.h"
#include "res/resource_ids.h"

// Fittings type and the multi-span and curve or skew corrections (0 = 自動決定, not offered).
struct EstimateFittingData {
    bool operator==(const EstimateFittingData&) const = default;
    int m_nRailingType = 0;             // 0 横ﾋﾞｰﾑ型, 1 縦さん型, 2 ready-made, priced apart
    int m_nRailingPost = 0;
    int m_nJointType = 0;               // 0 ﾌｨﾝｶﾞｰ形式, 1 歩道部踏板形式, 2 priced apart
    int m_nCurveSkewCorrection = 1;
    int m_nMultiSpanCorrection = 1;
    int m_nRailingUnitPrice = 0;        // yen per m, ready-made railing
    int m_nJointUnitPrice = 0;          // yen per m, ready-made joint
};

class CEstimateFittingDialog : public CDialog, public EstimateFittingData {
public:
    CEstimateFittingDialog();
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

private:
    // The ready-made prices are typed only while their item is priced apart.
    void EnablePrices();
};

// Common temporary, site management and general administration costs.
struct EstimateOverheadData {
    bool operator==(const EstimateOverheadData&) const = default;
    // What the dialog takes: percentages from 0, a factor from 1.
    static constexpr double MAX_SEASON_PERCENT = 2.0, MAX_PREPAYMENT_FACTOR = 1.05, MAX_GUARANTEE_PERCENT = 100.0;
    double m_dSeasonPercent = 0.0;
    int m_nRegion = -1;                 // none chosen
    int m_nCostMethod = 1;              // 0 as the old versions, 1 by the estimating manual
    double m_dPrepaymentFactor = 1.0;
    double m_dGuaranteePercent = 0.0;
};

class CEstimateOverheadDialog : public CDialog, public EstimateOverheadData {
public:
    CEstimateOverheadDialog() : CDialog(IDD_ESTIMATE_OVERHEAD) {}
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
};

struct EstimateOptionData {
    bool operator==(const EstimateOptionData&) const = default;
    int m_bHSectionCrossBeams = 0;      // fewer pieces per cross beam
};

class CEstimateOptionDialog : public CDialog, public EstimateOptionData {
public:
    CEstimateOptionDialog() : CDialog(IDD_ESTIMATE_OPTION) {}
    void DoDataExchange(CDataExchange* pDX) override;
};
