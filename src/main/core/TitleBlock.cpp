#include "main/core/TitleBlock.h"

#include <algorithm>

#include "model/Format.h"

namespace tevrane {

namespace {
constexpr int kLinePitch = 13;
constexpr int kPadding = 6;
constexpr int kEdge = 4;  // from the picture's edges
constexpr int kLines = 4;
static_assert(kLines * kLinePitch + 2 * kPadding + kEdge <= kTitleBlockHeight);

std::string trimmed(const std::string& s) {
    const std::size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}
}  // namespace

TitleBlock titleBlockOf(const Model& m, const std::string& date) {
    TitleBlock t;
    // The file's name where there is one, as the caption shows it.
    t.design = !m.currentFileName.empty() ? m.currentFileName : m.dimensionSetName;
    if (t.design.empty()) t.design = "Nominal";
    t.date = date;
    t.driverAngle = m.driverAngle;
    t.revArm = m.revArmPos;
    t.revArmCentre = m.revArmCentre();
    t.unit = m.lengthUnit;
    return t;
}

std::vector<std::string> titleBlockLines(const TitleBlock& t) {
    const double fromCentre = static_cast<double>(t.revArm) - static_cast<double>(t.revArmCentre);
    const std::string unit = unitSymbol(t.unit);
    return {
        "Tevrane Outside Admission   " + t.design,
        "Date " + t.date + ", lengths in " + unitName(t.unit),
        "Driver angle " + trimmed(fixed(t.driverAngle, 6, 2)) +
            " deg, clockwise as drawn from the crank pointing at the cylinder",
        "Reverse arm " + trimmed(fixed(t.revArm, 7, 3)) + " " + unit + " (mid gear " +
            trimmed(fixed(t.revArmCentre, 7, 3)) + " " + unit + ", " + (fromCentre >= 0 ? "+" : "") +
            trimmed(fixed(fromCentre, 7, 3)) + " " + unit + " from it)",
    };
}

void drawTitleBlock(Canvas& c, const TitleBlock& t, int width, int height) {
    const std::vector<std::string> lines = titleBlockLines(t);
    c.setTextScale(1.0f, 1.0f);
    c.setFontSize(kDefaultFontSize);
    c.setFontBold(false);
    c.setFontColour(colours::black);
    int textWidth = 0;
    for (const std::string& l : lines) textWidth = std::max(textWidth, c.textWidth(l));
    const int boxW = textWidth + 2 * kPadding;
    const int boxH = static_cast<int>(lines.size()) * kLinePitch + 2 * kPadding;
    // The right edge stays in the picture; a picture narrower than the block
    // shows its left part, where the lines begin.
    const int right = width - kEdge;
    const int left = std::max(kEdge, right - boxW);
    const int bottom = height - kEdge;
    const int top = bottom - boxH;
    c.setPenWidth(1);
    c.setPenColour(colours::black);
    c.polyline({{left, top}, {right, top}, {right, bottom}, {left, bottom}, {left, top}});
    for (std::size_t k = 0; k < lines.size(); ++k)
        c.textOut(left + kPadding, top + kPadding + static_cast<int>(k) * kLinePitch, lines[k]);
}

}  // namespace tevrane
