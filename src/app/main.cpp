#include "GwVersion.h"
#include "app/views/ConsoleWindows.h"
#include "app/views/TConsoleForm.h"
#include "console/ConsoleOptions.h"
#include "console/ConsoleSettings.h"
#include "console/LogFileSink.h"
#include "console/runtime/Console.h"
#include "console/runtime/LocaleLogClock.h"
#include "core/TimeScale.h"
#include "engine/runtime/LocaleDataFileFormat.h"
#include "engine/runtime/MeasurementEngine.h"
#include "engine/runtime/OperationSequencer.h"
#include "engine/runtime/ScriptRunner.h"
#include "platform/ParallelPortLampSwitch.h"
#include "platform/QSettingsStore.h"
#include "sim/runtime/SimulatedReaderBench.h"
#include "windows/views/QtPrompter.h"

#include <QApplication>
#include <QDateTime>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

// The command line as Qt leaves it (its own options taken out), without the program name.
std::vector<std::string> programArguments() {
    std::vector<std::string> arguments;
    const QStringList all = QCoreApplication::arguments();
    for (qsizetype i = 1; i < all.size(); ++i) {
        arguments.push_back(all[i].toStdString());
    }
    return arguments;
}

} // namespace

int main(int argc, char** argv) {
    // --version and --help answer without a display, before Qt's application is made.
    const gw::ConsoleOptions early =
        gw::ParseConsoleOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (early.error.empty() && early.showVersion) {
        std::printf("gwconsole %s\n", GW_VERSION_TEXT);
        return 0;
    }
    if (early.error.empty() && early.showUsage) {
        std::fputs(gw::ConsoleUsage().c_str(), stdout);
        return 0;
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Ostvane"));
    QApplication::setApplicationName(QString::fromLatin1(gw::ConsoleSettings::ApplicationTitle));

    const gw::ConsoleOptions options = gw::ParseConsoleOptions(programArguments());
    if (!options.error.empty()) {
        std::fprintf(stderr, "gwconsole: %s\n%s", options.error.c_str(),
                     gw::ConsoleUsage().c_str());
        return 2;
    }
    for (const std::string& parameter : options.ignoredParameters) {
        std::fprintf(stderr, "gwconsole: unknown parameter %s ignored\n", parameter.c_str());
    }
    gw::TimeScale::SetFactor(options.timeScale);
    // The port name "sim" reaches the simulated reader, at the console's time scale.
    gw::SimulatedReaderBench::install();

    const auto settingsStore = gw::QSettingsStore::ForCurrentUser();
    gw::QtPrompter prompter;
    gw::LocaleLogClock clock;
    gw::DiskLogFileSink logFile;
    gw::Console console(*settingsStore, prompter, clock, logFile);
    // The measurement engine follows every decoded status reply; the halogen lamp is switched
    // where the machine's I/O ports can be reached.
    const std::unique_ptr<gw::LampSwitch> lampSwitch = gw::ParallelPortLampSwitch::Create();
    gw::MeasurementEngine engine(console, *lampSwitch);
    // Single measurements from the take-data dialog, their records in the locale's formats.
    gw::OperationSequencer sequencer(console, engine, gw::LocaleDataFileFormat());

    gw::ConsoleWindows windows(console);
    gw::TConsoleForm& form = windows.consoleForm();
    prompter.setParentWidget(&form);
    form.attachEngine(engine);
    windows.attachSequencer(sequencer, engine);
    // Script runs write through the same record keeper as single measurements.
    gw::ScriptRunner runner(console, engine, sequencer.records(), gw::LocaleDataFileFormat());
    form.attachScriptRunner(runner);
    console.InitMainForm(options, form);
    form.show();
    if (qEnvironmentVariableIsSet("GW_REPORT_SHOWN")) {
        // For scripts/measure-start: the wall clock once the first events after show() are done.
        QTimer::singleShot(0, [] {
            std::printf("shown %lld\n",
                        static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
            std::fflush(stdout);
        });
    }
    return QApplication::exec();
}
