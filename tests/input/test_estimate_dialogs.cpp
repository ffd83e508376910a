// The estimate data hub and its labour price and choice sub-dialogs, driven by control and
// by table cell through the modal hook.
#include "common/shell_fixture.h"
#include "input/estimate_dialogs.h"
#include "common/dialog_input.h"

#include <functional>
#include <map>

using namespace dialoginput;

namespace {

constexpr int kEstimateStepBit = 0x400;
const QString kBearingHint = QStringLiteral("格子計算を実行すると支承の設定ができます。");

class EstimateDialogTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        g_nSpans = 1;
        g_pMainFrame->m_nStepMask = 0;
    }
    // Opens the hub through its command; `hub` drives it and each sub-dialog its buttons open
    // is handed to the driver of its template. A dialog left open is cancelled.
    int OpenHub(std::function<void(CSetupEstimateDialog&)> hub, std::map<UINT, std::function<void(CDialog&)>> subs = {})
    {
        AfxSetModalHook([&](CDialog* d) {
            if (d->GetTemplateId() == IDD_ESTIMATE_INPUT)
                hub(*static_cast<CSetupEstimateDialog*>(d));
            else if (auto it = subs.find(d->GetTemplateId()); it != subs.end())
                it->second(*d);
            if (d->GetModalResult() == -1)
                Cancel(*d);
        });
        Command(ID_SETUP_ESTIMATE);
        AfxSetModalHook({});
        return Hub().GetModalResult();
    }
    // Opens one sub-dialog from the hub, drives it and confirms the hub.
    void OpenSub(int button, UINT dialog, std::function<void(CDialog&)> drive)
    {
        OpenHub([&](CSetupEstimateDialog& h) { Press(h, button); OK(h); }, {{dialog, drive}});
    }
    void OpenLabour(std::function<void(CEstimateLabourDialog&)> drive)
    {
        OpenSub(IDC_EST_LABOUR, IDD_ESTIMATE_LABOUR, [&](CDialog& d) { drive(static_cast<CEstimateLabourDialog&>(d)); });
    }
    static void PretendResults()
    {
        g_pDoc->m_bGrillageNotRun = 0;
        g_bResultsValid = 1;
    }
    static CSetupEstimateDialog& Hub() { return g_pDoc->m_dlgEstimate; }
    static void OK(CDialog& d) { d.SendMessage(WM_COMMAND, IDOK); }
    static void Cancel(CDialog& d) { d.SendMessage(WM_COMMAND, IDCANCEL); }
    static void Press(CDialog& d, int id) { static_cast<CButton*>(d.GetDlgItem(id))->Click(); }
    static int Checked(CDialog& d, int id) { return static_cast<CButton*>(d.GetDlgItem(id))->GetCheck(); }
    static bool Enabled(CDialog& d, int id) { return d.GetDlgItem(id)->IsWindowEnabled(); }
    static QString Text(CDialog& d, int id) { return d.GetDlgItem(id)->GetWindowText(); }
    static void Type(CDialog& d, int id, const QString& text) { d.GetDlgItem(id)->SetWindowText(text); }
};

}

TEST_F(EstimateDialogTest, BeforeAGrillageRunTheBearingsWaitAndOkOnlyMarksTheStep)
{
    const int runs = g_pDoc->m_nEstimateRuns;
    EXPECT_EQ(OpenHub([](CSetupEstimateDialog& h) {
        EXPECT_FALSE(Enabled(h, IDC_EST_BEARING));
        EXPECT_EQ(Text(h, IDC_EST_BEARING_HINT), kBearingHint);
        EXPECT_EQ(Text(h, IDC_EST_FACTOR), QStringLiteral("割り増し係数、単位質量"));
        OK(h);
    }), IDOK);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kEstimateStepBit, kEstimateStepBit);
    EXPECT_EQ(g_pDoc->m_nEstimateRuns, runs);
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(EstimateDialogTest, WithResultsOkRecalculatesTheEstimateAndKeepsTheResults)
{
    PretendResults();
    const int runs = g_pDoc->m_nEstimateRuns;
    OpenHub([](CSetupEstimateDialog& h) {
        EXPECT_TRUE(Enabled(h, IDC_EST_BEARING));
        EXPECT_EQ(Text(h, IDC_EST_BEARING_HINT), QString());
        Cancel(h);
    });
    EXPECT_EQ(g_pDoc->m_nEstimateRuns, runs);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kEstimateStepBit, 0);
    OpenHub([](CSetupEstimateDialog& h) { OK(h); });
    EXPECT_EQ(g_pDoc->m_nEstimateRuns, runs + 1);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kEstimateStepBit, kEstimateStepBit);
    EXPECT_EQ(g_bResultsValid, 1);
    EXPECT_EQ(g_pDoc->m_bGrillageNotRun, 0);
    EXPECT_TRUE(m_shown.isEmpty());
}

TEST_F(EstimateDialogTest, FactorButtonNamesWeightInGravitationalUnits)
{
    Answer({IDOK});
    Command(ID_OPTION_SI_UNITS);
    ASSERT_EQ(g_bSIUnits, 0);
    OpenHub([](CSetupEstimateDialog& h) { EXPECT_EQ(Text(h, IDC_EST_FACTOR), QStringLiteral("割り増し係数、単位重量")); });
}

TEST_F(EstimateDialogTest, HubCancelPutsBackWhatItsSubDialogsConfirmed)
{
    const EstimateLabourData labour = Hub().m_dlgLabour;
    const EstimateFittingData fitting = Hub().m_dlgFitting;
    const EstimateOverheadData overhead = Hub().m_dlgOverhead;
    const EstimateSteelPriceData steel = Hub().m_dlgSteelPrice;
    auto edit = [](CSetupEstimateDialog& h) {
        Press(h, IDC_EST_LABOUR);
        Press(h, IDC_EST_STEEL_PRICE);
        Press(h, IDC_EST_FITTING);
        Press(h, IDC_EST_OVERHEAD);
        Press(h, IDC_EST_OPTION);
        EXPECT_EQ(h.m_dlgLabour.m_anPrice[0], 27500);
        EXPECT_EQ(h.m_dlgFitting.m_nRailingType, 1);
    };
    const std::map<UINT, std::function<void(CDialog&)>> subs = {
        {IDD_ESTIMATE_LABOUR, [](CDialog& d) { Spin(static_cast<CEstimateLabourDialog&>(d).m_grid, 0, 0, true); OK(d); }},
        {IDD_ESTIMATE_FITTING, [](CDialog& d) { Press(d, IDC_FIT_RAILING_BAR); OK(d); }},
        {IDD_ESTIMATE_OVERHEAD, [](CDialog& d) { Press(d, IDC_OH_REGION_CITY + 2); OK(d); }},
        {IDD_ESTIMATE_OPTION, [](CDialog& d) { Press(d, IDC_OPT_H_SECTION); OK(d); }},
        {IDD_ESTIMATE_STEEL_PRICE, [](CDialog& d) { Spin(static_cast<CEstimateSteelPriceDialog&>(d).m_grid, 0, 0, true); OK(d); }}};
    EXPECT_EQ(OpenHub([&](CSetupEstimateDialog& h) { edit(h); Cancel(h); }, subs), IDCANCEL);
    EXPECT_TRUE(Hub().m_dlgSteelPrice == steel);
    EXPECT_TRUE(Hub().m_dlgLabour == labour);
    EXPECT_TRUE(Hub().m_dlgFitting == fitting);
    EXPECT_TRUE(Hub().m_dlgOverhead == overhead);
    EXPECT_EQ(Hub().m_dlgOption.m_bHSectionCrossBeams, 0);

    EXPECT_EQ(OpenHub([&](CSetupEstimateDialog& h) { edit(h); OK(h); }, subs), IDOK);
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[0], 27500);
    EXPECT_EQ(Hub().m_dlgFitting.m_nRailingType, 1);
    EXPECT_EQ(Hub().m_dlgOverhead.m_nRegion, 2);
    EXPECT_EQ(Hub().m_dlgOption.m_bHSectionCrossBeams, 1);
    EXPECT_FALSE(Hub().m_dlgSteelPrice == steel);
    EXPECT_TRUE(g_pDoc->IsModified());
}

TEST_F(EstimateDialogTest, LabourSpinsStepByRowAndStopAtZero)
{
    OpenLabour([](CEstimateLabourDialog& d) {
        CEstimateLabourGrid& t = d.m_grid;
        EXPECT_EQ(Cell(t, 8, 0), QStringLiteral("250000"));      // index 8 has no row
        Enter(t, 1, 0, QStringLiteral("50"));
        Spin(t, 1, 0, false);
        EXPECT_EQ(Cell(t, 1, 0), QStringLiteral("0"));
        Spin(t, 1, 0, false);
        EXPECT_EQ(Cell(t, 1, 0), QStringLiteral("0"));
        Spin(t, 5, 0, true);
        Spin(t, 8, 0, false);
        Spin(t, 10, 0, true);
        OK(d);
    });
    const int* price = Hub().m_dlgLabour.m_anPrice;
    EXPECT_EQ(price[1], 0);
    EXPECT_EQ(price[5], 101000);
    EXPECT_EQ(price[8], 900000);
    EXPECT_EQ(price[9], 249000);
    EXPECT_EQ(price[11], 12100);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kEstimateStepBit, kEstimateStepBit);
}

TEST_F(EstimateDialogTest, LabourStandardPricesNeedItsOk)
{
    Hub().m_dlgLabour.m_anPrice[0] = 30000;
    OpenLabour([](CEstimateLabourDialog& d) {
        Press(d, IDC_LABOUR_STANDARD);
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("27400"));
        Cancel(d);
    });
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[0], 30000);
}

TEST_F(EstimateDialogTest, RegisteredLabourPricesCarryOverToAnotherDesign)
{
    OpenLabour([](CEstimateLabourDialog& d) {
        Enter(d.m_grid, 0, 0, QStringLiteral("31000"));
        Enter(d.m_grid, 11, 0, QStringLiteral("120000"));
        Press(d, IDC_LABOUR_REGISTER);
        Cancel(d);
    });
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[0], 27400);
    EXPECT_EQ(AfxGetProfileString(QStringLiteral("Settings"), QStringLiteral("HumanCostCondition")),
              QStringLiteral("31000:11300:4800:5000:3000:100000:3000:8000:250000:800000:12000:120000"));

    // Another design, with the document's copy gone: the profile brings the prices back.
    StartNewDesign();
    g_nSpans = 1;
    g_pDoc->m_anLabourCosts[0] = 1;
    OpenLabour([](CEstimateLabourDialog& d) {
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("27400"));
        Press(d, IDC_LABOUR_REGISTERED);
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("31000"));
        EXPECT_EQ(Cell(d.m_grid, 11, 0), QStringLiteral("120000"));
        OK(d);
    });
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[0], 31000);
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[12], 120000);
    EXPECT_EQ(Hub().m_dlgLabour.m_anPrice[8], 900000);
}

TEST_F(EstimateDialogTest, OverheadStartsWithNoRegionAndRefusesAPrepaymentBeyondItsRange)
{
    OpenSub(IDC_EST_OVERHEAD, IDD_ESTIMATE_OVERHEAD, [this](CDialog& d) {
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(Checked(d, IDC_OH_REGION_CITY + i), 0);
        EXPECT_EQ(Checked(d, IDC_OH_METHOD_MANUAL), 1);
        Type(d, IDC_OH_SEASON, QStringLiteral("1.5"));
        Type(d, IDC_OH_PREPAYMENT, QStringLiteral("1.06"));
        OK(d);
        EXPECT_EQ(d.GetModalResult(), -1);
        EXPECT_EQ(m_shown.size(), 1);
        Type(d, IDC_OH_PREPAYMENT, QStringLiteral("1.05"));
        OK(d);
        EXPECT_EQ(d.GetModalResult(), IDOK);
    });
    const EstimateOverheadData& o = Hub().m_dlgOverhead;
    EXPECT_EQ(o.m_nRegion, -1);
    EXPECT_EQ(o.m_nCostMethod, 1);
    EXPECT_DOUBLE_EQ(o.m_dSeasonPercent, 1.5);
    EXPECT_DOUBLE_EQ(o.m_dPrepaymentFactor, 1.05);

    // A refusal stores nothing, not even the fields read before the refused one.
    OpenSub(IDC_EST_OVERHEAD, IDD_ESTIMATE_OVERHEAD, [](CDialog& d) {
        Type(d, IDC_OH_SEASON, QStringLiteral("0.5"));
        Type(d, IDC_OH_PREPAYMENT, QStringLiteral("0.9"));
        OK(d);
        Cancel(d);
    });
    EXPECT_DOUBLE_EQ(o.m_dSeasonPercent, 1.5);
}

TEST_F(EstimateDialogTest, FittingPricesAreTypedOnlyForItemsPricedApart)
{
    OpenSub(IDC_EST_FITTING, IDD_ESTIMATE_FITTING, [](CDialog& d) {
        EXPECT_FALSE(Enabled(d, IDC_FIT_CURVE_AUTO));
        EXPECT_FALSE(Enabled(d, IDC_FIT_MULTI_AUTO));
        EXPECT_EQ(Checked(d, IDC_FIT_CURVE_AUTO + 1), 1);
        EXPECT_EQ(Checked(d, IDC_FIT_MULTI_AUTO + 1), 1);
        EXPECT_FALSE(Enabled(d, IDC_FIT_RAILING_PRICE));
        Press(d, IDC_FIT_RAILING_NONE);
        EXPECT_TRUE(Enabled(d, IDC_FIT_RAILING_PRICE));
        EXPECT_TRUE(Enabled(d, IDC_FIT_RAILING_UNIT));
        EXPECT_FALSE(Enabled(d, IDC_FIT_JOINT_PRICE));
        Press(d, IDC_FIT_RAILING_BAR);
        EXPECT_FALSE(Enabled(d, IDC_FIT_RAILING_PRICE));
        Press(d, IDC_FIT_JOINT_NONE);
        EXPECT_TRUE(Enabled(d, IDC_FIT_JOINT_LABEL));
        Type(d, IDC_FIT_JOINT_PRICE, QStringLiteral("45000"));
        OK(d);
    });
    const EstimateFittingData& f = Hub().m_dlgFitting;
    EXPECT_EQ(f.m_nRailingType, 1);
    EXPECT_EQ(f.m_nJointType, 2);
    EXPECT_EQ(f.m_nJointUnitPrice, 45000);
    EXPECT_EQ(g_pMainFrame->m_nStepMask & kEstimateStepBit, kEstimateStepBit);
}
