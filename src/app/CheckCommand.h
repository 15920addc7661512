// `tevrane --check design.dtv [--json] [--notches LIST] [--tolerance PERCENT]`:
// what is wrong with a design, one line per finding (or JSON). The tolerance
// is how far front and back cut-off may differ at a notch (percent of
// stroke, 2 unless given). Exit status 0 when there is no
// error or warning, 3 when there is, 1 when the design cannot be read and 2
// for words it does not understand.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kCheckUsage = "--check design.dtv [--json] [--notches LIST] [--tolerance PERCENT]";
inline constexpr int kCheckFoundProblems = 3;

int runCheckCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
