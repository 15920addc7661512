// The main window's four dynamic-variable bars and its "UnDo" button. The
// gesture itself (steps, release, one undo record) is the one every window
// shares (controls/core/DynVarBars).
#include "main/core/MainController.h"

namespace tevrane {

void MainController::dynVarChanged(int k) {
    const Bar b = dynVarBar(k);
    if (dyn_.change(k, p_.bar(b).position)) setBarPosition(b, 0);
}

void MainController::dynVarEnter(int k) { dyn_.enter(k); }

bool MainController::dynVarScrollEnd(int k) {
    // A recorded gesture sends the refresh itself.
    return dyn_.release(k);
}

void MainController::undoDnClick() { undo(); }

void MainController::refreshDynBars() {
    for (int k = 1; k <= 4; ++k) p_.bar(dynVarBar(k)).visible = m_.dynVarsVisible;
    p_.dynFramesVisible = m_.dynVarsVisible;
}

void MainController::toggleDynamicVari() {
    m_.dynVarsVisible = !m_.dynVarsVisible;
    refreshDynBars();
    changed();
}

void MainController::toggleUndo() {
    m_.undoEnabled = !m_.undoEnabled;
    changed();
}

}  // namespace tevrane
