// Printing the gear to scale: the gear at a chosen ratio to the design's own
// length (1:1 gives a template to lay on the frames), cut into sheets of
// paper. This is the plan of the sheets; the pages themselves are drawn by
// the window side.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "main/core/FitView.h"
#include "model/Model.h"

namespace tevrane {

// Picture pixels a millimetre of paper has: a picture pixel is 1/96 inch.
inline constexpr double kPixelsPerMm = 96.0 / 25.4;

struct ScalePlan {
    double pixelsPerUnit = 0;  // picture pixels per unit of the design's length
    int columns = 0, rows = 0;
    double tileWidth = 0, tileHeight = 0;  // picture pixels of gear each sheet carries
    WorldBox area;                         // the part of the plane the sheets cover
    int sheets() const { return columns * rows; }
};

// The sheets for the gear's box at `ratio` (paper length over true length:
// 1 for full size, 0.5 for half) when one unit of the design is `unitMm`
// millimetres and each sheet carries a tile of tileWidthMm x tileHeightMm.
// The sheets are centred on the gear. Empty when a number makes no sense
// (not positive, not finite) or the gear would need more than `maxSheets`.
std::optional<ScalePlan> planToScale(const WorldBox& gear, double unitMm, double ratio, double tileWidthMm,
                                     double tileHeightMm, int maxSheets = 400);

// The view that draws sheet (column, row), counted from the top-left, with
// the tile's top-left corner at picture pixel (0, 0).
ViewSetting sheetView(const ScalePlan& plan, int column, int row);

// "1:1", "1:2", "2:1", "0.5" as a ratio of paper length to true length;
// empty for anything else.
std::optional<double> parseScaleRatio(const std::string& text);
// "in" (25.4 mm) or "mm" (1 mm): the design's length unit.
std::optional<double> parseLengthUnit(const std::string& text);

// The length of the scale bar in design units: the largest of 1, 2 or 5
// times a power of ten that is at most a third of a tile's width.
double scaleBarUnits(const ScalePlan& plan);

}  // namespace tevrane
