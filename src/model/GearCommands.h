// What a user does to the design and to the main window's controls from any
// window but the main one, one command per action. The main window's
// controller implements it: a command writes the model (and the panel state
// the main window mirrors) and then sends the refresh itself, so a window
// calls the command and redraws what it shows, and never writes the model.
// Windows hold the model as `const Model&`.
//
// It lives beside the model because it speaks only the model's terms
// (dimension ids, angles in degrees, reverse-arm settings): every window
// folder already depends on the model, and none needs to know the main
// window's controller or its panel.
#pragma once

#include <span>

#include "model/DynVars.h"
#include "model/Equaliser.h"

namespace tevrane {

// Whether a dimension reset keeps the undo history. Pressing "Reset to
// Default" already resets and keeps it; the click that follows also empties it.
enum class UndoOnReset { Keep, Clear };

class GearCommands {
public:
    virtual ~GearCommands() = default;

    // ---- dimensions ------------------------------------------------------------
    // The user typed into (or cut from, pasted into) the box of dimension id:
    // for a dimension of the dynamic variables, the next commit of a box
    // becomes an undo record. Other ids change nothing.
    virtual void typeInDimension(int id) = 0;
    // A dimension box was left with `value` (frame ids 1..21, cylinder ids
    // 101..122; units of the design). A dynamic dimension commits through the
    // dynamic variables and, after typing, one undo record; the normal travel
    // (20) stays no larger than the maximum, the maximum (21) no smaller than
    // the normal one and gives the reverse-arm bar its range. The diagram
    // positions stay within the normal travel.
    virtual void setDimension(int id, float value) = 0;
    // "Reset to Default" of the frame dialog: the frame's defaults (with their
    // own travel limits, so the reverse-arm bar's range follows) and the
    // dynamic variables emptied.
    virtual void resetFrameDimensions(UndoOnReset undo) = 0;
    // The same for the cylinder dialog; the valve stem height goes back on the
    // cylinder line.
    virtual void resetCylinderDimensions(UndoOnReset undo) = 0;
    // A dimension dialog's small button: the next frame of the picture shows
    // where dimension id lies.
    virtual void showDimension(int id) = 0;
    // A dimension dialog closed: the reverse arm re-centres, its bar goes to
    // 0 and the cut-off readouts empty.
    virtual void recentreReverseArm() = 0;
    // The equaliser's result: every changed dimension written, each one undo
    // record in the order given.
    virtual void applyEqualiserChanges(std::span<const DimensionChange> changes) = 0;

    // ---- dynamic variables and undo ---------------------------------------------
    // One jog step of bar slot k (1..4) by delta units. No refresh: the end of
    // the gesture sends it.
    virtual void stepDynamicVariable(int k, float delta) = 0;
    // A bar gesture of slot k ended that started from startValue: one undo
    // record from there to the value now.
    virtual void recordDynamicGesture(int k, float startValue) = 0;
    // "UnDo" of any window: the newest record is undone or, with none left,
    // every "UnDo" button is disabled.
    virtual void undo() = 0;
    // "&UnDo" of the menus: the undo line on or off.
    virtual void toggleUndo() = 0;
    // "DynamicVari": the dynamic-variable bars of every window on or off.
    virtual void toggleDynamicVari() = 0;
    // The step before a diagram window draws: the undo line every diagram
    // shares moves on (advanceUndoLine); the pass then only reads.
    virtual UndoLines beginDiagramPass() = 0;

    // ---- the main window's controls -------------------------------------------
    // Stops the animation with the driver at `angle` (degrees, 0..360).
    virtual void setDriverAngle(float angle) = 0;
    // A typed step of the driver per tick (degrees, 0.01..45).
    virtual void setStepAngle(float step) = 0;
    // Puts the reverse arm at `position` (units of the design from the
    // mid-gear setting's zero, forward positive).
    virtual void setReverseArm(float position) = 0;
    // The "Reference Points" dialog's "OK" (vertical and horizontal of point
    // 1, then of point 2, units of the design), "Cancel" and "Zero".
    virtual void refPointsOk(float v1, float h1, float v2, float h2) = 0;
    virtual void refPointsCancel() = 0;
    virtual void refPointsZero() = 0;

    // ---- diagrams -----------------------------------------------------------------
    // The port events diagram's graph: 'F' forward, 'R' reverse, 'B' both.
    virtual void setPortGraphMode(char mode) = 0;
    // A position diagram took the reverse-arm positions the positions dialog
    // changed: true once after each change.
    virtual bool takeChangedPositions() = 0;
    // The positions dialog: diagram position 1..9 (units of the design;
    // clamped to the travel, position 1 never unused) and the oval and sine
    // diagrams' vertical scale (held within its limits).
    virtual void setDiagramPosition(int position, float value) = 0;
    virtual void setDiagramVScale(float vs) = 0;
    // The positions dialog opens: the positions after the first unused one
    // are cleared, so the dialog shows what the diagrams will step through.
    virtual void settleDiagramPositions() = 0;
    // The positions dialog closed, however: settled, and the diagram that
    // opened it takes them (takeChangedPositions).
    virtual void finishDiagramPositions() = 0;
    // "Set Zoom of Dimensional Graphic Position": the zoom factor of the
    // pointer display's view (0.5..2000).
    virtual void setGraphicZoom(float zoom) = 0;
    // The animation stops while a diagram window is up and runs again after.
    virtual void stopTimer() = 0;
    virtual void startTimer() = 0;
};

}  // namespace tevrane
