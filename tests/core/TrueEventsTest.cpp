// What the events table measures against the geometry itself: the dead
// centres where crank and main rod lie in line, the piston between them,
// signed admissions, port openings capped at the port's width with the
// valve's over-travel, and the die's run along the link.
#include <gtest/gtest.h>

#include "ExampleDesigns.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "files/DimensionFile.h"
#include "model/Solver.h"
#include "model/ValveEvents.h"

namespace tevrane {
namespace {

Engine defaultEngine() {
    Model m;
    initModel(m);
    return m;
}

// The cross product of the crank (driver centre to crank pin) and the line
// from the driver centre to the crosshead, from the solver's own pivots: it
// is zero exactly where the two are in line, and changes sign there.
double crankAcrossRod(const Engine& e, double angle) {
    const LinkageSolution l = solveGear(e, static_cast<float>(angle), e.pivotX[kLinkPivot]).linkage;
    const double cx = static_cast<double>(l.pivotX[2]) - l.pivotX[kDriverCentre];
    const double cy = static_cast<double>(l.pivotY[2]) - l.pivotY[kDriverCentre];
    const double hx = static_cast<double>(l.pivotX[kCrosshead]) - l.pivotX[kDriverCentre];
    const double hy = static_cast<double>(l.pivotY[kCrosshead]) - l.pivotY[kDriverCentre];
    return cx * hy - cy * hx;
}

// Halving on the sign of crankAcrossRod within [lo, hi].
double inLine(const Engine& e, double lo, double hi) {
    const double flo = crankAcrossRod(e, lo);
    for (int n = 0; n < 50; ++n) {
        const double mid = 0.5 * (lo + hi);
        ((crankAcrossRod(e, mid) > 0.0) == (flo > 0.0) ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

// Driver angle (forward) minus dead centre, the short way round.
double pastDeadCentre(double angle, double deadCentre) {
    double d = std::fmod(angle - deadCentre, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

TEST(TrueDeadCentres, TheOffsetCylinderLineMovesThemWhereCrankAndRodLieInLine) {
    Engine e = defaultEngine();
    const DeadCentres onAxle = deadCentres(e);
    EXPECT_EQ(onAxle.front, 0.0);
    EXPECT_EQ(onAxle.back, 180.0);

    e.pivotY[kCrosshead] = 0.5f;  // "Cylinder CL above Driver"
    e.pivotY[4] = e.pivotY[kCrosshead] + e.cyl.valveStemToCylCL;
    const DeadCentres dc = deadCentres(e);
    // Stroke 3, main rod 9: asin(0.5 / 10.5) and asin(0.5 / 7.5).
    EXPECT_NEAR(dc.front, 360.0 - std::asin(0.5 / 10.5) * 180.0 / M_PI, 1e-9);
    EXPECT_NEAR(dc.front, 357.27, 0.005);
    EXPECT_NEAR(dc.back, 176.18, 0.005);
    // The solver's pivots agree: crank and rod in line at both.
    EXPECT_NEAR(inLine(e, 350.0, 359.9), dc.front, 2e-3);
    EXPECT_NEAR(inLine(e, 170.0, 179.9), dc.back, 2e-3);

    // The piston's place: 0 and 100 % at the dead centres, the two ends'
    // percentages add to 100, and it follows the solver's crosshead.
    const CrankGeometry crank(e);
    ASSERT_TRUE(crank.closes());
    EXPECT_NEAR(crank.strokePercent(dc.front, true), 0.0, 1e-9);
    EXPECT_NEAR(crank.strokePercent(dc.back, true), 100.0, 1e-9);
    EXPECT_GT(crank.strokeLength(), 3.0);  // a little more than the throw doubled
    for (double a = 0.0; a < 360.0; a += 7.5) {
        EXPECT_NEAR(crank.strokePercent(a, true) + crank.strokePercent(a, false), 100.0, 1e-9);
        const double x3 = solveGear(e, static_cast<float>(a), e.pivotX[kLinkPivot]).linkage.pivotX[kCrosshead];
        EXPECT_NEAR(crank.crossheadX(a), x3, 1e-5) << a;
    }

    // At the normal forward setting the lead is the opening at the true dead
    // centre (-0.0205), not at driver angle 0 (-0.0015).
    const float normal = e.pivotX[kLinkPivot] + e.revArmNormal;
    const ValveEvents v = valveEvents(e, normal, Sense::Forward);
    EXPECT_EQ(v.deadCentres.front, dc.front);
    EXPECT_NEAR(v.front.lead, -0.0205, 5e-4);
    const ValveEvents exact = valveEvents(e, normal, Sense::Forward, EventPath::Exact);
    EXPECT_EQ(exact.front.lead, solveGear(e, static_cast<float>(dc.front), normal).ports.frontSteamOpening);
    EXPECT_EQ(exact.back.lead, solveGear(e, static_cast<float>(dc.back), normal).ports.rearSteamOpening);
    EXPECT_NEAR(v.front.lead, exact.front.lead, 2e-6);
    // Every event's percentage is the piston's true place at its angle.
    for (const EndEvents* end : {&v.front, &v.back})
        for (const auto* p : {&end->cutOff, &end->release}) {
            ASSERT_TRUE(*p);
            EXPECT_NEAR((*p)->strokePercent, crank.strokePercent((*p)->driverAngle, end == &v.front), 1e-9);
        }
}

TEST(SignedEvents, AnAdmissionAfterTheDeadCentreIsPositiveAndDifferencesKeepTheSign) {
    const Engine e = defaultEngine();
    const float normal = e.pivotX[kLinkPivot] + e.revArmNormal;
    const ValveEvents v = valveEvents(e, normal, Sense::Forward);
    ASSERT_GT(v.front.lead, 0.0);
    ASSERT_TRUE(v.front.admission && v.front.compression);
    // With lead the port opens before the dead centre: negative.
    EXPECT_LT(pastDeadCentre(v.front.admission->driverAngle, v.deadCentres.front), 0.0);
    EXPECT_LT(v.front.admission->strokePercent, 0.0);
    EXPECT_LT(v.front.compression->strokePercent, 0.0);  // the exhaust shuts before it too

    // Lap the front port by the lead and a little more: it now opens after
    // its dead centre, and the admission says so with a positive sign.
    Engine late = e;
    late.cyl.valveLenFront += static_cast<float>(v.front.lead + 0.01);
    const ValveEvents w = valveEvents(late, normal, Sense::Forward);
    ASSERT_LT(w.front.lead, 0.0);
    ASSERT_TRUE(w.front.admission && w.back.admission);
    EXPECT_GT(pastDeadCentre(w.front.admission->driverAngle, w.deadCentres.front), 0.0);
    EXPECT_GT(w.front.admission->strokePercent, 0.0);
    EXPECT_LT(w.back.admission->strokePercent, 0.0);  // the back end still leads
    // Front minus back of the signed values: larger than either alone.
    ASSERT_TRUE(w.difference.admission);
    EXPECT_DOUBLE_EQ(*w.difference.admission, w.front.admission->strokePercent - w.back.admission->strokePercent);
    EXPECT_GT(*w.difference.admission, w.front.admission->strokePercent);

    // Turned the other way the same setting's dead centres are the same
    // angles, and its admission in reverse is still signed by its own turn.
    const ValveEvents r = valveEvents(e, e.pivotX[kLinkPivot] - e.revArmNormal, Sense::Reverse);
    ASSERT_TRUE(r.front.admission);
    const double pastInReverse = -pastDeadCentre(r.front.admission->driverAngle, r.deadCentres.front);
    EXPECT_EQ(r.front.admission->strokePercent < 0.0, pastInReverse < 0.0);
    EXPECT_EQ(r.front.admission->strokePercent < 0.0, r.front.lead > 0.0);
}

TEST(PortOpenings, TheLongTravelExampleIsCappedAtThePortAndOverTravelIsTheRest) {
    const Model m = exampleDesign("long-travel");
    const Engine& e = m;
    const EventsTable t = eventsTable(e, m.revArmCentre());
    int overRun = 0;
    for (const auto* rows : {&t.forward, &t.reverse})
        for (const ValveEvents& v : *rows) {
            // The valve edge's largest run past the port's outer edge, by a
            // plain sweep of the solver every 0.1 degree.
            double front = -1e9, back = -1e9;
            for (int k = 0; k < 3600; ++k) {
                const PistonPorts p = solveGear(e, static_cast<float>(k * 0.1), v.revArm).ports;
                front = std::max<double>(front, p.frontSteamOpening);
                back = std::max<double>(back, p.rearSteamOpening);
            }
            for (const auto& [end, run, port] :
                 {std::tuple{&v.front, front, double(e.cyl.steamPortFront)}, std::tuple{&v.back, back, double(e.cyl.steamPortRear)}}) {
                EXPECT_LE(end->maxSteamOpening, port);
                EXPECT_GE(end->overTravel, 0.0);
                EXPECT_NEAR(end->maxSteamOpening, std::min(run, port), 1e-4);
                EXPECT_NEAR(end->overTravel, std::max(0.0, run - port), 1e-4);
                if (end->overTravel > 0.0) ++overRun;
            }
        }
    EXPECT_GT(overRun, 10);  // the long travel runs well past its ports
}

TEST(DieTravel, AtMidGearItRunsAlongTheLinkAsItsPivotsSay) {
    const Engine e = defaultEngine();
    const float centre = e.pivotX[kLinkPivot];
    // The die's place from the pivots: its distance from the link pivot,
    // above the pivot (towards the reverse arm) positive.
    double high = -1e9, low = 1e9;
    for (int k = 0; k < 7200; ++k) {
        const LinkageSolution l = solveGear(e, static_cast<float>(k * 0.05), centre).linkage;
        const double dx = static_cast<double>(l.pivotX[kLinkDie]) - l.pivotX[kLinkPivot];
        const double dy = static_cast<double>(l.pivotY[kLinkDie]) - l.pivotY[kLinkPivot];
        const double s = std::copysign(std::hypot(dx, dy), dy);
        high = std::max(high, s);
        low = std::min(low, s);
    }
    const ValveEvents v = valveEvents(e, centre, Sense::Forward);
    EXPECT_NEAR(v.die.highest, high, 1e-4);
    EXPECT_NEAR(v.die.lowest, low, 1e-4);
    EXPECT_NEAR(v.die.travel(), 1.42, 0.005);  // as a designer measured it
    // The die stays on the link: below the reverse arm, above the link's foot.
    EXPECT_LT(v.die.highest, e.reverseArmLength);
    EXPECT_GT(v.die.lowest, -e.linkLowerLength);
    // Both senses run the same die over the same turn.
    const ValveEvents r = valveEvents(e, centre, Sense::Reverse);
    EXPECT_NEAR(r.die.travel(), v.die.travel(), 1e-6);
}

}  // namespace
}  // namespace tevrane
