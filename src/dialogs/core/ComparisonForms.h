// The comparison of two designs as a designer reads it (aligned text, the
// "Valve Events" window's compare mode and `tevrane --compare`) and as a
// machine reads it (CSV and JSON). The events are named as the events report
// names them; every difference is design b minus design a.
#pragma once

#include <string>
#include <vector>

#include "model/Comparison.h"

namespace tevrane {

// How the differences are measured, in a designer's words.
std::string comparisonConventions(const DesignComparison& c);

// The dimensions that differ, then each notch: both designs and b - a.
std::string comparisonText(const DesignComparison& c);
// Two blocks separated by an empty line, each with its heading line: the
// dimensions that differ, and one line per notch, sense, design (a, b, b-a)
// and end.
std::string comparisonCsv(const DesignComparison& c);
// {"designA", "designB", "unit", ..., "dimensions": [{"id", "name", "a", "b",
// "difference"}], "notches": [{"target", "sense", "a", "b", "difference"}]}.
std::string comparisonJson(const DesignComparison& c);

// A table for the window's compare mode: headings (with the unit and the
// sign) and rows of texts, numbers right-aligned from `firstNumber` on.
struct ComparisonTable {
    std::vector<std::string> headings;
    std::vector<std::vector<std::string>> rows;
    int firstNumber = 0;
};
// The dimensions that differ: id, name, a, b and b - a with the unit.
ComparisonTable dimensionsTable(const DesignComparison& c);
// Both designs at their own notches side by side: per target, sense and end,
// each quantity for a, for b and b - a in adjacent columns.
ComparisonTable notchesSideBySide(const DesignComparison& c);

}  // namespace tevrane
