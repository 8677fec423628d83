#include "tool/ScriptCommand.h"

#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileFile.h"
#include "script/DiskExpander.h"
#include "script/LastLinePosition.h"
#include "script/ScriptCompiler.h"
#include "script/ScriptListings.h"
#include "script/ScriptNumbers.h"
#include "script/sc_Script.h"
#include "tool/ScriptPlanCommand.h"
#include "tool/ScriptPrepareCommand.h"
#include "tool/VariableAnswerPrompter.h"

#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <sstream>

namespace gw::tool {

namespace {

constexpr int ScriptFailed = 1;
constexpr int BadUsage = 2;

const char* const Usage =
    "usage: gwtool script check FILE [--profile TLInfo.dta] [--set NAME=VALUE]...\n"
    "       gwtool script list FILE --disks|--variables|--sequences|--lists [--profile ...] "
    "[--set ...]\n"
    "       gwtool script prepare FILE [--profile P] [--veltrax] [--today YYYY-MM-DD] "
    "[--set NAME=VALUE]... [--answer abort|ignore|ignore-all] [--trace FILE]\n"
    "       gwtool script plan FILE [--profile P] [--set NAME=VALUE]... "
    "[--answer abort|ignore|ignore-all] [--today YYYY-MM-DD] [--veltrax] [--seed N]\n";

struct Options {
    std::string action;
    std::string file;
    std::string profilePath;
    std::string listing;
    std::map<std::string, double> answers;
};

int usageError(std::ostream& err, const std::string& problem) {
    err << "gwtool script: " << problem << "\n\n" << Usage;
    return BadUsage;
}

// Parses the arguments; returns the problem text when they do not make sense.
std::optional<std::string> parseOptions(const std::vector<std::string>& args, Options& options) {
    if (args.size() < 2) {
        return "expected an action and a FILE";
    }
    options.action = args[0];
    options.file = args[1];
    if (options.action != "check" && options.action != "list") {
        return "unknown action '" + options.action + "'";
    }
    for (std::size_t i = 2; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--disks" || arg == "--variables" || arg == "--sequences" || arg == "--lists") {
            if (options.action != "list" || !options.listing.empty()) {
                return "'" + arg + "' needs 'list' and goes alone";
            }
            options.listing = arg;
        } else if ((arg == "--profile" || arg == "--set") && i + 1 < args.size()) {
            const std::string& value = args[++i];
            if (arg == "--profile") {
                options.profilePath = value;
                continue;
            }
            if (auto problem = addVariableAnswer(value, options.answers)) {
                return problem;
            }
        } else {
            return "unexpected argument '" + arg + "'";
        }
    }
    if (options.action == "list" && options.listing.empty()) {
        return "list needs --disks, --variables, --sequences or --lists";
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> addVariableAnswer(const std::string& setting,
                                             std::map<std::string, double>& answers) {
    const std::size_t equals = setting.find('=');
    const auto number = equals == std::string::npos
                            ? std::nullopt
                            : ParseScriptReal(std::string_view(setting).substr(equals + 1));
    if (equals == 0 || !number) {
        return "--set needs NAME=NUMBER, got '" + setting + "'";
    }
    answers[setting.substr(0, equals)] = *number;
    return std::nullopt;
}

std::optional<std::string> readScriptFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::optional<SystemProfile> loadScriptProfile(const std::string& path, std::ostream& err) {
    if (path.empty()) {
        return DefaultProfile(4);
    }
    ScriptedPrompter prompter;
    MemorySettingsStore settings;
    ProfileContext context{prompter, settings};
    ProfileState state;
    const ProfileLoadResult result = LoadProfile(path, state, context);
    if (!result.ok) {
        err << "gwtool script: profile " << path << ": " << result.error << '\n';
        return std::nullopt;
    }
    return state.Profile;
}

std::unique_ptr<sc_Script> compileScriptFile(const std::string& file, const std::string& text,
                                             const SystemProfile& profile, Prompter& prompter,
                                             std::ostream& err, DiskPlacementTrace* trace) {
    auto script = CreateScript(text, file, profile);
    LastLinePosition position;
    script->text.SetPositionSink(&position);
    CompileScript(*script, prompter);
    if (script->error) {
        err << file << ':' << LastLinePosition::LineNumberAt(text, position.Offset())
            << ": error:" << script->errorMessage << '\n';
        return nullptr;
    }
    script->text.SetPositionSink(nullptr);
    ExpandDisks(*script, prompter, trace);
    if (script->error) {
        err << file << ": error: too few positions in POSITIONS, placement aborted\n";
        return nullptr;
    }
    return script;
}

namespace {

std::string plural(std::size_t count, const std::string& noun) {
    return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

std::string summary(const sc_Script& script) {
    return plural(script.Disks().disks.Size(), "disk") + ", " +
           plural(script.sequences.Size(), "sequence") + ", " +
           plural(script.variables.Size(), "variable") + ", " +
           plural(script.lists.Size() - 1, "list");
}

std::string listing(const sc_Script& script, const std::string& which) {
    if (which == "--disks") {
        return ListDisks(script);
    }
    if (which == "--variables") {
        return ListVariables(script);
    }
    if (which == "--sequences") {
        return ListSequences(script);
    }
    return ListLists(script);
}

} // namespace

int runScriptCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args.front() == "prepare") {
        return runScriptPrepare({args.begin() + 1, args.end()}, out, err);
    }
    if (!args.empty() && args.front() == "plan") {
        return runScriptPlan({args.begin() + 1, args.end()}, out, err);
    }
    Options options;
    if (const auto problem = parseOptions(args, options)) {
        return usageError(err, *problem);
    }
    const std::optional<std::string> text = readScriptFile(options.file);
    if (!text) {
        err << "gwtool script: cannot read " << options.file << '\n';
        return BadUsage;
    }
    const std::optional<SystemProfile> profile = loadScriptProfile(options.profilePath, err);
    if (!profile) {
        return BadUsage;
    }
    VariableAnswerPrompter prompter(options.answers);
    const auto script = compileScriptFile(options.file, *text, *profile, prompter, err);
    if (!script) {
        return ScriptFailed;
    }
    if (options.action == "check") {
        out << options.file << ": " << summary(*script) << '\n';
        for (const std::string& name : prompter.Unanswered()) {
            err << options.file << ": note: '" << name << "' has no value (--set " << name
                << "=VALUE)\n";
        }
    } else {
        out << listing(*script, options.listing);
    }
    return 0;
}

} // namespace gw::tool
