// The theoretical indicator card of one cylinder end, built from its valve
// events, and the indicated power of the engine from both ends' cards.
//
// The card is the classic one of the textbooks: steam at the chest pressure
// from admission to cut-off, hyperbolic expansion (p (c + x) constant) to
// release, the back pressure from release through the end of the stroke and
// back to compression, hyperbolic compression to admission. Every pressure is
// absolute; x is the piston's fraction of the stroke from this end's dead
// centre (0 there, 1 at the other end) and c the clearance volume as a
// fraction of the swept volume. docs/indicated-performance.md writes the model
// out and says what it does in the odd cases.
//
// Pure arithmetic: no model, no solver, no units beyond those handed in.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tevrane {

// The four events of one end as the card needs them, fractions of the stroke
// measured from this end's dead centre. Admission and compression are signed
// as the valve events table signs them: negative before the dead centre (on
// the return stroke, with the piston still that far from it), positive after
// it (on the working stroke). Cut-off and release are distances along the
// working stroke (0..1). An empty event means the edge never crosses.
struct CardEvents {
    std::optional<double> admission;
    std::optional<double> cutOff;
    std::optional<double> release;
    std::optional<double> compression;
};

struct CardPressures {
    double chest = 0;      // p1, absolute
    double back = 0;       // p_b, absolute
    double clearance = 0;  // c, fraction of the swept volume (0.08 for 8 %)
};

// One point of the card: piston fraction x from the dead centre, absolute
// pressure p.
struct CardPoint {
    double x = 0;
    double p = 0;
};

// What can make a card unusable, and the odd shapes worth a word beside it.
enum class CardIssue {
    None,
    MissingEvent,        // an edge never crosses: there is no card
    BadInput,            // a pressure or clearance that is not a finite,
                         // positive number (clearance may be 0)
};

struct IndicatorCard {
    CardIssue issue = CardIssue::None;
    // Enclosed area over the swept volume, in the pressure unit handed in;
    // negative when the end absorbs more work than it gives.
    double meanEffectivePressure = 0;
    // The highest pressure on the card. Above the chest pressure when the
    // compression overshoots it before admission (the card then has a loop).
    double peakPressure = 0;
    bool compressionAboveChest = false;  // compression passes p1 before admission
    bool admissionAfterDeadCentre = false;  // negative lead: the compressed
                                            // steam re-expands before admission
    // The closed outline, working stroke from the dead centre to the far end
    // and return stroke back, for drawing; empty when there is no card.
    std::vector<CardPoint> outline;
};

// The card of one end. `outlineStep` is the largest step in x between two
// points of the curved parts of the outline.
IndicatorCard indicatorCard(const CardEvents& events, const CardPressures& pressures,
                            double outlineStep = 0.01);

// The mean effective pressure of a card whose admission comes before the
// dead centre, written out term by term as the textbooks give it (positive
// fractions xa and xk: the piston's distance from the dead centre at
// admission and at compression). indicatorCard gives the same number for
// such events; this form is kept for the documentation and the tests' sake.
double textbookMeanEffectivePressure(double p1, double pb, double c, double xc, double xr,
                                     double xk, double xa);

// Indicated power. Pressure times area times stroke is work in the design's
// own units (psi x in^2 x in = in lbf, bar x mm^2 x mm = 0.1 N mm); the
// working strokes per unit time are two per revolution per cylinder.
enum class PowerUnits { Imperial, Metric };  // psi, in, hp / bar, mm, kW

struct PowerInputs {
    double meanEffectivePressure = 0;  // the mean of both ends, psi or bar
    double bore = 0;                   // in or mm
    double stroke = 0;                 // in or mm
    double revolutionsPerMinute = 0;
    int cylinders = 2;
    PowerUnits units = PowerUnits::Imperial;
};

// Horsepower (33,000 ft lbf per minute) or kilowatts.
double indicatedPower(const PowerInputs& in);

// Revolutions per minute of a driver of the given diameter (in or mm) at a
// road speed (miles per hour for inches, kilometres per hour for mm).
double revolutionsFromSpeed(double speed, double driverDiameter, PowerUnits units);

// The atmosphere that turns a gauge pressure into an absolute one.
inline constexpr double kAtmospherePsi = 14.7;
inline constexpr double kAtmosphereBar = 1.01325;
// Pounds per square inch in one bar, and kilometres in a statute mile.
inline constexpr double kPsiPerBar = 14.503773773;
inline constexpr double kKilometresPerMile = 1.609344;

}  // namespace tevrane
