// `tevrane --report design.dtv report.pdf`: the design report of a design
// written as a PDF, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kReportUsage = "--report design.dtv report.pdf";

// Exit status 0 when written, 1 when the design could not be read or the
// report not written (nothing is written then), 2 for words it does not
// understand.
int runReportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
