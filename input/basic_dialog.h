// Basic conditions of a design: titles, girder form, spans and girders,
// live load, cross-section shape, steel options, height variation, load factors.
#pragma once

#include <QString>
#include "app/numedit.h"
#include "framework/dialog.h"

// The stored values, kept apart so that a refused confirmation can put them back.
struct BasicConditions {
    bool operator==(const BasicConditions&) const = default;
    QString m_strTitle = QStringLiteral("新規");
    int m_nGirderForm = 0;          // 0 plate girder, 1 box girder
    int m_nSidewalk = 3;            // 0 none, 1 left, 2 right, 3 both
    int m_nLiveLoad = 0;            // A(L), B(L), A(T+L), B(T+L), none, crowd only
    int m_nGirders = 4;
    int m_nSpans = 0;
    int m_nWeathering = 1;          // 0 used, 1 not used
    QString m_strSubtitle;
    int m_nHeightVariation = 1;     // girder height: 0 varies (する), 1 constant (しない)
    int m_nHSteel = 1;              // 0 used, 1 not used
    int m_bZeroPaintCost = 0;
    int m_nMedian = 0;              // 0 with a median, 1 without
    int m_bMedianUnloaded = 0;
    int m_bKerbUnloaded = 0;
    double m_dLoadingWidth = 5.5;   // m
    double m_dP1Factor = 1.0;
    double m_dP2Factor = 1.0;
    int m_nStandard = 0;            // index into g_szDesignStandards
};

class CSetupBasicDialog : public CDialog, public BasicConditions {
public:
    CSetupBasicDialog();

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    // 1 when the controls hold what is stored (titles, bands, width and factors aside).
    int IsUnchanged();

    CComboBox m_cbStandard;
    CNumEdit m_editSpans;
    CNumEdit m_editGirders;

private:
    // The values that change what the grillage analysis computes without changing the layout.
    bool AnalysisFactorsChanged();
    void ApplyLayoutChange(int nForm, int nSpans, int nGirders);
};
