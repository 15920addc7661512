// `tevrane --equalise design.dtv --free ID,ID,... [--out tuned.dtv]`: tunes the
// freed dimensions for equal front and back cut-off at the design's notches
// and prints the events before and after and the new dimensions.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

int runEqualiseCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
