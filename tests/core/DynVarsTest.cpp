#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "model/DynVars.h"
#include "model/Model.h"

using namespace tevrane;

namespace {

Model startModel() {
    Model m;
    initModel(m);
    return m;
}

// What a dialog edit box does when it is left after the user typed (or not).
void edit(Model& m, int id, float value, bool typed) {
    m.editPending = typed;
    commitEdit(m, id, dimensionName(id), readVar(m, id), value);
}

// Every dimension the user can edit, and the pivot inputs, as raw bits.
struct DimensionBits {
    std::vector<unsigned char> bytes;
    bool operator==(const DimensionBits&) const = default;
};

DimensionBits snapshot(Model& m) {
    DimensionBits s;
    auto add = [&](const void* p, size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        s.bytes.insert(s.bytes.end(), b, b + n);
    };
    for (int id = 1; id <= 21; ++id) add(frameField(m, id), sizeof(float));
    for (int i = 0; i < Cyl::kCount; ++i) add(&m.cyl[i], sizeof(float));
    for (int p : {3, 4, 5, 12}) {
        add(&m.pivotX[p], sizeof(float));
        add(&m.pivotY[p], sizeof(float));
    }
    return s;
}

}  // namespace

TEST(DynVarsSlots, RepeatedVariableKeepsItsPlaceAndTakesTheNewValue) {
    Model m = startModel();
    edit(m, 2, 3.0f, false);  // Stroke
    edit(m, 3, 9.0f, false);  // Main Rod
    edit(m, 2, 3.5f, false);  // Stroke again, with a new value
    EXPECT_EQ(m.dynVarId[1], 3);
    EXPECT_EQ(m.dynVarName[1], "Main Rod");
    EXPECT_EQ(m.dynVarValue[1], 9.0f);
    EXPECT_EQ(m.dynVarId[2], 2);
    EXPECT_EQ(m.dynVarName[2], "Stroke");
    EXPECT_EQ(m.dynVarValue[2], 3.5f);
    EXPECT_EQ(m.stroke, 3.5f);
    // Only two distinct dimensions were edited: the last two slots stay empty.
    for (int k = 3; k <= 4; ++k) {
        EXPECT_EQ(m.dynVarId[k], 0);
        EXPECT_EQ(m.dynVarValue[k], 0.0f);
        EXPECT_EQ(m.dynVarName[k], kEmptySlotName);
    }
    // No key was typed: nothing was recorded.
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
}

TEST(DynVarsSlots, FiveDimensionsPushTheOldestOut) {
    Model m = startModel();
    for (int id : {1, 2, 3, 4, 5}) edit(m, id, readVar(m, id), false);
    EXPECT_EQ(m.dynVarId[1], 5);
    EXPECT_EQ(m.dynVarId[2], 4);
    EXPECT_EQ(m.dynVarId[3], 3);
    EXPECT_EQ(m.dynVarId[4], 2);
    EXPECT_EQ(m.dynVarName[4], "Stroke");
    EXPECT_EQ(m.dynVarValue[4], 3.0f);
}

TEST(DynVarsSlots, ClearingAndResettingEmptiesEverySlot) {
    Model m = startModel();
    edit(m, 111, 0.2f, false);
    edit(m, 3, 9.5f, false);
    resetDynamicVariables(m);
    EXPECT_EQ(m.dynStep, 0.0f);
    for (int k = 0; k <= 4; ++k) {
        EXPECT_EQ(m.dynVarId[k], 0);
        EXPECT_EQ(m.dynVarValue[k], 0.0f);
        EXPECT_EQ(m.dynVarName[k], "             ??");
    }
    EXPECT_EQ(kEmptySlotName.size(), 15u);
    // The dimensions themselves keep the edited values.
    EXPECT_EQ(m.mainRodLength, 9.5f);
    EXPECT_EQ(m.cyl.bridgeRear, 0.2f);
}

TEST(DynVarsStep, OneArrowClickChangesTheDimensionByTheFloatSum) {
    Model m = startModel();
    edit(m, 3, 9.0f, false);  // Main Rod on bar 1
    m.frontCutoffText = "  25.0";
    m.rearCutoffText = "  26.0";
    stepVar(m, 1, 0.001f);
    const float up = 9.0f + 0.001f;
    EXPECT_EQ(m.mainRodLength, up);
    EXPECT_EQ(m.dynVarValue[1], up);
    EXPECT_EQ(m.activeDynSlot, 1);
    EXPECT_EQ(m.dynStep, 0.001f);
    EXPECT_TRUE(m.frontCutoffText.empty());
    EXPECT_TRUE(m.rearCutoffText.empty());
    stepVar(m, 1, -0.001f);
    EXPECT_EQ(m.mainRodLength, up - 0.001f);
    // The step is a plain float sum: 9.001 is not a float, the sum rounds.
    EXPECT_NE(static_cast<double>(up), 9.001);
}

TEST(DynVarsStep, EmptySlotsAndForeignSlotNumbersChangeNothing) {
    Model m = startModel();
    edit(m, 3, 9.0f, false);
    const DimensionBits before = snapshot(m);
    stepVar(m, 2, 0.01f);  // slot 2 is empty
    EXPECT_EQ(snapshot(m), before);
    EXPECT_EQ(m.dynVarValue[2], 0.01f);  // the slot counts, but writes nowhere
    for (int k : {-1, 0, 5, 100, INT_MIN}) {
        stepVar(m, k, 1.0f);
        recordGesture(m, k, 0.0f);
    }
    EXPECT_EQ(snapshot(m), before);
    EXPECT_EQ(m.undoHistory.depth(), 0);
}

TEST(DynVarsUndo, DragRecordsOneEntryAndUndoRestoresTheFocusValue) {
    Model m = startModel();
    edit(m, 3, 9.0f, false);
    const float atFocus = m.dynVarValue[1];
    for (float d : {0.001f, 0.001f, 0.005f, -0.002f, 0.010f}) stepVar(m, 1, d);
    const float released = m.mainRodLength;
    ASSERT_NE(released, atFocus);
    recordGesture(m, 1, atFocus);

    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.newest(), (UndoRecord{3, atFocus, released, "Main Rod"}));
    EXPECT_EQ(m.undoHistory.record(1).id, 3);
    EXPECT_EQ(m.undoHistory.record(1).before, atFocus);
    EXPECT_EQ(m.undoHistory.record(1).after, released);
    EXPECT_EQ(m.undoHistory.record(1).name, "Main Rod");
    EXPECT_EQ(m.undoHistory.record(2).id, 0);
    EXPECT_TRUE(m.undoButtonsEnabled);
    EXPECT_FALSE(m.editPending);

    m.frontCutoffText = "  25.0";
    popUndo(m);
    EXPECT_EQ(m.mainRodLength, atFocus);
    EXPECT_EQ(m.dynVarValue[1], atFocus);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_TRUE(m.frontCutoffText.empty());
}

TEST(DynVarsUndo, TypedEditRecordsOldAndNewValue) {
    Model m = startModel();
    edit(m, 2, 3.25f, true);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 2);
    EXPECT_EQ(m.undoHistory.record(1).before, 3.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 3.25f);
    EXPECT_EQ(m.undoHistory.record(1).name, "Stroke");
    EXPECT_FALSE(m.editPending);
    // A second commit without typing does not record.
    edit(m, 2, 3.5f, false);
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).after, 3.25f);
}

TEST(DynVarsUndo, TwentyOneChangesKeepDepthTwentyAndDropTheOldest) {
    Model m = startModel();
    // Change i sets the stroke from i - 1 (3.0 for the first) to i.
    for (int i = 1; i <= 21; ++i) edit(m, 2, static_cast<float>(i), true);
    EXPECT_EQ(m.undoHistory.depth(), 20);
    EXPECT_EQ(m.undoHistory.record(1).after, 21.0f);
    EXPECT_EQ(m.undoHistory.record(20).before, 1.0f);  // change 2 is the oldest one kept
    for (int i = 0; i < 20; ++i) popUndo(m);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    // The first change (3.0 -> 1.0) can no longer be undone.
    EXPECT_EQ(m.stroke, 1.0f);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    popUndo(m);  // an empty stack changes no dimension
    EXPECT_EQ(m.stroke, 1.0f);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(m.undoHistory.record(i).id, 0);
        EXPECT_TRUE(m.undoHistory.record(i).name.empty());
    }
}

TEST(DynVarsUndo, UndoingTheValveStemOffsetRestoresThePivot) {
    Model m = startModel();
    edit(m, 102, 0.5f, false);
    edit(m, 109, 3.0f, true);
    EXPECT_EQ(m.pivotY[4], 3.5f);
    popUndo(m);
    EXPECT_EQ(m.cyl.valveStemToCylCL, 2.062f);
    // 0.5 + 2.062 on the single grid of [2, 4) is the single nearest 2.562.
    EXPECT_EQ(m.pivotY[4], 2.562f);
}

TEST(DynVarsValues, CylinderLineHeightMovesTheValveStem) {
    Model m = startModel();
    writeVar(m, 102, 0.5f);
    EXPECT_EQ(m.pivotY[3], 0.5f);
    EXPECT_EQ(m.pivotY[4], 2.562f);
    writeVar(m, 109, 2.0f);
    EXPECT_EQ(m.pivotY[4], 2.5f);
    // Other cylinder dimensions leave the derived height alone.
    m.pivotY[4] = 7.0f;
    writeVar(m, 108, 1.0f);
    EXPECT_EQ(m.pivotY[4], 7.0f);
}

TEST(DynVarsUndo, UndoLeavesEveryOtherDimensionBitForBit) {
    Model m = startModel();
    // Four bars bound to values that do not survive a +1 - 1 round trip.
    float roundTrip = 0.187f;
    roundTrip = roundTrip + 1.0f;
    roundTrip = roundTrip - 1.0f;
    ASSERT_NE(roundTrip, 0.187f);
    edit(m, 111, 0.187f, false);
    edit(m, 113, 0.156f, false);
    edit(m, 118, 0.687f, false);
    edit(m, 112, 0.25f, true);  // the change to undo, bound to bar 1
    ASSERT_EQ(m.dynVarId[1], 112);
    ASSERT_EQ(m.dynVarId[4], 111);
    const DimensionBits afterEdit = snapshot(m);
    popUndo(m);
    EXPECT_EQ(m.cyl.bridgeFront, 0.187f);
    EXPECT_EQ(m.dynVarValue[1], 0.187f);
    EXPECT_EQ(m.dynVarValue[4], 0.187f);
    // Everything but the undone dimension is exactly as it was.
    m.cyl.bridgeFront = 0.25f;
    EXPECT_EQ(snapshot(m), afterEdit);
    m.cyl.bridgeFront = 0.187f;
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(m.dynVarValue[k], readVar(m, m.dynVarId[k]));
}

TEST(DynVarsValues, IdsOutsideTheDynamicRangesReadZeroAndWriteNothing) {
    Model m = startModel();
    const DimensionBits before = snapshot(m);
    // 20 and 21 are frame dimensions with values (1.0 and 1.2), but not
    // dynamic variables.
    for (int id : {0, -1, 20, 21, 22, 100, 123, 200, INT_MIN, INT_MAX}) {
        EXPECT_EQ(readVar(m, id), 0.0f) << id;
        writeVar(m, id, 42.0f);
        EXPECT_FALSE(isDynamicId(id)) << id;
    }
    EXPECT_EQ(snapshot(m), before);
    EXPECT_EQ(m.revArmNormal, 1.0f);
    for (int id = 1; id <= 19; ++id) EXPECT_TRUE(isDynamicId(id));
    for (int id = 101; id <= 122; ++id) EXPECT_TRUE(isDynamicId(id));
    EXPECT_EQ(readVar(m, 19), 3.45f);
    EXPECT_EQ(readVar(m, 101), 16.0f);
    EXPECT_EQ(readVar(m, 122), 4.55f);
    EXPECT_EQ(readVar(m, 15), 5.24f);  // pivotX[5]
}

TEST(DynVarsNames, EveryNameWithItsInnerBlanks) {
    const std::vector<std::pair<int, std::string>> names = {
        {1, "Driver Dia"},
        {2, "Stroke"},
        {3, "Main Rod"},
        {4, "Main Rod Lug Vert"},
        {5, "Main Rod Lug Horz"},
        {6, "Oscillating lever"},
        {7, "OscLevDriveVertOffset"},
        {8, "OscLevDriveHorzLen"},
        {9, "Swing Lever"},
        {10, "Swing Lev Piv Vert"},
        {11, "Swing Lev Piv Horz"},
        {12, "Rev Arm (Link Upper)"},
        {13, "Link Lower"},
        {14, "Link Pivot Vert"},
        {15, "Link Pivot Horz"},
        {16, "Valve Rod"},
        {17, "Valve Lever Upper"},
        {18, "Valve Lever Offset"},
        {19, "Valve Lever Lower"},
        {101, "Cyl ctr to Driver ctr"},
        {102, "Cyl CL above Driver ctr"},
        {103, "Cylinder Bore Dia"},
        {104, "Cylinder Bore Length"},
        {105, "Cyl Steam Port Width"},
        {106, "Piston ctr to Crosshead"},
        {107, "Piston Width"},
        {108, "Valve Surface to Cyl CL"},
        {109, "Valve Stem CL to Cyl CL"},
        {110, "Exhaust Port" "  " "Width"},
        {111, "Bridge Width" "   " "Rear"},
        {112, "Bridge Width" "   " "Front"},
        {113, "Steam Port Width" "  " "Rear"},
        {114, "Steam Port Width" "   " "Front"},
        {115, "Valve Chamber" "    " "Height"},
        {116, "Valve Chamber Length"},
        {117, "Valve Height"},
        {118, "Valve Length" "  " "Rear Half"},
        {119, "Valve Length" "   " "Front Half"},
        {120, "Valve Exh CavityRearHalf"},
        {121, "Valve ExhCavityFrontHalf"},
        {122, "Valve Stem"},
    };
    for (const auto& [id, name] : names) {
        EXPECT_EQ(dimensionName(id), name) << id;
        EXPECT_LE(dimensionName(id).size(), 25u) << id;
    }
    EXPECT_EQ(dimensionName(110).size(), 19u);
    for (int id : {0, 20, 21, 100, 123, -5}) EXPECT_EQ(dimensionName(id), "") << id;
}

TEST(DynVarsUndo, UndoLineShowsDepthNameAndBothValues) {
    Model m = startModel();
    edit(m, 2, 3.5f, true);
    EXPECT_EQ(undoLine(m), " 1- Stroke  3.500 to  3.000");
    for (int i = 0; i < 11; ++i) edit(m, 110, 12.25f + static_cast<float>(i), true);
    // Depth 12; the newest entry changed the exhaust port from 21.25 to 22.25.
    EXPECT_EQ(undoLine(m), "12- Exhaust Port  Width 22.250 to 21.250");
    clearUndo(m);
    EXPECT_EQ(undoLine(m), " 0-   0.000 to  0.000");
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
}
