// Valve events of one reverse-arm setting, found as the solver's own zero
// crossings of the port openings over the driver angle rather than read off
// the port events diagram's 4-degree samples: for each cylinder end the
// admission, cut-off, release and compression (driver angle and percent of
// that end's stroke), the lead, the largest steam port opening and how far
// the valve runs past the port, and for the valve and the link die their
// travel.
//
// Dead centres and stroke percentages are the piston's true ones: the crank
// angles at which crank and main rod lie in line, and the crosshead's place
// between them with the rod's angularity and the cylinder line's height
// above the driver centre. The main window and the port diagram keep their
// own 0..640 piston scale, which takes the dead centres at 0 and 180 degrees.
//
// Every number comes from solveGear on the given engine; nothing here writes
// to a model.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "model/Model.h"

namespace tevrane {

// The driver angles (degrees, [0, 360)) at which crank and main rod lie in
// line: front with the crosshead farthest towards the cylinder (0 with the
// cylinder line on the driver centre), back nearest the driver (180).
struct DeadCentres {
    double front = 0;
    double back = 180;
};

// The crank and main rod as the piston sees them, in double precision from
// the engine's stroke, main rod length and cylinder line height.
class CrankGeometry {
public:
    explicit CrankGeometry(const Engine& e);
    // The rod reaches the cylinder line at every angle (main rod minus half
    // stroke longer than the line's height); otherwise the dead centres are
    // taken at 0 and 180 and the stroke from the solver's piston scale.
    bool closes() const { return closes_; }
    const DeadCentres& deadCentres() const { return dc_; }
    // Crosshead's distance along the cylinder line from the driver centre.
    double crossheadX(double driverAngle) const;
    // The piston's place in the front or back end's stroke, 0 % at that
    // end's dead centre and 100 % at the other's.
    double strokePercent(double driverAngle, bool front) const;
    // The length of the stroke between the two dead centres (the crank's
    // throw doubled, or a little more with the line off the centre).
    double strokeLength() const { return xFront_ - xBack_; }

private:
    double r_ = 0, rod_ = 0, h_ = 0;
    double xFront_ = 0, xBack_ = 0;
    DeadCentres dc_;
    bool closes_ = false;
};

DeadCentres deadCentres(const Engine& e);

// Which solve the events are found on: the designer's tools' own double
// precision path (FastGear.h), or the solver the displays use, bit for bit.
// The two agree to 1e-4 % of stroke in every event and 1e-5 in every length.
enum class EventPath { Fast, Exact };

// Which way the driver turns: forward with the driver angle increasing, as
// the port events diagram sweeps its forward graph, reverse with it falling.
enum class Sense { Forward, Reverse };

// An event where it happens: the driver angle in [0, 360) degrees, and the
// piston's place in that end's stroke in percent from the end's own dead
// centre. Cut-off and release lie on the working stroke (0 % at the dead
// centre, 100 % at the other). Admission and compression are signed: negative
// before the end's dead centre (the piston still coming towards it, that far
// from it), positive after it (already that far into the working stroke).
struct EventPoint {
    double driverAngle = 0;
    double strokePercent = 0;
};

// The events of one cylinder end. An event is empty when its edge never
// crosses: a port that never opens has neither admission nor cut-off.
struct EndEvents {
    std::optional<EventPoint> admission;    // steam edge opens
    std::optional<EventPoint> cutOff;       // steam edge closes
    std::optional<EventPoint> release;      // exhaust edge opens
    std::optional<EventPoint> compression;  // exhaust edge closes
    // Steam port opening at this end's true dead centre; negative while the
    // port is still lapped there.
    double lead = 0;
    // The largest opening of the steam port over a turn: never more than the
    // port's width (negative: the port never opens).
    double maxSteamOpening = 0;
    // How far the valve edge runs past the port's far edge, over the bridge
    // (a length, 0 when it stops at or short of it).
    double overTravel = 0;
    // A steam or exhaust edge that opened more than once in the turn; the
    // events above are then the ones nearest the dead centres.
    bool extraOpenings = false;
};

// Front minus back of the same signed quantities. The events are compared in
// percent of stroke and are empty unless both ends have them.
struct EventDifferences {
    std::optional<double> admission, cutOff, release, compression;
    double lead = 0;
    double maxSteamOpening = 0;
};

// Where the link die runs on the link over a turn: along the link from the
// link pivot, positive towards the reverse arm end, in the design's unit.
struct DieTravel {
    double highest = 0;
    double lowest = 0;
    double travel() const { return highest - lowest; }
};

struct ValveEvents {
    float revArm = 0;
    Sense sense = Sense::Forward;
    EndEvents front, back;
    EventDifferences difference;  // front minus back
    // Largest minus smallest valve displacement over a turn.
    double valveTravel = 0;
    DieTravel die;
    DeadCentres deadCentres;
    // The solver mended a linkage that could not close at some angle that
    // was evaluated: the events then belong to a mended, not a real, gear.
    bool clamped = false;
};

// Front minus back of two ends' events.
EventDifferences eventDifferences(const EndEvents& front, const EndEvents& back);

// The events of one setting turning one way.
ValveEvents valveEvents(const Engine& e, float revArm, Sense sense, EventPath path = EventPath::Fast);

// What the valve does with the reverse arm at its centre, per end: the steam
// lap (positive: the valve covers the port by that much at mid travel), the
// lead there (at the end's true dead centre), and the exhaust clearance (positive: the exhaust edge is open
// by that much at mid travel, negative: it laps).
struct EndLaps {
    double steamLap = 0;
    double lead = 0;
    double exhaustClearance = 0;
};
struct MidGear {
    EndLaps front, back;
    bool clamped = false;
};
MidGear midGear(const Engine& e, float revArmCentre);

// The port events diagram's 19 settings: from the centre out to the full
// travel, row i at centre + i * revArmMax / 18 forward, centre - i *
// revArmMax / 18 reverse, computed exactly as the diagram computes them.
inline constexpr int kEventSettings = 19;
std::array<float, kEventSettings> portDiagramSettings(const Engine& e, float revArmCentre,
                                                      Sense sense);

// The events of several settings turning one way.
std::vector<ValveEvents> valveEvents(const Engine& e, std::span<const float> settings, Sense sense,
                                     EventPath path = EventPath::Fast);

// The events of the 19 diagram settings in both senses and the mid gear.
struct EventsTable {
    std::vector<ValveEvents> forward, reverse;
    DeadCentres deadCentres;
    MidGear midGear;
    bool clamped = false;  // any row, or the mid gear
};
EventsTable eventsTable(const Engine& e, float revArmCentre, EventPath path = EventPath::Fast);

}  // namespace tevrane
