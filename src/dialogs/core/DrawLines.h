// The draw-lines window without its widgets: the 20 rows of the lines and
// circles overlay, the three choices (type, colour, what the item is tied to),
// how an item is completed from the two reference points and the pivots the
// user picked, the rows' key filter and the table rebuild after a file load.
//
// The choices live in the model (drawLinesTypeChoice, drawLinesColourChoice,
// drawLinesRefChoice) because the main window reads them when the user picks
// a pivot; everything else the window shows is the view below, which the Qt
// window mirrors after every handler.
#pragma once

#include <array>
#include <string>

#include "model/Model.h"
#include "platform/Sound.h"

namespace tevrane::drawlines {

inline constexpr int kRows = kOverlayEntries;  // rows 1..20
inline constexpr int kColours = 6;
inline constexpr int kModes = 4;

// The colour choices in their order, the names the rows show and the values
// the items hold (red in the low byte).
inline constexpr const char* kColourNames[kColours] = {"Black", "Red", "Green", "Yellow", "Blue", "Gray"};
inline constexpr float kColourValues[kColours] = {0.0f, 255.0f, 32768.0f, 65535.0f, 16711680.0f, 8421504.0f};
// The row's label for each reference mode.
inline constexpr const char* kModeLabels[kModes] = {"0 , 0", "Pivot1", "Piv1/0,0", "Piv1/P2"};

// The four boxes of a row: A vertical, A horizontal, B vertical, B horizontal
// (or the radius of a circle).
enum Column { AVert = 0, AHorz = 1, BVert = 2, BHorzOrRadius = 3 };

struct RowView {
    std::string type, colour, ref;  // the three labels
    std::array<std::string, 4> box;  // the four edit boxes, by Column
};

struct LinesView {
    std::array<RowView, kRows + 1> rows;  // 1..20; entry 0 unused
    bool drawCloseEnabled = false;
};

// A value as a row shows it: 3 decimals in a field of 7.
std::string coordinateText(float v);
// The value stored for an offset or radius: its row text read back, so it is
// rounded to 0.001.
float roundedAsShown(double v);

class DrawLinesLogic {
public:
    // The window's handlers write only the overlay; the pivots and the
    // reference points they take the points from are read.
    DrawLinesLogic(const Model& m, Overlay& overlay, SoundPlayer& sound) : m_(m), o_(overlay), sound_(sound) {}

    const LinesView& view() const { return view_; }
    // The row shown aqua: the current item number (none while it is 0 during
    // a pivot pick).
    int highlightRow() const { return o_.lineCount; }
    // True once, after a handler that closes the window.
    bool takeCloseRequest();

    // ---- handlers ---------------------------------------------------------------
    // Each time the window is shown: keeps reference point 1 before an item is
    // begun, and after a pivot pick finds the picked pivot(s).
    void activate();
    // Item-number label of row r: makes it the current item, choices cleared.
    void itemLabelClick(int r);
    void typeClick(int type);      // 0 "Line", 1 "Circle"
    void colourClick(int colour);  // 0..5 in the order of kColourNames
    void refClick(int mode);       // 0 "0,0", 1 "Pivot1", 2 "Piv1/0,0", 3 "Piv1/Piv2"
    void drawCloseClick();
    void clearLineClick();
    void closeClick();

    // The key filter of box `column` of row r holding `text`: true when the
    // typed character goes in.
    bool acceptKey(int r, int column, const std::string& text, char key) const;
    // The focus left box `column` of row r: its text becomes the item's value.
    void leaveBox(int r, int column, const std::string& text);

    // The table rebuild after a dimension file was read (also after a cancel).
    void linesDataClick();
    // Before a file is read: the three labels of every row are emptied.
    void clearValueLabels();

private:
    int current() const;  // the current item, kept inside the table
    void resetChoices();
    void showCoordinates(int k);
    void clearLine(int k);
    void close();
    void beep() { sound_.beep(); }
    bool allChosen() const;

    const Model& m_;
    Overlay& o_;
    SoundPlayer& sound_;
    LinesView view_;
    bool closeRequested_ = false;
};

// The pivot nearest to a point among pivots 1..26, the reference points 19
// and 20 left out: the sum of the absolute differences, starting from a best
// distance of 10000, the lowest number winning a tie. Pivot 1 when none is
// nearer than that.
int nearestPivot(const Engine& e, float x, float y);

}  // namespace tevrane::drawlines
