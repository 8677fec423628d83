#include "tool/ScriptStepsCommand.h"

#include "engine/CompatibilityWriter.h"
#include "engine/TDataType.h"
#include "profile/TimeBaseCalculator.h"
#include "script/OperationPreparer.h"
#include "script/StepRecordBuilder.h"
#include "script/sc_Script.h"
#include "tool/PrepareAnswerPrompter.h"
#include "tool/ScriptCommand.h"
#include "tool/ScriptOptions.h"
#include "tool/StepRecordJson.h"

#include <optional>
#include <ostream>

namespace gw::tool {

namespace {

constexpr int StepFailed = 1;
constexpr int BadUsage = 2;

const char* const Usage = "usage: gwtool script steps FILE [--profile P] [--set NAME=VALUE]... "
                          "[--today YYYY-MM-DD] --json\n";

// The shared script options with --json, which steps needs.
std::optional<std::string> parseOptions(const std::vector<std::string>& args,
                                        ScriptOptions& options) {
    std::vector<std::string> flags;
    if (auto problem = parseScriptOptions(args, options, {"--json"}, {}, &flags)) {
        return problem;
    }
    if (flags.empty()) {
        return "steps prints JSON: add --json";
    }
    return std::nullopt;
}

// Walks one disk as a run does; the steps' JSON objects, or the failure on err.
struct DiskWalk {
    sc_Script& script;
    PreparationContext& preparation;
    StepRecordContext& records;
    std::ostream& err;
    const std::string& file;

    std::optional<std::string> Steps(sc_Item& disk) {
        RestartStepRecords(disk);
        bool ignoreAll = true; // the run passes its warnings by, as it has ignored them before
        std::string json;
        TDataType operation;
        while (disk.runCursor != disk.commands.End()) {
            const PreparationResult prepared =
                PrepareNextOperation(script, disk, operation, ignoreAll, preparation);
            if (!prepared.ok) {
                err << file << ": disk " << disk.number << ": the step cannot be prepared"
                    << (prepared.message.empty() ? "" : ": " + prepared.message) << '\n';
                return std::nullopt;
            }
            if (!CompatibilityWriter::WritesRecord(operation)) {
                continue;
            }
            StepRecord record;
            if (!BuildStepRecord(script, disk, record, ignoreAll, records)) {
                err << file << ": disk " << disk.number << ": no step record\n";
                return std::nullopt;
            }
            json += (json.empty() ? "\n    " : ",\n    ") + StepRecordToJson(record);
        }
        return json;
    }
};

} // namespace

int runScriptSteps(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ScriptOptions options;
    if (const auto problem = parseOptions(args, options)) {
        err << "gwtool script steps: " << *problem << "\n\n" << Usage;
        return BadUsage;
    }
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "gwtool script steps: cannot read " << options.file << '\n';
        return BadUsage;
    }
    const std::optional<SystemProfile> profile = loadScriptProfile(options.profilePath, err);
    if (!profile) {
        return BadUsage;
    }
    PrepareAnswerPrompter prompter(options.answers, WarningResult::IgnoreAll, err);
    const auto script = compileScriptFile(options.file, *text, *profile, prompter, err);
    if (!script) {
        return StepFailed;
    }
    const CivilDate today = options.today.value_or(TodayLocal());
    TimeBaseCalculator calculator;
    PreparationContext preparation{prompter, calculator, *profile, true, today};
    StepRecordContext records{prompter, today};
    DiskWalk walk{*script, preparation, records, err, options.file};
    std::string json = "{\"disks\": [";
    bool firstDisk = true;
    for (sc_Item& disk : script->Disks().disks) {
        const std::optional<std::string> steps = walk.Steps(disk);
        if (!steps) {
            return StepFailed;
        }
        json += std::string(firstDisk ? "\n  " : ",\n  ") +
                "{\"number\": " + std::to_string(disk.number) + ", \"steps\": [" + *steps +
                (steps->empty() ? "]}" : "\n  ]}");
        firstDisk = false;
    }
    out << json << (firstDisk ? "" : "\n") << "]}\n";
    return 0;
}

} // namespace gw::tool
