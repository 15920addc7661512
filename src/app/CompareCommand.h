// `tevrane --compare a.dtv b.dtv [--csv | --json] [--notches LIST]`: the
// dimensions that differ and both designs' events at their own notches,
// with b - a, in design a's unit.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kCompareUsage = "--compare a.dtv b.dtv [--csv | --json] [--notches LIST]";

int runCompareCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
