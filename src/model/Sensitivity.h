// How far the valve events move when one dimension grows by a small step:
// the first thing to look at when setting a valve gear, to know which few
// lengths are worth adjusting. Forward differences of the precise events
// (valveEvents) at a set of notches, the reverse-arm settings held fixed, as
// a real quadrant's notches are.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

namespace tevrane {

// A reverse-arm setting where the events are looked at: the notch of one
// target cut-off turning one way.
struct NotchPoint {
    NotchTarget target;
    Sense sense = Sense::Forward;
    float revArm = 0;
};

// The notches of a table: for each target, forward then reverse, the setting
// whose mean of front and back cut-off is the target. Targets out of reach
// in a sense are left out there.
std::vector<NotchPoint> notchPoints(const NotchTable& t);
std::vector<NotchPoint> notchPoints(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets);

// The events of one end the table follows. The die's travel along the link
// belongs to the setting, not to an end: both ends carry the same value.
enum class EventKind { CutOff = 0, Lead, Release, Compression, MaxOpening, DieTravel };
inline constexpr int kEventKinds = 6;
// Cut-off, release and compression are in percent of stroke; lead, the
// largest opening and the die's travel in length units.
inline bool isPercentKind(EventKind k) { return k == EventKind::CutOff || k == EventKind::Release || k == EventKind::Compression; }

// The events of both ends at one setting, empty where the edge never crosses.
struct EventValues {
    std::array<std::optional<double>, kEventKinds> front, back;
    bool clamped = false;
};
EventValues eventValues(const ValveEvents& v);

// The dimensions that move the events at a fixed setting: frame 1..19 and
// the cylinder's 101, 102, 109..114 and 118..122. The two travel limits (20,
// 21) move no event at a given setting and the other cylinder dimensions
// only shape the drawing.
std::span<const int> eventDimensions();

// The value of a dimension of an engine, and setting it as the dynamic
// variables do (102 and 109 keep pivotY[4] = pivotY[3] + valveStemToCylCL).
// Ids that are no dimension read 0 and write nothing.
float dimensionValue(const Engine& e, int id);
void setDimension(Engine& e, int id, float value);

struct SensitivityRow {
    int id = 0;
    float value = 0;  // the dimension before the step
    float grown = 0;  // and after it, as stored (single precision)
    // Per notch, in the order of the table's notches: after minus before,
    // empty where either has no such event.
    std::vector<EventValues> change;
    // The largest change of a percent event over every notch, and of a length.
    double percentScore = 0, lengthScore = 0;
    bool clamped = false;  // a solve after the step had to mend the linkage
};

struct SensitivityTable {
    double step = 0;
    std::vector<NotchPoint> notches;
    std::vector<EventValues> base;  // the events before any step
    // The dimensions that matter most first: by the largest change of a
    // percent event, then by the largest change of a length, then by id.
    std::vector<SensitivityRow> rows;
    bool baseClamped = false;
    LengthUnit unit = LengthUnit::Inch;  // the engine's: the step, values and lengths
};

inline constexpr double kDefaultSensitivityStep = 0.01;

// The events at the notches before, and after each dimension in turn grows
// by `step` (the others left as they are); on two threads.
SensitivityTable sensitivityTable(const Engine& e, std::span<const NotchPoint> notches, double step,
                                  std::span<const int> ids = eventDimensions());

}  // namespace tevrane
