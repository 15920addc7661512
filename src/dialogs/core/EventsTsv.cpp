// The table as the window shows it, tab-separated: what "Copy" puts on the clipboard.
#include "dialogs/core/EventsForms.h"

#include "dialogs/core/EventsFormat.h"

namespace tevrane {

using namespace eventsformat;

std::string eventsTableTsv(const EventsReport& r, double tolerance, bool withAngles) {
    std::string head, unit;
    for (int c = 0; c < kEventsColumns; ++c) {
        if (eventsColumn(static_cast<EventsColumn>(c)).angle && !withAngles) continue;
        if (!head.empty()) head += '\t', unit += '\t';
        head += eventsColumn(static_cast<EventsColumn>(c)).title;
        unit += eventsColumnUnit(static_cast<EventsColumn>(c), r.unit);
    }
    std::string out = head + "\n" + unit + "\n";
    for (const EventsRow& row : eventsRows(r, tolerance)) {
        std::string line;
        bool first = true;
        for (int c = 0; c < kEventsColumns; ++c) {
            if (eventsColumn(static_cast<EventsColumn>(c)).angle && !withAngles) continue;
            if (!first) line += '\t';
            first = false;
            line += row.cells[static_cast<size_t>(c)].text;
        }
        out += line + "\n";
    }
    return out;
}

}  // namespace tevrane
