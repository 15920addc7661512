// `tevrane --performance design.dtv [...]`: the indicated performance of a
// design at its notches and the port diagram's 19 settings, both senses, as
// aligned text, CSV or JSON on standard output.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kPerformanceUsage =
    "--performance design.dtv [--pressure P] [--back-pressure B] [--clearance PERCENT]\n"
    "           [--rpm N | --speed V] [--cylinders N] [--notches LIST] [--csv | --json]";

int runPerformanceCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
