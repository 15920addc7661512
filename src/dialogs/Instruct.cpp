#include "dialogs/Instruct.h"

#include <QLabel>
#include <QPlainTextEdit>

namespace tevrane {

TInst::TInst(MessageSink& messages, QWidget* parent)
    : InstructionWindow(QStringLiteral("Instructions"), QStringLiteral("instruct.doc"), parent) {
    memo_->setGeometry(0, 0, 427, 273);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(16);
    font.setBold(true);
    label_->setFont(font);
    QPalette palette = label_->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    label_->setPalette(palette);
    FormCreate(messages);
}

}  // namespace tevrane
