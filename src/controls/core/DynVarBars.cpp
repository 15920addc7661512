#include "controls/core/DynVarBars.h"

#include "model/DynVars.h"

namespace tevrane {

void DynVarBars::enter(int k) {
    if (!valid(k)) return;
    started_[static_cast<size_t>(k)] = true;
}

bool DynVarBars::change(int k, int p) {
    if (!valid(k)) return false;
    const auto i = static_cast<size_t>(k);
    if (p != 0 && !moved_[i]) {
        // The gesture's first step: the value it starts from. Taken here
        // rather than when the focus came, because a bar keeps the focus after
        // a release without a step (and one in an inactive window gets none)
        // while an undo or a dialog may change its dimension meanwhile.
        start_[i] = m_.dynVarValue[k];
        started_[i] = true;
        moved_[i] = true;
    }
    const double d = takeJog(jog_[i], p, kDynVarBarLargeChange, kDynVarBarDivisor);
    commands_.stepDynamicVariable(k, static_cast<float>(d));
    return p != 0;
}

bool DynVarBars::release(int k) {
    if (!valid(k) || !moved_[static_cast<size_t>(k)]) return false;
    commands_.recordDynamicGesture(k, start_[static_cast<size_t>(k)]);
    started_[static_cast<size_t>(k)] = false;
    moved_[static_cast<size_t>(k)] = false;
    return true;
}

void undoNewestRecord(Model& m) {
    const UndoRecord& r = m.undoHistory.newest();
    if (r.id > 0 || r.kind == UndoKind::UnitConversion)
        popUndo(m);
    else
        m.undoButtonsEnabled = false;
}

}  // namespace tevrane
