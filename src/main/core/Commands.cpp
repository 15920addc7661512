// The commands the other windows call (model/GearCommands.h): the dimension
// dialogs' commit, resets and re-centring, the dynamic-variable bars of the
// diagram windows, "UnDo", the equaliser's apply and the diagrams' own
// settings. Each writes the model and the panel, then sends the refresh.
#include "main/core/MainController.h"
#include "model/Dimensions.h"
#include "model/DynVars.h"
#include "model/SettingRules.h"

namespace tevrane {

namespace {

// The two travel limits of the frame dialog, which are no dynamic variables.
constexpr int kNormalTravelId = 20;
constexpr int kMaxTravelId = 21;

}  // namespace

void MainController::typeInDimension(int id) {
    if (isDynamicId(id)) m_.editPending = true;
}

void MainController::setDimension(int id, float value) {
    if (isDynamicId(id)) {
        commitEdit(m_, id, dimensionName(id), readVar(m_, id), value);
    } else if (id == kNormalTravelId) {
        setNormalTravel(m_, value);
    } else if (id == kMaxTravelId) {
        setMaxTravel(m_, value);
        setRevArmRangeFromModel();
    }
    changed();
}

void MainController::resetFrameDimensions(UndoOnReset undo) {
    resetFrame(m_);
    // The defaults carry their own maximum travel.
    setRevArmRangeFromModel();
    resetDynamicVariables(m_);
    if (undo == UndoOnReset::Clear) clearUndo(m_);
    changed();
}

void MainController::resetCylinderDimensions(UndoOnReset undo) {
    // resetCylinder also puts the valve stem height back on the cylinder line.
    resetCylinder(m_);
    resetDynamicVariables(m_);
    if (undo == UndoOnReset::Clear) clearUndo(m_);
    changed();
}

void MainController::showDimension(int id) { m_.pointerDim = id; }

void MainController::recentreReverseArm() {
    centreReverseArm(m_);
    setBarPosition(Bar::RevArm, 0);
    m_.frontCutoffText.clear();
    m_.rearCutoffText.clear();
    changed();
}

void MainController::applyEqualiserChanges(std::span<const DimensionChange> changes) {
    applyChanges(m_, changes);
    changed();
}

void MainController::stepDynamicVariable(int k, float delta) { stepVar(m_, k, delta); }

void MainController::recordDynamicGesture(int k, float startValue) {
    recordGesture(m_, k, startValue);
    changed();
}

void MainController::undo() {
    const LengthUnit unit = m_.lengthUnit;
    undoNewestRecord(m_);
    if (m_.lengthUnit != unit) unitChanged();
    changed();
}

UndoLines MainController::beginDiagramPass() { return advanceUndoLine(m_); }

void MainController::setPortGraphMode(char mode) { m_.portGraphMode = mode; }

bool MainController::takeChangedPositions() {
    const bool changedSinceLastLook = m_.revArmSetChanged;
    m_.revArmSetChanged = false;
    return changedSinceLastLook;
}

void MainController::setDiagramPosition(int position, float value) { tevrane::setDiagramPosition(m_, position, value); }

void MainController::setDiagramVScale(float vs) { m_.diagramVScale = boundedDiagramVScale(vs); }

void MainController::settleDiagramPositions() { settleRevArmPositions(m_); }

void MainController::finishDiagramPositions() {
    settleRevArmPositions(m_);
    m_.revArmSetChanged = true;
}

void MainController::setGraphicZoom(float zoom) {
    m_.graphicZoom = setting::clampGraphicZoom(zoom);
    changed();
}

}  // namespace tevrane
