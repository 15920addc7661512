#include "diagrams/core/TravelPlot.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "diagrams/core/PositionList.h"
#include "model/Format.h"
#include "model/Units.h"

namespace tevrane {

namespace {

constexpr long double kPixelsPerUnit = 375.0L;

struct Threshold {
    float LinkageSolution::*travel;
    int side;  // -1 front, +1 rear: the rear travel counts the other way
    const char* label;
    bool columnA;
    int labelOffset;  // label above (-16) or below (+1) its line
};
constexpr Threshold kThresholds[] = {
    {&LinkageSolution::frontAdmitTravel, -1, "Front Steam Port Open", true, -16},
    {&LinkageSolution::frontFullTravel, -1, "Front Steam Port Max", true, 1},
    {&LinkageSolution::frontExhaustTravel, -1, "Front Exhaust Port Open", false, 1},
    {&LinkageSolution::rearAdmitTravel, 1, "Rear Steam Port Open", false, 1},
    {&LinkageSolution::rearFullTravel, 1, "Rear Steam Port Max", false, -16},
    {&LinkageSolution::rearExhaustTravel, 1, "Rear Exhaust Port Open", true, -16},
};

}  // namespace

int travelY(double d, float vs) { return travelY(d, vs, 0); }

int travelY(double d, float vs, int offset) {
    return toInt(kTravelCentreY + offset - kPixelsPerUnit * d / vs);
}

int travelTickStride(float vs) {
    // Minor ticks lie 7.5 / VS pixels apart; every stride-th of them is drawn
    // so that they stay at least two pixels apart: all of them up to VS 3.75,
    // every fifth up to 18.75, then every 10th, 50th, 100th, ...
    int stride = 1;
    bool timesFive = true;
    while (stride * 3.75L < vs && stride < 100000000) {
        stride *= timesFive ? 5 : 2;
        timesFive = !timesFive;
    }
    return stride;
}

void drawTravelScale(const Model& m, Canvas& c, int labelX) {
    const float vs = m.diagramVScale;
    c.textOut(9, 46, "Front");
    c.textOut(9, 374, "Rear");
    c.textOut(9, 32, "Units Travel");
    // The units the travel is counted in, after the words.
    c.textOut(13 + c.textWidth("Units Travel"), 32, std::string("(") + unitSymbol(m.lengthUnit) + ")");
    c.textOut(9, 18, "Scale =");
    c.textOut(50, 18, fixed(vs, 3, 1));

    // Nothing to mark on a scale that is not a positive number up to the
    // limit (a model set by hand; the dialog and the file hold it there).
    if (!(vs > 0.0f) || vs > kMaxDiagramVScale) return;
    const int g = toInt(4.0L * vs);
    const int stride = travelTickStride(vs);
    const int lastMinor = 5 * g / stride * stride;
    for (int h = -lastMinor; h <= lastMinor; h += stride) {
        const int y = toInt(kTravelCentreY + 7.5L * h / vs);
        c.line(39, y, 44, y);
    }
    const int lastMajor = g / stride * stride;
    for (int k = -lastMajor; k <= lastMajor; k += stride) {
        const int y = toInt(kTravelCentreY + 37.5L * k / vs);
        c.line(36, y, 44, y);
        c.textOut(labelX, toInt(210.0L - 37.5L * k / vs), fixed(k * 0.1, 0, 1));
    }
}

void drawThresholdLines(Canvas& c, const LinkageSolution& thresholds, float vs, int right,
                        int columnA, int columnB) {
    for (const Threshold& t : kThresholds) {
        const double d = -t.side * static_cast<double>(thresholds.*t.travel);
        c.setPenColour(t.side < 0 ? colours::lime : colours::red);
        const int y = travelY(d, vs);
        c.line(15, y, right, y);
        c.textOut(t.columnA ? columnA : columnB, travelY(d, vs, t.labelOffset), t.label);
    }
    c.setPenColour(colours::black);
}

bool nearMidGear(float position, float centre) {
    const long double apart = std::fabs(static_cast<long double>(position) - centre);
    // Two single-precision roundings of the operands, at most.
    const long double slack =
        2.0L * FLT_EPSILON * std::max({1.0L, std::fabs(static_cast<long double>(position)),
                                       std::fabs(static_cast<long double>(centre))});
    return apart < 0.05L - slack;
}

int midGearTablePosition(const Model& m) {
    const float centre = m.revArmCentre();
    int best = 0;
    long double bestApart = 0;
    for (int k = 1; k <= positionsInUse(m); ++k) {
        if (!nearMidGear(m.revArmSet[k], centre)) continue;
        const long double apart = std::fabs(static_cast<long double>(m.revArmSet[k]) - centre);
        if (best == 0 || apart < bestApart) {
            best = k;
            bestApart = apart;
        }
    }
    return best;
}

TravelSweep sweepTravel(const Engine& e, float revArm, float centre,
                        const std::vector<float>& angles) {
    TravelSweep sweep;
    sweep.midGear = nearMidGear(revArm, centre);
    sweep.samples.reserve(angles.size());
    for (const float angle : angles) {
        const LinkageSolution s = solveLinkage(e, angle, revArm);
        const float stemX = s.pivotX[kValveStemJoint];
        sweep.samples.push_back({angle, s.valveTravel, stemX});
        sweep.clamped = sweep.clamped || s.clamps > 0;
        if (sweep.midGear) sweep.stem.see(stemX);
    }
    return sweep;
}

void drawMidGearTable(const Engine& e, Canvas& c, const LinkageSolution& t, const StemRange& stem) {
    c.textOut(595, 153, "Lead");
    c.textOut(595, 182, "Lap");
    c.textOut(595, 211, "ExCl");
    c.textOut(595, 253, "Lap");
    c.textOut(595, 282, "Lead");

    const bool longValve = e.cyl.valveLenRear > e.cyl.steamPortRear;
    const long double mean = (static_cast<long double>(stem.low) + stem.high) / 2.0L;
    auto value = [&c](int y, long double v) { c.textOut(592, y, fixed(static_cast<double>(v), 6, 3)); };
    value(166, static_cast<long double>(t.rearAdmitJoint) + stem.high);
    value(295, static_cast<long double>(t.frontAdmitJoint) - stem.low);
    if (longValve) {
        value(195, t.frontSteamLap);
        value(266, t.rearSteamLap);
        value(224, t.frontExhaustLap);
        value(237, t.rearExhaustLap);
    } else {
        value(195, t.frontSteamLap - mean);
        value(266, mean + t.rearSteamLap);
        value(224, t.frontExhaustLap - mean);
        value(237, mean + t.rearExhaustLap);
    }
    // The unit of every figure of the table, under its last line.
    c.textOut(595, 311, std::string("(") + unitSymbol(e.lengthUnit) + ")");
}

LinkageSolution travelTerms(const Model& m) { return solveLinkage(m, 0.0f, m.revArmCentre()); }

}  // namespace tevrane
