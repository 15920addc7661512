#include "model/Performance.h"

#include <cmath>
#include <numbers>

namespace tevrane {

PerformanceUnitNames unitNames(PowerUnits units) {
    if (units == PowerUnits::Metric) return {"bar", "mm", "J", "kW", "km/h"};
    return {"psi", "in", "ft lbf", "hp", "mph"};
}

PerformanceInputs defaultPerformanceInputs(PowerUnits units) {
    PerformanceInputs in;
    in.units = units;
    if (units == PowerUnits::Metric) in.chestPressure = 7.0;
    return in;
}

std::string performanceInputsProblem(const PerformanceInputs& in) {
    const double atm = in.units == PowerUnits::Metric ? kAtmosphereBar : kAtmospherePsi;
    const char* unit = unitNames(in.units).pressure;
    if (!std::isfinite(in.chestPressure) || in.chestPressure + atm <= 0)
        return std::string("the steam-chest pressure must be a gauge pressure above a vacuum (") + unit + ")";
    if (!std::isfinite(in.backPressure) || in.backPressure + atm <= 0)
        return std::string("the back pressure must be a gauge pressure above a vacuum (") + unit + ")";
    if (in.backPressure >= in.chestPressure)
        return "the back pressure must be below the steam-chest pressure";
    if (!std::isfinite(in.clearancePercent) || in.clearancePercent < 0 || in.clearancePercent >= 100)
        return "the clearance must be at least 0 and below 100 % of the swept volume";
    if (in.roadSpeed) {
        if (!std::isfinite(*in.roadSpeed) || *in.roadSpeed < 0) return "the road speed must be 0 or more";
    } else if (!std::isfinite(in.revolutionsPerMinute) || in.revolutionsPerMinute < 0) {
        return "the revolutions per minute must be 0 or more";
    }
    if (in.cylinders < 1) return "there must be at least one cylinder";
    return {};
}

namespace {

std::optional<double> fraction(const std::optional<EventPoint>& p) {
    if (!p) return std::nullopt;
    return p->strokePercent / 100.0;
}

double pistonArea(const Engine& e) {
    const double bore = e.cyl.boreDiameter;
    return std::numbers::pi / 4 * bore * bore;
}

// mep x area x stroke in the design's units, as work of one stroke: in lbf
// over 12 for ft lbf, or bar x mm^2 x mm = 1e-4 J.
double strokeWork(double mep, double area, double stroke, PowerUnits units) {
    const double w = mep * area * stroke;
    return units == PowerUnits::Metric ? w * 1e-4 : w / 12.0;
}

}  // namespace

CardEvents cardEvents(const EndEvents& end) {
    return {fraction(end.admission), fraction(end.cutOff), fraction(end.release), fraction(end.compression)};
}

double performanceRevolutions(const Engine& e, const PerformanceInputs& in) {
    if (in.roadSpeed) return revolutionsFromSpeed(*in.roadSpeed, e.driverDiameter, in.units);
    return in.revolutionsPerMinute;
}

SettingPerformance settingPerformance(const Engine& e, const ValveEvents& ev, const PerformanceInputs& in) {
    const double atm = in.units == PowerUnits::Metric ? kAtmosphereBar : kAtmospherePsi;
    const CardPressures pressures{in.chestPressure + atm, in.backPressure + atm, in.clearancePercent / 100.0};
    const double area = pistonArea(e);
    SettingPerformance s;
    s.revArm = ev.revArm;
    s.sense = ev.sense;
    s.clamped = ev.clamped;
    auto end = [&](const EndEvents& events) {
        EndPerformance p;
        p.events = cardEvents(events);
        p.card = indicatorCard(p.events, pressures);
        if (p.usable()) p.work = strokeWork(p.card.meanEffectivePressure, area, e.stroke, in.units);
        return p;
    };
    s.front = end(ev.front);
    s.back = end(ev.back);
    if (s.front.usable() && s.back.usable()) {
        const double mep = (s.front.card.meanEffectivePressure + s.back.card.meanEffectivePressure) / 2;
        s.meanEffectivePressure = mep;
        // A back end that gives no work has no ratio to speak of.
        if (s.back.work > 0) s.workRatio = s.front.work / s.back.work;
        s.power = indicatedPower({mep, e.cyl.boreDiameter, e.stroke, performanceRevolutions(e, in), in.cylinders,
                                  in.units});
    }
    return s;
}

PerformanceTable performanceTable(const Engine& e, float revArmCentre, std::span<const NotchTarget> targets,
                                  const PerformanceInputs& in) {
    PerformanceTable t;
    t.inputs = in;
    t.revolutionsPerMinute = performanceRevolutions(e, in);
    t.pistonArea = pistonArea(e);
    t.stroke = e.stroke;
    const EventsTable events = eventsTable(e, revArmCentre);
    t.clamped = events.clamped;
    for (const ValveEvents& ev : events.forward) t.settingsForward.push_back(settingPerformance(e, ev, in));
    for (const ValveEvents& ev : events.reverse) t.settingsReverse.push_back(settingPerformance(e, ev, in));
    const NotchTable notches = findNotches(e, events, targets);
    t.clamped = t.clamped || notches.clamped;
    auto notchRows = [&](const NotchSense& ns, Sense sense, std::vector<SettingPerformance>& out) {
        for (const NotchRow& row : ns.rows) {
            const auto& at = row.at(NotchEnd::Mean);
            if (!at) {
                // Out of reach: the row stays, with no card, so that the
                // table says so rather than skipping the target.
                SettingPerformance none;
                none.sense = sense;
                none.target = row.target;
                none.outOfReach = true;
                none.front.card.issue = none.back.card.issue = CardIssue::MissingEvent;
                out.push_back(none);
                continue;
            }
            SettingPerformance s = settingPerformance(e, valveEvents(e, at->revArm, sense), in);
            s.target = row.target;
            t.clamped = t.clamped || s.clamped;
            out.push_back(std::move(s));
        }
    };
    notchRows(notches.forward, Sense::Forward, t.notchesForward);
    notchRows(notches.reverse, Sense::Reverse, t.notchesReverse);
    return t;
}

}  // namespace tevrane
