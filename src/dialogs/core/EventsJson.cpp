// The report as one JSON object.
#include "dialogs/core/EventsForms.h"

#include "dialogs/core/EventsFormat.h"

namespace tevrane {

using namespace eventsformat;

std::string eventsReportJson(const EventsReport& r, double tolerance) {
    const auto point = [](const std::optional<EventPoint>& p) {
        return p ? "{\"driverAngle\": " + json(p->driverAngle) + ", \"strokePercent\": " + json(p->strokePercent) + "}"
                 : std::string("null");
    };
    const auto end = [&](const EndEvents& e) {
        std::string s = "{\"lead\": " + json(e.lead) + ", \"maxSteamOpening\": " + json(e.maxSteamOpening) +
                        ", \"overTravel\": " + json(e.overTravel);
        for (const EventColumns& ec : kEventColumns) s += ", \"" + std::string(ec.key) + "\": " + point(e.*ec.event);
        return s + ", \"extraOpenings\": " + json(e.extraOpenings) + "}";
    };
    std::string out = "{\n  \"design\": " + jsonString(r.design) + ",\n  \"lengthUnit\": " +
                      jsonString(unitSymbol(r.unit)) + ",\n  \"settings\": " +
                      jsonString(r.settings == EventsSettings::PortDiagram ? "port diagram" : "reverse arm positions") +
                      ",\n  \"revArmCentre\": " + json(r.revArmCentre) + ",\n  \"revArmMax\": " + json(r.revArmMax) +
                      ",\n  \"tolerancePercent\": " + json(tolerance) + ",\n  \"deadCentres\": {\"front\": " +
                      json(r.deadCentres.front) + ", \"back\": " + json(r.deadCentres.back) + "}" + ",\n  \"clamped\": " + json(r.clamped) +
                      ",\n  \"rows\": [";
    for (size_t i = 0; i < r.rows.size(); ++i) {
        const EventsSetting& s = r.rows[i];
        const ValveEvents& v = s.events;
        std::string over;
        std::string diff = "{\"lead\": " + json(v.difference.lead) +
                           ", \"maxSteamOpening\": " + json(v.difference.maxSteamOpening);
        for (const EventColumns& ec : kEventColumns) {
            diff += ", \"" + std::string(ec.key) + "\": " + json(v.difference.*ec.difference);
            if (exceedsTolerance(v.difference.*ec.difference, tolerance))
                over += (over.empty() ? "\"" : ", \"") + std::string(ec.key) + "\"";
        }
        diff += ", \"overTolerance\": [" + over + "]}";
        out += std::string(i ? "," : "") + "\n    {\"number\": " + std::to_string(s.number) +
               ", \"revArm\": " + json(v.revArm) + ", \"travelPercent\": " + json(s.travelPercent) +
               ", \"sense\": \"" + senseName(v.sense) + "\", \"valveTravel\": " + json(v.valveTravel) +
               ", \"clamped\": " + json(v.clamped) + ",\n     \"die\": {\"highest\": " + json(v.die.highest) +
               ", \"lowest\": " + json(v.die.lowest) + ", \"travel\": " + json(v.die.travel()) + "}" +
               ",\n     \"front\": " + end(v.front) +
               ",\n     \"back\": " + end(v.back) + ",\n     \"difference\": " + diff + "}";
    }
    out += "\n  ],\n  \"midGear\": {";
    for (const auto& [name, laps] : {std::pair{"front", &r.midGear.front}, std::pair{"back", &r.midGear.back}})
        out += std::string(laps == &r.midGear.front ? "" : ", ") + "\"" + name + "\": {\"steamLap\": " +
               json(laps->steamLap) + ", \"lead\": " + json(laps->lead) +
               ", \"exhaustClearance\": " + json(laps->exhaustClearance) + "}";
    out += "},\n  \"notches\": {";
    const char* ends[] = {"front", "back", "mean"};
    bool firstSense = true;
    for (const auto& [name, sense] : {std::pair{"forward", &r.notches.forward}, std::pair{"reverse", &r.notches.reverse}}) {
        out += std::string(firstSense ? "" : ",") + "\n    \"" + name + "\": {\"rows\": [";
        firstSense = false;
        for (size_t t = 0; t < sense->rows.size(); ++t) {
            const NotchRow& row = sense->rows[t];
            out += std::string(t ? "," : "") + "\n      {\"target\": " +
                   (row.target.fullGear ? std::string("\"full gear\"") : json(row.target.cutOff));
            for (int e = 0; e < kNotchEnds; ++e) {
                const auto& found = row.setting[static_cast<size_t>(e)];
                out += ", \"" + std::string(ends[e]) + "\": " +
                       (found ? "{\"revArm\": " + json(found->revArm) + ", \"cutOff\": " + json(found->cutOff) + "}"
                              : std::string("null"));
            }
            out += "}";
        }
        out += "],\n      \"reach\": {";
        for (int e = 0; e < kNotchEnds; ++e) {
            const CutOffReach& reach = sense->reach[static_cast<size_t>(e)];
            out += std::string(e ? ", " : "") + "\"" + ends[e] + "\": {\"low\": " + json(reach.low) +
                   ", \"high\": " + json(reach.high) + "}";
        }
        out += "}}";
    }
    out += "\n  }\n}\n";
    return out;
}

}  // namespace tevrane
