// The dimension pointer display: a small button in a dimension dialog asks the
// main window to show where that dimension lies. The dialog steps aside, the
// picture zooms to a fixed view for the dimension, marks it with a thick
// blinking line, its name and an hourglass, and after 1001 frames (or at the
// next press in the picture) the view is restored and the dialog comes back.
//
// Like the rest of the picture it is split in two: advancePointerDisplay is
// the frame step that counts, blinks, moves the view and asks the windows for
// what they must do; drawPointerDisplay only draws what that step decided.
#pragma once

#include "model/Model.h"

namespace tevrane {

class Canvas;
class RendererHost;

// A view of the picture: scale and the two offsets.
struct ViewSetting {
    float scale = 0, offsetX = 0, offsetY = 0;
    bool operator==(const ViewSetting&) const = default;
};

ViewSetting currentView(const View& v);
void applyView(View& v, const ViewSetting& s);

// The display's state. Model::pointerDim (the dimension shown, 0 while idle)
// and Model::pointerFrameCount live in the model, because a dialog starts the
// display and a press in the picture ends it.
struct PointerState {
    // Kept from frame to frame.
    int blinkCount = 0;         // 1..6: three red frames, then three black
    ViewSetting savedView;      // the view before the display, restored after it
    bool returnToFrameDialog = false;  // which dialog comes back at the end

    // What this frame shows, decided by advancePointerDisplay.
    int shownDim = 0;           // the dimension marked this frame; 0: nothing
    bool red = false;           // the marker's colour this frame
    ViewSetting markerView;     // the view set for the dimension this frame
    // Whether the step moved the view this frame, and the view the pivots of
    // this frame were converted with. The picture follows a moved view only
    // from the next frame on: this frame is still drawn as the tick placed it.
    bool viewMoved = false;
    ViewSetting pictureView;
};

// Frames a display lasts when no press ends it.
inline constexpr int kPointerFrames = 1001;

// The frame step, run last in the renderer's frame step while
// Model::pointerDim is not 0: closes the dialog the dimension belongs to,
// saves the view on the first frame, counts and blinks, sets the view for the
// dimension, and after the last frame restores the saved view, asks for the
// dialog to be reopened and takes the hourglass cursor away.
void advancePointerDisplay(Model& m, PointerState& st, RendererHost& host);

// Draws over the finished picture what advancePointerDisplay decided: the
// hourglass, the marker line and the dimension's name. Draws nothing when no
// dimension is shown this frame.
void drawPointerDisplay(const Model& m, const PointerState& st, Canvas& c);

// The name the display writes for a dimension; empty for a number that is no
// dimension.
std::string pointerName(int dim);

}  // namespace tevrane
