#include "model/FastGear.h"

#include <cmath>
#include <numbers>

namespace tevrane {

namespace {

constexpr double kMinDivisorD = static_cast<double>(0.00001f);
constexpr double kMaxCosineD = static_cast<double>(0.999999f);

// The solver's three clamps on doubles, raising the same count.
double nonNegative(double v, int& raised) {
    if (v < 0.0) {
        ++raised;
        return -v;
    }
    return v;
}
double divisor(double v, int& raised) {
    if (v >= 0.0 && v < kMinDivisorD) {
        ++raised;
        return kMinDivisorD;
    }
    if (v > -kMinDivisorD && v < 0.0) {
        ++raised;
        return -kMinDivisorD;
    }
    return v;
}
double cosine(double v, int& raised) {
    if (v > kMaxCosineD) {
        ++raised;
        return kMaxCosineD;
    }
    if (v < -kMaxCosineD) {
        ++raised;
        return -kMaxCosineD;
    }
    return v;
}

double sq(double v) { return v * v; }

// Sine and cosine of arctan(q).
void ofAtan(double q, double& s, double& c) {
    if (!std::isfinite(q)) {
        const double a = std::atan(q);
        s = std::sin(a);
        c = std::cos(a);
        return;
    }
    c = 1.0 / std::sqrt(1.0 + q * q);
    s = q * c;
}

double guarded(float v) { return v == 0.0f ? kMinDivisorD : static_cast<double>(v); }

}  // namespace

FastGear::FastGear(const Engine& e)
    : e_(e), mainRod_(guarded(e.mainRodLength)), valveLeverLower_(guarded(e.valveLeverLower)) {}

FastGearSample FastGear::at(double driverAngle, double revArm) const {
    FastGearSample r;
    int& raised = r.clamps;
    const Engine& en = e_;
    const double th = driverAngle * std::numbers::pi / 180.0;
    const double sinTh = std::sin(th), cosTh = std::cos(th);
    const double x1 = en.pivotX[kDriverCentre], y1 = en.pivotY[kDriverCentre];
    const double y3 = en.pivotY[kCrosshead];

    // 2-3. Crank pin and crosshead.
    const double half = 0.5 * static_cast<double>(en.stroke);
    const double x2 = x1 + cosTh * half, y2 = y1 - sinTh * half;
    const double x3 = x2 + std::sqrt(nonNegative(sq(mainRod_) - sq(y2 - y3), raised));

    // 4-5. Main rod slope, lug foot and lug.
    double sinPhi, cosPhi;
    ofAtan((y2 - y3) / (x3 - x2), sinPhi, cosPhi);
    const double x13 = x2 + cosPhi * en.mainRodLugHorz, y13 = y2 - sinPhi * en.mainRodLugHorz;
    const double x10 = x13 - sinPhi * en.mainRodLugVert, y10 = y13 - cosPhi * en.mainRodLugVert;

    // 6-7. Swing lever by the law of cosines.
    const double x12 = en.pivotX[kSwingLeverPivot], y12 = en.pivotY[kSwingLeverPivot];
    const double dx12 = x12 - x10, dy12 = y12 - y10;
    const double tanPsi = dy12 / dx12;
    const double d = std::sqrt(sq(dx12) + sq(dy12));
    const double swing = divisor(en.swingLeverLength, raised);
    const double w6 = cosine((sq(d) + sq(en.swingLeverLength) - sq(en.oscLeverLength)) / 2.0 / d / swing, raised);
    double sinAl, cosAl;
    if (std::isfinite(tanPsi) && std::isfinite(w6)) {
        double sinPsi, cosPsi;
        ofAtan(tanPsi, sinPsi, cosPsi);
        const double root = std::sqrt(1.0 - w6 * w6);
        sinAl = root * cosPsi + w6 * sinPsi;
        cosAl = w6 * cosPsi - root * sinPsi;
    } else {
        const double al = std::numbers::pi / 2.0 - std::atan(w6 / std::sqrt(1.0 - w6 * w6)) + std::atan(tanPsi);
        sinAl = std::sin(al);
        cosAl = std::cos(al);
    }
    const double x11 = x12 - cosAl * en.swingLeverLength, y11 = y12 - sinAl * en.swingLeverLength;

    // 8. Oscillating lever, drive foot and drive point.
    double sinBe, cosBe;
    ofAtan((y11 - y10) / (x11 - x10), sinBe, cosBe);
    const double x15 = x10 + cosBe * en.oscLeverDriveHorz, y15 = y10 + sinBe * en.oscLeverDriveHorz;
    const double x9 = x15 + sinBe * en.oscLeverDriveVert, y9 = y15 - cosBe * en.oscLeverDriveVert;

    // 9-10. Reverse arm end and the link's tilt.
    const double x5 = en.pivotX[kLinkPivot], y5 = en.pivotY[kLinkPivot];
    const double x18 = static_cast<double>(static_cast<float>(revArm));
    const double y18 = y5 + std::sqrt(nonNegative(sq(en.reverseArmLength) - sq(x18 - x5), raised));
    const double tanGamma = (x18 - x5) / divisor(y18 - y5, raised);
    const double gamma = std::atan(tanGamma);

    // 11-13. The triangle link pivot, drive point, die; the valve lever's tilt.
    const double legY = divisor(y5 - y9, raised);
    const double dx59 = x9 - x5;
    const double delta = std::numbers::pi - gamma - std::atan(dx59 / legY);
    const double e = std::sqrt(sq(dx59) + sq(y5 - y9));
    const double w13 = cosine(std::sin(delta) * e / valveLeverLower_, raised);
    const double eps = std::atan(w13 / std::sqrt(1.0 - w13 * w13)) - gamma;
    const double sinEps = std::sin(eps), cosEps = std::cos(eps);

    // 14-15. Die, valve lever top, valve rod pin, valve stem joint.
    const double x8 = x9 - sinEps * valveLeverLower_, y8 = y9 + cosEps * valveLeverLower_;
    const double x14 = x8 - sinEps * en.valveLeverUpper, y14 = y8 + cosEps * en.valveLeverUpper;
    const double x7 = x14 + cosEps * en.valveLeverOffset, y7 = y14 + sinEps * en.valveLeverOffset;
    const double y4 = en.pivotY[kValveStemJoint];
    const double x4 = x7 + std::sqrt(nonNegative(sq(en.valveRodLength) - sq(y7 - y4), raised));

    // The die along the link line through 5 and 18.
    const double ux = x18 - x5, uy = y18 - y5, length = std::hypot(ux, uy);
    r.die = length > 1e-12 ? ((x8 - x5) * ux + (y8 - y5) * uy) / length : y8 - y5;

    // 18. Openings from the valve's displacement.
    const Cyl& c = en.cyl;
    const double h = static_cast<double>(c.exhaustPortWidth) / 2.0;
    const double v = x4 + c.valveCentreToJoint - c.cylCentreToDriver;
    r.valveTravel = v;
    r.frontSteam = h + c.bridgeFront + c.steamPortFront - (v + c.valveLenFront);
    r.frontExhaust = (v + c.cavityFront) - (h + c.bridgeFront);
    r.rearSteam = (v - c.valveLenRear) + h + c.bridgeRear + c.steamPortRear;
    r.rearExhaust = -(v - c.cavityRear) - (h + c.bridgeRear);
    // 17's clamps, so a design the piston step cannot place is mended here too.
    divisor(en.stroke, raised);
    nonNegative(sq(mainRod_) - sq(sinTh * en.stroke / 2.0), raised);
    return r;
}

}  // namespace tevrane
