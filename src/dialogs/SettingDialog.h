// The common shape of the four small setting dialogs: a few fixed texts, one
// borderless edit box after "Enter", and "OK" and "Cancel". "OK" applies the
// typed value and closes; "Cancel" closes and changes nothing. Each time the
// dialog is shown it fills its texts from the model and gives "Cancel" the
// focus, so a stray Return cannot apply anything.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tevrane {

class SettingDialog : public QDialog {
public:
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // Filling the texts when the dialog is shown.
    virtual void FormActivate() = 0;
    // "OK": apply the typed value, then close.
    virtual void OKBtnClick() = 0;
    // "Cancel": close without changing anything.
    void CancelBtnClick();

protected:
    // A dialog of the given client size whose edit box row (the "Enter" text,
    // the edit box and both buttons) stands at entryTop.
    SettingDialog(const QString& caption, int width, int height, int entryTop, bool allowMinus,
                  QWidget* parent);

    QLabel* addLabel(const QString& text, int x, int y);
    // The edit box's text as a number; an empty box reads as 0.
    double typedValue() const;

    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* edit_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

}  // namespace tevrane
