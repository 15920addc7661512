// What the four diagram windows share without their widgets: the panel of
// dynamic-variable names and values drawn beside the bars, the undo line, and
// the bars' gesture (jog steps between the bar getting the focus and the
// user releasing it, recorded as one undo entry).
#pragma once

#include <array>
#include <string>

#include "main/core/Panel.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// Visibility and enabled states of a diagram window's own controls that the
// end of a drawing pass decides; the window copies them into its widgets.
struct DiagramControls {
    bool barsVisible = false;
    std::array<bool, 5> barEnabled{};  // index 1..4
    bool undoVisible = false;
};

// Geometry shared by every diagram window (window pixels).
inline constexpr int kDiagramBarX = 112;
inline constexpr int kDiagramBarY[5] = {0, 3, 15, 27, 39};
inline constexpr int kDiagramBarWidth = 121;
inline constexpr int kDiagramBarHeight = 10;
inline constexpr int kDiagramBarRange = 200;
inline constexpr int kDiagramBarLargeChange = 10;
// One arrow click changes the bound dimension by 1/1000 of a unit.
inline constexpr double kDiagramBarDivisor = 1000.0;
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

// A base text position scaled by the font multipliers.
int scaledX(const Model& m, double x);
int scaledY(const Model& m, double y);

// The names and values of the four bar slots, or the notice asking the user to
// select dimensions first; only while dynVarsVisible. Sets the bar states.
void drawDynVarPanel(const Model& m, Canvas& c, DiagramControls& controls);

// The undo line while undoEnabled: the previous line, then the new one (only
// written while the dynamic variables are shown). Composes m.undoText.
void drawUndoLine(Model& m, Canvas& c, DiagramControls& controls);

// Both of the above, as every diagram pass ends.
DiagramControls drawDiagramPanel(Model& m, Canvas& c);

// The four dynamic-variable bars of one diagram window.
class DiagramDynBars {
public:
    explicit DiagramDynBars(Model& m) : m_(m) {}

    // Bar k got the focus: the value before the gesture.
    void enter(int k);
    // Whether a gesture of bar k has started and not yet been recorded.
    bool started(int k) const;
    // Bar k moved to position p: one jog step of slot k. Returns true when the
    // bar must be set back to 0 (which calls change once more with p = 0).
    bool change(int k, int p);
    // The user released bar k: one undo record from the start value to now.
    void scrollEnd(int k);

    const JogHistory& history(int k) const { return jog_[static_cast<size_t>(k)]; }
    float startValue(int k) const { return start_[static_cast<size_t>(k)]; }

private:
    static bool valid(int k) { return k >= 1 && k <= 4; }

    Model& m_;
    std::array<JogHistory, 5> jog_{};
    std::array<float, 5> start_{};
    std::array<bool, 5> started_{};
};

// The diagram's "UnDo" button: undoes the newest record, or, with nothing to
// undo, disables the "UnDo" buttons of every window.
void diagramUndo(Model& m);

}  // namespace tevrane
