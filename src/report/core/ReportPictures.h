// The design report's pictures: the mechanism as the window shows it after
// opening the design, at a reverse-arm setting, and the four diagrams as
// `--export` draws them, each with its title block. Each is drawn from a copy
// of the model made here, so the live design is only read.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "report/core/DesignReport.h"
#include "model/Model.h"

namespace tevrane {

// The whole gear fitted to a picture of width x height above its title block,
// at mid gear or at `revArm`.
ReportPicture mechanismReportPicture(const Model& m, std::optional<float> revArm, const std::string& date,
                                     int width, int height);

// The port events, steam, oval and sine diagrams with their names, at the
// normal font, the design's positions settled as the positions dialog
// settles them.
std::vector<std::pair<std::string, ReportPicture>> diagramReportPictures(const Model& m, const std::string& date);

}  // namespace tevrane
