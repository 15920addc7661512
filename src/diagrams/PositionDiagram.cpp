#include "diagrams/PositionDiagram.h"

#include <QMenuBar>
#include <QPushButton>

namespace tevrane {

PositionDiagramWindow::PositionDiagramWindow(const Model& m, GearCommands& c,
                                             const DiagramLayout& layout, const PositionMenu& menu,
                                             std::function<QDialog*()> positionsDialog,
                                             QWidget* parent)
    : DiagramWindow(m, c, layout, parent), positionsDialog_(std::move(positionsDialog)) {
    auto item = [this](const QString& name, const QString& caption, auto slot) {
        QAction* a = menuBar()->addAction(caption, this, slot);
        a->setObjectName(name);
        return a;
    };
    setRevArmPos_ = item(menu.setRevArmName, menu.setRevArmCaption,
                         &PositionDiagramWindow::SetRevArmPosClick);
    reDraw_ = item(menu.reDrawName, menu.reDrawCaption, &PositionDiagramWindow::ReDrawClick);
    unDo_ = item(menu.unDoName, QStringLiteral("&UnDo"), &DiagramWindow::undoMenuClick);
    dynamicVari_ = item(menu.dynVarName, menu.dynVarCaption, &DiagramWindow::dynamicVariClick);
    addPictureItems();
}

void PositionDiagramWindow::askPositions() {
    if (QDialog* d = positionsDialog_ ? positionsDialog_() : nullptr) d->exec();
}

void PositionDiagramWindow::SetRevArmPosClick() {
    // The diagram follows at the first mouse movement over it, as after the
    // activation's question.
    askPositions();
}

void PositionDiagramWindow::formActivate() {
    commands().stopTimer();
    askPositions();
    redraw(true);
    closeButton()->setFocus();
}

void PositionDiagramWindow::formMouseMove() {
    if (!commands().takeChangedPositions()) return;
    redraw(true);
}

}  // namespace tevrane
