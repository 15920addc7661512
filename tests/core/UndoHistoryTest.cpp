// The undo history as a value: records newest first, bounded depth, and each
// record putting its change into the model and taking it out again.
#include "model/UndoHistory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "model/DynVars.h"
#include "model/Model.h"

namespace tevrane {
namespace {

UndoRecord strokeChange(int i) {
    return UndoRecord{2, static_cast<float>(i - 1), static_cast<float>(i), "Stroke"};
}

bool sameEngine(const Engine& a, const Engine& b) { return std::memcmp(&a, &b, sizeof(Engine)) == 0; }

TEST(UndoHistory, KeepsTheNewestTwentyNewestFirst) {
    UndoHistory h;
    EXPECT_TRUE(h.empty());
    for (int i = 1; i <= kUndoMax + 5; ++i) {
        h.push(strokeChange(i));
        EXPECT_EQ(h.depth(), std::min(i, kUndoMax)) << i;
    }
    // Changes 6..25 are kept: record 1 is the 25th, record 20 the 6th.
    for (int n = 1; n <= kUndoMax; ++n) EXPECT_EQ(h.record(n), strokeChange(kUndoMax + 6 - n)) << n;
    EXPECT_EQ(h.newest(), strokeChange(25));
}

TEST(UndoHistory, PopTakesTheNewestAndAnEmptyHistoryGivesNoRecord) {
    UndoHistory h;
    h.push(strokeChange(1));
    h.push(UndoRecord{109, 2.062f, 3.0f, "Valve Stem to Cyl CL"});
    EXPECT_EQ(h.pop().id, 109);
    EXPECT_EQ(h.pop(), strokeChange(1));
    EXPECT_EQ(h.depth(), 0);
    EXPECT_EQ(h.pop(), UndoRecord{});
    EXPECT_EQ(h.depth(), 0);
    EXPECT_EQ(h.newest().id, 0);
    EXPECT_TRUE(h.newest().name.empty());
}

TEST(UndoHistory, RecordsOutsideTheDepthAreEmpty) {
    UndoHistory h;
    h.push(strokeChange(1));
    h.push(strokeChange(2));
    for (int n : {-1, 0, 3, kUndoMax + 1}) EXPECT_EQ(h.record(n), UndoRecord{}) << n;
    h.clear();
    EXPECT_TRUE(h.empty());
    EXPECT_EQ(h.record(1), UndoRecord{});
}

TEST(UndoHistory, CopiesAreIndependent) {
    Model m;
    initModel(m);
    m.undoHistory.push(strokeChange(1));
    Model copy = m;
    copy.undoHistory.pop();
    copy.undoHistory.push(strokeChange(7));
    EXPECT_EQ(m.undoHistory.depth(), 1);
    EXPECT_EQ(m.undoHistory.newest(), strokeChange(1));
    EXPECT_EQ(copy.undoHistory.newest(), strokeChange(7));
}

TEST(UndoRecordTest, ApplyAndRevertRoundTripTheDimensionAndItsDerivedPivot) {
    Model m;
    initModel(m);
    const Engine start = m;
    // The cylinder line height: the valve stem joint rides on it.
    const UndoRecord r{102, m.pivotY[kCrosshead], 0.5f, dimensionName(102)};
    r.apply(m);
    EXPECT_EQ(m.pivotY[kCrosshead], 0.5f);
    EXPECT_EQ(m.pivotY[kValveStemJoint], 0.5f + m.cyl.valveStemToCylCL);
    r.revert(m);
    EXPECT_TRUE(sameEngine(m, start));
}

TEST(UndoRecordTest, RecordsOfNoDynamicDimensionWriteNothing) {
    Model m;
    initModel(m);
    const Engine start = m;
    for (int id : {0, 20, 21, 100, 123, -5}) {
        const UndoRecord r{id, 1.0f, 2.0f, "x"};
        r.apply(m);
        r.revert(m);
    }
    EXPECT_TRUE(sameEngine(m, start));
}

}  // namespace
}  // namespace tevrane
