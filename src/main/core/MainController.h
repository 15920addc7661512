// The main window's behaviour without its widgets: every handler of the
// control panel, the menu and the tool bar, and the animation tick. Each
// concern lives in its own unit (run/stop, reverse arm, jog bars, view,
// toggles); this class ties them to one model and one panel state.
#pragma once

#include <functional>

#include "controls/core/DynVarBars.h"
#include "main/core/Panel.h"
#include "model/Model.h"

namespace tevrane {

// Sets up a fresh panel: ranges, positions, captions and enabled states as the
// window starts, with the reverse arm range taken from revArmMax.
void initPanel(const Model& m, Panel& p);

class MainController {
public:
    MainController(Model& m, Panel& p) : m_(m), p_(p), dyn_(m) {}

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
    void preset0Click();       // "P"
    void normClick();

    // ---- commands of the other windows -----------------------------------------
    // Stops the animation, whatever its state, with the driver at `angle`
    // (degrees, 0..360).
    void setDriverAngle(float angle);
    // A typed step (0.01..45 degrees) becomes the selected step as it is,
    // not snapped to one of the step bar's steps; a running animation goes on
    // with it, a stopped one stays stopped. The step bar shows it and the
    // driver bar's arrow and page steps follow it.
    void setStepAngle(float step);
    // Puts the reverse arm at `position`; the bar's own handler then derives
    // the direction and the "Fwd", "Rev" and "Cen" buttons.
    void setReverseArm(float position);

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
    void toggleSteamDisplay();
    void toggleErrorBeep();
    void toggleLineWidth();
    void toggleScreenData();
    void togglePanZoom();
    void resetAllDimensionsClick();
    void toggleReferPoints();
    void togglePivotData();
    void toggleDynamicVari();
    void toggleUndo();
    void setPortGraphForward();  // "&PortOpenClose" sets the mode before opening

    // ---- animation ------------------------------------------------------------
    // Solve, convert to the screen, build the outlines, advance and wrap the
    // driver angle. The window draws the picture afterwards.
    void tick();
    void stopTimer();
    void startTimer();
    bool running() const { return p_.runCaption == "Stop"; }

    // Marks the end of a handler: tells the window to mirror the panel.
    void changed();

private:
    void barChanged(Bar b);
    void revArmChanged();
    void drvAngChanged();
    void stepAngChanged();
    void panChanged(Bar b);
    void zoomChanged();
    void dynVarChanged(int k);
    void refBarChanged(Bar b);
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
