#include "diagrams/core/DiagramPanel.h"

#include <algorithm>

#include "model/DynVars.h"
#include "model/Format.h"

namespace tevrane {

bool isEmptySlotName(const std::string& name) {
    // A model that never went through the slot reset has blank names; treat
    // them like the empty-slot mark so no bar is offered for them.
    return name == kEmptySlotName || name.empty();
}

namespace {
constexpr int kPanelBandBottom = 68;  // the undo line's row 55 and its 13-row cell
constexpr int kPortsMaximumRow = 47;
}  // namespace

int diagramShift(const Model& m) { return std::max(0, scaledY(m, kPanelBandBottom) - kPanelBandBottom); }

int portsDiagramShift(const Model& m) {
    if (diagramShift(m) == 0) return 0;
    return std::max(0, scaledY(m, kPanelBandBottom) - kPortsMaximumRow);
}

int scaledX(const Model& m, double x) { return toInt(static_cast<long double>(x) * m.fontScaleX); }
int scaledY(const Model& m, double y) { return toInt(static_cast<long double>(y) * m.fontScaleY); }

void drawDynVarPanel(const Model& m, Canvas& c, DiagramControls& controls) {
    for (int k = 1; k <= 4; ++k) controls.barEnabled[static_cast<size_t>(k)] = !isEmptySlotName(m.dynVarName[k]);
    controls.barsVisible = m.dynVarsVisible;
    if (!m.dynVarsVisible) return;

    const int nameX = scaledX(m, 235);
    if (!isEmptySlotName(m.dynVarName[1])) {
        const int valueX = scaledX(m, 363);
        // The first row sits at y 2 whatever the font; the others follow the
        // bars, which do not move with the font.
        const int rowY[5] = {0, 2, scaledY(m, 14), scaledY(m, 26), scaledY(m, 38)};
        for (int k = 1; k <= 4; ++k) {
            c.textOut(nameX, rowY[k], m.dynVarName[k]);
            c.textOut(valueX, rowY[k], fixed(m.dynVarValue[k], 6, 3));
        }
    } else {
        c.setFontColour(colours::red);
        c.textOut(nameX, 2, kAsteriskRow);
        c.textOut(nameX, scaledY(m, 12), kFirstSelectText);
        c.textOut(nameX, scaledY(m, 26), kAsteriskRow);
        c.setFontColour(colours::black);
    }
}

namespace {

// The undo line is written over whatever line was there before, including one
// drawn in an earlier pass over the same picture: like text with an opaque
// background, it first wipes its own cell. Text goes onto the surface without
// a background, so the cell is wiped in white here, as wide as the visible
// text: the padding blanks only stand for "cover a longer old line", and the
// new line's cell reaches as far as the previous line's text for that. A
// wider band would erase the diagram beside the line (the right axis, the
// top grid row, the position labels). The cell is 13 pixels high, that of
// the picture font, and grows with the letters under the large font.
constexpr int kUndoCellHeight = 13;

// The width of a line's text up to its last non-blank character.
int visibleWidth(Canvas& c, const std::string& text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string::npos ? 0 : c.textWidth(text.substr(0, end + 1));
}

void writeOverCell(Canvas& c, int x, int y, const std::string& text, int cellWidth,
                   int cellHeight) {
    const Colour pen = c.penColour();
    const int penWidth = c.penWidth();
    c.setPenColour(colours::white);
    c.setPenWidth(1);
    for (int row = 0; row < cellHeight; ++row) c.line(x, y + row, x + cellWidth, y + row);
    c.setPenColour(pen);
    c.setPenWidth(penWidth);
    c.textOut(x, y, text);
}

}  // namespace

UndoLines advanceUndoLine(Model& m) {
    if (!m.undoEnabled) return {m.undoText, m.undoText};
    UndoLines lines{m.undoText, undoLine(m) + kUndoLineTail};
    m.undoText = lines.current;
    return lines;
}

void drawUndoLine(const Model& m, Canvas& c, const UndoLines& lines, DiagramControls& controls) {
    controls.undoVisible = m.undoEnabled;
    if (!m.undoEnabled) return;

    const int x = scaledX(m, 150);
    const int y = scaledY(m, 55);
    // The line composed last time, then the new one in its place while the
    // dynamic variables are shown.
    const int cellHeight = scaledY(m, kUndoCellHeight);
    const int previousWidth = visibleWidth(c, lines.previous);
    if (!lines.previous.empty()) writeOverCell(c, x, y, lines.previous, previousWidth, cellHeight);
    if (m.dynVarsVisible)
        writeOverCell(c, x, y, lines.current, std::max(previousWidth, visibleWidth(c, lines.current)),
                      cellHeight);
}

DiagramControls drawDiagramPanel(const Model& m, Canvas& c, const UndoLines& lines) {
    DiagramControls controls;
    // The panel's texts stand at places the large font spreads apart, so
    // their letters grow by the same factors; the plots' own labels keep
    // their places and their size.
    c.setTextScale(m.fontScaleX, m.fontScaleY);
    drawDynVarPanel(m, c, controls);
    drawUndoLine(m, c, lines, controls);
    c.setTextScale(1.0f, 1.0f);
    return controls;
}

}  // namespace tevrane

namespace tevrane {

std::string clampNoticeText(const ClampCount& c) {
    if (c.clamped <= 0) return {};
    const char* what = c.positions ? (c.of == 1 ? "position" : "positions") : (c.of == 1 ? "setting" : "settings");
    return "The gear cannot close at " + std::to_string(c.clamped) + " of " + std::to_string(c.of) + " " + what +
           ": the solver mended the linkage there, so what is drawn there is no real gear.";
}

}  // namespace tevrane
