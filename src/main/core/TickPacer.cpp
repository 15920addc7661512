#include "main/core/TickPacer.h"

namespace tevrane {

namespace {
constexpr std::int64_t kMaxLagPeriods = 4;
}

void TickPacer::start(std::int64_t nowMicros) {
    origin_ = nowMicros;
    count_ = 0;
}

int TickPacer::nextDelayMillis(std::int64_t nowMicros) {
    ++count_;
    std::int64_t due = origin_ + count_ * kTickPeriodMicros;
    if (nowMicros - due > kMaxLagPeriods * kTickPeriodMicros) {
        origin_ = nowMicros;
        count_ = 0;
        due = nowMicros + kTickPeriodMicros;
        count_ = 1;
    }
    const std::int64_t wait = due - nowMicros;
    if (wait <= 0) return 0;
    return static_cast<int>((wait + 999) / 1000);
}

}  // namespace tevrane
