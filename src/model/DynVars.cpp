#include "model/DynVars.h"

#include <algorithm>
#include <array>

#include "model/Dimensions.h"
#include "model/Format.h"

namespace tevrane {

namespace {

// Names as strings, built once from the table of dimensions (ids 1..19 and
// 101..122 carry one; the rest give the empty name).
const std::array<std::string, kDimensionCount>& names() {
    static const std::array<std::string, kDimensionCount> table = [] {
        std::array<std::string, kDimensionCount> n;
        for (size_t i = 0; i < n.size(); ++i) n[i] = std::string(dimensions()[i].name);
        return n;
    }();
    return table;
}

const std::string kNoName;

float* dynField(Model& m, int id) { return isDynamicId(id) ? dimensionField(m, id) : nullptr; }

void copySlot(Model& m, int to, int from) {
    m.dynVarId[to] = m.dynVarId[from];
    m.dynVarValue[to] = m.dynVarValue[from];
    m.dynVarName[to] = m.dynVarName[from];
}

}  // namespace

bool isDynamicId(int id) { return (id >= 1 && id <= 19) || (id >= 101 && id <= 122); }

const std::string& dimensionName(int id) {
    const DimensionInfo* d = findDimension(id);
    if (!d || !isDynamicId(id)) return kNoName;
    return names()[static_cast<size_t>(d - dimensions().data())];
}

float readVar(const Model& m, int id) {
    const float* f = dynField(const_cast<Model&>(m), id);
    return f ? *f : 0.0f;
}

void writeVar(Model& m, int id, float value) {
    float* f = dynField(m, id);
    if (!f) return;
    *f = value;
    if (id == 102 || id == 109)
        m.pivotY[kValveStemJoint] = m.pivotY[kCrosshead] + m.cyl.valveStemToCylCL;
}

void rememberVar(Model& m) {
    for (int k = 1; k <= 4; ++k) {
        if (m.dynVarId[0] == m.dynVarId[k]) {
            m.dynVarValue[k] = m.dynVarValue[0];
            m.dynVarName[k] = m.dynVarName[0];
            return;
        }
    }
    for (int k = 4; k >= 1; --k) copySlot(m, k, k - 1);
}

void commitEdit(Model& m, int id, const std::string& name, float oldValue, float newValue) {
    // Only a box the user typed in is recorded; passing through one binds its
    // dimension to a bar and nothing more.
    if (m.editPending) recordUndo(m, UndoRecord{id, oldValue, newValue, name});
    writeVar(m, id, newValue);
    m.dynVarId[0] = id;
    m.dynVarValue[0] = newValue;
    m.dynVarName[0] = name;
    rememberVar(m);
    writeVar(m, id, m.dynVarValue[0]);
    m.editPending = false;
}

void stepVar(Model& m, int k, float delta) {
    if (k < 1 || k > 4) return;  // only the four bar slots can be stepped
    m.activeDynSlot = k;
    m.dynStep = delta;
    m.dynVarValue[k] = readVar(m, m.dynVarId[k]);
    m.dynVarValue[k] = m.dynVarValue[k] + m.dynStep;
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
    writeVar(m, m.dynVarId[k], m.dynVarValue[k]);
}

void clearSlots(Model& m) {
    for (int k = 0; k < kDynSlots; ++k) {
        m.dynVarId[k] = 0;
        m.dynVarValue[k] = 0.0f;
        m.dynVarName[k] = kEmptySlotName;
    }
}

void resetDynamicVariables(Model& m) {
    clearSlots(m);
    m.dynStep = 0.0f;
    for (int k = 1; k <= 4; ++k) stepVar(m, k, 0.0f);
}

void recordUndo(Model& m, UndoRecord r) {
    m.undoButtonsEnabled = true;
    m.undoHistory.push(std::move(r));
}

void popUndo(Model& m) {
    m.undoHistory.pop().revert(m);
    // Refresh the four bar slots by reading their bound values. Stepping each
    // by +1 and back by -1 would not return a float to its value (0.187 + 1 - 1
    // is not 0.187), so an undo would quietly alter up to four other dimensions.
    for (int k = 1; k <= 4; ++k) m.dynVarValue[k] = readVar(m, m.dynVarId[k]);
    // Undo changed a dimension, so the cut-off readouts no longer apply; a
    // slot step empties them the same way.
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
    if (m.undoHistory.newest().id == 0) m.undoButtonsEnabled = false;
}

void clearUndo(Model& m) {
    m.undoHistory.clear();
    m.undoButtonsEnabled = false;
}

void recordGesture(Model& m, int k, float startValue) {
    if (k < 1 || k > 4) return;
    recordUndo(m, UndoRecord{m.dynVarId[k], startValue, m.dynVarValue[k], m.dynVarName[k]});
    m.editPending = false;
}

std::string undoLine(const Model& m) {
    const UndoRecord& r = m.undoHistory.newest();
    // A conversion has no one value before and after: its name says it all.
    if (r.kind == UndoKind::UnitConversion) return fixed(m.undoHistory.depth(), 2, 0) + "- " + r.name;
    return fixed(m.undoHistory.depth(), 2, 0) + "- " + r.name + " " + fixed(r.after, 6, 3) +
           " to " + fixed(r.before, 6, 3);
}

UndoLines advanceUndoLine(Model& m) {
    if (!m.undoEnabled) return {m.undoText, m.undoText};
    UndoLines lines{m.undoText, undoLine(m) + kUndoLineTail};
    m.undoText = lines.current;
    return lines;
}

}  // namespace tevrane
