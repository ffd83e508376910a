// Curves through plan points: the spline, the smoothed curve and their refusals.
#include "plan_fixture.h"

using namespace PlanMath;
using plantest::ExpectPoint;

TEST(Curves, SplineThroughKnownPoints)
{
    std::vector<CDPoint> a(5);
    a[0] = {0, 0};
    a[1] = {1, 1};
    a[2] = {2, 0};
    EXPECT_EQ(InterpolateSpline(a.data(), 2, 3), 1);
    const CDPoint expected[5] = {{0, 0}, {0.5, 0.6875}, {1, 1}, {1.5, 0.6875}, {2, 0}};
    for (int i = 0; i < 5; ++i)
        ExpectPoint(a[size_t(i)], expected[i], 1e-12);

    // A straight line stays straight, whatever the spacing.
    std::vector<CDPoint> b(9);
    b[0] = {0, 0};
    b[1] = {1, 2};
    b[2] = {3, 6};
    EXPECT_EQ(InterpolateSpline(b.data(), 4, 3), 1);
    for (const CDPoint& p : b)
        EXPECT_NEAR(p.y, 2 * p.x, 1e-12);
    EXPECT_DOUBLE_EQ(b[4].x, 1.0);

    // x not increasing: refused, and straight points instead.
    std::vector<CDPoint> c(5);
    c[0] = {0, 0};
    c[1] = {1, 1};
    c[2] = {1, 2};
    EXPECT_EQ(InterpolateSpline(c.data(), 2, 3), 0);
    ExpectPoint(c[1], {0.5, 0.5}, 1e-12);
    ExpectPoint(c[3], {1, 1.5}, 1e-12);
    ExpectPoint(c[4], {1, 2}, 1e-12);

    // Two points are a straight subdivision.
    std::vector<CDPoint> d(4);
    d[0] = {0, 1};
    d[1] = {3, 4};
    EXPECT_EQ(InterpolateSpline(d.data(), 3, 2), 1);
    ExpectPoint(d[1], {1, 2}, 1e-12);
}

TEST(Curves, SmoothCurveKeepsArcsAndLines)
{
    // Seven points 5 m apart on a circle of 100 m: every point of the curve within 0.1 mm.
    std::vector<CDPoint> a(61);
    for (int i = 0; i < 7; ++i)
        a[size_t(i)] = PointOnCircle({0, 100}, -kPi / 2 + 0.05 * i, 100);
    EXPECT_EQ(InterpolateCurve(a.data(), 10, 7), 1);
    for (int i = 0; i < 61; ++i)
        EXPECT_NEAR(Distance(a[size_t(i)], {0, 100}), 100.0, 1e-4) << i;
    ExpectPoint(a[60], PointOnCircle({0, 100}, -kPi / 2 + 0.3, 100), 1e-12);
    ExpectPoint(a[30], PointOnCircle({0, 100}, -kPi / 2 + 0.15, 100), 1e-12);

    std::vector<CDPoint> line(31);
    for (int i = 0; i < 4; ++i)
        line[size_t(i)] = {2.0 * i * i, 1.0 + 2.0 * i * i};     // uneven spacing on y = x + 1
    EXPECT_EQ(InterpolateCurve(line.data(), 10, 4), 1);
    for (const CDPoint& p : line) {
        EXPECT_NEAR(p.y, p.x + 1.0, 1e-9);
        EXPECT_TRUE(IsFinite(p));
    }

    // Repeated points give copies, not NaN.
    std::vector<CDPoint> same(21);
    same[0] = same[1] = {1, 1};
    same[2] = {2, 1};
    EXPECT_EQ(InterpolateCurve(same.data(), 10, 3), 1);
    for (const CDPoint& p : same)
        EXPECT_TRUE(IsFinite(p));
    ExpectPoint(same[5], {1, 1}, 1e-12);
}

TEST(Curves, MoreThan250PointsAreRefusedButStillDrawn)
{
    // A coordinate plan of 13 spans of 20 panels: 261 points, 2601 after expansion.
    const int n = 261;
    std::vector<CDPoint> a(size_t(10) * (n - 1) + 1);
    for (int i = 0; i < n; ++i)
        a[size_t(i)] = PointOnCircle({0, 500}, -kPi / 2 + 0.002 * i, 500);
    const std::vector<CDPoint> given(a.begin(), a.begin() + n);
    EXPECT_EQ(InterpolateCurve(a.data(), 10, n), 0);
    ASSERT_EQ(a.size(), 2601u);
    for (int i = 0; i < n; ++i)
        ExpectPoint(a[size_t(10 * i)], given[size_t(i)], 1e-12);
    ExpectPoint(a[5], (given[0] + given[1]) * 0.5, 1e-12);      // straight between them
    std::vector<CDPoint> one(1, CDPoint(2, 3));
    EXPECT_EQ(InterpolateCurve(one.data(), 10, 1), 0);
    ExpectPoint(one[0], {2, 3}, 0);
}

TEST(Curves, ScalarSplineFallsBackToStraight)
{
    const double x[3] = {0, 15, 30};
    const double y[3] = {2.0, 2.5, 2.0};
    CNaturalSpline s;
    ASSERT_TRUE(s.Build(x, y, 3));
    EXPECT_NEAR(s(7.5), 2.34375, 1e-12);
    EXPECT_NEAR(s(15), 2.5, 1e-12);
    ASSERT_FALSE(s.Build(x, y, 3, false));
    EXPECT_NEAR(s(7.5), 2.25, 1e-12);
    const double bad[3] = {0, 20, 10};
    EXPECT_FALSE(s.Build(bad, y, 3));
    EXPECT_NEAR(s(5), 2.125, 1e-12);        // in the first interval that holds it
    EXPECT_NEAR(s(-3), 2.0, 1e-12);         // beyond the data: the nearer end
}
