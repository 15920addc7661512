// "Fit": the view that shows the whole gear over a full turn in a picture of
// a given size. The gear is the wheel, every moving and fixed pivot of the
// linkage with the rods and levers between them, the reverse arm's line and
// the cylinder with its steam chest, valve and piston; the reference points
// and the overlay are the user's own and do not count.
#pragma once

#include "main/core/PointerDisplay.h"
#include "model/Model.h"

namespace tevrane {

// A box in world units (the design's length unit), y upwards.
struct WorldBox {
    double left = 0, right = 0, bottom = 0, top = 0;
    double width() const { return right - left; }
    double height() const { return top - bottom; }
};

// Where the gear reaches over a full turn of the driver at the reverse-arm
// setting `revArmPos`: solved every few degrees, as the tick solves it.
WorldBox gearExtent(const Model& m, float revArmPos);

// The free part of a picture the gear may fill, in picture pixels.
struct PixelBox {
    int left = 0, top = 0, width = 0, height = 0;
};

// The view (pixels per unit, offsets of the world origin) that shows `box`
// centred in `area` at the largest scale that leaves `margin` pixels free on
// every side, within the zoom's range 0.5 to 3000. A box or area without
// size keeps the scale at 1 and centres what there is.
ViewSetting fitView(const WorldBox& box, const PixelBox& area, int margin);

// The part of a picture of width x height that Fit fills: all of it below
// the readouts and controls at its top while the screen data are shown.
PixelBox fitArea(const Model& m, int width, int height);

// The margin Fit leaves around the gear, in pixels.
inline constexpr int kFitMargin = 12;

// An exported or printed picture of width x height pixels whose bottom band
// of `reservedBottom` pixels holds its title block: the model's view is set
// to fit the gear into the rest, and the pivots already solved and the
// outlines are placed again in that view, as the tick places them.
void fitForPicture(Model& m, int width, int height, int reservedBottom);

}  // namespace tevrane
