// The indicated performance table as a reader and a machine read it: aligned
// text with the inputs and units above it, CSV with the units in the column
// names, and JSON with the units named at the top. Shared by the command line
// and the Indicated Performance window.
#pragma once

#include <string>
#include <vector>

#include "model/Performance.h"

namespace tevrane {

// A word for what makes a row doubtful or empty: "out of reach", "no card"
// (an event missing), "mended linkage", "compression above chest", "late
// admission", "negative work"; several joined by "; ". Empty for a sound row.
std::string performanceNote(const SettingPerformance& s);

std::string performanceText(const PerformanceTable& t, const std::string& design);

// The parts of that text: the lines above the tables (design, working
// conditions, units), and one section's table before it is aligned (a heading
// line, then one line per row) with its columns' alignment. The design report
// lays the same cells out on its pages.
std::string performanceHeading(const PerformanceTable& t, const std::string& design);
struct PerformanceSection {
    std::string title;
    std::vector<std::vector<std::string>> lines;
    std::vector<bool> rightAligned;
};
std::vector<PerformanceSection> performanceSections(const PerformanceTable& t);
std::string performanceCsv(const PerformanceTable& t);
std::string performanceJson(const PerformanceTable& t, const std::string& design);

}  // namespace tevrane
