#include "main/core/ScalePlan.h"

#include <cmath>
#include <cstdlib>

namespace tevrane {

namespace {
bool positive(double v) { return std::isfinite(v) && v > 0; }

std::optional<double> number(const std::string& s) {
    if (s.empty()) return std::nullopt;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (*end != '\0' || !positive(v)) return std::nullopt;
    return v;
}
}  // namespace

std::optional<ScalePlan> planToScale(const WorldBox& gear, double unitMm, double ratio, double tileWidthMm,
                                     double tileHeightMm, int maxSheets) {
    if (!positive(unitMm) || !positive(ratio) || !positive(tileWidthMm) || !positive(tileHeightMm)) return {};
    if (!std::isfinite(gear.width()) || !std::isfinite(gear.height()) || gear.width() < 0 || gear.height() < 0)
        return {};
    ScalePlan p;
    p.pixelsPerUnit = unitMm * ratio * kPixelsPerMm;
    p.tileWidth = tileWidthMm * kPixelsPerMm;
    p.tileHeight = tileHeightMm * kPixelsPerMm;
    const double columns = std::ceil(gear.width() * p.pixelsPerUnit / p.tileWidth);
    const double rows = std::ceil(gear.height() * p.pixelsPerUnit / p.tileHeight);
    if (!(columns * rows <= maxSheets)) return {};
    p.columns = std::max(1, static_cast<int>(columns));
    p.rows = std::max(1, static_cast<int>(rows));
    // The sheets' whole span, centred on the gear.
    const double spanW = p.columns * p.tileWidth / p.pixelsPerUnit;
    const double spanH = p.rows * p.tileHeight / p.pixelsPerUnit;
    const double midX = (gear.left + gear.right) / 2, midY = (gear.bottom + gear.top) / 2;
    p.area = {midX - spanW / 2, midX + spanW / 2, midY - spanH / 2, midY + spanH / 2};
    return p;
}

ViewSetting sheetView(const ScalePlan& plan, int column, int row) {
    const double left = plan.area.left + column * plan.tileWidth / plan.pixelsPerUnit;
    const double top = plan.area.top - row * plan.tileHeight / plan.pixelsPerUnit;
    return {static_cast<float>(plan.pixelsPerUnit), static_cast<float>(-left * plan.pixelsPerUnit),
            static_cast<float>(top * plan.pixelsPerUnit)};
}

std::optional<double> parseScaleRatio(const std::string& text) {
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return number(text);
    const std::optional<double> paper = number(text.substr(0, colon));
    const std::optional<double> truth = number(text.substr(colon + 1));
    if (!paper || !truth) return std::nullopt;
    return *paper / *truth;
}

std::optional<double> parseLengthUnit(const std::string& text) {
    if (text == "in") return 25.4;
    if (text == "mm") return 1.0;
    return std::nullopt;
}

double scaleBarUnits(const ScalePlan& plan) {
    const double most = plan.tileWidth / 3 / plan.pixelsPerUnit;
    if (!positive(most)) return 0;
    const double decade = std::pow(10.0, std::floor(std::log10(most)));
    for (const double f : {5.0, 2.0, 1.0})
        if (f * decade <= most) return f * decade;
    return decade;
}

}  // namespace tevrane
