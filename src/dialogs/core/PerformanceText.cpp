#include "dialogs/core/PerformanceText.h"

#include "dialogs/core/EventsFormat.h"
#include "model/NotchTargets.h"

#include <cmath>
#include <numbers>

namespace tevrane {

using namespace eventsformat;

namespace {

constexpr int kPressureDecimals = 2;
constexpr int kWorkDecimals = 1;
constexpr int kRatioDecimals = 3;
constexpr int kPowerDecimals = 1;
constexpr int kRevArmDecimals = 3;

std::optional<double> endMep(const EndPerformance& e) {
    if (!e.usable()) return std::nullopt;
    return e.card.meanEffectivePressure;
}
std::optional<double> endWork(const EndPerformance& e) {
    if (!e.usable()) return std::nullopt;
    return e.work;
}

bool outOfReach(const SettingPerformance& s) { return s.outOfReach; }

std::string label(const SettingPerformance& s, int index) {
    if (s.target) return notchTargetLabel(*s.target);
    return "setting " + std::to_string(index);
}

std::string inputsLine(const PerformanceTable& t) {
    const PerformanceInputs& in = t.inputs;
    const PerformanceUnitNames u = unitNames(in.units);
    const double atm = in.units == PowerUnits::Metric ? kAtmosphereBar : kAtmospherePsi;
    std::string s = "Steam chest " + num(in.chestPressure, 2) + " " + u.pressure + " gauge, back pressure " +
                    num(in.backPressure, 2) + " " + u.pressure + " gauge (the cards add the atmosphere, " +
                    num(atm, in.units == PowerUnits::Metric ? 5 : 1) + " " + u.pressure + "), clearance " +
                    num(in.clearancePercent, 2) + " % of the swept volume\n";
    s += std::to_string(in.cylinders) + " cylinders at " + num(t.revolutionsPerMinute, 1) + " rpm";
    if (in.roadSpeed) s += std::string(" (") + num(*in.roadSpeed, 1) + " " + u.speed + ")";
    s += ", bore " + num(std::sqrt(t.pistonArea * 4 / std::numbers::pi), 3) + " " + u.length + ", stroke " +
         num(t.stroke, 3) + " " + u.length + "\n";
    return s;
}

std::string jsonRow(const SettingPerformance& s, int index) {
    std::string target = "null";
    if (s.target) target = s.target->fullGear ? "\"full\"" : json(s.target->cutOff);
    const auto end = [](const EndPerformance& e) {
        return "{\"mep\": " + json(endMep(e)) + ", \"work\": " + json(endWork(e)) + "}";
    };
    std::string row = "{\"target\": " + target;
    if (!s.target) row += ", \"setting\": " + std::to_string(index);
    const bool reached = !outOfReach(s);
    row += ", \"sense\": \"" + std::string(senseName(s.sense)) + "\", \"revArm\": " +
           (reached ? json(double(s.revArm)) : std::string("null")) + ", \"front\": " + end(s.front) +
           ", \"back\": " + end(s.back) + ", \"mep\": " + json(s.meanEffectivePressure) +
           ", \"workRatio\": " + json(s.workRatio) + ", \"power\": " + json(s.power) +
           ", \"note\": " + jsonString(performanceNote(s)) + "}";
    return row;
}

}  // namespace

std::string performanceNote(const SettingPerformance& s) {
    if (outOfReach(s)) return kOutOfReach;
    std::string note;
    const auto add = [&](const char* w) { note += (note.empty() ? "" : "; ") + std::string(w); };
    if (!s.front.usable() || !s.back.usable()) add("no card");
    if (s.clamped) add("mended linkage");
    if (s.front.card.compressionAboveChest || s.back.card.compressionAboveChest) add("compression above chest");
    if (s.front.card.admissionAfterDeadCentre || s.back.card.admissionAfterDeadCentre) add("late admission");
    if ((s.front.usable() && s.front.card.meanEffectivePressure <= 0) ||
        (s.back.usable() && s.back.card.meanEffectivePressure <= 0))
        add("negative work");
    return note;
}

std::string performanceHeading(const PerformanceTable& t, const std::string& design) {
    const PerformanceUnitNames u = unitNames(t.inputs.units);
    std::string out = "Indicated performance of " + design + "\n" + inputsLine(t);
    out += "Mean effective pressure (mep) in " + std::string(u.pressure) + " over the swept volume, work of one stroke in " +
           u.work + ", power in " + u.power + " of all cylinders; work ratio is front over back.\n";
    if (t.clamped) out += "Warning: the solver mended the linkage somewhere; rows marked so are not a real gear.\n";
    return out;
}

std::vector<PerformanceSection> performanceSections(const PerformanceTable& t) {
    std::vector<PerformanceSection> sections;
    const auto section = [&](const char* title, const std::vector<SettingPerformance>& rows) {
        PerformanceSection s{title, {}, {false, true, true, true, true, true, true, true, true, false}};
        s.lines.push_back({"", "Rev arm", "Front mep", "Back mep", "Mean mep", "Front work", "Back work",
                           "Work ratio", "Power", "Note"});
        for (size_t i = 0; i < rows.size(); ++i) {
            const SettingPerformance& p = rows[i];
            const bool reached = !outOfReach(p);
            s.lines.push_back({label(p, int(i)), reached ? num(p.revArm, kRevArmDecimals) : kNone,
                               num(endMep(p.front), kPressureDecimals), num(endMep(p.back), kPressureDecimals),
                               num(p.meanEffectivePressure, kPressureDecimals), num(endWork(p.front), kWorkDecimals),
                               num(endWork(p.back), kWorkDecimals), num(p.workRatio, kRatioDecimals),
                               num(p.power, kPowerDecimals), performanceNote(p)});
        }
        sections.push_back(std::move(s));
    };
    section("Notches forward (cut-off the mean of front and back)", t.notchesForward);
    section("Notches reverse", t.notchesReverse);
    section("Port diagram settings forward (0 at mid gear, 18 at full travel)", t.settingsForward);
    section("Port diagram settings reverse", t.settingsReverse);
    return sections;
}

std::string performanceText(const PerformanceTable& t, const std::string& design) {
    std::string out = performanceHeading(t, design);
    for (const PerformanceSection& s : performanceSections(t))
        out += "\n" + s.title + "\n" + alignedTable(s.lines, s.rightAligned);
    return out;
}

std::string performanceCsv(const PerformanceTable& t) {
    const PerformanceUnitNames u = unitNames(t.inputs.units);
    const std::string p = std::string(" (") + u.pressure + ")", w = std::string(" (") + u.work + ")";
    std::string out = "kind,target,setting,sense,revArm,front mep" + p + ",back mep" + p + ",mep" + p +
                      ",front work" + w + ",back work" + w + ",work ratio,power (" + u.power + "),note\n";
    const auto rows = [&](const char* kind, const std::vector<SettingPerformance>& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            const SettingPerformance& s = list[i];
            std::string target;
            if (s.target) target = s.target->fullGear ? "full" : exact(s.target->cutOff);
            out += std::string(kind) + "," + target + "," + (s.target ? "" : std::to_string(i)) + "," +
                   senseName(s.sense) + "," + (outOfReach(s) ? "" : exact(double(s.revArm))) + "," +
                   exact(endMep(s.front)) + "," + exact(endMep(s.back)) + "," + exact(s.meanEffectivePressure) +
                   "," + exact(endWork(s.front)) + "," + exact(endWork(s.back)) + "," + exact(s.workRatio) + "," +
                   exact(s.power) + "," + csvString(performanceNote(s)) + "\n";
        }
    };
    rows("notch", t.notchesForward);
    rows("notch", t.notchesReverse);
    rows("setting", t.settingsForward);
    rows("setting", t.settingsReverse);
    return out;
}

std::string performanceJson(const PerformanceTable& t, const std::string& design) {
    const PerformanceInputs& in = t.inputs;
    const PerformanceUnitNames u = unitNames(in.units);
    std::string out = "{\n  \"units\": {\"pressure\": " + jsonString(std::string(u.pressure) + " gauge in, absolute in the cards") +
                      ", \"mep\": " + jsonString(u.pressure) + ", \"length\": " + jsonString(u.length) +
                      ", \"work\": " + jsonString(u.work) + ", \"power\": " + jsonString(u.power) +
                      ", \"speed\": " + jsonString(u.speed) + "},\n  \"design\": " + jsonString(design) +
                      ",\n  \"inputs\": {\"pressure\": " + json(in.chestPressure) + ", \"backPressure\": " +
                      json(in.backPressure) + ", \"clearancePercent\": " + json(in.clearancePercent) +
                      ", \"rpm\": " + json(t.revolutionsPerMinute) + ", \"speed\": " +
                      (in.roadSpeed ? json(*in.roadSpeed) : std::string("null")) + ", \"cylinders\": " +
                      std::to_string(in.cylinders) + ", \"bore\": " +
                      json(std::sqrt(t.pistonArea * 4 / std::numbers::pi)) + ", \"stroke\": " + json(t.stroke) +
                      "},\n  \"clamped\": " + json(t.clamped) + ",\n  \"notches\": [";
    const auto rows = [&](const std::vector<const std::vector<SettingPerformance>*>& lists) {
        bool first = true;
        for (const auto* list : lists)
            for (size_t i = 0; i < list->size(); ++i) {
                out += std::string(first ? "" : ",") + "\n    " + jsonRow((*list)[i], int(i));
                first = false;
            }
    };
    rows({&t.notchesForward, &t.notchesReverse});
    out += "\n  ],\n  \"settings\": [";
    rows({&t.settingsForward, &t.settingsReverse});
    out += "\n  ]\n}\n";
    return out;
}

}  // namespace tevrane
