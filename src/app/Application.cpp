#include "app/Application.h"

#include <QApplication>

#include "app/Windows.h"
#include "diagrams/Ports.h"
#include "diagrams/SetReverArm.h"
#include "dialogs/CylinOut.h"
#include "dialogs/DrvAng.h"
#include "dialogs/GraphicZoom.h"
#include "dialogs/Instruct.h"
#include "dialogs/QtMessageSink.h"
#include "dialogs/ReverPos.h"
#include "dialogs/StepAngle.h"
#include "dialogs/TevFrame.h"
#include "dialogs/TevSpIns.h"
#include "dialogs/VGAboutBox.h"
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
    Windows w;

    // The main window first; its creation initialises the model. The other
    // windows are its children, created once in start order and shown modally.
    TMainForm mainForm(model, panel, controller, w, sound, clock);
    QtMessageSink messages(&mainForm);
    w.drivAng = new TDrivAng(model, controller, &mainForm);
    w.portDia = new TPortDia(model, controller, &mainForm);
    w.revPos = new TRevPos(model, controller, &mainForm);
    w.setRevArm = new TSetRevArm(model, &mainForm);
    w.stpAng = new TStpAng(model, controller, &mainForm);
    w.aboutBox = new TAboutBox(&mainForm);
    // The instruction windows load their files now; a failure is shown once.
    w.inst = new TInst(messages, &mainForm);
    w.tevSpInst = new TTevSpInst(messages, &mainForm);
    w.frameDi = new TFrameDi(model, controller, &mainForm);
    w.cylDimen = new TCylDimen(model, controller, &mainForm);
    w.graphZoom = new TGraphZoom(model, &mainForm);

    mainForm.windowsCreated();
    mainForm.show();
    return app.exec();
}

}  // namespace tevrane
