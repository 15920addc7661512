// The picture of the Indicated Performance window: both ends' theoretical
// indicator cards of one setting against the piston's travel, the events
// marked, the axes with their units, and beside them the table of notches
// with each end's mean effective pressure, the work ratio and the power.
// Pure drawing on a Canvas from a computed table: nothing is solved here.
#pragma once

#include <string>
#include <vector>

#include "model/Performance.h"
#include "platform/Canvas.h"

namespace tevrane {

// Where the cards go and what the axes run over: piston travel 0..100 % of
// the stroke measured from the front dead centre left to right, absolute
// pressure 0..pressureTop bottom to top.
struct CardFrame {
    int left = 0, top = 0, right = 0, bottom = 0;
    double pressureTop = 1;
    double pressureStep = 1;  // between the pressure axis' ticks
    // Pixel of a travel fraction (0 front dead centre, 1 back) and pressure.
    IPoint at(double travel, double pressure) const;
};

// A frame in the box whose pressure axis reaches a round number at or above
// the highest pressure of the setting's cards.
CardFrame cardFrame(const SettingPerformance& s, int left, int top, int right, int bottom);

// The notches in the order the window offers them: forward, then reverse.
std::vector<const SettingPerformance*> notchList(const PerformanceTable& t);

// "Fwd 75 %", "Rev full gear".
std::string notchName(const SettingPerformance& s);

// Picture size at the normal font (window pixels), and the box of the cards.
inline constexpr int kPerformanceWidth = 900;
inline constexpr int kPerformanceHeight = 440;

// The whole picture below the dynamic-variable panel: the chosen notch's
// cards (index into notchList; none drawn when out of range or the notch has
// no card, with the reason written instead) and the table of notches beside
// them, the chosen row marked.
void drawPerformance(Canvas& c, const PerformanceTable& t, size_t chosen);

}  // namespace tevrane
