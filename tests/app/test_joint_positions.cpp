// The joint position dialog confirmed over designed girders: the blocks typed become the
// girders' field-joint blocks and the estimate follows them.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "design/girder_design.h"
#include "input/main_girder_dialog.h"

using namespace dialoginput;

namespace {

constexpr int kCount = CJointPositionGrid1::COL_COUNT;

class JointPositionTest : public ShellTest {
protected:
    // Opens the main girder data with blocks given by hand; `joint` drives the joint position
    // dialog its button opens, `after` looks on before the main dialog is cancelled.
    void OpenJoints(const std::function<void(CDialog*)>& joint, const std::function<void()>& after)
    {
        AfxSetModalHook([&](CDialog* d) {
            if (d->GetTemplateId() == IDD_JOINT_POSITION) {
                joint(d);
            } else {
                Press(d, IDC_MG_BLOCK_GIVEN);
                Press(d, IDC_MG_BLOCK_LENGTHS);
                after();
            }
            if (d->GetModalResult() == -1)
                d->SendMessage(WM_COMMAND, IDCANCEL);
        });
        Command(ID_SETUP_MAIN_GIRDER);
        AfxSetModalHook({});
    }
    static CJointPositionDlg& Joint() { return g_pDoc->m_dlgMainGirder.m_dlgJointPosition; }
};

}

TEST_F(JointPositionTest, ConfirmedLengthsBecomeTheGirdersBlocks)
{
    ConfirmBasic(QStringLiteral("2"));
    RunGrillage();
    CMarivoltenDoc& doc = *g_pDoc;
    ASSERT_NE(doc.m_pGirders, nullptr);
    ASSERT_GE(g_nGirders, 2);
    const double weight = doc.m_adDesignWeightPerLength[0];
    const int estimates = doc.m_nEstimateRuns;
    doc.SetModifiedFlag(FALSE);

    // Girder 1 in three blocks, the last taking the rest; every other girder in two.
    const auto typed = [](int g) {
        return g == 0 ? std::vector<QString>{QStringLiteral("20000"), QStringLiteral("25000"), QStringLiteral("1000")}
                      : std::vector<QString>{QStringLiteral("24000"), QStringLiteral("1000")};
    };
    OpenJoints(
        [&](CDialog* j) {
            for (int g = 0; g < g_nGirders; ++g) {
                const std::vector<QString> lengths = typed(g);
                Enter(Joint().m_grid1, g, kCount, QString::number(lengths.size()));
                for (size_t b = 0; b < lengths.size(); ++b)
                    Enter(Joint().m_grid2, g, int(b), lengths[b]);
            }
            Ok(j);
        },
        [&] {
            // Confirmed: the girders are cut already, before the main dialog ends.
            for (int g = 0; g < g_nGirders; ++g) {
                const CGirderDesign& girder = doc.m_pGirders[g];
                const double L = girder.m_dGirderLength;
                const std::vector<double> expected = g == 0 ? std::vector<double>{20.0, 25.0, L - 45.0}
                                                            : std::vector<double>{24.0, L - 24.0};
                const std::vector<double> blocks = girder.BlockLengths();
                ASSERT_EQ(blocks.size(), expected.size()) << g;
                for (size_t b = 0; b < blocks.size(); ++b)
                    EXPECT_NEAR(blocks[b], expected[b], 1e-6) << g << " " << b;
            }
            EXPECT_EQ(doc.m_nEstimateRuns, estimates + 1);
            EXPECT_TRUE(doc.IsModified());
            EXPECT_NE(doc.m_adDesignWeightPerLength[0], weight);
            EXPECT_DOUBLE_EQ(doc.m_adDesignWeightPerLength[0], doc.m_pGirders[0].GetSteelWeightPerLength(1));
        });
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    EXPECT_EQ(doc.m_bGrillageNotRun, 0);
}

TEST_F(JointPositionTest, WithoutResultsOnlyTheLengthsAreKept)
{
    ConfirmBasic(QStringLiteral("1"));
    const int estimates = g_pDoc->m_nEstimateRuns;
    OpenJoints(
        [](CDialog* j) {
            Enter(Joint().m_grid1, 0, kCount, QStringLiteral("1"));
            Enter(Joint().m_grid2, 0, 0, QStringLiteral("12000"));
            Ok(j);
        },
        [] {});
    EXPECT_EQ(g_pDoc->m_nEstimateRuns, estimates);
    EXPECT_EQ(g_pDoc->m_pGirders, nullptr);
}
