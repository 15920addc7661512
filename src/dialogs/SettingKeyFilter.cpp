#include "dialogs/SettingKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>

#include "dialogs/core/SettingLogic.h"

namespace tevrane {

// The character a key press types, or false when it types none.
bool typedCharacter(const QKeyEvent& key, char& typed) {
    switch (key.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: typed = kCarriageReturn; return true;
        case Qt::Key_Backspace: typed = kBackspace; return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Delete: return false;
        default: break;
    }
    const QString text = key.text();
    if (text.isEmpty()) return false;
    const QChar c = text.at(0);
    // Anything outside plain ASCII is no digit, point or minus: refused.
    typed = (text.size() == 1 && c.unicode() < 128) ? static_cast<char>(c.unicode()) : '\0';
    return true;
}

bool SettingKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    auto* edit = qobject_cast<QLineEdit*>(watched);
    char typed = 0;
    if (!edit || !typedCharacter(*static_cast<QKeyEvent*>(event), typed))
        return QObject::eventFilter(watched, event);
    // A refused key is swallowed: the edit box and the dialog never see it.
    return !setting::acceptKey(edit->text().toStdString(), typed, allowMinus_);
}

}  // namespace tevrane
