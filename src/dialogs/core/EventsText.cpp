// The report as aligned plain text, the form `tevrane --events` prints.
#include "dialogs/core/EventsForms.h"

#include "dialogs/core/CheckReport.h"
#include "dialogs/core/EventsFormat.h"

namespace tevrane {

using namespace eventsformat;

EventsTextTable eventsTextTable(const EventsReport& r, double tolerance) {
    EventsTextTable t;
    std::vector<std::string> head, unit;
    for (int c = 0; c < kEventsColumns; ++c) {
        const EventsColumnInfo& info = eventsColumn(static_cast<EventsColumn>(c));
        if (info.angle) continue;
        head.push_back(info.title);
        const auto col = static_cast<EventsColumn>(c);
        unit.push_back(eventsColumnUnit(col, r.unit));
        t.rightAligned.push_back(col != EventsColumn::Sense && col != EventsColumn::End && col != EventsColumn::Note);
    }
    t.lines.push_back(head);
    t.lines.push_back(unit);
    for (const EventsRow& row : eventsRows(r, tolerance)) {
        std::vector<std::string> line;
        for (int c = 0; c < kEventsColumns; ++c) {
            if (eventsColumn(static_cast<EventsColumn>(c)).angle) continue;
            std::string text = row.cells[static_cast<size_t>(c)].text;
            if (row.kind == EventsRowKind::Difference && row.cells[static_cast<size_t>(c)].overTolerance) {
                text += "*";
                t.marked = true;
            }
            line.push_back(text);
        }
        t.lines.push_back(line);
    }
    return t;
}

std::string eventsReportText(const EventsReport& r, double tolerance) {
    std::string out = "Valve events of " + (r.design.empty() ? std::string("the design") : r.design) + "\n";
    const std::string unit = unitSymbol(r.unit);
    out += settingsTitle(r) + "; reverse arm centre " + num(r.revArmCentre, 3) + " " + unit + ", maximum travel " +
           num(r.revArmMax, 3) + " " + unit + "\n";
    out += eventsMeasures(r.unit) + "\n";
    out += "Dead centres (driver angle): front " + num(r.deadCentres.front, 2) + " deg, back " +
           num(r.deadCentres.back, 2) + " deg\n";
    if (r.clamped) out += "The solver had to mend the linkage at some settings (\"linkage mended\").\n";
    out += "\n";

    const EventsTextTable table = eventsTextTable(r, tolerance);
    const bool marked = table.marked;
    if (r.rows.empty()) out += "No settings to show.\n";
    else out += alignedTable(table.lines, table.rightAligned);
    if (marked)
        out += "* front and back differ by more than " + num(tolerance, 2) + " % of stroke\n";

    out += "\nMid gear (reverse arm at the centre)\n";
    std::vector<std::vector<std::string>> mid = {{"", "Front", "Back", "F-B"}};
    for (const auto& row : midGearRows(r)) mid.push_back({row.begin(), row.end()});
    out += alignedTable(mid, {false, true, true, true});

    out += "\nNotches: the reverse arm setting for each cut-off (" + unit + ")\n";
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

    out += "\nFindings\n" + findingsText(r.check);
    return out;
}

}  // namespace tevrane
