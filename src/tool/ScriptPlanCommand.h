#pragma once

#include "engine/RunPreparer.h"
#include "profile/SystemProfile.h"
#include "profile/TimeBaseCalculator.h"
#include "tool/PrepareAnswerPrompter.h"
#include "tool/ScriptOptions.h"

#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace gw {
struct sc_Script;
}

namespace gw::tool {

// gwtool script plan FILE [--profile P] [--set NAME=VALUE]... [--answer abort|ignore|ignore-all]
//                         [--today YYYY-MM-DD] [--veltrax] [--seed N]
// Prepares the script's run as the console does after "Execute script", with the full check but
// never asking, and prints {"dataFile", "binaryFiles" (with --veltrax), "estimate", "platters"}
// as JSON. Exit 1 with "error: MESSAGE" when the run cannot be prepared, 2 when a warning was
// answered abort.
int runScriptPlan(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// A script compiled, placed and prepared for its run from the command line, as plan and run
// share it.
struct ToolRunPreparation {
    explicit ToolRunPreparation(const ScriptOptions& options, std::ostream& err);

    // Loads, compiles and prepares; the exit status on failure (the reason written to err).
    std::optional<int> prepare(const RunPreparer::StepSink& sink = {});

    const ScriptOptions& options;
    std::ostream& err;
    SystemProfile profile;
    PrepareAnswerPrompter prompter;
    TimeBaseCalculator calculator;
    std::unique_ptr<sc_Script> script;
    PreparedRun run;
};

// Takes "--seed N" into options; no result when arg is another option.
std::optional<std::optional<std::string>>
parseSeedOption(const std::string& arg, const std::string& value, ScriptOptions& options);

// The exit status of a prepared run that failed: 2 when a warning was answered abort, else 1.
inline constexpr int ExitError = 1;
inline constexpr int ExitWarningAborted = 2;

} // namespace gw::tool
