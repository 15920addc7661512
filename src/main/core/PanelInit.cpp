// The panel as the window starts, and the scroll bar mechanics shared by
// every handler: a position is clamped to the range, and a real change runs
// the bar's change handler.
#include <algorithm>

#include "main/core/MainController.h"
#include "main/core/StepTable.h"
#include "model/Format.h"
#include "model/UnitConversion.h"

namespace tevrane {

namespace {
void setBar(BarState& b, int min, int max, int pos, int small, int large, bool visible = true) {
    b.min = min;
    b.max = max;
    b.position = pos;
    b.smallChange = small;
    b.largeChange = large;
    b.visible = visible;
    b.enabled = true;
}
}  // namespace

void initPanel(const Model& m, Panel& p) {
    p = Panel{};
    const int r = toInt(static_cast<long double>(m.revArmMax) * 1000);
    setBar(p.bar(Bar::RevArm), -r, r, 0, 1, 20);
    setBar(p.bar(Bar::DrvAng), -4000, 40000, 1, 1000, 4500);
    p.bar(Bar::DrvAng).enabled = false;  // the animation runs from the start
    setBar(p.bar(Bar::StepAng), 0, kStepBarFortyFiveDegrees, kStepBarTenDegrees, 920, 2760);
    setBar(p.bar(Bar::PanVert), -500, 500, 0, 1, 10);
    setBar(p.bar(Bar::PanHorz), -500, 500, 0, 1, 10);
    setBar(p.bar(Bar::Zoom), -200, 200, 0, 1, 10);
    for (Bar b : {Bar::DynVar1, Bar::DynVar2, Bar::DynVar3, Bar::DynVar4})
        setBar(p.bar(b), -200, 200, 0, 1, 10, m.dynVarsVisible);
    setBar(p.bar(Bar::Ref1Vert), -5000, 5000, 0, 1, 25, false);
    setBar(p.bar(Bar::Ref1Horz), -10000, 10000, 0, 1, 25, false);
    setBar(p.bar(Bar::Ref2Vert), -5000, 5000, 0, 1, 25, false);
    setBar(p.bar(Bar::Ref2Horz), -10000, 10000, 0, 1, 25, false);

    p.center.enabled = false;
    p.step10.enabled = false;
    p.norm.enabled = false;
    p.undoDn = {false, false};
    p.dataTable = {true, false};
    p.refPt1.enabled = false;
    p.refPt2.enabled = false;
    p.refPt1Zero = {false, false};
    p.refPt2Zero = {false, false};
    p.runCaption = "Stop";

    p.item(Item::SetRevArmPos).caption = "Set&RevArmPos";
    p.item(Item::SetDriverAng).caption = "Set&DriverAng";
    p.item(Item::SetStepAng).caption = "Set&StepAng";
    p.item(Item::SetRefPoints).caption = "SetRef&Points";
    p.item(Item::Font).caption = "SetLarge&Font";
    p.item(Item::CalcCentRevArm).caption = "&CalcCentRevArm";
    p.item(Item::SteamDisp).caption = "SetS&teamDisp On";
    p.item(Item::ErrorBeep).caption = "Set&ErrorBeep Off";
    p.item(Item::LineWidth).caption = "Set&LineWidth 2";
    p.item(Item::ScreenData).caption = "SetScree&nData Off";
    p.item(Item::PanZoom).caption = "SetP&anZoom On";
    p.item(Item::PanZoom).enabled = false;  // only while the control panel is hidden
    p.item(Item::Fit).caption = "Fit";
    p.item(Item::FrameDimensions).caption = "&FrameDimensions";
    p.item(Item::CylinderDimensions).caption = "&CylinderDimensions";
    p.item(Item::GraphicZoom).caption = "Set&GraphicZoom";
    p.item(Item::ResetAllDimensions).caption = "&ResetAllDimensions";
    p.item(Item::ReferPoints).caption = "&ReferPoints";
    p.item(Item::DrawLinesCircles).caption = "&DrawLinesCircles";
    p.item(Item::DrawLinesCircles).enabled = false;  // while reference points are off
    p.item(Item::PivotData).caption = "Pi&votData";
    p.item(Item::DynamicVari).caption = "D&ynamicVari";
    p.item(Item::UnDo).caption = "&UnDo";
    p.item(Item::SineDiagram).caption = "&SineDiagram";
    p.item(Item::OvalDiagram).caption = "&OvalDiagram";
    p.item(Item::SteamDiagram).caption = "S&teamDiagram";
    p.item(Item::PortOpenClose).caption = "&PortOpenClose";
    p.item(Item::ValveEvents).caption = "&ValveEvents";
    p.item(Item::Equalise).caption = "&Equalise...";
    p.item(Item::Performance).caption = "&IndicatedPerformance";
    p.item(Item::OpenDimensions).caption = "&OpenDimensions";
    p.item(Item::SaveAsDimensions).caption = "Save&AsDimensions";
    p.item(Item::ExportPicture).caption = "&Export...";
    p.item(Item::PrintPicture).caption = "&Print...";
    p.item(Item::CompareWith).caption = "Compare with...";
    p.item(Item::CompareOff).caption = "Compare off";
    p.item(Item::DesignReport).caption = "Design report...";
    // The caption names the unit the design would be converted to.
    p.item(Item::ConvertUnits).caption = "Convert to millimetres";
    p.item(Item::Instructions).caption = "&Instructions";
    p.item(Item::InstructionsSpecial).caption = "Instructions&Special";
    p.item(Item::About).caption = "&About";
    p.item(Item::Error).caption = "";
    p.item(Item::Error).visible = false;
    p.drawLinesToolEnabled = false;
    p.timerRunning = true;
}

void MainController::changed() {
    // The conversion's caption names the unit the design would go to; a
    // conversion, its undo, a load and a reset all end here.
    p_.item(Item::ConvertUnits).caption = convertCaption(m_.lengthUnit);
    if (onPanelChanged) onPanelChanged();
}

void MainController::setBarRange(Bar b, int min, int max) {
    BarState& s = p_.bar(b);
    s.min = min;
    s.max = std::max(min, max);
    const int clamped = std::clamp(s.position, s.min, s.max);
    if (clamped != s.position) setBarPosition(b, clamped);
}

void MainController::setRevArmRangeFromModel() {
    const int r = toInt(static_cast<long double>(m_.revArmMax) * 1000);
    setBarRange(Bar::RevArm, -std::abs(r), std::abs(r));
}

void MainController::setBarPosition(Bar b, int position) {
    BarState& s = p_.bar(b);
    const int clamped = std::clamp(position, s.min, std::max(s.min, s.max));
    if (clamped == s.position) return;
    s.position = clamped;
    barChanged(b);
}

void MainController::barChanged(Bar b) {
    switch (b) {
        case Bar::RevArm: revArmChanged(); break;
        case Bar::DrvAng: drvAngChanged(); break;
        case Bar::StepAng: stepAngChanged(); break;
        case Bar::PanVert:
        case Bar::PanHorz: panChanged(b); break;
        case Bar::Zoom: zoomChanged(); break;
        case Bar::DynVar1: dynVarChanged(1); break;
        case Bar::DynVar2: dynVarChanged(2); break;
        case Bar::DynVar3: dynVarChanged(3); break;
        case Bar::DynVar4: dynVarChanged(4); break;
        case Bar::Ref1Vert:
        case Bar::Ref1Horz:
        case Bar::Ref2Vert:
        case Bar::Ref2Horz: refBarChanged(b); break;
        case Bar::Count: break;  // not a bar
    }
}

}  // namespace tevrane
