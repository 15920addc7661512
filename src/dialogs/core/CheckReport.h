// The findings of a design check as they are read: one line each for the
// window's list and `tevrane --check`, and the JSON of `--check --json`.
#pragma once

#include <string>

#include "model/DesignChecks.h"

namespace tevrane {

// "(forward, setting 12, front)": where the finding is; empty for a finding
// about the whole design.
std::string findingPlace(const Finding& f);
// "warning negative-lead (forward, setting 3, front): The front port ...".
std::string findingLine(const Finding& f);
// One line per finding, or a line saying there is none.
std::string findingsText(const DesignCheck& c);
// {"findings": [{"severity": ..., "code": ..., "sense": ..., "setting": ...,
// "end": ..., "message": ...}]}, null where a finding has no such place.
std::string findingsJson(const DesignCheck& c);

inline constexpr const char* kNoFindings = "No findings: the gear closes, every port opens and cuts off, the die "
                                           "stays on the link and every lead is positive.";

}  // namespace tevrane
