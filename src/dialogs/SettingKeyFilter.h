// The key filter of a setting dialog's edit box: every typed character goes
// through setting::acceptKey and is dropped when it is refused. Keys that type
// nothing (arrows, Home, End, Delete) and the dialog keys Tab and Escape pass
// untouched, as they never reach a character filter.
#pragma once

#include <QObject>

namespace tevrane {

class SettingKeyFilter : public QObject {
public:
    SettingKeyFilter(bool allowMinus, QObject* parent) : QObject(parent), allowMinus_(allowMinus) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool allowMinus_;
};

}  // namespace tevrane
