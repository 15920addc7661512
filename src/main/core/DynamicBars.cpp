// The main window's four dynamic-variable bars and its "UnDo" button. A
// gesture runs from the bar getting the focus to the user releasing it and
// makes one undo record, however many steps it took.
#include "main/core/Jog.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"

namespace tevrane {

namespace {
constexpr Bar kDynBars[5] = {Bar::DynVar1, Bar::DynVar1, Bar::DynVar2, Bar::DynVar3, Bar::DynVar4};
}

void MainController::dynVarChanged(int k) {
    const Bar b = kDynBars[k];
    BarState& s = p_.bar(b);
    JogHistory& h = p_.jog(b);
    const double d = jogDelta(s.position, h.last, h.lastButOne, s.largeChange, 1000.0);
    stepVar(m_, k, static_cast<float>(d));
    h.lastButOne = h.last;
    h.last = s.position;
    setBarPosition(b, 0);
}

void MainController::dynVarEnter(int k) {
    if (k < 1 || k > 4) return;
    dynStartValue_ = m_.dynVarValue[k];
}

void MainController::dynVarScrollEnd(int k) {
    if (k < 1 || k > 4) return;
    recordGesture(m_, k, dynStartValue_);
    changed();
}

void MainController::undoDnClick() {
    if (m_.undoId[1] > 0)
        popUndo(m_);
    else
        m_.undoButtonsEnabled = false;
    changed();
}

void MainController::refreshDynBars() {
    for (int k = 1; k <= 4; ++k) p_.bar(kDynBars[k]).visible = m_.dynVarsVisible;
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
