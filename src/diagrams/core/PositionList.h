// The list of reverse-arm positions at the top right of the diagrams that draw
// one curve per position (steam, oval, sine): a heading, the centre, and one
// line per position as its curve is drawn, so the list grows with the picture.
#pragma once

#include <string>

#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// How many of positions 1..9 the diagrams draw: revArmSetCount, kept within
// the table even when a data file brought in something else.
int positionsInUse(const Motion& m);

// "Fwd" above the centre, "Rev" below it, "Cen" exactly on it.
std::string positionSense(float position, float centre);

// "Reverse Arm Positions", "Center" and the centre value.
void drawPositionListHeading(const Model& m, Canvas& c);
// The line of position w (1..9): its number, its sense and its value.
void drawPositionListLine(const Model& m, Canvas& c, int w);

}  // namespace tevrane
