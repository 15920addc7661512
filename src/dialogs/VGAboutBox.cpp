#include "dialogs/VGAboutBox.h"

#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "dialogs/ClassicFont.h"

namespace tevrane {

QStringList TAboutBox::lines() {
    return {
        QStringLiteral("Tevrane Outside Admission   -   Version 2.6"),
        QStringLiteral("A simulator of outside-admission valve gear"),
        QStringLiteral("for steam locomotives: linkage, valve and ports."),
        QStringLiteral("Port events, steam, oval and sine diagrams,"),
        QStringLiteral("dynamic variables with undo, and measuring aids."),
        QStringLiteral("Designs are kept in binary dimension files (.dtv)."),
        QStringLiteral("Written in C++ with the Qt widget toolkit."),
        QStringLiteral("See Help / Instructions for the user's guide."),
    };
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About These Programs"));
    setFont(classic::dialogFont());
    setFixedSize(340, 143);

    const QStringList text = lines();
    for (int i = 0; i < text.size(); ++i) {
        auto* label = new QLabel(text.at(i), this);
        label->setGeometry(10, 3 + 13 * i, 320, 15);
        if (i == 0) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setGeometry(132, 113, 75, 25);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace tevrane
