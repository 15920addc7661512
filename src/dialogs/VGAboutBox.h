// "About These Programs": what the simulator is, its version and its origin.
#pragma once

#include <QDialog>
#include <QStringList>

namespace tevrane {

class TAboutBox : public QDialog {
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    // The eight lines of the box, top to bottom.
    static QStringList lines();
};

}  // namespace tevrane
