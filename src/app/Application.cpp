#include "app/Application.h"

#include <QApplication>

#include "app/Windows.h"
#include "dialogs/QtMessageSink.h"
#include "main/Main.h"
#include "main/core/MainController.h"
#include "model/Model.h"
#include "platform/QtClock.h"
#include "platform/QtSound.h"

namespace tevrane {

int runApplication(QApplication& app) {
    // The one model of the run, handed by reference to every window.
    static Model model;
    static Panel panel;
    MainController controller(model, panel);
    QtSound sound;
    QtClock clock;
    WindowRegistry windows(windowRows());

    // The main window first; its creation initialises the model. The other
    // windows are its children, created once in start order and shown modally.
    TMainForm mainForm(model, panel, controller, windows, sound, clock);
    QtMessageSink messages(&mainForm);
    windows.createAll({model, controller, messages, &mainForm, &windows, &sound, &clock});

    mainForm.windowsCreated();
    mainForm.show();
    // A design named on the command line (as a file manager passes it) opens
    // at start, with the checks and messages of "&OpenDimensions".
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 2) {
        const QString error = mainForm.openDimensionsFile(args.at(1));
        if (!error.isEmpty()) messages.error(error.toStdString());
    }
    return app.exec();
}

}  // namespace tevrane
