// The sensitivity table and the equaliser on the default engine: what a step
// must and must not move (by hand from the port geometry), tuning a design
// back towards balance within its bounds, infeasible designs, cancelling, and
// applying a result as undo records.
#include "model/Equaliser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "dialogs/core/EqualiseText.h"
#include "model/DynVars.h"
#include "model/Sensitivity.h"

namespace tevrane {
namespace {

struct EqualiserOfDefaultEngine : ::testing::Test {
    void SetUp() override {
        initModel(m);
        e = m;
        centre = m.revArmCentre();
    }
    Model m;
    Engine e;
    float centre = 0;
};

const double& at(const EventValues& v, bool front, EventKind k) {
    return *(front ? v.front : v.back)[static_cast<size_t>(k)];
}

TEST_F(EqualiserOfDefaultEngine, SensitivityFollowsThePortGeometryAndLeavesOutWhatMovesNothing) {
    const auto targets = defaultNotchTargets();
    const std::vector<NotchPoint> notches = notchPoints(e, centre, targets);
    ASSERT_EQ(notches.size(), 12u);  // six targets both ways
    // A front valve half 0.01 longer laps the front port 0.01 more at every
    // angle: the front lead drops by the step and so does the largest
    // opening, as far as it stays short of the port's width; the back end is
    // untouched.
    const int lapId[] = {119};
    const SensitivityTable lap = sensitivityTable(e, notches, 0.01, lapId);
    ASSERT_EQ(lap.rows.size(), 1u);
    const double step = static_cast<double>(lap.rows[0].grown) - lap.rows[0].value;
    const double port = e.cyl.steamPortFront;
    for (size_t n = 0; n < notches.size(); ++n) {
        const EventValues& d = lap.rows[0].change[n];
        const ValveEvents v = valveEvents(e, notches[n].revArm, notches[n].sense);
        const double edge = v.front.maxSteamOpening + v.front.overTravel;  // the valve edge's largest run
        EXPECT_NEAR(at(d, true, EventKind::Lead), -step, 2e-6);
        EXPECT_NEAR(at(d, true, EventKind::MaxOpening), std::min(edge - step, port) - std::min(edge, port), 2e-6);
        EXPECT_LT(at(d, true, EventKind::CutOff), 0.0);  // the port closes sooner
        for (int k = 0; k < kEventKinds; ++k) EXPECT_EQ(at(d, false, static_cast<EventKind>(k)), 0.0);
    }
    // The travel limits and the cylinder dimensions that only shape the
    // drawing move no event at all; they are rightly not in the table.
    const int idle[] = {20, 21, 103, 104, 105, 106, 107, 108, 115, 116, 117};
    const SensitivityTable none = sensitivityTable(e, notches, 0.01, idle);
    for (const SensitivityRow& r : none.rows) {
        EXPECT_EQ(r.percentScore, 0.0) << r.id;
        EXPECT_EQ(r.lengthScore, 0.0) << r.id;
    }
    // The whole table is sorted by what matters most.
    const SensitivityTable all = sensitivityTable(e, notches, 0.01);
    ASSERT_EQ(all.rows.size(), eventDimensions().size());
    for (size_t i = 1; i < all.rows.size(); ++i) EXPECT_GE(all.rows[i - 1].percentScore, all.rows[i].percentScore);
    EXPECT_GT(all.rows.front().percentScore, 0.1);
}

TEST_F(EqualiserOfDefaultEngine, TuningALengthedValveRodBalancesAtLeastAsWellAsTheDefaultWithinTheBounds) {
    Engine start = e;
    start.valveRodLength += 0.05f;
    const auto targets = defaultNotchTargets();
    const EqualisePlan plan = makePlan(start, centre, targets, EqualiseGoals{});
    const Balance defaultBalance = balance(e, plan);
    ASSERT_TRUE(defaultBalance.feasible);

    // Freeing the one length changed: the default value lies within the bounds.
    const FreeDimension rod = defaultBounds(start, 16);
    ASSERT_LT(rod.low, e.valveRodLength);
    const EqualiseResult one = equalise(start, plan, std::span(&rod, 1));
    ASSERT_TRUE(one.improved) << one.message;
    EXPECT_LE(one.after.weighted, defaultBalance.weighted + 1e-3);
    EXPECT_LT(one.after.weighted, one.before.weighted);

    // The three lengths of the valve gear proper do better than the default.
    const FreeDimension three[] = {defaultBounds(start, 16), defaultBounds(start, 19), defaultBounds(start, 13)};
    const EqualiseResult r = equalise(start, plan, three);
    ASSERT_TRUE(r.improved);
    EXPECT_LT(r.after.weighted, defaultBalance.weighted);
    EXPECT_EQ(r.after.weighted, balance(r.tuned, plan).weighted);
    for (size_t i = 0; i < r.changes.size(); ++i) {
        EXPECT_EQ(r.changes[i].after, dimensionValue(r.tuned, three[i].id));
        EXPECT_GE(r.changes[i].after, three[i].low);
        EXPECT_LE(r.changes[i].after, three[i].high);
    }

    // Bounds that keep the rod too long: the best lies on the bound, not past it.
    const FreeDimension tight{16, start.valveRodLength - 0.01f, start.valveRodLength + 0.2f};
    const EqualiseResult bounded = equalise(start, plan, std::span(&tight, 1));
    ASSERT_TRUE(bounded.improved);
    EXPECT_GE(bounded.changes[0].after, tight.low);
    EXPECT_LT(bounded.changes[0].after, tight.low + 1e-4);
}

TEST_F(EqualiserOfDefaultEngine, AGeometryThatCannotCloseIsNeverAResultAndCancelStopsAtOnce) {
    const auto targets = defaultNotchTargets();
    const EqualisePlan plan = makePlan(e, centre, targets, EqualiseGoals{});
    // A valve rod far shorter than the height it spans cannot reach the
    // valve stem: every solve clamps.
    Engine shortRod = e;
    shortRod.valveRodLength = 0.1f;
    EXPECT_FALSE(balance(shortRod, plan).feasible);
    Engine start = e;
    start.valveRodLength += 0.05f;
    const FreeDimension tooShort{16, 0.05f, 0.15f};
    const EqualiseResult r = equalise(start, plan, std::span(&tooShort, 1));
    EXPECT_FALSE(r.improved);
    EXPECT_FALSE(r.message.empty());
    EXPECT_EQ(r.tuned.valveRodLength, start.valveRodLength);

    std::atomic<bool> cancel{true};
    const FreeDimension rod = defaultBounds(start, 16);
    const EqualiseResult c = equalise(start, plan, std::span(&rod, 1), {}, &cancel);
    EXPECT_TRUE(c.cancelled);
    EXPECT_EQ(c.evaluations, 0);
    EXPECT_EQ(std::memcmp(&c.tuned, &start, sizeof(Engine)), 0);
}

TEST_F(EqualiserOfDefaultEngine, ApplyRecordsOneUndoPerChangedDimensionAndUndoesRecordByRecord) {
    m.dynVarId[1] = 16;  // the valve rod is on bar 1
    m.dynVarName[1] = dimensionName(16);
    m.dynVarValue[1] = m.valveRodLength;
    const Engine before = m;
    const DimensionChange changes[] = {{16, 5.95f, 5.93f}, {19, 3.45f, 3.45f}, {109, 2.062f, 2.1f}};
    applyChanges(m, changes);
    EXPECT_EQ(m.undoDepth, 2);  // the unchanged lower arm records nothing
    EXPECT_EQ(m.valveRodLength, 5.93f);
    EXPECT_EQ(m.dynVarValue[1], 5.93f);
    EXPECT_EQ(m.pivotY[kValveStemJoint], m.pivotY[kCrosshead] + 2.1f);
    EXPECT_EQ(m.undoId[1], 109);
    EXPECT_EQ(m.undoName[2], "Valve Rod");
    popUndo(m);
    EXPECT_EQ(m.cyl.valveStemToCylCL, before.cyl.valveStemToCylCL);
    EXPECT_EQ(m.valveRodLength, 5.93f);
    popUndo(m);
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&m), &before, sizeof(Engine)), 0);
    EXPECT_EQ(m.undoDepth, 0);
    EXPECT_EQ(m.dynVarValue[1], 5.95f);
}

TEST_F(EqualiserOfDefaultEngine, TheCsvHasOneLinePerDimensionAndNotch) {
    const std::vector<NotchTarget> two = {{50, false}, {0, true}};
    const SensitivityTable table = sensitivityTable(e, notchPoints(e, centre, two), 0.01);
    const std::string csv = sensitivityCsv(table);
    const size_t lines = static_cast<size_t>(std::count(csv.begin(), csv.end(), '\n'));
    EXPECT_EQ(lines, 1 + eventDimensions().size() * 4);  // two notches both ways
    const size_t header = csv.find('\n');
    const auto commas = [](std::string_view l) { return std::count(l.begin(), l.end(), ','); };
    const std::string_view first(csv.data(), header);
    const std::string_view second(csv.data() + header + 1, csv.find('\n', header + 1) - header - 1);
    EXPECT_EQ(commas(first), commas(second));
    EXPECT_EQ(first.substr(0, 7), "id,dime");
}

}  // namespace
}  // namespace tevrane
