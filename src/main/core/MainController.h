// The main window's behaviour without its widgets: every handler of the
// control panel, the menu and the tool bar, and the animation tick. Each
// concern lives in its own unit (run/stop, reverse arm, jog bars, view,
// toggles); this class ties them to one model and one panel state.
#pragma once

#include <functional>

#include "controls/core/DynVarBars.h"
#include "main/core/Panel.h"
#include "model/GearCommands.h"
#include "model/Model.h"

namespace tevrane {

// Sets up a fresh panel: ranges, positions, captions and enabled states as the
// window starts, with the reverse arm range taken from revArmMax.
void initPanel(const Model& m, Panel& p);

// The mouse buttons a press in the picture can come from; any other button
// counts as the middle one (it only ends a pointer display).
enum class MouseButton { Left, Right, Middle };

// The drawing zone of the picture, where a press places a reference point:
// below the control panel (y > 120), and the strip beside the reference point
// controls (y >= 68, x >= 248). Client pixels, not scaled with the font.
bool inDrawingZone(int x, int y);

// The one writer of the model besides the animation tick and the picture's
// frame step: the main window's handlers call it directly, every other window
// through the commands of GearCommands (Commands.cpp).
class MainController : public GearCommands {
public:
    MainController(Model& m, Panel& p) : m_(m), p_(p), dyn_(m, *this) {}

    Model& model() { return m_; }
    Panel& panel() { return p_; }

    // Called after every change of the panel state (the window mirrors it).
    std::function<void()> onPanelChanged;

    // ---- scroll bars: setting a position runs the bar's change handler when
    // the position really changes, as a scroll bar does ----------------------
    void setBarPosition(Bar b, int position);
    void setBarRange(Bar b, int min, int max);
    // The reverse-arm bar's range from revArmMax: +-round(revArmMax * 1000).
    void setRevArmRangeFromModel();

    // ---- buttons -------------------------------------------------------------
    void runClick();
    void revClick();
    void centerClick();
    void fwdClick();
    void deg180Click();
    void deg00Click();
    void step1Click();
    void step10Click();
    void step45Click();
    void presetClick(int n);  // 1..6
    // "Fit": the view that shows the whole gear over a full turn in a picture
    // of width x height pixels; a view change like a preset.
    void fitClick(int pictureWidth, int pictureHeight);
    void preset0Click();       // "P"
    void normClick();

    // ---- commands of the other windows -----------------------------------------
    // Stops the animation, whatever its state, with the driver at `angle`
    // (degrees, 0..360).
    void setDriverAngle(float angle) override;
    // A typed step (0.01..45 degrees) becomes the selected step as it is,
    // not snapped to one of the step bar's steps; a running animation goes on
    // with it, a stopped one stays stopped. The step bar shows it and the
    // driver bar's arrow and page steps follow it.
    void setStepAngle(float step) override;
    // Puts the reverse arm at `position`; the bar's own handler then derives
    // the direction and the "Fwd", "Rev" and "Cen" buttons.
    void setReverseArm(float position) override;

    // ---- dynamic-variable bars: the gesture of one focus-to-release --------
    void dynVarEnter(int k);  // the bar got the focus
    // The user released the bar: true when that ended a gesture that moved it
    // (one undo record); the window then moves the focus to the reverse arm bar.
    bool dynVarScrollEnd(int k);
    void undoDnClick();

    // ---- menu ------------------------------------------------------------------
    void toggleFont();
    void calcCentRevArm();
    // A dimension file was read into the model: the mid-gear centre and pivot
    // 18 follow it, the reverse-arm bar takes the loaded travel limit and
    // setting (and with it the sense of rotation), the bars' slots their
    // dimensions' new values.
    void dimensionsLoaded();
    // "Convert to millimetres" / "Convert to inches": every length of the
    // design into the other unit and the view scales the other way, so the
    // picture stays; one undo record.
    void convertUnitsClick();
    void toggleSteamDisplay();
    void toggleErrorBeep();
    void toggleLineWidth();
    void toggleScreenData();
    void togglePanZoom();
    void resetAllDimensionsClick();
    void toggleReferPoints();
    void togglePivotData();
    void toggleDynamicVari() override;
    void toggleUndo() override;
    void setPortGraphForward();  // "&PortOpenClose" sets the mode before opening

    // ---- reference points ------------------------------------------------------
    void refPt1ZeroClick();  // "0" of point 1
    void refPt2ZeroClick();
    // "RP1" / "RP2": the view centres on the point (screen (320, 240)), then
    // the pan bars are set to the positions that view stands for, and their
    // own change handlers run as for any other setting of their position.
    void refPt1Click();
    void refPt2Click();
    // The "Reference Points" dialog's buttons. "OK" stores the four typed
    // coordinates (vertical and horizontal of point 1, then of point 2),
    // enables the zero button of a point for each coordinate that is not 0,
    // and leaves reference points on; "Cancel" leaves them off; "Zero" puts
    // both points at (0, 0) and leaves them off.
    void refPointsOk(float v1, float h1, float v2, float h2) override;
    void refPointsCancel() override;
    void refPointsZero() override;
    // A press at client pixel (mx, my) as world coordinates of pivot 19 or 20.
    void setRefPoint1At(int mx, int my);
    void setRefPoint2At(int mx, int my);
    // Places reference point 1 at the press, then stores in nearestPivot the
    // moving pivot (1..18) nearest to it by the sum of the coordinate
    // differences; the lowest number wins a tie, and nearestPivot keeps its
    // value when no pivot is within 10000.
    void findNearestPivot(int mx, int my);
    // Both reference points exactly at (0, 0): the draw-lines window has
    // nothing to build an item from.
    bool refPointsAtOrigin() const;

    // ---- pointer selection -----------------------------------------------------
    // A mouse press on the picture (not on a control), at client pixel (x, y):
    // places reference points, completes the draw-lines window's picks,
    // arms a pivot data row or gives the armed row its pivot, and ends a
    // pointer display, in that order.
    void formMouseDown(MouseButton button, int x, int y);
    // The main window's "&DrawLinesCircles" handler, which a press calls to
    // reopen the draw-lines window after a pick. Empty: nothing opens.
    std::function<void()> onDrawLinesClick;
    // Whether the next press in the picture picks something (a pivot for the
    // draw-lines window or for an armed pivot data row): the picture then
    // shows a cross cursor.
    bool pickPending() const;

    // ---- animation ------------------------------------------------------------
    // Solve, convert to the screen, build the outlines, advance and wrap the
    // driver angle. The window draws the picture afterwards.
    void tick();
    void stopTimer() override;
    void startTimer() override;
    bool running() const { return p_.runCaption == "Stop"; }

    // ---- the other windows' commands (model/GearCommands.h) ------------------
    void typeInDimension(int id) override;
    void setDimension(int id, float value) override;
    void resetFrameDimensions(UndoOnReset undo) override;
    void resetCylinderDimensions(UndoOnReset undo) override;
    void showDimension(int id) override;
    void recentreReverseArm() override;
    void applyEqualiserChanges(std::span<const DimensionChange> changes) override;
    void stepDynamicVariable(int k, float delta) override;
    void recordDynamicGesture(int k, float startValue) override;
    void undo() override;
    UndoLines beginDiagramPass() override;
    void setPortGraphMode(char mode) override;
    bool takeChangedPositions() override;
    void setDiagramPosition(int position, float value) override;
    void setDiagramVScale(float vs) override;
    void settleDiagramPositions() override;
    void finishDiagramPositions() override;
    void setGraphicZoom(float zoom) override;

    // Marks the end of a handler: tells the window to mirror the panel.
    void changed();

private:
    void barChanged(Bar b);
    void revArmChanged();
    // The design changed unit (a conversion or its undo): the reverse-arm bar
    // takes the travel limit and setting in the new unit without moving the
    // setting itself, which the conversion kept exact.
    void unitChanged();
    void drvAngChanged();
    void stepAngChanged();
    void panChanged(Bar b);
    void zoomChanged();
    void dynVarChanged(int k);
    void refBarChanged(Bar b);
    void panToPoint(int pivot);
    void applyStopState();
    // The Run button's two actions, without the buttons both enable.
    void stopRunning();
    void startRunning();
    void refreshDynBars();

    Model& m_;
    Panel& p_;
    DynVarBars dyn_;
};

}  // namespace tevrane
