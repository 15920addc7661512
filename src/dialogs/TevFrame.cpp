#include "dialogs/TevFrame.h"


namespace tevrane {

TFrameDi::TFrameDi(const Model& m, GearCommands& c, QWidget* parent)
    : DimensionDialog(m, c, frameLayout(), parent) {}

void TFrameDi::ResetFrameDimMouseDown() {
    c_.resetFrameDimensions(UndoOnReset::Keep);
    FormActivate();
}

void TFrameDi::ResetFrameDimClick() {
    c_.resetFrameDimensions(UndoOnReset::Clear);
    FormActivate();
}

}  // namespace tevrane
