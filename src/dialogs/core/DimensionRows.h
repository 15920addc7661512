// The rows of the two dimension dialogs (frame and cylinder) without their
// widgets: where each row's label, edit box and small button sit, which
// dimension the row edits, the key filter of the edit boxes, what leaving a box
// does to the model, and the labels drawn on the dialog's surface. Both dialogs
// run every row through this one table and logic.
#pragma once

#include <string>
#include <vector>

#include "model/Format.h"
#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

// ---- geometry shared by both dialogs (window pixels) ----------------------------
inline constexpr int kRowPitch = 13;          // rows are 13 pixels apart
inline constexpr int kBoxWidth = 40;          // borderless edit boxes
inline constexpr int kBoxHeight = 13;
inline constexpr int kSmallButtonWidth = 8;   // caption-less buttons at the row starts
inline constexpr int kSmallButtonHeight = 13;  // one row; two-line labels get two

// The colours of the edit boxes and the dialog's surface: silver marks a box
// whose dimension can become a dynamic variable; the rest use the window colour.
inline constexpr Colour kDynamicBoxColour = colours::silver;
inline constexpr Colour kWindowColour = colours::white;

enum class Column { Left, Right };

int labelX(Column c);        // 10 or 204, before scaling
int boxX(Column c);          // 146 or 342
int smallButtonX(Column c);  // 0 or 194

// What leaving a row's edit box does.
enum class RowRole {
    Dynamic,       // a dimension of the dynamic variables and the undo history
    NormalTravel,  // revArmNormal: kept no larger than revArmMax
    MaxTravel,     // revArmMax: kept no smaller than revArmNormal, sets the bar range
};

struct DimensionRow {
    int edit = 0;        // the box number within its dialog, 1-based
    Column column = Column::Left;
    int row = 0;         // row of the edit box
    int id = 0;          // dimension number (1..21, 101..122), also the highlight code
    RowRole role = RowRole::Dynamic;
    std::string label;   // first (or only) line of the label, drawn on the surface
    int labelRow = 0;    // row of that first line
    std::string name;    // short name for the dynamic variable and the undo entry
    int buttonRows = 1;  // height of the small button in rows (2 for two-line labels)

    int boxY() const { return row * kRowPitch; }
    int smallButtonY() const { return labelRow * kRowPitch; }
    int smallButtonHeight() const { return buttonRows * kSmallButtonHeight; }
};

// A text drawn on the dialog's surface at a base position. The base x is
// scaled by the horizontal text factor unless the text stays at a fixed column;
// the base y is always scaled by the vertical one.
struct SurfaceText {
    int x = 0;
    int y = 0;
    bool scaleX = true;
    std::string text;
};

struct PushButtonPlace {
    std::string caption;
    int x = 0, y = 0, width = 0, height = 0;
};

struct DimensionLayout {
    std::string caption;
    int width = 0;   // client area
    int height = 0;
    std::vector<DimensionRow> rows;
    std::vector<SurfaceText> texts;  // every label line and the two hints, in drawing order
    PushButtonPlace reset;
    PushButtonPlace close;
    // The line under the hints that names the design's length unit (a
    // caption of its own, so no label of the table changes); its top, at the
    // left edge, as wide as the hints.
    int unitCaptionY = 0;

    // The row of box n (1-based), or nullptr.
    const DimensionRow* rowOfEdit(int n) const;
};

// The unit caption's text: "All lengths in inches (in)".
std::string dimensionUnitCaption(LengthUnit u);

const DimensionLayout& frameLayout();
const DimensionLayout& cylinderLayout();

// A surface position round(base * factor), through the one saturating rounding.
int scaledPosition(int base, float factor);

// The labels and hints of a dimension dialog: clears the surface to the window
// colour and draws every text at its scaled position in black, 8 points.
void drawDimensionLabels(Canvas& c, const DimensionLayout& layout, float fontScaleX,
                         float fontScaleY);

// ---- the numeric key filter of every edit box -----------------------------------

struct KeyVerdict {
    bool insert = false;       // the key reaches the box (typed or deleting)
    bool moveFocus = false;    // carriage return: the focus goes to "Close"
    bool marksEdited = false;  // the key counts as typing for the undo history
};

// Backspace, carriage return, "-", "." and the digits pass the first check and
// count as typing; everything else is dropped. A "-" or "." that the text
// already holds anywhere is then dropped as well, so a box holds at most one of
// each (the minus may stand at any position).
KeyVerdict filterKey(const std::string& text, char key);
// Whether the key ends up in the box (typed or deleting).
bool acceptKey(const std::string& text, char key);

// ---- values ---------------------------------------------------------------------
// The dimension a row edits (frame ids 1..21, cylinder ids 101..122).
float rowValue(const Model& m, const DimensionRow& row);
// The text of a row's box: 3 decimals, at least 5 wide, cut to 10 characters.
// In a millimetre design a length of 100 mm or more has 2 decimals and one
// of 1000 mm or more 1, so the box (made for inch values such as "-12.345")
// shows the whole number, rounded, instead of cutting "133.096" to "133.09".
std::string rowText(const Model& m, const DimensionRow& row);
// The number a box's text stands for, as a stored single: malformed texts give
// their longest numeric start, an empty one 0, and magnitudes beyond the
// single range become infinities.
float boxValue(const std::string& text);

// The value a box stands for when it is left, which the dialog hands to the
// `setDimension` command. textEdited tells whether the text was changed since
// the dialog filled the box. An unchanged text stands for the dimension's
// exact value: the box shows it rounded to 3 decimals and cut to 10
// characters, and merely passing through must not alter a dimension behind
// the undo history's back.
float leftValue(const Model& m, const DimensionRow& row, const std::string& text,
                bool textEdited = true);

}  // namespace tevrane
