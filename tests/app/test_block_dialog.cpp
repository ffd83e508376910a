// The block window after a real grillage run: joining, splitting and block lengths on the
// current girder, the refusals, and the table following the girder a bar steps to.
#include "common/dialog_input.h"
#include "common/shell_fixture.h"

#include "design/girder_design.h"
#include "framework/format.h"
#include "input/modeless_dialogs.h"

#include <numeric>

using namespace dialoginput;

namespace {

const QString kNoBlock = QStringLiteral("指定番号のブロックは存在しません。");
const QString kNoSection = QStringLiteral("指定番号の断面は存在しません。");
const QString kSumMismatch = QStringLiteral("断面長の合計が主桁長と合っていません。");

class BlockDialogTest : public ShellTest {
protected:
    void TearDown() override
    {
        qunsetenv("MARIVOLTEN_SOLVER_DIR");
        ShellTest::TearDown();
    }
    // Two spans designed by a first run, the height varying or not.
    void Design(bool bVarying)
    {
        qputenv("MARIVOLTEN_SOLVER_DIR", SOLVER_BIN_DIR);
        ConfirmBasic(QStringLiteral("2"), [&](CDialog* d) {
            Press(d, bVarying ? IDC_HEIGHT_VARIATION : IDC_HEIGHT_CONSTANT);
        });
        Answer({IDOK});
        Command(ID_CALC_GRILLAGE);
        ASSERT_EQ(m_shown, QStringList{QStringLiteral("計算終了!")});
        m_shown.clear();
        Command(ID_BLOCK_DIALOG);
        ASSERT_TRUE(Dlg()->IsWindowVisible());
        // The window keeps its mode from one showing to the next.
        Press(Dlg(), IDC_BLOCK_JOIN);
    }
    static CSetupBlockDialog* Dlg() { return g_pBlockDlg; }
    static CGirderDesign& Girder(int g) { return g_pDoc->m_pGirders[g]; }
    static CTableGrid& Table() { return Dlg()->m_grid; }
    static int Rows() { return Table().GetNumberRows(); }
    static QString Row(int r) { return Cell(Table(), r, 0); }
    static QString Mm(double m) { return AfxFormat("%6.0f", m * 1000.0); }
    void Run() { Press(Dlg(), IDC_BLOCK_RUN); }
    static CGridCell CellOf(int r)
    {
        CGridCell c;
        Table().GetCellIndirect(0, r, &c);
        return c;
    }
};

}

TEST_F(BlockDialogTest, VaryingHeightJoinsSplitsAndSetsBlocks)
{
    Design(true);
    CSetupBlockDialog* d = Dlg();
    std::vector<double> blocks = Girder(0).BlockLengths();
    ASSERT_GE(blocks.size(), 3u);
    ASSERT_EQ(Rows(), int(blocks.size()));
    for (int r = 0; r < Rows(); ++r)
        EXPECT_EQ(Row(r), Mm(blocks[size_t(r)]));
    const double L = std::accumulate(blocks.begin(), blocks.end(), 0.0);
    EXPECT_EQ(Text(d, IDC_BLOCK_GIRDER_SUM), AfxFormat("%10.0f", L * 1000.0));
    // Joining: the table is grey and read-only, the join numbers are open.
    EXPECT_EQ(CellOf(0).GetBackColor(), RGB(191, 191, 191));
    EXPECT_EQ(CellOf(0).GetReadOnly(), 1);
    EXPECT_TRUE(Enabled(d, IDC_BLOCK_START));
    EXPECT_FALSE(Enabled(d, IDC_BLOCK_SPLIT_NO));

    // Unset or missing block numbers are refused before the girder sees them.
    const std::vector<CSectionRecord> before = Girder(0).m_pSections;
    Run();
    EXPECT_EQ(m_shown, QStringList{kNoBlock});
    Type(d, IDC_BLOCK_START, QStringLiteral("1"));
    Type(d, IDC_BLOCK_END, QString::number(blocks.size() + 1));
    Run();
    EXPECT_EQ(m_shown, (QStringList{kNoBlock, kNoBlock}));
    EXPECT_EQ(Girder(0).m_pSections, before);

    // Blocks 1 and 2 become one; the numbers go back to 0.
    m_shown.clear();
    Type(d, IDC_BLOCK_END, QStringLiteral("2"));
    Run();
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    ASSERT_EQ(Rows(), int(blocks.size()) - 1);
    EXPECT_NEAR(Girder(0).BlockLengths()[0], blocks[0] + blocks[1], 1e-9);
    EXPECT_EQ(Text(d, IDC_BLOCK_START), QStringLiteral("0"));
    EXPECT_GT(g_pDoc->m_adDesignWeightPerLength[0], 0.0);

    // Splitting block 2 at its middle: half of 12345 mm is 6172.
    Press(d, IDC_BLOCK_SPLIT);
    EXPECT_FALSE(Enabled(d, IDC_BLOCK_START));
    EXPECT_TRUE(Enabled(d, IDC_BLOCK_SPLIT_NO));
    Type(d, IDC_BLOCK_SPLIT_NO, QStringLiteral("2"));
    CGridCell c = CellOf(1);
    c.SetText(QStringLiteral("12345"));
    Table().SetCell(0, 1, &c);
    Press(d, IDC_BLOCK_MIDDLE);
    EXPECT_EQ(Text(d, IDC_BLOCK_POS), QStringLiteral("6172"));
    // A spin step to block 1 takes its middle; beyond the blocks nothing changes.
    Step(d, IDC_BLOCK_SPLIT_SPIN, -1);
    blocks = Girder(0).BlockLengths();
    EXPECT_EQ(Text(d, IDC_BLOCK_POS), QString::number(int(blocks[0] * 1000.0 / 2.0)));
    Step(d, IDC_BLOCK_SPLIT_SPIN, -1);
    EXPECT_EQ(Text(d, IDC_BLOCK_POS), QString::number(int(blocks[0] * 1000.0 / 2.0)));
    Type(d, IDC_BLOCK_SPLIT_NO, QStringLiteral("1"));
    Run();
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    ASSERT_EQ(Rows(), int(blocks.size()) + 1);
    EXPECT_NEAR(Girder(0).BlockLengths()[0], int(blocks[0] * 1000.0 / 2.0) / 1000.0, 1e-9);

    // Lengths: the cells open; a typed length shows in the table total at once.
    Press(d, IDC_BLOCK_LENGTHS);
    EXPECT_EQ(CellOf(0).GetBackColor(), RGB(255, 255, 255));
    EXPECT_EQ(CellOf(0).GetReadOnly(), 0);
    blocks = Girder(0).BlockLengths();
    const int last = Rows() - 1;
    const double first = std::round(blocks[0] * 1000.0);
    Enter(Table(), last, 0, QString::number(std::round(blocks[size_t(last)] * 1000.0) + 1000.0));
    const QString girderSum = AfxFormat("%10.0f", L * 1000.0);
    EXPECT_EQ(Text(d, IDC_BLOCK_GIRDER_SUM), girderSum);
    EXPECT_NE(Text(d, IDC_BLOCK_TABLE_SUM), girderSum);
    // A metre too long is refused and nothing is redesigned.
    const std::vector<CSectionRecord> split = Girder(0).m_pSections;
    Run();
    EXPECT_EQ(m_shown, QStringList{kSumMismatch});
    EXPECT_EQ(Girder(0).m_pSections, split);
    // Taken off the first block, the lengths fit and become the blocks.
    m_shown.clear();
    Enter(Table(), 0, 0, QString::number(first - 1000.0));
    EXPECT_EQ(Text(d, IDC_BLOCK_TABLE_SUM), girderSum);
    Run();
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    EXPECT_NEAR(Girder(0).BlockLengths()[0], (first - 1000.0) / 1000.0, 1e-9);
    EXPECT_NEAR(Girder(0).BlockLengths()[size_t(last)], blocks[size_t(last)] + 1.0, 2e-3);
    EXPECT_EQ(Girder(0).UpdateSectionForces(), 1);

    // A bar steps to girder 2 (index 1): the table shows that girder's blocks.
    std::vector<CSectionRecord>& other = Girder(1).m_pSections;
    other.resize(5, other.back());
    const int flags[5] = {0, 1, 1, 0, 1};
    for (int s = 0; s < 5; ++s) {
        other[size_t(s)].m_dLength = 1.0 + s;
        other[size_t(s)].m_nJoinPrev = flags[s];
    }
    Girder(1).m_nSections = 5;
    Type(d, IDC_BLOCK_SPLIT_NO, QStringLiteral("2"));
    d->SendMessage(WM_CALCBAR_GIRDER, 0, 1);
    ASSERT_EQ(Rows(), 2);
    EXPECT_EQ(Row(0), QStringLiteral("  6000"));
    EXPECT_EQ(Row(1), QStringLiteral("  9000"));
    EXPECT_EQ(Text(d, IDC_BLOCK_SPLIT_NO), QStringLiteral("0"));
    EXPECT_EQ(Text(d, IDC_BLOCK_GIRDER_SUM), AfxFormat("%10.0f", 15000.0));
}

TEST_F(BlockDialogTest, ConstantHeightCountsSections)
{
    Design(false);
    CSetupBlockDialog* d = Dlg();
    CGirderDesign& girder = Girder(0);
    // The table shows the sections an execution reads, even where sections share a block.
    ASSERT_GE(girder.m_pSections.size(), 2u);
    girder.m_pSections[1].m_nJoinPrev = girder.m_pSections[0].m_nJoinNext = 1;
    Command(ID_BLOCK_DIALOG);
    Command(ID_BLOCK_DIALOG);
    const int n = int(girder.m_pSections.size());
    ASSERT_EQ(Rows(), n);
    for (int r = 0; r < n; ++r)
        EXPECT_EQ(Row(r), Mm(girder.m_pSections[size_t(r)].m_dLength));
    girder.m_pSections[1].m_nJoinPrev = girder.m_pSections[0].m_nJoinNext = 0;

    // Section numbers past the girder's are refused with the section wording.
    Type(d, IDC_BLOCK_START, QStringLiteral("1"));
    Type(d, IDC_BLOCK_END, QString::number(n + 1));
    Run();
    EXPECT_EQ(m_shown, QStringList{kNoSection});
    m_shown.clear();

    // Section 1 split 2 m from its start.
    const double length0 = girder.m_pSections[0].m_dLength;
    Press(d, IDC_BLOCK_SPLIT);
    Press(d, IDC_BLOCK_GIVEN);
    Type(d, IDC_BLOCK_SPLIT_NO, QStringLiteral("1"));
    Type(d, IDC_BLOCK_POS, QStringLiteral("2000"));
    Run();
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    ASSERT_EQ(int(girder.m_pSections.size()), n + 1);
    EXPECT_DOUBLE_EQ(girder.m_pSections[0].m_dLength, 2.0);
    EXPECT_NEAR(girder.m_pSections[1].m_dLength, length0 - 2.0, 1e-9);
    EXPECT_EQ(Rows(), n + 1);

    // Lengths move a metre from section 2 to section 1; the sections add up to the girder.
    Press(d, IDC_BLOCK_LENGTHS);
    Enter(Table(), 0, 0, QStringLiteral("3000"));
    Enter(Table(), 1, 0, QString::number(std::round((length0 - 2.0) * 1000.0) - 1000.0));
    // Enter in a cell ends the edit only; the window stays.
    EXPECT_TRUE(d->IsWindowVisible());
    Run();
    EXPECT_TRUE(m_shown.isEmpty()) << m_shown.join(u'|').toStdString();
    EXPECT_DOUBLE_EQ(girder.m_pSections[0].m_dLength, 3.0);
    double sum = 0.0;
    for (const CSectionRecord& s : girder.m_pSections)
        sum += s.m_dLength;
    EXPECT_NEAR(sum, girder.m_dGirderLength, 1e-9);
    EXPECT_DOUBLE_EQ(girder.m_pSections[0].m_adCheck[1], 3.0);

    // Enter reads the fields and hides the window.
    Type(d, IDC_BLOCK_SPLIT_NO, QStringLiteral("2"));
    d->OnOK();
    EXPECT_FALSE(d->IsWindowVisible());
    EXPECT_EQ(d->m_nSplitSection, 2);
}
