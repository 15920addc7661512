#include "main/core/OpenedDesign.h"

#include "main/core/MainController.h"
#include "main/core/StepTable.h"
#include "model/Solver.h"

namespace tevrane {

void prepareOpenedDesign(Model& m, RenderState& st, std::optional<float> angle, std::optional<float> revArm) {
    Panel p;
    initPanel(m, p);
    MainController c(m, p);
    solveAll(m);
    c.dimensionsLoaded();
    if (revArm) c.setReverseArm(*revArm);
    if (angle) m.driverAngle = wrapDriverAngle(*angle);
    solveAll(m);
    NullRendererHost host;
    prepareFrame(m, st, host, FrameClock{});
}

}  // namespace tevrane
