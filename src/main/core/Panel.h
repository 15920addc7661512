// The logical state of every control of the main window: scroll bar ranges
// and positions, which buttons are enabled or shown, the changing captions.
// The control algorithms change this state; the main window only mirrors it
// into its widgets, so every rule can be tested without a widget.
#pragma once

#include <string>

#include "controls/core/Jog.h"

namespace tevrane {

struct BarState {
    int min = 0;
    int max = 100;
    int position = 0;
    int smallChange = 1;
    int largeChange = 10;
    bool enabled = true;
    bool visible = true;
};

struct ButtonState {
    bool enabled = true;
    bool visible = true;
};

enum class Bar {
    RevArm, DrvAng, StepAng, PanVert, PanHorz, Zoom,
    DynVar1, DynVar2, DynVar3, DynVar4,
    Ref1Vert, Ref1Horz, Ref2Vert, Ref2Horz,
    Count,
};
inline constexpr int kBarCount = static_cast<int>(Bar::Count);

// Dynamic-variable bar k (1..4).
constexpr Bar dynVarBar(int k) { return static_cast<Bar>(static_cast<int>(Bar::DynVar1) + k - 1); }

struct MenuItemState {
    std::string caption;
    bool enabled = true;
    bool visible = true;
};

// Menu items whose caption or state the program changes.
enum class Item {
    SetRevArmPos, SetDriverAng, SetStepAng, SetRefPoints, Font, CalcCentRevArm,
    SteamDisp, ErrorBeep, LineWidth, ScreenData, PanZoom, Fit,
    FrameDimensions, CylinderDimensions, GraphicZoom, ResetAllDimensions,
    ReferPoints, DrawLinesCircles, PivotData, DynamicVari, UnDo,
    SineDiagram, OvalDiagram, SteamDiagram, PortOpenClose, ValveEvents, Equalise, Performance,
    OpenDimensions, SaveAsDimensions, ExportPicture, PrintPicture, CompareWith, CompareOff, DesignReport,
    ConvertUnits, Instructions, InstructionsSpecial, About,
    Error,
    Count  // the number of items, not an item
};

struct Panel {
    BarState bars[kBarCount];
    JogHistory jogs[kBarCount];

    ButtonState rev, center, fwd;
    ButtonState deg180, run, deg00;
    ButtonState step1, step10, step45;
    ButtonState preset[7];  // [0] is "P", [1..6] the presets
    ButtonState norm;
    ButtonState undoDn;
    ButtonState dataTable;
    ButtonState refPt1, refPt2, refPt1Zero, refPt2Zero;
    std::string runCaption = "Stop";
    int undoTop = 72;

    // Whole groups shown or hidden together.
    bool toolBarVisible = true;
    bool mainFramesVisible = true;   // frames and buttons of the control panel
    bool dynFramesVisible = false;   // the frames around the dynamic-variable bars
    bool refFramesVisible = false;   // the frames around the reference point bars
    bool drawLinesToolEnabled = false;

    MenuItemState items[static_cast<int>(Item::Count)];

    // The animation timer runs unless a diagram window has stopped it.
    bool timerRunning = true;

    BarState& bar(Bar b) { return bars[static_cast<int>(b)]; }
    const BarState& bar(Bar b) const { return bars[static_cast<int>(b)]; }
    JogHistory& jog(Bar b) { return jogs[static_cast<int>(b)]; }
    MenuItemState& item(Item i) { return items[static_cast<int>(i)]; }
    const MenuItemState& item(Item i) const { return items[static_cast<int>(i)]; }
};

}  // namespace tevrane
