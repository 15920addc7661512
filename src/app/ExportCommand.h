// `tevrane --export PICTURE design.dtv out.png|out.svg|out.pdf [--angle DEG]
// [--view fit|current] [--size WxH] [--scale RATIO [--unit in|mm]]`: one
// picture of a design written to a
// file, without a window.
#pragma once

#include <QSize>

#include <iosfwd>
#include <string>
#include <vector>

#include "platform/QtPictureExport.h"

namespace tevrane {

inline constexpr const char* kExportUsage =
    "--export mechanism|ports|steam|oval|sine design.dtv out.png|out.svg|out.pdf [--angle DEG]"
    " [--view fit|current] [--size WxH] [--scale 1:1 [--unit in|mm]]";

// The mechanism's picture: a PNG of a wide screen's proportions unless
// --size says otherwise, and for SVG and PDF an A4 page across, as the
// window's "Export..." makes it.
inline const QSize kMechanismPngSize = kScreenPictureSize;
inline const QSize kMechanismPageSize = kPagePictureSize;

// The picture is the main picture (the mechanism at the driver angle given,
// else at the design's own, the whole gear fitted to the picture unless
// "--view current" keeps the design's view) or one of the four diagrams with the design's own
// settings and reverse-arm positions, always at the normal font. Exit status
// 0 when written, 1 when the design could not be read or the file not
// written, 2 for words it does not understand.
int runExportCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace tevrane
