// The designer's tools' own path through the linkage: the same closed-form
// steps as the solver, in double precision throughout and without storing a
// single-precision pivot table, giving only what the valve events read (the
// four port openings, the valve's displacement, the die's place on the link
// and how many clamps were raised).
//
// The displays the user compares with each other (the main window, the four
// diagrams, the pivot table) keep the solver and its exact bits. The events
// table, the notch finder, the design checks, the sensitivity table and the
// equaliser only need the gear's events to a ten-thousandth of a percent of
// stroke, and this path gives them smooth openings that the root finders
// close on in a few steps (a test holds it to the solver over many engines).
#pragma once

#include "model/Model.h"

namespace tevrane {

struct FastGearSample {
    double frontSteam = 0, frontExhaust = 0, rearSteam = 0, rearExhaust = 0;  // port openings
    double valveTravel = 0;  // valve centre from the cylinder centre
    double die = 0;          // along the link from its pivot, positive towards the reverse arm end
    int clamps = 0;
};

// The engine's dimensions read once, with the two zero lengths guarded as
// the solver guards them.
class FastGear {
public:
    explicit FastGear(const Engine& e);
    FastGearSample at(double driverAngle, double revArm) const;

private:
    Engine e_;
    double mainRod_, valveLeverLower_;
};

}  // namespace tevrane
