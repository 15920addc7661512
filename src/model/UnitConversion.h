// Turning a whole design from inches to millimetres and back. Every length of
// the design is multiplied by 25.4 (or divided), and every scale that is
// pixels per unit of length is divided (or multiplied), so the picture, every
// angle and every percent of the stroke stay where they were.
//
// What counts as a length here, and why:
// - the pivot table (all 27 entries: the inputs and the reference points 19
//   and 20 are world places, the computed ones are solved again anyway) and
//   every frame and cylinder dimension, including the reverse-arm travel
//   limits revArmNormal and revArmMax;
// - the reverse-arm setting revArmPos, the centre and the nine diagram
//   positions revArmSet[0..9]: each is the X of pivot 18, a world place (an
//   unused position is 0 and stays 0);
// - the overlay's points, radii and the recorded places of its pivots;
// - the dynamic-variable slots' values (each is a dimension) and the last
//   bar step dynStep;
// - the graphic zoom, which divides the pointer display's scale, and the
//   diagrams' vertical scale (375 / VS pixels per unit of valve travel): both
//   are lengths per pixel, so they grow with the unit. The vertical scale
//   stays within kMaxDiagramVScale, so a scale beyond 1000 / 25.4 is held
//   there and does not come back exactly on the way back.
// Pixels per unit: the view scale, its home, pan-base and "Norm" copies and
// the seven presets' scales. Their offsets are pixels and stay.
// Left as they are: the factory defaults (they are the factory's inch
// design; a dimension dialog's reset converts them into the design's unit as
// it writes them), the spare cylinder field (raw bytes another program may
// have filled, stored unchanged), the overlay's kinds, colours, modes and
// pivot numbers, angles, percentages, the piston's 0..640 scale, and the
// solver's results, which the next solve works out again in the new unit.
#pragma once

#include <string>
#include <vector>

#include "model/Model.h"

namespace tevrane {

// The other unit: a design in inches converts to millimetres and back.
LengthUnit otherUnit(LengthUnit u);

// The File menu's caption for a design in unit u: "Convert to millimetres"
// for inches, "Convert to inches" for millimetres.
std::string convertCaption(LengthUnit u);

// One length from inches to millimetres: the float nearest x times 25.4.
float inchesToMillimetres(float inches);
// One length from millimetres to inches: of the float nearest y / 25.4 and
// its neighbours, the one whose conversion to millimetres gives y back, so a
// conversion there and back returns the very float. Where two inch values
// give the same millimetre value (the millimetre floats are coarser than 25.4
// inch floats in part of each binade) the one with the shorter decimal form
// is taken, which is the value a designer typed; where no float gives y (a
// value typed in millimetres) the nearest float to y / 25.4.
float millimetresToInches(float mm);
// A scale in pixels per inch to pixels per millimetre (the float nearest
// s / 25.4), and its inverse chosen the same way.
float perInchToPerMillimetre(float s);
float perMillimetreToPerInch(float s);

// A length of a design in unit `from` expressed in unit `to` (the maps above;
// the same unit gives the value back).
float convertLength(float value, LengthUnit from, LengthUnit to);

// The design's unit and every value a conversion rescales, in a fixed order:
// what undo puts back bit for bit.
struct UnitSnapshot {
    LengthUnit unit = LengthUnit::Inch;
    std::vector<float> values;
    bool operator==(const UnitSnapshot&) const = default;
};
UnitSnapshot takeUnitSnapshot(const Model& m);
void restoreUnitSnapshot(Model& m, const UnitSnapshot& s);

// Rescales every length and per-length scale of the design into unit `to`
// and sets the unit. A design already in `to` is left alone.
void convertDesign(Model& m, LengthUnit to);

// The undo line's name of a conversion into `to`: "Convert to millimetres".
std::string conversionName(LengthUnit to);

// "Convert to millimetres" / "Convert to inches" as the user does it: the
// design goes to the other unit as one undo record, which undo reverts whole.
void convertDesignWithUndo(Model& m);

}  // namespace tevrane
