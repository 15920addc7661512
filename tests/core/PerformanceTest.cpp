#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/Performance.h"
#include "model/ValveEvents.h"

namespace tevrane {
namespace {

class PerformanceOfDefaultEngine : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        centre = m.revArmCentre();
    }
    Model m;
    float centre = 0;
};

// The mean effective pressure of one end written out from its events: the
// textbook card with admission before the dead centre.
double closedFormMep(const EndEvents& end, double p1, double pb, double c) {
    const double xc = end.cutOff->strokePercent / 100;
    const double xr = end.release->strokePercent / 100;
    // Admission and compression come before the dead centre: their signed
    // places are negative, the distances from the dead centre positive.
    const double xa = -end.admission->strokePercent / 100;
    const double xk = -end.compression->strokePercent / 100;
    return p1 * xc + p1 * (c + xc) * std::log((c + xr) / (c + xc)) + pb * (1 - xr) - pb * (1 - xk) -
           pb * (c + xk) * std::log((c + xk) / (c + xa)) - p1 * xa;
}

TEST_F(PerformanceOfDefaultEngine, SeventyFivePercentForwardNotchMatchesClosedFormAndPowerFormula) {
    const NotchTarget seventyFive[] = {{75.0, false}};
    const NotchTable notches = findNotches(m, centre, seventyFive);
    const auto& notch = notches.forward.rows[0].at(NotchEnd::Mean);
    ASSERT_TRUE(notch);
    const ValveEvents ev = valveEvents(m, notch->revArm, Sense::Forward);
    for (const EndEvents* end : {&ev.front, &ev.back}) {
        ASSERT_TRUE(end->admission && end->cutOff && end->release && end->compression);
        // The closed form needs a positive lead on both ends at this notch.
        ASSERT_LT(end->admission->strokePercent, 0.0);
        ASSERT_LT(end->compression->strokePercent, 0.0);
    }

    PerformanceInputs in;  // 100 psi gauge, atmospheric exhaust, 8 %, 300 rpm, 2 cylinders
    const std::vector<NotchTarget> targets(std::begin(seventyFive), std::end(seventyFive));
    const PerformanceTable table = performanceTable(m, centre, targets, in);
    ASSERT_EQ(table.notchesForward.size(), 1u);
    const SettingPerformance& s = table.notchesForward[0];
    EXPECT_FLOAT_EQ(s.revArm, notch->revArm);

    const double p1 = 100 + 14.7, pb = 0 + 14.7, c = 0.08;
    const double front = closedFormMep(ev.front, p1, pb, c);
    const double back = closedFormMep(ev.back, p1, pb, c);
    ASSERT_TRUE(s.front.usable() && s.back.usable());
    EXPECT_NEAR(s.front.card.meanEffectivePressure, front, 0.005 * front);
    EXPECT_NEAR(s.back.card.meanEffectivePressure, back, 0.005 * back);
    const double mep = (front + back) / 2;
    ASSERT_TRUE(s.meanEffectivePressure && s.power && s.workRatio);
    EXPECT_NEAR(*s.meanEffectivePressure, mep, 0.005 * mep);
    // A 75 % cut-off at 100 psi gives most of the chest pressure.
    EXPECT_GT(mep, 60.0);
    EXPECT_LT(mep, 100.0);

    // hp = mep (psi) x pi/4 bore^2 (in^2) x stroke (in) x 2 strokes x 2
    // cylinders x 300 rpm / (12 in/ft x 33,000 ft lbf/min).
    const double bore = m.cyl.boreDiameter, stroke = m.stroke;
    const double hp = mep * std::numbers::pi / 4 * bore * bore * stroke * 2 * 2 * 300 / (12 * 33000.0);
    EXPECT_NEAR(*s.power, hp, 0.005 * hp);
    // Work per stroke in ft lbf, and their ratio front over back.
    const double area = std::numbers::pi / 4 * bore * bore;
    EXPECT_NEAR(s.front.work, front * area * stroke / 12, 0.005 * s.front.work);
    EXPECT_NEAR(*s.workRatio, front / back, 1e-3);
}

TEST_F(PerformanceOfDefaultEngine, RoadSpeedCylindersAndPressuresScaleThePowerAsTheyShould) {
    const ValveEvents ev = valveEvents(m, centre + m.revArmMax * 0.6f, Sense::Forward);
    PerformanceInputs in;
    const SettingPerformance base = settingPerformance(m, ev, in);
    ASSERT_TRUE(base.power);

    // The road speed at which a driver turns 300 times a minute: pi D inches
    // per turn, 63,360 inches to the mile.
    PerformanceInputs bySpeed = in;
    bySpeed.roadSpeed = 300 * std::numbers::pi * m.driverDiameter * 60 / 63360;
    EXPECT_NEAR(performanceRevolutions(m, bySpeed), 300.0, 1e-9);
    EXPECT_NEAR(*settingPerformance(m, ev, bySpeed).power, *base.power, 1e-9 * *base.power);

    // Three cylinders work half as much again as two; the cards are the same.
    PerformanceInputs three = in;
    three.cylinders = 3;
    const SettingPerformance s3 = settingPerformance(m, ev, three);
    EXPECT_NEAR(*s3.power, 1.5 * *base.power, 1e-9 * *base.power);
    EXPECT_DOUBLE_EQ(s3.front.work, base.front.work);

    // More steam, more work; more back pressure, less.
    PerformanceInputs higher = in;
    higher.chestPressure = 150;
    EXPECT_GT(*settingPerformance(m, ev, higher).meanEffectivePressure, *base.meanEffectivePressure);
    PerformanceInputs choked = in;
    choked.backPressure = 10;
    EXPECT_LT(*settingPerformance(m, ev, choked).meanEffectivePressure, *base.meanEffectivePressure);
}

TEST_F(PerformanceOfDefaultEngine, LongerCutOffGivesMoreWorkAcrossTheDiagramSettings) {
    const PerformanceTable t = performanceTable(m, centre, defaultNotchTargets(), PerformanceInputs{});
    ASSERT_EQ(t.settingsForward.size(), size_t(kEventSettings));
    ASSERT_EQ(t.settingsReverse.size(), size_t(kEventSettings));
    // From a third of the travel out the cut-off lengthens at every step, and
    // the work with it.
    for (const auto* rows : {&t.settingsForward, &t.settingsReverse}) {
        for (int i = 7; i < kEventSettings; ++i) {
            const SettingPerformance& a = (*rows)[i - 1];
            const SettingPerformance& b = (*rows)[i];
            ASSERT_TRUE(a.meanEffectivePressure && b.meanEffectivePressure) << i;
            EXPECT_GT(*b.meanEffectivePressure, *a.meanEffectivePressure) << i;
        }
    }
    // The notches come in the targets' order, shorter cut-off less work.
    ASSERT_EQ(t.notchesForward.size(), 6u);
    ASSERT_TRUE(t.notchesForward[0].meanEffectivePressure && t.notchesForward[4].meanEffectivePressure);
    EXPECT_GT(*t.notchesForward[0].meanEffectivePressure, *t.notchesForward[4].meanEffectivePressure);
    EXPECT_NEAR(t.revolutionsPerMinute, 300.0, 0.0);
}

TEST(PerformanceInputsCheck, RefusesWhatCannotBeWorked) {
    PerformanceInputs ok;
    EXPECT_EQ(performanceInputsProblem(ok), "");
    PerformanceInputs in = ok;
    in.backPressure = 100;
    EXPECT_NE(performanceInputsProblem(in), "");
    in = ok;
    in.clearancePercent = -1;
    EXPECT_NE(performanceInputsProblem(in), "");
    in = ok;
    in.chestPressure = -20;  // below a vacuum
    EXPECT_NE(performanceInputsProblem(in), "");
    in = ok;
    in.cylinders = 0;
    EXPECT_NE(performanceInputsProblem(in), "");
    in = ok;
    in.roadSpeed = std::nan("");
    EXPECT_NE(performanceInputsProblem(in), "");
}

TEST(PerformanceCardEvents, FractionsKeepTheEventsSigns) {
    EndEvents end;
    end.admission = EventPoint{350, -1.5};
    end.cutOff = EventPoint{120, 62.0};
    end.release = EventPoint{160, 91.0};
    end.compression = std::nullopt;
    const CardEvents c = cardEvents(end);
    EXPECT_DOUBLE_EQ(*c.admission, -0.015);
    EXPECT_DOUBLE_EQ(*c.cutOff, 0.62);
    EXPECT_DOUBLE_EQ(*c.release, 0.91);
    EXPECT_FALSE(c.compression);
}

}  // namespace
}  // namespace tevrane
