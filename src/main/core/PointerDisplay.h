// The dimension pointer display: zooms to a dimension chosen in a dimension
// dialog, draws it as a blinking marker with its name, and afterwards restores
// the view and reopens the dialog. The renderer calls it as the last drawing
// of the frame.
#pragma once

namespace tevrane {

struct Model;
class Canvas;

// Runs only while a pointer dimension is set (Model::pointerDim != 0).
//
// NOT YET WRITTEN: the pointer display arrives with its own work. Until then
// this draws nothing and changes nothing; the renderer already calls it at the
// right point of the frame. Its frame count and the saved view are state, so
// they will be kept by the renderer's frame step; the drawing only reads.
void drawPointerDisplay(const Model& m, Canvas& c);

}  // namespace tevrane
