#include "tool/WorksheetCommand.h"

#include "script/runtime/TemplateWorksheet.h"
#include "script/sc_Script.h"
#include "tool/PrepareAnswerPrompter.h"
#include "tool/ScriptCommand.h"
#include "tool/ScriptOptions.h"
#include "tool/ScriptPrepareCommand.h"

#include <map>
#include <optional>
#include <ostream>

namespace gw::tool {

namespace {

constexpr int Failed = 1;
constexpr int BadUsage = 2;

const char* const Usage =
    "usage: gwtool worksheet FILE [--template INI] [--profile P] [--set NAME=VALUE]...\n"
    "                        [--answer abort|ignore|ignore-all] [--today YYYY-MM-DD] -o OUT.rtf\n";

struct Options {
    std::string file;
    std::string templateFile;
    std::string profilePath;
    std::map<std::string, double> answers;
    WarningResult answer = WarningResult::Abort;
    std::optional<CivilDate> today;
    std::string output;
};

std::optional<std::string> parseOption(const std::string& option, const std::string& value,
                                       Options& options) {
    if (option == "--template") {
        options.templateFile = value;
    } else if (option == "--profile") {
        options.profilePath = value;
    } else if (option == "-o") {
        options.output = value;
    } else if (option == "--set") {
        return addVariableAnswer(value, options.answers);
    } else if (option == "--answer") {
        const auto answer = parseAnswer(value);
        if (!answer) {
            return "--answer takes abort, ignore or ignore-all, got '" + value + "'";
        }
        options.answer = *answer;
    } else if (option == "--today") {
        options.today = parseDate(value);
        if (!options.today) {
            return "--today needs YYYY-MM-DD, got '" + value + "'";
        }
    } else {
        return "unexpected argument '" + option + "'";
    }
    return std::nullopt;
}

std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    if (args.empty() || args[0].starts_with("-")) {
        return "expected a FILE";
    }
    options.file = args[0];
    for (std::size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) {
            return "'" + args[i] + "' needs a value";
        }
        if (auto problem = parseOption(args[i], args[i + 1], options)) {
            return problem;
        }
    }
    if (options.output.empty()) {
        return "expected -o OUT.rtf";
    }
    return std::nullopt;
}

} // namespace

int runWorksheetCommand(const std::vector<std::string>& args, std::ostream&, std::ostream& err) {
    Options options;
    if (const auto problem = parseOptions(args, options)) {
        err << "gwtool worksheet: " << *problem << "\n\n" << Usage;
        return BadUsage;
    }
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "error: cannot read " << options.file << '\n';
        return Failed;
    }
    const std::optional<SystemProfile> profile = loadScriptProfile(options.profilePath, err);
    if (!profile) {
        return BadUsage;
    }
    PrepareAnswerPrompter prompter(options.answers, options.answer, err);
    const auto script = compileScriptFile(options.file, *text, *profile, prompter, err);
    if (!script) {
        return Failed;
    }
    WorksheetOrder order;
    order.scriptFileName = options.file;
    order.sampleName = script->sampleText;
    order.worksheetFile = options.output;
    if (!options.templateFile.empty()) {
        order.templateFile = options.templateFile;
    }
    order.today = options.today.value_or(TodayLocal());
    if (const std::string problem = WriteTemplateWorksheet(*script, order, prompter);
        !problem.empty()) {
        err << "error: " << problem << '\n';
        return Failed;
    }
    return 0;
}

} // namespace gw::tool
