// The estimate's steel price, factor and bearing dialogs, driven by table cell and button.
#include "app/design_state.h"
#include "common/shell_fixture.h"
#include "framework/format.h"
#include "framework/wndextras.h"
#include "input/estimate_tables.h"
#include "common/dialog_input.h"
#include "common/picture_folder.h"

#include <QImage>
#include <QLineEdit>
#include <functional>

using namespace dialoginput;

namespace {

constexpr double kGravity = 9.80665;
constexpr int kEstimateStep = 0x400;

class EstimateTableTest : public ShellTest {
protected:
    // A confirmed design of the given spans: plate girders or box girders.
    void MakeDesign(bool box, const char* spans)
    {
        ConfirmBasic(QString::fromLatin1(spans), [=](CDialog* d) {
            if (box)
                dialoginput::Press(d, IDC_FORM_BOX);
        });
        g_pMainFrame->m_nStepMask = 0;
        m_shown.clear();
    }
    // Runs a dialog modally; `drive` acts on it and ends it.
    template <class D>
    static int Run(D& dlg, std::function<void(D&)> drive)
    {
        AfxSetModalHook([&](CDialog*) {
            drive(dlg);
            if (dlg.GetModalResult() == -1)
                dlg.SendMessage(WM_COMMAND, IDCANCEL);
        });
        const int result = dlg.DoModal();
        AfxSetModalHook({});
        return result;
    }
    static void OK(CDialog& d) { d.SendMessage(WM_COMMAND, IDOK); }
    static void Press(CDialog& d, int id) { static_cast<CButton*>(d.GetDlgItem(id))->Click(); }
    static void Type(CDialog& d, int id, const QString& text)
    {
        auto* edit = qobject_cast<QLineEdit*>(d.GetDlgItem(id)->GetWidget());
        edit->setFocus();
        edit->selectAll();
        for (QChar c : text)
            gridui::Key(edit, int(c.unicode()), Qt::NoModifier, QString(c));
    }
    static bool Enabled(CDialog& d, int id) { return d.GetDlgItem(id)->IsWindowEnabled(); }
    static bool StepDone() { return (g_pMainFrame->m_nStepMask & kEstimateStep) != 0; }
    static CEstimateFactorDialog& Factor() { return g_pDoc->m_dlgEstimate.m_dlgFactor; }
};

// ---- steel prices ----

TEST_F(EstimateTableTest, SteelSizeExtraOfZeroShowsTheGirderFormsValue)
{
    MakeDesign(false, "1");
    CEstimateSteelPriceDialog plate;
    ASSERT_EQ(plate.m_anPrice[1], 0);
    Run<CEstimateSteelPriceDialog>(plate, [](CEstimateSteelPriceDialog& d) {
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("69000"));
        EXPECT_EQ(Cell(d.m_grid, 1, 0), QStringLiteral("80000"));
        EXPECT_EQ(Cell(d.m_grid, 2, 0), QStringLiteral("1500"));
        EXPECT_EQ(Cell(d.m_grid, 3, 0), QStringLiteral("4500"));
        d.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_EQ(plate.m_anPrice[1], 0);

    MakeDesign(true, "1");
    CEstimateSteelPriceDialog box;
    EXPECT_EQ(Run<CEstimateSteelPriceDialog>(box, [](CEstimateSteelPriceDialog& d) {
                  EXPECT_EQ(Cell(d.m_grid, 2, 0), QStringLiteral("2000"));
                  OK(d);
              }),
              IDOK);
    EXPECT_EQ(box.m_anPrice[1], 2000);
    EXPECT_TRUE(StepDone());
}

TEST_F(EstimateTableTest, SteelPricesStepTypeAndStoreByRow)
{
    MakeDesign(false, "1");
    CEstimateSteelPriceDialog dlg;
    dlg.m_anPrice[0] = 50;
    Run<CEstimateSteelPriceDialog>(dlg, [](CEstimateSteelPriceDialog& d) {
        Spin(d.m_grid, 0, 0, true);     // base prices step by 1000
        Spin(d.m_grid, 1, 0, false);
        Spin(d.m_grid, 2, 0, true);     // the others by 100
        Spin(d.m_grid, 3, 0, false);    // 50 down to 0, not below
        EXPECT_EQ(Cell(d.m_grid, 3, 0), QStringLiteral("0"));
        Enter(d.m_grid, 0, 0, QStringLiteral("71234"));
        OK(d);
    });
    EXPECT_EQ(dlg.m_anPrice[2], 71234);
    EXPECT_EQ(dlg.m_anPrice[3], 79000);
    EXPECT_EQ(dlg.m_anPrice[1], 1600);
    EXPECT_EQ(dlg.m_anPrice[0], 0);
    EXPECT_EQ(dlg.m_anPrice[4], 80000);
}

TEST_F(EstimateTableTest, SteelPriceButtonsStandardRegisterAndLoad)
{
    MakeDesign(true, "1");
    CEstimateSteelPriceDialog dlg;
    const EstimateSteelPriceData before = dlg;
    Run<CEstimateSteelPriceDialog>(dlg, [](CEstimateSteelPriceDialog& d) {
        Enter(d.m_grid, 0, 0, QStringLiteral("60000"));
        Enter(d.m_grid, 2, 0, QStringLiteral("300"));
        Press(d, IDC_ESP_REGISTER);
        Press(d, IDC_ESP_STANDARD);
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("69000"));
        EXPECT_EQ(Cell(d.m_grid, 2, 0), QStringLiteral("2000"));     // a box girder's size extra
        d.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_TRUE(dlg == before);     // the register is written at once, the prices only at OK
    EXPECT_EQ(g_pDoc->m_anSteelCosts[0], 60000);
    EXPECT_EQ(g_pDoc->m_anSteelCosts[2], 300);

    g_pDoc->m_anSteelCosts[0] = 1;  // the profile, not the document's copy, is what loads
    Run<CEstimateSteelPriceDialog>(dlg, [](CEstimateSteelPriceDialog& d) {
        Press(d, IDC_ESP_LOAD);
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("60000"));
        EXPECT_EQ(Cell(d.m_grid, 2, 0), QStringLiteral("300"));
        OK(d);
    });
    EXPECT_EQ(dlg.m_anPrice[2], 60000);
    EXPECT_EQ(dlg.m_anPrice[1], 300);
}

// ---- factors and unit masses ----

TEST_F(EstimateTableTest, FactorTableShowsEveryRowAndStoresItBack)
{
    MakeDesign(false, "1");
    g_pDoc->m_dlgDeadLoad.m_bRailingToEstimate = 0;
    EXPECT_EQ(Run<CEstimateFactorDialog>(Factor(), [](CEstimateFactorDialog& d) {
                  EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("1.250"));
                  EXPECT_EQ(Cell(d.m_grid, 1, 0), QStringLiteral("1.000"));
                  EXPECT_EQ(Cell(d.m_grid, 8, 0), QStringLiteral("1.200"));
                  EXPECT_EQ(Cell(d.m_grid, 11, 0), QStringLiteral("0.500"));
                  EXPECT_EQ(Cell(d.m_grid, 15, 0), QStringLiteral("4"));
                  EXPECT_EQ(Cell(d.m_grid, 16, 0), QStringLiteral("19.500"));
                  EXPECT_FALSE(Enabled(d, IDC_EF_SEPARATE_RIB));    // plate girders
                  Enter(d.m_grid, 11, 0, QStringLiteral("0.75"));
                  Enter(d.m_grid, 15, 0, QStringLiteral("6"));
                  static_cast<CButton*>(d.GetDlgItem(IDC_EF_GIRDER_END))->Click();
                  OK(d);
              }),
              IDOK);
    EXPECT_DOUBLE_EQ(Factor().m_dGirderEndLength, 0.75);
    EXPECT_EQ(Factor().m_nDrainCount, 6);
    EXPECT_EQ(Factor().m_bGirderEndMass, 0);
    EXPECT_DOUBLE_EQ(Factor().m_dPaintAreaPerTon, 19.5);
    EXPECT_TRUE(StepDone());
}

// The drain unit mass is a few kilograms a piece and the drain count a whole number.
TEST_F(EstimateTableTest, FactorSpinStepsFitTheirRows)
{
    MakeDesign(true, "1");
    g_pDoc->m_dlgDeadLoad.m_bRailingToEstimate = 0;
    Run<CEstimateFactorDialog>(Factor(), [](CEstimateFactorDialog& d) {
        EXPECT_TRUE(Enabled(d, IDC_EF_SEPARATE_RIB));     // box girders
        Spin(d.m_grid, 0, 0, true);
        Spin(d.m_grid, 13, 0, true);
        Spin(d.m_grid, 14, 0, true);
        Spin(d.m_grid, 15, 0, true);
        Spin(d.m_grid, 17, 0, false);   // at 0: stays
        EXPECT_EQ(Cell(d.m_grid, 14, 0), QStringLiteral("0.009"));
        EXPECT_EQ(Cell(d.m_grid, 15, 0), QStringLiteral("5"));
        EXPECT_EQ(Cell(d.m_grid, 17, 0), QStringLiteral("0.000"));
        OK(d);
    });
    EXPECT_DOUBLE_EQ(Factor().m_dGirderFactor, 1.26);
    EXPECT_DOUBLE_EQ(Factor().m_dRailingWeight, 0.051);
    EXPECT_DOUBLE_EQ(Factor().m_dDrainUnitMass, 0.009);
    EXPECT_EQ(Factor().m_nDrainCount, 5);
    EXPECT_DOUBLE_EQ(Factor().m_dOtherMassInput, 0.0);
}

TEST_F(EstimateTableTest, FactorStandardButtonAndRailingFromDeadLoads)
{
    MakeDesign(false, "1");
    // SI dead loads D1 and D2 in kN/m: their mean in t/m shows whatever was stored.
    g_pDoc->m_dlgDeadLoad.m_bRailingToEstimate = 1;
    g_pDoc->m_dlgDeadLoad.m_adValue[0] = 0.5;
    g_pDoc->m_dlgDeadLoad.m_adValue[1] = 1.5;
    Factor().m_dRailingWeight = 0.2;
    Factor().m_dGirderFactor = 2.0;
    Run<CEstimateFactorDialog>(Factor(), [](CEstimateFactorDialog& d) {
        EXPECT_EQ(Cell(d.m_grid, 13, 0), AfxFormat("%.3f", 1.0 / kGravity));
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("2.000"));
        Press(d, IDC_EF_STANDARD);
        EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("1.250"));
        EXPECT_EQ(Cell(d.m_grid, 13, 0), QStringLiteral("0.050"));
        d.SendMessage(WM_COMMAND, IDCANCEL);
    });
    EXPECT_DOUBLE_EQ(Factor().m_dGirderFactor, 2.0);
    EXPECT_FALSE(StepDone());
}

// ---- bearings ----

// The default reaction is 150 tf in either unit system, and the mass follows it once.
TEST_F(EstimateTableTest, BearingDefaultsAgreeWithTheStepTable)
{
    const CDesignState si = CDesignState::NewDesign(1);
    const CDesignState grav = CDesignState::NewDesign(0);
    EXPECT_DOUBLE_EQ(EstimateBearingData::kDefaultMass, g_pDoc->GetStepTableValue(0, 150.0));
    for (const CDesignState* s : {&si, &grav}) {
        EXPECT_DOUBLE_EQ(s->estimateBearing.m_adMaxReaction[0], 150.0);
        EXPECT_DOUBLE_EQ(s->estimateBearing.m_adBearingMass[EstimateBearingData::LINES - 1], 639.0);
    }
    g_bSIUnits = 1;
    CEstimateBearingDialog constructedInSI;
    EXPECT_DOUBLE_EQ(constructedInSI.m_adMaxReaction[3], 150.0);
    EXPECT_DOUBLE_EQ(constructedInSI.m_adBearingMass[3], 639.0);
}

// Without a grillage run there are no reactions: every line shows 0 and the lightest bearing.
TEST_F(EstimateTableTest, BearingTableBeforeAGrillageRun)
{
    MakeDesign(false, "2");
    ASSERT_EQ(g_pDoc->m_bGrillageNotRun, 1);
    CEstimateBearingDialog dlg;
    EXPECT_EQ(Run<CEstimateBearingDialog>(dlg, [](CEstimateBearingDialog& d) {
                  ASSERT_EQ(d.m_grid.GetNumberRows(), 3);
                  EXPECT_EQ(d.m_grid.GetCurrentCol(), 0);
                  EXPECT_EQ(Cell(d.m_grid, 2, -1), QStringLiteral("C  3"));
                  EXPECT_EQ(Cell(d.m_grid, -1, 0), QStringLiteral("最大反力(kN)"));
                  EXPECT_EQ(Cell(d.m_grid, 0, 0), QStringLiteral("     0.00"));
                  EXPECT_EQ(Cell(d.m_grid, 0, 1), QStringLiteral("ゴム支承"));
                  EXPECT_EQ(Cell(d.m_grid, 0, 3), QStringLiteral("  117.000"));
                  EXPECT_TRUE(Enabled(d, IDC_EB_RUBBER_PRICE));
                  EXPECT_FALSE(Enabled(d, IDC_EB_PRICE_EACH));
                  Press(d, IDC_EB_PER_PIECE);
                  EXPECT_FALSE(Enabled(d, IDC_EB_RUBBER_PRICE));
                  EXPECT_TRUE(Enabled(d, IDC_EB_PRICE_EACH));
                  Type(d, IDC_EB_PRICE_EACH, QStringLiteral("250000"));
                  OK(d);
              }),
              IDOK);
    EXPECT_EQ(dlg.m_nPriceMode, 1);
    EXPECT_EQ(dlg.m_nPricePerBearing, 250000);
    EXPECT_EQ(dlg.m_nRubberPricePerTon, 1500000);
    for (int line = 0; line < 3; ++line) {
        EXPECT_DOUBLE_EQ(dlg.m_adMaxReaction[line], 0.0);
        EXPECT_DOUBLE_EQ(dlg.m_adBearingMass[line], 117.0);
    }
    EXPECT_DOUBLE_EQ(dlg.m_adMaxReaction[3], 150.0);    // lines beyond the bridge keep theirs
    EXPECT_EQ(dlg.m_anBearingCount[0], 1);
    EXPECT_TRUE(StepDone());
}

// A typed reaction is read back in tf: kN divided by g.
TEST_F(EstimateTableTest, BearingReactionTypedInKiloNewtons)
{
    MakeDesign(false, "1");
    CEstimateBearingDialog dlg;
    Run<CEstimateBearingDialog>(dlg, [](CEstimateBearingDialog& d) {
        Enter(d.m_grid, 1, 0, QStringLiteral("980.665"));
        OK(d);
    });
    EXPECT_NEAR(dlg.m_adMaxReaction[1], 100.0, 1e-3);
}

TEST_F(EstimateTableTest, WindowsShowTheirTables)
{
    MakeDesign(true, "3");
    const CPictureFolder pictures;
    ASSERT_TRUE(pictures.IsValid());
    auto shoot = [&](CDialog& d, CTableGrid& t, const char* name) {
        const QString file = pictures.FilePath(QString::fromLatin1(name));
        ASSERT_TRUE(AfxSaveWindowImage(&d, file));
        const QImage image(file);
        ASSERT_FALSE(image.isNull());
        // The table fills its place: its last row lies inside the window.
        CRect r;
        t.GetCellRect(0, t.GetNumberRows() - 1, &r);
        EXPECT_GT(r.Height(), 5) << name;
        EXPECT_LE(r.bottom, t.m_area.GetWidget()->height()) << name;
    };
    CEstimateSteelPriceDialog steel;
    Run<CEstimateSteelPriceDialog>(steel, [&](CEstimateSteelPriceDialog& d) { shoot(d, d.m_grid, "steel.png"); });
    Run<CEstimateFactorDialog>(Factor(), [&](CEstimateFactorDialog& d) { shoot(d, d.m_grid, "factor.png"); });
    CEstimateBearingDialog bearing;
    Run<CEstimateBearingDialog>(bearing, [&](CEstimateBearingDialog& d) { shoot(d, d.m_grid, "bearing.png"); });
}

}
