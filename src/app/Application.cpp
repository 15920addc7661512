#include "app/Application.h"

#include <QApplication>

#include "app/Windows.h"
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
    Windows windows;

    // The main window first; its creation initialises the model.
    TMainForm mainForm(model, panel, controller, windows, sound, clock);

    mainForm.windowsCreated();
    mainForm.show();
    return app.exec();
}

}  // namespace tevrane
