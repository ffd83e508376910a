// The estimate after a real grillage run: every quantity, mass and amount is there, finite,
// and the estimate command computes the same again.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "design/girder_design.h"
#include "framework/format.h"
#include "framework/view.h"
#include "input/estimate_dialogs.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>

#include <cmath>

namespace {

class EstimateRunTest : public ShellTest {
protected:
    void SetUp() override
    {
        ShellTest::SetUp();
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        dialoginput::ConfirmBasic(QStringLiteral("2"));
        m_shown.clear();
    }
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }
};

}

TEST_F(EstimateRunTest, GrillageRunFillsTheEstimateAndTheCommandRepeatsIt)
{
    CMarivoltenDoc& doc = *g_pDoc;
    const int runs = doc.m_nEstimateRuns;
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(doc.m_pGirders, nullptr);
    // Once before the second pass's input, once at the end.
    EXPECT_EQ(doc.m_nEstimateRuns, runs + 2);
    ASSERT_EQ(m_shown.size(), 1) << m_shown.join(QLatin1Char('|')).toStdString();

    const CEstimateData& d = doc;
    const double positive[] = {d.m_dGirderMass, d.m_dSwayMass, d.m_dLateralMass,
                               d.m_dGirderBoltMass, d.m_dRailingMass, d.m_dExpansionJointMass, d.m_dSteelMassTotal,
                               d.m_dPaintArea, d.m_dRoadwayPavingArea, d.m_dSidewalkPavingArea, d.m_dDeckConcreteVolume,
                               d.m_dTWeldLengthTotal, d.m_dMainMemberMass, d.m_dFabricatedMass, d.m_dManHourY,
                               d.m_dFabricationCost, d.m_dShopCostTotal, d.m_dSiteCostTotal, d.m_dCommonTemporaryRate,
                               d.m_dSiteManagementRate, d.m_dGeneralAdminRate, d.m_dGeneralAdminCost,
                               double(d.m_nMaterialCost), double(d.m_nSteelMaterialTotal), double(d.m_nBearingCost),
                               double(d.m_nTransportCost), double(d.m_nLargePiecesTotal), double(d.m_nMembersTotal)};
    for (size_t i = 0; i < std::size(positive); ++i) {
        EXPECT_TRUE(std::isfinite(positive[i])) << i;
        EXPECT_GT(positive[i], 0.0) << i;
    }
    EXPECT_TRUE(std::isfinite(d.m_dCrossBeamMass));
    EXPECT_EQ(d.m_anSteelExtra[0], 1300);
    double byClass = 0.0;
    for (const auto& group : d.m_adMassByClass)
        for (double m : group) {
            EXPECT_TRUE(std::isfinite(m));
            byClass += m;
        }
    EXPECT_NEAR(byClass, d.m_dGirderMass + d.m_dCrossBeamMass + d.m_dSwayMass + d.m_dLateralMass, 1e-6);
    // Every plate has its material code, price class and mass.
    for (int g = 0; g < g_nGirders; ++g)
        for (const CSectionRecord& s : doc.m_pGirders[g].m_pSections) {
            for (int p = 0; p < 3; ++p) {
                EXPECT_GE(s.m_anSteelCode[p], 0);
                EXPECT_LE(s.m_anSteelCode[p], 34);
                EXPECT_GE(s.m_anPriceClass[p], 0);
            }
            EXPECT_GT(s.m_dMassUpper, 0.0);
            EXPECT_GT(s.m_dMassWeb, 0.0);
            EXPECT_GT(s.m_dMassLower, 0.0);
        }

    const CEstimateData first = d;
    m_shown.clear();
    Command(ID_CALC_ESTIMATE);
    EXPECT_TRUE(m_shown.isEmpty());
    EXPECT_EQ(doc.m_nEstimateRuns, runs + 3);
    EXPECT_TRUE(first == static_cast<const CEstimateData&>(doc));
}

// What a run derives from its reactions comes back with the file: the bearings are priced
// by the reactions after an open as before the save, and so is every other figure.
TEST_F(EstimateRunTest, ReopenedDesignKeepsItsEstimate)
{
    CMarivoltenDoc& doc = *g_pDoc;
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(doc.m_pGirders, nullptr);
    const CEstimateData before = doc;
    std::vector<double> reactions;
    for (int g = 0; g < g_nGirders; ++g)
        for (int s = 0; s <= g_nSpans; ++s)
            reactions.push_back(doc.m_pGirders[g].m_adMaxReaction[s]);
    ASSERT_GT(*std::max_element(reactions.begin(), reactions.end()), 10.0);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bridge.mvl"));
    ASSERT_TRUE(doc.OnSaveDocument(path));
    m_shown.clear();
    ASSERT_TRUE(theApp.OpenDesign(path));
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    CMarivoltenDoc& after = *g_pDoc;
    ASSERT_NE(after.m_pGirders, nullptr);
    size_t i = 0;
    for (int g = 0; g < g_nGirders; ++g)
        for (int s = 0; s <= g_nSpans; ++s)
            EXPECT_EQ(after.m_pGirders[g].m_adMaxReaction[s], reactions[i++]) << g << ' ' << s;
    const CEstimateData& reopened = after;
    EXPECT_EQ(reopened.m_nBearingCost, before.m_nBearingCost);
    EXPECT_EQ(reopened.m_nMaterialCost, before.m_nMaterialCost);
    EXPECT_TRUE(reopened == before);
}

// The bearing table shows each line's largest reaction over the girders and the mass of a
// bearing for it; OK keeps those, not zeros.
TEST_F(EstimateRunTest, BearingTableShowsTheRunsReactions)
{
    CMarivoltenDoc& doc = *g_pDoc;
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(doc.m_pGirders, nullptr);
    std::vector<double> largest(size_t(g_nSpans + 1), 0.0);
    for (int s = 0; s <= g_nSpans; ++s)
        for (int g = 0; g < g_nGirders; ++g)
            largest[size_t(s)] = std::max(largest[size_t(s)], doc.m_pGirders[g].m_adMaxReaction[s]);
    CEstimateBearingDialog& dlg = doc.m_dlgEstimate.m_dlgBearing;
    AfxSetModalHook([&](CDialog* d) {
        auto& b = static_cast<CEstimateBearingDialog&>(*d);
        ASSERT_EQ(b.m_grid.GetNumberRows(), g_nSpans + 1);
        for (int s = 0; s <= g_nSpans; ++s) {
            const double r = largest[size_t(s)];
            EXPECT_EQ(dialoginput::Cell(b.m_grid, s, CEstimateBearingDialog::COL_REACTION),
                      AfxFormat("%9.2f", r * 9.80665)) << s;
            EXPECT_EQ(dialoginput::Cell(b.m_grid, s, CEstimateBearingDialog::COL_MASS),
                      AfxFormat("%9.3f", doc.GetStepTableValue(0, r))) << s;
        }
        dialoginput::Ok(d);
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    AfxSetModalHook({});
    for (int s = 0; s <= g_nSpans; ++s) {
        EXPECT_NEAR(dlg.m_adMaxReaction[s], largest[size_t(s)], 0.01) << s;
        EXPECT_GT(dlg.m_adBearingMass[s], 117.0) << s;
    }
}

namespace {
class CountingView : public CView {
public:
    void OnDraw(CDC*) override {}
    void OnUpdate(CView*, LPARAM, CObject*) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};
}

// The estimate command redraws the open windows with its new figures.
TEST_F(EstimateRunTest, EstimateCommandUpdatesTheViews)
{
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(nullptr, CRect(0, 0, 300, 200), 0));
    auto* view = new CountingView;
    ASSERT_TRUE(view->Create(&parent, g_pDoc, 1));
    Command(ID_CALC_ESTIMATE);
    EXPECT_EQ(view->m_nUpdates, 1);
    view->DestroyWindow();
}

// A bad extra.txt is named once, however many estimates run, and again when it changes.
TEST_F(EstimateRunTest, BadExtraFileIsNamedOncePerContent)
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath(QStringLiteral("extra.txt"));
    auto write = [&](const QByteArray& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    };
    write("1200 // only one price, written by the estimate test\n");
    Answer({IDOK});
    Command(ID_CALC_GRILLAGE);
    ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    const QString shortFile = QStringLiteral("extra.txt に鋼材のエキストラ単価が97個ありません。\n標準のエキストラ単価で計算します。");
    EXPECT_EQ(m_shown.count(shortFile), 1) << m_shown.join(QLatin1Char('|')).toStdString();
    m_shown.clear();
    Command(ID_CALC_ESTIMATE);
    Command(ID_CALC_ESTIMATE);
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
    write("1200 1300 // two prices, written by the estimate test\n");
    Command(ID_CALC_ESTIMATE);
    EXPECT_EQ(m_shown, QStringList{shortFile});
    QFile::remove(path);
}
