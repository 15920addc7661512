// What the steam, oval and sine diagram windows share beyond the diagram
// window: one curve per reverse-arm position of the position set, so each
// activation first asks for the positions in the "Set Reverse Arm Positions"
// dialog; the "SetRevArmPos" and "ReDraw" menu items; and the one redraw on
// the first mouse movement after that dialog closed.
#pragma once

#include <functional>

#include "diagrams/DiagramWindow.h"

class QAction;

namespace tevrane {

// Names of a position diagram's menu items (object name, caption).
struct PositionMenu {
    QString setRevArmName, setRevArmCaption;
    QString reDrawName, reDrawCaption;
    QString unDoName;
    QString dynVarName, dynVarCaption;
};

class PositionDiagramWindow : public DiagramWindow {
    Q_OBJECT
public:
    // positionsDialog finds the dialog of the positions when it is needed (it
    // may be created after this window).
    PositionDiagramWindow(const Model& m, GearCommands& c, const DiagramLayout& layout,
                          const PositionMenu& menu, std::function<QDialog*()> positionsDialog,
                          QWidget* parent = nullptr);

    QAction* setRevArmPosAction() const { return setRevArmPos_; }
    QAction* reDrawAction() const { return reDraw_; }
    QAction* unDoAction() const { return unDo_; }
    QAction* dynamicVariAction() const { return dynamicVari_; }

public slots:
    void SetRevArmPosClick();
    void ReDrawClick() { redraw(true); }

protected:
    // The animation stops, the positions are asked for, the diagram is drawn.
    void formActivate() override;
    void formMouseMove() override;

private:
    void askPositions();

    std::function<QDialog*()> positionsDialog_;
    QAction* setRevArmPos_ = nullptr;
    QAction* reDraw_ = nullptr;
    QAction* unDo_ = nullptr;
    QAction* dynamicVari_ = nullptr;
};

}  // namespace tevrane
