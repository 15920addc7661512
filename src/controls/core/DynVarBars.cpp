#include "controls/core/DynVarBars.h"

#include "model/DynVars.h"

namespace tevrane {

void DynVarBars::enter(int k) {
    if (!valid(k)) return;
    start_[static_cast<size_t>(k)] = m_.dynVarValue[k];
    started_[static_cast<size_t>(k)] = true;
}

bool DynVarBars::change(int k, int p) {
    if (!valid(k)) return false;
    // A bar in an inactive window gets no focus: its first step starts the
    // gesture instead.
    if (!started(k)) enter(k);
    const auto i = static_cast<size_t>(k);
    const double d = takeJog(jog_[i], p, kDynVarBarLargeChange, kDynVarBarDivisor);
    stepVar(m_, k, static_cast<float>(d));
    return p != 0;
}

bool DynVarBars::release(int k) {
    if (!valid(k)) return false;
    recordGesture(m_, k, start_[static_cast<size_t>(k)]);
    started_[static_cast<size_t>(k)] = false;
    return true;
}

void undoNewestRecord(Model& m) {
    if (m.undoId[1] > 0)
        popUndo(m);
    else
        m.undoButtonsEnabled = false;
}

}  // namespace tevrane
