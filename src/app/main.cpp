#include <QApplication>
#include <QGuiApplication>

#include <iostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "app/CommandLine.h"

int main(int argc, char** argv) {
    if (tevrane::isBatchCommand(argc, argv)) {
        // Batch work draws off screen only, so it runs where no display is.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return tevrane::runBatchCommand(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
    }
    QApplication app(argc, argv);
    return tevrane::runApplication(app);
}
