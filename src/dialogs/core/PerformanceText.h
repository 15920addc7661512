// The indicated performance table as a reader and a machine read it: aligned
// text with the inputs and units above it, CSV with the units in the column
// names, and JSON with the units named at the top. Shared by the command line
// and the Indicated Performance window.
#pragma once

#include <string>

#include "model/Performance.h"

namespace tevrane {

// A word for what makes a row doubtful or empty: "out of reach", "no card"
// (an event missing), "mended linkage", "compression above chest", "late
// admission", "negative work"; several joined by "; ". Empty for a sound row.
std::string performanceNote(const SettingPerformance& s);

std::string performanceText(const PerformanceTable& t, const std::string& design);
std::string performanceCsv(const PerformanceTable& t);
std::string performanceJson(const PerformanceTable& t, const std::string& design);

}  // namespace tevrane
