// Dynamic variables and the undo history: the four most recently edited
// dimensions bound to the scroll bars, and the 20 most recent changes
// (model/UndoHistory.h).
#pragma once

#include <string>

#include "model/Model.h"

namespace tevrane {

// The short name (at most 25 characters) shown for a dimension id, or "" for
// an id that is not a dynamic-variable dimension (1..19, 101..122).
const std::string& dimensionName(int id);
bool isDynamicId(int id);

float readVar(const Model& m, int id);
// Writing ids 102 or 109 keeps pivotY[4] = pivotY[3] + valveStemToCylCL.
void writeVar(Model& m, int id, float value);

// What a dimension edit box does when it loses the focus.
void commitEdit(Model& m, int id, const std::string& name, float oldValue, float newValue);
// Brings slot 0 into the four bar slots (in place if already bound).
void rememberVar(Model& m);
// One step of slot k (1..4) by delta; a step of 0 refreshes the slot.
void stepVar(Model& m, int k, float delta);
void clearSlots(Model& m);
// What a dimension reset does to the slots: clear them, set the increment to
// 0 and refresh bars 1..4.
void resetDynamicVariables(Model& m);

// A new newest record; the "UnDo" buttons are enabled.
void recordUndo(Model& m, UndoRecord r);
// Undoes the newest record: its dimension goes back, the bars' slots read
// their dimensions again and the cut-off readouts empty. With no record left
// the "UnDo" buttons are disabled.
void popUndo(Model& m);
void clearUndo(Model& m);
// The record of one finished scroll-bar gesture on slot k, started at startValue.
void recordGesture(Model& m, int k, float startValue);
// The undo line text: depth, name, new value and the value undo restores.
std::string undoLine(const Model& m);

// The padding after a diagram's undo line: wide enough to cover what a longer
// earlier line left behind.
inline const std::string kUndoLineTail = "." + std::string(46, ' ');

// The two undo lines one diagram pass writes.
struct UndoLines {
    std::string previous;  // the line the pass before composed
    std::string current;   // the line of the newest record now
};

// The step before a diagram pass draws its undo line: while undoEnabled, the
// line of the newest record is composed and becomes the undo text every
// diagram window shares; the one it replaces is returned with it. With the
// undo line off nothing changes. The pass then only reads.
UndoLines advanceUndoLine(Model& m);

}  // namespace tevrane
