#include "dialogs/QtMessageSink.h"

#include <QMessageBox>
#include <QString>

namespace tevrane {

void QtMessageSink::error(const std::string& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), QString::fromStdString(text),
                    QMessageBox::Ok, parent_);
    box.exec();
}

}  // namespace tevrane
