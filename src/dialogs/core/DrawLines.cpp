#include "dialogs/core/DrawLines.h"

#include <algorithm>
#include <cmath>

#include "model/Format.h"

namespace tevrane::drawlines {

namespace {

constexpr int kRefPoint1 = 19;
constexpr int kRefPoint2 = 20;

std::string typeName(float type) {
    if (type == 0.0f) return "Line";
    if (type == 1.0f) return "Circle";
    return {};
}

std::string colourName(float colour) {
    for (int i = 0; i < kColours; ++i)
        if (colour == kColourValues[i]) return kColourNames[i];
    return {};
}

std::string modeLabel(float mode) {
    for (int i = 0; i < kModes; ++i)
        if (mode == static_cast<float>(i)) return kModeLabels[i];
    return {};
}

// The item's field behind each box of its row.
float& field(Overlay& o, int k, int column) {
    switch (column) {
        case AVert: return o.lineY1[k];
        case AHorz: return o.lineX1[k];
        case BVert: return o.lineY2[k];
        default: return o.lineX2[k];
    }
}

double distance(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

}  // namespace

std::string coordinateText(float v) { return fixed(v, 7, 3); }

float roundedAsShown(double v) { return parseFloat(fixed(v, 7, 3)); }

int nearestPivot(const Engine& e, float x, float y) {
    int best = 1;
    double bestDistance = 10000.0;
    for (int i = 1; i < kPivotCount; ++i) {
        if (i == kRefPoint1 || i == kRefPoint2) continue;
        const double d = std::fabs(static_cast<double>(y) - e.pivotY[i]) +
                         std::fabs(static_cast<double>(x) - e.pivotX[i]);
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

bool DrawLinesLogic::takeCloseRequest() {
    const bool r = closeRequested_;
    closeRequested_ = false;
    return r;
}

int DrawLinesLogic::current() const { return std::clamp(o_.lineCount, 0, kRows); }

bool DrawLinesLogic::allChosen() const {
    return o_.drawLinesTypeChoice >= 0 && o_.drawLinesColourChoice >= 0 && o_.drawLinesRefChoice >= 0;
}

void DrawLinesLogic::resetChoices() {
    o_.drawLinesTypeChoice = -1;
    o_.drawLinesColourChoice = -1;
    o_.drawLinesRefChoice = -1;
}

void DrawLinesLogic::close() { closeRequested_ = true; }

void DrawLinesLogic::activate() {
    if (o_.drawLinesRefChoice < 0) {
        // Before an item is begun: reference point 1 as it stands now, which a
        // circle tied to a pivot measures its radius from.
        o_.lineY1[0] = m_.pivotY[kRefPoint1];
        o_.lineX1[0] = m_.pivotX[kRefPoint1];
    }
    if (o_.drawLinesRefChoice > 0) {
        // Back from a pivot pick: the item being defined is current again,
        // and the picked reference points name its pivots.
        o_.lineCount = std::min(o_.lineCount + 1, kRows);
        const int k = current();
        const int a = nearestPivot(m_, m_.pivotX[kRefPoint1], m_.pivotY[kRefPoint1]);
        o_.linePivotA[k] = static_cast<float>(a);
        o_.linePivotAY[k] = m_.pivotY[a];
        o_.linePivotAX[k] = m_.pivotX[a];
        if (o_.drawLinesRefChoice == 3) {
            const int b = nearestPivot(m_, m_.pivotX[kRefPoint2], m_.pivotY[kRefPoint2]);
            o_.linePivotB[k] = static_cast<float>(b);
            o_.linePivotBY[k] = m_.pivotY[b];
            o_.linePivotBX[k] = m_.pivotX[b];
        }
    }
}

void DrawLinesLogic::itemLabelClick(int r) {
    if (r < 1 || r > kRows) return;
    o_.lineCount = r;
    resetChoices();
    view_.drawCloseEnabled = false;
}

// A click on the button already chosen changes nothing: it is not a new
// choice, and running the handler again would close the window, step the
// item number back or take the reference points a second time.

void DrawLinesLogic::typeClick(int type) {
    if (type == o_.drawLinesTypeChoice) return;
    if (m_.pivotX[kRefPoint1] == 0.0f && m_.pivotY[kRefPoint1] == 0.0f && m_.pivotX[kRefPoint2] == 0.0f &&
        m_.pivotY[kRefPoint2] == 0.0f) {
        // Nothing to build an item from yet.
        beep();
        close();
        o_.drawLinesTypeChoice = -1;
        return;
    }
    o_.drawLinesTypeChoice = type;
    view_.rows[static_cast<size_t>(current())].type = type == 1 ? "Circle" : "Line";
    if (allChosen()) view_.drawCloseEnabled = true;
}

void DrawLinesLogic::colourClick(int colour) {
    if (colour == o_.drawLinesColourChoice) return;
    if (o_.drawLinesTypeChoice < 0) {
        o_.drawLinesColourChoice = -1;
        beep();
        return;
    }
    o_.drawLinesColourChoice = colour;
    view_.rows[static_cast<size_t>(current())].colour = kColourNames[std::clamp(colour, 0, kColours - 1)];
}

void DrawLinesLogic::refClick(int mode) {
    if (mode < 0 || mode >= kModes || mode == o_.drawLinesRefChoice) return;
    if (o_.drawLinesTypeChoice < 0 || o_.drawLinesColourChoice < 0) {
        o_.drawLinesRefChoice = -1;
        beep();
        return;
    }
    o_.drawLinesRefChoice = mode;
    const int k = current();
    // The item is built from the two reference points as they stand now.
    o_.lineY1[k] = m_.pivotY[kRefPoint1];
    o_.lineX1[k] = m_.pivotX[kRefPoint1];
    o_.lineY2[k] = m_.pivotY[kRefPoint2];
    o_.lineX2[k] = m_.pivotX[kRefPoint2];

    const bool circle = o_.drawLinesTypeChoice == 1;
    RowView& row = view_.rows[static_cast<size_t>(k)];
    if (mode != 2 || !circle) {
        row.ref = kModeLabels[mode];
        o_.lineMode[k] = static_cast<float>(mode);
        if (mode > 0) o_.drawLinesPick = true;
    }
    if (allChosen()) view_.drawCloseEnabled = true;

    if (circle && mode >= 2) {
        // A circle can follow one pivot only.
        beep();
        clearLineClick();
        return;
    }
    if (mode >= 1) {
        // The user picks the pivot(s) in the main window, which opens this
        // window again; activation then makes this item current again.
        close();
        o_.lineCount -= 1;
    }
}

void DrawLinesLogic::showCoordinates(int k) {
    if (k < 1) return;
    RowView& row = view_.rows[static_cast<size_t>(k)];
    for (int c = 0; c < 4; ++c) row.box[static_cast<size_t>(c)] = coordinateText(field(o_, k, c));
    // A circle has no second vertical: its box stays empty.
    if (o_.lineType[k] == 1.0f) row.box[BVert].clear();
}

void DrawLinesLogic::drawCloseClick() {
    const int k = current();
    const int colour = o_.drawLinesColourChoice;
    o_.lineColour[k] = colour >= 0 && colour < kColours ? kColourValues[colour] : -1.0f;
    o_.lineType[k] = static_cast<float>(o_.drawLinesTypeChoice);

    if (allChosen()) {
        const int mode = o_.drawLinesRefChoice;
        const double pax = o_.linePivotAX[k], pay = o_.linePivotAY[k];
        const double pbx = o_.linePivotBX[k], pby = o_.linePivotBY[k];
        auto offsetA = [&] {
            o_.lineX1[k] = roundedAsShown(o_.lineX1[k] - pax);
            o_.lineY1[k] = roundedAsShown(o_.lineY1[k] - pay);
        };
        if (o_.drawLinesTypeChoice == 0) {
            if (mode == 1) {
                offsetA();
                o_.lineX2[k] = roundedAsShown(o_.lineX2[k] - pax);
                o_.lineY2[k] = roundedAsShown(o_.lineY2[k] - pay);
            } else if (mode == 2) {
                offsetA();
            } else if (mode == 3) {
                offsetA();
                o_.lineX2[k] = roundedAsShown(o_.lineX2[k] - pbx);
                o_.lineY2[k] = roundedAsShown(o_.lineY2[k] - pby);
            }
        } else if (mode == 0) {
            o_.lineX2[k] = roundedAsShown(distance(static_cast<double>(o_.lineY1[k]) - o_.lineY2[k],
                                                   static_cast<double>(o_.lineX1[k]) - o_.lineX2[k]));
        } else if (mode == 1) {
            offsetA();
            // From B to A as it was captured, kept in entry 0.
            o_.lineX2[k] = roundedAsShown(distance(static_cast<double>(o_.lineY2[k]) - o_.lineY1[0],
                                                   static_cast<double>(o_.lineX2[k]) - o_.lineX1[0]));
        }
        showCoordinates(k);
    }

    close();
    o_.lineCount += 1;
    if (o_.lineCount > kRows) {
        o_.lineCount = kRows;
        beep();
    }
    view_.drawCloseEnabled = false;
    o_.drawLinesPick = false;
    resetChoices();
}

void DrawLinesLogic::clearLine(int k) {
    o_.lineX1[k] = o_.lineY1[k] = o_.lineX2[k] = o_.lineY2[k] = 0.0f;
    o_.linePivotAX[k] = o_.linePivotAY[k] = o_.linePivotBX[k] = o_.linePivotBY[k] = 0.0f;
    if (k >= 1) view_.rows[static_cast<size_t>(k)] = RowView{};
    o_.lineType[k] = o_.lineColour[k] = o_.lineMode[k] = -1.0f;
}

void DrawLinesLogic::clearLineClick() {
    clearLine(current());
    resetChoices();
    view_.drawCloseEnabled = false;
    o_.drawLinesPick = false;
}

void DrawLinesLogic::closeClick() {
    resetChoices();
    close();
    o_.drawLinesPick = false;
}

bool DrawLinesLogic::acceptKey(int r, int column, const std::string& text, char key) const {
    if (r < 1 || r > kRows) return false;
    if (column == BVert && view_.rows[static_cast<size_t>(r)].type == "Circle") return false;
    return acceptNumericKey(text, key, true);
}

void DrawLinesLogic::leaveBox(int r, int column, const std::string& text) {
    if (r < 1 || r > kRows || column < 0 || column > 3) return;
    field(o_, r, column) = parseFloat(text);
    view_.rows[static_cast<size_t>(r)].box[static_cast<size_t>(column)] = text;
}

void DrawLinesLogic::linesDataClick() {
    for (int k = 1; k <= kRows; ++k) {
        RowView& row = view_.rows[static_cast<size_t>(k)];
        if (o_.lineType[k] > -1.0f)
            showCoordinates(k);
        else
            row.box = {};
        row.type = typeName(o_.lineType[k]);
        row.colour = colourName(o_.lineColour[k]);
        row.ref = modeLabel(o_.lineMode[k]);
    }
}

void DrawLinesLogic::clearValueLabels() {
    for (int k = 1; k <= kRows; ++k) {
        RowView& row = view_.rows[static_cast<size_t>(k)];
        row.type.clear();
        row.colour.clear();
        row.ref.clear();
    }
}

}  // namespace tevrane::drawlines
