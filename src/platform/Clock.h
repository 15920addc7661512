// The current date and time as the program shows them in captions and in the
// pivot data table: the system's short date and long time texts.
#pragma once

#include <string>
#include <utility>

namespace tevrane {

class Clock {
public:
    virtual ~Clock() = default;
    // Today's date in the system's short date format.
    virtual std::string shortDate() = 0;
    // The time of day in the system's long time format (with seconds).
    virtual std::string longTime() = 0;
};

// Always the same texts: for tests and reproducible captions.
class FixedClock : public Clock {
public:
    FixedClock() = default;
    FixedClock(std::string date, std::string time) : date(std::move(date)), time(std::move(time)) {}
    std::string shortDate() override { return date; }
    std::string longTime() override { return time; }

    std::string date;
    std::string time;
};

}  // namespace tevrane
