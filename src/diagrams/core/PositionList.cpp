#include "diagrams/core/PositionList.h"

#include <algorithm>

#include "diagrams/core/DiagramPanel.h"
#include "model/Format.h"

namespace tevrane {

int positionsInUse(const Motion& m) { return std::clamp<int>(m.revArmSetCount, 0, 9); }

std::string positionSense(float position, float centre) {
    // The centre itself is its own word rather than "Rev" with "Cen" over it.
    if (position == centre) return "Cen";
    return position < centre ? "Rev" : "Fwd";
}

void drawPositionListHeading(const Model& m, Canvas& c) {
    c.textOut(scaledX(m, 500), 0, "Reverse Arm Positions");
    c.textOut(scaledX(m, 520), 13, "Center");
    c.textOut(scaledX(m, 580), 13, fixed(m.revArmCentre(), 6, 3));
}

void drawPositionListLine(const Model& m, Canvas& c, int w) {
    // The lines follow the font's height; the 12 pixels of the heading do not.
    const int y = scaledY(m, 12.0 * w) + 12;
    const float position = m.revArmSet[std::clamp(w, 1, 9)];
    c.textOut(scaledX(m, 545), y, fixed(w, 5, 0));
    c.textOut(scaledX(m, 533), y, positionSense(position, m.revArmCentre()));
    c.textOut(scaledX(m, 580), y, fixed(position, 6, 3));
}

}  // namespace tevrane
