// The system clock in the system locale's formats.
#pragma once

#include <QString>

#include "platform/Clock.h"

namespace tevrane {

class QtClock : public Clock {
public:
    std::string shortDate() override;
    std::string longTime() override;
};

// A time format with its time-zone fields and the blanks around them removed:
// the long time format of a locale names the zone, the captions show only the
// time of day. Quoted literal text is kept as it is.
QString withoutTimeZone(const QString& format);

}  // namespace tevrane
