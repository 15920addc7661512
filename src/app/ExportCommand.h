// `tevrane --export PICTURE design.dtv out.png|out.svg|out.pdf [--angle DEG]`:
// one picture of a design written to a file, without a window.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace tevrane {

inline constexpr const char* kExportUsage =
    "--export mechanism|ports|steam|oval|sine design.dtv out.png|out.svg|out.pdf [--angle DEG]";

// The picture is the main picture (the mechanism at the driver angle given,
// else at the design's own) or one of the four diagrams with the design's own
// settings and reverse-arm positions, always at the normal font. Exit status
// 0 when written, 1 when the design could not be read or the file not
// written, 2 for words it does not understand.
int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
