// The design as the main window shows it just after opening it, for a
// picture drawn without a window (an export, the design report).
#pragma once

#include <optional>

#include "main/core/Renderer.h"
#include "model/Model.h"

namespace tevrane {

// The controller's steps after a load (mid gear, the reverse arm through its
// bar), which follow the gear's orientation, so the design is solved once
// before. Then the reverse arm at `revArm` when given (as the reverse arm
// position dialog puts it), the driver at `angle` when given, the tick's
// solve without the step on, and the frame's own preparation. Writes only
// the model and frame state it is handed: call it on a copy.
void prepareOpenedDesign(Model& m, RenderState& st, std::optional<float> angle = std::nullopt,
                         std::optional<float> revArm = std::nullopt);

}  // namespace tevrane
