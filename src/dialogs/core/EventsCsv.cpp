// The report as three CSV blocks: events, mid gear, notches.
#include "dialogs/core/EventsForms.h"

#include "dialogs/core/EventsFormat.h"

namespace tevrane {

using namespace eventsformat;

std::string eventsReportCsv(const EventsReport& r) {
    std::string out =
        "design,number,reverse_arm,travel_percent,sense,end,lead,max_steam_opening,over_travel,admission_angle,"
        "admission_percent_negative_before_dead_centre,cut_off_angle,cut_off_percent,release_angle,release_percent,"
        "compression_angle,"
        "compression_percent_negative_before_dead_centre,valve_travel,die_highest,die_lowest,die_travel,clamped,extra_openings,"
        "front_dead_centre,back_dead_centre,length_unit\n";
    const std::string design = csvString(r.design);
    // Every length of the three blocks (lead, openings, travel, the die's
    // places, reverse-arm settings, laps) is in this unit.
    const std::string unit = unitSymbol(r.unit);
    for (const EventsSetting& s : r.rows) {
        const ValveEvents& v = s.events;
        const std::string die =
            exact(v.die.highest) + "," + exact(v.die.lowest) + "," + exact(v.die.travel()) + ",";
        const std::string deadCentres = exact(v.deadCentres.front) + "," + exact(v.deadCentres.back);
        const std::string lead = design + "," + std::to_string(s.number) + "," + exact(v.revArm) + "," +
                                 exact(s.travelPercent) + "," + senseName(v.sense) + ",";
        for (const EndEvents* end : {&v.front, &v.back}) {
            out += lead + (end == &v.front ? "front" : "back") + "," + exact(end->lead) + "," +
                   exact(end->maxSteamOpening) + "," + exact(end->overTravel);
            for (const EventColumns& ec : kEventColumns)
                out += "," + exact(angleOf(end->*ec.event)) + "," + exact(percentOf(end->*ec.event));
            out += "," + exact(v.valveTravel) + "," + die + (v.clamped ? "1" : "0") + "," +
                   (end->extraOpenings ? "1" : "0") + "," + deadCentres + "," + unit + "\n";
        }
        out += lead + "front-back," + exact(v.difference.lead) + "," + exact(v.difference.maxSteamOpening) + ",";
        for (const EventColumns& ec : kEventColumns) out += ",," + exact(v.difference.*ec.difference);
        out += ",,,,," + std::string(v.clamped ? "1" : "0") + ",," + deadCentres + "," + unit + "\n";
    }

    out += "\nend,steam_lap,lead,exhaust_clearance,length_unit\n";
    for (const auto& [name, laps] : {std::pair{"front", &r.midGear.front}, std::pair{"back", &r.midGear.back}})
        out += std::string(name) + "," + exact(laps->steamLap) + "," + exact(laps->lead) + "," +
               exact(laps->exhaustClearance) + "," + unit + "\n";

    out += "\ntarget_cut_off,full_gear,sense,end,reverse_arm,cut_off,length_unit\n";
    const char* ends[] = {"front", "back", "mean"};
    for (const auto& [name, sense] : {std::pair{"forward", &r.notches.forward}, std::pair{"reverse", &r.notches.reverse}})
        for (size_t t = 0; t < sense->rows.size(); ++t) {
            const NotchRow& row = sense->rows[t];
            for (int end = 0; end < kNotchEnds; ++end) {
                const auto& found = row.setting[static_cast<size_t>(end)];
                out += (row.target.fullGear ? std::string() : exact(row.target.cutOff)) + "," +
                       (row.target.fullGear ? "1" : "0") + "," + name + "," + ends[end] + "," +
                       (found ? exact(found->revArm) + "," + exact(found->cutOff) : std::string(",")) + "," +
                       unit + "\n";
            }
        }
    return out;
}

}  // namespace tevrane
