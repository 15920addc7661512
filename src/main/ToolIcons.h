// Small pictures for the tool bar and the error menu entry, drawn in code so
// they stay sharp and need no image files.
#pragma once

#include <QIcon>

namespace tevrane {

enum class ToolIcon {
    Open, Save, Frame, Cylinder, DriverAngle, StepAngle, ReverseArm, MidGear, Steam,
    RefPoints, Lines, PivotData, DynamicVariables, Undo, Sine, Oval, SteamDiagram, Ports,
    ValveEvents, Equalise, Performance, Fit, Error,
};

QIcon toolIcon(ToolIcon which);

}  // namespace tevrane
