// `tevrane --events design.dtv [--csv | --json]`: the valve events table of
// the port diagram's 19 settings and the notch finder for a design, as aligned
// text, CSV or JSON on standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

int runEventsCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
