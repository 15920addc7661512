// The steam display of the main picture: steam pixels in the chest, the
// cylinder ends, the passages and the exhaust, its legend and the exhaust
// beats. The renderer calls it right after the picture is created, before the
// mechanism, so the gear is drawn over the steam.
#pragma once

namespace tevrane {

struct Model;
class Canvas;

// Runs only while the steam display is switched on.
//
// NOT YET WRITTEN: the steam display arrives with its own work. Until then this
// draws nothing and plays nothing; the renderer already calls it at the right
// point of the frame. The exhaust beats and the random puffs change state, so
// they will run in the renderer's frame step; the drawing itself only reads.
void drawSteam(const Model& m, Canvas& c);

}  // namespace tevrane
