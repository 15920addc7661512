#include "controls/core/Jog.h"

#include <cstdlib>

namespace tevrane {

double jogDelta(int p, int last, int lastButOne, int largeChange, double divisor) {
    // Each later rule overrides the earlier ones.
    double d = 0.0;
    if (p > 0 && p > lastButOne) d = p / divisor;
    if (p < 0 && p > lastButOne) d = -p / divisor;
    if (p < 0 && p < lastButOne) d = p / divisor;
    if (p > 0 && p < lastButOne) d = -p / divisor;
    const long step = std::labs(static_cast<long>(p) - last);
    if (step == 1) d = p / divisor;
    if (step == largeChange) d = p / divisor;
    return d;
}

double takeJog(JogHistory& h, int p, int largeChange, double divisor) {
    const double d = jogDelta(p, h.last, h.lastButOne, largeChange, divisor);
    h.lastButOne = h.last;
    h.last = p;
    return d;
}

}  // namespace tevrane
