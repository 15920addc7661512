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

namespace {

// The list's places spread with the large font, so its letters grow by the
// same factors; every other label of the diagram keeps its size.
void listText(const Model& m, Canvas& c, int x, int y, const std::string& text) {
    c.setTextScale(m.fontScaleX, m.fontScaleY);
    c.textOut(x, y, text);
    c.setTextScale(1.0f, 1.0f);
}

}  // namespace

void drawPositionListHeading(const Model& m, Canvas& c) {
    listText(m, c, scaledX(m, 500), 0, "Reverse Arm Positions");
    listText(m, c, scaledX(m, 520), 13, "Center");
    listText(m, c, scaledX(m, 580), 13, fixed(m.revArmCentre(), 6, 3));
}

void drawPositionListLine(const Model& m, Canvas& c, int w) {
    // The lines follow the font's height; the 12 pixels of the heading do not.
    const int y = scaledY(m, 12.0 * w) + 12;
    const float position = m.revArmSet[std::clamp(w, 1, 9)];
    listText(m, c, scaledX(m, 545), y, fixed(w, 5, 0));
    listText(m, c, scaledX(m, 533), y, positionSense(position, m.revArmCentre()));
    listText(m, c, scaledX(m, 580), y, fixed(position, 6, 3));
}

}  // namespace tevrane
