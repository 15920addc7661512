// Two designs side by side: a reference design drawn in light grey under the
// live gear ("Compare with..."), and the comparison a designer reads of two
// designs, design a against design b: the dimensions that differ and, at each
// notch, both designs' events at their own notch settings with b - a.
//
// A design in millimetres compared with one in inches is scaled to the first
// design's unit (the live design's for the picture) before anything is
// solved or subtracted, so every difference is in one named unit.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

namespace tevrane {

// ---- units --------------------------------------------------------------------

// What a length in `from` is multiplied by to be in `to` (1, 25.4 or 1/25.4).
double lengthFactor(LengthUnit from, LengthUnit to);
// Every length of the engine (the pivot table, the frame and cylinder
// dimensions, the reverse-arm travels) in the unit `to`.
Engine engineInUnit(const Engine& e, LengthUnit to);

// ---- the reference drawn under the live gear --------------------------------

// "Compare with...": the design read from a file becomes the reference,
// shown from the next tick on. `centre` is its mid-gear setting (the link
// pivot's X, as a load of the design sets it), in its own unit.
void setReference(Model& m, const Engine& reference, float centre, const std::string& name);
// "Compare off": the reference is dropped and no longer drawn.
void clearReference(Model& m);

// The reference's reverse-arm setting for the live one: as far from its own
// mid gear as the live setting is from the live mid gear, in the live unit.
float referenceRevArm(const Model& m);

// The animation tick's step for the reference: the pure solve of the
// reference engine (in the live design's unit) at the live driver angle and
// reference setting, stored into m.referenceSolved and placed on the screen.
// Writes nothing else; does nothing while no reference is shown.
void solveReference(Model& m);
// The reference's pivots and outlines placed again in the model's view (an
// exported picture's fitted view, or after the view moved).
void placeReference(Model& m);

// ---- the comparison of two designs ------------------------------------------

// One design as it takes part: its name, its engine and its mid-gear setting.
struct ComparedDesign {
    std::string name;
    Engine engine;
    float revArmCentre = 0;
};

// A dimension whose value differs, in the comparison's unit.
struct DimensionDifference {
    int id = 0;
    std::string name;  // the dimension dialog's label in one line
    double a = 0, b = 0;
    double difference() const { return b - a; }
};

// A driver angle difference b - a, wrapped into (-180, 180] degrees, so an
// event at 359 degrees against one at 1 degree is 2 degrees apart, not 358.
double angleDifference(double a, double b);

// b - a of an event: in degrees of driver angle and in percent of stroke;
// empty unless both designs have the event.
struct PointDifference {
    double driverAngle = 0;
    double strokePercent = 0;
};
struct EndDifference {
    double lead = 0;
    double maxSteamOpening = 0;
    double overTravel = 0;
    std::optional<PointDifference> admission, cutOff, release, compression;
};
struct EventsDifference {
    double revArm = 0;  // the notch setting's distance from mid gear, b - a
    double valveTravel = 0;
    double dieHighest = 0, dieLowest = 0, dieTravel = 0;
    EndDifference front, back;
};

// One design at its own notch: the setting whose mean of front and back
// cut-off is the target, and the events there.
struct NotchEvents {
    float revArm = 0;
    double fromCentre = 0;  // revArm minus the design's mid-gear setting
    ValveEvents events;
};

// One notch target turning one way. Empty sides are out of the design's reach.
struct NotchComparison {
    NotchTarget target;
    Sense sense = Sense::Forward;
    std::optional<NotchEvents> a, b;
    std::optional<EventsDifference> difference;  // when both reach the target
};

struct DesignComparison {
    std::string nameA, nameB;
    LengthUnit unit = LengthUnit::Inch;  // every length below, design a's unit
    // Design b's own unit where it was scaled to design a's.
    std::optional<LengthUnit> bScaledFrom;
    std::vector<DimensionDifference> dimensions;  // in the dimension table's order
    std::vector<NotchComparison> notches;  // per target: forward, then reverse
    bool clamped = false;  // the solver mended either linkage somewhere
};

EventsDifference eventsDifference(const NotchEvents& a, const NotchEvents& b);

// The comparison of b against a at the targets.
DesignComparison compareDesigns(const ComparedDesign& a, const ComparedDesign& b,
                                std::span<const NotchTarget> targets);

// The dimension dialog's label of a dimension on one line ("Valve Rod
// Length"); the ditto marks of the maximum travel are written out.
std::string dimensionTitle(int id);

}  // namespace tevrane
