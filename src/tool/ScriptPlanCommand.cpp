#include "tool/ScriptPlanCommand.h"

#include "engine/CompatibilityFileNames.h"
#include "engine/OperationDescription.h"
#include "engine/OperationTime.h"
#include "profile/ProfileJson.h"
#include "script/OperationPreparer.h"
#include "script/sc_Script.h"
#include "tool/OperationJson.h"
#include "tool/ScriptCommand.h"

#include <charconv>
#include <ostream>

namespace gw::tool {

namespace {

const char* const Usage = "usage: gwtool script plan FILE [--profile P] [--set NAME=VALUE]... "
                          "[--answer abort|ignore|ignore-all]\n"
                          "                          [--today YYYY-MM-DD] [--veltrax] [--seed N]\n";

std::optional<std::optional<std::string>>
parseSeed(const std::string& arg, const std::string& value, ScriptOptions& options) {
    if (arg != "--seed") {
        return std::nullopt;
    }
    std::uint32_t seed = 0;
    const auto result = std::from_chars(value.data(), value.data() + value.size(), seed);
    if (result.ec != std::errc() || result.ptr != value.data() + value.size()) {
        return std::optional<std::string>("--seed needs a whole number, got '" + value + "'");
    }
    options.seed = seed;
    return std::optional<std::string>();
}

std::string stepJson(const RunStep& step, const TDataType& record) {
    return "{\"disk\": " + std::to_string(step.disk->number) +
           ", \"platter\": " + std::to_string(step.platter) +
           ", \"position\": " + std::to_string(step.disk->position) +
           ", \"command\": " + std::to_string(step.command) +
           ", \"kind\": " + std::to_string(int(record.Kind)) +
           ", \"description\": " + JsonText(DescribeOperation(record)) +
           ", \"estimatedTime\": " + JsonNumber(EstimatedTime(record)) + "}";
}

} // namespace

std::optional<std::optional<std::string>>
parseSeedOption(const std::string& arg, const std::string& value, ScriptOptions& options) {
    return parseSeed(arg, value, options);
}

ToolRunPreparation::ToolRunPreparation(const ScriptOptions& runOptions, std::ostream& errors)
    : options(runOptions), err(errors), prompter(runOptions.answers, runOptions.answer, errors) {}

std::optional<int> ToolRunPreparation::prepare(const RunPreparer::StepSink& sink) {
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "error: cannot read " << options.file << '\n';
        return ExitError;
    }
    const std::optional<SystemProfile> loaded = loadScriptProfile(options.profilePath, err);
    if (!loaded) {
        return ExitError;
    }
    profile = *loaded;
    script = compileScriptFile(options.file, *text, profile, prompter, err);
    if (!script) {
        return prompter.Aborted() ? ExitWarningAborted : ExitError;
    }
    PreparationContext context{prompter, calculator, profile, options.veltrax,
                               options.today.value_or(TodayLocal())};
    RunPreparer preparer(*script, context);
    if (options.seed) {
        preparer.setSeed(*options.seed);
    }
    preparer.setStepSink(sink);
    run = preparer.PrepareRun();
    if (!run.ok) {
        if (!run.message.empty()) {
            err << "error: " << run.message << '\n';
        }
        return run.aborted || prompter.Aborted() ? ExitWarningAborted : ExitError;
    }
    return std::nullopt;
}

int runScriptPlan(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    ScriptOptions options;
    const auto problem = parseScriptOptions(
        args, options, {}, [&options](const std::string& arg, const std::string& value) {
            return parseSeed(arg, value, options);
        });
    if (problem) {
        err << "gwtool script plan: " << *problem << "\n\n" << Usage;
        return ExitError;
    }
    ToolRunPreparation preparation(options, err);
    std::vector<std::string> platters;
    const auto failed = preparation.prepare(
        [&platters](std::size_t platter, const RunStep& step, const TDataType& record) {
            if (platter >= platters.size()) {
                platters.emplace_back();
            }
            platters[platter] +=
                (platters[platter].empty() ? "\n   " : ",\n   ") + stepJson(step, record);
        });
    if (failed) {
        return *failed;
    }
    const PreparedRun& run = preparation.run;
    std::string json = "{\"dataFile\": " + JsonText(run.dataFile);
    if (options.veltrax) {
        const std::vector<std::string> existing = ExistingCompatibilityFiles(run.dataFile);
        if (!existing.empty()) {
            err << "error: binary data file " << existing.front() << " already exists\n";
            return ExitError;
        }
        json += ", \"binaryFiles\": [";
        const std::vector<std::string> names = BinaryFileNames(run.dataFile, 1);
        for (std::size_t i = 0; i < names.size(); ++i) {
            json += (i == 0 ? "" : ", ") + JsonText(names[i]);
        }
        json += "]";
    }
    json += ", \"estimate\": " + JsonNumber(run.estimate) + ", \"platters\": [";
    for (std::size_t i = 0; i < platters.size(); ++i) {
        json += (i == 0 ? "\n  [" : ",\n  [") + platters[i] + "]";
    }
    out << json << (platters.empty() ? "" : "\n") << "]}\n";
    return 0;
}

} // namespace gw::tool
