// The oval diagram without its window: valve travel against piston travel
// over one backward turn of the driver, a closed oval for each reverse-arm
// position in use, over the port threshold lines, with lead and lap listed
// for a position at mid gear. Draws on any Canvas, so it runs without a
// window.
#pragma once

#include <vector>

#include "diagrams/core/DiagramPanel.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// The 46 driver angles of one oval: 32 degrees down through 0 to 32 again,
// 8 degrees apart.
const std::vector<float>& ovalAngles();

// Piston position of a driver angle as a window column: 584.5 at the front
// end of the stroke (0 degrees), 43.5 at the rear end, rounded.
int ovalX(const Engine& e, float driverAngle);

// Grid, axes, labels, scale, the position list's heading and the threshold
// lines.
void drawOvalFrame(const Model& m, Canvas& c);

// The whole diagram drawn over what is there, ending with the shared panel
// and the undo lines the step before the pass composed (advanceUndoLine).
// Only reads: solves on a copy of the engine as it is.
DiagramControls drawOval(const Model& m, Canvas& c, const UndoLines& undo);

}  // namespace tevrane
