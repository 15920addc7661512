// The pace of the animation. Every per-tick constant of the simulator is
// calibrated for about 64 ticks per second: a 6-frame blink, a 1001-frame
// pointer display, a cut-off hold of 400 / (step + 0.1) frames and the 10
// degree default step. A timer that fires as often as the message loop
// allows would spin the wheel at some 28 revolutions per second on a fast
// machine and keep a core busy for nothing, so ticks are delivered at a
// steady 64 per second whatever the machine's speed.
#pragma once

#include <cstdint>

namespace tevrane {

inline constexpr std::int64_t kTickPeriodMicros = 15'625;  // 1/64 s

// Schedules ticks on a fixed grid of kTickPeriodMicros from the start, so
// timer granularity (15 or 16 ms) averages out instead of accumulating. When
// the program falls more than a few periods behind (a modal dialog, a busy
// machine) the grid restarts from now instead of firing a burst of ticks.
class TickPacer {
public:
    void start(std::int64_t nowMicros);
    // Call when a tick has run; returns the delay in whole milliseconds until
    // the next tick is due (0 if it is already due).
    int nextDelayMillis(std::int64_t nowMicros);
    std::int64_t ticks() const { return count_; }

private:
    std::int64_t origin_ = 0;
    std::int64_t count_ = 0;
};

}  // namespace tevrane
