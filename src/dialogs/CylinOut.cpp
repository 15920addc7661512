#include "dialogs/CylinOut.h"

#include "model/DynVars.h"

namespace tevrane {

TCylDimen::TCylDimen(Model& m, MainController& c, QWidget* parent)
    : DimensionDialog(m, c, cylinderLayout(), parent) {}

void TCylDimen::ResetCylDimMouseDown() {
    // resetCylinder also puts the valve stem height back on the cylinder line.
    resetCylinder(m_);
    resetDynamicVariables(m_);
    FormActivate();
    c_.changed();
}

void TCylDimen::ResetCylDimClick() {
    resetCylinder(m_);
    resetDynamicVariables(m_);
    FormActivate();
    clearUndo(m_);
    c_.changed();
}

}  // namespace tevrane
