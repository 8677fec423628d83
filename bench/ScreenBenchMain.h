#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

namespace gw::bench {

// The main of a benchmark that draws windows: on the offscreen platform, inside a QApplication.
inline int RunWithWindows(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace gw::bench
