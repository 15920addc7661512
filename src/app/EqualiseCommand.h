// `tevrane --equalise design.dtv --free ID[=LOW:HIGH],... [options]`: tunes
// the freed dimensions as the Equalise window does and prints the same
// result text; writes the tuned design only when it is better and keeps the
// lead guard.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

// The exit status when no better design within the bounds keeps the lead
// guard (nothing is written): the run itself went well, the design did not.
inline constexpr int kNothingBetter = 3;

int runEqualiseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
