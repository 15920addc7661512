#include "dialogs/CylinOut.h"


namespace tevrane {

TCylDimen::TCylDimen(const Model& m, GearCommands& c, QWidget* parent)
    : DimensionDialog(m, c, cylinderLayout(), parent) {}

void TCylDimen::ResetCylDimMouseDown() {
    c_.resetCylinderDimensions(UndoOnReset::Keep);
    FormActivate();
}

void TCylDimen::ResetCylDimClick() {
    c_.resetCylinderDimensions(UndoOnReset::Clear);
    FormActivate();
}

}  // namespace tevrane
