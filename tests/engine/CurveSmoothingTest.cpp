#include "engine/CurveSmoothing.h"

#include <gtest/gtest.h>
#include <vector>

namespace gw {
namespace {

TEST(CurveSmoothingTest, ShortCurvesUseTheWidestFilterThatFits) {
    struct Case {
        int filter, points;
        CurveFilter used;
    };
    const Case cases[] = {
        {3, 5, CurveFilter::Gaussian5}, {3, 4, CurveFilter::Gaussian3},
        {3, 2, CurveFilter::Gaussian3}, {3, 1, CurveFilter::None},
        {2, 2, CurveFilter::Gaussian3}, {1, 2, CurveFilter::BoxCar},
        {1, 1, CurveFilter::None},      {0, 50, CurveFilter::None},
        {7, 50, CurveFilter::None},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FilterForPoints(c.filter, c.points), c.used) << c.filter << " " << c.points;
    }
}

TEST(CurveSmoothingTest, SmoothingKeepsTheSum) {
    for (const CurveFilter filter :
         {CurveFilter::BoxCar, CurveFilter::Gaussian3, CurveFilter::Gaussian5}) {
        std::vector<double> curve = {0, 10, 2, 7, 1, 30, 4};
        SmoothCurve(curve, filter);
        double sum = 0;
        for (const double value : curve) {
            sum += value;
        }
        EXPECT_NEAR(sum, 54.0, 1e-9) << int(filter);
    }
    std::vector<double> two = {3, 9};
    SmoothCurve(two, CurveFilter::BoxCar);
    EXPECT_DOUBLE_EQ(two[0], 5.0); // (2 x 3 + 9) / 3
    EXPECT_DOUBLE_EQ(two[1], 7.0);
}

} // namespace
} // namespace gw
