// The small title block every exported or printed picture carries in its
// bottom-right corner: which design, when, and the setting of the gear the
// picture shows, so a sheet read later says what it is.
#pragma once

#include <string>
#include <vector>

#include "model/Model.h"
#include "platform/Canvas.h"

namespace tevrane {

struct TitleBlock {
    std::string design;  // the design's name; "Nominal" for the defaults
    std::string date;    // as the system writes a short date
    float driverAngle = 0;
    float revArm = 0;
    float revArmCentre = 0;  // mid gear
    LengthUnit unit = LengthUnit::Inch;  // the design's, named beside every length
};

// The block of the model as it stands: its name, the given date, the driver
// angle and the reverse-arm setting.
TitleBlock titleBlockOf(const Model& m, const std::string& date);

// The block's lines, top to bottom. Each number says its unit and what it
// is measured from.
std::vector<std::string> titleBlockLines(const TitleBlock& t);

// Height in pixels of the band the block takes at the bottom of a picture.
inline constexpr int kTitleBlockHeight = 68;

// The block, boxed, in the bottom-right corner of a picture of width x
// height pixels, at the normal letter size whatever the picture's own.
void drawTitleBlock(Canvas& c, const TitleBlock& t, int width, int height);

}  // namespace tevrane
