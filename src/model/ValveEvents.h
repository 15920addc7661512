// Valve events of one reverse-arm setting, found as the solver's own zero
// crossings of the port openings over the driver angle rather than read off
// the port events diagram's 4-degree samples: for each cylinder end the
// admission, cut-off, release and compression (driver angle and percent of
// that end's stroke), the lead, the largest steam port opening, and for the
// valve its full travel.
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

// Which way the driver turns: forward with the driver angle increasing, as
// the port events diagram sweeps its forward graph, reverse with it falling.
enum class Sense { Forward, Reverse };

// An event where it happens: the driver angle in [0, 360) degrees, and the
// piston's place in that end's stroke, 0 % at the end's own dead centre and
// 100 % at the other (the port events diagram's horizontal scale).
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
    // Steam port opening at this end's dead centre (front: driver angle 0,
    // back: 180); negative while the port is still lapped there.
    double lead = 0;
    // The largest steam port opening over a turn (negative: never opens).
    double maxSteamOpening = 0;
    // A steam or exhaust edge that opened more than once in the turn; the
    // events above are then the ones nearest the dead centres.
    bool extraOpenings = false;
};

// Front minus back. The events are compared in percent of stroke and are
// empty unless both ends have them.
struct EventDifferences {
    std::optional<double> admission, cutOff, release, compression;
    double lead = 0;
    double maxSteamOpening = 0;
};

struct ValveEvents {
    float revArm = 0;
    Sense sense = Sense::Forward;
    EndEvents front, back;
    EventDifferences difference;  // front minus back
    // Largest minus smallest valve displacement over a turn.
    double valveTravel = 0;
    // The solver mended a linkage that could not close at some angle that
    // was evaluated: the events then belong to a mended, not a real, gear.
    bool clamped = false;
};

// Front minus back of two ends' events.
EventDifferences eventDifferences(const EndEvents& front, const EndEvents& back);

// The events of one setting turning one way.
ValveEvents valveEvents(const Engine& e, float revArm, Sense sense);

// What the valve does with the reverse arm at its centre, per end: the steam
// lap (positive: the valve covers the port by that much at mid travel), the
// lead there, and the exhaust clearance (positive: the exhaust edge is open
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
std::vector<ValveEvents> valveEvents(const Engine& e, std::span<const float> settings, Sense sense);

// The events of the 19 diagram settings in both senses and the mid gear.
struct EventsTable {
    std::vector<ValveEvents> forward, reverse;
    MidGear midGear;
    bool clamped = false;  // any row, or the mid gear
};
EventsTable eventsTable(const Engine& e, float revArmCentre);

}  // namespace tevrane
