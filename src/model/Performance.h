// Indicated performance of a gear: the theoretical indicator card of both
// cylinder ends from the valve events of a setting, each end's mean effective
// pressure and work per stroke, the work ratio front/back, the mean of both
// ends and the indicated power, at the notches and at the port diagram's 19
// settings in both senses.
//
// The events come from valveEvents (true dead centres, signed admission and
// compression); the card arithmetic is IndicatorCard's. Inputs are gauge
// pressures as a designer reads them off a gauge; the atmosphere is added
// here. Nothing here writes to a model.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/IndicatorCard.h"
#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

namespace tevrane {

// The unit names of one unit system, for headings and the command line.
struct PerformanceUnitNames {
    const char* pressure;  // "psi" / "bar"
    const char* length;    // "in" / "mm"
    const char* work;      // work per stroke: "ft lbf" / "J"
    const char* power;     // "hp" / "kW"
    const char* speed;     // road speed: "mph" / "km/h"
};
PerformanceUnitNames unitNames(PowerUnits units);

// The units a design's performance is given in: psi, in, hp for a design in
// inches, bar, mm, kW for one in millimetres.
constexpr PowerUnits powerUnitsOf(LengthUnit u) {
    return u == LengthUnit::Millimetre ? PowerUnits::Metric : PowerUnits::Imperial;
}

// What the engine is worked at. Pressures are gauge (above the atmosphere),
// in psi for a design in inches and bar for one in millimetres.
struct PerformanceInputs {
    double chestPressure = 100;   // steam-chest pressure, gauge
    double backPressure = 0;      // exhaust back pressure, gauge (0: atmospheric)
    double clearancePercent = 8;  // clearance volume, percent of the swept volume
    // Revolutions per minute, or a road speed (mph / km/h) turned into
    // revolutions through the driver diameter when `roadSpeed` is set.
    double revolutionsPerMinute = 300;
    std::optional<double> roadSpeed;
    int cylinders = 2;
    PowerUnits units = PowerUnits::Imperial;
};

// Defaults a design in millimetres starts from: 7 bar gauge, atmospheric
// exhaust, 8 % clearance, 300 rpm, 2 cylinders.
PerformanceInputs defaultPerformanceInputs(PowerUnits units);

// Why the inputs cannot be used; empty when they can.
std::string performanceInputsProblem(const PerformanceInputs& in);

// One end at one setting.
struct EndPerformance {
    CardEvents events;  // fractions of the stroke, signed as the events give them
    IndicatorCard card;
    // Work of one stroke of this end: mep x piston area x stroke (ft lbf or J).
    double work = 0;
    bool usable() const { return card.issue == CardIssue::None; }
};

struct SettingPerformance {
    float revArm = 0;
    Sense sense = Sense::Forward;
    std::optional<NotchTarget> target;  // set for a notch row
    // A notch whose cut-off the travel does not reach: no setting, no card.
    bool outOfReach = false;
    EndPerformance front, back;
    // Empty unless both ends have a card.
    std::optional<double> meanEffectivePressure;  // mean of both ends, psi / bar
    std::optional<double> workRatio;             // front work over back work
    std::optional<double> power;                 // hp / kW, all cylinders
    bool clamped = false;  // the solver mended the linkage at this setting
};

// The card fractions of one end's events: strokePercent / 100, signs kept.
CardEvents cardEvents(const EndEvents& end);

// The revolutions per minute the inputs stand for on this engine.
double performanceRevolutions(const Engine& e, const PerformanceInputs& in);

// Performance of one setting from its events.
SettingPerformance settingPerformance(const Engine& e, const ValveEvents& ev, const PerformanceInputs& in);

// The whole table: the notches (each found by the mean of both ends' cut-off)
// and the 19 port diagram settings, both senses.
struct PerformanceTable {
    PerformanceInputs inputs;
    double revolutionsPerMinute = 0;
    double pistonArea = 0;  // in^2 / mm^2
    double stroke = 0;      // in / mm
    std::vector<SettingPerformance> notchesForward, notchesReverse;
    std::vector<SettingPerformance> settingsForward, settingsReverse;
    bool clamped = false;
};
PerformanceTable performanceTable(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets,
                                  const PerformanceInputs& in);

}  // namespace tevrane
