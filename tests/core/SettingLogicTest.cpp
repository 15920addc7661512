// The rules of the four setting dialogs: texts shown on opening, the ranges a
// typed value is forced into, the bar positions it stands for, the key filter.
#include <gtest/gtest.h>

#include <string>

#include "dialogs/core/SettingLogic.h"
#include "main/core/StepTable.h"
#include "model/Format.h"
#include "model/Model.h"

using namespace tevrane;

namespace {

// Centre 0, Norm 1.0, Max 1.2, with the gear signs of a solved linkage.
Model centredModel(float signA = 1.0f, float signB = 1.0f) {
    Model m;
    initModel(m);
    m.revArmSet[0] = 0.0f;
    m.revArmNormal = 1.0f;
    m.revArmMax = 1.2f;
    m.gearSignA = signA;
    m.gearSignB = signB;
    return m;
}

}  // namespace

TEST(SettingLogicTest, OrientationFollowsWhetherTheGearSignsAgree) {
    EXPECT_TRUE(setting::directOrientation(centredModel(1, 1)));
    EXPECT_TRUE(setting::directOrientation(centredModel(-1, -1)));
    EXPECT_FALSE(setting::directOrientation(centredModel(1, -1)));
    EXPECT_FALSE(setting::directOrientation(centredModel(-1, 1)));
    // Before the first solve both signs are still 0.
    EXPECT_FALSE(setting::directOrientation(centredModel(0, 0)));
}

TEST(SettingLogicTest, ReverseArmIsForcedWithinCentrePlusMinusMax) {
    const Model m = centredModel();
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, 5.0), 1.2f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, -5.0), -1.2f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, 0.5), 0.5f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, 1.2), 1.2f);

    // Around the default centre 5.24 the limits are 4.04 and 6.44; an empty
    // box reads 0 and ends at the lower limit.
    Model d;
    initModel(d);
    EXPECT_FLOAT_EQ(setting::clampRevArm(d, 0.0), 5.24f - 1.2f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(d, 99.0), 5.24f + 1.2f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(d, 6.0), 6.0f);
}

TEST(SettingLogicTest, ReverseArmBarPositionIsThousandthsFromTheCentre) {
    const Model direct = centredModel(1, 1);
    EXPECT_EQ(setting::revArmBarPosition(direct, setting::clampRevArm(direct, 5.0)), 1200);
    EXPECT_EQ(setting::revArmBarPosition(direct, setting::clampRevArm(direct, -5.0)), -1200);
    EXPECT_EQ(setting::revArmBarPosition(direct, 0.5f), 500);
    EXPECT_EQ(setting::revArmBarPosition(direct, 0.0f), 0);

    // The reversed scale runs the other way: the same position lies on the
    // other side of the bar.
    const Model reversed = centredModel(1, -1);
    EXPECT_EQ(setting::revArmBarPosition(reversed, setting::clampRevArm(reversed, 5.0)), -1200);
    EXPECT_EQ(setting::revArmBarPosition(reversed, setting::clampRevArm(reversed, -5.0)), 1200);
    EXPECT_EQ(setting::revArmBarPosition(reversed, 0.5f), -500);

    // Off-centre: 6.0 with the default centre 5.24 lies 0.76 forward.
    Model d;
    initModel(d);
    d.gearSignA = d.gearSignB = 1.0f;
    EXPECT_EQ(setting::revArmBarPosition(d, 6.0f), 760);
    EXPECT_EQ(setting::revArmBarPosition(d, 4.24f), -1000);
}

TEST(SettingLogicTest, ReverseArmLabelsInBothOrientations) {
    Model m;
    initModel(m);  // centre 5.24, Norm 1.0, Max 1.2
    m.gearSignA = m.gearSignB = 1.0f;
    setting::RevPosLabels l = setting::revPosLabels(m);
    EXPECT_EQ(l.top[0], "Rev = 4.240");
    EXPECT_EQ(l.top[1], "Cen = 5.240");
    EXPECT_EQ(l.top[2], "Fwd = 6.240");
    EXPECT_EQ(l.bottom[0], "Min = 4.040");
    EXPECT_EQ(l.bottom[1], "Max = 6.440");

    m.gearSignA = m.gearSignB = 0.0f;
    l = setting::revPosLabels(m);
    EXPECT_EQ(l.top[0], "Rev = 6.240");
    EXPECT_EQ(l.top[1], "Cen = 5.240");
    EXPECT_EQ(l.top[2], "Fwd = 4.240");
    EXPECT_EQ(l.bottom[0], "Max = 6.440");
    EXPECT_EQ(l.bottom[1], "Min = 4.040");

    // Numbers are padded to five characters.
    const Model c = centredModel();
    l = setting::revPosLabels(c);
    EXPECT_EQ(l.top[1], "Cen = 0.000");
    EXPECT_EQ(l.bottom[0], "Min = -1.200");
}

TEST(SettingLogicTest, DriverAngleIsForcedIntoOneTurn) {
    EXPECT_FLOAT_EQ(setting::clampDriverAngle(400.0), 360.0f);
    EXPECT_FLOAT_EQ(setting::clampDriverAngle(-3.0), 0.0f);
    EXPECT_FLOAT_EQ(setting::clampDriverAngle(123.45), 123.45f);
    EXPECT_EQ(setting::driverBarPosition(setting::clampDriverAngle(400.0)), 36000);
    EXPECT_EQ(setting::driverBarPosition(0.0f), 0);
    // 123.45 is held as 123.449997; the bar position still rounds to 12345.
    EXPECT_EQ(setting::driverBarPosition(123.45f), 12345);
}

TEST(SettingLogicTest, DriverAngleTextShowsZeroWhileRunning) {
    Model m;
    initModel(m);
    m.driverAngle = 123.456f;
    m.stepAngle = 10.0f;
    EXPECT_EQ(setting::drivAngEditText(m), "0.00");
    m.stepAngle = 0.0f;
    EXPECT_EQ(setting::drivAngEditText(m), "123.46");
    m.driverAngle = 7.5f;
    EXPECT_EQ(setting::drivAngEditText(m), "7.50");
}

TEST(SettingLogicTest, StepAngleIsForcedBetweenOneHundredthAndFortyFive) {
    EXPECT_FLOAT_EQ(setting::clampStepAngle(0.0), 0.01f);
    EXPECT_FLOAT_EQ(setting::clampStepAngle(100.0), 45.0f);
    EXPECT_FLOAT_EQ(setting::clampStepAngle(7.0), 7.0f);
    EXPECT_FLOAT_EQ(setting::clampStepAngle(0.01), 0.01f);
    EXPECT_EQ(setting::stepBarPosition(setting::clampStepAngle(0.0)), 0);
    EXPECT_EQ(setting::stepBarPosition(setting::clampStepAngle(100.0)), 14613);
}

TEST(SettingLogicTest, StepBarIsLogarithmic) {
    EXPECT_EQ(setting::stepBarPosition(1.0f), 8000);
    EXPECT_EQ(setting::stepBarPosition(10.0f), 12000);
    EXPECT_EQ(setting::stepBarPosition(0.1f), 4000);
    // log10(4500) * 4000 = 14612.85
    EXPECT_EQ(setting::stepBarPosition(45.0f), 14613);
    // log10(200) * 4000 = 9204.12 ; log10(700) * 4000 = 11380.39
    EXPECT_EQ(setting::stepBarPosition(2.0f), 9204);
    EXPECT_EQ(setting::stepBarPosition(7.0f), 11380);
}

TEST(SettingLogicTest, EveryPredefinedStepMapsBackToItself) {
    // The bar's table and the dialog's logarithm must agree: the position the
    // dialog gives a predefined step lies in that step's band of the table.
    const float steps[] = {0.01f, 0.02f, 0.03f, 0.05f, 0.1f, 0.2f, 0.3f, 0.5f,
                           1.0f,  2.0f,  3.0f,  5.0f,  10.0f, 20.0f, 30.0f, 45.0f};
    for (float s : steps) {
        const StepChoice c = stepForPosition(setting::stepBarPosition(s));
        EXPECT_FLOAT_EQ(c.step, s) << "step " << s;
        EXPECT_EQ(c.smallChange, setting::driverSmallChange(s)) << "step " << s;
    }
}

TEST(SettingLogicTest, DriverBarChangesFollowTheTypedStep) {
    EXPECT_EQ(setting::driverSmallChange(0.01f), 1);
    EXPECT_EQ(setting::driverLargeChange(0.01f), 5);
    EXPECT_EQ(setting::driverSmallChange(7.0f), 700);
    EXPECT_EQ(setting::driverLargeChange(7.0f), 3500);
    EXPECT_EQ(setting::driverSmallChange(45.0f), 4500);
    EXPECT_EQ(setting::driverLargeChange(45.0f), 22500);
}

TEST(SettingLogicTest, GraphicZoomIsForcedBetweenHalfAndTwoThousand) {
    EXPECT_FLOAT_EQ(setting::clampGraphicZoom(0.1), 0.5f);
    EXPECT_FLOAT_EQ(setting::clampGraphicZoom(parseDecimal("")), 0.5f);
    EXPECT_FLOAT_EQ(setting::clampGraphicZoom(5000.0), 2000.0f);
    EXPECT_FLOAT_EQ(setting::clampGraphicZoom(16.5), 16.5f);
    Model m;
    initModel(m);
    EXPECT_EQ(setting::graphZoomEditText(m), "7.50");
}

TEST(SettingLogicTest, HugeTypedNumbersStillEndInRange) {
    // A run of digits too long for a float converts to infinity.
    const double huge = parseDecimal(std::string(400, '9'));
    EXPECT_FLOAT_EQ(setting::clampStepAngle(huge), 45.0f);
    EXPECT_FLOAT_EQ(setting::clampDriverAngle(huge), 360.0f);
    EXPECT_FLOAT_EQ(setting::clampGraphicZoom(huge), 2000.0f);
    const Model m = centredModel();
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, huge), 1.2f);
    EXPECT_FLOAT_EQ(setting::clampRevArm(m, -huge), -1.2f);
}

TEST(SettingLogicTest, KeyFilterAcceptsDigitsBackspaceAndOnePoint) {
    for (char d = '0'; d <= '9'; ++d) {
        EXPECT_TRUE(setting::acceptKey("", d, false));
        EXPECT_TRUE(setting::acceptKey("1.5", d, true));
    }
    EXPECT_TRUE(setting::acceptKey("", '.', false));
    EXPECT_TRUE(setting::acceptKey("12", '.', false));
    EXPECT_FALSE(setting::acceptKey("1.2", '.', false));
    EXPECT_FALSE(setting::acceptKey("1.2", '.', true));
    EXPECT_TRUE(setting::acceptKey("1.2", kBackspace, false));
    EXPECT_TRUE(setting::acceptKey("", kBackspace, true));
}

TEST(SettingLogicTest, KeyFilterTakesOneMinusOnlyWhereAllowed) {
    EXPECT_TRUE(setting::acceptKey("", '-', true));
    EXPECT_TRUE(setting::acceptKey("1.5", '-', true));  // anywhere, once
    EXPECT_FALSE(setting::acceptKey("-1", '-', true));
    EXPECT_FALSE(setting::acceptKey("", '-', false));
    EXPECT_FALSE(setting::acceptKey("12", '-', false));
}

TEST(SettingLogicTest, KeyFilterDiscardsEverythingElse) {
    const char refused[] = {'a', 'Z', 'e', 'E', '+', ',', ' ', '\t', '\0', '\x1b', '\x16',
                            kCarriageReturn, '\n'};
    for (char c : refused) {
        EXPECT_FALSE(setting::acceptKey("", c, true)) << int(c);
        EXPECT_FALSE(setting::acceptKey("", c, false)) << int(c);
    }
}
