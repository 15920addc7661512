// The four forms the valve events report leaves the program in: aligned
// text (`tevrane --events`), the tab-separated copy of the window's table,
// CSV and JSON. Each only reads a report made by makeEventsReport.
#pragma once

#include <string>
#include <vector>

#include "dialogs/core/EventsReport.h"

namespace tevrane {

// The whole report as aligned plain text: the table (a difference beyond the
// tolerance marked "*"), the mid gear and the notches.
std::string eventsReportText(const EventsReport& r, double tolerance);

// The events table of that text before it is aligned: the heading line, the
// unit line, then the rows of eventsRows without the angle columns, a
// difference beyond the tolerance marked "*". The design report lays the
// same cells out on its pages.
struct EventsTextTable {
    std::vector<std::vector<std::string>> lines;
    std::vector<bool> rightAligned;  // by column
    bool marked = false;             // some difference is beyond the tolerance
};
EventsTextTable eventsTextTable(const EventsReport& r, double tolerance);
// The table as tab-separated lines with its heading, as the window shows it
// (the angle columns only when asked for): what "Copy" puts on the clipboard.
std::string eventsTableTsv(const EventsReport& r, double tolerance, bool withAngles);
// Three CSV blocks separated by an empty line, each with its heading line:
// the events (one line per setting, sense and end, and one for front minus
// back), the mid gear, the notches.
std::string eventsReportCsv(const EventsReport& r);
std::string eventsReportJson(const EventsReport& r, double tolerance);
// The fields of one setting's events as the JSON rows name them, without
// braces: "valveTravel", "clamped", "die", "front", "back" and "difference"
// (front minus back, with the columns beyond the tolerance).
std::string valveEventsJsonFields(const ValveEvents& v, double tolerance);

}  // namespace tevrane
