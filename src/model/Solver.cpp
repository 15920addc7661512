#include "model/Solver.h"

#include <cmath>
#include <cstdint>
#include <numbers>

#include "model/Format.h"

namespace tevrane {

namespace {

using ld = long double;

// Every result that goes back into the model is rounded to single precision
// here. IEEE conversion: out-of-range values become infinities, NaN stays NaN.
inline float store(ld v) { return static_cast<float>(v); }

inline ld sq(ld v) { return v * v; }

// Sine and cosine together. The library's extended-precision sin and cos
// take a slow general reduction path for any argument beyond pi/4 and were
// most of the cost of a solve; reducing by quarter turns here first (with pi/2
// split in two parts, so the reduction itself loses nothing that survives the
// rounding to single precision) leaves a small argument for one instruction.
struct SinCos {
    ld s, c;
};
inline SinCos sinCos(ld x) {
    constexpr ld kHalfPiHi = 1.57079632679489661917L;
    constexpr ld kHalfPiLo = -2.50827880633416601173e-20L;
    if (!(std::fabs(x) < 1.0e6L)) return {std::sin(x), std::cos(x)};  // NaN, infinite, huge
    // The quadrant as an integer in the current (nearest) rounding mode: one
    // store of the x87 unit, where a cast would switch the control word to
    // truncation and back on every call.
    const long q = std::lrint(x / kHalfPiHi);
    const ld k = static_cast<ld>(q);
    const ld r = (x - k * kHalfPiHi) - k * kHalfPiLo;
    ld s, c;
#if defined(__x86_64__) || defined(__i386__)
    // On the extended-precision unit itself both come from one instruction,
    // accurate to the last bit for an argument within pi/4.
    __asm__("fsincos" : "=t"(c), "=u"(s) : "0"(r));
#else
    s = std::sin(r);
    c = std::cos(r);
#endif
    switch (q & 3) {
        case 0: return {s, c};
        case 1: return {c, -s};
        case 2: return {-s, -c};
        default: return {-c, s};
    }
}

// Sine and cosine of arctan(q) where the angle itself is not needed: the angle
// lies in (-pi/2, pi/2), so its cosine is 1/sqrt(1 + q^2) and its sine q times
// that. This spares the arctangent and the sine and cosine of its result; the
// two differ from them by a few units of the extended precision at most, far
// below what a stored single can show. An infinite or undefined quotient (two
// pivots straight above each other) takes the way through the angle, so even
// those give the bits they always gave.
inline SinCos sinCosOfAtan(ld q) {
    if (!std::isfinite(q)) return sinCos(std::atan(q));
    const ld c = 1.0L / std::sqrt(1.0L + q * q);
    return {q * c, c};
}

}  // namespace

// The limits are compared as stored (single precision), so a value that a
// clamp has already put on the limit passes the next clamp unchanged. NaN
// fails every comparison and goes through untouched; the caller's arithmetic
// then carries it along without trapping.
float clampNonNegative(float v, int& raised) {
    if (v < 0.0f) {
        ++raised;
        return -v;
    }
    return v;
}

float clampDivisor(float v, int& raised) {
    if (v >= 0.0f && v < kMinDivisor) {
        ++raised;
        return kMinDivisor;
    }
    if (v > -kMinDivisor && v < 0.0f) {
        ++raised;
        return -kMinDivisor;
    }
    return v;
}

float clampCosine(float v, int& raised) {
    if (v > kMaxCosine) {
        ++raised;
        return kMaxCosine;
    }
    if (v < -kMaxCosine) {
        ++raised;
        return -kMaxCosine;
    }
    return v;
}

namespace {

// A length of exactly 0 would divide by zero; it is taken as the smallest one.
inline float guardedLength(float v) { return v == 0.0f ? kMinDivisor : v; }

// The piston step with the main rod length given, so that solveGear can hand
// it the one the pivot solve used.
// The driver angle in radians and its sine and cosine, shared by both halves.
SinCos driverSinCos(float driverAngle) {
    return sinCos(ld(driverAngle) * std::numbers::pi_v<ld> / 180.0L);
}

PistonPorts pistonPorts(const Engine& e, float mainRodLength, const SinCos& th, float valveStemX) {
    PistonPorts r;
    int& raised = r.clamps;

    // 17. Piston position: crank and rod projected on the cylinder line,
    // cos(theta) + (sqrt(L^2 - t^2) - L) / (stroke / 2), where t is the crank
    // pin's height; 0 with the crosshead nearest the cylinder, 640 farthest.
    const float divisor = clampDivisor(e.stroke, raised);
    const ld t = th.s * e.stroke / 2.0L;
    const float work = clampNonNegative(store(sq(mainRodLength) - t * t), raised);
    const ld div = divisor;
    // Half the scale is the middle of the stroke.
    constexpr ld kHalfScale = kPistonScale<ld> / 2.0L;
    r.pistonTrace = store(kHalfScale - (th.c + std::sqrt(ld(work)) / div * 2.0L -
                                        ld(mainRodLength) / div * 2.0L) *
                                           kHalfScale);

    // 18. Port openings from the valve's displacement v: how far each valve
    // edge has uncovered its port edge (negative: lapped by that much).
    const Cyl& c = e.cyl;
    const ld h = ld(c.exhaustPortWidth) / 2.0L;
    const ld v = ld(valveStemX) + c.valveCentreToJoint - c.cylCentreToDriver;
    r.frontSteamOpening = store(h + c.bridgeFront + c.steamPortFront - (v + c.valveLenFront));
    r.frontExhaustOpening = store((v + c.cavityFront) - (h + c.bridgeFront));
    r.rearSteamOpening = store((v - c.valveLenRear) + h + c.bridgeRear + c.steamPortRear);
    r.rearExhaustOpening = store(-(v - c.cavityRear) - (h + c.bridgeRear));
    return r;
}

// The pivot entries the pivot solve computes (for 3 and 4 only X: their Y is
// an input).
constexpr int kSolvedBoth[] = {kCrankPin, kLinkLowerEnd, kValveRodPin, kLinkDie,
                               kOscLeverDrivePoint, kMainRodLug, kSwingLeverEnd,
                               kMainRodLugFoot, kValveLeverTop, kOscLeverDriveFoot,
                               kReverseArmEnd};

void raiseIf(Model& m, int clamps) {
    // A failed clamp is only recorded while the user wants to hear about it.
    if (clamps > 0 && m.errorBeep) m.solverError = true;
}

void storeLinkage(Model& m, const LinkageSolution& s) {
    for (int i : kSolvedBoth) {
        m.pivotX[i] = s.pivotX[i];
        m.pivotY[i] = s.pivotY[i];
    }
    m.pivotX[kCrosshead] = s.pivotX[kCrosshead];
    m.pivotX[kValveStemJoint] = s.pivotX[kValveStemJoint];
    m.gearSignA = 1.0f;
    m.gearSignB = 1.0f;
    static_cast<LinkageTerms&>(m) = s;
    // The two lengths that cannot be zero are shown to the user as the
    // smallest length from the first solve on.
    m.mainRodLength = guardedLength(m.mainRodLength);
    m.valveLeverLower = guardedLength(m.valveLeverLower);
    raiseIf(m, s.clamps);
}

void storePorts(Model& m, const PistonPorts& p) {
    static_cast<PortOpenings&>(m) = p;
    raiseIf(m, p.clamps);
}

}  // namespace

// Everything is worked in extended precision. Pivot coordinates are rounded to
// single precision as they are stored in the solution's table, and later steps
// read them back from it, so each pivot follows from the stored positions of
// the earlier ones exactly as they are drawn and tabulated.
namespace {

LinkageSolution linkage(const Engine& en, const SinCos& th, float revArmPos) {
    LinkageSolution r;
    int& raised = r.clamps;
    float* const X = r.pivotX;
    float* const Y = r.pivotY;
    for (int i = 0; i < kPivotCount; ++i) {
        X[i] = en.pivotX[i];
        Y[i] = en.pivotY[i];
    }
    const float mainRodLength = guardedLength(en.mainRodLength);
    const float valveLeverLower = guardedLength(en.valveLeverLower);

    // 1. The reverse arm end sits at the chosen setting; its height follows
    // in step 9.
    X[kReverseArmEnd] = revArmPos;

    // 2. Crank pin: the driver centre plus half the stroke at angle theta,
    // measured clockwise (as drawn) from the direction of the cylinder.
    const ld halfStroke = ld(en.stroke) / 2.0L;
    X[kCrankPin] = store(X[kDriverCentre] + th.c * halfStroke);
    Y[kCrankPin] = store(Y[kDriverCentre] - th.s * halfStroke);

    // 3. Crosshead: the main rod from the crank pin meets the cylinder centre
    // line (height Y3) in front of the pin. Right triangle with hypotenuse
    // mainRodLength and vertical leg Y2 - Y3.
    float work = clampNonNegative(store(sq(mainRodLength) - sq(ld(Y[kCrankPin]) - Y[kCrosshead])),
                                  raised);
    X[kCrosshead] = store(X[kCrankPin] + std::sqrt(ld(work)));

    // 4. Slope of the main rod from crank pin to crosshead (rotation angle of
    // the rod, positive when the pin is above the crosshead).
    const ld tanPhi = (ld(Y[kCrankPin]) - Y[kCrosshead]) / (ld(X[kCrosshead]) - X[kCrankPin]);

    // 5. Lug: along the rod axis by mainRodLugHorz to its foot (13), then at
    // right angles below the rod by mainRodLugVert (10). The rod's frame is
    // the world frame rotated by -phi.
    const SinCos ph = sinCosOfAtan(tanPhi);
    const ld sinPhi = ph.s, cosPhi = ph.c;
    X[kMainRodLugFoot] = store(X[kCrankPin] + cosPhi * en.mainRodLugHorz);
    Y[kMainRodLugFoot] = store(Y[kCrankPin] - sinPhi * en.mainRodLugHorz);
    X[kMainRodLug] = store(X[kMainRodLugFoot] - sinPhi * en.mainRodLugVert);
    Y[kMainRodLug] = store(Y[kMainRodLugFoot] - cosPhi * en.mainRodLugVert);

    // 6. Swing lever: triangle lug (10), swing lever end (11), swing lever
    // pivot (12) with sides d = |10-12|, oscLeverLength = |10-11| and
    // swingLeverLength = |11-12|. The law of cosines gives the angle at 12;
    // arccos is written as pi/2 - arctan(w / sqrt(1 - w^2)). psi is the
    // direction of the side 10 -> 12.
    const ld dx12 = ld(X[kSwingLeverPivot]) - X[kMainRodLug];
    const ld dy12 = ld(Y[kSwingLeverPivot]) - Y[kMainRodLug];
    const ld tanPsi = dy12 / dx12;
    const ld d = std::sqrt(sq(dx12) + sq(dy12));
    float divisor = clampDivisor(en.swingLeverLength, raised);
    work = clampCosine(store((sq(d) + sq(en.swingLeverLength) - sq(en.oscLeverLength)) / 2.0L / d /
                             ld(divisor)),
                       raised);
    const ld w6 = work;
    // alpha = arccos(w) + psi, whose sine and cosine follow from those of the
    // two angles: cos(arccos w) = w, sin(arccos w) = sqrt(1 - w^2).
    SinCos al;
    if (std::isfinite(tanPsi) && std::isfinite(w6)) {
        const SinCos ps = sinCosOfAtan(tanPsi);
        const ld root = std::sqrt(1.0L - w6 * w6);
        al = {root * ps.c + w6 * ps.s, w6 * ps.c - root * ps.s};
    } else {
        al = sinCos(std::numbers::pi_v<ld> / 2.0L - std::atan(w6 / std::sqrt(1.0L - w6 * w6)) + std::atan(tanPsi));
    }

    // 7. Swing lever end: from the pivot, back along the direction alpha (the
    // side 12 -> 10 turned by the angle at 12) by the swing lever length.
    X[kSwingLeverEnd] = store(X[kSwingLeverPivot] - al.c * en.swingLeverLength);
    Y[kSwingLeverEnd] = store(Y[kSwingLeverPivot] - al.s * en.swingLeverLength);

    // 8. Oscillating lever 10 -> 11 at angle beta: the drive foot (15) lies on
    // it at oscLeverDriveHorz from the lug, the drive point (9) at right
    // angles below it by oscLeverDriveVert.
    const SinCos be = sinCosOfAtan((ld(Y[kSwingLeverEnd]) - Y[kMainRodLug]) /
                                   (ld(X[kSwingLeverEnd]) - X[kMainRodLug]));
    const ld sinBeta = be.s, cosBeta = be.c;
    X[kOscLeverDriveFoot] = store(X[kMainRodLug] + cosBeta * en.oscLeverDriveHorz);
    Y[kOscLeverDriveFoot] = store(Y[kMainRodLug] + sinBeta * en.oscLeverDriveHorz);
    X[kOscLeverDrivePoint] = store(X[kOscLeverDriveFoot] + sinBeta * en.oscLeverDriveVert);
    Y[kOscLeverDrivePoint] = store(Y[kOscLeverDriveFoot] - cosBeta * en.oscLeverDriveVert);

    // 9. Reverse arm end on its circle of radius reverseArmLength about the
    // link pivot, above it: right triangle with the horizontal leg X18 - X5.
    // Evaluated once: a second identical pass would give the same pivot and
    // only raise the same clamp a second time.
    work = clampNonNegative(
        store(sq(en.reverseArmLength) - sq(ld(X[kReverseArmEnd]) - X[kLinkPivot])), raised);
    Y[kReverseArmEnd] = store(Y[kLinkPivot] + std::sqrt(ld(work)));

    // 10. The link is straight through the reverse arm end (18) and the link
    // pivot (5); gamma is its tilt from the vertical. The lower end (6) lies
    // on the same line below the pivot, linkLowerLength away.
    divisor = clampDivisor(store(ld(Y[kReverseArmEnd]) - Y[kLinkPivot]), raised);
    const ld tanGamma = (ld(X[kReverseArmEnd]) - X[kLinkPivot]) / ld(divisor);
    const ld gamma = std::atan(tanGamma);
    const SinCos ga = sinCosOfAtan(tanGamma);
    X[kLinkLowerEnd] = store(X[kLinkPivot] - ga.s * en.linkLowerLength);
    Y[kLinkLowerEnd] = store(Y[kLinkPivot] - ga.c * en.linkLowerLength);

    // 11. Height of the link pivot above the drive point, the leg of the
    // next angle.
    divisor = clampDivisor(store(ld(Y[kLinkPivot]) - Y[kOscLeverDrivePoint]), raised);

    // 12. Triangle link pivot (5), drive point (9), link die (8): delta is the
    // supplement of its angle at 5 between the link line and the side 5 -> 9,
    // e the length of that side.
    const ld dx59 = ld(X[kOscLeverDrivePoint]) - X[kLinkPivot];
    const ld delta = std::numbers::pi_v<ld> - gamma - std::atan(dx59 / ld(divisor));
    r.linkTriangleAngle = store(delta);
    const ld e = std::sqrt(sq(dx59) + sq(ld(Y[kLinkPivot]) - Y[kOscLeverDrivePoint]));

    // 13. Sine rule in the same triangle: the angle at the die 8, opposite
    // the side e, from sin(8) = sin(5) * e / valveLeverLower. arcsin is
    // written as arctan(w / sqrt(1 - w^2)). Turning back by the link tilt
    // gives the valve lever's tilt epsilon from the vertical.
    work = clampCosine(store(sinCos(ld(r.linkTriangleAngle)).s * e / ld(valveLeverLower)), raised);
    const ld w13 = work;
    r.valveLeverAngle = store(std::atan(w13 / std::sqrt(1.0L - w13 * w13)) - gamma);

    // 14. Valve lever, a straight bar tilted by epsilon, from the drive point
    // up to the die (8) and on to its top (14); the valve rod pin (7) stands
    // off at right angles, towards the front, by valveLeverOffset.
    const ld eps = r.valveLeverAngle;
    const SinCos ep = sinCos(eps);
    const ld sinEps = ep.s, cosEps = ep.c;
    X[kLinkDie] = store(X[kOscLeverDrivePoint] - sinEps * valveLeverLower);
    Y[kLinkDie] = store(Y[kOscLeverDrivePoint] + cosEps * valveLeverLower);
    X[kValveLeverTop] = store(X[kLinkDie] - sinEps * en.valveLeverUpper);
    Y[kValveLeverTop] = store(Y[kLinkDie] + cosEps * en.valveLeverUpper);
    X[kValveRodPin] = store(X[kValveLeverTop] + cosEps * en.valveLeverOffset);
    Y[kValveRodPin] = store(Y[kValveLeverTop] + sinEps * en.valveLeverOffset);

    // 15. Valve rod from the pin (7) forward to the valve stem line (height
    // Y4): right triangle with hypotenuse valveRodLength, as in step 3.
    work = clampNonNegative(
        store(sq(en.valveRodLength) - sq(ld(Y[kValveRodPin]) - Y[kValveStemJoint])), raised);
    X[kValveStemJoint] = store(X[kValveRodPin] + std::sqrt(ld(work)));

    // 16. Port-event thresholds: valve-centre displacements at which a valve
    // edge meets a port edge, the same events as positions of the valve stem
    // joint, and the laps at mid travel.
    const Cyl& c = en.cyl;
    const ld h = ld(c.exhaustPortWidth) / 2.0L;
    r.frontAdmitTravel = store(h + c.bridgeFront + c.steamPortFront - c.valveLenFront);
    r.frontFullTravel = store(h + c.bridgeFront - c.valveLenFront);
    r.frontExhaustTravel = store(h + c.bridgeFront - c.cavityFront);
    r.rearAdmitTravel = store(h + c.bridgeRear + c.steamPortRear - c.valveLenRear);
    r.rearFullTravel = store(h + c.bridgeRear - c.valveLenRear);
    r.rearExhaustTravel = store(h + c.bridgeRear - c.cavityRear);
    r.valveTravel = store(ld(c.valveCentreToJoint) + X[kValveStemJoint] - c.cylCentreToDriver);
    r.rearAdmitJoint = store(ld(c.valveCentreToJoint) - c.valveLenRear - c.cylCentreToDriver + h +
                             c.bridgeRear + c.steamPortRear);
    r.frontAdmitJoint = store(h + c.cylCentreToDriver + c.bridgeFront + c.steamPortFront -
                              c.valveCentreToJoint - c.valveLenFront);
    r.frontSteamLap = store(ld(c.valveLenFront) - h - c.bridgeFront - c.steamPortFront);
    r.rearSteamLap = store(ld(c.valveLenRear) - h - c.bridgeRear - c.steamPortRear);
    r.frontExhaustLap = store(ld(c.cavityFront) - h - c.bridgeFront);
    r.rearExhaustLap = store(ld(c.cavityRear) - h - c.bridgeRear);
    return r;
}

}  // namespace

LinkageSolution solveLinkage(const Engine& e, float driverAngle, float revArmPos) {
    return linkage(e, driverSinCos(driverAngle), revArmPos);
}

PistonPorts solvePistonPorts(const Engine& e, float driverAngle, float valveStemX) {
    return pistonPorts(e, e.mainRodLength, driverSinCos(driverAngle), valveStemX);
}

GearSolution solveGear(const Engine& e, float driverAngle, float revArmPos) {
    GearSolution g;
    const SinCos th = driverSinCos(driverAngle);
    g.linkage = linkage(e, th, revArmPos);
    g.ports = pistonPorts(e, guardedLength(e.mainRodLength), th, g.linkage.pivotX[kValveStemJoint]);
    return g;
}

void solvePivots(Model& m) { storeLinkage(m, solveLinkage(m, m.driverAngle, m.revArmPos)); }

void solvePistonAndPorts(Model& m) {
    storePorts(m, solvePistonPorts(m, m.driverAngle, m.pivotX[kValveStemJoint]));
}

void placeOutlines(const Cyl& c, const float* pivotX, const float* pivotY, const View& v, IPoint* C, IPoint* V) {
    auto SX = [&v](ld x) { return screenX(v, x); };
    auto SY = [&v](ld y) { return screenY(v, y); };

    const ld xc = c.cylCentreToDriver;
    const ld h = ld(c.exhaustPortWidth) / 2.0L;
    const ld y3 = pivotY[kCrosshead];
    const ld r = y3 + c.valveSurfaceToCylCL;  // the valve seat

    const std::int32_t W = SY(r);
    const std::int32_t U = SY(r + c.chestHeight);
    const std::int32_t T = SY(r - ld(c.exhaustPortWidth) / 3.0L);
    const std::int32_t O = SY(r - ld(c.exhaustPortWidth) / 1.5L);
    const std::int32_t M = SY(r - c.steamPortRear);
    const std::int32_t F = SY(y3 + ld(c.boreDiameter) / 2.0L);
    const std::int32_t G = SY(y3 - ld(c.boreDiameter) / 2.0L);

    const ld halfChest = ld(c.chestLength) / 2.0L;
    const ld halfBore = ld(c.boreLength) / 2.0L;
    const std::int32_t rearPortEdge = SX(xc - h - c.bridgeRear - c.steamPortRear);
    const std::int32_t frontPortEdge = SX(xc + h + c.bridgeFront + c.steamPortFront);

    // Cylinder and steam chest, one open polyline from the rear of the
    // exhaust port round the chest, down the rear port, round the bore and
    // back up the front port.
    C[0] = {SX(xc - h), U};
    C[1] = {SX(xc - halfChest), U};
    C[2] = {SX(xc - halfChest), W};
    C[3] = {rearPortEdge, W};
    C[4] = {rearPortEdge, T};
    C[5] = {SX(xc - halfBore), F};
    C[6] = {SX(xc - halfBore), G};
    C[7] = {SX(xc + halfBore), G};
    C[8] = {SX(xc + halfBore), F};
    C[9] = {frontPortEdge, T};
    C[10] = {frontPortEdge, W};
    C[11] = {SX(xc + halfChest), W};
    C[12] = {SX(xc + halfChest), U};
    C[13] = {SX(xc + h), U};

    // Port passages: the inner walls of the exhaust port and both bridges,
    // down to the steam ports in the bore.
    const std::int32_t rearBridge = SX(xc - h - c.bridgeRear);
    const std::int32_t frontBridge = SX(xc + h + c.bridgeFront);
    C[14] = {SX(xc - h), M};
    C[15] = {SX(xc - h), W};
    C[16] = {rearBridge, W};
    C[17] = {rearBridge, O};
    C[18] = {SX(xc - halfBore + c.cylSteamPortWidth), F};
    C[19] = {SX(xc + halfBore - c.cylSteamPortWidth), F};
    C[20] = {frontBridge, O};
    C[21] = {frontBridge, W};
    C[22] = {SX(xc + h), W};
    C[23] = {SX(xc + h), M};

    // Piston (centre p, width w) and valve (centre q) with its exhaust
    // cavity. The screen rows are saturated, so the cavity roof cannot
    // overflow; it is still worked in 64 bits so it never has to rely on that.
    const ld p = ld(pivotX[kCrosshead]) + c.pistonToCrosshead;
    const ld w = c.pistonWidth;
    const ld q = ld(pivotX[kValveStemJoint]) + c.valveCentreToJoint;
    const std::int32_t Vt = SY(r + c.valveHeight);
    const std::int32_t Vs = SY(r);
    // Integer division truncates towards zero, as the drawing expects.
    const std::int32_t Vc =
        static_cast<std::int32_t>((std::int64_t{Vs} - std::int64_t{Vt}) / 3 + std::int64_t{Vt});

    const std::int32_t pistonRear = SX(p - w / 2.0L);
    const std::int32_t pistonFront = SX(p + w / 2.0L);
    const std::int32_t valveRear = SX(q - c.valveLenRear);
    const std::int32_t valveFront = SX(q + c.valveLenFront);
    const std::int32_t cavityFront = SX(q + c.cavityFront);
    const std::int32_t cavityRear = SX(q - c.cavityRear);

    V[0] = {pistonFront, SY(y3)};
    V[1] = {pistonRear, F};
    V[2] = {pistonRear, G};
    V[3] = {pistonFront, G};
    V[4] = {pistonFront, F};
    V[5] = {valveRear, SY(pivotY[kValveStemJoint])};
    V[6] = {valveRear, Vt};
    V[7] = {valveFront, Vt};
    V[8] = {valveFront, Vs};
    V[9] = {cavityFront, Vs};
    V[10] = {cavityFront, Vc};
    V[11] = {cavityRear, Vc};
    V[12] = {cavityRear, Vs};
    V[13] = {valveRear, Vs};
}

void computeOutlines(Model& m) {
    placeOutlines(m.cyl, m.pivotX, m.pivotY, m, m.cylinderPoints, m.valvePoints);
}

void solveAll(Model& m) {
    const GearSolution g = solveGear(m, m.driverAngle, m.revArmPos);
    storeLinkage(m, g.linkage);
    storePorts(m, g.ports);
    pivotsToScreen(m);
    computeOutlines(m);
}

}  // namespace tevrane
