// Printing to scale: how many sheets, what each sheet shows, the ratio and
// unit words and the scale bar.
#include <gtest/gtest.h>

#include "main/core/ScalePlan.h"
#include "model/Format.h"

namespace tevrane {
namespace {

TEST(ScalePlan, FullSizeInInchesOnA4Tiles) {
    // 30 x 8 inches at 1:1 on tiles of 190 x 277 mm: 762 mm needs five
    // columns (four give 760 mm, 2 mm short), 203.2 mm one row.
    const WorldBox gear{-3.5, 26.5, -3.5, 4.5};
    const auto plan = planToScale(gear, 25.4, 1.0, 190, 277);
    ASSERT_TRUE(plan);
    EXPECT_DOUBLE_EQ(plan->pixelsPerUnit, 96.0);  // an inch is 96 picture pixels
    EXPECT_EQ(plan->columns, 5);
    EXPECT_EQ(plan->rows, 1);
    EXPECT_EQ(plan->sheets(), 5);
    // The sheets are centred on the gear and cover it.
    EXPECT_NEAR((plan->area.left + plan->area.right) / 2, 11.5, 1e-9);
    EXPECT_NEAR((plan->area.bottom + plan->area.top) / 2, 0.5, 1e-9);
    EXPECT_NEAR(plan->area.width() * 25.4, 5 * 190.0, 1e-6);
    EXPECT_LE(plan->area.left, gear.left);
    EXPECT_GE(plan->area.right, gear.right);

    // Each sheet's view puts its tile's top-left corner at (0, 0), the next
    // sheet's tile right after it: one unit is 96 pixels at any sheet.
    for (int col = 0; col < plan->columns; ++col) {
        const ViewSetting v = sheetView(*plan, col, 0);
        EXPECT_FLOAT_EQ(v.scale, 96.0f);
        const double left = plan->area.left + col * 190.0 / 25.4;
        EXPECT_NEAR(left * v.scale + v.offsetX, 0.0, 1e-3) << col;
        EXPECT_NEAR(-plan->area.top * v.scale + v.offsetY, 0.0, 1e-3) << col;
    }
    // At half size a millimetre design on the same tiles.
    const auto half = planToScale({0, 1000, 0, 300}, 1.0, 0.5, 190, 277);
    ASSERT_TRUE(half);
    EXPECT_NEAR(half->pixelsPerUnit, 0.5 * 96 / 25.4, 1e-12);
    EXPECT_EQ(half->columns, 3);  // 500 mm of paper
    EXPECT_EQ(half->rows, 1);     // 150 mm
}

TEST(ScalePlan, NonsenseAndTooManySheetsGiveNoPlan) {
    const WorldBox gear{0, 10, 0, 5};
    EXPECT_FALSE(planToScale(gear, 0, 1, 190, 277));
    EXPECT_FALSE(planToScale(gear, 25.4, -1, 190, 277));
    EXPECT_FALSE(planToScale(gear, 25.4, 1, 0, 277));
    EXPECT_FALSE(planToScale({0, 1e300 * 1e300, 0, 1}, 25.4, 1, 190, 277));
    EXPECT_FALSE(planToScale(gear, 25.4, 1000, 190, 277));  // thousands of sheets
    EXPECT_TRUE(planToScale(gear, 25.4, 1000, 190, 277, 1000000));
}

TEST(ScalePlan, RatioAndUnitWords) {
    EXPECT_EQ(parseScaleRatio("1:1"), 1.0);
    EXPECT_EQ(parseScaleRatio("1:2"), 0.5);
    EXPECT_EQ(parseScaleRatio("2:1"), 2.0);
    EXPECT_EQ(parseScaleRatio("0.25"), 0.25);
    for (const char* bad : {"", "1:", ":2", "1:0", "-1", "a:b", "1:2:3", "2x"})
        EXPECT_FALSE(parseScaleRatio(bad)) << bad;
    EXPECT_EQ(parseLengthUnit("in"), 25.4);
    EXPECT_EQ(parseLengthUnit("mm"), 1.0);
    EXPECT_FALSE(parseLengthUnit("ft"));
}

TEST(ScalePlan, ScaleBarIsARoundLengthWithinAThirdOfATile) {
    // 190 mm tiles at 1:1 in inches: a third is 2.49 in, so 2 in.
    EXPECT_DOUBLE_EQ(scaleBarUnits(*planToScale({0, 10, 0, 5}, 25.4, 1, 190, 277)), 2.0);
    // In millimetres: 63.3 mm, so 50.
    EXPECT_DOUBLE_EQ(scaleBarUnits(*planToScale({0, 10, 0, 5}, 1, 1, 190, 277)), 50.0);
    // At 1:10 in millimetres: 633 mm, so 500.
    EXPECT_DOUBLE_EQ(scaleBarUnits(*planToScale({0, 10, 0, 5}, 1, 0.1, 190, 277)), 500.0);
}

}  // namespace
}  // namespace tevrane
