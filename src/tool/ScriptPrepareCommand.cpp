#include "tool/ScriptPrepareCommand.h"

#include "engine/TDataType.h"
#include "profile/ProfileJson.h"
#include "profile/TimeBaseCalculator.h"
#include "script/DiskExpander.h"
#include "script/OperationPreparer.h"
#include "script/sc_Script.h"
#include "tool/OperationJson.h"
#include "tool/PrepareAnswerPrompter.h"
#include "tool/ScriptCommand.h"
#include "tool/ScriptOptions.h"

#include <optional>
#include <ostream>

namespace gw::tool {

namespace {

constexpr int StepFailed = 1;
constexpr int Stopped = 2;

const char* const Usage =
    "usage: gwtool script prepare FILE [--profile P] [--veltrax] [--today YYYY-MM-DD]\n"
    "                             [--set NAME=VALUE]... [--answer abort|ignore|ignore-all]\n"
    "                             [--trace FILE]\n";

struct Options : ScriptOptions {
    std::string traceFile;
};

int usageError(std::ostream& err, const std::string& problem) {
    err << "gwtool script prepare: " << problem << "\n\n" << Usage;
    return Stopped;
}

std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    return parseScriptOptions(args, options, {},
                              [&options](const std::string& arg, const std::string& value)
                                  -> std::optional<std::optional<std::string>> {
                                  if (arg != "--trace") {
                                      return std::nullopt;
                                  }
                                  options.traceFile = value;
                                  return std::optional<std::string>();
                              });
}

std::string diskHead(const sc_Item& disk) {
    return "{\"number\": " + std::to_string(disk.number) +
           ", \"platter\": " + std::to_string(disk.platter) +
           ", \"position\": " + std::to_string(disk.position) +
           ", \"label\": " + JsonText(disk.label) + ", \"operations\": [";
}

} // namespace

int runScriptPrepare(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options options;
    if (const auto problem = parseOptions(args, options)) {
        return usageError(err, *problem);
    }
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "gwtool script prepare: cannot read " << options.file << '\n';
        return Stopped;
    }
    const std::optional<SystemProfile> profile = loadScriptProfile(options.profilePath, err);
    if (!profile) {
        return Stopped;
    }
    PrepareAnswerPrompter prompter(options.answers, options.answer, err);
    DiskPlacementTrace trace;
    trace.file = options.traceFile;
    auto script = compileScriptFile(options.file, *text, *profile, prompter, err,
                                    options.traceFile.empty() ? nullptr : &trace);
    if (!script) {
        return prompter.Aborted() ? Stopped : StepFailed;
    }
    if (!trace.error.empty()) {
        err << "gwtool script prepare: " << trace.error << '\n';
    }

    TimeBaseCalculator calculator;
    PreparationContext context{prompter, calculator, *profile, options.veltrax,
                               options.today.value_or(TodayLocal())};
    bool ignoreAll = false;
    std::string json = "{\"disks\": [";
    bool firstDisk = true;
    for (sc_Item& disk : script->Disks().disks) {
        json += (firstDisk ? "\n  " : ",\n  ") + diskHead(disk);
        firstDisk = false;
        bool firstOperation = true;
        TDataType operation;
        while (disk.runCursor != disk.commands.End()) {
            const PreparationResult result =
                PrepareNextOperation(*script, disk, operation, ignoreAll, context);
            if (!result.ok) {
                err << options.file << ": disk " << disk.number << ": preparation stopped\n";
                return result.message.empty() || prompter.Aborted() ? Stopped : StepFailed;
            }
            json += (firstOperation ? "\n    " : ",\n    ") + OperationToJson(operation);
            firstOperation = false;
        }
        json += firstOperation ? "]}" : "\n  ]}";
    }
    json += std::string(firstDisk ? "" : "\n") +
            "], \"commandFlags\": " + std::to_string(script->commandFlags) + "}\n";
    out << json;
    return 0;
}

} // namespace gw::tool
