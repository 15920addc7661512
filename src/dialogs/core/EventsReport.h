// The valve events table and the notch finder as a designer reads them: one
// row per setting, sense and cylinder end with the front-minus-back
// differences beneath, the mid gear laps, and the reverse-arm settings that
// give the wanted cut-offs. The "Valve Events" window shows these rows;
// EventsForms.h turns the same report into the plain text, the tab-separated
// copy, the CSV and the JSON of `tevrane --events`.
//
// Every number comes from valveEvents, midGear and findNotches on the model's
// engine; nothing here writes to the model.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/DesignChecks.h"
#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/NotchTargets.h"
#include "model/ValveEvents.h"

namespace tevrane {

// Which reverse-arm settings the table lists.
enum class EventsSettings {
    PortDiagram,      // the port events diagram's 19 settings, forward and reverse
    RevArmPositions,  // the positions of the reverse-arm set, each the way it drives
};

// Front and back are compared in percent of stroke; a difference beyond this
// is marked.
inline constexpr double kDefaultEventsTolerance = kDefaultCutOffTolerance;

// One setting turning one way.
struct EventsSetting {
    int number = 0;            // the port diagram's row 0..18, or the position 1..9
    double travelPercent = 0;  // distance from the centre in percent of the maximum travel
    ValveEvents events;
};

struct EventsReport {
    std::string design;  // the design's name, empty for an unsaved one
    EventsSettings settings = EventsSettings::PortDiagram;
    float revArmCentre = 0;
    float revArmMax = 0;
    std::vector<EventsSetting> rows;  // the port diagram's forward rows, then its reverse rows
    MidGear midGear;
    DeadCentres deadCentres;
    std::vector<NotchTarget> targets;
    NotchTable notches;
    // The design checks of the port diagram's settings and the notches,
    // whichever settings the table lists.
    DesignCheck check;
    bool clamped = false;  // the solver mended the linkage somewhere
    LengthUnit unit = LengthUnit::Inch;  // the design's: every length is in it
};

// The positions of the reverse-arm set in use: revArmSetCount once the set's
// dialog has settled it, before that the leading positions that are set.
int revArmPositionsInUse(const Motion& m);
// A position drives forward at or above the centre and in reverse below it,
// as the steam diagram runs it.
Sense positionDrives(float position, float centre);

// The checks judge front and back cut-off at the notches by the tolerance.
EventsReport makeEventsReport(const Model& m, EventsSettings settings, std::span<const NotchTarget> targets,
                              double tolerance = kDefaultEventsTolerance);

// Whether front and back disagree by more than the tolerance. An event that
// only one end has is not compared.
bool exceedsTolerance(const std::optional<double>& difference, double tolerance);

// ---- the table ------------------------------------------------------------

enum class EventsColumn {
    Number, Setting, Travel, Sense, End, Lead, MaxOpening, OverTravel,
    AdmissionAngle, Admission, CutOffAngle, CutOff, ReleaseAngle, Release,
    CompressionAngle, Compression, ValveTravel, DieHighest, DieLowest, DieTravel, Note,
};
inline constexpr int kEventsColumns = 21;

// How the columns are measured, in a designer's words: the headers of the
// text and the CSV and the window's note say it.
inline constexpr const char* kEventsMeasures =
    "Admission and compression in percent of stroke from the end's dead centre, negative before it and "
    "positive after it; cut-off and release in percent of the working stroke from the dead centre. "
    "Dead centres are where crank and main rod lie in line. Max open is the steam port's largest opening "
    "(at most its width), over-travel how far the valve edge runs past the port; the die's place is along "
    "the link from its pivot, positive towards the reverse arm.";
// The same followed by the unit every length is in: "Lengths in inches (in)."
std::string eventsMeasures(LengthUnit u);

struct EventsColumnInfo {
    const char* title;  // the heading
    const char* unit;   // its unit, under the heading
    bool angle;         // a driver-angle column, which the window may hide
};
const EventsColumnInfo& eventsColumn(EventsColumn c);
// A column's unit as shown under its heading, a length column naming the
// design's unit ("in", "mm").
std::string eventsColumnUnit(EventsColumn c, LengthUnit u);

enum class EventsRowKind { Front, Back, Difference };

struct EventsCell {
    std::string text;
    bool overTolerance = false;  // the difference of this column is beyond the tolerance
};

struct EventsRow {
    EventsRowKind kind = EventsRowKind::Front;
    int setting = 0;  // index into EventsReport::rows
    std::array<EventsCell, kEventsColumns> cells;
    const EventsCell& at(EventsColumn c) const { return cells[static_cast<size_t>(c)]; }
};

// Three rows per setting: front, back, front minus back. A column whose
// difference exceeds the tolerance is marked in all three.
std::vector<EventsRow> eventsRows(const EventsReport& r, double tolerance);

// The mid gear block: one line per quantity with front, back and their
// difference.
std::vector<std::array<std::string, 4>> midGearRows(const EventsReport& r);

// ---- the notch finder -------------------------------------------------------

// The column heads after "Target": forward front, back, mean; reverse front, back, mean.
inline constexpr int kNotchColumns = 7;
const std::array<const char*, kNotchColumns>& notchColumnTitles();

struct NotchCell {
    std::string text;  // the setting; the full gear with its cut-off
    bool outOfReach = false;
};
std::vector<std::array<NotchCell, kNotchColumns>> notchRows(const EventsReport& r);
// What cut-offs the gear gives at all, per sense and end.
std::vector<std::string> reachLines(const EventsReport& r);

}  // namespace tevrane
