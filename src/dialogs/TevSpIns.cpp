#include "dialogs/TevSpIns.h"

#include <QPlainTextEdit>

namespace tevrane {

TTevSpInst::TTevSpInst(MessageSink& messages, QWidget* parent)
    : InstructionWindow(QStringLiteral("Tevrane Special Instructions"),
                        QStringLiteral("TevSpIns.doc"), parent) {
    // A little wider than the window: the right edge of the area is cut off.
    memo_->setGeometry(0, 0, 435, 273);
    FormCreate(messages);
}

}  // namespace tevrane
