// What the oval and the sine diagram share: both plot the valve travel of the
// pivot solve upwards from a centre row at y 215, on a vertical scale VS
// (diagramVScale: 375 pixels per unit of travel at VS 1), over the port
// threshold lines, and both list lead, lap and exhaust clearance for a
// position at mid gear.
#pragma once

#include <vector>

#include "model/Model.h"
#include "model/Solver.h"
#include "platform/Canvas.h"

namespace tevrane {

inline constexpr int kTravelCentreY = 215;

// Window row of a valve travel d: 215 - 375 d / VS, rounded.
int travelY(double d, float vs);
// The same with a fixed offset added before rounding (text placed relative
// to a curve or a line).
int travelY(double d, float vs, int offset);

// "Front", "Rear", "Units Travel", "Scale =" with the VS value, and the
// vertical scale: a major tick with its label every 0.1 units of travel and
// four minor ticks between; at scales above 3.75, where they would crowd,
// only every fifth tick and label. The major labels stand at x labelX.
void drawTravelScale(const Model& m, Canvas& c, int labelX);

// The six port threshold lines from x 15 to right, each where the curves
// reach that valve travel: the front ones in lime, the rear ones in red,
// measured the other way from the centre row. Each is labelled, in two
// columns: the front steam-port lines and the rear exhaust line at x
// columnA, the others at x columnB.
void drawThresholdLines(Canvas& c, const LinkageSolution& thresholds, float vs, int right,
                        int columnA, int columnB);

// A position counts as mid gear when it lies strictly within 0.05 of the
// centre. The values are single floats that stand for decimal entries, so a
// position that is 0.05 away up to their rounding (5.19 from 5.24) is 0.05
// away, not nearer.
bool nearMidGear(float position, float centre);

// The position (1..count) whose mid-gear table the oval and sine diagrams
// write: of the positions near mid gear, the one nearest the centre (the
// lower number on a tie); 0 when none is near. Two tables at one place
// would print their digits over each other.
int midGearTablePosition(const Model& m);

// The lowest and the highest valve stem joint X seen while sweeping a
// position at mid gear.
struct StemRange {
    float low = 1000.0f;
    float high = 0.0f;
    void see(float x) {
        if (x < low) low = x;
        if (x > high) high = x;
    }
};

// One sample of a sweep: the driver angle (degrees), the valve travel and
// the X of the valve stem joint from the pivot solve.
struct TravelSample {
    float angle = 0;
    float travel = 0;
    float stemX = 0;
};
struct TravelSweep {
    std::vector<TravelSample> samples;
    bool clamped = false;  // some solve had to mend the linkage
    bool midGear = false;
    StemRange stem;  // only filled at mid gear
};
// The pivot solve (only: the piston and ports play no part here) at each of
// the angles for one reverse-arm setting, on the engine as given; nothing is
// written anywhere.
TravelSweep sweepTravel(const Engine& e, float revArm, float centre,
                        const std::vector<float>& angles);

// Lead, lap and exhaust clearance of both ends, beside the scale's right
// end. With the rear valve half length not above the rear steam port width
// the laps are measured from the middle of the stem's range.
void drawMidGearTable(const Engine& e, Canvas& c, const LinkageSolution& terms,
                      const StemRange& stem);

// The thresholds and mid-gear terms depend on the cylinder only; one solve
// of the engine gives them.
LinkageSolution travelTerms(const Model& m);

}  // namespace tevrane
