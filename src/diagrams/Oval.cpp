#include "diagrams/Oval.h"

#include "diagrams/core/OvalPlot.h"

namespace tevrane {

namespace {

DiagramLayout windowLayout() {
    DiagramLayout l;
    l.clientWidth = kDiagramWidth;
    l.clientHeight = kOvalDiagramHeight;
    l.closeName = QStringLiteral("CloseOval");
    l.closeRect = QRect(408, 8, 75, 25);
    l.barPrefix = QStringLiteral("SBDynVarO");
    l.undoName = QStringLiteral("UnDoDnO");
    l.pictureName = QStringLiteral("oval");
    return l;
}

PositionMenu menu() {
    return {QStringLiteral("SetRevArmPos1"), QStringLiteral("SetRevArmPos"), QStringLiteral("ReDraw1"),
            QStringLiteral("ReDraw"), QStringLiteral("UnDoOval"), QStringLiteral("DynVar"),
            QStringLiteral("DynamicVari")};
}

}  // namespace

TOvalDia::TOvalDia(const Model& m, GearCommands& c, std::function<QDialog*()> positionsDialog,
                     QWidget* parent)
    : PositionDiagramWindow(m, c, windowLayout(), menu(), std::move(positionsDialog), parent) {
    setObjectName(QStringLiteral("OvalDia"));
}

DiagramControls TOvalDia::drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                      const UndoLines& undo) {
    if (clearFirst) c.clear(colours::white);
    return drawOval(m, c, undo);
}

}  // namespace tevrane
