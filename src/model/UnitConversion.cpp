#include "model/UnitConversion.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <functional>

#include "model/Dimensions.h"
#include "model/DynVars.h"

namespace tevrane {

namespace {

// How a value follows the unit: a length grows with it, a scale in pixels
// per unit of length shrinks.
enum class Follows { Length, PerLength };

// Every value a conversion touches, in one fixed order (the snapshot's).
void forEachUnitValue(Model& m, const std::function<void(float&, Follows)>& f) {
    for (float& v : m.pivotX) f(v, Follows::Length);
    for (float& v : m.pivotY) f(v, Follows::Length);
    // The dimensions; 10, 11, 14, 15 and 102 are pivot inputs, done above.
    const auto inPivots = [&m](const float* p) {
        return (p >= m.pivotX && p < m.pivotX + kPivotCount) ||
               (p >= m.pivotY && p < m.pivotY + kPivotCount);
    };
    for (const DimensionInfo& d : dimensions()) {
        float* p = dimensionField(m, d.id);
        if (p && !inPivots(p)) f(*p, Follows::Length);
    }
    f(m.revArmPos, Follows::Length);
    for (float& v : m.revArmSet) f(v, Follows::Length);
    for (float* table : {m.lineX1, m.lineY1, m.lineX2, m.lineY2, m.linePivotAX, m.linePivotAY,
                         m.linePivotBX, m.linePivotBY})
        for (int k = 0; k <= kOverlayEntries; ++k) f(table[k], Follows::Length);
    for (float& v : m.dynVarValue) f(v, Follows::Length);
    f(m.dynStep, Follows::Length);
    f(m.graphicZoom, Follows::Length);
    f(m.diagramVScale, Follows::Length);
    for (float* s : {&m.viewScale, &m.homeScale, &m.panBaseScale, &m.normScale})
        f(*s, Follows::PerLength);
    for (auto& preset : m.viewPresets) f(preset[0], Follows::PerLength);
}

// Significant digits of the shortest decimal form that reads back as v.
int significantDigits(float v) {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific);
    int digits = 0;
    for (const char* c = buf; c != r.ptr && *c != 'e'; ++c)
        if (*c >= '0' && *c <= '9') ++digits;
    return digits;
}

// The float z near `guess` with forward(z) == y; see millimetresToInches.
float pickInverse(float y, double guess, float (*forward)(float)) {
    const float nearest = static_cast<float>(guess);
    // Zero (of either sign) and what is not a number map to themselves.
    if (y == 0.0f || !std::isfinite(y) || !std::isfinite(nearest)) return y == 0.0f ? y : nearest;
    // The nearest first, so that it wins every tie; then its neighbours.
    float candidates[5] = {nearest, std::nextafter(nearest, -INFINITY), std::nextafter(nearest, INFINITY), 0, 0};
    candidates[3] = std::nextafter(candidates[1], -INFINITY);
    candidates[4] = std::nextafter(candidates[2], INFINITY);
    float best = nearest;
    int bestDigits = 0;
    bool found = false;
    for (const float z : candidates) {
        if (forward(z) != y) continue;
        const int digits = significantDigits(z);
        const bool better = !found || digits < bestDigits ||
                            (digits == bestDigits && std::fabs(z - guess) < std::fabs(best - guess));
        if (better) best = z, bestDigits = digits;
        found = true;
    }
    return best;
}

float toUnit(float v, Follows how, LengthUnit to) {
    const bool toMm = to == LengthUnit::Millimetre;
    if (how == Follows::Length) return toMm ? inchesToMillimetres(v) : millimetresToInches(v);
    return toMm ? perInchToPerMillimetre(v) : perMillimetreToPerInch(v);
}

}  // namespace

LengthUnit otherUnit(LengthUnit u) {
    return u == LengthUnit::Inch ? LengthUnit::Millimetre : LengthUnit::Inch;
}

std::string conversionName(LengthUnit to) { return std::string("Convert to ") + unitName(to); }

std::string convertCaption(LengthUnit u) { return conversionName(otherUnit(u)); }

float inchesToMillimetres(float inches) {
    return static_cast<float>(static_cast<double>(inches) * kMillimetresPerInch);
}

float millimetresToInches(float mm) {
    return pickInverse(mm, static_cast<double>(mm) / kMillimetresPerInch, inchesToMillimetres);
}

float perInchToPerMillimetre(float s) {
    return static_cast<float>(static_cast<double>(s) / kMillimetresPerInch);
}

float perMillimetreToPerInch(float s) {
    return pickInverse(s, static_cast<double>(s) * kMillimetresPerInch, perInchToPerMillimetre);
}

float convertLength(float value, LengthUnit from, LengthUnit to) {
    if (from == to) return value;
    return toUnit(value, Follows::Length, to);
}

UnitSnapshot takeUnitSnapshot(const Model& model) {
    // Only reads through the pointers.
    Model& m = const_cast<Model&>(model);
    UnitSnapshot s;
    s.unit = m.lengthUnit;
    forEachUnitValue(m, [&s](float& v, Follows) { s.values.push_back(v); });
    return s;
}

void restoreUnitSnapshot(Model& m, const UnitSnapshot& s) {
    std::size_t i = 0;
    forEachUnitValue(m, [&](float& v, Follows) {
        if (i < s.values.size()) v = s.values[i++];
    });
    m.lengthUnit = s.unit;
}

void convertDesign(Model& m, LengthUnit to) {
    if (m.lengthUnit == to) return;
    forEachUnitValue(m, [to](float& v, Follows how) { v = toUnit(v, how, to); });
    m.diagramVScale = boundedDiagramVScale(m.diagramVScale);
    m.lengthUnit = to;
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
}

void convertDesignWithUndo(Model& m) {
    const LengthUnit to = otherUnit(m.lengthUnit);
    UndoRecord r;
    r.id = kUnitConversionUndoId;
    r.name = conversionName(to);
    r.kind = UndoKind::UnitConversion;
    r.unitBefore = m.lengthUnit;
    r.unitAfter = to;
    r.valuesBefore = takeUnitSnapshot(m).values;
    convertDesign(m, to);
    recordUndo(m, std::move(r));
}

}  // namespace tevrane
