// The default engine as the benchmarks of the valve events measure it: its
// engine and the reverse arm's mid-gear setting.
#pragma once

#include "model/Model.h"

struct DefaultDesign {
    DefaultDesign() {
        tevrane::Model m;
        tevrane::initModel(m);
        engine = m;
        centre = m.revArmCentre();
    }
    tevrane::Engine engine;
    float centre = 0;
};
