#include "tool/ToolCommand.h"

#include "tool/DecodeCommand.h"
#include "tool/ProfileCommand.h"
#include "tool/RunCommand.h"
#include "tool/ScriptCommand.h"
#include "tool/SimCommand.h"
#include "tool/TimebaseCommand.h"

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
         "script check|list|prepare|plan FILE [--profile FILE] [--set NAME=VALUE]...  (scripts; "
         "prepare and plan also [--veltrax] [--today YYYY-MM-DD] "
         "[--answer abort|ignore|ignore-all]; prepare [--trace FILE]; plan [--seed N])",
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
    };
    return commands;
}

namespace {

void printUsage(std::ostream& err) {
    err << "usage: gwtool COMMAND [ARGS...]\n\ncommands:\n";
    for (const ToolCommand& command : toolCommands()) {
        err << "  " << command.usage << '\n';
    }
}

} // namespace

int runTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty()) {
        for (const ToolCommand& command : toolCommands()) {
            if (args.front() == command.name) {
                return command.run({args.begin() + 1, args.end()}, out, err);
            }
        }
        err << "gwtool: unknown command '" << args.front() << "'\n\n";
    }
    printUsage(err);
    return 2;
}

} // namespace gw::tool
