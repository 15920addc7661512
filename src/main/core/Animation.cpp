// One animation tick without its drawing, and the timer that the diagram
// windows stop while they are shown.
#include "main/core/MainController.h"
#include "main/core/StepTable.h"
#include "model/Comparison.h"
#include "model/Format.h"
#include "model/Solver.h"

namespace tevrane {

void MainController::tick() {
    solveAll(m_);
    // The reference design at the same angle and setting, into its own
    // results: the live engine is not touched.
    solveReference(m_);
    if (m_.direction == "Fwd")
        m_.driverAngle = m_.driverAngle + m_.stepAngle;
    else
        m_.driverAngle = m_.driverAngle - m_.stepAngle;
    m_.driverAngle = wrapDriverAngle(m_.driverAngle);
}

void MainController::stopTimer() {
    p_.timerRunning = false;
    changed();
}

void MainController::startTimer() {
    p_.timerRunning = true;
    changed();
}

}  // namespace tevrane
