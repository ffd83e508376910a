// The example designs of examples/: entered through the dialogs, run and saved when asked
// for, and each stored design opens with results that a re-run of the open design and a
// second save find again.
#include "example_designs.h"

#include "common/dialog_input.h"
#include "common/shell_fixture.h"
#include "design/girder_design.h"
#include "estimate/cost_tables.h"
#include "estimate/estimate_input.h"
#include "estimate/mass_tables.h"

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <numeric>

namespace {

// The designed plates of a section; forces and stresses move with every analysis.
struct Plates {
    bool operator==(const Plates&) const = default;
    double length, bu, tu, bl, tl, hw, tw, ribHU, ribTU, ribHL, ribTL, i, weight;
    int stiffeners, gradeU, gradeW, gradeL, ribsU, ribsL, joinNext;
};

Plates PlatesOf(const CSectionRecord& s)
{
    return {s.m_dLength, s.m_dBUpper, s.m_dTUpper, s.m_dBLower, s.m_dTLower, s.m_dHWeb, s.m_dTWeb,
            s.m_dRibHUpper, s.m_dRibTUpper, s.m_dRibHLower, s.m_dRibTLower, s.m_dI, s.m_dWWhole,
            s.m_nStiffenerLevels, s.m_nGradeUpper, s.m_nGradeWeb, s.m_nGradeLower, s.m_nRibsUpper,
            s.m_nRibsLower, s.m_nJoinNext};
}

// What a design's results come to: every girder's sections and the estimate.
struct Results {
    std::vector<std::vector<Plates>> girders;
    CEstimateData estimate;
};

Results Current()
{
    Results r;
    for (int g = 0; g < g_nGirders; ++g) {
        r.girders.emplace_back();
        for (const CSectionRecord& s : g_pDoc->m_pGirders[g].m_pSections)
            r.girders.back().push_back(PlatesOf(s));
    }
    r.estimate = static_cast<CEstimateData&>(*g_pDoc);
    return r;
}

void ExpectSameResults(const Results& expected, const Results& actual)
{
    ASSERT_EQ(actual.girders.size(), expected.girders.size());
    for (size_t g = 0; g < expected.girders.size(); ++g) {
        ASSERT_EQ(actual.girders[g].size(), expected.girders[g].size()) << "G" << g + 1;
        for (size_t s = 0; s < expected.girders[g].size(); ++s)
            EXPECT_TRUE(actual.girders[g][s] == expected.girders[g][s]) << "G" << g + 1 << " section " << s + 1;
    }
    EXPECT_TRUE(actual.estimate == expected.estimate);
    EXPECT_EQ(actual.estimate.m_dSteelMassTotal, expected.estimate.m_dSteelMassTotal);
    EXPECT_EQ(estimate::DocumentContractTotal(actual.estimate), estimate::DocumentContractTotal(expected.estimate));
}

// Every section of every girder passes the checks the section table prints.
void ExpectChecksPass()
{
    for (int g = 0; g < g_nGirders; ++g) {
        const CGirderDesign& girder = g_pDoc->m_pGirders[g];
        if (g_nBridgeType == 2 && g != 1)
            continue;       // the single box's web lines carry no sections of their own
        ASSERT_GT(girder.m_nSections, 0) << "G" << g + 1;
        for (size_t n = 0; n < girder.m_pSections.size(); ++n) {
            const CSectionRecord& s = girder.m_pSections[n];
            for (int j = 0; j < 3; ++j) {
                const auto where = [&] { return testing::Message() << "G" << g + 1 << " section " << n + 1 << " at " << "LRC"[j]; };
                EXPECT_LE(s.GetUpperFlangeStress(girder, j), s.GetUpperAllowableStress(girder, j)) << where();
                EXPECT_LE(s.GetLowerFlangeStress(girder, j), s.GetLowerAllowableStress(girder, j)) << where();
                EXPECT_LE(std::fabs(s.GetShearStress(j)), std::fabs(s.GetAllowableShearStress())) << where();
                EXPECT_LE(s.GetCombinedStressRatio(girder, j), 1.2) << where();
            }
        }
    }
}

double DeckArea()
{
    const CStationRecord& support = g_pDoc->m_aSpans.front().m_aStations.front();
    const double length = std::accumulate(g_adSpanLength, g_adSpanLength + g_nSpans, 0.0) +
                          2.0 * g_pDoc->m_dlgEstimate.m_dlgFactor.m_dGirderEndLength;
    return support.m_dWidth * length;
}

// The mass summary as the estimate window shows it, with the steel per deck area and the contract cost.
void PrintEstimate(const char* name)
{
    const CMarivoltenDoc& doc = *g_pDoc;
    const estimate::MassSummaryTable t = estimate::MassSummary(doc, CEstimateInput::Collect(doc, false));
    std::printf("%s\n", name);
    for (int row = 0; row < t.m_text.m_nRows; ++row) {
        QString line;
        for (int col = 0; col < t.m_text.m_nCols; ++col)
            line += t.m_text.At(row, col) + QStringLiteral("  ");
        if (!line.trimmed().isEmpty())
            std::printf("  %s\n", line.toUtf8().constData());
    }
    const double area = DeckArea();
    std::printf("  deck %.1f m2: main girders %.0f kg/m2, all steel %.0f kg/m2; contract %.0f thousand yen\n", area,
                doc.m_dGirderMass * 1000.0 / area, doc.m_dSteelMassTotal * 1000.0 / area,
                estimate::DocumentContractTotal(doc) / 1000.0);
}

class ExampleTest : public ShellTest {
protected:
    // The grillage command on a design with results, keeping every plate and only checking it.
    void RerunKeepingThePlates()
    {
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        m_shown.clear();
        Answer({IDOK});
        const bool asked = dialoginput::RunModal(ID_CALC_GRILLAGE, [](CDialog* d) {
            dialoginput::Press(d, IDC_RERUN_KEEP);
            EXPECT_EQ(dialoginput::Checked(d, IDC_RERUN_REDESIGN), 0);
            dialoginput::Ok(d);
        });
        EXPECT_TRUE(asked);
        EXPECT_EQ(m_shown, QStringList{QStringLiteral("格子計算終了!")});
    }
    void Open(const QString& path)
    {
        m_shown.clear();
        ASSERT_TRUE(theApp.OpenDesign(path));
        EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
        ASSERT_EQ(g_bResultsValid, 1);
        ASSERT_NE(g_pDoc->m_pGirders, nullptr);
    }
    // As entered by hand: every input step of the setup bar marked 〆, the cross beams of plate
    // girders (a box's are fixed) and the girder height change where the height varies; the
    // coordinate sheet is another way to the same framing.
    static void ExpectEveryInputStepMarked()
    {
        std::vector<UINT> steps = {ID_SETUP_BASIC, ID_SETUP_SPAN, ID_SETUP_PANEL, ID_SETUP_CROSS_SECTION,
                                   ID_SETUP_MAIN_GIRDER, ID_SETUP_MAIN_GIRDER2, ID_SETUP_MAIN_MEMBER,
                                   ID_SETUP_DEAD_LOAD, ID_SETUP_STEEL_WEIGHT, ID_SETUP_ESTIMATE};
        if (g_nBridgeType == 0)
            steps.push_back(ID_SETUP_CROSS_BEAM);
        if (g_pDoc->m_dlgBasic.m_nHeightVariation == 0)
            steps.push_back(ID_SETUP_HEIGHT);
        for (UINT id : steps) {
            const CWnd* button = g_pMainFrame->m_wndSetupBar.GetControl(int(id));
            ASSERT_NE(button, nullptr) << id;
            EXPECT_TRUE(button->GetWindowText().startsWith(QStringLiteral("〆"))) << button->GetWindowText().toStdString();
        }
    }
};

}

// With MV_WRITE_EXAMPLES=<folder> (scripts/make_examples.sh), enters, runs and saves every example there.
TEST_F(ExampleTest, WrittenWhenAskedFor)
{
    const QString dir = qEnvironmentVariable("MV_WRITE_EXAMPLES");
    if (dir.isEmpty())
        GTEST_SKIP() << "MV_WRITE_EXAMPLES names no folder";
    ASSERT_TRUE(QDir().mkpath(dir));
    for (const examples::Example& example : examples::All()) {
        SCOPED_TRACE(example.file);
        StartNewDesign();
        m_shown.clear();
        example.enter();
        ASSERT_TRUE(m_shown.isEmpty()) << m_shown.join(QLatin1Char('|')).toStdString();
        ASSERT_NO_FATAL_FAILURE(RunGrillage());
        ExpectChecksPass();
        PrintEstimate(example.file);
        const Results saved = Current();
        const QString path = QDir(dir).filePath(QString::fromLatin1(example.file));
        ASSERT_TRUE(g_pDoc->OnSaveDocument(path));
        ASSERT_NO_FATAL_FAILURE(Open(path));
        ExpectEveryInputStepMarked();
        ExpectSameResults(saved, Current());
    }
}

TEST_F(ExampleTest, StoredResultsComeBackOnARerunAndASecondSave)
{
    const QDir dir(QStringLiteral(EXAMPLES_DIR));
    const QStringList files = dir.entryList({QStringLiteral("*.mvl")}, QDir::Files, QDir::Name);
    for (const examples::Example& example : examples::All())
        EXPECT_TRUE(files.contains(QString::fromLatin1(example.file))) << example.file;
    QTemporaryDir out;
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        ASSERT_NO_FATAL_FAILURE(Open(dir.filePath(file)));
        ExpectEveryInputStepMarked();
        ExpectChecksPass();
        const Results stored = Current();

        // Only the plates and what is estimated from them come back: the re-run analyses a
        // model of the stored plates, one pass on from the forces stored with them.
        RerunKeepingThePlates();
        ExpectSameResults(stored, Current());

        const QString again = out.filePath(file);
        ASSERT_TRUE(g_pDoc->OnSaveDocument(again));
        ASSERT_NO_FATAL_FAILURE(Open(again));
        ExpectSameResults(stored, Current());
    }
}

// The haunch example with its 40 m spans made shorter and longer: the change points (28 m into
// span 1, 12 m into span 2) keep their place between the supports in the profile, the
// analysis and a saved design.
TEST_F(ExampleTest, HaunchFollowsItsSpans)
{
    struct Lengths { double first, second; };
    QTemporaryDir out;
    for (const Lengths& spans : {Lengths{25.0, 30.0}, Lengths{50.0, 50.0}}) {
        SCOPED_TRACE(spans.first);
        ASSERT_NO_FATAL_FAILURE(Open(QDir(QStringLiteral(EXAMPLES_DIR)).filePath(QStringLiteral("plate_2span_haunch.mvl"))));
        Answer({IDOK});
        dialoginput::RunModal(ID_SETUP_SPAN, [&spans](CDialog* d) {
            auto& t = *dynamic_cast<CTableGrid*>(d->GetDlgItem(IDC_SPAN_TABLE));
            dialoginput::Enter(t, 0, 0, QString::number(spans.first * 1000.0));
            dialoginput::Enter(t, 1, 0, QString::number(spans.second * 1000.0));
            dialoginput::Type(d, IDC_BRIDGE_LENGTH, QString::number((spans.first + spans.second) * 1000.0 + 800.0));
            dialoginput::Ok(d);
        });
        EXPECT_EQ(m_shown, QStringList{QStringLiteral("格子計算、断面計算の結果が無効になります。\nよろしいですか。")});
        const double first = 28.0 * spans.first / 40.0, second = 12.0 * spans.second / 40.0;
        const CSetupHeightDialog& h = *g_pHeightDlg;
        ASSERT_EQ(h.m_nPointCols, 5);
        EXPECT_DOUBLE_EQ(h.m_adPointPos[1], first);
        EXPECT_DOUBLE_EQ(h.m_adPointPos[3], second);

        // Straight from 2.0 m at the change points to 2.8 m over the pier, along the bridge.
        const double pier = spans.first;
        auto expected = [&](double X) {
            if (X <= first || X >= pier + second)
                return 2.0;
            return X <= pier ? 2.0 + 0.8 * (X - first) / (pier - first) : 2.8 - 0.8 * (X - pier) / second;
        };
        auto expectProfiles = [&] {
            for (int g = 0; g < g_nGirders; ++g) {
                ASSERT_NE(g_pDoc->m_apGirderProfiles[g], nullptr);
                // x restarts at 0 in every span and runs to its far support.
                int span = 0;
                double prev = 0.0;
                for (const CDPoint& p : g_pDoc->m_apGirderProfiles[g]->m_aPoints) {
                    span += p.x < prev;
                    prev = p.x;
                    ASSERT_LT(span, 2);
                    ASSERT_LE(p.x, span == 0 ? spans.first : spans.second);
                    EXPECT_NEAR(p.y, expected(p.x + span * pier), 1e-9) << "G" << g + 1 << " at " << p.x;
                }
                EXPECT_EQ(span, 1);
                EXPECT_DOUBLE_EQ(prev, spans.second);
            }
        };
        ASSERT_NO_FATAL_FAILURE(expectProfiles());

        // The webs are designed from that profile.
        ASSERT_NO_FATAL_FAILURE(RunGrillage());
        for (int g = 0; g < g_nGirders; ++g) {
            const CGirderDesign& girder = g_pDoc->m_pGirders[g];
            ASSERT_GT(girder.m_nSections, 0);
            const double start = girder.m_adX[size_t(girder.m_pnSpanStart[0])];
            EXPECT_NEAR(girder.m_adX[size_t(girder.m_pnSpanStart[1])] - start, pier, 1e-9);
            for (int k = 0; k < girder.m_nSections; ++k) {
                double a = 0.0, b = 0.0;
                girder.SectionExtent(k, a, b);
                EXPECT_NEAR(girder.m_pSections[size_t(k)].m_dHWeb, expected((a + b) / 2 - start), 0.0006)
                    << "G" << g + 1 << " section " << k + 1;
            }
        }

        const QString saved = out.filePath(QStringLiteral("haunch.mvl"));
        ASSERT_TRUE(g_pDoc->OnSaveDocument(saved));
        ASSERT_NO_FATAL_FAILURE(Open(saved));
        EXPECT_DOUBLE_EQ(g_pHeightDlg->m_adPointPos[1], first);
        EXPECT_DOUBLE_EQ(g_pHeightDlg->m_adPointPos[3], second);
        ASSERT_NO_FATAL_FAILURE(expectProfiles());
    }
}
