#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/Format.h"
#include "model/Model.h"

using namespace tevrane;

TEST(FormatFixed, WidthAndDecimals) {
    EXPECT_EQ(fixed(1.5, 6, 3), " 1.500");
    EXPECT_EQ(fixed(7.0, 5, 3), "7.000");
    EXPECT_EQ(fixed(0.3, 5, 3), "0.300");
    EXPECT_EQ(fixed(-1.5, 5, 3), "-1.500");
    EXPECT_EQ(fixed(3.0, 2, 0), " 3");
    EXPECT_EQ(fixed(12.0, 2, 0), "12");
    EXPECT_EQ(fixed(5.24, 7, 3), "  5.240");
    EXPECT_EQ(fixed(110 / 6.4, 4, 1), "17.2");
    // A field too narrow grows rather than cutting digits.
    EXPECT_EQ(fixed(1234567.5, 5, 3), "1234567.500");
    EXPECT_EQ(fixed10(1234567.5, 5, 3), "1234567.50");
}

TEST(FormatParse, ValidNumbers) {
    EXPECT_DOUBLE_EQ(parseDecimal("1.5"), 1.5);
    EXPECT_DOUBLE_EQ(parseDecimal("   -2.25"), -2.25);
    EXPECT_DOUBLE_EQ(parseDecimal("+3"), 3.0);
    EXPECT_DOUBLE_EQ(parseDecimal(".5"), 0.5);
    EXPECT_DOUBLE_EQ(parseDecimal("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(parseDecimal("2."), 2.0);
    EXPECT_DOUBLE_EQ(parseDecimal("1e3"), 1000.0);
    EXPECT_DOUBLE_EQ(parseDecimal("1.5E-2"), 0.015);
    EXPECT_DOUBLE_EQ(parseDecimal("0.187"), 0.187);
}

TEST(FormatParse, MalformedTextsGiveTheirLongestValidLeadingPart) {
    EXPECT_DOUBLE_EQ(parseDecimal("1.5-"), 1.5);
    EXPECT_DOUBLE_EQ(parseDecimal("-"), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal("."), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal(""), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal("   "), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal("1-2"), 1.0);
    EXPECT_DOUBLE_EQ(parseDecimal("1.2.3"), 1.2);
    EXPECT_DOUBLE_EQ(parseDecimal("1e"), 1.0);
    EXPECT_DOUBLE_EQ(parseDecimal("1e+"), 1.0);
    EXPECT_DOUBLE_EQ(parseDecimal("word"), 0.0);
    EXPECT_DOUBLE_EQ(parseDecimal("--1"), 0.0);
    EXPECT_TRUE(std::isinf(parseDecimal("1e999")));
    EXPECT_DOUBLE_EQ(parseDecimal("1e-999"), 0.0);
}

TEST(FormatRound, HalfToEvenAndSaturation) {
    EXPECT_EQ(toInt(0.5L), 0);
    EXPECT_EQ(toInt(1.5L), 2);
    EXPECT_EQ(toInt(2.5L), 2);
    EXPECT_EQ(toInt(-2.5L), -2);
    EXPECT_EQ(toInt(-3.5L), -4);
    EXPECT_EQ(toInt(2.4999L), 2);
    EXPECT_EQ(toInt(std::numeric_limits<long double>::quiet_NaN()), 0);
    EXPECT_EQ(toInt(std::numeric_limits<long double>::infinity()), kPixelLimit);
    EXPECT_EQ(toInt(-std::numeric_limits<long double>::infinity()), -kPixelLimit);
    EXPECT_EQ(toInt(1e30L), kPixelLimit);
    EXPECT_EQ(toInt(1e30L, 5000), 5000);
}

TEST(FormatScreen, WorldToScreenAtTheDefaultView) {
    Model m;
    initModel(m);
    // Column x * 28 + 115, row -y * 28 + 270.
    EXPECT_EQ(screenX(m, 0.0L), 115);
    EXPECT_EQ(screenY(m, 0.0L), 270);
    EXPECT_EQ(screenX(m, 5.24L), 262);   // 146.72 + 115 = 261.72
    EXPECT_EQ(screenY(m, 2.048L), 213);  // 270 - 57.344 = 212.656
    m.pivotX[12] = 10.0f;
    m.pivotY[12] = 1.75f;
    pivotsToScreen(m);
    EXPECT_EQ(m.pivotScreenX[12], 395);
    EXPECT_EQ(m.pivotScreenY[12], 221);  // 270 - 49
    EXPECT_EQ(m.pivotScreenX[21], 0);    // spare entries stay 0
}
