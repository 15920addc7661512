// The sine diagram without its window: valve travel against driver angle,
// one pixel per degree, over about one and a half forward turns for each
// reverse-arm position in use, over the same threshold lines and with the
// same mid-gear table as the oval diagram. Draws on any Canvas.
#pragma once

#include <vector>

#include "diagrams/core/DiagramPanel.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// The 67 driver angles of one curve: 328 degrees, up through 360, then 8 to
// 136 on the next turn, 8 degrees apart.
const std::vector<float>& sineAngles();

// Window column of sample i (0..66) of a curve: x 58 for the first, 8 pixels
// on for each next one, so angle 0 (360) falls at x 90 and again at x 450.
int sineX(int sample);

// Grid, labels, scale, the position list's heading and the threshold lines.
void drawSineFrame(const Model& m, Canvas& c);

// The whole diagram drawn over what is there, ending with the shared panel
// and the undo lines the step before the pass composed (advanceUndoLine).
// Only reads: solves on a copy of the engine as it is.
DiagramControls drawSine(const Model& m, Canvas& c, const UndoLines& undo);

}  // namespace tevrane
