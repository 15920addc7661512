// The set of up to nine reverse-arm positions that the steam, oval and sine
// diagrams step through, and the vertical scale of the oval and sine
// diagrams: the logic of the "Set Reverse Arm Positions" dialog without its
// widgets. Its labels are drawn on a Canvas; the edit boxes' visibility and
// texts are kept in RevArmBoxes for the window to mirror.
#pragma once

#include <array>
#include <string>

#include "model/GearCommands.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// Edit box numbers: 1..9 hold positions 1..9, box 10 the vertical scale.
inline constexpr int kRevArmPositions = 9;
inline constexpr int kRevArmScaleBox = 10;
inline constexpr int kRevArmBoxCount = 10;

struct RevArmBoxes {
    std::array<bool, kRevArmBoxCount + 1> visible{};  // index 1..10
    std::array<std::string, kRevArmBoxCount + 1> text{};
};

// Window pixels of box 1..10 and of the "Close" button. They follow the text
// factors like the labels, so every label stays beside its own box at both
// font sizes.
struct RevArmRect {
    int x = 0, y = 0, w = 0, h = 0;
    bool operator==(const RevArmRect&) const = default;
};
RevArmRect revArmBoxRect(const Model& m, int box);
RevArmRect revArmCloseRect(const Model& m);
// The dialog's client area: room under the Close button for the line that
// names the unit of every position and limit, at either font size.
inline constexpr int kRevArmDialogWidth = 409;
inline constexpr int kRevArmDialogHeight = 172;
// "Reverse arm settings in inches (in)": the positions, the centre and the
// limits are lengths of the design's unit (the vertical scale is a factor).
std::string revArmUnitCaption(const Model& m);
// The boxes' size in the form's design units. They are wider than the
// first layout's 49 units, which cut a signed entry such as "-1.200" to its
// last five characters: a left-column box now reaches just short of the
// right column's labels, a right-column box into the form's empty right
// edge.
inline constexpr int kRevArmBoxWidth = 66;
inline constexpr int kRevArmBoxHeight = 16;

// "Rev Arm Position  k" (two blanks before the digit) and where it is written.
std::string revArmLabel(int position);
IPoint revArmLabelPlace(const Model& m, int position);

// The dialog's drawing: the limit scale, the labels of the positions in use,
// the boxes' texts and visibility. It only reads: the positions are settled
// (settleRevArmPositions) in the step before, so the labels shown are the
// positions the diagrams step through.
void drawRevArmDialog(const Model& m, Canvas& c, RevArmBoxes& boxes);

// The key filter of every box: backspace, digits, one "." and one "-".
bool acceptRevArmKey(const std::string& text, char key);
// Whether a key press in this box reveals the next one (boxes 1..8).
bool keyRevealsNext(int box);
// Writes the label of the position after this box and shows its box.
void revealNextPosition(const Model& m, Canvas& c, RevArmBoxes& boxes, int box);

// A box losing the focus: its text is converted and stored through the
// commands, with the rules of that box (position 1 is never 0; positions are
// clamped; the scale is at least 0.1 and at most 1000).
void acceptRevArmEntry(GearCommands& commands, int box, const std::string& text);

}  // namespace tevrane
