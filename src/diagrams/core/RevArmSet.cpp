#include "diagrams/core/RevArmSet.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "model/Format.h"
#include "model/Units.h"

namespace tevrane {

namespace {

// The boxes and the button were laid out in design units of a form made for
// 120 pixels per inch; on the 96 of the screen one unit is 0.8 pixel. The
// labels were given in pixels already.
constexpr IPoint kBoxPlaces[kRevArmBoxCount + 1] = {
    {0, 0},
    {138, 47}, {138, 63}, {138, 79}, {138, 95},              // positions 1..4
    {333, 31}, {333, 47}, {333, 63}, {333, 79}, {333, 95},   // positions 5..9
    {138, 31},                                               // vertical scale
};

// Base places of the labels of positions 1..9.
constexpr IPoint kLabelPlaces[kRevArmPositions + 1] = {
    {0, 0},
    {13, 38}, {13, 51}, {13, 64}, {13, 77},
    {165, 25}, {165, 38}, {165, 51}, {165, 64}, {165, 77},
};

int scaled(long double v, float factor) { return toInt(v * factor); }

std::string boxText(float v) { return fixed(v, 5, 3); }

// The entry as a float; a number beyond the float range is held at its limit
// rather than becoming infinite.
float entryValue(const std::string& text) {
    return std::clamp(parseFloat(text), -FLT_MAX, FLT_MAX);
}

bool validBox(int box) { return box >= 1 && box <= kRevArmBoxCount; }

}  // namespace

namespace {
constexpr long double kPixelsPerDesignUnit = 96.0L / 120.0L;
int fromDesign(int units, float factor) { return scaled(units * kPixelsPerDesignUnit, factor); }
}  // namespace

RevArmRect revArmBoxRect(const Model& m, int box) {
    if (!validBox(box)) return {};
    const IPoint p = kBoxPlaces[box];
    return {fromDesign(p.x, m.fontScaleX), fromDesign(p.y, m.fontScaleY),
            fromDesign(kRevArmBoxWidth, m.fontScaleX), fromDesign(kRevArmBoxHeight, m.fontScaleY)};
}

RevArmRect revArmCloseRect(const Model& m) {
    return {fromDesign(158, m.fontScaleX), fromDesign(114, m.fontScaleY), fromDesign(92, m.fontScaleX),
            fromDesign(31, m.fontScaleY)};
}

std::string revArmUnitCaption(const Model& m) {
    return std::string("Reverse arm settings in ") + unitName(m.lengthUnit) + " (" + unitSymbol(m.lengthUnit) + ")";
}

std::string revArmLabel(int position) { return "Rev Arm Position  " + std::to_string(position); }

IPoint revArmLabelPlace(const Model& m, int position) {
    if (position < 1 || position > kRevArmPositions) return {};
    const IPoint p = kLabelPlaces[position];
    return {scaled(p.x, m.fontScaleX), scaled(p.y, m.fontScaleY)};
}

void drawRevArmDialog(const Model& m, Canvas& c, RevArmBoxes& boxes) {
    c.setTextScale(m.fontScaleX, m.fontScaleY);  // letters grow with the layout
    const float centre = m.revArmCentre();
    const struct {
        const char* word;
        float value;
        int x;
    } scale[] = {
        {"Min ", centre - m.revArmMax, 10},
        {"Rev ", centre - m.revArmNormal, 75},
        {"Cent ", centre, 140},
        {"Fwd ", centre + m.revArmNormal, 205},
        {"Max ", centre + m.revArmMax, 270},
    };
    for (const auto& s : scale) c.textOut(scaled(s.x, m.fontScaleX), 4, s.word + fixed(s.value, 5, 3));

    c.textOut(scaled(13, m.fontScaleX), scaled(98, m.fontScaleY), "Max of 9 Positions");
    // Under the Close button, in the room the form keeps for it.
    c.textOut(scaled(13, m.fontScaleX), scaled(122, m.fontScaleY), revArmUnitCaption(m));
    const IPoint first = revArmLabelPlace(m, 1);
    c.textOut(first.x, first.y, revArmLabel(1));
    boxes.visible[1] = true;
    boxes.text[1] = boxText(m.revArmSet[1]);

    for (int k = 1; k <= kRevArmPositions - 1; ++k) {
        const bool next = m.revArmSet[k] != 0.0f;
        if (next) {
            const IPoint at = revArmLabelPlace(m, k + 1);
            c.textOut(at.x, at.y, revArmLabel(k + 1));
        }
        boxes.visible[static_cast<size_t>(k + 1)] = next;
        boxes.text[static_cast<size_t>(k + 1)] = boxText(m.revArmSet[k + 1]);
    }

    boxes.visible[kRevArmScaleBox] = true;
    boxes.text[kRevArmScaleBox] = boxText(m.diagramVScale);
    c.textOut(scaled(13, m.fontScaleX), scaled(25, m.fontScaleY), "Vertical Scale");
}

bool acceptRevArmKey(const std::string& text, char key) {
    return acceptNumericKey(text, key, true);
}

bool keyRevealsNext(int box) { return box >= 1 && box <= kRevArmPositions - 1; }

void revealNextPosition(const Model& m, Canvas& c, RevArmBoxes& boxes, int box) {
    if (!keyRevealsNext(box)) return;
    const IPoint at = revArmLabelPlace(m, box + 1);
    c.setTextScale(m.fontScaleX, m.fontScaleY);
    c.textOut(at.x, at.y, revArmLabel(box + 1));
    boxes.visible[static_cast<size_t>(box + 1)] = true;
}

void acceptRevArmEntry(GearCommands& commands, int box, const std::string& text) {
    const float v = entryValue(text);
    if (box >= 1 && box <= kRevArmPositions)
        commands.setDiagramPosition(box, v);
    else if (box == kRevArmScaleBox)
        commands.setDiagramVScale(v);
}

}  // namespace tevrane
