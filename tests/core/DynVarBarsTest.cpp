// The dynamic-variable bars' gesture that the main window and every diagram
// window share: jog steps between the bar getting the focus and the user
// letting go of it, recorded as one undo entry.
#include "controls/core/DynVarBars.h"

#include "main/core/MainController.h"

#include <gtest/gtest.h>

#include "model/DynVars.h"
#include "model/Model.h"

namespace tevrane {
namespace {

class DynVarBarsTest : public ::testing::Test {
protected:
    void SetUp() override { initModel(m); }

    // Binds "Main Rod" (id 3) to slot 1 and "Stroke" (id 2) to slot 2 the way
    // the dimension dialogs do.
    void bindTwo() {
        commitEdit(m, 2, dimensionName(2), m.stroke, m.stroke);
        commitEdit(m, 3, dimensionName(3), m.mainRodLength, m.mainRodLength);
    }

    Model m;
    // The bars step and record through the controller's commands.
    Panel p;
    MainController commands{m, p};
};

TEST_F(DynVarBarsTest, ArrowClickStepsAThousandthAndReleaseRecordsOnce) {
    bindTwo();
    DynVarBars bars(m, commands);
    const float start = m.mainRodLength;
    bars.enter(1);
    EXPECT_TRUE(bars.started(1));
    // An arrow click: the bar goes to 1, then springs back to 0.
    EXPECT_TRUE(bars.change(1, 1));
    EXPECT_FALSE(bars.change(1, 0));
    EXPECT_EQ(m.mainRodLength, start + 0.001f);
    // Another click before the release belongs to the same gesture.
    bars.change(1, 1);
    bars.change(1, 0);
    const float twice = (start + 0.001f) + 0.001f;
    EXPECT_EQ(m.mainRodLength, twice);
    EXPECT_EQ(m.undoHistory.depth(), 0);

    bars.release(1);
    EXPECT_FALSE(bars.started(1));
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.record(1).id, 3);
    EXPECT_EQ(m.undoHistory.record(1).before, start);
    EXPECT_EQ(m.undoHistory.record(1).after, twice);
    EXPECT_TRUE(m.undoButtonsEnabled);
    EXPECT_FALSE(m.editPending);

    // Any window's undo puts the start value back and then has nothing left.
    undoNewestRecord(m);
    EXPECT_EQ(m.mainRodLength, start);
    EXPECT_EQ(m.dynVarValue[1], start);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
}

TEST_F(DynVarBarsTest, ReleaseWithoutAStepRecordsNothingAndKeepsTheGestureOpen) {
    bindTwo();
    DynVarBars bars(m, commands);
    // Tabbing onto the bar and letting go of a key, or a click on the thumb.
    bars.enter(1);
    EXPECT_FALSE(bars.release(1));
    EXPECT_TRUE(bars.started(1));
    EXPECT_FALSE(bars.moved(1));
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.undoHistory.record(1).id, 0);
    EXPECT_FALSE(m.undoButtonsEnabled);
    // The bar springing back to 0 is not a step either.
    bars.change(1, 0);
    EXPECT_FALSE(bars.release(1));
    EXPECT_EQ(m.undoHistory.depth(), 0);
}

TEST_F(DynVarBarsTest, GestureStartsFromTheValueItsFirstStepMoves) {
    bindTwo();
    DynVarBars bars(m, commands);
    bars.enter(1);
    // While the bar holds the focus a dialog changes "Main Rod" from 9 to 10,
    // recording that change of its own.
    m.editPending = true;
    commitEdit(m, 3, dimensionName(3), 9.0f, 10.0f);
    ASSERT_EQ(m.undoHistory.depth(), 1);
    bars.change(1, 1);
    bars.change(1, 0);
    EXPECT_TRUE(bars.release(1));
    EXPECT_EQ(m.undoHistory.depth(), 2);
    EXPECT_EQ(m.undoHistory.record(1).before, 10.0f);
    EXPECT_EQ(m.undoHistory.record(1).after, 10.0f + 0.001f);
    // Each undo takes back exactly one of the two changes.
    undoNewestRecord(m);
    EXPECT_EQ(m.mainRodLength, 10.0f);
    undoNewestRecord(m);
    EXPECT_EQ(m.mainRodLength, 9.0f);
}

TEST_F(DynVarBarsTest, PageClickStepsAHundredthBackwards) {
    bindTwo();
    DynVarBars bars(m, commands);
    const float start = m.stroke;
    bars.enter(2);
    bars.change(2, -10);
    bars.change(2, 0);
    EXPECT_EQ(m.stroke, start - 0.01f);
    EXPECT_EQ(bars.history(2).last, 0);
    EXPECT_EQ(bars.history(2).lastButOne, -10);
}

TEST_F(DynVarBarsTest, UndoWithNothingRecordedOnlyDisablesTheButtons) {
    m.undoButtonsEnabled = true;
    const float rod = m.mainRodLength;
    undoNewestRecord(m);
    EXPECT_FALSE(m.undoButtonsEnabled);
    EXPECT_EQ(m.mainRodLength, rod);
    EXPECT_EQ(m.undoHistory.depth(), 0);
}

TEST_F(DynVarBarsTest, EmptySlotBarChangesNothing) {
    DynVarBars bars(m, commands);
    const Model before = m;
    bars.enter(3);
    bars.change(3, 1);
    bars.change(3, 0);
    EXPECT_EQ(m.mainRodLength, before.mainRodLength);
    EXPECT_EQ(m.stroke, before.stroke);
    // Out-of-range bar numbers are ignored outright.
    EXPECT_FALSE(bars.change(0, 5));
    EXPECT_FALSE(bars.change(5, 5));
    EXPECT_FALSE(bars.started(7));
}

}  // namespace
}  // namespace tevrane
