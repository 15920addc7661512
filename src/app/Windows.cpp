#include "app/Windows.h"

#include <functional>
#include <type_traits>

#include "diagrams/Oval.h"
#include "diagrams/Ports.h"
#include "diagrams/SetReverArm.h"
#include "diagrams/Sine.h"
#include "diagrams/Steam.h"
#include "dialogs/CylinOut.h"
#include "dialogs/DatTable.h"
#include "dialogs/DrvAng.h"
#include "dialogs/Equalise.h"
#include "dialogs/GraphicZoom.h"
#include "dialogs/Instruct.h"
#include "dialogs/Line.h"
#include "dialogs/RefPoint.h"
#include "dialogs/ReverPos.h"
#include "dialogs/StepAngle.h"
#include "dialogs/TevFrame.h"
#include "dialogs/TevSpIns.h"
#include "dialogs/PerformanceWindow.h"
#include "dialogs/ValveEventsWindow.h"
#include "dialogs/VGAboutBox.h"
#include "main/Main.h"
#include "main/core/MainController.h"
#include "platform/Sound.h"

namespace tevrane {

namespace {

// Creates a window with what its constructor asks for, the main window as its
// parent.
template <class W>
QDialog* make(const WindowContext& x) {
    if constexpr (std::is_constructible_v<W, const Model&, GearCommands&, QWidget*>)
        return new W(x.model, x.controller, x.parent);
    else if constexpr (std::is_constructible_v<W, Model&, Clock&, QWidget*>)
        // Tells the date and time of the program's own clock.
        return x.clock ? new W(x.model, *x.clock, x.parent) : new W(x.model, x.parent);
    else if constexpr (std::is_constructible_v<W, Model&, QWidget*>)
        return new W(x.model, x.parent);
    else if constexpr (std::is_constructible_v<W, const Model&, GearCommands&,
                                                std::function<QDialog*()>, QWidget*>)
        // A diagram of the reverse-arm positions asks for them in their own
        // dialog, which may be created after it.
        return new W(x.model, x.controller,
                     [r = x.registry] { return r ? r->window("TSetRevArm") : nullptr; }, x.parent);
    else if constexpr (std::is_constructible_v<W, MessageSink&, QWidget*>)
        return new W(x.messages, x.parent);  // loads its file now; a failure is shown once
    else
        return new W(x.parent);
}

// The draw-lines window beeps at a wrong order of choices, and the dimension
// file's load refreshes its rows through the main window's hooks. A design
// named on the command line is loaded without the file dialog, so every
// successful load rebuilds the whole table, not only the row highlight.
QDialog* makeDrawLines(const WindowContext& x) {
    static NullSound silence;
    // It reads the model and writes only the overlay, the one role it edits.
    auto* w = new TDrawLines(x.model, x.model, x.sound ? *x.sound : silence, x.parent);
    if (auto* form = qobject_cast<TMainForm*>(x.parent)) {
        form->onLinesValuesCleared = [w] { w->clearValueLabels(); };
        form->onLinesRowsChanged = [w] { w->LinesDataClick(); };
        form->onLinesDataRefresh = [w] { w->LinesDataClick(); };
    }
    return w;
}

// One row per window in start order. The start order names the driver angle
// dialog twice, the second replacing the first as the one shown; one dialog
// created first stands for both.
const WindowRow kRows[] = {
    {"TDrivAng", Item::SetDriverAng, ToolButton{ToolIcon::DriverAngle, "Set Driver Angle to Desired Position"}, {},
     make<TDrivAng>},
    {"TOvalDia", Item::OvalDiagram, ToolButton{ToolIcon::Oval, "View Oval Diagram"}, CaptionWindow::Oval,
     make<TOvalDia>},
    {"TPortDia", Item::PortOpenClose, ToolButton{ToolIcon::Ports, "View Port Events vs Reverse Arm Position"},
     CaptionWindow::Ports, make<TPortDia>, [](MainController& c) { c.setPortGraphForward(); }},
    {"TRefPnts", Item::SetRefPoints, {}, {}, make<TRefPnts>},
    {"TRevPos", Item::SetRevArmPos, ToolButton{ToolIcon::ReverseArm, "Set Reverse Arm to Desired Position"}, {},
     make<TRevPos>},
    {"TSetRevArm", {}, {}, {}, make<TSetRevArm>},  // opened from the diagram windows
    {"TSineDia", Item::SineDiagram, ToolButton{ToolIcon::Sine, "View Sine Diagram"}, CaptionWindow::Sine,
     make<TSineDia>},
    {"TSteamDia", Item::SteamDiagram, ToolButton{ToolIcon::SteamDiagram, "View Steam Diagram"}, CaptionWindow::Steam,
     make<TSteamDia>},
    {"TStpAng", Item::SetStepAng, ToolButton{ToolIcon::StepAngle, "Set Step Angle to Desired Amount"}, {},
     make<TStpAng>},
    {"TAboutBox", Item::About, {}, {}, make<TAboutBox>},
    {"TInst", Item::Instructions, {}, {}, make<TInst>},
    {"TTevSpInst", Item::InstructionsSpecial, {}, {}, make<TTevSpInst>},
    {"TFrameDi", Item::FrameDimensions, ToolButton{ToolIcon::Frame, "Change Frame Dimensions"}, {}, make<TFrameDi>},
    {"TCylDimen", Item::CylinderDimensions, ToolButton{ToolIcon::Cylinder, "Change Cylinder Dimensions"}, {},
     make<TCylDimen>},
    {"TGraphZoom", Item::GraphicZoom, {}, {}, make<TGraphZoom>},
    {"TDrawLines", Item::DrawLinesCircles, ToolButton{ToolIcon::Lines, "Draw Lines and Circles"}, {},
     makeDrawLines},
    {"TDataTable", {}, {}, CaptionWindow::DataTable, make<TDataTable>},  // opened by the "DataTable" button
    {"TValveEvents", Item::ValveEvents, ToolButton{ToolIcon::ValveEvents, "View Valve Events Table and Notches"}, {},
     make<TValveEvents>},
    {"TEqualise", Item::Equalise, ToolButton{ToolIcon::Equalise, "Equalise Valve Events by Tuning Dimensions"}, {},
     make<TEqualise>},
    {"TPerformance", Item::Performance,
     ToolButton{ToolIcon::Performance, "View Indicator Cards, Mean Effective Pressure and Power at the Notches"}, {},
     make<TPerformance>},
};

}  // namespace

std::span<const WindowRow> windowRows() { return kRows; }

}  // namespace tevrane
