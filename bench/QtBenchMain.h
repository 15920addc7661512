// The main of a benchmark that draws with Qt: text needs a GUI application,
// which runs offscreen unless the environment names another platform.
#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>

inline int runQtBenchmarks(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
