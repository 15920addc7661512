// The linkage solver against geometry: every bar keeps its length over a full
// revolution, hand-worked positions at the quarter angles, the port thresholds
// of the default valve, the clamps, the screen outlines and engines that make
// no sense at all.
#include "model/Solver.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include "model/Format.h"
#include "model/Model.h"

namespace tevrane {
namespace {

double dist(const Model& m, int a, int b) {
    const double dx = double(m.pivotX[a]) - m.pivotX[b];
    const double dy = double(m.pivotY[a]) - m.pivotY[b];
    return std::hypot(dx, dy);
}

// Distance of pivot p from the line through pivots a and b.
double offLine(const Model& m, int a, int b, int p) {
    const double ux = double(m.pivotX[b]) - m.pivotX[a];
    const double uy = double(m.pivotY[b]) - m.pivotY[a];
    const double vx = double(m.pivotX[p]) - m.pivotX[a];
    const double vy = double(m.pivotY[p]) - m.pivotY[a];
    return std::fabs(ux * vy - uy * vx) / std::hypot(ux, uy);
}

Model defaultEngine() {
    Model m;
    initModel(m);
    return m;
}

// ---------------------------------------------------------------------------
// Every bar of the default engine keeps its length, and every pin stays on the
// line it is built on, over a full revolution in five gear settings.

TEST(SolverGeometry, BarsKeepTheirLengthsOverARevolution) {
    const Model base = defaultEngine();
    const float centre = base.revArmCentre();
    const float settings[] = {centre, centre + base.revArmNormal, centre - base.revArmNormal,
                              centre + base.revArmMax, centre - base.revArmMax};
    const double tol = 1e-4;
    for (float setting : settings) {
        for (int deg = 0; deg < 360; ++deg) {
            Model m = base;
            m.revArmPos = setting;
            m.driverAngle = float(deg);
            solvePivots(m);
            solvePistonAndPorts(m);
            SCOPED_TRACE("revArmPos " + std::to_string(setting) + " angle " + std::to_string(deg));

            EXPECT_NEAR(dist(m, kDriverCentre, kCrankPin), m.stroke / 2.0, tol);
            EXPECT_NEAR(dist(m, kCrankPin, kCrosshead), m.mainRodLength, tol);
            EXPECT_NEAR(dist(m, kMainRodLug, kSwingLeverEnd), m.oscLeverLength, tol);
            EXPECT_NEAR(dist(m, kSwingLeverEnd, kSwingLeverPivot), m.swingLeverLength, tol);
            EXPECT_NEAR(dist(m, kLinkPivot, kReverseArmEnd), m.reverseArmLength, tol);
            EXPECT_NEAR(dist(m, kLinkPivot, kLinkLowerEnd), m.linkLowerLength, tol);
            EXPECT_NEAR(dist(m, kLinkDie, kOscLeverDrivePoint), m.valveLeverLower, tol);
            EXPECT_NEAR(dist(m, kValveRodPin, kValveStemJoint), m.valveRodLength, tol);

            // The lug: its foot on the rod axis, the lug square to the rod.
            EXPECT_NEAR(dist(m, kCrankPin, kMainRodLugFoot), m.mainRodLugHorz, tol);
            EXPECT_NEAR(offLine(m, kCrankPin, kCrosshead, kMainRodLugFoot), 0.0, tol);
            EXPECT_NEAR(offLine(m, kCrankPin, kCrosshead, kMainRodLug), m.mainRodLugVert, tol);
            // The drive point hangs square off the oscillating lever.
            EXPECT_NEAR(dist(m, kMainRodLug, kOscLeverDriveFoot), m.oscLeverDriveHorz, tol);
            EXPECT_NEAR(offLine(m, kMainRodLug, kSwingLeverEnd, kOscLeverDriveFoot), 0.0, tol);
            EXPECT_NEAR(offLine(m, kMainRodLug, kSwingLeverEnd, kOscLeverDrivePoint),
                        m.oscLeverDriveVert, tol);
            // The link is straight: reverse arm end, pivot, lower end and die
            // all on one line.
            EXPECT_NEAR(offLine(m, kLinkPivot, kLinkLowerEnd, kLinkDie), 0.0, tol);
            EXPECT_NEAR(offLine(m, kLinkPivot, kLinkLowerEnd, kReverseArmEnd), 0.0, tol);
            // The valve lever is straight from the drive point to its top, and
            // the rod pin stands square off it.
            EXPECT_NEAR(dist(m, kLinkDie, kValveLeverTop), m.valveLeverUpper, tol);
            EXPECT_NEAR(offLine(m, kOscLeverDrivePoint, kLinkDie, kValveLeverTop), 0.0, tol);
            EXPECT_NEAR(dist(m, kValveLeverTop, kValveRodPin), m.valveLeverOffset, tol);
            EXPECT_NEAR(offLine(m, kOscLeverDrivePoint, kValveLeverTop, kValveRodPin),
                        m.valveLeverOffset, tol);

            // Inputs that only guide the linkage are left alone.
            EXPECT_EQ(m.pivotY[kValveStemJoint], base.pivotY[kValveStemJoint]);
            EXPECT_EQ(m.pivotY[kCrosshead], base.pivotY[kCrosshead]);
            EXPECT_EQ(m.pivotX[kReverseArmEnd], m.revArmPos);
            EXPECT_EQ(m.pivotX[kLinkPivot], base.pivotX[kLinkPivot]);
            EXPECT_EQ(m.pivotX[kSwingLeverPivot], base.pivotX[kSwingLeverPivot]);
            EXPECT_EQ(m.mainRodLength, base.mainRodLength);
            EXPECT_EQ(m.gearSignA, 1.0f);
            EXPECT_EQ(m.gearSignB, 1.0f);
            EXPECT_FALSE(m.solverError);
        }
    }
}

TEST(SolverGeometry, PistonTraceFollowsTheCrosshead) {
    // With the cylinder on the driver's centre line the crosshead's distance
    // from its front dead centre (half stroke plus rod) is the piston's
    // travel; 640 is the full stroke.
    Model m = defaultEngine();
    const double front = m.stroke / 2.0 + m.mainRodLength;
    for (int deg = 0; deg < 360; deg += 5) {
        m.driverAngle = float(deg);
        solvePivots(m);
        solvePistonAndPorts(m);
        EXPECT_NEAR(m.pistonTrace, 640.0 * (front - m.pivotX[kCrosshead]) / m.stroke, 2e-3)
            << deg;
        EXPECT_GE(m.pistonTrace, -1e-3);
        EXPECT_LE(m.pistonTrace, 640.0 + 1e-3);
    }
}

// ---------------------------------------------------------------------------
// Positions worked out by hand for the default engine.

TEST(SolverHandValues, QuarterAnglesOfTheDefaultEngine) {
    Model m = defaultEngine();
    struct Case {
        float angle;
        double pinX, pinY;
    };
    // Stroke 3, so the pin runs on a circle of radius 1.5; rod 9.
    const Case cases[] = {{0, 1.5, 0}, {90, 0, -1.5}, {180, -1.5, 0}};
    for (const Case& c : cases) {
        m.driverAngle = c.angle;
        solvePivots(m);
        solvePistonAndPorts(m);
        SCOPED_TRACE(c.angle);
        EXPECT_NEAR(m.pivotX[kCrankPin], c.pinX, 1e-6);
        EXPECT_NEAR(m.pivotY[kCrankPin], c.pinY, 1e-6);
        EXPECT_NEAR(m.pivotX[kCrosshead], c.pinX + std::sqrt(81.0 - c.pinY * c.pinY), 1e-5);
    }

    m.driverAngle = 0;
    solvePivots(m);
    solvePistonAndPorts(m);
    EXPECT_NEAR(m.pivotX[kCrosshead], 10.5, 1e-6);
    EXPECT_NEAR(m.pistonTrace, 0.0, 1e-4);

    m.driverAngle = 180;
    solvePivots(m);
    solvePistonAndPorts(m);
    EXPECT_NEAR(m.pivotX[kCrosshead], 7.5, 1e-6);
    EXPECT_NEAR(m.pistonTrace, 640.0, 1e-4);

    // At 90 degrees the crosshead stands at sqrt(81 - 2.25) from the axle; the
    // piston has gone 10.5 - 8.8741 of the 3-inch stroke, more than half
    // because of the rod's angularity.
    m.driverAngle = 90;
    solvePivots(m);
    solvePistonAndPorts(m);
    const double crosshead = std::sqrt(81.0 - 2.25);
    EXPECT_NEAR(m.pivotX[kCrosshead], crosshead, 1e-5);
    const double expected = (10.5 - crosshead) / 3.0 * 640.0;  // 346.85...
    EXPECT_NEAR(m.pistonTrace, expected, 1e-3);
    EXPECT_GT(m.pistonTrace, 320.0f);
}

TEST(SolverHandValues, MidGearLinkHangsStraightDown) {
    Model m = defaultEngine();
    m.driverAngle = 0;
    ASSERT_EQ(m.revArmPos, m.pivotX[kLinkPivot]);
    solvePivots(m);
    // gamma = 0: the reverse arm end straight above the pivot at 3, the lower
    // end straight below it at 1.5.
    EXPECT_FLOAT_EQ(m.pivotX[kReverseArmEnd], 5.24f);
    EXPECT_NEAR(m.pivotY[kReverseArmEnd], 2.048 + 3.0, 1e-6);
    EXPECT_FLOAT_EQ(m.pivotX[kLinkLowerEnd], 5.24f);
    EXPECT_NEAR(m.pivotY[kLinkLowerEnd], 2.048 - 1.5, 1e-6);
    // The die lies on the vertical link too.
    EXPECT_NEAR(m.pivotX[kLinkDie], 5.24, 1e-5);
}

TEST(SolverHandValues, LugAndSwingLeverAtDeadCentre) {
    // At angle 0 the rod is level: the lug foot is 1 in front of the pin at
    // (2.5, 0) and the lug 0.5 below it. The swing lever end is where the
    // circle of the oscillating lever about the lug (radius 9) meets the
    // circle of the swing lever about its pivot (10, 1.75), radius 3; the
    // gear hangs the lever below the line from lug to pivot.
    Model m = defaultEngine();
    m.driverAngle = 0;
    solvePivots(m);
    EXPECT_NEAR(m.pivotX[kMainRodLugFoot], 2.5, 1e-6);
    EXPECT_NEAR(m.pivotY[kMainRodLugFoot], 0.0, 1e-6);
    EXPECT_NEAR(m.pivotX[kMainRodLug], 2.5, 1e-6);
    EXPECT_NEAR(m.pivotY[kMainRodLug], -0.5, 1e-6);

    const double ax = 2.5, ay = -0.5, bx = 10.0, by = 1.75, ra = 9.0, rb = 3.0;
    const double d = std::hypot(bx - ax, by - ay);
    const double along = (d * d + ra * ra - rb * rb) / (2 * d);
    const double across = std::sqrt(ra * ra - along * along);
    const double ux = (bx - ax) / d, uy = (by - ay) / d;
    const double footX = ax + along * ux, footY = ay + along * uy;
    // Of the two intersections (foot +- across * normal) take the lower one.
    const double x1 = footX - across * uy, y1 = footY + across * ux;
    const double x2 = footX + across * uy, y2 = footY - across * ux;
    const double ex = y1 < y2 ? x1 : x2, ey = y1 < y2 ? y1 : y2;
    EXPECT_NEAR(m.pivotX[kSwingLeverEnd], ex, 1e-5);
    EXPECT_NEAR(m.pivotY[kSwingLeverEnd], ey, 1e-5);
}

// ---------------------------------------------------------------------------
// Port thresholds and openings of the default valve.

TEST(SolverPorts, ThresholdsOfTheDefaultValve) {
    Model m = defaultEngine();
    solvePivots(m);
    // Exhaust port 0.375 (h = 0.1875), bridges 0.187, steam ports 0.156,
    // valve halves 0.687, cavity halves 0.375, joint 4.55, cylinder at 16.
    EXPECT_NEAR(m.frontSteamLap, 0.687 - 0.1875 - 0.187 - 0.156, 1e-6);  // 0.1565
    EXPECT_NEAR(m.rearSteamLap, 0.1565, 1e-6);
    EXPECT_NEAR(m.frontExhaustLap, 0.375 - 0.1875 - 0.187, 1e-6);  // 0.0005
    EXPECT_NEAR(m.rearExhaustLap, 0.0005, 1e-6);
    EXPECT_NEAR(m.frontAdmitTravel, -0.1565, 1e-6);
    EXPECT_NEAR(m.rearAdmitTravel, -0.1565, 1e-6);
    EXPECT_NEAR(m.frontFullTravel, 0.1875 + 0.187 - 0.687, 1e-6);  // -0.3125
    EXPECT_NEAR(m.rearFullTravel, -0.3125, 1e-6);
    EXPECT_NEAR(m.frontExhaustTravel, -0.0005, 1e-6);
    EXPECT_NEAR(m.rearExhaustTravel, -0.0005, 1e-6);
    EXPECT_NEAR(m.rearAdmitJoint, 4.55 - 0.687 - 16.0 + 0.1875 + 0.187 + 0.156, 1e-5);
    EXPECT_NEAR(m.frontAdmitJoint, 0.1875 + 16.0 + 0.187 + 0.156 - 4.55 - 0.687, 1e-5);
    EXPECT_NEAR(m.valveTravel, m.pivotX[kValveStemJoint] + 4.55 - 16.0, 1e-5);
    // The joint values are the admit events expressed at the stem joint:
    // with the joint at frontAdmitJoint the valve has travelled exactly to the
    // front admission edge; the rear one is counted the other way, so the
    // joint at -rearAdmitJoint puts the valve at -rearAdmitTravel.
    auto travelAtJoint = [](double x4) { return 4.55 + x4 - 16.0; };
    EXPECT_NEAR(travelAtJoint(m.frontAdmitJoint), m.frontAdmitTravel, 1e-5);
    EXPECT_NEAR(travelAtJoint(-m.rearAdmitJoint), -m.rearAdmitTravel, 1e-5);
}

TEST(SolverPorts, OpeningsAgreeWithThresholdsOverARevolution) {
    // A port opens by the amount the valve has passed its threshold: front
    // events as +valveTravel, rear ones as -valveTravel.
    const Model base = defaultEngine();
    for (float setting : {base.revArmCentre(), base.revArmCentre() + base.revArmNormal,
                          base.revArmCentre() - base.revArmNormal}) {
        for (int deg = 0; deg < 360; deg += 3) {
            Model m = base;
            m.revArmPos = setting;
            m.driverAngle = float(deg);
            solvePivots(m);
            solvePistonAndPorts(m);
            const double v = m.valveTravel;
            EXPECT_NEAR(m.frontSteamOpening, -(v - m.frontAdmitTravel), 1e-5);
            EXPECT_NEAR(m.frontSteamOpening, -m.frontSteamLap - v, 1e-5);
            EXPECT_NEAR(m.frontExhaustOpening, v - m.frontExhaustTravel, 1e-5);
            EXPECT_NEAR(m.frontExhaustOpening, v + m.frontExhaustLap, 1e-5);
            EXPECT_NEAR(m.rearSteamOpening, -(-v - m.rearAdmitTravel), 1e-5);
            EXPECT_NEAR(m.rearSteamOpening, v - m.rearSteamLap, 1e-5);
            EXPECT_NEAR(m.rearExhaustOpening, -v - m.rearExhaustTravel, 1e-5);
            // Steam and exhaust edges on one side never open together by
            // more than the exhaust lap allows: their sum is the fixed
            // distance between the two valve edges minus the port.
            EXPECT_NEAR(m.frontSteamOpening + m.frontExhaustOpening,
                        -m.frontSteamLap + m.frontExhaustLap, 1e-5);
        }
    }
}

TEST(SolverPorts, ValveAtMidTravelIsLapped) {
    // With the stem joint where the valve centre stands over the cylinder
    // centre, both steam edges are lapped by exactly the steam lap.
    Model m = defaultEngine();
    solvePivots(m);
    m.pivotX[kValveStemJoint] = 16.0f - 4.55f;
    solvePistonAndPorts(m);
    EXPECT_NEAR(m.frontSteamOpening, -0.1565, 1e-5);
    EXPECT_NEAR(m.rearSteamOpening, -0.1565, 1e-5);
    EXPECT_NEAR(m.frontExhaustOpening, 0.0005, 1e-5);
    EXPECT_NEAR(m.rearExhaustOpening, 0.0005, 1e-5);
}

// ---------------------------------------------------------------------------
// The clamps on their own.

TEST(SolverClamps, NonNegative) {
    int raised = 0;
    EXPECT_EQ(clampNonNegative(0.0f, raised), 0.0f);
    EXPECT_EQ(raised, 0);
    EXPECT_EQ(clampNonNegative(-2.5f, raised), 2.5f);
    EXPECT_EQ(raised, 1);
    EXPECT_EQ(clampNonNegative(-4.0f, raised), 4.0f);
    EXPECT_EQ(raised, 2);  // every mend counts
}

TEST(SolverClamps, Divisor) {
    struct Case {
        float in, out;
        bool raised;
    };
    const Case cases[] = {
        {0.0f, 0.00001f, true},       {-0.0f, 0.00001f, true},     {0.000004f, 0.00001f, true},
        {-0.000004f, -0.00001f, true}, {0.00001f, 0.00001f, false}, {-0.00001f, -0.00001f, false},
        {0.5f, 0.5f, false},          {-3.0f, -3.0f, false},
    };
    for (const Case& c : cases) {
        int raised = 0;
        EXPECT_EQ(clampDivisor(c.in, raised), c.out) << c.in;
        EXPECT_EQ(raised, c.raised ? 1 : 0) << c.in;
    }
    int raised = 0;
    EXPECT_TRUE(std::isnan(clampDivisor(std::numeric_limits<float>::quiet_NaN(), raised)));
    EXPECT_EQ(raised, 0);
}

TEST(SolverClamps, Cosine) {
    // The limit is held in single precision: 0.99999899...
    EXPECT_EQ(kMaxCosine, static_cast<float>(0.999999L));
    EXPECT_LT(double(kMaxCosine), 0.999999);
    struct Case {
        float in, out;
        bool raised;
    };
    const Case cases[] = {
        {1.0f, kMaxCosine, true},  {5.0f, kMaxCosine, true},   {-1.0f, -kMaxCosine, true},
        {kMaxCosine, kMaxCosine, false}, {-kMaxCosine, -kMaxCosine, false},
        {0.25f, 0.25f, false},     {-0.7f, -0.7f, false},
        {std::numeric_limits<float>::infinity(), kMaxCosine, true},
    };
    for (const Case& c : cases) {
        int raised = 0;
        EXPECT_EQ(clampCosine(c.in, raised), c.out) << c.in;
        EXPECT_EQ(raised, c.raised ? 1 : 0) << c.in;
    }
}

// ---------------------------------------------------------------------------
// Linkages that cannot close: the clamp substitutes, the flag goes up.

TEST(SolverClamps, ReverseArmTooShort) {
    Model m = defaultEngine();
    m.reverseArmLength = 0.5f;
    m.revArmPos = m.pivotX[kLinkPivot] + 1.0f;
    solvePivots(m);
    EXPECT_TRUE(m.solverError);
    // 0.25 - 1 = -0.75, mended to 0.75.
    EXPECT_NEAR(m.pivotY[kReverseArmEnd], 2.048 + std::sqrt(0.75), 1e-6);

    m.solverError = false;
    m.errorBeep = false;
    solvePivots(m);
    EXPECT_FALSE(m.solverError);
    EXPECT_NEAR(m.pivotY[kReverseArmEnd], 2.048 + std::sqrt(0.75), 1e-6);
}

TEST(SolverClamps, SwingLeverOfZeroLength) {
    Model m = defaultEngine();
    m.swingLeverLength = 0.0f;
    solvePivots(m);
    EXPECT_TRUE(m.solverError);
    // The dimension itself is not changed; the lever end sits on its pivot.
    EXPECT_EQ(m.swingLeverLength, 0.0f);
    EXPECT_FLOAT_EQ(m.pivotX[kSwingLeverEnd], m.pivotX[kSwingLeverPivot]);
    EXPECT_FLOAT_EQ(m.pivotY[kSwingLeverEnd], m.pivotY[kSwingLeverPivot]);
    // The pure solve counts the clamp and leaves the engine alone.
    const LinkageSolution s = solveLinkage(m, m.driverAngle, m.revArmPos);
    EXPECT_GE(s.clamps, 1);
    EXPECT_EQ(s.pivotX[kSwingLeverEnd], m.pivotX[kSwingLeverEnd]);

    Model quiet = defaultEngine();
    quiet.errorBeep = false;
    quiet.swingLeverLength = 0.0f;
    solvePivots(quiet);
    EXPECT_FALSE(quiet.solverError);
    EXPECT_FLOAT_EQ(quiet.pivotX[kSwingLeverEnd], m.pivotX[kSwingLeverEnd]);
}

TEST(SolverClamps, OscillatingLeverTooLong) {
    // Longer than lug-to-pivot plus the swing lever: the angle at the swing
    // lever pivot is held at arccos(-0.99999899), i.e. the lever end lies just
    // off the far side of the line from the lug through the pivot.
    Model m = defaultEngine();
    m.oscLeverLength = 20.0f;
    solvePivots(m);
    EXPECT_TRUE(m.solverError);
    const double ax = m.pivotX[kMainRodLug] - m.pivotX[kSwingLeverPivot];
    const double ay = m.pivotY[kMainRodLug] - m.pivotY[kSwingLeverPivot];
    const double bx = m.pivotX[kSwingLeverEnd] - m.pivotX[kSwingLeverPivot];
    const double by = m.pivotY[kSwingLeverEnd] - m.pivotY[kSwingLeverPivot];
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    EXPECT_NEAR(lb, 3.0, 1e-5);
    const double c = -double(kMaxCosine);
    // Sine of the angle at the pivot, from the cross product, against the
    // clamped cosine's partner; the cosine's sign from the dot product.
    EXPECT_NEAR(std::fabs(ax * by - ay * bx) / (la * lb), std::sqrt(1.0 - c * c), 2e-5);
    EXPECT_LT((ax * bx + ay * by) / (la * lb), -0.99);

    Model quiet = defaultEngine();
    quiet.errorBeep = false;
    quiet.oscLeverLength = 20.0f;
    solvePivots(quiet);
    EXPECT_FALSE(quiet.solverError);
}

TEST(SolverClamps, MainRodShorterThanThePinHeight) {
    // At 90 degrees the pin is 1.5 below the cylinder line; a rod of 1 gives
    // 1 - 2.25 = -1.25, mended to 1.25.
    Model m = defaultEngine();
    m.mainRodLength = 1.0f;
    m.driverAngle = 90.0f;
    solvePivots(m);
    EXPECT_TRUE(m.solverError);
    EXPECT_NEAR(m.pivotX[kCrosshead], std::sqrt(1.25), 1e-6);

    Model quiet = defaultEngine();
    quiet.errorBeep = false;
    quiet.mainRodLength = 1.0f;
    quiet.driverAngle = 90.0f;
    solvePivots(quiet);
    solvePistonAndPorts(quiet);
    EXPECT_FALSE(quiet.solverError);
    EXPECT_NEAR(quiet.pivotX[kCrosshead], std::sqrt(1.25), 1e-6);
}

TEST(SolverClamps, ZeroLengthsAreStoredBackAsTheSmallestLength) {
    // A main rod of 0 at dead centre closes (the pin is on the centre line),
    // so the replacement itself is silent.
    Model m = defaultEngine();
    m.mainRodLength = 0.0f;
    m.driverAngle = 0.0f;
    solvePivots(m);
    EXPECT_EQ(m.mainRodLength, 0.00001f);
    EXPECT_NEAR(m.pivotX[kCrosshead], 1.5, 1e-4);
    EXPECT_FALSE(m.solverError);

    // A valve lever lower of 0 becomes 0.00001 too; the sine rule then has to
    // clamp, which is the failure the user sees.
    Model v = defaultEngine();
    v.valveLeverLower = 0.0f;
    v.errorBeep = false;
    solvePivots(v);
    EXPECT_EQ(v.valveLeverLower, 0.00001f);
    EXPECT_FALSE(v.solverError);
    EXPECT_NEAR(dist(v, kLinkDie, kOscLeverDrivePoint), 0.00001, 2e-6);

    // Negative zero is zero as well.
    Model n = defaultEngine();
    n.mainRodLength = -0.0f;
    solvePivots(n);
    EXPECT_EQ(n.mainRodLength, 0.00001f);
}

TEST(SolverClamps, NothingRecordedWithErrorBeepOff) {
    Model m = defaultEngine();
    m.errorBeep = false;
    m.reverseArmLength = 0.1f;
    m.swingLeverLength = 0.0f;
    m.oscLeverLength = 50.0f;
    m.mainRodLength = 0.2f;
    m.stroke = 0.0f;
    for (int deg = 0; deg < 360; deg += 15) {
        m.driverAngle = float(deg);
        solveAll(m);
        EXPECT_FALSE(m.solverError) << deg;
    }
    // The same engine with the beep on does report.
    m.errorBeep = true;
    solveAll(m);
    EXPECT_TRUE(m.solverError);
}

// ---------------------------------------------------------------------------
// Screen outlines at the default view (scale 28, offsets 115, 270).

TEST(SolverOutlines, CylinderOfTheDefaultEngine) {
    Model m = defaultEngine();
    solveAll(m);
    const IPoint* C = m.cylinderPoints;
    // Seat r = 1.75: W = 270 - 49 = 221; chest top 2.375: 270 - 66.5 = 203.5,
    // an exact half that goes to the even 204; T at 1.625: 224.5 -> 224;
    // O at 1.5: 228; M at 1.594: 225.368 -> 225; bore +-1.0625: 240.25 -> 240
    // and 299.75 -> 300.
    EXPECT_EQ(C[0], (IPoint{558, 204}));   // 15.8125 * 28 + 115 = 557.75
    EXPECT_EQ(C[1], (IPoint{532, 204}));   // 14.9065 -> 532.382
    EXPECT_EQ(C[2], (IPoint{532, 221}));
    EXPECT_EQ(C[3], (IPoint{548, 221}));   // 15.4695 -> 548.146
    EXPECT_EQ(C[4], (IPoint{548, 224}));
    EXPECT_EQ(C[5], (IPoint{507, 240}));   // 14 -> 507
    EXPECT_EQ(C[6], (IPoint{507, 300}));
    EXPECT_EQ(C[7], (IPoint{619, 300}));   // 18 -> 619
    EXPECT_EQ(C[8], (IPoint{619, 240}));
    EXPECT_EQ(C[9], (IPoint{578, 224}));   // 16.5305 -> 577.854
    EXPECT_EQ(C[10], (IPoint{578, 221}));
    EXPECT_EQ(C[11], (IPoint{594, 221}));  // 17.0935 -> 593.618
    EXPECT_EQ(C[12], (IPoint{594, 204}));
    EXPECT_EQ(C[13], (IPoint{568, 204}));  // 16.1875 -> 568.25
    EXPECT_EQ(C[14], (IPoint{558, 225}));
    EXPECT_EQ(C[15], (IPoint{558, 221}));
    EXPECT_EQ(C[16], (IPoint{553, 221}));  // 15.6255 -> 552.514
    EXPECT_EQ(C[17], (IPoint{553, 228}));
    EXPECT_EQ(C[18], (IPoint{516, 240}));  // 14.312 -> 515.736
    EXPECT_EQ(C[19], (IPoint{610, 240}));  // 17.688 -> 610.264
    EXPECT_EQ(C[20], (IPoint{573, 228}));  // 16.3745 -> 573.486
    EXPECT_EQ(C[21], (IPoint{573, 221}));
    EXPECT_EQ(C[22], (IPoint{568, 221}));
    EXPECT_EQ(C[23], (IPoint{568, 225}));
}

TEST(SolverOutlines, PistonAndValveOfTheDefaultEngine) {
    Model m = defaultEngine();
    m.driverAngle = 0;
    solveAll(m);
    const IPoint* V = m.valvePoints;
    // Crosshead at 10.5, piston centre 17.5, width 0.5: 17.75 -> 612,
    // 17.25 -> 598.
    EXPECT_EQ(V[0], (IPoint{612, 270}));
    EXPECT_EQ(V[1], (IPoint{598, 240}));
    EXPECT_EQ(V[2], (IPoint{598, 300}));
    EXPECT_EQ(V[3], (IPoint{612, 300}));
    EXPECT_EQ(V[4], (IPoint{612, 240}));
    // Valve top 2.25 -> 207, seat 1.75 -> 221, cavity roof 14 div 3 + 207.
    const int Vt = 207, Vs = 221, Vc = 211;
    const double q = double(m.pivotX[kValveStemJoint]) + double(4.55f);
    const int rear = int(std::lround((q - double(0.687f)) * 28 + 115));
    const int front = int(std::lround((q + double(0.687f)) * 28 + 115));
    const int cav = int(std::lround((q + double(0.375f)) * 28 + 115));
    const int cavR = int(std::lround((q - double(0.375f)) * 28 + 115));
    EXPECT_EQ(V[5], (IPoint{rear, int(std::lround(270 - 2.062 * 28))}));  // 212.264
    EXPECT_EQ(V[5].y, 212);
    EXPECT_EQ(V[6], (IPoint{rear, Vt}));
    EXPECT_EQ(V[7], (IPoint{front, Vt}));
    EXPECT_EQ(V[8], (IPoint{front, Vs}));
    EXPECT_EQ(V[9], (IPoint{cav, Vs}));
    EXPECT_EQ(V[10], (IPoint{cav, Vc}));
    EXPECT_EQ(V[11], (IPoint{cavR, Vc}));
    EXPECT_EQ(V[12], (IPoint{cavR, Vs}));
    EXPECT_EQ(V[13], (IPoint{rear, Vs}));
    // The valve is 1.374 long: 38.5 pixels.
    EXPECT_NEAR(V[7].x - V[6].x, 1.374 * 28, 1.0);
}

TEST(SolverOutlines, CavityRoofTruncatesTowardsZero) {
    // A valve of negative height puts its top below the seat: Vt = SY(1.25)
    // = 235, Vs = 221; (221 - 235) div 3 = -4 (not -5), so the roof is 231.
    Model m = defaultEngine();
    m.cyl.valveHeight = -0.5f;
    solveAll(m);
    EXPECT_EQ(m.valvePoints[6].y, 235);
    EXPECT_EQ(m.valvePoints[8].y, 221);
    EXPECT_EQ(m.valvePoints[10].y, 231);
    EXPECT_EQ(m.valvePoints[11].y, 231);

    // Positive the other way: valve height 1.0 gives Vt = SY(2.75) = 193,
    // (221 - 193) div 3 = 9 (28/3 = 9.33), roof 202.
    m.cyl.valveHeight = 1.0f;
    solveAll(m);
    EXPECT_EQ(m.valvePoints[6].y, 193);
    EXPECT_EQ(m.valvePoints[10].y, 202);
}

TEST(SolverOutlines, PivotsGoToTheScreenWithTheOutlines) {
    Model m = defaultEngine();
    m.driverAngle = 0;
    solveAll(m);
    // Crank pin (1.5, 0) -> (157, 270); crosshead (10.5, 0) -> (409, 270).
    EXPECT_EQ(m.pivotScreenX[kCrankPin], 157);
    EXPECT_EQ(m.pivotScreenY[kCrankPin], 270);
    EXPECT_EQ(m.pivotScreenX[kCrosshead], 409);
    EXPECT_EQ(m.pivotScreenY[kCrosshead], 270);
    // The piston rod ends at the crosshead's row.
    EXPECT_EQ(m.valvePoints[0].y, m.pivotScreenY[kCrosshead]);
    // The valve stem line ends at the stem joint's row.
    EXPECT_EQ(m.valvePoints[5].y, m.pivotScreenY[kValveStemJoint]);
}

// ---------------------------------------------------------------------------
// Engines that make no sense must still solve and draw.

void expectOnScreenRange(const Model& m) {
    for (const IPoint& p : m.cylinderPoints) {
        EXPECT_LE(std::abs(p.x), kPixelLimit);
        EXPECT_LE(std::abs(p.y), kPixelLimit);
    }
    for (const IPoint& p : m.valvePoints) {
        EXPECT_LE(std::abs(p.x), kPixelLimit);
        EXPECT_LE(std::abs(p.y), kPixelLimit);
    }
    for (int i = 0; i <= 20; ++i) {
        EXPECT_LE(std::abs(m.pivotScreenX[i]), kPixelLimit);
        EXPECT_LE(std::abs(m.pivotScreenY[i]), kPixelLimit);
    }
}

// Every dimension and pivot input set to one value.
Model engineOf(float v) {
    Model m = defaultEngine();
    for (int id = 1; id <= 21; ++id) *frameField(m, id) = v;
    for (int i = 0; i < Cyl::kCount; ++i) m.cyl[i] = v;
    m.pivotX[kDriverCentre] = m.pivotY[kDriverCentre] = v;
    m.pivotY[kCrosshead] = v;
    m.pivotY[kValveStemJoint] = v;
    m.revArmPos = v;
    return m;
}

TEST(SolverDegenerate, AllDimensionsZero) {
    for (int deg = 0; deg < 360; deg += 45) {
        Model m = engineOf(0.0f);
        m.driverAngle = float(deg);
        solveAll(m);
        expectOnScreenRange(m);
        EXPECT_TRUE(m.solverError);  // stroke 0 and swing lever 0 at least
        EXPECT_EQ(m.mainRodLength, 0.00001f);
        EXPECT_EQ(m.valveLeverLower, 0.00001f);
    }
}

TEST(SolverDegenerate, NotANumberEverywhere) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    Model m = engineOf(nan);
    for (int deg = 0; deg < 360; deg += 90) {
        m.driverAngle = float(deg);
        solveAll(m);
        expectOnScreenRange(m);
    }
    // A NaN driver angle on the default engine, and NaN view.
    Model a = defaultEngine();
    a.driverAngle = nan;
    solveAll(a);
    expectOnScreenRange(a);
    a.viewScale = nan;
    a.viewOffsetX = nan;
    solveAll(a);
    expectOnScreenRange(a);
    EXPECT_EQ(a.cylinderPoints[0].x, 0);  // NaN pixels read as 0
}

TEST(SolverDegenerate, InfiniteDimensions) {
    const float inf = std::numeric_limits<float>::infinity();
    for (float v : {inf, -inf}) {
        Model m = engineOf(v);
        for (int deg = 0; deg < 360; deg += 90) {
            m.driverAngle = float(deg);
            solveAll(m);
            expectOnScreenRange(m);
        }
        Model a = defaultEngine();
        a.driverAngle = v;
        solveAll(a);
        expectOnScreenRange(a);
        // A single huge dimension on an otherwise sound engine.
        Model b = defaultEngine();
        b.mainRodLength = v;
        solveAll(b);
        expectOnScreenRange(b);
        Model c = defaultEngine();
        c.cyl.valveHeight = v;
        solveAll(c);
        expectOnScreenRange(c);
    }
    Model big = engineOf(std::numeric_limits<float>::max());
    solveAll(big);
    expectOnScreenRange(big);
}

TEST(SolverDegenerate, PivotsStandingAboveEachOther) {
    // Put the swing lever pivot exactly on the lug at dead centre (2.5, -0.5):
    // its direction is arctan(0/0) and its distance 0.
    Model m = defaultEngine();
    m.pivotX[kSwingLeverPivot] = 2.5f;
    m.pivotY[kSwingLeverPivot] = -0.5f;
    m.driverAngle = 0;
    solveAll(m);
    expectOnScreenRange(m);
    EXPECT_TRUE(m.solverError);
    // The crank side is untouched by the failure further up the gear.
    EXPECT_EQ(m.pivotScreenX[kCrankPin], 157);

    // Reverse arm end exactly on the link pivot: zero-length arm at mid gear.
    Model r = defaultEngine();
    r.reverseArmLength = 0.0f;
    solveAll(r);
    expectOnScreenRange(r);
    EXPECT_TRUE(r.solverError);
}

TEST(SolverDegenerate, HugeViewScaleSaturates) {
    Model m = defaultEngine();
    m.viewScale = 1e30f;
    solveAll(m);
    expectOnScreenRange(m);
    // Everything in front of the driver goes to the right-hand limit, the
    // cylinder's upper edges to the top limit.
    EXPECT_EQ(m.cylinderPoints[5].x, kPixelLimit);
    EXPECT_EQ(m.cylinderPoints[5].y, -kPixelLimit);
    EXPECT_EQ(m.cylinderPoints[6].y, kPixelLimit);
    // Valve top and seat both saturate at the top: the roof stays there.
    EXPECT_EQ(m.valvePoints[10].y, -kPixelLimit);
    // The driver centre at the origin stays at the offsets.
    EXPECT_EQ(m.pivotScreenX[kDriverCentre], 115);
    EXPECT_EQ(m.pivotScreenY[kDriverCentre], 270);

    // Saturated rows at opposite limits: (1e6 - -1e6) div 3 + -1e6.
    m.cyl.valveHeight = -1e6f;
    m.viewScale = 1e9f;
    solveAll(m);
    EXPECT_EQ(m.valvePoints[6].y, kPixelLimit);   // top far below
    EXPECT_EQ(m.valvePoints[8].y, -kPixelLimit);  // seat above
    EXPECT_EQ(m.valvePoints[10].y, (-2 * kPixelLimit) / 3 + kPixelLimit);

    m.viewScale = std::numeric_limits<float>::max();
    m.viewOffsetX = -std::numeric_limits<float>::max();
    solveAll(m);
    expectOnScreenRange(m);
}

// ---- what the tick keeps ---------------------------------------------------------------

// The tick stores the pure solve's terms and openings whole: at several
// settings, some of them clamped, every stored term and opening is the one the
// pure solve returns, and the pivots it solved are the solve's.
TEST(SolverStore, TickKeepsEveryTermAndOpeningOfThePureSolve) {
    struct Setting {
        float angle, revArm, oscLever;
    };
    const Setting settings[] = {{0.0f, 5.24f, 3.0f}, {37.5f, 6.1f, 3.0f}, {211.0f, 4.3f, 3.0f},
                                {300.0f, 5.24f, 20.0f}};
    for (const Setting& at : settings) {
        Model m = defaultEngine();
        m.oscLeverLength = at.oscLever;
        m.driverAngle = at.angle;
        m.revArmPos = at.revArm;
        // Start from results that differ from any solve, so a term the tick
        // left alone shows.
        static_cast<LinkageTerms&>(m) = LinkageTerms{};
        static_cast<PortOpenings&>(m) = PortOpenings{};
        m.valveTravel = -12345.0f;
        m.pistonTrace = -12345.0f;
        const GearSolution g = solveGear(m, at.angle, at.revArm);
        solvePivots(m);
        solvePistonAndPorts(m);

        const LinkageTerms& want = g.linkage;
        const LinkageTerms& got = m;
        EXPECT_EQ(std::memcmp(&got, &want, sizeof(LinkageTerms)), 0) << at.angle;
        EXPECT_EQ(m.valveTravel, g.linkage.valveTravel);
        EXPECT_EQ(m.rearExhaustLap, g.linkage.rearExhaustLap);
        EXPECT_EQ(m.pistonTrace, g.ports.pistonTrace) << at.angle;
        EXPECT_EQ(m.frontSteamOpening, g.ports.frontSteamOpening);
        EXPECT_EQ(m.frontExhaustOpening, g.ports.frontExhaustOpening);
        EXPECT_EQ(m.rearSteamOpening, g.ports.rearSteamOpening);
        EXPECT_EQ(m.rearExhaustOpening, g.ports.rearExhaustOpening);
        for (int i : {kCrankPin, kCrosshead, kValveStemJoint, kLinkDie, kSwingLeverEnd, kReverseArmEnd})
            EXPECT_EQ(m.pivotX[i], g.linkage.pivotX[i]) << i;
        EXPECT_EQ(m.solverError, g.clamps() > 0) << at.angle;
    }
}

}  // namespace
}  // namespace tevrane
