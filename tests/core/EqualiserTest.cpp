// The sensitivity table and the equaliser on the default engine: what a step
// must and must not move (by hand from the port geometry), tuning a design
// back towards balance within its bounds, infeasible designs, cancelling, and
// applying a result as undo records.
#include "model/Equaliser.h"
#include "model/Performance.h"

#include <gtest/gtest.h>

#include "ExampleDesigns.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>
#include <vector>

#include "dialogs/core/EqualiseText.h"
#include "files/DimensionFile.h"
#include "model/DynVars.h"
#include "model/Format.h"
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
    // The default design judged, as every result is, at its own notches.
    EqualisePlan defaultPlan;
    ASSERT_TRUE(planAtOwnNotches(e, plan, defaultPlan));
    const Balance defaultBalance = balance(e, defaultPlan);
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
    EqualisePlan tunedPlan;
    ASSERT_TRUE(planAtOwnNotches(r.tuned, plan, tunedPlan));
    EXPECT_EQ(r.after.weighted, balance(r.tuned, tunedPlan).weighted);
    EXPECT_EQ(tunedPlan.notches.size(), r.notchesAfter.size());
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

    // Bounds that leave the start outside, a box of two neighbouring
    // single-precision values: the start brought into the bounds is a
    // result like any other.
    const FreeDimension outside{16, 5.97f, std::nextafter(5.97f, 6.0f)};
    const EqualiseResult moved = equalise(start, plan, std::span(&outside, 1));
    ASSERT_TRUE(moved.improved) << moved.message;
    EXPECT_GE(moved.changes[0].after, outside.low);
    EXPECT_LE(moved.changes[0].after, outside.high);
    EXPECT_LT(moved.after.weighted, moved.before.weighted);
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

// As the equaliser window runs it: the tuning on a thread of its own with a
// copy of the engine, stopped from the caller's thread part way through. The
// run stops at its next evaluation and still reports the best it had.
TEST_F(EqualiserOfDefaultEngine, ARunOnItsOwnThreadStopsWhenTheCallerCancels) {
    Engine start = e;
    start.valveRodLength += 0.05f;
    const EqualisePlan plan = makePlan(start, centre, defaultNotchTargets(), EqualiseGoals{});
    const FreeDimension rod = defaultBounds(start, 16);
    constexpr int kStopAfter = 5;

    std::atomic<bool> cancel{false};
    std::promise<void> reached, cancelled;
    std::shared_future<void> goOn = cancelled.get_future().share();
    std::vector<int> seen;  // written by the run's thread only, read after the join
    EqualiseResult r;
    std::thread run([&] {
        r = equalise(start, plan, std::span(&rod, 1), {}, &cancel, [&](const EqualiseProgress& p) {
            seen.push_back(p.evaluations);
            if (p.evaluations == kStopAfter) {
                reached.set_value();
                goOn.wait();  // the caller has asked to stop by now
            }
        });
    });
    reached.get_future().wait();
    cancel = true;
    cancelled.set_value();
    run.join();

    EXPECT_TRUE(r.cancelled);
    EXPECT_EQ(r.evaluations, kStopAfter);
    ASSERT_EQ(seen.size(), static_cast<size_t>(kStopAfter));
    for (int k = 0; k < kStopAfter; ++k) EXPECT_EQ(seen[k], k + 1);
    // Whatever it kept is no worse than the start: a better design, or the
    // start itself.
    EXPECT_LE(r.after.weighted, r.before.weighted);
    if (r.improved)
        EXPECT_LT(r.after.weighted, r.before.weighted);
    else
        EXPECT_EQ(std::memcmp(&r.tuned, &start, sizeof(Engine)), 0);
}

TEST_F(EqualiserOfDefaultEngine, ApplyRecordsOneUndoPerChangedDimensionAndUndoesRecordByRecord) {
    m.dynVarId[1] = 16;  // the valve rod is on bar 1
    m.dynVarName[1] = dimensionName(16);
    m.dynVarValue[1] = m.valveRodLength;
    const Engine before = m;
    const DimensionChange changes[] = {{16, 5.95f, 5.93f}, {19, 3.45f, 3.45f}, {109, 2.062f, 2.1f}};
    applyChanges(m, changes);
    EXPECT_EQ(m.undoHistory.depth(), 2);  // the unchanged lower arm records nothing
    EXPECT_EQ(m.valveRodLength, 5.93f);
    EXPECT_EQ(m.dynVarValue[1], 5.93f);
    EXPECT_EQ(m.pivotY[kValveStemJoint], m.pivotY[kCrosshead] + 2.1f);
    EXPECT_EQ(m.undoHistory.record(1).id, 109);
    EXPECT_EQ(m.undoHistory.record(2).name, "Valve Rod");
    popUndo(m);
    EXPECT_EQ(m.cyl.valveStemToCylCL, before.cyl.valveStemToCylCL);
    EXPECT_EQ(m.valveRodLength, 5.93f);
    popUndo(m);
    EXPECT_EQ(std::memcmp(static_cast<const Engine*>(&m), &before, sizeof(Engine)), 0);
    EXPECT_EQ(m.undoHistory.depth(), 0);
    EXPECT_EQ(m.dynVarValue[1], 5.95f);
}

// Every lead a designer can set the reverser to, read from the events
// themselves (not from the equaliser's own guard): both ends at the port
// diagram's 19 settings in both senses and at the given notches.
double smallestEventLead(const Engine& e, float centre, const std::vector<NotchPoint>& notches) {
    double least = 1e9;
    for (const Sense sense : {Sense::Forward, Sense::Reverse})
        for (const float arm : portDiagramSettings(e, centre, sense)) {
            const ValveEvents v = valveEvents(e, arm, sense);
            least = std::min({least, v.front.lead, v.back.lead});
        }
    for (const NotchPoint& n : notches) {
        const ValveEvents v = valveEvents(e, n.revArm, n.sense);
        least = std::min({least, v.front.lead, v.back.lead});
    }
    return least;
}

// The README's example: the valve rod, the valve lever's lower arm and the
// link's lower arm of the default design, +-5 %, for equal front and back
// cut-off. Equal cut-off is easily bought by spoiling the lead; the result
// must keep every lead at or above 0, at its own notches, whose cut-offs are
// the targets again, or say that no better design does.
TEST(EqualiserGuard, TheReadmeExampleKeepsEveryLeadAndItsNotchesGiveTheirCutOffs) {
    const Model m = exampleDesign("default");
    const Engine& start = m;
    const float centre = m.revArmCentre();
    const auto targets = defaultNotchTargets();
    const EqualisePlan plan = makePlan(start, centre, targets, EqualiseGoals{});
    EXPECT_EQ(plan.leadFloor, std::min(0.0, smallestEventLead(start, centre, plan.notches)));
    const FreeDimension free[] = {defaultBounds(start, 16), defaultBounds(start, 19), defaultBounds(start, 13)};
    const EqualiseResult r = equalise(start, plan, free);
    const std::string text = equaliseResultText(start, plan, r);
    if (!r.improved) {
        EXPECT_NE(text.find("No better design within the bounds keeps every lead"), std::string::npos) << text;
        EXPECT_EQ(std::memcmp(&r.tuned, &start, sizeof(Engine)), 0);
        return;
    }
    EXPECT_LT(r.after.weighted, r.before.weighted);
    // The tuned design's notches are its own, and each gives its target.
    const std::vector<NotchPoint> own = notchPoints(r.tuned, centre, targets);
    ASSERT_EQ(r.notchesAfter.size(), plan.notches.size());
    for (size_t i = 0; i < plan.notches.size(); ++i) {
        const NotchPoint& n = r.notchesAfter[i];
        EXPECT_EQ(n.sense, plan.notches[i].sense);
        EXPECT_EQ(n.target.cutOff, plan.notches[i].target.cutOff);
        EXPECT_TRUE(std::any_of(own.begin(), own.end(), [&](const NotchPoint& o) {
            return o.revArm == n.revArm && o.sense == n.sense && o.target.cutOff == n.target.cutOff;
        })) << notchLabel(n);
        if (n.target.fullGear) continue;
        const ValveEvents v = valveEvents(r.tuned, n.revArm, n.sense);
        ASSERT_TRUE(v.front.cutOff && v.back.cutOff);
        const double mean = 0.5 * (v.front.cutOff->strokePercent + v.back.cutOff->strokePercent);
        EXPECT_NEAR(mean, n.target.cutOff, 2 * kNotchTolerance) << notchLabel(n);
    }
    // Every lead at or above the guard, read from the events.
    EXPECT_GE(smallestEventLead(r.tuned, centre, r.notchesAfter), plan.leadFloor);
    EXPECT_GE(r.after.smallestLead, plan.leadFloor);
    EXPECT_TRUE(r.after.keepsLead);
    // The balance reported is the one at the tuned design's own notches.
    EqualisePlan ownPlan;
    ASSERT_TRUE(planAtOwnNotches(r.tuned, plan, ownPlan));
    EXPECT_EQ(balance(r.tuned, ownPlan).weighted, r.after.weighted);
    EXPECT_NE(text.find("After:"), std::string::npos);
    EXPECT_NE(text.find(" after"), std::string::npos);
}

TEST_F(EqualiserOfDefaultEngine, ALeadGuardNoDesignCanKeepGivesNoResultAndSaysWhy) {
    Engine start = e;
    start.valveRodLength += 0.05f;
    const auto targets = defaultNotchTargets();
    EqualiseGoals goals;
    goals.minLead = 0.5;  // far more than the port is wide: no design has it
    const EqualisePlan plan = makePlan(start, centre, targets, goals);
    EXPECT_EQ(plan.leadFloor, 0.5);
    EXPECT_FALSE(balance(start, plan).feasible);
    EXPECT_TRUE(balance(start, plan).closes);
    const FreeDimension rod = defaultBounds(start, 16);
    EqualiseOptions quick;
    quick.maxEvaluations = 60;
    const EqualiseResult r = equalise(start, plan, std::span(&rod, 1), quick);
    EXPECT_FALSE(r.improved);
    EXPECT_TRUE(r.guardRefused);
    EXPECT_EQ(r.tuned.valveRodLength, start.valveRodLength);
    EXPECT_NE(r.message.find("keeps every lead"), std::string::npos) << r.message;
    const std::string text = equaliseResultText(start, plan, r);
    EXPECT_NE(text.find("at least 0.50000"), std::string::npos) << text;
    EXPECT_NE(text.find("as asked"), std::string::npos);
    EXPECT_NE(text.find("below the least allowed"), std::string::npos);
    EXPECT_EQ(text.find("After:"), std::string::npos);  // no after without a result
    EXPECT_NE(text.find("\nFindings:\n"), std::string::npos);  // the one design's own
    EXPECT_EQ(text.find("Findings after:"), std::string::npos);
}

TEST_F(EqualiserOfDefaultEngine, AStartAlreadyLappedAtDeadCentreMayNotGetWorse) {
    // The front valve half 0.05 longer laps the front port 0.05 more: the
    // front lead falls by that much everywhere, below 0.
    Engine start = e;
    start.cyl.valveLenFront += 0.05f;
    const auto targets = defaultNotchTargets();
    const EqualisePlan plan = makePlan(start, centre, targets, EqualiseGoals{});
    const double least = smallestEventLead(start, centre, plan.notches);
    ASSERT_LT(least, 0.0);
    EXPECT_NEAR(plan.leadFloor, least, 1e-12);
    EXPECT_NEAR(plan.startSmallestLead, least, 1e-12);
    EXPECT_TRUE(balance(start, plan).feasible);  // the start keeps its own guard
    const FreeDimension free[] = {defaultBounds(start, 16), defaultBounds(start, 19)};
    EqualiseOptions quick;
    quick.maxEvaluations = 200;
    const EqualiseResult r = equalise(start, plan, free, quick);
    // A shorter valve rod raises the front lead: a better design that
    // keeps the guard exists within these bounds.
    ASSERT_TRUE(r.improved) << r.message;
    EXPECT_GE(smallestEventLead(r.tuned, centre, r.notchesAfter), plan.leadFloor);
    EXPECT_GE(r.after.smallestLead, r.before.smallestLead);
    const std::string text = equaliseResultText(start, plan, r);
    EXPECT_NE(text.find("already below 0"), std::string::npos) << text;
    // The findings of both designs: the start's lapped front port is named
    // before the tuned design's.
    const size_t before = text.find("Findings before:"), after = text.find("Findings after:");
    ASSERT_NE(before, std::string::npos);
    ASSERT_NE(after, std::string::npos);
    const size_t lapped = text.find("warning negative-lead", before);
    ASSERT_NE(lapped, std::string::npos);
    EXPECT_LT(lapped, after);
}

TEST_F(EqualiserOfDefaultEngine, TheWorkGoalWeighsFrontAgainstBackWorkOnTheCardsAtEachNotch) {
    const std::vector<NotchTarget> targets = defaultNotchTargets();
    EqualiseGoals goals;
    goals.frontBack = 0;
    goals.work = 1;
    const EqualisePlan plan = makePlan(e, centre, targets, goals);
    ASSERT_FALSE(plan.notches.empty());
    const Balance b = balance(e, plan);
    ASSERT_TRUE(b.closes);
    // The same notches' cards, measured here from the full valve events: the
    // difference front minus back over their mean, in percent, as an rms.
    double sum = 0;
    for (const NotchPoint& n : plan.notches) {
        const SettingPerformance p = settingPerformance(e, valveEvents(e, n.revArm, n.sense), PerformanceInputs{});
        ASSERT_TRUE(p.front.usable() && p.back.usable());
        const double f = p.front.work, k = p.back.work;
        const double d = 100 * (f - k) / ((f + k) / 2);
        sum += d * d;
    }
    const double rms = std::sqrt(sum / double(plan.notches.size()));
    EXPECT_NEAR(b.work, rms, 1e-6 * rms + 1e-9);
    // The default gear's ends do not do the same work, and nothing else is asked.
    EXPECT_GT(b.work, 0.1);
    EXPECT_EQ(b.frontBack, 0.0);
    EXPECT_NEAR(b.weighted, b.work, 1e-12);

    std::string why;
    ASSERT_TRUE(parseGoals("work,front-back", "2,1", goals, why)) << why;
    EXPECT_EQ(goals.work, 2.0);
    EXPECT_EQ(goals.frontBack, 1.0);
    EqualiseResult r;
    r.before = r.after = b;
    r.tuned = e;
    const std::string text = equaliseResultText(e, plan, r);
    EXPECT_NE(text.find("equal work front and back (weight 1.00)"), std::string::npos) << text;
    EXPECT_NE(text.find("front/back work " + fixed(b.work, 0, 4) + " % of the mean"), std::string::npos) << text;
}

TEST(EqualiseWords, GoalsWeightsAndBoundsReadAsTheWindowOffersThem) {
    Model m;
    initModel(m);
    const Engine& e = m;
    EqualiseGoals g;
    g.minLead = 0.002;
    g.fullGearTarget = 70;
    std::string why;
    ASSERT_TRUE(parseGoals("leads,front-back,full-gear", "2,0.5,1", g, why)) << why;
    EXPECT_EQ(g.leads, 2.0);
    EXPECT_EQ(g.frontBack, 0.5);
    EXPECT_EQ(g.fullGear, 1.0);
    EXPECT_EQ(g.forwardReverse, 0.0);
    EXPECT_EQ(g.fullGearTarget, 70.0);  // what the other options set stays
    EXPECT_EQ(g.minLead, 0.002);
    ASSERT_TRUE(parseGoals("forward-reverse", "", g, why));
    EXPECT_EQ(g.forwardReverse, 1.0);
    EXPECT_EQ(g.frontBack, 0.0);
    for (const auto& [goals, weights] : std::vector<std::pair<std::string, std::string>>{
             {"front-back,cutoff", ""}, {"leads,leads", ""}, {"leads", "0"}, {"leads", "-1"}, {"leads", "x"},
             {"leads,front-back", "1"}, {"", ""}}) {
        const EqualiseGoals kept = g;
        EXPECT_FALSE(parseGoals(goals, weights, g, why)) << goals << " / " << weights;
        EXPECT_FALSE(why.empty());
        EXPECT_EQ(g.forwardReverse, kept.forwardReverse);  // a refused text changes nothing
    }

    std::vector<FreeDimension> free;
    ASSERT_TRUE(parseFreeDimensions("16,19=3.3:3.6,13", e, 10, free, why)) << why;
    ASSERT_EQ(free.size(), 3u);
    EXPECT_EQ(free[0].id, 16);
    EXPECT_FLOAT_EQ(free[0].low, e.valveRodLength * 0.9f);
    EXPECT_FLOAT_EQ(free[0].high, e.valveRodLength * 1.1f);
    EXPECT_EQ(free[1].low, 3.3f);
    EXPECT_EQ(free[1].high, 3.6f);
    EXPECT_FLOAT_EQ(free[2].high - free[2].low, 0.2f * dimensionValue(e, 13));
    ASSERT_TRUE(parseFreeDimensions("101=-0.5:0.25", e, 5, free, why));  // negative bounds read too
    EXPECT_EQ(free[0].low, -0.5f);
    for (const char* bad : {"16,abc", "16,107", "16,16", "1,2,3,4,5,6,7", "16=3", "16=3.1:2.9", "16=a:b", "", "16="}) {
        EXPECT_FALSE(parseFreeDimensions(bad, e, 5, free, why)) << bad;
        EXPECT_FALSE(why.empty());
    }
    EXPECT_EQ(free.size(), 1u);  // a refused text leaves what was read before
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
