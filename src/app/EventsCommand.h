// `tevrane --events design.dtv [--csv | --json] [--notches LIST]`: the valve
// events table of the port diagram's 19 settings and the notch finder for a
// design, as aligned text, CSV or JSON on standard output. LIST is read as
// the windows read their notch boxes ("75, 50, full").
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kEventsUsage = "--events design.dtv [--csv | --json] [--notches LIST]";

int runEventsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
