#include "tool/TakeCommand.h"

#include "core/LocalPath.h"
#include "engine/runtime/HeadlessTake.h"
#include "tool/TakeFields.h"
#include "tool/TakePrompter.h"

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <ostream>
#include <sstream>

namespace gw::tool {

namespace {

constexpr int ExitDone = 0;
constexpr int ExitError = 1;
constexpr int ExitUsage = 2;
constexpr int ExitAborted = 3;

volatile std::sig_atomic_t stopRequested = 0;

extern "C" void RequestStop(int) {
    stopRequested = 1;
}

// SIGINT and SIGTERM ask for the abort while the command runs.
class StopSignals {
public:
    StopSignals() {
        stopRequested = 0;
        previousInt_ = std::signal(SIGINT, RequestStop);
        previousTerm_ = std::signal(SIGTERM, RequestStop);
    }
    ~StopSignals() {
        std::signal(SIGINT, previousInt_);
        std::signal(SIGTERM, previousTerm_);
    }
    static bool requested() { return stopRequested != 0; }

private:
    void (*previousInt_)(int) = SIG_DFL;
    void (*previousTerm_)(int) = SIG_DFL;
};

struct TakeRequest {
    TakeDataValues values;
    bool dataFileGiven = false;
    std::string port = "sim";
    int channels = 0; // 0: as the reader has them
    std::string profile;
    double timeScale = 1.0;
    std::vector<int> holes;
    bool allHoles = false;
    Answer highVoltage = Answer::Cancel;
    bool help = false;
};

bool Number(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0' && std::isfinite(value);
}

bool WholeNumber(const std::string& text, int& value) {
    double number = 0;
    if (!Number(text, number) || number != std::floor(number) || std::fabs(number) > 1e6) {
        return false;
    }
    value = int(number);
    return true;
}

std::optional<TakeDataSheet> SheetOf(const std::string& kind) {
    if (kind == "tl") {
        return TakeDataSheet::TL;
    }
    if (kind == "osl") {
        return TakeDataSheet::OSL;
    }
    if (kind == "mosl") {
        return TakeDataSheet::MOSL;
    }
    if (kind == "irrad") {
        return TakeDataSheet::Irradiate;
    }
    return std::nullopt;
}

bool ParseHoles(const std::string& text, std::vector<int>& holes) {
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        int hole = 0;
        if (!WholeNumber(item, hole) || hole < 0 || hole >= HoleSelection::MaxHoles) {
            return false;
        }
        holes.push_back(hole);
    }
    return !holes.empty();
}

// The info text as the dialog keeps it: lines separated by CR LF.
std::string InfoText(const std::string& text) {
    std::string info;
    for (char c : text) {
        if (c == '\n') {
            info += "\r\n";
        } else if (c != '\r') {
            info += c;
        }
    }
    return info;
}

bool ParseOption(const std::vector<std::string>& args, std::size_t& i, TakeRequest& request,
                 std::string& error) {
    const std::string& option = args[i];
    const bool hasValue = i + 1 < args.size();
    const std::string value = hasValue ? args[i + 1] : std::string();
    const auto take = [&](bool valid) {
        if (!hasValue || !valid) {
            error = option + " needs " +
                    (hasValue ? "a valid value, not '" + value + "'" : std::string("a value"));
            return false;
        }
        ++i;
        return true;
    };
    TakeDataValues& v = request.values;
    double number = 0;
    if (option == "--data-file") {
        request.dataFileGiven = take(!value.empty());
        v.DataFileName = std::filesystem::absolute(LocalPath(value)).string();
        return request.dataFileGiven;
    }
    if (option == "--port") {
        request.port = value;
        return take(!value.empty());
    }
    if (option == "--channels") {
        return take(WholeNumber(value, request.channels) && request.channels >= 1 &&
                    request.channels <= 4);
    }
    if (option == "--profile") {
        request.profile = value;
        return take(!value.empty());
    }
    if (option == "--time-scale") {
        request.timeScale = Number(value, number) ? number : 0;
        return take(request.timeScale > 0);
    }
    if (option == "--disk") {
        return take(WholeNumber(value, v.Disk));
    }
    if (option == "--to-disk") {
        v.Range = true;
        return take(WholeNumber(value, v.ToDisk));
    }
    if (option == "--holes") {
        return take(ParseHoles(value, request.holes));
    }
    if (option == "--all-holes") {
        request.allHoles = true;
        return true;
    }
    if (option == "--info") {
        v.InfoText = InfoText(value);
        return take(true);
    }
    if (option == "--hv") {
        const bool valid = value == "yes" || value == "no" || value == "cancel";
        request.highVoltage = value == "yes"  ? Answer::Yes
                              : value == "no" ? Answer::No
                                              : Answer::Cancel;
        return take(valid);
    }
    if (const auto equals = option.find('='); equals != std::string::npos) {
        return SetTakeField(v, option.substr(0, equals), option.substr(equals + 1), error);
    }
    error = "unknown option '" + option + "'";
    return false;
}

std::optional<TakeRequest> ParseTake(const std::vector<std::string>& args, std::string& error) {
    TakeRequest request;
    for (const std::string& arg : args) {
        request.help = request.help || arg == "--help" || arg == "-h";
    }
    if (request.help) {
        return request;
    }
    const std::optional<TakeDataSheet> sheet = args.empty() ? std::nullopt : SheetOf(args.front());
    if (!sheet) {
        error = "the first argument is tl, osl, mosl or irrad";
        return std::nullopt;
    }
    request.values.Sheet = *sheet;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!ParseOption(args, i, request, error)) {
            return std::nullopt;
        }
    }
    if (!request.dataFileGiven) {
        error = "--data-file F is required";
        return std::nullopt;
    }
    if ((!request.holes.empty() || request.allHoles) && *sheet != TakeDataSheet::OSL) {
        error = "--holes and --all-holes take an osl";
        return std::nullopt;
    }
    if (!request.holes.empty() && request.allHoles) {
        error = "--holes and --all-holes exclude each other";
        return std::nullopt;
    }
    return request;
}

void PrintHelp(std::ostream& out) {
    out << "usage: gwtool take tl|osl|mosl|irrad --data-file F [--port sim|DEVICE] [--channels N]\n"
           "         [--profile P] [--time-scale F] [--disk N] [--to-disk M]\n"
           "         [--holes N,M,...|--all-holes] [--info TEXT] [--hv yes|no|cancel] "
           "[NAME=VALUE]...\n\n"
           "Takes a measurement as the console's take-data dialog does and appends its record\n"
           "to F. Fields not given keep the dialog's defaults; the dialog's limits apply.\n"
           "Exit status: 0 every disk written, 1 error, 2 usage, 3 aborted (SIGINT, SIGTERM).\n";
    const std::pair<const char*, TakeDataSheet> sheets[] = {{"tl", TakeDataSheet::TL},
                                                            {"osl", TakeDataSheet::OSL},
                                                            {"mosl", TakeDataSheet::MOSL},
                                                            {"irrad", TakeDataSheet::Irradiate}};
    for (const auto& [kind, sheet] : sheets) {
        out << "\nNAME=VALUE of " << kind << ":\n";
        for (const TakeFieldName& name : TakeFieldNames(sheet)) {
            out << "  " << name.name
                << std::string(16 - std::min<std::size_t>(15, std::strlen(name.name)), ' ')
                << name.meaning << '\n';
        }
    }
}

// The holes the command line names become the only selected ones of every disk of the range.
void SelectHoles(TakeRequest& request) {
    TakeDataValues& v = request.values;
    if (request.holes.empty() && !request.allHoles) {
        return;
    }
    v.UseScanner = true;
    v.AllHoles = true;
    if (request.holes.empty()) {
        return;
    }
    const int last = v.Range ? v.ToDisk : v.Disk;
    for (int disk = std::max(v.Disk, 0); disk <= last && disk < HoleSelection::Disks; ++disk) {
        for (int hole = 0; hole < HoleSelection::MaxHoles; ++hole) {
            v.Holes.set(disk, hole, false);
        }
        for (int hole : request.holes) {
            v.Holes.set(disk, hole, true);
        }
    }
}

} // namespace

int runTakeCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string error;
    std::optional<TakeRequest> request = ParseTake(args, error);
    if (!request) {
        err << "gwtool take: " << error << "\n";
        return ExitUsage;
    }
    if (request->help) {
        PrintHelp(out);
        return ExitDone;
    }
    SelectHoles(*request);
    TakePrompter prompter(err, request->highVoltage);
    StopSignals signals;
    HeadlessTake::Options options;
    options.values = request->values;
    options.port = request->port;
    options.channels = request->channels;
    options.profilePath = request->profile;
    options.timeScale = request->timeScale;
    HeadlessTake::Reporting reporting;
    reporting.progress = [&err](const std::string& line) { err << line << '\n'; };
    reporting.stopRequested = [] { return StopSignals::requested(); };
    reporting.keptRecord = [&](const std::string& path, const std::string& lines) {
        err << "the record not written to " << path << " follows on standard output\n";
        out << lines;
        out.flush();
    };
    err << "taking " << (options.values.Range ? "disks " : "disk ") << options.values.Disk
        << (options.values.Range ? " to " + std::to_string(options.values.ToDisk) : "") << '\n';
    switch (HeadlessTake(std::move(options), prompter, std::move(reporting)).run()) {
    case HeadlessTake::Outcome::Finished:
        err << "finished\n";
        return ExitDone;
    case HeadlessTake::Outcome::Aborted:
        err << "aborted\n";
        return ExitAborted;
    case HeadlessTake::Outcome::Failed:
        break;
    }
    return ExitError;
}

} // namespace gw::tool
