// The commands the other windows call, driven without a widget: the
// dimension dialogs' commit, resets and re-centring, the diagram windows' undo
// and settings, the equaliser's apply. Each command that ends a user action
// sends one refresh of the main window.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "dialogs/core/DimensionRows.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {
namespace {

class GearCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        initModel(m);
        initPanel(m, p);
        c.onPanelChanged = [this] { ++refreshes; };
    }

    // A dialog's box left after the user typed `value` into it.
    void typeAndLeave(int id, float value) {
        cmd.typeInDimension(id);
        cmd.setDimension(id, value);
    }
    // The reverse-arm bar's range the travel limit stands for (thousandths).
    int barLimit() const { return static_cast<int>(std::lround(m.revArmMax * 1000.0f)); }

    Model m;
    Panel p;
    MainController c{m, p};
    GearCommands& cmd = c;
    int refreshes = 0;
};

const DimensionRow& frameRow(int n) { return *frameLayout().rowOfEdit(n); }
const DimensionRow& cylRow(int n) { return *cylinderLayout().rowOfEdit(n); }

// ---- typing and leaving a dimension box -----------------------------------------

TEST_F(GearCommandsTest, OnlyDynamicDimensionsMarkTheEdit) {
    cmd.typeInDimension(20);  // normal travel
    cmd.typeInDimension(21);  // maximum travel
    EXPECT_FALSE(m.editPending);
    cmd.typeInDimension(0);
    cmd.typeInDimension(123);
    EXPECT_FALSE(m.editPending);
    cmd.typeInDimension(122);
    EXPECT_TRUE(m.editPending);
    m.editPending = false;
    cmd.typeInDimension(3);
    EXPECT_TRUE(m.editPending);
}

TEST_F(GearCommandsTest, TypedDimensionIsOneRecordAndOneRefresh) {
    const float before = m.stroke;
    typeAndLeave(2, 3.25f);
    EXPECT_EQ(m.stroke, 3.25f);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.newest(), (UndoRecord{2, before, 3.25f, "Stroke"}));
    EXPECT_TRUE(m.undoButtonsEnabled);
    EXPECT_FALSE(m.editPending);
    EXPECT_EQ(m.dynVarId[1], 2);
    EXPECT_EQ(refreshes, 1);
}

TEST_F(GearCommandsTest, PassingThroughSelectsWithoutRecording) {
    cmd.setDimension(122, leftValue(m, cylRow(22), rowText(m, cylRow(22))));
    EXPECT_EQ(m.dynVarId[1], 122);
    EXPECT_EQ(m.dynVarName[1], "Valve Stem");
    EXPECT_EQ(m.dynVarValue[1], 4.55f);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    // Passing through again refreshes in place instead of taking a new slot.
    cmd.setDimension(12, leftValue(m, frameRow(12), "3.000"));
    cmd.setDimension(122, leftValue(m, cylRow(22), "4.600"));
    EXPECT_EQ(m.dynVarId[1], 12);
    EXPECT_EQ(m.dynVarId[2], 122);
    EXPECT_EQ(m.dynVarValue[2], 4.6f);
    EXPECT_EQ(m.dynVarId[3], 0);
}

TEST_F(GearCommandsTest, UnchangedTextKeepsTheExactValue) {
    m.cyl.bridgeRear = 0.1875f;
    m.driverDiameter = 137438953472.0f;  // 2^37, shown as its first 10 digits
    ASSERT_EQ(rowText(m, cylRow(11)), "0.188");
    ASSERT_EQ(rowText(m, frameRow(1)), "1374389534");
    cmd.setDimension(111, leftValue(m, cylRow(11), rowText(m, cylRow(11)), false));
    cmd.setDimension(1, leftValue(m, frameRow(1), rowText(m, frameRow(1)), false));
    EXPECT_EQ(m.cyl.bridgeRear, 0.1875f);
    EXPECT_EQ(m.driverDiameter, 137438953472.0f);
    EXPECT_EQ(m.dynVarId[1], 1);
    EXPECT_EQ(m.dynVarId[2], 111);
    EXPECT_EQ(m.dynVarValue[2], 0.1875f);
    // The same text typed by the user is taken at its word.
    cmd.setDimension(111, leftValue(m, cylRow(11), "0.188", true));
    EXPECT_EQ(m.cyl.bridgeRear, 0.188f);
}

TEST_F(GearCommandsTest, NormAboveMaxBecomesMaxAndClampsDiagramPositions) {
    // Centre 5.24; positions 1..3 from centreReverseArm, 4 unused.
    m.revArmSet[5] = 7.0f;
    m.revArmSet[6] = 3.0f;
    m.revArmSet[7] = 5.5f;
    const BarState barBefore = p.bar(Bar::RevArm);
    m.editPending = true;
    cmd.setDimension(20, leftValue(m, frameRow(20), "2"));
    EXPECT_EQ(m.revArmNormal, 1.2f);
    EXPECT_EQ(m.revArmSet[0], 5.24f);
    EXPECT_EQ(m.revArmSet[1], 5.24f);
    EXPECT_EQ(m.revArmSet[2], 6.24f);  // 5.24 + 1.0 lies inside 5.24 + 1.2
    EXPECT_EQ(m.revArmSet[3], 4.24f);
    EXPECT_EQ(m.revArmSet[4], 0.0f);   // unused stays unused
    EXPECT_EQ(m.revArmSet[5], 5.24f + 1.2f);
    EXPECT_EQ(m.revArmSet[6], 5.24f - 1.2f);
    EXPECT_EQ(m.revArmSet[7], 5.5f);
    for (int i = 8; i <= 9; ++i) EXPECT_EQ(m.revArmSet[i], 0.0f);
    // The travel rows keep out of the history and the bars, and the normal
    // travel leaves the bar's range alone.
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.dynVarId[1], 0);
    EXPECT_TRUE(m.editPending);
    EXPECT_EQ(p.bar(Bar::RevArm).min, barBefore.min);
    EXPECT_EQ(p.bar(Bar::RevArm).max, barBefore.max);
    EXPECT_EQ(refreshes, 1);

    // A smaller travel pulls the positions in as well.
    cmd.setDimension(20, leftValue(m, frameRow(20), "0.5"));
    EXPECT_EQ(m.revArmNormal, 0.5f);
    EXPECT_EQ(m.revArmSet[2], 5.74f);
    EXPECT_EQ(m.revArmSet[3], 4.74f);
    EXPECT_EQ(m.revArmSet[4], 0.0f);
}

TEST_F(GearCommandsTest, MaxTravelSetsTheBarRangeAndStaysAboveNorm) {
    m.revArmSet[5] = 9.0f;
    cmd.setDimension(21, leftValue(m, frameRow(21), "2.5"));
    EXPECT_EQ(m.revArmMax, 2.5f);
    EXPECT_EQ(m.revArmSet[5], 9.0f);  // a larger maximum leaves the positions alone
    EXPECT_EQ(p.bar(Bar::RevArm).max, 2500);
    EXPECT_EQ(p.bar(Bar::RevArm).min, -2500);
    cmd.setDimension(21, leftValue(m, frameRow(21), "0.25"));
    EXPECT_EQ(m.revArmMax, 1.0f);
    EXPECT_EQ(m.revArmNormal, 1.0f);
    EXPECT_EQ(m.revArmSet[5], 6.24f);
    EXPECT_EQ(m.revArmSet[3], 4.24f);
    EXPECT_EQ(m.revArmSet[4], 0.0f);
    EXPECT_EQ(p.bar(Bar::RevArm).max, 1000);
    EXPECT_EQ(p.bar(Bar::RevArm).min, -1000);
}

TEST_F(GearCommandsTest, NegativeTravelStillEndsOnDefinedPositions) {
    m.revArmSet[5] = 9.0f;
    cmd.setDimension(20, leftValue(m, frameRow(20), "-1"));
    EXPECT_EQ(m.revArmNormal, -1.0f);
    // Raised to 6.24 first, then lowered to 4.24: every used position ends there.
    for (int i : {1, 2, 3, 5}) EXPECT_EQ(m.revArmSet[i], 4.24f) << i;
    EXPECT_EQ(m.revArmSet[4], 0.0f);
}

// ---- resets -------------------------------------------------------------------------

TEST_F(GearCommandsTest, FrameResetKeepsTheHistoryOnThePressAndEmptiesItOnTheClick) {
    typeAndLeave(2, 4.0f);
    typeAndLeave(21, 3.0f);
    typeAndLeave(3, 11.0f);
    ASSERT_EQ(p.bar(Bar::RevArm).max, 3000);
    refreshes = 0;

    cmd.resetFrameDimensions(UndoOnReset::Keep);
    EXPECT_EQ(m.stroke, m.frameDefaults[2]);
    EXPECT_EQ(m.mainRodLength, m.frameDefaults[3]);
    EXPECT_EQ(m.revArmMax, m.frameDefaults[21]);
    // The defaults' own travel limit gives the bar its range.
    EXPECT_EQ(p.bar(Bar::RevArm).max, barLimit());
    EXPECT_EQ(p.bar(Bar::RevArm).min, -barLimit());
    for (int k = 0; k < kDynSlots; ++k) {
        EXPECT_EQ(m.dynVarId[k], 0) << k;
        EXPECT_EQ(m.dynVarName[k], kEmptySlotName) << k;
    }
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_TRUE(m.undoButtonsEnabled);
    EXPECT_EQ(refreshes, 1);

    cmd.resetFrameDimensions(UndoOnReset::Clear);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_EQ(refreshes, 2);
}

TEST_F(GearCommandsTest, CylinderResetPutsTheValveStemBackOnTheCylinderLine) {
    typeAndLeave(102, 0.5f);
    typeAndLeave(109, 3.0f);
    typeAndLeave(2, 4.0f);  // a frame dimension: the cylinder reset leaves it
    ASSERT_EQ(m.pivotY[kValveStemJoint], 3.5f);

    cmd.resetCylinderDimensions(UndoOnReset::Keep);
    EXPECT_EQ(m.pivotY[kCrosshead], m.frameDefaults[0]);
    EXPECT_EQ(m.cyl.valveStemToCylCL, m.cylDefaults.valveStemToCylCL);
    EXPECT_EQ(m.pivotY[kValveStemJoint], m.pivotY[kCrosshead] + m.cyl.valveStemToCylCL);
    EXPECT_EQ(m.stroke, 4.0f);
    EXPECT_EQ(m.dynVarId[1], 0);
    EXPECT_EQ(m.undoHistory.depth(), 3);

    cmd.resetCylinderDimensions(UndoOnReset::Clear);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
}

TEST_F(GearCommandsTest, ClosingADimensionDialogRecentresTheReverseArm) {
    c.fwdClick();
    ASSERT_NE(m.revArmPos, m.revArmCentre());
    m.frontCutoffText = "  25.0";
    m.rearCutoffText = "  24.0";
    refreshes = 0;
    cmd.recentreReverseArm();
    EXPECT_EQ(m.revArmPos, m.pivotX[kLinkPivot]);
    EXPECT_EQ(m.pivotX[kReverseArmEnd], m.pivotX[kLinkPivot]);
    EXPECT_EQ(p.bar(Bar::RevArm).position, 0);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_TRUE(m.rearCutoffText.empty());
    EXPECT_GE(refreshes, 1);
}

// ---- undo, the bars and the equaliser ---------------------------------------------

TEST_F(GearCommandsTest, UndoTakesBackTheNewestAndThenOnlyDisablesTheButtons) {
    typeAndLeave(2, 3.5f);
    typeAndLeave(3, 9.5f);
    refreshes = 0;
    cmd.undo();
    EXPECT_EQ(m.mainRodLength, m.frameDefaults[3]);
    EXPECT_EQ(m.stroke, 3.5f);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_TRUE(m.undoButtonsEnabled);
    cmd.undo();
    EXPECT_EQ(m.stroke, m.frameDefaults[2]);
    EXPECT_FALSE(m.undoButtonsEnabled);
    // Nothing left: the buttons stay disabled and no dimension moves.
    m.undoButtonsEnabled = true;
    cmd.undo();
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_EQ(m.stroke, m.frameDefaults[2]);
    EXPECT_EQ(refreshes, 3);
}

TEST_F(GearCommandsTest, ADiagramBarGestureIsOneRecordAndOneRefresh) {
    cmd.setDimension(3, m.mainRodLength);  // binds "Main Rod" to slot 1
    DynVarBars bars(m, cmd);
    const float start = m.mainRodLength;
    refreshes = 0;
    bars.enter(1);
    bars.change(1, 1);
    bars.change(1, 0);
    bars.change(1, 1);
    bars.change(1, 0);
    EXPECT_EQ(refreshes, 0);  // the steps wait for the release
    EXPECT_TRUE(bars.release(1));
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.newest().before, start);
    EXPECT_EQ(m.undoHistory.newest().after, m.mainRodLength);
    cmd.undo();
    EXPECT_EQ(m.mainRodLength, start);
}

TEST_F(GearCommandsTest, EqualiserChangesAreOneRecordEachInOrder) {
    const float lap = m.cyl.valveLenRear;
    const float stroke = m.stroke;
    const std::vector<DimensionChange> changes = {
        {118, lap, lap + 0.01f},
        {2, stroke, stroke},  // unchanged: no record
        {4, m.mainRodLugVert, m.mainRodLugVert - 0.02f},
    };
    const float ecc = m.mainRodLugVert;
    m.frontCutoffText = "  25.0";
    refreshes = 0;
    cmd.applyEqualiserChanges(changes);
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(m.cyl.valveLenRear, lap + 0.01f);
    EXPECT_EQ(m.mainRodLugVert, ecc - 0.02f);
    ASSERT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.undoHistory.record(1), (UndoRecord{4, ecc, ecc - 0.02f, dimensionName(4)}));
    EXPECT_EQ(m.undoHistory.record(2), (UndoRecord{118, lap, lap + 0.01f, dimensionName(118)}));
    EXPECT_TRUE(m.frontCutoffText.empty());
    cmd.undo();
    cmd.undo();
    EXPECT_EQ(m.cyl.valveLenRear, lap);
    EXPECT_EQ(m.mainRodLugVert, ecc);
}

// ---- the diagrams' settings ---------------------------------------------------------

TEST_F(GearCommandsTest, DiagramPassMovesTheSharedUndoLineOnce) {
    m.undoEnabled = true;
    typeAndLeave(2, 3.5f);
    m.undoText = "earlier";
    const UndoLines lines = cmd.beginDiagramPass();
    EXPECT_EQ(lines.previous, "earlier");
    EXPECT_EQ(lines.current, undoLine(m) + kUndoLineTail);
    EXPECT_EQ(m.undoText, lines.current);
    // With the undo line off the pass leaves it.
    m.undoEnabled = false;
    const UndoLines off = cmd.beginDiagramPass();
    EXPECT_EQ(off.previous, lines.current);
    EXPECT_EQ(off.current, lines.current);
}

TEST_F(GearCommandsTest, ChangedPositionsAreTakenOnce) {
    EXPECT_FALSE(cmd.takeChangedPositions());
    m.revArmSetChanged = true;
    EXPECT_TRUE(cmd.takeChangedPositions());
    EXPECT_FALSE(cmd.takeChangedPositions());
    EXPECT_FALSE(m.revArmSetChanged);
}

TEST_F(GearCommandsTest, PortGraphModeAndDimensionPointerAreStored) {
    for (char mode : {'R', 'B', 'F'}) {
        cmd.setPortGraphMode(mode);
        EXPECT_EQ(m.portGraphMode, mode);
    }
    cmd.showDimension(107);
    EXPECT_EQ(m.pointerDim, 107);
}

}  // namespace
}  // namespace tevrane
