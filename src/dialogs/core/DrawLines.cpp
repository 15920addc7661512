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
float& field(Model& m, int k, int column) {
    switch (column) {
        case AVert: return m.lineY1[k];
        case AHorz: return m.lineX1[k];
        case BVert: return m.lineY2[k];
        default: return m.lineX2[k];
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

int DrawLinesLogic::current() const { return std::clamp(m_.lineCount, 0, kRows); }

bool DrawLinesLogic::allChosen() const {
    return m_.drawLinesTypeChoice >= 0 && m_.drawLinesColourChoice >= 0 && m_.drawLinesRefChoice >= 0;
}

void DrawLinesLogic::resetChoices() {
    m_.drawLinesTypeChoice = -1;
    m_.drawLinesColourChoice = -1;
    m_.drawLinesRefChoice = -1;
}

void DrawLinesLogic::close() { closeRequested_ = true; }

void DrawLinesLogic::activate() {
    if (m_.drawLinesRefChoice < 0) {
        // Before an item is begun: reference point 1 as it stands now, which a
        // circle tied to a pivot measures its radius from.
        m_.lineY1[0] = m_.pivotY[kRefPoint1];
        m_.lineX1[0] = m_.pivotX[kRefPoint1];
    }
    if (m_.drawLinesRefChoice > 0) {
        // Back from a pivot pick: the item being defined is current again,
        // and the picked reference points name its pivots.
        m_.lineCount = std::min(m_.lineCount + 1, kRows);
        const int k = current();
        const int a = nearestPivot(m_, m_.pivotX[kRefPoint1], m_.pivotY[kRefPoint1]);
        m_.linePivotA[k] = static_cast<float>(a);
        m_.linePivotAY[k] = m_.pivotY[a];
        m_.linePivotAX[k] = m_.pivotX[a];
        if (m_.drawLinesRefChoice == 3) {
            const int b = nearestPivot(m_, m_.pivotX[kRefPoint2], m_.pivotY[kRefPoint2]);
            m_.linePivotB[k] = static_cast<float>(b);
            m_.linePivotBY[k] = m_.pivotY[b];
            m_.linePivotBX[k] = m_.pivotX[b];
        }
    }
}

void DrawLinesLogic::itemLabelClick(int r) {
    if (r < 1 || r > kRows) return;
    m_.lineCount = r;
    resetChoices();
    view_.drawCloseEnabled = false;
}

// A click on the button already chosen changes nothing: it is not a new
// choice, and running the handler again would close the window, step the
// item number back or take the reference points a second time.

void DrawLinesLogic::typeClick(int type) {
    if (type == m_.drawLinesTypeChoice) return;
    if (m_.pivotX[kRefPoint1] == 0.0f && m_.pivotY[kRefPoint1] == 0.0f && m_.pivotX[kRefPoint2] == 0.0f &&
        m_.pivotY[kRefPoint2] == 0.0f) {
        // Nothing to build an item from yet.
        beep();
        close();
        m_.drawLinesTypeChoice = -1;
        return;
    }
    m_.drawLinesTypeChoice = type;
    view_.rows[static_cast<size_t>(current())].type = type == 1 ? "Circle" : "Line";
    if (allChosen()) view_.drawCloseEnabled = true;
}

void DrawLinesLogic::colourClick(int colour) {
    if (colour == m_.drawLinesColourChoice) return;
    if (m_.drawLinesTypeChoice < 0) {
        m_.drawLinesColourChoice = -1;
        beep();
        return;
    }
    m_.drawLinesColourChoice = colour;
    view_.rows[static_cast<size_t>(current())].colour = kColourNames[std::clamp(colour, 0, kColours - 1)];
}

void DrawLinesLogic::refClick(int mode) {
    if (mode < 0 || mode >= kModes || mode == m_.drawLinesRefChoice) return;
    if (m_.drawLinesTypeChoice < 0 || m_.drawLinesColourChoice < 0) {
        m_.drawLinesRefChoice = -1;
        beep();
        return;
    }
    m_.drawLinesRefChoice = mode;
    const int k = current();
    // The item is built from the two reference points as they stand now.
    m_.lineY1[k] = m_.pivotY[kRefPoint1];
    m_.lineX1[k] = m_.pivotX[kRefPoint1];
    m_.lineY2[k] = m_.pivotY[kRefPoint2];
    m_.lineX2[k] = m_.pivotX[kRefPoint2];

    const bool circle = m_.drawLinesTypeChoice == 1;
    RowView& row = view_.rows[static_cast<size_t>(k)];
    if (mode != 2 || !circle) {
        row.ref = kModeLabels[mode];
        m_.lineMode[k] = static_cast<float>(mode);
        if (mode > 0) m_.drawLinesPick = true;
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
        m_.lineCount -= 1;
    }
}

void DrawLinesLogic::showCoordinates(int k) {
    if (k < 1) return;
    RowView& row = view_.rows[static_cast<size_t>(k)];
    for (int c = 0; c < 4; ++c) row.box[static_cast<size_t>(c)] = coordinateText(field(m_, k, c));
    // A circle has no second vertical: its box stays empty.
    if (m_.lineType[k] == 1.0f) row.box[BVert].clear();
}

void DrawLinesLogic::drawCloseClick() {
    const int k = current();
    const int colour = m_.drawLinesColourChoice;
    m_.lineColour[k] = colour >= 0 && colour < kColours ? kColourValues[colour] : -1.0f;
    m_.lineType[k] = static_cast<float>(m_.drawLinesTypeChoice);

    if (allChosen()) {
        const int mode = m_.drawLinesRefChoice;
        const double pax = m_.linePivotAX[k], pay = m_.linePivotAY[k];
        const double pbx = m_.linePivotBX[k], pby = m_.linePivotBY[k];
        auto offsetA = [&] {
            m_.lineX1[k] = roundedAsShown(m_.lineX1[k] - pax);
            m_.lineY1[k] = roundedAsShown(m_.lineY1[k] - pay);
        };
        if (m_.drawLinesTypeChoice == 0) {
            if (mode == 1) {
                offsetA();
                m_.lineX2[k] = roundedAsShown(m_.lineX2[k] - pax);
                m_.lineY2[k] = roundedAsShown(m_.lineY2[k] - pay);
            } else if (mode == 2) {
                offsetA();
            } else if (mode == 3) {
                offsetA();
                m_.lineX2[k] = roundedAsShown(m_.lineX2[k] - pbx);
                m_.lineY2[k] = roundedAsShown(m_.lineY2[k] - pby);
            }
        } else if (mode == 0) {
            m_.lineX2[k] = roundedAsShown(distance(static_cast<double>(m_.lineY1[k]) - m_.lineY2[k],
                                                   static_cast<double>(m_.lineX1[k]) - m_.lineX2[k]));
        } else if (mode == 1) {
            offsetA();
            // From B to A as it was captured, kept in entry 0.
            m_.lineX2[k] = roundedAsShown(distance(static_cast<double>(m_.lineY2[k]) - m_.lineY1[0],
                                                   static_cast<double>(m_.lineX2[k]) - m_.lineX1[0]));
        }
        showCoordinates(k);
    }

    close();
    m_.lineCount += 1;
    if (m_.lineCount > kRows) {
        m_.lineCount = kRows;
        beep();
    }
    view_.drawCloseEnabled = false;
    m_.drawLinesPick = false;
    resetChoices();
}

void DrawLinesLogic::clearLine(int k) {
    m_.lineX1[k] = m_.lineY1[k] = m_.lineX2[k] = m_.lineY2[k] = 0.0f;
    m_.linePivotAX[k] = m_.linePivotAY[k] = m_.linePivotBX[k] = m_.linePivotBY[k] = 0.0f;
    if (k >= 1) view_.rows[static_cast<size_t>(k)] = RowView{};
    m_.lineType[k] = m_.lineColour[k] = m_.lineMode[k] = -1.0f;
}

void DrawLinesLogic::clearLineClick() {
    clearLine(current());
    resetChoices();
    view_.drawCloseEnabled = false;
    m_.drawLinesPick = false;
}

void DrawLinesLogic::closeClick() {
    resetChoices();
    close();
    m_.drawLinesPick = false;
}

bool DrawLinesLogic::acceptKey(int r, int column, const std::string& text, char key) const {
    if (r < 1 || r > kRows) return false;
    if (column == BVert && view_.rows[static_cast<size_t>(r)].type == "Circle") return false;
    return acceptNumericKey(text, key, true);
}

void DrawLinesLogic::leaveBox(int r, int column, const std::string& text) {
    if (r < 1 || r > kRows || column < 0 || column > 3) return;
    field(m_, r, column) = parseFloat(text);
    view_.rows[static_cast<size_t>(r)].box[static_cast<size_t>(column)] = text;
}

void DrawLinesLogic::linesDataClick() {
    for (int k = 1; k <= kRows; ++k) {
        RowView& row = view_.rows[static_cast<size_t>(k)];
        if (m_.lineType[k] > -1.0f)
            showCoordinates(k);
        else
            row.box = {};
        row.type = typeName(m_.lineType[k]);
        row.colour = colourName(m_.lineColour[k]);
        row.ref = modeLabel(m_.lineMode[k]);
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
