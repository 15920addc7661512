// The one table of the 43 editable dimensions: 21 of the frame (ids 1..21 in
// the frame dialog's order) and 22 of the cylinder (ids 101..122 in the
// cylinder dialog's order). Everything that lists dimensions reads it: the
// defaults, the dimension dialogs' labels, the names of the dynamic variables
// and the undo history, the id-to-field lookups, the dimension file.
#pragma once

#include <array>
#include <string_view>

#include "model/Model.h"

namespace tevrane {

struct DimensionInfo {
    int id = 0;
    std::string_view field;  // the model field it is, e.g. "stroke", "pivotY[12]"
    // Short name of the dynamic variables and the undo history (at most 25
    // characters); empty for the two travel limits, which take no part there.
    std::string_view name;
    // The dimension dialog's label (its first line where the label has two).
    std::string_view label;
    float defaultValue = 0;
    int recordIndex = -1;  // place in the cylinder record; -1 for the rest
    float& (*ref)(Engine&) = nullptr;
};

inline constexpr int kFrameDimensionCount = 21;
inline constexpr int kCylinderDimensionCount = 22;
inline constexpr int kDimensionCount = kFrameDimensionCount + kCylinderDimensionCount;

// Frame dimensions first (ids 1..21), then the cylinder's (101..122).
const std::array<DimensionInfo, kDimensionCount>& dimensions();

// The row of an id, or nullptr for a number that is no dimension.
const DimensionInfo* findDimension(int id);

// The field of an id, or nullptr.
float* dimensionField(Engine& e, int id);
const float* dimensionField(const Engine& e, int id);

}  // namespace tevrane
