// The section detail data tables of one girder: the member end forces block by block, and
// the stiffness and steel weight of members made of joined sections.
#include "design/properties_tables.h"
#include "design/girder_design.h"

#include <gtest/gtest.h>

namespace {

using namespace props;

// Member results for nPoints panel points: every value of a member is its number plus the
// case as a tenth, its lengths 5 m.
CGirderDesign ForceGirder(int nPoints)
{
    CGirderDesign g;
    const size_t members = size_t(nPoints - 1);
    auto fill = [members](std::vector<double>& v, double c) {
        v.resize(members);
        for (size_t m = 0; m < members; ++m)
            v[m] = double(m + 1) + c / 10.0;
    };
    g.m_pnMemberNoI.resize(members);
    g.m_pnMemberNoJ.resize(members);
    g.m_pnNodeI.resize(members);
    g.m_pnNodeJ.resize(members);
    for (size_t m = 0; m < members; ++m) {
        g.m_pnMemberNoI[m] = g.m_pnMemberNoJ[m] = int(m + 1);
        g.m_pnNodeI[m] = int(m + 1);
        g.m_pnNodeJ[m] = int(m + 2);
    }
    g.m_pdPanelLength.assign(members, 5.0);
    std::vector<double>* I[15] = {&g.m_pdMomentDeadI, &g.m_pdMomentLivePlusI, &g.m_pdMomentLiveMinusI,
                                  &g.m_pdMomentTotalPlusI, &g.m_pdMomentTotalMinusI, &g.m_pdShearDeadI,
                                  &g.m_pdShearLivePlusI, &g.m_pdShearLiveMinusI, &g.m_pdShearTotalPlusI,
                                  &g.m_pdShearTotalMinusI, &g.m_pdTorsionDead, &g.m_pdTorsionLivePlus,
                                  &g.m_pdTorsionLiveMinus, &g.m_pdTorsionTotalPlus, &g.m_pdTorsionTotalMinus};
    std::vector<double>* J[10] = {&g.m_pdMomentDeadJ, &g.m_pdMomentLivePlusJ, &g.m_pdMomentLiveMinusJ,
                                  &g.m_pdMomentTotalPlusJ, &g.m_pdMomentTotalMinusJ, &g.m_pdShearDeadJ,
                                  &g.m_pdShearLivePlusJ, &g.m_pdShearLiveMinusJ, &g.m_pdShearTotalPlusJ,
                                  &g.m_pdShearTotalMinusJ};
    for (int c = 0; c < 15; ++c)
        fill(*I[c], c % 5);
    for (int c = 0; c < 10; ++c)
        fill(*J[c], c % 5 + 5);
    return g;
}

// Sections with the values given, joined as told (joinNext per section).
CGirderDesign SectionGirder(const std::vector<double>& values, const std::vector<int>& joinNext)
{
    CGirderDesign g;
    for (size_t s = 0; s < values.size(); ++s) {
        CSectionRecord r;
        r.m_dAssumedI = r.m_dAssumedJ = r.m_dAssumedArea = values[s];
        r.m_dI = r.m_dJ = r.m_dArea = 2.0 * values[s];
        r.m_nJoinNext = joinNext[s];
        r.m_nJoinPrev = s > 0 ? joinNext[s - 1] : 0;
        g.m_pSections.push_back(r);
    }
    g.m_nSections = int(values.size());
    return g;
}

bool Heading(const results::Table& t, int row, int col) { return (t.At(row, col).style & results::STYLE_HEADING) != 0; }

}

TEST(SectionForces, PlateGirderOfSevenPointsHasMomentAndShearBlocksIn27Rows)
{
    const CGirderDesign g = ForceGirder(7);
    const results::Table t = Forces(g, 7, false, false);
    ASSERT_EQ(t.Rows(), 27);
    ASSERT_EQ(t.Cols(), 8);
    EXPECT_EQ(t.Text(1, 1), QStringLiteral("モーメント"));
    EXPECT_EQ(t.Text(1, 2), QStringLiteral("DEAD LOAD"));
    EXPECT_EQ(t.Text(1, 7), QStringLiteral(" L (M)"));
    EXPECT_TRUE(Heading(t, 1, 0) && Heading(t, 1, 1));
    EXPECT_FALSE(Heading(t, 1, 2));
    // Member 1: its first end with the length, then its second end without.
    EXPECT_EQ(t.Text(2, 1), QStringLiteral(" 1 - 1"));
    EXPECT_EQ(t.Text(3, 1), QStringLiteral(" 1 - 2"));
    EXPECT_EQ(t.Text(2, 2), QStringLiteral("1.000"));
    EXPECT_EQ(t.Text(2, 6), QStringLiteral("1.400"));
    EXPECT_EQ(t.Text(3, 2), QStringLiteral("1.500"));
    EXPECT_EQ(t.Text(2, 7), QStringLiteral("5.000"));
    EXPECT_TRUE(t.Text(3, 7).isEmpty());
    EXPECT_TRUE(t.At(2, 2).IsNumber());
    EXPECT_EQ(t.Text(13, 1), QStringLiteral(" 6 - 7"));
    EXPECT_EQ(t.Text(14, 1), QStringLiteral("せん断力"));
    EXPECT_EQ(t.Text(15, 2), QStringLiteral("1.000"));
    EXPECT_EQ(t.Text(26, 1), QStringLiteral(" 6 - 7"));
    for (int r = 0; r < 27; ++r)
        EXPECT_TRUE(Heading(t, r, 1)) << r;
}

TEST(SectionForces, BoxGirderAddsTheTorsionBlockAndSIConvertsAllButTheLength)
{
    const CGirderDesign g = ForceGirder(7);
    const results::Table t = Forces(g, 7, true, true);
    ASSERT_EQ(t.Rows(), 34);
    EXPECT_EQ(t.Text(27, 1), QStringLiteral("ねじりモーメント"));
    EXPECT_EQ(t.Text(28, 1), QStringLiteral(" 1 - 1"));
    EXPECT_EQ(t.Text(33, 1), QStringLiteral(" 6 - 6"));
    // A dead-load moment of 1.0 tf·m shows 9.807 kN·m; the length stays in metres.
    EXPECT_EQ(t.Text(2, 2), QStringLiteral("9.807"));
    EXPECT_EQ(t.Text(2, 7), QStringLiteral("5.000"));
    EXPECT_EQ(t.Text(28, 7), QStringLiteral("5.000"));
}

TEST(SectionForces, MissingMemberResultsLeaveTheRowsEmpty)
{
    CGirderDesign g = ForceGirder(3);
    EXPECT_FALSE(HasForces(g, 7));
    const results::Table t = Forces(g, 7, false, false);
    ASSERT_EQ(t.Rows(), 27);
    EXPECT_TRUE(t.Text(2, 1).isEmpty());
    EXPECT_EQ(t.Text(14, 1), QStringLiteral("せん断力"));
    EXPECT_EQ(ShownTable(TABLE_FORCES, g, 7), -1);
    EXPECT_EQ(ShownTable(TABLE_FORCES, g, 3), TABLE_FORCES);
}

TEST(SectionStiffness, JoinedSectionsMakeOneMemberWithTheirMean)
{
    // Four sections joined as 1+2 and 3+4.
    const CGirderDesign g = SectionGirder({0.01, 0.03, 0.02, 0.04}, {1, 0, 1, 0});
    const results::Table plate = Stiffness(g, false);
    ASSERT_EQ(plate.Rows(), 4);
    ASSERT_EQ(plate.Cols(), 5);
    EXPECT_EQ(plate.Text(1, 2), QStringLiteral("仮定曲げ剛度[m4]"));
    EXPECT_EQ(plate.Text(2, 1), QStringLiteral("1"));
    EXPECT_TRUE(Heading(plate, 2, 1));
    EXPECT_EQ(plate.Text(2, 2), QStringLiteral("0.020000"));
    EXPECT_EQ(plate.Text(2, 3), QStringLiteral("0.040000"));
    EXPECT_EQ(plate.Text(2, 4), QStringLiteral("0.500"));
    EXPECT_EQ(plate.Text(3, 2), QStringLiteral("0.030000"));
    const results::Table box = Stiffness(g, true);
    ASSERT_EQ(box.Cols(), 8);
    EXPECT_EQ(box.Text(1, 5), QStringLiteral("仮定ねじり剛度[m4]"));
    EXPECT_EQ(box.Text(3, 6), QStringLiteral("0.060000"));
    EXPECT_EQ(box.Text(3, 7), QStringLiteral("0.500"));
}

TEST(SectionStiffness, ARatioOverNothingShowsTheDash)
{
    CGirderDesign g = SectionGirder({0.01}, {0});
    g.m_pSections[0].m_dI = 0.0;
    g.m_pSections[0].m_dArea = 0.0;
    EXPECT_EQ(Stiffness(g, false).Text(2, 4), QStringLiteral("－"));
    EXPECT_EQ(SteelWeight(g, false).Text(2, 4), QStringLiteral("－"));
}

TEST(SectionSteelWeight, AreasTimesTheDensityOfTheUnitSystem)
{
    const CGirderDesign g = SectionGirder({0.02, 0.02}, {0, 0});
    const results::Table t = SteelWeight(g, false);
    ASSERT_EQ(t.Rows(), 4);
    ASSERT_EQ(t.Cols(), 5);
    EXPECT_EQ(t.Text(1, 3), QStringLiteral("実鋼重[t/m]"));
    EXPECT_EQ(t.Text(2, 2), QStringLiteral("0.157000"));
    EXPECT_EQ(t.Text(2, 3), QStringLiteral("0.314000"));
    EXPECT_EQ(t.Text(2, 4), QStringLiteral("0.500"));
    EXPECT_EQ(SteelWeight(g, true).Text(2, 2), QStringLiteral("0.157036"));
}

TEST(SectionTables, OldDataShowsTheForcesInsteadOfTheAssumedValues)
{
    CGirderDesign g = ForceGirder(3);
    g.m_pSections.push_back(CSectionRecord());
    g.m_nSections = 1;
    // A record made before the assumed values were kept reads -1.
    EXPECT_FALSE(HasAssumedValues(g));
    EXPECT_EQ(ShownTable(TABLE_STIFFNESS, g, 3), TABLE_FORCES);
    EXPECT_EQ(ShownTable(TABLE_STEEL_WEIGHT, g, 3), TABLE_FORCES);
    g.m_pSections[0].m_dAssumedArea = 0.03;
    EXPECT_EQ(ShownTable(TABLE_STEEL_WEIGHT, g, 3), TABLE_STEEL_WEIGHT);
    // No sections: nothing to read, whatever the first record would say.
    g.m_nSections = 0;
    EXPECT_FALSE(HasAssumedValues(g));
    EXPECT_EQ(ShownTable(1, g, 3), -1);
}

TEST(SectionForces, ARowRangeMakesOnlyItsRows)
{
    const CGirderDesign g = ForceGirder(7);
    const results::Table whole = Forces(g, 7, true, false);
    // The second end of member 6's moment, the shear heading and the first shear row.
    const results::Table part = Forces(g, 7, true, false, {13, 15});
    ASSERT_EQ(part.Rows(), whole.Rows());
    for (int r = 0; r < whole.Rows(); ++r)
        for (int c = 1; c < whole.Cols(); ++c) {
            if ((r >= 13 && r <= 15) || Heading(whole, r, 0))
                EXPECT_EQ(part.Text(r, c), whole.Text(r, c)) << r << "," << c;
            else
                EXPECT_TRUE(part.Text(r, c).isEmpty()) << r << "," << c;
        }
    EXPECT_FALSE(part.Text(13, 2).isEmpty());
    EXPECT_EQ(part.Text(14, 1), QStringLiteral("せん断力"));
}
