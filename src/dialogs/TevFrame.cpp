#include "dialogs/TevFrame.h"

#include "model/DynVars.h"

namespace tevrane {

TFrameDi::TFrameDi(Model& m, MainController& c, QWidget* parent)
    : DimensionDialog(m, c, frameLayout(), parent) {}

void TFrameDi::ResetFrameDimMouseDown() {
    resetFrame(m_);
    // The defaults carry their own maximum travel.
    c_.setRevArmRangeFromModel();
    resetDynamicVariables(m_);
    FormActivate();
    c_.changed();
}

void TFrameDi::ResetFrameDimClick() {
    resetFrame(m_);
    c_.setRevArmRangeFromModel();
    resetDynamicVariables(m_);
    FormActivate();
    clearUndo(m_);
    c_.changed();
}

}  // namespace tevrane
