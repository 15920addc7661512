// The search the valve events and the notch finder share: a driver turning
// one way, the four port openings the solver gives along it, and the zero
// crossing of one opening between two angles where it changes side.
//
// Angles are counted as the "phase": degrees turned from driver angle 0 the
// way the sense turns, so that in both senses an edge opens where its opening
// rises through zero with the phase, the way the port events diagram tests
// its samples.
#pragma once

#include <optional>

#include "model/FastGear.h"
#include "model/Model.h"
#include "model/Solver.h"
#include "model/ValveEvents.h"

namespace tevrane::eventsearch {

enum class Opening { FrontSteam, FrontExhaust, RearSteam, RearExhaust };

// The driver angle in [0, 360) a phase reaches.
double driverAngleAt(double phase, Sense sense);

// What the search reads of the gear at one angle, from either path.
struct GearSample {
    double opening[4] = {};  // by Opening
    double valveTravel = 0;
    double die = 0;          // along the link from its pivot, up positive
    double pistonTrace = 0;  // the solver's 0..640 scale
    int clamps = 0;
};

double openingOf(const PistonPorts& p, Opening o);
// The phase at which a driver turning this way reaches the driver angle.
double phaseOf(double driverAngle, Sense sense);
// Place in the stroke of the front or the back end on the solver's piston
// scale (dead centres at 0 and 180 degrees): the front counts up the 0..640
// scale, the back down it. Used only where the crank cannot close.
double strokePercent(double pistonTrace, bool front);

// The diagram's rules: rising from below zero to zero or above, falling from
// above zero to zero or below.
inline bool isRising(double before, double after) { return before < 0.0 && after >= 0.0; }
inline bool isFalling(double before, double after) { return before > 0.0 && after <= 0.0; }

// The solver at one setting turning one way. Remembers whether any solve it
// made had to mend the linkage.
class GearAt {
public:
    GearAt(const Engine& e, float revArm, Sense sense, EventPath path = EventPath::Fast)
        : engine_(e), crank_(e), fast_(e), revArm_(revArm), sense_(sense), path_(path) {}

    GearSample at(double phase);
    double opening(double phase, Opening o) { return at(phase).opening[static_cast<int>(o)]; }
    EventPath path() const { return path_; }
    Sense sense() const { return sense_; }
    float revArm() const { return revArm_; }
    bool clamped() const { return clamped_; }
    const CrankGeometry& crank() const { return crank_; }
    // The phase of an end's dead centre.
    double deadCentrePhase(bool front) const {
        return phaseOf(front ? crank_.deadCentres().front : crank_.deadCentres().back, sense_);
    }

private:
    const Engine& engine_;
    CrankGeometry crank_;
    FastGear fast_;
    float revArm_;
    Sense sense_;
    EventPath path_;
    bool clamped_ = false;
};

// The phase in [a, b] where the opening crosses zero, given its values at a
// and b (on either side of zero, or one of them exactly zero). Found to
// 1e-6 degrees, or to two steps of the single-precision driver angle the
// solver takes where those are coarser (about 6e-5 degrees near 360).
double crossing(GearAt& gear, Opening o, double a, double fa, double b, double fb);

// Turns the crossing into an event: its driver angle and the end's stroke
// percent there (unsigned: the distance from the end's dead centre).
EventPoint eventAt(GearAt& gear, double phase, bool front);
// The same, signed: negative when the phase comes before the end's dead
// centre, for admission and compression.
EventPoint signedEventAt(GearAt& gear, double phase, bool front);

// Both ends' cut-offs over a whole turn, found exactly as valveEvents finds
// them but without the other events and extremes.
struct CutOffs {
    std::optional<EventPoint> front, back;
    bool clamped = false;
};
CutOffs cutOffs(const Engine& e, float revArm, Sense sense, EventPath path = EventPath::Fast);

}  // namespace tevrane::eventsearch
