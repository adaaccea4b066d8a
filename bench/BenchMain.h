#pragma once
// The main of a benchmark program that needs a Qt application: offscreen unless the caller set
// a platform, the application made before the benchmarks run, `prepare` run once with it.
#include <QByteArray>
#include <QtGlobal>
#include <benchmark/benchmark.h>

namespace mt52::bench {

template <typename Application, typename Prepare>
int RunWithApplication(int argc, char** argv, Prepare&& prepare) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    prepare();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

template <typename Application>
int RunWithApplication(int argc, char** argv) {
    return RunWithApplication<Application>(argc, argv, [] {});
}

}  // namespace mt52::bench
