// "Draw Lines": the lines and circles overlay. Three radio groups choose an
// item's type, colour and what it is tied to; 20 row panels list the items,
// the current one aqua. The behaviour is the Qt-free DrawLinesLogic; this
// window turns control events into its handlers and mirrors its view (and
// the choices it keeps in the model) into the widgets afterwards.
#pragma once

#include <QDialog>

#include <array>
#include <string>

#include "dialogs/core/DrawLines.h"

class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tevrane {

class TDrawLines : public QDialog {
    Q_OBJECT
public:
    // The window reads the model; its handlers write only the overlay.
    TDrawLines(const Model& m, Overlay& overlay, SoundPlayer& sound, QWidget* parent = nullptr);
    ~TDrawLines() override;

    // ---- controls, for the tests ----------------------------------------------
    QRadioButton* typeButton(int i) const { return typeButtons_[static_cast<size_t>(i)]; }
    QRadioButton* colourButton(int i) const { return colourButtons_[static_cast<size_t>(i)]; }
    QRadioButton* refButton(int i) const { return refButtons_[static_cast<size_t>(i)]; }
    QGroupBox* typeGroup() const { return typeBox_; }
    QGroupBox* colourGroup() const { return colourBox_; }
    QGroupBox* refGroup() const { return refBox_; }
    QPushButton* drawCloseButton() const { return drawClose_; }
    QPushButton* clearLineButton() const { return clearLine_; }
    QPushButton* closeButton() const { return close_; }
    // Row r (1..20): its panel, item-number label, three labels and boxes.
    QFrame* rowPanel(int r) const { return rows_[static_cast<size_t>(r)].panel; }
    QLabel* itemLabel(int r) const { return rows_[static_cast<size_t>(r)].number; }
    QLabel* typeLabel(int r) const { return rows_[static_cast<size_t>(r)].type; }
    QLabel* colourLabel(int r) const { return rows_[static_cast<size_t>(r)].colour; }
    QLabel* refLabel(int r) const { return rows_[static_cast<size_t>(r)].ref; }
    QLineEdit* box(int r, int column) const {
        return rows_[static_cast<size_t>(r)].box[static_cast<size_t>(column)];
    }
    const drawlines::DrawLinesLogic& logic() const { return logic_; }

    // ---- handlers ------------------------------------------------------------------
    void FormActivate();
    void LinesDataClick();
    // Before the dimension file's dialog: the value labels are emptied.
    void clearValueLabels();

    // The window frame's close button ends like "Close".
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    struct Row {
        QFrame* panel = nullptr;
        QLabel* number = nullptr;
        QLabel* type = nullptr;
        QLabel* colour = nullptr;
        QLabel* ref = nullptr;
        std::array<QLineEdit*, 4> box{};
        std::array<std::string, 4> shown;  // the box texts last taken from the logic
    };

    void layoutControls(float sx, float sy);
    // Mirrors the logic's view and the model's choices into the widgets, then
    // closes the window if the handler asked for it.
    void sync();
    // Row and column of an edit box, or false.
    bool findBox(const QObject* o, int& r, int& column) const;
    void leaveBoxBeingEdited();

    const Model& m_;
    drawlines::DrawLinesLogic logic_;

    QGroupBox* typeBox_ = nullptr;
    QGroupBox* colourBox_ = nullptr;
    QGroupBox* refBox_ = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    QButtonGroup* colourGroup_ = nullptr;
    QButtonGroup* refGroup_ = nullptr;
    std::array<QRadioButton*, 2> typeButtons_{};
    std::array<QRadioButton*, drawlines::kColours> colourButtons_{};
    std::array<QRadioButton*, drawlines::kModes> refButtons_{};
    QPushButton* drawClose_ = nullptr;
    QPushButton* clearLine_ = nullptr;
    QPushButton* close_ = nullptr;
    QPushButton* linesData_ = nullptr;  // invisible: carries the table rebuild
    std::array<QLabel*, 6> headings_{};
    std::array<Row, drawlines::kRows + 1> rows_{};  // 1..20
    float scaleX_ = 0.0f, scaleY_ = 0.0f;  // the font scale the controls are laid out for
};

}  // namespace tevrane
