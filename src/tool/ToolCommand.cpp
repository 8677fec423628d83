#include "tool/ToolCommand.h"

#include "GwVersion.h"
#include "tool/DataCommand.h"
#include "tool/DecodeCommand.h"
#include "tool/ProfileCommand.h"
#include "tool/RunCommand.h"
#include "tool/ScriptCommand.h"
#include "tool/SimCommand.h"
#include "tool/TakeCommand.h"
#include "tool/TimebaseCommand.h"
#include "tool/WorksheetCommand.h"

#include <algorithm>
#include <ostream>

namespace gw::tool {

// Each subcommand adds its own line here.
const std::vector<ToolCommand>& toolCommands() {
    static const std::vector<ToolCommand> commands = {
        {"profile", "profile show|list|new|set|select|convert FILE ...  (profile files)",
         runProfileCommand},
        {"timebase",
         "timebase osl LUM BLEACH BGD [--veltrax] [--system 0|1] | timebase lm|vm MAXPOWER TIME",
         runTimebaseCommand},
        {"script",
         "script check|list|prepare|plan|steps FILE [--profile FILE] [--set NAME=VALUE]...  "
         "(scripts; prepare and plan also [--veltrax] [--today YYYY-MM-DD] "
         "[--answer abort|ignore|ignore-all]; prepare [--trace FILE]; plan [--seed N]; "
         "steps [--today YYYY-MM-DD] --json)",
         runScriptCommand},
        {"sim",
         "sim [--system 3400|3500|3550|6600] [--eight-bit] [--channels N] [--scanner] "
         "[--time-scale F] [--lost-points S] [--garbled S] [--line-errors S] [--error-bits HEX] "
         "[--silent-scanner] [--seed N] [--duration S]  (simulated reader on pseudo-terminals)",
         runSimCommand},
        {"decode",
         "decode [--system 0..4] [--channels 1..4] [--correct] [--short] [--json] LINE... | "
         "decode --log FILE [--csv]  (status replies, console logs)",
         runDecodeCommand},
        {"run",
         "run FILE [--profile P] [--port sim|DEVICE] [--channels N] [--time-scale F] [--veltrax] "
         "[--set NAME=VALUE]... [--answer abort|ignore|ignore-all] [--today YYYY-MM-DD] "
         "[--existing append|overwrite|abort] [--platter-change ok|cancel] [--seed N] "
         "[--events FILE|-]  (runs a script unattended)",
         runRunCommand},
        {"take",
         "take tl|osl|mosl|irrad --data-file F [--port sim|DEVICE] [--channels N] [--profile P] "
         "[--time-scale F] [--disk N] [--to-disk M] [--holes N,M,...|--all-holes] [--info TEXT] "
         "[--hv yes|no|cancel] [NAME=VALUE]...  (single measurements; --help lists the names)",
         runTakeCommand, true},
        {"worksheet",
         "worksheet FILE [--template INI] [--profile P] [--set NAME=VALUE]... [--answer "
         "abort|ignore|ignore-all] [--today YYYY-MM-DD] -o OUT.rtf  (worksheets of templates)",
         runWorksheetCommand},
        {"data",
         "data show FILE [--json] [--record N] | data export FILE --csv [--record N]...  (data "
         "files)",
         runDataCommand},
    };
    return commands;
}

namespace {

void printUsage(std::ostream& stream) {
    stream << "usage: gwtool COMMAND [ARGS...]\n       gwtool help COMMAND | COMMAND --help\n"
              "       gwtool --version\n\ncommands:\n";
    for (const ToolCommand& command : toolCommands()) {
        stream << "  " << command.usage << '\n';
    }
}

const ToolCommand* findCommand(const std::string& name) {
    for (const ToolCommand& command : toolCommands()) {
        if (name == command.name) {
            return &command;
        }
    }
    return nullptr;
}

// "gwtool help [COMMAND]": the usage of one subcommand on standard output, or the whole list.
int printHelp(const std::vector<std::string>& names, std::ostream& out, std::ostream& err) {
    if (names.empty()) {
        printUsage(out);
        return 0;
    }
    const ToolCommand* command = findCommand(names.front());
    if (command == nullptr) {
        err << "gwtool: unknown command '" << names.front() << "'\n\n";
        printUsage(err);
        return 2;
    }
    if (command->ownsHelp) {
        return command->run({"--help"}, out, err);
    }
    out << "usage: gwtool " << command->usage << '\n';
    return 0;
}

bool asksForHelp(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return 2;
    }
    const std::string& first = args.front();
    if (first == "--version") {
        out << "gwtool " << GW_VERSION_TEXT << '\n';
        return 0;
    }
    if (first == "help" || asksForHelp(first)) {
        return printHelp({args.begin() + 1, args.end()}, out, err);
    }
    const ToolCommand* command = findCommand(first);
    if (command == nullptr) {
        err << "gwtool: unknown command '" << first << "'\n\n";
        printUsage(err);
        return 2;
    }
    if (!command->ownsHelp && std::find(args.begin() + 1, args.end(), "--help") != args.end()) {
        return printHelp({first}, out, err);
    }
    return command->run({args.begin() + 1, args.end()}, out, err);
}

} // namespace gw::tool
