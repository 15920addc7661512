#include "model/Comparison.h"

#include "model/UnitConversion.h"

#include <cmath>

#include "model/Dimensions.h"
#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {

// ---- units --------------------------------------------------------------------

double lengthFactor(LengthUnit from, LengthUnit to) {
    if (from == to) return 1.0;
    return to == LengthUnit::Millimetre ? kMillimetresPerInch : 1.0 / kMillimetresPerInch;
}

Engine engineInUnit(const Engine& e, LengthUnit to) {
    if (e.lengthUnit == to) return e;
    // Each length as a conversion of the design would give it, so a
    // reference converted on file and one converted here agree to the float.
    Engine out = e;
    auto scale = [from = e.lengthUnit, to](float& v) { v = convertLength(v, from, to); };
    for (int i = 0; i < kPivotCount; ++i) {
        scale(out.pivotX[i]);
        scale(out.pivotY[i]);
    }
    for (float* v : {&out.driverDiameter, &out.stroke, &out.mainRodLength, &out.mainRodLugVert, &out.mainRodLugHorz,
                     &out.oscLeverLength, &out.oscLeverDriveVert, &out.oscLeverDriveHorz, &out.swingLeverLength,
                     &out.reverseArmLength, &out.linkLowerLength, &out.valveRodLength, &out.valveLeverUpper,
                     &out.valveLeverOffset, &out.valveLeverLower, &out.revArmNormal, &out.revArmMax})
        scale(*v);
    for (int i = 0; i < Cyl::kCount; ++i) scale(out.cyl[i]);
    out.lengthUnit = to;
    return out;
}

// ---- the reference drawn under the live gear --------------------------------

void setReference(Model& m, const Engine& reference, float centre, const std::string& name) {
    m.referenceEngine = reference;
    m.referenceCentre = centre;
    m.referenceName = name;
    m.referenceSolved = {};
    m.referenceShown = true;
}

void clearReference(Model& m) {
    m.referenceShown = false;
    m.referenceName.clear();
    m.referenceEngine = {};
    m.referenceCentre = 0;
    m.referenceSolved = {};
}

float referenceRevArm(const Model& m) {
    const long double k = lengthFactor(m.referenceEngine.lengthUnit, m.lengthUnit);
    return static_cast<float>(m.referenceCentre * k +
                              (static_cast<long double>(m.revArmPos) - m.revArmCentre()));
}

void solveReference(Model& m) {
    if (!m.referenceShown) return;
    // The same units as the live gear, or the ghost would be drawn 25.4
    // times too large or too small. Scaled afresh each tick, so a live
    // design converted to the other unit takes its reference along.
    const bool sameUnit = m.referenceEngine.lengthUnit == m.lengthUnit;
    const Engine scaled = sameUnit ? Engine{} : engineInUnit(m.referenceEngine, m.lengthUnit);
    const Engine& e = sameUnit ? m.referenceEngine : scaled;
    ReferenceSolution& r = m.referenceSolved;
    r.revArmPos = referenceRevArm(m);
    const GearSolution g = solveGear(e, m.driverAngle, r.revArmPos);
    for (int i = 0; i < kPivotCount; ++i) {
        r.pivotX[i] = g.linkage.pivotX[i];
        r.pivotY[i] = g.linkage.pivotY[i];
    }
    // Pivot 18 stands at the setting, as the live one does in its frame step.
    r.pivotX[kReverseArmEnd] = r.revArmPos;
    r.driverDiameter = e.driverDiameter;
    r.clamps = g.clamps();
    placeOutlines(e.cyl, r.pivotX, r.pivotY, m, r.cylinderPoints, r.valvePoints);
    for (int i = 0; i < kPivotCount; ++i) {
        r.pivotScreenX[i] = screenX(m, r.pivotX[i]);
        r.pivotScreenY[i] = screenY(m, r.pivotY[i]);
    }
}

void placeReference(Model& m) {
    if (!m.referenceShown) return;
    ReferenceSolution& r = m.referenceSolved;
    const Engine scaled = engineInUnit(m.referenceEngine, m.lengthUnit);
    placeOutlines(scaled.cyl, r.pivotX, r.pivotY, m, r.cylinderPoints, r.valvePoints);
    for (int i = 0; i < kPivotCount; ++i) {
        r.pivotScreenX[i] = screenX(m, r.pivotX[i]);
        r.pivotScreenY[i] = screenY(m, r.pivotY[i]);
    }
}

// ---- the comparison of two designs ------------------------------------------

double angleDifference(double a, double b) {
    double d = std::fmod(b - a, 360.0);
    if (d <= -180.0) d += 360.0;
    if (d > 180.0) d -= 360.0;
    return d;
}

std::string dimensionTitle(int id) {
    const auto& table = dimensions();
    auto words = [](std::string_view label) {
        std::string out;
        bool gap = false;
        for (const char ch : label) {
            if (ch == ' ') {
                gap = !out.empty();
                continue;
            }
            if (gap) out += ' ';
            gap = false;
            out += ch;
        }
        return out;
    };
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i].id != id) continue;
        std::string title = words(table[i].label);
        // Ditto marks repeat the label above but for its last word.
        if (!title.empty() && title.front() == '"' && i > 0) {
            const std::string above = words(table[i - 1].label);
            const size_t lastAbove = above.rfind(' ');
            const size_t lastHere = title.rfind(' ');
            title = above.substr(0, lastAbove) + title.substr(lastHere);
        }
        return title;
    }
    return {};
}

namespace {

std::optional<PointDifference> pointDifference(const std::optional<EventPoint>& a,
                                               const std::optional<EventPoint>& b) {
    if (!a || !b) return std::nullopt;
    return PointDifference{angleDifference(a->driverAngle, b->driverAngle), b->strokePercent - a->strokePercent};
}

EndDifference endDifference(const EndEvents& a, const EndEvents& b) {
    EndDifference d;
    d.lead = b.lead - a.lead;
    d.maxSteamOpening = b.maxSteamOpening - a.maxSteamOpening;
    d.overTravel = b.overTravel - a.overTravel;
    d.admission = pointDifference(a.admission, b.admission);
    d.cutOff = pointDifference(a.cutOff, b.cutOff);
    d.release = pointDifference(a.release, b.release);
    d.compression = pointDifference(a.compression, b.compression);
    return d;
}

// The mean-of-ends notch of a row, and the events there.
std::optional<NotchEvents> atNotch(const ComparedDesign& d, const NotchRow& row, Sense sense) {
    const std::optional<NotchSetting>& s = row.at(NotchEnd::Mean);
    if (!s) return std::nullopt;
    NotchEvents n;
    n.revArm = s->revArm;
    n.fromCentre = static_cast<double>(s->revArm) - d.revArmCentre;
    n.events = valveEvents(d.engine, s->revArm, sense);
    return n;
}

// Same unit: the stored floats differ. Scaled: they differ by more than
// the scaling's own rounding.
bool differs(float a, float b, bool scaled) {
    if (!scaled) return a != b && !(std::isnan(a) && std::isnan(b));
    const double tolerance = 1e-6 * std::max({1.0, std::fabs(double(a)), std::fabs(double(b))});
    return !(std::fabs(double(b) - double(a)) <= tolerance);
}

}  // namespace

EventsDifference eventsDifference(const NotchEvents& a, const NotchEvents& b) {
    EventsDifference d;
    d.revArm = b.fromCentre - a.fromCentre;
    d.valveTravel = b.events.valveTravel - a.events.valveTravel;
    d.dieHighest = b.events.die.highest - a.events.die.highest;
    d.dieLowest = b.events.die.lowest - a.events.die.lowest;
    d.dieTravel = b.events.die.travel() - a.events.die.travel();
    d.front = endDifference(a.events.front, b.events.front);
    d.back = endDifference(a.events.back, b.events.back);
    return d;
}

DesignComparison compareDesigns(const ComparedDesign& a, const ComparedDesign& bAsGiven,
                                std::span<const NotchTarget> targets) {
    DesignComparison c;
    c.nameA = a.name;
    c.nameB = bAsGiven.name;
    c.unit = a.engine.lengthUnit;
    ComparedDesign b = bAsGiven;
    const bool scaled = b.engine.lengthUnit != a.engine.lengthUnit;
    if (scaled) {
        c.bScaledFrom = b.engine.lengthUnit;
        b.revArmCentre = static_cast<float>(b.revArmCentre * lengthFactor(b.engine.lengthUnit, c.unit));
        b.engine = engineInUnit(b.engine, c.unit);
    }

    for (const DimensionInfo& d : dimensions()) {
        const float va = *dimensionField(a.engine, d.id);
        const float vb = *dimensionField(b.engine, d.id);
        if (differs(va, vb, scaled)) c.dimensions.push_back({d.id, dimensionTitle(d.id), va, vb});
    }

    const NotchTable na = findNotches(a.engine, a.revArmCentre, targets);
    const NotchTable nb = findNotches(b.engine, b.revArmCentre, targets);
    c.clamped = na.clamped || nb.clamped;
    for (size_t t = 0; t < targets.size(); ++t) {
        for (const Sense sense : {Sense::Forward, Sense::Reverse}) {
            const NotchSense& sa = sense == Sense::Forward ? na.forward : na.reverse;
            const NotchSense& sb = sense == Sense::Forward ? nb.forward : nb.reverse;
            NotchComparison n;
            n.target = targets[t];
            n.sense = sense;
            if (t < sa.rows.size()) n.a = atNotch(a, sa.rows[t], sense);
            if (t < sb.rows.size()) n.b = atNotch(b, sb.rows[t], sense);
            if (n.a && n.b) n.difference = eventsDifference(*n.a, *n.b);
            c.clamped = c.clamped || (n.a && n.a->events.clamped) || (n.b && n.b->events.clamped);
            c.notches.push_back(std::move(n));
        }
    }
    return c;
}

}  // namespace tevrane
