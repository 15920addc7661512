#include "dialogs/core/EventsReport.h"

#include <algorithm>
#include <cmath>

#include "dialogs/core/EventsFormat.h"

namespace tevrane {

namespace {

using namespace eventsformat;

constexpr EventsColumnInfo kColumns[kEventsColumns] = {
    {"No.", "", false},
    {"Setting", "rev. arm, length", false},
    {"Travel", "%", false},
    {"Sense", "", false},
    {"End", "", false},
    {"Lead", "length", false},
    {"Max open", "length", false},
    {"Over-travel", "length", false},
    {"Admission", "deg", true},
    {"Admission", "% -before/+after DC", false},
    {"Cut-off", "deg", true},
    {"Cut-off", "% stroke", false},
    {"Release", "deg", true},
    {"Release", "% stroke", false},
    {"Compression", "deg", true},
    {"Compression", "% -before/+after DC", false},
    {"Valve travel", "length", false},
    {"Die highest", "length from link pivot", false},
    {"Die lowest", "length from link pivot", false},
    {"Die travel", "length", false},
    {"Note", "", false},
};

EventsCell& cell(EventsRow& row, EventsColumn c) { return row.cells[static_cast<size_t>(c)]; }

std::string noteOf(const ValveEvents& v, const EndEvents* end) {
    std::string note;
    if (v.clamped) note = "linkage mended";
    if (end && end->extraOpenings) note += note.empty() ? "opens twice" : ", opens twice";
    return note;
}

}  // namespace

int revArmPositionsInUse(const Motion& m) {
    if (m.revArmSetCount > 0) return std::min<int>(m.revArmSetCount, kPositions);
    int n = 0;
    while (n < kPositions && m.revArmSet[n + 1] != 0.0f) ++n;
    return n;
}

Sense positionDrives(float position, float centre) {
    return position >= centre ? Sense::Forward : Sense::Reverse;
}

EventsReport makeEventsReport(const Model& m, EventsSettings settings, std::span<const NotchTarget> targets,
                              double tolerance) {
    const Engine& e = m;
    EventsReport r;
    r.design = m.currentFileName;
    r.settings = settings;
    r.revArmCentre = m.revArmCentre();
    r.revArmMax = m.revArmMax;
    r.unit = m.lengthUnit;
    r.targets.assign(targets.begin(), targets.end());
    const auto travel = [&](float revArm) {
        return m.revArmMax != 0.0f ? std::fabs(static_cast<double>(revArm) - r.revArmCentre) / m.revArmMax * 100.0
                                   : 0.0;
    };

    // The table of the 19 settings is the one the notch finder brackets its
    // targets with, so it is computed once for both.
    const EventsTable table = eventsTable(e, r.revArmCentre);
    if (settings == EventsSettings::PortDiagram) {
        for (const auto* sense : {&table.forward, &table.reverse})
            for (size_t i = 0; i < sense->size(); ++i)
                r.rows.push_back({static_cast<int>(i), travel((*sense)[i].revArm), (*sense)[i]});
    } else {
        for (int k = 1; k <= revArmPositionsInUse(m); ++k) {
            const float p = m.revArmSet[k];
            r.rows.push_back({k, travel(p), valveEvents(e, p, positionDrives(p, r.revArmCentre))});
        }
    }
    r.midGear = table.midGear;
    r.deadCentres = table.deadCentres;
    r.notches = findNotches(e, table, targets);
    r.check = checkDesign(e, table, r.notches, tolerance);
    r.clamped = table.clamped || r.notches.clamped;
    for (const EventsSetting& s : r.rows) r.clamped = r.clamped || s.events.clamped;
    return r;
}

bool exceedsTolerance(const std::optional<double>& difference, double tolerance) {
    return difference && std::fabs(*difference) > tolerance;
}

const EventsColumnInfo& eventsColumn(EventsColumn c) { return kColumns[static_cast<size_t>(c)]; }

std::string eventsColumnUnit(EventsColumn c, LengthUnit u) {
    std::string text = eventsColumn(c).unit;
    const std::size_t at = text.find("length");
    if (at != std::string::npos) text.replace(at, 6, unitSymbol(u));
    return text;
}

std::string eventsMeasures(LengthUnit u) {
    return std::string(kEventsMeasures) + " Lengths in " + unitName(u) + " (" + unitSymbol(u) + ").";
}

std::vector<EventsRow> eventsRows(const EventsReport& r, double tolerance) {
    std::vector<EventsRow> rows;
    rows.reserve(r.rows.size() * 3);
    for (size_t s = 0; s < r.rows.size(); ++s) {
        const EventsSetting& setting = r.rows[s];
        const ValveEvents& v = setting.events;
        for (const EventsRowKind kind : {EventsRowKind::Front, EventsRowKind::Back, EventsRowKind::Difference}) {
            EventsRow row;
            row.kind = kind;
            row.setting = static_cast<int>(s);
            cell(row, EventsColumn::Number).text = std::to_string(setting.number);
            cell(row, EventsColumn::Setting).text = num(v.revArm, 3);
            cell(row, EventsColumn::Travel).text = num(setting.travelPercent, 1);
            cell(row, EventsColumn::Sense).text = senseWord(v.sense);
            if (kind == EventsRowKind::Difference) {
                cell(row, EventsColumn::End).text = "F-B";
                cell(row, EventsColumn::Lead).text = num(v.difference.lead, kLengthDecimals);
                cell(row, EventsColumn::MaxOpening).text = num(v.difference.maxSteamOpening, kLengthDecimals);
                for (const EventColumns& ec : kEventColumns) {
                    cell(row, ec.angle).text = "";
                    cell(row, ec.percent).text = num(v.difference.*ec.difference, kPercentDecimals);
                }
                cell(row, EventsColumn::Note).text = noteOf(v, nullptr);
            } else {
                const EndEvents& end = kind == EventsRowKind::Front ? v.front : v.back;
                cell(row, EventsColumn::End).text = kind == EventsRowKind::Front ? "Front" : "Back";
                cell(row, EventsColumn::Lead).text = num(end.lead, kLengthDecimals);
                cell(row, EventsColumn::MaxOpening).text = num(end.maxSteamOpening, kLengthDecimals);
                cell(row, EventsColumn::OverTravel).text = num(end.overTravel, kLengthDecimals);
                for (const EventColumns& ec : kEventColumns) {
                    cell(row, ec.angle).text = num(angleOf(end.*ec.event), kAngleDecimals);
                    cell(row, ec.percent).text = num(percentOf(end.*ec.event), kPercentDecimals);
                }
                cell(row, EventsColumn::ValveTravel).text = num(v.valveTravel, kLengthDecimals);
                cell(row, EventsColumn::DieHighest).text = num(v.die.highest, kLengthDecimals);
                cell(row, EventsColumn::DieLowest).text = num(v.die.lowest, kLengthDecimals);
                cell(row, EventsColumn::DieTravel).text = num(v.die.travel(), kLengthDecimals);
                cell(row, EventsColumn::Note).text = noteOf(v, &end);
            }
            for (const EventColumns& ec : kEventColumns)
                if (exceedsTolerance(v.difference.*ec.difference, tolerance)) {
                    cell(row, ec.percent).overTolerance = true;
                    if (kind != EventsRowKind::Difference) cell(row, ec.angle).overTolerance = true;
                }
            rows.push_back(std::move(row));
        }
    }
    return rows;
}

std::vector<std::array<std::string, 4>> midGearRows(const EventsReport& r) {
    const MidGear& g = r.midGear;
    const auto line = [](const std::string& what, double front, double back) {
        return std::array<std::string, 4>{what, num(front, kLengthDecimals), num(back, kLengthDecimals),
                                          num(front - back, kLengthDecimals)};
    };
    const std::string unit = std::string(" (") + unitSymbol(r.unit) + ")";
    return {line("Steam lap" + unit, g.front.steamLap, g.back.steamLap),
            line("Lead" + unit, g.front.lead, g.back.lead),
            line("Exhaust clearance" + unit, g.front.exhaustClearance, g.back.exhaustClearance)};
}

const std::array<const char*, kNotchColumns>& notchColumnTitles() {
    static const std::array<const char*, kNotchColumns> titles = {
        "Target cut-off", "Fwd front", "Fwd back", "Fwd mean", "Rev front", "Rev back", "Rev mean"};
    return titles;
}

std::vector<std::array<NotchCell, kNotchColumns>> notchRows(const EventsReport& r) {
    std::vector<std::array<NotchCell, kNotchColumns>> rows;
    const NotchSense* senses[] = {&r.notches.forward, &r.notches.reverse};
    for (size_t t = 0; t < r.targets.size(); ++t) {
        std::array<NotchCell, kNotchColumns> row;
        row[0].text = notchTargetLabel(r.targets[t]);
        for (int s = 0; s < 2; ++s)
            for (int end = 0; end < kNotchEnds; ++end) {
                NotchCell& c = row[static_cast<size_t>(1 + 3 * s + end)];
                const auto& found = t < senses[s]->rows.size() ? senses[s]->rows[t].setting[static_cast<size_t>(end)]
                                                               : std::optional<NotchSetting>();
                if (!found) {
                    c.text = kOutOfReach;
                    c.outOfReach = true;
                } else {
                    c.text = num(found->revArm, 3);
                    if (r.targets[t].fullGear) c.text += " (" + num(found->cutOff, 1) + " %)";
                }
            }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> reachLines(const EventsReport& r) {
    std::vector<std::string> lines;
    const char* ends[] = {"front", "back", "mean"};
    for (const auto& [name, sense] : {std::pair{"Forward", &r.notches.forward}, std::pair{"Reverse", &r.notches.reverse}}) {
        std::string line = std::string(name) + " cut-offs within reach:";
        for (int end = 0; end < kNotchEnds; ++end) {
            const CutOffReach& reach = sense->reach[static_cast<size_t>(end)];
            line += std::string(end ? "; " : " ") + ends[end] + " ";
            line += reach.low && reach.high ? num(*reach.low, 1) + " to " + num(*reach.high, 1) + " %" : "none";
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace tevrane
