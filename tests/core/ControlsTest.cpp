#include <gtest/gtest.h>

#include <cmath>

#include "controls/core/Jog.h"
#include "main/core/MainController.h"
#include "main/core/StepTable.h"
#include "model/DynVars.h"
#include "model/Model.h"

using namespace tevrane;

namespace {
struct Fixture : ::testing::Test {
    Model m;
    Panel p;
    MainController c{m, p};
    int changes = 0;
    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c.onPanelChanged = [this] { ++changes; };
    }
    // One arrow click on a jog bar: the bar moves by one, then springs back.
    void arrow(Bar b, int dir) { c.setBarPosition(b, dir); }
    void page(Bar b, int dir) { c.setBarPosition(b, dir * p.bar(b).largeChange); }
};
using Controls = Fixture;
}  // namespace

TEST(JogRule, ArrowAndPageClicksMoveByOneAndLargeChange) {
    EXPECT_DOUBLE_EQ(jogDelta(1, 0, 0, 10, 10), 0.1);
    EXPECT_DOUBLE_EQ(jogDelta(-1, 0, 0, 10, 10), -0.1);
    EXPECT_DOUBLE_EQ(jogDelta(10, 0, 0, 10, 10), 1.0);
    EXPECT_DOUBLE_EQ(jogDelta(-25, 0, 0, 25, 1000), -0.025);
    // The spring back to 0 gives no delta.
    EXPECT_DOUBLE_EQ(jogDelta(0, 1, 0, 10, 10), 0.0);
    // A repeated arrow click after the spring back (history 0 then 1).
    EXPECT_DOUBLE_EQ(jogDelta(1, 0, 1, 10, 10), 0.1);
}

TEST(JogRule, DragDecidedByTheFirstFourRules) {
    // Dragging right past the last-but-one position: +p/k.
    EXPECT_DOUBLE_EQ(jogDelta(5, 2, 3, 10, 10), 0.5);
    // Left of 0 but moving right relative to the last-but-one: -p/k (positive).
    EXPECT_DOUBLE_EQ(jogDelta(-5, -8, -7, 10, 10), 0.5);
    // Left of 0 moving further left: p/k.
    EXPECT_DOUBLE_EQ(jogDelta(-5, -3, -2, 10, 10), -0.5);
    // Right of 0 moving back left: -p/k.
    EXPECT_DOUBLE_EQ(jogDelta(5, 8, 7, 10, 10), -0.5);
}

TEST(StepTableTest, Boundaries) {
    EXPECT_FLOAT_EQ(stepForPosition(0).step, 0.01f);
    EXPECT_FLOAT_EQ(stepForPosition(704).step, 0.01f);
    EXPECT_FLOAT_EQ(stepForPosition(705).step, 0.02f);
    EXPECT_FLOAT_EQ(stepForPosition(3612).step, 0.05f);
    EXPECT_FLOAT_EQ(stepForPosition(3613).step, 0.1f);
    EXPECT_FLOAT_EQ(stepForPosition(8000).step, 1.0f);
    EXPECT_FLOAT_EQ(stepForPosition(12000).step, 10.0f);
    EXPECT_EQ(stepForPosition(12000).smallChange, 1000);
    EXPECT_EQ(stepForPosition(12000).largeChange, 4500);
    EXPECT_FLOAT_EQ(stepForPosition(14408).step, 30.0f);
    EXPECT_FLOAT_EQ(stepForPosition(14409).step, 45.0f);
    EXPECT_FLOAT_EQ(stepForPosition(14613).step, 45.0f);
    EXPECT_EQ(stepForPosition(2000).smallChange, 3);
    EXPECT_EQ(stepForPosition(2000).largeChange, 15);
}

// The step buttons' bar positions are the logarithmic bar's own places for
// their steps, and the bar reads them back as those steps.
TEST(StepTableTest, ButtonPositionsAreTheBarsPlacesForTheirSteps) {
    const struct {
        int position;
        float step;
    } buttons[] = {{kStepBarOneDegree, 1.0f}, {kStepBarTenDegrees, 10.0f}, {kStepBarFortyFiveDegrees, 45.0f}};
    for (const auto& b : buttons) {
        EXPECT_EQ(b.position, std::lround(std::log10(b.step * 100.0) * 4000.0)) << b.step;
        EXPECT_FLOAT_EQ(stepForPosition(b.position).step, b.step);
    }
    // 45 degrees is the top of the bar, and 10 degrees where it starts.
    Model m;
    Panel p;
    initModel(m);
    initPanel(m, p);
    EXPECT_EQ(p.bar(Bar::StepAng).max, kStepBarFortyFiveDegrees);
    EXPECT_EQ(p.bar(Bar::StepAng).position, kStepBarTenDegrees);
    EXPECT_FLOAT_EQ(stepForPosition(p.bar(Bar::StepAng).position).step, m.selectedStep);
}

TEST(StepTableTest, DriverAngleWrap) {
    EXPECT_FLOAT_EQ(wrapDriverAngle(360.05f), 360.05f);
    EXPECT_FLOAT_EQ(wrapDriverAngle(360.0f), 360.0f);
    EXPECT_NEAR(wrapDriverAngle(360.2f), 0.2f, 1e-4);
    EXPECT_FLOAT_EQ(wrapDriverAngle(-0.5f), 359.5f);
    EXPECT_FLOAT_EQ(wrapDriverAngle(10.0f), 10.0f);
}

TEST_F(Controls, StartStateOfThePanel) {
    EXPECT_EQ(p.bar(Bar::RevArm).min, -1200);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1200);
    EXPECT_EQ(p.bar(Bar::StepAng).position, 12000);
    EXPECT_EQ(p.runCaption, "Stop");
    EXPECT_FALSE(p.center.enabled);
    EXPECT_FALSE(p.step10.enabled);
    EXPECT_FALSE(p.norm.enabled);
    EXPECT_FALSE(p.bar(Bar::DrvAng).enabled);
    EXPECT_EQ(p.item(Item::SteamDisp).caption, "SetS&teamDisp On");
}

TEST_F(Controls, ReverseArmBarSetsDirectionAndButtons) {
    c.tick();  // the first solve sets the gear signs
    c.setBarPosition(Bar::RevArm, -1);
    EXPECT_EQ(m.direction, "Rev");
    EXPECT_FLOAT_EQ(m.revArmPos, 5.24f - 0.001f);
    EXPECT_TRUE(p.center.enabled);
    c.setBarPosition(Bar::RevArm, 0);
    EXPECT_EQ(m.direction, "Fwd");
    EXPECT_FALSE(p.center.enabled);
    EXPECT_EQ(m.revArmPos, 5.24f);
}

TEST_F(Controls, ReverseArmBarIsMirroredBeforeTheFirstSolve) {
    // Gear signs are still 0: the bar works the other way round.
    c.setBarPosition(Bar::RevArm, -500);
    EXPECT_FLOAT_EQ(m.revArmPos, 5.24f + 0.5f);
    EXPECT_EQ(m.direction, "Rev");
}

TEST_F(Controls, FwdRevCenButtons) {
    c.tick();
    m.frontCutoffText = "12.0";
    c.revClick();
    EXPECT_EQ(p.bar(Bar::RevArm).position, -1000);  // round(1.0 * -1200 / 1.2)
    EXPECT_FLOAT_EQ(m.revArmPos, 4.24f);
    EXPECT_EQ(m.direction, "Rev");
    EXPECT_FALSE(p.rev.enabled);
    EXPECT_TRUE(p.fwd.enabled);
    EXPECT_TRUE(p.center.enabled);
    EXPECT_EQ(m.frontCutoffText, "");
    c.fwdClick();
    EXPECT_EQ(p.bar(Bar::RevArm).position, 1000);
    EXPECT_EQ(m.direction, "Fwd");
    EXPECT_FALSE(p.fwd.enabled);
    c.centerClick();
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_EQ(m.revArmPos, m.revArmSet[0]);
    EXPECT_FALSE(p.center.enabled);
    EXPECT_TRUE(p.fwd.enabled && p.rev.enabled);
}

TEST_F(Controls, RunStopAndTheAngleButtons) {
    m.driverAngle = 123.456f;
    c.runClick();  // stop
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_EQ(m.stepAngle, 0.0f);
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 12346);
    EXPECT_FLOAT_EQ(m.driverAngle, 123.46f);
    EXPECT_TRUE(p.bar(Bar::DrvAng).enabled);
    c.runClick();  // run again
    EXPECT_EQ(p.runCaption, "Stop");
    EXPECT_EQ(m.stepAngle, 10.0f);
    EXPECT_FALSE(p.bar(Bar::DrvAng).enabled);

    c.deg180Click();
    EXPECT_EQ(m.driverAngle, 180.0f);
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 18000);
    EXPECT_EQ(m.stepAngle, 0.0f);
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_FALSE(p.deg180.enabled);
    EXPECT_TRUE(p.deg00.enabled);
    c.deg00Click();
    EXPECT_EQ(m.driverAngle, 0.0f);
    EXPECT_FALSE(p.deg00.enabled);
    EXPECT_TRUE(p.deg180.enabled);
}

TEST_F(Controls, CommandsOfTheSettingDialogs) {
    // The driver angle stops a running animation at the angle, in hundredths.
    ASSERT_TRUE(c.running());
    c.setDriverAngle(90.25f);
    EXPECT_FALSE(c.running());
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_EQ(m.stepAngle, 0.0f);
    EXPECT_EQ(m.driverAngle, 90.25f);
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 9025);
    EXPECT_TRUE(p.bar(Bar::DrvAng).enabled);
    EXPECT_TRUE(p.deg00.enabled && p.deg180.enabled);
    // Stopped, it stays stopped.
    c.setDriverAngle(360.0f);
    EXPECT_EQ(p.runCaption, "Run");
    EXPECT_EQ(p.bar(Bar::DrvAng).position, 36000);

    // A typed step keeps the run state and is not snapped to the table:
    // log10(750) * 4000 = 11500.2 lies in the band of 5 degrees.
    c.setStepAngle(7.5f);
    EXPECT_FALSE(c.running());
    EXPECT_EQ(m.stepAngle, 0.0f);
    EXPECT_EQ(m.selectedStep, 7.5f);
    EXPECT_EQ(p.bar(Bar::StepAng).position, 11500);
    EXPECT_TRUE(m.stepBarArmed);
    EXPECT_EQ(p.bar(Bar::DrvAng).smallChange, 750);
    EXPECT_EQ(p.bar(Bar::DrvAng).largeChange, 3750);
    c.runClick();
    ASSERT_TRUE(c.running());
    c.setStepAngle(0.5f);
    EXPECT_TRUE(c.running());
    EXPECT_EQ(m.stepAngle, 0.5f);
    EXPECT_FALSE(p.bar(Bar::DrvAng).enabled);

    // The reverse arm goes onto its bar in thousandths from the centre.
    c.tick();  // solved once: the direct orientation
    c.setReverseArm(m.revArmSet[0] - 0.5f);
    EXPECT_EQ(p.bar(Bar::RevArm).position, -500);
    EXPECT_EQ(m.direction, "Rev");
    EXPECT_TRUE(p.center.enabled);
}

TEST_F(Controls, StepButtonsAndBar) {
    c.step1Click();
    EXPECT_EQ(m.selectedStep, 1.0f);
    EXPECT_EQ(m.stepAngle, 1.0f);  // running: applied at once
    EXPECT_EQ(p.bar(Bar::StepAng).position, 8000);
    EXPECT_FALSE(p.step1.enabled);
    EXPECT_TRUE(p.step10.enabled);
    EXPECT_EQ(p.bar(Bar::DrvAng).smallChange, 100);
    c.runClick();  // stop
    c.step45Click();
    EXPECT_EQ(m.selectedStep, 45.0f);
    EXPECT_EQ(m.stepAngle, 0.0f);  // stopped: only chosen
    EXPECT_FALSE(p.step45.enabled);
    EXPECT_TRUE(p.step1.enabled);
    // A disarmed bar keeps a typed step and only re-arms.
    m.stepBarArmed = false;
    m.selectedStep = 7.0f;
    c.setBarPosition(Bar::StepAng, 11000);
    EXPECT_EQ(m.selectedStep, 7.0f);
    EXPECT_TRUE(m.stepBarArmed);
}

TEST_F(Controls, TickAdvancesAndWrapsBothWays) {
    m.driverAngle = 355.0f;
    c.tick();
    EXPECT_FLOAT_EQ(m.driverAngle, 5.0f);
    m.direction = "Rev";
    c.tick();
    EXPECT_FLOAT_EQ(m.driverAngle, 355.0f);
    // While stopped the tick still solves: pivot 2 follows the angle.
    c.runClick();
    m.driverAngle = 90.0f;
    c.tick();
    EXPECT_FLOAT_EQ(m.driverAngle, 90.0f);
    EXPECT_NEAR(m.pivotY[2], -1.5f, 1e-5);
}

TEST_F(Controls, PanAndZoomJogs) {
    arrow(Bar::PanHorz, 1);
    EXPECT_FLOAT_EQ(m.viewOffsetX, 115.1f);
    EXPECT_EQ(p.bar(Bar::PanHorz).position, 0);  // sprang back
    EXPECT_TRUE(p.norm.enabled);
    page(Bar::PanVert, 1);
    EXPECT_FLOAT_EQ(m.viewOffsetY, 269.0f);
    EXPECT_FLOAT_EQ(m.panBaseY, 269.0f);
    arrow(Bar::PanVert, 1);  // a second click in the same direction
    EXPECT_FLOAT_EQ(m.viewOffsetY, 268.9f);

    // Zoom in by 1% about (320, 240).
    const float sx = m.viewScale, ox = m.viewOffsetX, oy = m.viewOffsetY;
    arrow(Bar::Zoom, 1);
    EXPECT_FLOAT_EQ(m.viewScale, sx * 1.001f);
    EXPECT_NEAR(m.viewOffsetX, (ox - 320) * m.viewScale / sx + 320, 1e-3);
    EXPECT_NEAR(m.viewOffsetY, m.viewScale * (oy - 240) / sx + 240, 1e-3);
}

TEST_F(Controls, ZoomClampSequenceAt3000) {
    m.viewScale = 3000.0f;
    page(Bar::Zoom, 1);  // +1: first clamped to 3000, grows, clamped back
    EXPECT_EQ(m.viewScale, 3000.0f);
    m.viewScale = 3500.0f;  // above the limit from elsewhere
    arrow(Bar::Zoom, -1);
    EXPECT_FLOAT_EQ(m.viewScale, 3000.0f * (1 - 0.001f));
    m.viewScale = 0.5f;
    page(Bar::Zoom, -1);
    EXPECT_EQ(m.viewScale, 0.5f);
}

TEST_F(Controls, PresetsAndNorm) {
    c.presetClick(3);
    EXPECT_EQ(m.viewScale, 45.0f);
    EXPECT_EQ(m.viewOffsetX, 70.0f);
    EXPECT_TRUE(p.norm.enabled);
    // "P" stores the current view; the next preset is redefined from it.
    m.viewScale = 99.0f;
    m.viewOffsetX = 1.0f;
    m.viewOffsetY = 2.0f;
    c.preset0Click();
    EXPECT_FALSE(p.preset[0].enabled);
    m.viewScale = 5.0f;
    c.presetClick(3);
    EXPECT_EQ(m.viewPresets[3][0], 99.0f);
    EXPECT_EQ(m.viewScale, 99.0f);
    EXPECT_TRUE(p.preset[0].enabled);
    // "3" again applies without storing.
    m.viewScale = 5.0f;
    m.viewPresets[0][0] = 1.0f;
    c.presetClick(3);
    EXPECT_EQ(m.viewScale, 99.0f);
    c.normClick();
    EXPECT_EQ(m.viewScale, 28.0f);
    EXPECT_EQ(m.viewOffsetX, 115.0f);
    EXPECT_EQ(m.homeScale, 99.0f);
    EXPECT_FALSE(p.norm.enabled);
}

TEST_F(Controls, TogglesChangeTheirCaptions) {
    c.toggleFont();
    EXPECT_EQ(m.fontScaleX, 1.27f);
    EXPECT_EQ(m.fontScaleY, 1.22f);
    EXPECT_EQ(p.item(Item::Font).caption, "SetSmall&Font");
    c.toggleFont();
    EXPECT_EQ(m.fontScaleX, 1.0f);
    EXPECT_EQ(p.item(Item::Font).caption, "SetLarge&Font");
    c.toggleErrorBeep();
    EXPECT_FALSE(m.errorBeep);
    EXPECT_EQ(p.item(Item::ErrorBeep).caption, "Set&ErrorBeep On");
    c.toggleLineWidth();
    EXPECT_EQ(m.lineWidth, 2);
    EXPECT_EQ(p.item(Item::LineWidth).caption, "Set&LineWidth 1");
    c.toggleSteamDisplay();
    EXPECT_TRUE(m.steamDisplay);
    EXPECT_EQ(p.item(Item::SteamDisp).caption, "SetS&teamDisp Off");
}

TEST_F(Controls, ScreenDataOffAndOn) {
    c.toggleDynamicVari();
    c.toggleUndo();
    c.toggleScreenData();
    EXPECT_FALSE(m.screenDataOn);
    EXPECT_FALSE(p.toolBarVisible);
    EXPECT_FALSE(p.mainFramesVisible);
    EXPECT_FALSE(p.bar(Bar::RevArm).visible);
    EXPECT_FALSE(p.bar(Bar::DynVar1).visible);
    EXPECT_FALSE(m.dynVarsVisible);
    EXPECT_FALSE(m.undoEnabled);
    EXPECT_FALSE(p.item(Item::SetDriverAng).enabled);
    EXPECT_FALSE(p.item(Item::SetRefPoints).visible);
    EXPECT_TRUE(p.item(Item::PanZoom).enabled);
    EXPECT_EQ(p.item(Item::ScreenData).caption, "SetScree&nData On");
    c.togglePanZoom();
    EXPECT_TRUE(p.bar(Bar::Zoom).visible);
    EXPECT_EQ(p.item(Item::PanZoom).caption, "SetP&anZoom Off");
    c.toggleScreenData();
    EXPECT_TRUE(p.toolBarVisible);
    EXPECT_TRUE(p.bar(Bar::RevArm).visible);
    EXPECT_FALSE(p.bar(Bar::DynVar1).visible);  // stays hidden until turned on again
    EXPECT_FALSE(p.item(Item::PanZoom).enabled);
    EXPECT_EQ(p.item(Item::PanZoom).caption, "Set&PanZoom On");
}

TEST_F(Controls, DynamicBarGestureMakesOneUndoRecord) {
    m.editPending = false;
    commitEdit(m, 3, "Main Rod", 9.0f, 9.0f);
    c.toggleDynamicVari();
    EXPECT_TRUE(p.bar(Bar::DynVar1).visible);
    c.dynVarEnter(1);
    arrow(Bar::DynVar1, 1);
    EXPECT_EQ(m.mainRodLength, 9.0f + 0.001f);
    arrow(Bar::DynVar1, 1);
    page(Bar::DynVar1, 1);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    c.dynVarScrollEnd(1);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).before, 9.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, m.mainRodLength);
    EXPECT_TRUE(m.undoButtonsEnabled);
    c.undoDnClick();
    EXPECT_EQ(m.mainRodLength, 9.0f);
    EXPECT_EQ(m.dynVarValue[1], 9.0f);
    EXPECT_FALSE(m.undoButtonsEnabled);
    c.undoDnClick();  // nothing left: only disables
    EXPECT_EQ(m.mainRodLength, 9.0f);
}

TEST_F(Controls, ResetAllDimensionsRecentresAndReturnsToNorm) {
    c.tick();
    m.stroke = 4.0f;
    m.revArmMax = 2.0f;
    c.setRevArmRangeFromModel();
    c.setBarPosition(Bar::RevArm, 1500);
    c.presetClick(2);
    c.toggleDynamicVari();
    c.resetAllDimensionsClick();
    EXPECT_EQ(m.stroke, 3.0f);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1200);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_EQ(m.revArmPos, 5.24f);
    EXPECT_EQ(m.viewScale, 28.0f);
    EXPECT_FALSE(p.bar(Bar::DynVar1).visible);
    EXPECT_EQ(m.currentFileName, "Nominal");
    EXPECT_FALSE(p.center.enabled);
}

TEST_F(Controls, CalcCentRevArmFollowsAMovedLinkPivot) {
    c.tick();
    m.pivotX[5] = 6.0f;
    c.setBarPosition(Bar::RevArm, 300);
    c.calcCentRevArm();
    EXPECT_EQ(m.revArmSet[0], 6.0f);
    EXPECT_EQ(m.revArmPos, 6.0f);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
}

#include "main/core/TickPacer.h"

TEST(TickPacerTest, SixtyFourTicksPerSecondOnAverage) {
    TickPacer pacer;
    pacer.start(0);
    // A loop that fires exactly when asked: 64 ticks take one second.
    std::int64_t now = 0;
    for (int i = 0; i < 64; ++i) now += pacer.nextDelayMillis(now) * 1000;
    EXPECT_GE(now, 999'000);
    EXPECT_LE(now, 1'001'000);
    // Delays are whole milliseconds of 15 or 16.
    pacer.start(0);
    now = 0;
    for (int i = 0; i < 10; ++i) {
        const int d = pacer.nextDelayMillis(now);
        EXPECT_TRUE(d == 15 || d == 16) << d;
        now += d * 1000;
    }
}

TEST(TickPacerTest, LateTicksCatchUpThenRestartTheGrid) {
    TickPacer pacer;
    pacer.start(0);
    // 20 ms late for the first tick: the next is due at once.
    EXPECT_EQ(pacer.nextDelayMillis(40'000), 0);
    // Half a second behind (a modal dialog): no burst, a normal period.
    EXPECT_EQ(pacer.nextDelayMillis(600'000), 16);
}
