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

void copyEntry(Model& m, int to, int from) {
    m.undoId[to] = m.undoId[from];
    m.undoOld[to] = m.undoOld[from];
    m.undoNew[to] = m.undoNew[from];
    m.undoName[to] = m.undoName[from];
}

void emptyEntry(Model& m, int i) {
    m.undoId[i] = 0;
    m.undoOld[i] = 0.0f;
    m.undoNew[i] = 0.0f;
    m.undoName[i].clear();
}

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
    const bool record = m.editPending;
    if (record) {
        pushUndo(m);
        m.undoId[1] = id;
        m.undoOld[1] = oldValue;
    }
    writeVar(m, id, newValue);
    m.dynVarId[0] = id;
    m.dynVarValue[0] = newValue;
    m.dynVarName[0] = name;
    rememberVar(m);
    writeVar(m, id, m.dynVarValue[0]);
    if (record) {
        m.undoNew[1] = newValue;
        m.undoName[1] = name;
    }
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

void pushUndo(Model& m) {
    if (!m.editPending) return;
    m.undoButtonsEnabled = true;
    for (int i = kUndoMax; i >= 1; --i) copyEntry(m, i, i - 1);
    m.undoDepth = std::min(m.undoDepth + 1, kUndoMax);
}

void popUndo(Model& m) {
    for (int i = 0; i < kUndoMax; ++i) copyEntry(m, i, i + 1);
    writeVar(m, m.undoId[0], m.undoOld[0]);
    // Refresh the four bar slots by reading their bound values. Stepping each
    // by +1 and back by -1 would not return a float to its value (0.187 + 1 - 1
    // is not 0.187), so an undo would quietly alter up to four other dimensions.
    for (int k = 1; k <= 4; ++k) m.dynVarValue[k] = readVar(m, m.dynVarId[k]);
    // Undo changed a dimension, so the cut-off readouts no longer apply; a
    // slot step empties them the same way.
    m.frontCutoffText.clear();
    m.rearCutoffText.clear();
    emptyEntry(m, kUndoMax);
    if (m.undoId[1] == 0) m.undoButtonsEnabled = false;
    m.undoDepth = std::max(m.undoDepth - 1, 0);
}

void clearUndo(Model& m) {
    for (int i = 0; i < kUndoEntries; ++i) emptyEntry(m, i);
    m.undoDepth = 0;
    m.undoButtonsEnabled = false;
}

void recordGesture(Model& m, int k, float startValue) {
    if (k < 1 || k > 4) return;
    m.undoButtonsEnabled = true;
    m.editPending = true;
    pushUndo(m);
    m.undoId[1] = m.dynVarId[k];
    m.undoOld[1] = startValue;
    m.undoNew[1] = m.dynVarValue[k];
    m.undoName[1] = m.dynVarName[k];
    m.editPending = false;
}

std::string undoLine(const Model& m) {
    return fixed(m.undoDepth, 2, 0) + "- " + m.undoName[1] + " " + fixed(m.undoNew[1], 6, 3) +
           " to " + fixed(m.undoOld[1], 6, 3);
}

UndoLines advanceUndoLine(Model& m) {
    if (!m.undoEnabled) return {m.undoText, m.undoText};
    UndoLines lines{m.undoText, undoLine(m) + kUndoLineTail};
    m.undoText = lines.current;
    return lines;
}

}  // namespace tevrane
