// `tevrane --convert mm|in design.dtv out.dtv`: the design with every length
// in the named unit (and its view scales the other way, so its picture stays),
// written through the one atomic writer. A design already in that unit is
// copied unchanged, and the command says so. Exit 0 on success, 1 when the
// design cannot be read or the result not written, 2 for words it does not
// understand.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kConvertUsage = "--convert mm|in design.dtv out.dtv";

int runConvertCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
