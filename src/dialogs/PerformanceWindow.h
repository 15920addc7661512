// "Indicated Performance": both ends' theoretical indicator cards at a chosen
// notch against the piston's travel, with the table of notches beside them,
// drawn on the diagram windows' frame, so its four dynamic-variable bars and
// "UnDo" work the same slots and undo stack, every change redraws the cards,
// and the picture exports and prints like the diagrams'. The working
// conditions are boxes under the picture.
#pragma once

#include "diagrams/DiagramWindow.h"
#include "model/Performance.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace tevrane {

class TPerformance : public DiagramWindow {
    Q_OBJECT
public:
    TPerformance(const Model& m, GearCommands& c, QWidget* parent = nullptr);

    QComboBox* notchChoice() const { return notch_; }
    QDoubleSpinBox* pressureBox() const { return pressure_; }
    QDoubleSpinBox* backPressureBox() const { return back_; }
    QDoubleSpinBox* clearanceBox() const { return clearance_; }
    QDoubleSpinBox* speedBox() const { return speed_; }
    QRadioButton* roadSpeedChoice() const { return bySpeed_; }
    QSpinBox* cylindersBox() const { return cylinders_; }
    QLineEdit* targetsBox() const { return targets_; }
    const PerformanceTable& table() const { return table_; }
    // What the boxes say, as the computation takes it.
    PerformanceInputs inputs() const;

public slots:
    // Any box changed: the table is computed again and the picture redrawn.
    void InputsChange();

protected:
    DiagramControls drawDiagram(const Model& m, Canvas& c, bool clearFirst,
                                const UndoLines& undo) override;

private:
    void recompute(const Model& m);
    // The boxes' units follow the design's: suffixes, ranges, and the values
    // (a default becomes the other unit's default, a set value is converted).
    void useUnits(PowerUnits units);
    void fillNotchChoice();

    PowerUnits units_ = PowerUnits::Imperial;
    PerformanceTable table_;
    std::vector<NotchTarget> targetList_;
    QComboBox* notch_ = nullptr;
    QDoubleSpinBox* pressure_ = nullptr;
    QDoubleSpinBox* back_ = nullptr;
    QDoubleSpinBox* clearance_ = nullptr;
    QDoubleSpinBox* speed_ = nullptr;
    QRadioButton* byRpm_ = nullptr;
    QRadioButton* bySpeed_ = nullptr;
    QSpinBox* cylinders_ = nullptr;
    QLineEdit* targets_ = nullptr;
    QLabel* problem_ = nullptr;
    bool filling_ = false;
};

}  // namespace tevrane
