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
#include "platform/ParallelPortLampSwitch.h"
#include "platform/QSettingsStore.h"
#include "sim/runtime/SimulatedReaderBench.h"
#include "windows/views/QtPrompter.h"

#include <QApplication>
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
    if (options.showUsage) {
        std::fputs(gw::ConsoleUsage().c_str(), stdout);
        return 0;
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
    form.attachSequencer(sequencer);
    console.InitMainForm(options, form);
    form.show();
    return QApplication::exec();
}
