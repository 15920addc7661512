// The engines, settings and the fingerprint of the solver's reference table.
// The table (tests/data/solver_reference.bin) holds, for every case made here,
// the fingerprint of everything one full solve stores: it was written by
// tools/make_solver_reference from a solver known to be right, and guards every
// later change of the solver's arithmetic bit for bit.
#pragma once

#include <cstdint>
#include <cstring>

#include "model/Model.h"
#include "model/Solver.h"

namespace tevrane::reference {

inline constexpr int kCaseCount = 4096;

// A small generator of our own, so the cases are the same on every machine.
struct SplitMix {
    std::uint64_t s;
    std::uint64_t next() {
        std::uint64_t z = (s += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi), made from 24 random bits so it is exact in a float.
    float uniform(float lo, float hi) {
        const float u = static_cast<float>(next() >> 40) / 16777216.0f;
        return lo + (hi - lo) * u;
    }
};

// Case k: the default engine with every dimension scaled by a random factor
// (most cases near the default, some far off so the clamps are met), a random
// driver angle and reverse arm setting, and the error beep on or off.
inline void makeCase(int k, Model& m) {
    initModel(m);
    SplitMix r{0x7E5A0000ull + static_cast<std::uint64_t>(k)};
    const float spread = (k % 8 == 7) ? 0.9f : 0.15f;
    float* frame[] = {&m.driverDiameter, &m.stroke, &m.mainRodLength, &m.mainRodLugVert,
                      &m.mainRodLugHorz, &m.oscLeverLength, &m.oscLeverDriveVert,
                      &m.oscLeverDriveHorz, &m.swingLeverLength, &m.reverseArmLength,
                      &m.linkLowerLength, &m.valveRodLength, &m.valveLeverUpper,
                      &m.valveLeverOffset, &m.valveLeverLower, &m.pivotX[5], &m.pivotY[5],
                      &m.pivotX[12], &m.pivotY[12]};
    for (float* f : frame) *f *= r.uniform(1.0f - spread, 1.0f + spread);
    for (int i = 0; i < Cyl::kCount; ++i) m.cyl[i] *= r.uniform(1.0f - spread, 1.0f + spread);
    m.pivotY[kCrosshead] = r.uniform(-0.2f, 0.2f);
    m.pivotY[kValveStemJoint] = m.pivotY[kCrosshead] + m.cyl.valveStemToCylCL;
    if (k % 64 == 13) m.mainRodLength = 0.0f;
    if (k % 64 == 29) m.valveLeverLower = 0.0f;
    m.driverAngle = (k % 16 == 0) ? static_cast<float>(k / 16 % 8) * 45.0f
                                  : r.uniform(0.0f, 360.0f);
    m.revArmPos = m.pivotX[kLinkPivot] + r.uniform(-1.5f, 1.5f) * m.revArmMax;
    m.errorBeep = (k % 5) != 0;
    m.viewScale = r.uniform(10.0f, 120.0f);
    m.viewOffsetX = r.uniform(-200.0f, 400.0f);
    m.viewOffsetY = r.uniform(100.0f, 500.0f);
}

// FNV-1a over the bits of everything one full solve stores.
struct Fingerprint {
    std::uint64_t h = 0xCBF29CE484222325ull;
    void bytes(const void* p, std::size_t n) {
        const auto* b = static_cast<const unsigned char*>(p);
        for (std::size_t i = 0; i < n; ++i) {
            h ^= b[i];
            h *= 0x100000001B3ull;
        }
    }
    void f(float v) { bytes(&v, sizeof v); }
    void i(std::int32_t v) { bytes(&v, sizeof v); }
};

inline std::uint64_t fingerprint(const Model& m) {
    Fingerprint fp;
    for (int i = 0; i < kPivotCount; ++i) {
        fp.f(m.pivotX[i]);
        fp.f(m.pivotY[i]);
        fp.i(m.pivotScreenX[i]);
        fp.i(m.pivotScreenY[i]);
    }
    for (float v : {m.valveLeverAngle, m.linkTriangleAngle, m.gearSignA, m.gearSignB,
                    m.valveTravel, m.frontAdmitTravel, m.frontFullTravel, m.frontExhaustTravel,
                    m.rearAdmitTravel, m.rearFullTravel, m.rearExhaustTravel, m.rearAdmitJoint,
                    m.frontAdmitJoint, m.frontSteamLap, m.rearSteamLap, m.frontExhaustLap,
                    m.rearExhaustLap, m.pistonTrace, m.frontSteamOpening, m.frontExhaustOpening,
                    m.rearSteamOpening, m.rearExhaustOpening, m.mainRodLength,
                    m.valveLeverLower})
        fp.f(v);
    for (const IPoint& p : m.cylinderPoints) {
        fp.i(p.x);
        fp.i(p.y);
    }
    for (const IPoint& p : m.valvePoints) {
        fp.i(p.x);
        fp.i(p.y);
    }
    fp.i(m.solverError ? 1 : 0);
    return fp.h;
}

}  // namespace tevrane::reference
