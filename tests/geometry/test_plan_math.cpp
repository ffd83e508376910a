// Plan helpers, the small solvers and the allowable deflection.
#include "plan_fixture.h"
#include "geometry/matrix_solver.h"

using namespace PlanMath;
using plantest::ExpectPoint;

TEST(PlanMath, SlopeCases)
{
    double m = 42.0;
    // Coinciding points: refused, the slope left as it was.
    EXPECT_EQ(GetSlope({1, 1}, {1.00005, 1.00005}, &m), 0);
    EXPECT_EQ(m, 42.0);
    EXPECT_EQ(GetSlope({0, 0}, {2, 1}, &m), 1);
    EXPECT_DOUBLE_EQ(m, 0.5);
    EXPECT_EQ(GetSlope({0, 0}, {0, 3}, &m), 1);
    EXPECT_EQ(m, 1000000.0);
    EXPECT_EQ(GetSlope({0, 0}, {0, -3}, &m), 1);
    EXPECT_EQ(m, 1000000.0);                // dx exactly 0 counts as the same sign
    EXPECT_EQ(GetSlope({0, 0}, {-5e-7, 2}, &m), 1);
    EXPECT_EQ(m, -1000000.0);               // signs differ
    EXPECT_EQ(GetSlope({0, 0}, {5e-7, 2}, &m), 1);
    EXPECT_EQ(m, 1000000.0);
    EXPECT_EQ(GetSlope({0, 0}, {4, 5e-7}, &m), 1);
    EXPECT_EQ(m, 0.0);

    // The other name writes 0 for coinciding points.
    m = 42.0;
    EXPECT_EQ(LineSlope({3, 3}, {3, 3}, &m), 0);
    EXPECT_EQ(m, 0.0);
    EXPECT_EQ(LineSlope({0, 0}, {-1, 2}, &m), 1);
    EXPECT_DOUBLE_EQ(m, -2.0);
    EXPECT_EQ(LineSlope({0, 0}, {0, 2}, &m), 1);
    EXPECT_GT(m, 999999.0);
}

TEST(PlanMath, PointsDistancesAndArcs)
{
    ExpectPoint(PointOnCircle({1, 2}, kPi / 2, 3), {1, 5}, 1e-12);
    ExpectPoint(PointOnCircle({0, 0}, kPi, 2), {-2, 0}, 1e-12);
    EXPECT_DOUBLE_EQ(Distance({0, 0}, {3, 4}), 5.0);
    EXPECT_DOUBLE_EQ(DotProduct({2, 1}, {1, 3}, {1, 1}), 0.0);     // the third point is the origin
    EXPECT_DOUBLE_EQ(DotProduct({3, 1}, {4, 1}, {1, 1}), 6.0);

    // A quarter circle of radius 10: chord 10 sqrt 2, arc 5 pi.
    EXPECT_NEAR(ArcLength({10, 0}, {0, 10}, 10.0), 5 * kPi, 1e-12);
    EXPECT_NEAR(ArcLength({10, 0}, {0, 10}, -10.0), 5 * kPi, 1e-12);
    EXPECT_DOUBLE_EQ(ArcLength({0, 0}, {3, 4}, 100000.0), 5.0);     // straight
    EXPECT_DOUBLE_EQ(ArcLength({0, 0}, {3, 4}, 0.0), 5.0);
    EXPECT_NEAR(ArcLength({-1, 0}, {3, 0}, 1.0), kPi, 1e-12);      // chord beyond the diameter
    CDPoint c1(0, 0), c2(96.55 * std::sin(0.05), 96.55 * (1 - std::cos(0.05)));
    EXPECT_NEAR(ArcLength(c1, c2, 96.55), 4.8275, 1e-9);
}

TEST(PlanMath, AllowableDeflectionByLength)
{
    EXPECT_DOUBLE_EQ(AllowableDeflection(8.0), 4.0);
    EXPECT_DOUBLE_EQ(AllowableDeflection(10.0), 5.0);
    EXPECT_DOUBLE_EQ(AllowableDeflection(30.0), 45.0);
    EXPECT_DOUBLE_EQ(AllowableDeflection(40.0), 80.0);
    EXPECT_DOUBLE_EQ(AllowableDeflection(50.0), 100.0);
}

TEST(PlanMath, IntersectionsAndFits)
{
    CDPoint hit;
    ASSERT_TRUE(IntersectLines({0, 0}, {1, 1}, {2, 0}, {0, 1}, &hit));
    ExpectPoint(hit, {2, 2}, 1e-12);
    EXPECT_FALSE(IntersectLines({0, 0}, {1, 0}, {0, 1}, {2, 0}, &hit));
    ASSERT_TRUE(IntersectLineCircle({-10, 0}, {1, 0}, {0, 0}, 5, {-6, 0}, &hit));
    ExpectPoint(hit, {-5, 0}, 1e-12);
    ASSERT_TRUE(IntersectLineCircle({-10, 0}, {1, 0}, {0, 0}, 5, {9, 0}, &hit));
    ExpectPoint(hit, {5, 0}, 1e-12);
    EXPECT_FALSE(IntersectLineCircle({-10, 6}, {1, 0}, {0, 0}, 5, {0, 0}, &hit));

    std::vector<CDPoint> arc;
    for (int i = 0; i <= 6; ++i)
        arc.push_back(PointOnCircle({3, 100}, -kPi / 2 + 0.05 * i, 100));
    CDPoint c;
    double r = 0;
    ASSERT_TRUE(FitCircle(arc.data(), int(arc.size()), &c, &r));
    ExpectPoint(c, {3, 100}, 1e-6);
    EXPECT_NEAR(r, 100.0, 1e-6);
    const CDPoint line[3] = {{0, 0}, {1, 1}, {2, 2}};
    EXPECT_FALSE(FitCircle(line, 3, &c, &r));
    EXPECT_NEAR(ChordDeviation(arc.data(), 7), 100 * (1 - std::cos(0.15)), 1e-9);
}

TEST(MatrixSolver, DenseAndTridiagonal)
{
    double a[9] = {2, 1, -1, -3, -1, 2, -2, 1, 2};
    double b[3] = {8, -11, -3};
    ASSERT_EQ(SolveLinearSystem(a, b, 3), 1);
    EXPECT_NEAR(b[0], 2.0, 1e-12);
    EXPECT_NEAR(b[1], 3.0, 1e-12);
    EXPECT_NEAR(b[2], -1.0, 1e-12);
    double singular[4] = {1, 2, 2, 4};
    double rhs[2] = {1, 2};
    EXPECT_EQ(SolveLinearSystem(singular, rhs, 2), 0);

    const double lo[3] = {0, 1, 1}, di[3] = {4, 4, 4}, up[3] = {1, 1, 0};
    double x[3] = {5, 6, 5};
    ASSERT_EQ(SolveTridiagonal(lo, di, up, x, 3), 1);
    for (double v : x)
        EXPECT_NEAR(v, 1.0, 1e-12);
    const double zero[1] = {0};
    double y[1] = {1};
    EXPECT_EQ(SolveTridiagonal(zero, zero, zero, y, 1), 0);
}
