#include "dialogs/core/EventsReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "model/Format.h"

namespace tevrane {

namespace {

// Lengths (lead, openings, travel) in the design's own unit.
constexpr int kLengthDecimals = 4;
constexpr int kPercentDecimals = 2;
constexpr int kAngleDecimals = 1;
constexpr const char* kNone = "-";
constexpr const char* kOutOfReach = "out of reach";
constexpr int kPositions = 9;  // the reverse-arm set holds up to nine

std::string num(double v, int decimals) {
    if (!std::isfinite(v)) return kNone;
    return fixed(v, 0, decimals);
}
std::string num(const std::optional<double>& v, int decimals) { return v ? num(*v, decimals) : kNone; }

// Full precision for the machine-read forms; a value that is not a number
// has no field (CSV) or is null (JSON).
std::string exact(double v) {
    if (!std::isfinite(v)) return {};
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.9g", v);
    return buf;
}
std::string exact(const std::optional<double>& v) { return v ? exact(*v) : std::string(); }
std::string json(double v) {
    const std::string s = exact(v);
    return s.empty() ? "null" : s;
}
std::string json(const std::optional<double>& v) { return v ? json(*v) : "null"; }
std::string json(bool b) { return b ? "true" : "false"; }
std::string jsonString(const std::string& s) {
    std::string out = "\"";
    for (const unsigned char ch : s) {
        if (ch == '"' || ch == '\\') {
            out += '\\';
            out += static_cast<char>(ch);
        } else if (ch < 0x20) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", ch);
            out += buf;
        } else {
            out += static_cast<char>(ch);
        }
    }
    return out + "\"";
}
// A CSV field that may hold a separator or a quote (the design's name).
std::string csvString(const std::string& s) {
    if (s.find_first_of(",\"\n\r") == std::string::npos) return s;
    std::string out = "\"";
    for (const char ch : s) {
        if (ch == '"') out += '"';
        out += ch;
    }
    return out + "\"";
}

const char* senseWord(Sense s) { return s == Sense::Forward ? "Fwd" : "Rev"; }
const char* senseName(Sense s) { return s == Sense::Forward ? "forward" : "reverse"; }

std::optional<double> percentOf(const std::optional<EventPoint>& p) {
    return p ? std::optional<double>(p->strokePercent) : std::nullopt;
}
std::optional<double> angleOf(const std::optional<EventPoint>& p) {
    return p ? std::optional<double>(p->driverAngle) : std::nullopt;
}

// The four events of an end in column order, with the difference of each.
struct EventColumns {
    EventsColumn angle, percent;
    std::optional<EventPoint> EndEvents::*event;
    std::optional<double> EventDifferences::*difference;
    const char* key;
};
constexpr EventColumns kEventColumns[] = {
    {EventsColumn::AdmissionAngle, EventsColumn::Admission, &EndEvents::admission, &EventDifferences::admission,
     "admission"},
    {EventsColumn::CutOffAngle, EventsColumn::CutOff, &EndEvents::cutOff, &EventDifferences::cutOff, "cutOff"},
    {EventsColumn::ReleaseAngle, EventsColumn::Release, &EndEvents::release, &EventDifferences::release,
     "release"},
    {EventsColumn::CompressionAngle, EventsColumn::Compression, &EndEvents::compression,
     &EventDifferences::compression, "compression"},
};

constexpr EventsColumnInfo kColumns[kEventsColumns] = {
    {"No.", "", false},          {"Setting", "rev. arm", false},   {"Travel", "%", false},
    {"Sense", "", false},        {"End", "", false},               {"Lead", "length", false},
    {"Max open", "length", false}, {"Admission", "deg", true},      {"Admission", "% stroke", false},
    {"Cut-off", "deg", true},    {"Cut-off", "% stroke", false},   {"Release", "deg", true},
    {"Release", "% stroke", false}, {"Compression", "deg", true},  {"Compression", "% stroke", false},
    {"Valve travel", "length", false}, {"Note", "", false},
};

EventsCell& cell(EventsRow& row, EventsColumn c) { return row.cells[static_cast<size_t>(c)]; }

std::string noteOf(const ValveEvents& v, const EndEvents* end) {
    std::string note;
    if (v.clamped) note = "linkage mended";
    if (end && end->extraOpenings) note += note.empty() ? "opens twice" : ", opens twice";
    return note;
}

// Columns padded to their widest text, numbers to the right, words to the left.
std::string alignedTable(const std::vector<std::vector<std::string>>& lines, const std::vector<bool>& rightAligned) {
    std::vector<size_t> width;
    for (const auto& line : lines)
        for (size_t i = 0; i < line.size(); ++i) {
            if (width.size() <= i) width.resize(i + 1, 0);
            width[i] = std::max(width[i], line[i].size());
        }
    std::string out;
    for (const auto& line : lines) {
        std::string text;
        for (size_t i = 0; i < line.size(); ++i) {
            const std::string pad(width[i] - line[i].size(), ' ');
            const bool right = i < rightAligned.size() && rightAligned[i];
            if (i) text += "  ";
            text += right ? pad + line[i] : line[i] + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text + "\n";
    }
    return out;
}

std::string settingsTitle(const EventsReport& r) {
    return r.settings == EventsSettings::PortDiagram ? "Port diagram settings (19)" : "Reverse arm positions";
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

EventsReport makeEventsReport(const Model& m, EventsSettings settings, std::span<const NotchTarget> targets) {
    const Engine& e = m;
    EventsReport r;
    r.design = m.currentFileName;
    r.settings = settings;
    r.revArmCentre = m.revArmCentre();
    r.revArmMax = m.revArmMax;
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
    r.notches = findNotches(e, table, targets);
    r.clamped = table.clamped || r.notches.clamped;
    for (const EventsSetting& s : r.rows) r.clamped = r.clamped || s.events.clamped;
    return r;
}

bool exceedsTolerance(const std::optional<double>& difference, double tolerance) {
    return difference && std::fabs(*difference) > tolerance;
}

const EventsColumnInfo& eventsColumn(EventsColumn c) { return kColumns[static_cast<size_t>(c)]; }

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
                for (const EventColumns& ec : kEventColumns) {
                    cell(row, ec.angle).text = num(angleOf(end.*ec.event), kAngleDecimals);
                    cell(row, ec.percent).text = num(percentOf(end.*ec.event), kPercentDecimals);
                }
                cell(row, EventsColumn::ValveTravel).text = num(v.valveTravel, kLengthDecimals);
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
    const auto line = [](const char* what, double front, double back) {
        return std::array<std::string, 4>{what, num(front, kLengthDecimals), num(back, kLengthDecimals),
                                          num(front - back, kLengthDecimals)};
    };
    return {line("Steam lap", g.front.steamLap, g.back.steamLap), line("Lead", g.front.lead, g.back.lead),
            line("Exhaust clearance", g.front.exhaustClearance, g.back.exhaustClearance)};
}

std::string notchTargetLabel(const NotchTarget& t) {
    return t.fullGear ? "full gear" : num(t.cutOff, t.cutOff == std::round(t.cutOff) ? 0 : 2) + " %";
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

std::string notchTargetsText(std::span<const NotchTarget> targets) {
    std::string text;
    for (const NotchTarget& t : targets) {
        if (t.fullGear) continue;
        if (!text.empty()) text += ", ";
        text += num(t.cutOff, t.cutOff == std::round(t.cutOff) ? 0 : 2);
    }
    return text;
}

std::optional<std::vector<NotchTarget>> parseNotchTargets(const std::string& text, bool fullGear) {
    std::vector<NotchTarget> targets;
    size_t i = 0;
    const auto separator = [](char ch) { return ch == ',' || ch == ' ' || ch == '\t' || ch == ';'; };
    while (i < text.size()) {
        while (i < text.size() && separator(text[i])) ++i;
        if (i == text.size()) break;
        size_t j = i;
        while (j < text.size() && !separator(text[j])) ++j;
        const std::string word = text.substr(i, j - i);
        // Digits and at most one point: the edit boxes' own conversion reads
        // the longest valid start and would take "5x" for 5 without a word.
        if (word.find_first_not_of("0123456789.") != std::string::npos ||
            std::count(word.begin(), word.end(), '.') > 1 || word == ".")
            return std::nullopt;
        const double v = parseDecimal(word);
        if (!(v > 0.0 && v <= 100.0)) return std::nullopt;
        targets.push_back({v, false});
        i = j;
    }
    if (fullGear) targets.push_back({0.0, true});
    return targets;
}

// ---- text forms -------------------------------------------------------------

std::string eventsReportText(const EventsReport& r, double tolerance) {
    std::string out = "Valve events of " + (r.design.empty() ? std::string("the design") : r.design) + "\n";
    out += settingsTitle(r) + "; reverse arm centre " + num(r.revArmCentre, 3) + ", maximum travel " +
           num(r.revArmMax, 3) + "\n";
    out += "Events in percent of each end's stroke from its own dead centre; lengths in the design's unit.\n";
    if (r.clamped) out += "The solver had to mend the linkage at some settings (\"linkage mended\").\n";
    out += "\n";

    std::vector<std::vector<std::string>> lines;
    std::vector<bool> right;
    std::vector<std::string> head, unit;
    for (int c = 0; c < kEventsColumns; ++c) {
        const EventsColumnInfo& info = kColumns[c];
        if (info.angle) continue;
        head.push_back(info.title);
        unit.push_back(info.unit);
        const auto col = static_cast<EventsColumn>(c);
        right.push_back(col != EventsColumn::Sense && col != EventsColumn::End && col != EventsColumn::Note);
    }
    lines.push_back(head);
    lines.push_back(unit);
    bool marked = false;
    for (const EventsRow& row : eventsRows(r, tolerance)) {
        std::vector<std::string> line;
        for (int c = 0; c < kEventsColumns; ++c) {
            if (kColumns[c].angle) continue;
            std::string text = row.cells[static_cast<size_t>(c)].text;
            if (row.kind == EventsRowKind::Difference && row.cells[static_cast<size_t>(c)].overTolerance) {
                text += "*";
                marked = true;
            }
            line.push_back(text);
        }
        lines.push_back(line);
    }
    if (r.rows.empty()) out += "No settings to show.\n";
    else out += alignedTable(lines, right);
    if (marked)
        out += "* front and back differ by more than " + num(tolerance, 2) + " % of stroke\n";

    out += "\nMid gear (reverse arm at the centre)\n";
    std::vector<std::vector<std::string>> mid = {{"", "Front", "Back", "F-B"}};
    for (const auto& row : midGearRows(r)) mid.push_back({row.begin(), row.end()});
    out += alignedTable(mid, {false, true, true, true});

    out += "\nNotches: the reverse arm setting for each cut-off\n";
    std::vector<std::vector<std::string>> notch;
    const auto& titles = notchColumnTitles();
    notch.push_back({titles.begin(), titles.end()});
    for (const auto& row : notchRows(r)) {
        std::vector<std::string> line;
        for (const NotchCell& c : row) line.push_back(c.text);
        notch.push_back(line);
    }
    out += alignedTable(notch, {false, true, true, true, true, true, true});
    for (const std::string& line : reachLines(r)) out += line + "\n";
    return out;
}

std::string eventsTableTsv(const EventsReport& r, double tolerance, bool withAngles) {
    std::string head, unit;
    for (int c = 0; c < kEventsColumns; ++c) {
        if (kColumns[c].angle && !withAngles) continue;
        if (!head.empty()) head += '\t', unit += '\t';
        head += kColumns[c].title;
        unit += kColumns[c].unit;
    }
    std::string out = head + "\n" + unit + "\n";
    for (const EventsRow& row : eventsRows(r, tolerance)) {
        std::string line;
        bool first = true;
        for (int c = 0; c < kEventsColumns; ++c) {
            if (kColumns[c].angle && !withAngles) continue;
            if (!first) line += '\t';
            first = false;
            line += row.cells[static_cast<size_t>(c)].text;
        }
        out += line + "\n";
    }
    return out;
}

std::string eventsReportCsv(const EventsReport& r) {
    std::string out =
        "design,number,reverse_arm,travel_percent,sense,end,lead,max_steam_opening,admission_angle,"
        "admission_percent,cut_off_angle,cut_off_percent,release_angle,release_percent,compression_angle,"
        "compression_percent,valve_travel,clamped,extra_openings\n";
    const std::string design = csvString(r.design);
    for (const EventsSetting& s : r.rows) {
        const ValveEvents& v = s.events;
        const std::string lead = design + "," + std::to_string(s.number) + "," + exact(v.revArm) + "," +
                                 exact(s.travelPercent) + "," + senseName(v.sense) + ",";
        for (const EndEvents* end : {&v.front, &v.back}) {
            out += lead + (end == &v.front ? "front" : "back") + "," + exact(end->lead) + "," +
                   exact(end->maxSteamOpening);
            for (const EventColumns& ec : kEventColumns)
                out += "," + exact(angleOf(end->*ec.event)) + "," + exact(percentOf(end->*ec.event));
            out += "," + exact(v.valveTravel) + "," + (v.clamped ? "1" : "0") + "," + (end->extraOpenings ? "1" : "0") +
                   "\n";
        }
        out += lead + "front-back," + exact(v.difference.lead) + "," + exact(v.difference.maxSteamOpening);
        for (const EventColumns& ec : kEventColumns) out += ",," + exact(v.difference.*ec.difference);
        out += ",," + std::string(v.clamped ? "1" : "0") + ",\n";
    }

    out += "\nend,steam_lap,lead,exhaust_clearance\n";
    for (const auto& [name, laps] : {std::pair{"front", &r.midGear.front}, std::pair{"back", &r.midGear.back}})
        out += std::string(name) + "," + exact(laps->steamLap) + "," + exact(laps->lead) + "," +
               exact(laps->exhaustClearance) + "\n";

    out += "\ntarget_cut_off,full_gear,sense,end,reverse_arm,cut_off\n";
    const char* ends[] = {"front", "back", "mean"};
    for (const auto& [name, sense] : {std::pair{"forward", &r.notches.forward}, std::pair{"reverse", &r.notches.reverse}})
        for (size_t t = 0; t < sense->rows.size(); ++t) {
            const NotchRow& row = sense->rows[t];
            for (int end = 0; end < kNotchEnds; ++end) {
                const auto& found = row.setting[static_cast<size_t>(end)];
                out += (row.target.fullGear ? std::string() : exact(row.target.cutOff)) + "," +
                       (row.target.fullGear ? "1" : "0") + "," + name + "," + ends[end] + "," +
                       (found ? exact(found->revArm) + "," + exact(found->cutOff) : std::string(",")) + "\n";
            }
        }
    return out;
}

std::string eventsReportJson(const EventsReport& r, double tolerance) {
    const auto point = [](const std::optional<EventPoint>& p) {
        return p ? "{\"driverAngle\": " + json(p->driverAngle) + ", \"strokePercent\": " + json(p->strokePercent) + "}"
                 : std::string("null");
    };
    const auto end = [&](const EndEvents& e) {
        std::string s = "{\"lead\": " + json(e.lead) + ", \"maxSteamOpening\": " + json(e.maxSteamOpening);
        for (const EventColumns& ec : kEventColumns) s += ", \"" + std::string(ec.key) + "\": " + point(e.*ec.event);
        return s + ", \"extraOpenings\": " + json(e.extraOpenings) + "}";
    };
    std::string out = "{\n  \"design\": " + jsonString(r.design) + ",\n  \"settings\": " +
                      jsonString(r.settings == EventsSettings::PortDiagram ? "port diagram" : "reverse arm positions") +
                      ",\n  \"revArmCentre\": " + json(r.revArmCentre) + ",\n  \"revArmMax\": " + json(r.revArmMax) +
                      ",\n  \"tolerancePercent\": " + json(tolerance) + ",\n  \"clamped\": " + json(r.clamped) +
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
               ", \"clamped\": " + json(v.clamped) + ",\n     \"front\": " + end(v.front) +
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
