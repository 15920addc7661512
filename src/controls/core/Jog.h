// The self-centring ("jog") scroll bars: pan, zoom, the reference point bars
// and the dynamic-variable bars of every window turn a bar movement into a
// delta the same way, then spring back to 0.
#pragma once

namespace tevrane {

// The last and last-but-one position of a self-centring bar.
struct JogHistory {
    int last = 0;
    int lastButOne = 0;
};

// The delta of one change to position p, given the bar's last and
// last-but-one positions, its large change and divisor. An arrow click gives
// +-1/divisor and a page click +-largeChange/divisor in the direction
// clicked; while the thumb is dragged the first four rules decide.
double jogDelta(int p, int last, int lastButOne, int largeChange, double divisor);

// One change of a jog bar to position p: the delta, then the history moves on
// (last-but-one := last, last := p).
double takeJog(JogHistory& h, int p, int largeChange, double divisor);

}  // namespace tevrane
