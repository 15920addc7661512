// The menu's toggles with their changing captions, screen data off and on,
// and the whole "&ResetAllDimensions" action.
#include <algorithm>

#include "files/DimensionFile.h"
#include "main/core/MainController.h"
#include "model/DynVars.h"
#include "model/Format.h"
#include "model/SettingRules.h"
#include "model/UnitConversion.h"

namespace tevrane {

void MainController::toggleFont() {
    const bool large = m_.fontScaleX == 1.0f && m_.fontScaleY == 1.0f;
    m_.fontScaleX = large ? 1.27f : 1.0f;
    m_.fontScaleY = large ? 1.22f : 1.0f;
    p_.item(Item::Font).caption = large ? "SetSmall&Font" : "SetLarge&Font";
    changed();
}

void MainController::toggleSteamDisplay() {
    m_.steamDisplay = !m_.steamDisplay;
    p_.item(Item::SteamDisp).caption = m_.steamDisplay ? "SetS&teamDisp Off" : "SetS&teamDisp On";
    changed();
}

void MainController::toggleErrorBeep() {
    m_.errorBeep = !m_.errorBeep;
    p_.item(Item::ErrorBeep).caption = m_.errorBeep ? "Set&ErrorBeep Off" : "Set&ErrorBeep On";
    changed();
}

void MainController::toggleLineWidth() {
    m_.lineWidth = m_.lineWidth == 1 ? 2 : 1;
    p_.item(Item::LineWidth).caption = m_.lineWidth == 1 ? "Set&LineWidth 2" : "Set&LineWidth 1";
    changed();
}

void MainController::toggleScreenData() {
    m_.screenDataOn = !m_.screenDataOn;
    const bool on = m_.screenDataOn;
    p_.item(Item::ScreenData).caption = on ? "SetScree&nData Off" : "SetScree&nData On";
    p_.toolBarVisible = on;
    p_.mainFramesVisible = on;
    for (Bar b : {Bar::RevArm, Bar::DrvAng, Bar::StepAng, Bar::PanVert, Bar::PanHorz, Bar::Zoom})
        p_.bar(b).visible = on;
    if (!on) {
        // Every control of the panel goes; the options that show more
        // controls are switched off with it.
        m_.dynVarsVisible = false;
        m_.refPointsOn = false;
        m_.undoEnabled = false;
        m_.pivotDataOn = false;
        for (Bar b : {Bar::DynVar1, Bar::DynVar2, Bar::DynVar3, Bar::DynVar4, Bar::Ref1Vert,
                      Bar::Ref1Horz, Bar::Ref2Vert, Bar::Ref2Horz})
            p_.bar(b).visible = false;
        p_.dynFramesVisible = false;
        p_.refFramesVisible = false;
        p_.dataTable.visible = false;
        p_.refPt1Zero.visible = false;
        p_.refPt2Zero.visible = false;
        p_.undoDn.visible = false;
        p_.item(Item::DrawLinesCircles).enabled = false;
        p_.drawLinesToolEnabled = false;
        p_.item(Item::SetRefPoints).visible = false;
        p_.item(Item::PanZoom).enabled = true;
    } else {
        p_.item(Item::SetRefPoints).visible = true;
        p_.item(Item::PanZoom).enabled = false;
        p_.item(Item::PanZoom).caption = "Set&PanZoom On";
    }
    for (Item i : {Item::SetDriverAng, Item::CalcCentRevArm, Item::DynamicVari, Item::ReferPoints,
                   Item::UnDo, Item::PivotData})
        p_.item(i).enabled = on;
    changed();
}

void MainController::togglePanZoom() {
    const bool show = !p_.bar(Bar::PanVert).visible;
    for (Bar b : {Bar::PanVert, Bar::PanHorz, Bar::Zoom}) p_.bar(b).visible = show;
    p_.item(Item::PanZoom).caption = show ? "SetP&anZoom Off" : "SetP&anZoom On";
    changed();
}

void MainController::toggleReferPoints() {
    m_.refPointsOn = !m_.refPointsOn;
    const bool on = m_.refPointsOn;
    for (Bar b : {Bar::Ref1Vert, Bar::Ref1Horz, Bar::Ref2Vert, Bar::Ref2Horz}) p_.bar(b).visible = on;
    p_.refPt1Zero.visible = on;
    p_.refPt2Zero.visible = on;
    p_.refFramesVisible = on;
    p_.refPt1.enabled = on;
    p_.refPt2.enabled = on;
    p_.item(Item::DrawLinesCircles).enabled = on;
    p_.drawLinesToolEnabled = on;
    if (!on) {
        m_.pivotDataOn = false;
        p_.dataTable.visible = false;
    }
    changed();
}

void MainController::togglePivotData() {
    m_.pivotDataOn = !m_.pivotDataOn;
    p_.dataTable.visible = m_.pivotDataOn;
    if (m_.pivotDataOn && !m_.refPointsOn) toggleReferPoints();
    changed();
}

void MainController::resetAllDimensionsClick() {
    resetAllDimensions(m_);
    setRevArmRangeFromModel();
    centerClick();
    normClick();
    refreshDynBars();
    changed();
}

void MainController::dimensionsLoaded() {
    afterDimensionsLoaded(m_);
    setRevArmRangeFromModel();
    BarState& bar = p_.bar(Bar::RevArm);
    const int position =
        toInt((static_cast<long double>(m_.revArmPos) - m_.revArmCentre()) * 1000.0L);
    bar.position = std::clamp(position, bar.min, std::max(bar.min, bar.max));
    revArmChanged();  // even when the bar stood there already
    refreshDynBars();
    changed();
}

void MainController::convertUnitsClick() {
    convertDesignWithUndo(m_);
    unitChanged();
    changed();
}

void MainController::unitChanged() {
    setRevArmRangeFromModel();
    BarState& bar = p_.bar(Bar::RevArm);
    const int position = setting::revArmBarPosition(m_, m_.revArmPos);
    bar.position = std::clamp(position, bar.min, std::max(bar.min, bar.max));
    p_.center.enabled = bar.position != 0;
    const float centre = m_.revArmCentre();
    const float sign = setting::directOrientation(m_) ? 1.0f : -1.0f;
    p_.fwd.enabled = m_.revArmPos != centre + sign * m_.revArmNormal;
    p_.rev.enabled = m_.revArmPos != centre - sign * m_.revArmNormal;
}

void MainController::setPortGraphForward() { m_.portGraphMode = 'F'; }

}  // namespace tevrane
