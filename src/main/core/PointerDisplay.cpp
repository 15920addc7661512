#include "main/core/PointerDisplay.h"

namespace tevrane {

// The pointer display arrives with its own work; this placeholder deliberately
// draws nothing so that the frame order is already in place.
void drawPointerDisplay(const Model&, Canvas&) {}

}  // namespace tevrane
