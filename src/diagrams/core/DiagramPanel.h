// What the four diagram windows draw in common without their widgets: the
// panel of dynamic-variable names and values beside the bars and the undo
// line. The bars' gesture is the one every window shares
// (controls/core/DynVarBars).
#pragma once

#include <array>
#include <string>

#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// Visibility and enabled states of a diagram window's own controls that the
// end of a drawing pass decides; the window copies them into its widgets.
// A diagram whose sweep met a clamp draws a gear the solver had to mend, not
// a real one: at how many of the sweep's settings (the port diagram) or
// positions (the others) it could not close, and of how many.
struct ClampCount {
    int clamped = 0;
    int of = 0;
    bool positions = false;  // positions of the reverse-arm set, not settings
};
// "The gear cannot close at 3 of 19 settings: ..."; empty when it closes
// everywhere.
std::string clampNoticeText(const ClampCount& c);

struct DiagramControls {
    bool barsVisible = false;
    std::array<bool, kDynSlots> barEnabled{};  // by slot; the bars are slots 1..4
    bool undoVisible = false;
    // Shown beside the picture, never drawn in it.
    ClampCount clamps;
};

// A diagram's picture at the normal font: the window's client area below its
// menu. The large font widens it by its x factor. The oval's is a little
// taller than the others'.
inline constexpr int kDiagramWidth = 632;
inline constexpr int kDiagramHeight = 414;
inline constexpr int kOvalDiagramHeight = 426;

// Geometry shared by every diagram window (window pixels).
inline constexpr int kDiagramBarX = 112;
inline constexpr int kDiagramBarY[5] = {0, 3, 15, 27, 39};
inline constexpr int kDiagramBarWidth = 121;
inline constexpr int kDiagramBarHeight = 10;
inline constexpr int kDiagramUndoX = 110, kDiagramUndoY = 54;
inline constexpr int kDiagramUndoWidth = 40, kDiagramUndoHeight = 16;

// The padding after the undo line's values: wide enough to cover what a longer
// earlier line left behind.
inline const std::string kUndoLineTail = "." + std::string(46, ' ');
// A row of 31 asterisks framing the "select dimensions first" notice.
inline const std::string kAsteriskRow(31, '*');
inline const std::string kFirstSelectText = "* First Select Dimensions *";

// True for a slot that no dimension has been bound to yet.
bool isEmptySlotName(const std::string& name);

// Rows the plot of a diagram goes down under the large font; 0 at the
// normal font. The panel band above the plot (the four dynamic-variable rows
// and the undo line, ending at row 68 at the normal font) holds letters and
// places grown by the vertical factor: the steam, oval and sine plots go
// down as far as the band grew, so the undo line's cell wipes none of their
// curves; the port plot goes down until its "Maximum" (row 47) stands below
// the undo line, which the large font also makes wider.
int diagramShift(const Model& m);
int portsDiagramShift(const Model& m);

// A base text position scaled by the font multipliers.
int scaledX(const Model& m, double x);
int scaledY(const Model& m, double y);

// The names and values of the four bar slots, or the notice asking the user to
// select dimensions first; only while dynVarsVisible. Sets the bar states.
void drawDynVarPanel(const Model& m, Canvas& c, DiagramControls& controls);

// The two undo lines one pass writes.
struct UndoLines {
    std::string previous;  // the line the pass before composed
    std::string current;   // the line of the newest record now
};

// The step before a pass draws its undo line: while undoEnabled, the line of
// the newest record is composed and becomes the undo text every diagram
// window shares; the one it replaces is returned with it. With the undo line
// off nothing changes.
UndoLines advanceUndoLine(Model& m);

// The undo line while undoEnabled: the previous line, then the current one
// (only written while the dynamic variables are shown).
void drawUndoLine(const Model& m, Canvas& c, const UndoLines& lines, DiagramControls& controls);

// Both drawings, as every diagram pass ends (after advanceUndoLine). Drawing
// only draws: the same model and lines give the same picture every time.
DiagramControls drawDiagramPanel(const Model& m, Canvas& c, const UndoLines& lines);

}  // namespace tevrane
