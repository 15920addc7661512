// Where to cut the reverser's notches: for each wanted cut-off, the
// reverse-arm setting that gives it, forward and reverse, judged by the front
// end, the back end or their mean. Found by a root finder over the reverse
// arm's travel from the centre out to the full travel, on the cut-offs of
// valveEvents.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "model/Model.h"
#include "model/ValveEvents.h"

namespace tevrane {

// A wanted cut-off in percent of stroke, or the full gear: the cut-off the
// gear gives with the reverse arm at its full travel.
struct NotchTarget {
    double cutOff = 0;
    bool fullGear = false;
};
// 75, 65, 50, 35 and 25 % and the full gear.
std::vector<NotchTarget> defaultNotchTargets();

enum class NotchEnd { Front = 0, Back = 1, Mean = 2 };
inline constexpr int kNotchEnds = 3;

// A setting that gives the target, and the cut-off valveEvents gives there
// (within kNotchTolerance of the target, or the full gear's own).
struct NotchSetting {
    float revArm = 0;
    double cutOff = 0;
    // Both ends' own cut-offs at the setting (percent of stroke), as the
    // whole turn gives them; empty where an end has none.
    std::optional<double> front, back;
};
inline constexpr double kNotchTolerance = 1e-3;  // percent of stroke

// One target: empty where it is out of reach.
struct NotchRow {
    NotchTarget target;
    std::array<std::optional<NotchSetting>, kNotchEnds> setting;  // by NotchEnd
    const std::optional<NotchSetting>& at(NotchEnd end) const { return setting[static_cast<size_t>(end)]; }
};

// The cut-offs met along the travel (at the port diagram's 19 settings), so
// that a target out of reach can say how far the gear does reach; empty when
// the port never cuts off at all.
struct CutOffReach {
    std::optional<double> low, high;
};

struct NotchSense {
    std::vector<NotchRow> rows;  // in the order of the targets
    std::array<CutOffReach, kNotchEnds> reach;  // by NotchEnd
};

struct NotchTable {
    NotchSense forward, reverse;
    // The solver mended the linkage somewhere on the way.
    bool clamped = false;
};

// Searches every target both ways. The events at the 19 diagram settings
// bracket each target; a table already made for the same engine and centre
// spares computing them again.
NotchTable findNotches(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets,
                       EventPath path = EventPath::Fast);
NotchTable findNotches(const Engine& e, const EventsTable& table, std::span<const NotchTarget> targets,
                       EventPath path = EventPath::Fast);

}  // namespace tevrane
