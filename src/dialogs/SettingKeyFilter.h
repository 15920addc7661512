// The key filter of a setting dialog's edit box: every typed character goes
// through setting::acceptKey and is dropped when it is refused. Keys that type
// nothing (arrows, Home, End, Delete) and the dialog keys Tab and Escape pass
// untouched, as they never reach a character filter.
#pragma once

#include <QObject>

class QKeyEvent;

namespace tevrane {

// The character a key press types, or false when it types none (Tab,
// Escape, Delete, cursor keys). Return and Backspace type their control
// characters; a control character such as a paste shortcut, or anything
// outside plain ASCII, types '\0', which every numeric filter refuses.
bool typedCharacter(const QKeyEvent& key, char& typed);

class SettingKeyFilter : public QObject {
public:
    SettingKeyFilter(bool allowMinus, QObject* parent) : QObject(parent), allowMinus_(allowMinus) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool allowMinus_;
};

}  // namespace tevrane
