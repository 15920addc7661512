#include "main/core/SteamDisplay.h"

namespace tevrane {

// The steam display arrives with its own work; this placeholder deliberately
// draws nothing so that the frame order is already in place.
void drawSteam(const Model&, Canvas&) {}

}  // namespace tevrane
