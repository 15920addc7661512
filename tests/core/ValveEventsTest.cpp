// The valve events and the notch finder on the default engine: against the
// solver itself, against the port events diagram's 4-degree samples, and
// against geometry (laps by hand, a lapped port, the same setting turned both
// ways).
#include "model/ValveEvents.h"

#include <gtest/gtest.h>

#include <cmath>

#include "diagrams/core/PortsPlot.h"
#include "model/NotchFinder.h"
#include "model/Solver.h"

namespace tevrane {
namespace {

struct ValveEventsOfDefaultEngine : ::testing::Test {
    void SetUp() override {
        Model m;
        initModel(m);
        e = m;
        centre = m.revArmCentre();
        normal = m.revArmNormal;
    }
    Engine e;
    float centre = 0, normal = 0;
};

double phaseOf(double angle, Sense s) { return s == Sense::Forward ? angle : std::fmod(360.0 - angle, 360.0); }

TEST_F(ValveEventsOfDefaultEngine, LeadIsTheSteamOpeningAtDeadCentreAndALappedPortNeverOpens) {
    for (float r : {centre, centre + normal, centre - e.revArmMax}) {
        // On the solver's own path the lead is its opening, bit for bit; the
        // tools' double-precision path is within its rounding.
        const ValveEvents exact = valveEvents(e, r, Sense::Forward, EventPath::Exact);
        EXPECT_EQ(exact.front.lead, solveGear(e, 0.0f, r).ports.frontSteamOpening);
        EXPECT_EQ(exact.back.lead, solveGear(e, 180.0f, r).ports.rearSteamOpening);
        const ValveEvents v = valveEvents(e, r, Sense::Forward);
        EXPECT_NEAR(v.front.lead, exact.front.lead, 2e-6);
        EXPECT_NEAR(v.back.lead, exact.back.lead, 2e-6);
        EXPECT_FALSE(v.clamped);
    }
    // A front valve half 0.3 longer laps the front port by 0.3 more at every
    // angle: at mid gear (largest opening 0.028) it never opens at all.
    Engine lapped = e;
    lapped.cyl.valveLenFront += 0.3f;
    const ValveEvents before = valveEvents(e, centre, Sense::Forward);
    const ValveEvents after = valveEvents(lapped, centre, Sense::Forward);
    EXPECT_NEAR(after.front.lead, before.front.lead - 0.3, 1e-6);
    EXPECT_LT(after.front.lead, 0.0);
    EXPECT_NEAR(after.front.maxSteamOpening, before.front.maxSteamOpening - 0.3, 1e-6);
    EXPECT_FALSE(after.front.admission);
    EXPECT_FALSE(after.front.cutOff);
    EXPECT_FALSE(after.difference.cutOff);
    ASSERT_TRUE(after.back.cutOff);  // the back end is untouched
    EXPECT_EQ(after.back.cutOff->driverAngle, before.back.cutOff->driverAngle);
}

TEST_F(ValveEventsOfDefaultEngine, EventsLieInsideThePortDiagramsSamplesAndOnTheSolversZero) {
    for (Sense sense : {Sense::Forward, Sense::Reverse}) {
        const bool reverse = sense == Sense::Reverse;
        const PortSweep sweep = sweepPorts(e, centre, reverse);
        const auto settings = portDiagramSettings(e, centre, sense);
        for (int i = 0; i < kPortRows; ++i) {
            ASSERT_EQ(settings[i], sweep.revArm[i]);
            const ValveEvents v = valveEvents(e, settings[i], sense);
            const std::optional<EventPoint> precise[kPortEventCount] = {
                v.front.admission, v.front.release, v.back.admission, v.back.release,
                v.front.cutOff, v.front.compression, v.back.cutOff, v.back.compression};
            int seen = 0;
            for (int j = 1; j < kPortSamples; ++j) {
                const PortSample& a = sweep.samples[i][j - 1];
                const PortSample& b = sweep.samples[i][j];
                const PortEvents found = detectPortEvents(a, b);
                for (int k = 0; k < kPortEventCount; ++k) {
                    if (!found[k]) continue;
                    ++seen;
                    const auto kind = static_cast<PortEvent>(k);
                    ASSERT_TRUE(precise[k]) << "row " << i << " event " << k;
                    // Sample j is 4 (j + 1) degrees round: the event is in between.
                    const double phase = phaseOf(precise[k]->driverAngle, sense);
                    const double lo = 4.0 * j, hi = 4.0 * j + 4.0;
                    const double p = phase < lo - 180.0 ? phase + 360.0 : phase;
                    EXPECT_GE(p, lo);
                    EXPECT_LE(p, hi);
                    // Linear interpolation errs by less than the piston moves
                    // in the interval (plus its turn-back at a dead centre).
                    // The diagram's scale is unsigned; admission and
                    // compression carry the side of the dead centre.
                    const double diagram = isFrontEvent(kind) ? *found[k] / 6.4 : (640.0 - *found[k]) / 6.4;
                    EXPECT_NEAR(std::fabs(precise[k]->strokePercent), diagram, std::fabs(b.piston - a.piston) / 6.4 + 0.1);
                    // The solver's opening is on either side 0.002 degrees away.
                    const float before = static_cast<float>(reverse ? precise[k]->driverAngle + 0.002
                                                                    : precise[k]->driverAngle - 0.002);
                    const float after = static_cast<float>(reverse ? precise[k]->driverAngle - 0.002
                                                                   : precise[k]->driverAngle + 0.002);
                    const auto opening = [&](float angle) {
                        const PortSample s = samplePorts(solveGear(e, angle, settings[i]));
                        const double o[] = {s.frontSteam, s.frontExhaust, s.rearSteam, s.rearExhaust};
                        return o[k % 4];
                    };
                    const double sign = k < 4 ? 1.0 : -1.0;  // rising or falling
                    EXPECT_LT(sign * opening(before), 0.0);
                    EXPECT_GT(sign * opening(after), 0.0);
                }
            }
            EXPECT_EQ(seen, kPortEventCount);  // one of each on every row
        }
    }
}

TEST_F(ValveEventsOfDefaultEngine, MidGearLapsAndTheSameSettingTurnedBothWays) {
    const MidGear mid = midGear(e, centre);
    const LinkageSolution l = solveGear(e, 0.0f, centre).linkage;
    // Valve halves 0.687, exhaust port 0.375, bridges 0.187, steam ports 0.156.
    EXPECT_NEAR(mid.front.steamLap, 0.687 - 0.1875 - 0.187 - 0.156, 1e-6);
    EXPECT_NEAR(mid.front.exhaustClearance, 0.375 - 0.1875 - 0.187, 1e-6);
    EXPECT_EQ(mid.front.steamLap, l.frontSteamLap);
    EXPECT_EQ(mid.back.steamLap, l.rearSteamLap);
    EXPECT_EQ(mid.front.exhaustClearance, l.frontExhaustLap);
    EXPECT_EQ(mid.back.exhaustClearance, l.rearExhaustLap);

    // One setting is one valve motion: turned backwards, every opening edge
    // becomes a closing one at the same angle. (The default gear is not
    // symmetric front to back, nor between its forward and reverse gears.)
    const ValveEvents f = valveEvents(e, centre, Sense::Forward);
    const ValveEvents r = valveEvents(e, centre, Sense::Reverse);
    EXPECT_NEAR(mid.front.lead, f.front.lead, 2e-6);  // the solver's rounding
    EXPECT_NEAR(mid.back.lead, f.back.lead, 2e-6);
    EXPECT_EQ(r.front.lead, f.front.lead);
    EXPECT_NEAR(r.valveTravel, f.valveTravel, 1e-6);
    EXPECT_NEAR(r.back.maxSteamOpening, f.back.maxSteamOpening, 1e-6);
    for (const auto& [fe, re] : {std::pair{&f.front, &r.front}, std::pair{&f.back, &r.back}}) {
        ASSERT_TRUE(fe->admission && fe->cutOff && fe->release && fe->compression);
        ASSERT_TRUE(re->admission && re->cutOff && re->release && re->compression);
        EXPECT_NEAR(re->admission->driverAngle, fe->cutOff->driverAngle, 1e-3);
        EXPECT_NEAR(re->cutOff->driverAngle, fe->admission->driverAngle, 1e-3);
        EXPECT_NEAR(re->release->driverAngle, fe->compression->driverAngle, 1e-3);
        // Compression comes before the dead centre: signed negative.
        EXPECT_NEAR(-re->compression->strokePercent, fe->release->strokePercent, 1e-3);
    }
}

TEST_F(ValveEventsOfDefaultEngine, SolverMendingIsReported) {
    Engine broken = e;
    broken.reverseArmLength = 0.5f;  // cannot reach a setting 1 off the link pivot
    EXPECT_TRUE(valveEvents(broken, e.pivotX[kLinkPivot] + 1.0f, Sense::Forward).clamped);
    EXPECT_TRUE(eventsTable(broken, e.pivotX[kLinkPivot] + 1.0f).clamped);
    EXPECT_FALSE(eventsTable(e, centre).clamped);
}

// Driver angle in the first half-turn where the piston is p percent along the
// front end's stroke, by plain halving on the solver's piston position.
double frontStrokeAngle(const Engine& e, float revArm, double percent) {
    double lo = 0, hi = 180;
    for (int n = 0; n < 60; ++n) {
        const double mid = 0.5 * (lo + hi);
        const double at = solveGear(e, static_cast<float>(mid), revArm).ports.pistonTrace / 6.4;
        (at < percent ? lo : hi) = mid;
    }
    return lo;
}

TEST_F(ValveEventsOfDefaultEngine, NotchGivesItsCutOffBackAndTargetsOutOfReachSayNothing) {
    const std::vector<NotchTarget> targets = defaultNotchTargets();
    const NotchTable t = findNotches(e, centre, targets);
    EXPECT_FALSE(t.clamped);
    ASSERT_EQ(t.forward.rows.size(), 6u);
    float last = centre;
    for (const NotchRow& row : t.forward.rows) {
        const auto& n = row.at(NotchEnd::Front);
        if (row.target.cutOff == 75.0) {
            // The front cut-off reaches only 70.7 % in full forward gear.
            EXPECT_FALSE(n);
            EXPECT_LT(*t.forward.reach[0].high, 75.0);
            continue;
        }
        ASSERT_TRUE(n) << row.target.cutOff;
        if (row.target.fullGear) {
            EXPECT_EQ(n->revArm, portDiagramSettings(e, centre, Sense::Forward).back());
            continue;
        }
        // Checked without the events code: at the notch the front steam edge
        // is closing just where the piston is at the target.
        const double angle = frontStrokeAngle(e, n->revArm, row.target.cutOff);
        EXPECT_GT(solveGear(e, static_cast<float>(angle - 0.01), n->revArm).ports.frontSteamOpening, 0.0f);
        EXPECT_LT(solveGear(e, static_cast<float>(angle + 0.01), n->revArm).ports.frontSteamOpening, 0.0f);
        EXPECT_NEAR(valveEvents(e, n->revArm, Sense::Forward).front.cutOff->strokePercent,
                    row.target.cutOff, kNotchTolerance);
        // Listed from long to short cut-off: ever nearer the centre.
        if (last != centre) {
            EXPECT_LT(n->revArm, last);
        }
        EXPECT_GT(n->revArm, centre);
        last = n->revArm;
    }
    // Reverse: the back end's 75 % is out of reach; the mean's 50 % lies
    // between the front's and the back's, on the reverse side of the centre.
    const NotchRow& fifty = t.reverse.rows[2];
    EXPECT_FALSE(t.reverse.rows[0].at(NotchEnd::Back));
    ASSERT_TRUE(fifty.at(NotchEnd::Front) && fifty.at(NotchEnd::Back) && fifty.at(NotchEnd::Mean));
    EXPECT_LT(fifty.at(NotchEnd::Back)->revArm, fifty.at(NotchEnd::Mean)->revArm);
    EXPECT_LT(fifty.at(NotchEnd::Mean)->revArm, fifty.at(NotchEnd::Front)->revArm);
    EXPECT_LT(fifty.at(NotchEnd::Front)->revArm, centre);
    const ValveEvents atMean = valveEvents(e, fifty.at(NotchEnd::Mean)->revArm, Sense::Reverse);
    EXPECT_NEAR(atMean.front.cutOff->strokePercent + atMean.back.cutOff->strokePercent, 100.0,
                2 * kNotchTolerance);
    // Below the shortest cut-off of the whole travel (4.4 % at mid gear).
    const NotchTarget tooShort[] = {{2.0, false}};
    EXPECT_FALSE(findNotches(e, centre, tooShort).forward.rows[0].at(NotchEnd::Front));
}

}  // namespace
}  // namespace tevrane
