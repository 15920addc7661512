// Where the main window's controls stand. The picture's readouts are drawn at
// fixed base positions in the top 143 pixels (for example "Rev Arm " at
// (459, 25) and the valve readings at x 545); the controls sit around them so
// that no readout is hidden. Positions are base pixels, scaled with the text
// scale factors like the readouts themselves.
#pragma once

namespace tevrane::layout {

struct Rect {
    int x, y, w, h;
};

inline constexpr Rect kToolBar{0, 0, 640, 24};

// Left column: the three motion bars, each with its three buttons.
inline constexpr Rect kRevArmBar{2, 27, 118, 12};
inline constexpr Rect kRevButton{121, 25, 25, 15};
inline constexpr Rect kCenButton{147, 25, 25, 15};
inline constexpr Rect kFwdButton{173, 25, 25, 15};
inline constexpr Rect kDrvAngBar{2, 42, 118, 12};
inline constexpr Rect kDeg00Button{121, 40, 25, 15};
inline constexpr Rect kDeg180Button{147, 40, 25, 15};
inline constexpr Rect kRunButton{173, 40, 25, 15};
inline constexpr Rect kStepAngBar{2, 57, 118, 12};
inline constexpr Rect kStep1Button{121, 55, 25, 15};
inline constexpr Rect kStep10Button{147, 55, 25, 15};
inline constexpr Rect kStep45Button{173, 55, 25, 15};
// Presets under the bars, left of the reference point readouts at x 143.
inline constexpr Rect kPresetRow{2, 73, 17, 15};  // "P", then 1..6, 17 apart
inline constexpr Rect kNormButton{2, 90, 36, 15};
inline constexpr Rect kDataTableButton{42, 90, 60, 15};

// Pan and zoom bars right of their labels at x 199.
inline constexpr Rect kPanVertBar{250, 27, 100, 11};
inline constexpr Rect kPanHorzBar{250, 41, 100, 11};
inline constexpr Rect kZoomBar{250, 55, 100, 11};

// Dynamic-variable bars left of their names at x 377; the "UnDo" button
// sits just left of the undo line at x 320 (its top comes from the picture).
inline constexpr Rect kDynVarBar{262, 72, 110, 10};  // bars 12 apart
inline constexpr int kDynVarPitch = 12;
inline constexpr Rect kDynFrame{259, 69, 116, 51};
inline constexpr Rect kUnDoButton{272, 72, 46, 15};

// Reference point bars and buttons, below the presets; the frame ends above
// the pivot data heading at y 128.
inline constexpr Rect kRefBar{2, 107, 66, 9};  // four bars, two per row
inline constexpr Rect kRefFrame{0, 105, 142, 22};
inline constexpr Rect kRefPt1Zero{104, 90, 18, 15};
inline constexpr Rect kRefPt2Zero{124, 90, 18, 15};
inline constexpr Rect kRefPt1Button{350, 25, 30, 15};
inline constexpr Rect kRefPt2Button{350, 41, 30, 15};

}  // namespace tevrane::layout
