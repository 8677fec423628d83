#include "tool/ProfileCommand.h"

#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "core/Windows1252Text.h"
#include "platform/FileSync.h"
#include "profile/DirectoryText.h"
#include "profile/FileBytes.h"
#include "profile/NewProfileFile.h"
#include "profile/ProfileFieldEditor.h"
#include "profile/ProfileFile.h"
#include "profile/ProfileJson.h"

#include <charconv>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

namespace gw::tool {

namespace {

namespace fs = std::filesystem;

constexpr int Failed = 1;
constexpr int BadUsage = 2;

const char* const Usage = "usage: gwtool profile show FILE [--index N] [--json]\n"
                          "       gwtool profile list FILE\n"
                          "       gwtool profile new FILE [--profiles N] [--extended]\n"
                          "                          [--reader manual|3400|3500|3550|6600] [--name "
                          "TEXT] [--data-dir DIR]\n"
                          "       gwtool profile set FILE NAME=VALUE...\n"
                          "       gwtool profile select FILE INDEX\n"
                          "       gwtool profile convert FILE\n";

// The file operations answer no questions here and leave the user's settings alone; whatever
// they would have shown the operator goes to the error stream.
struct Session {
    ScriptedPrompter prompter;
    MemorySettingsStore settings;
    ProfileContext ctx{prompter, settings, platform::SyncFileToDisk};

    int fail(std::ostream& err) const {
        for (const ScriptedPrompter::Shown& shown : prompter.shown) {
            err << "gwtool profile: " << ProfileTextToUtf8(shown.text) << '\n';
        }
        return Failed;
    }
};

int usageError(std::ostream& err, const std::string& problem) {
    err << "gwtool profile: " << problem << "\n\n" << Usage;
    return BadUsage;
}

std::optional<int> parseIndex(const std::string& text, int high) {
    int v = 0;
    const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || code != std::errc() || end != text.data() + text.size() || v < 0 ||
        v > high) {
        return std::nullopt;
    }
    return v;
}

std::optional<ProfileImage> readImage(const std::string& path, std::ostream& err) {
    std::string error;
    std::optional<ProfileImage> image = ReadProfileImage(path, error);
    if (!image) {
        err << "gwtool profile: " << error << '\n';
    }
    return image;
}

// The profiles of the file by index and name, "*" marking the current one.
void writeProfileNames(const ProfileImage& image, std::ostream& out) {
    for (int k = 0; k < image.profileCount(); ++k) {
        out << (k == image.currentIndex() ? "* " : "  ") << k << "  "
            << ProfileTextToUtf8(image.profileName(k)) << '\n';
    }
}

int show(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::optional<int> index;
    bool json = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--json") {
            json = true;
        } else if (args[i] == "--index" && i + 1 < args.size()) {
            index = parseIndex(args[++i], 255);
            if (!index) {
                return usageError(err, "--index takes a profile number");
            }
        } else {
            return usageError(err, "unknown option " + args[i]);
        }
    }
    const std::optional<ProfileImage> image = readImage(args[0], err);
    if (!image) {
        return Failed;
    }
    const int shown = index.value_or(image->currentIndex());
    if (shown >= image->profileCount()) {
        err << "gwtool profile: the file has no profile " << shown << '\n';
        return Failed;
    }
    const SystemProfile profile = image->readProfile(shown);
    if (json) {
        out << "{\n  \"file\": {\"profiles\": " << image->profileCount()
            << ", \"current\": " << image->currentIndex()
            << ", \"pagesPerProfile\": " << image->pagesPerProfile() << ", \"names\": [";
        for (int k = 0; k < image->profileCount(); ++k) {
            out << (k == 0 ? "" : ", ") << JsonText(image->profileName(k));
        }
        out << "]},\n  \"index\": " << shown << ",\n  \"profile\": " << ProfileToJson(profile, 1)
            << "\n}\n";
        return 0;
    }
    out << "File: " << args[0] << "\nProfiles: " << image->profileCount() << ", current "
        << image->currentIndex() << ", " << image->pagesPerProfile() << " pages per profile\n";
    writeProfileNames(*image, out);
    out << "Profile " << shown << ":\n" << ProfileToText(profile);
    return 0;
}

int list(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        return usageError(err, "list takes only the file");
    }
    const std::optional<ProfileImage> image = readImage(args[0], err);
    if (!image) {
        return Failed;
    }
    writeProfileNames(*image, out);
    return 0;
}

// Reads the options of "new"; returns an error sentence or an empty text.
std::string parseNewOptions(const std::vector<std::string>& args, NewProfileOptions& options) {
    static const std::map<std::string, std::int16_t> readers = {
        {"manual", 0}, {"3400", 1}, {"3500", 2}, {"3550", 3}, {"6600", 4}};
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        const bool hasValue = i + 1 < args.size();
        if (option == "--extended") {
            options.extended = true;
        } else if (option == "--profiles" && hasValue) {
            const std::optional<int> count = parseIndex(args[++i], 256);
            if (!count || *count == 0) {
                return "--profiles takes a number from 1 to 256";
            }
            options.profiles = *count;
        } else if (option == "--reader" && hasValue && readers.count(args[i + 1]) != 0) {
            options.reader = readers.at(args[++i]);
        } else if (option == "--name" && hasValue) {
            options.name = Utf8ToProfileText(args[++i]);
            if (!options.name || options.name->empty() || options.name->size() > 15) {
                return "--name takes a name of 1 to 15 Windows-1252 characters";
            }
        } else if (option == "--data-dir" && hasValue) {
            options.dataDir = Utf8ToProfileText(args[++i]);
            if (options.dataDir) {
                *options.dataDir = WithTrailingSeparator(*options.dataDir);
            }
            if (!options.dataDir || options.dataDir->size() > 41) {
                return "--data-dir takes a directory of at most 41 characters with its separator";
            }
        } else {
            return "unknown or incomplete option " + option;
        }
    }
    return {};
}

int create(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    NewProfileOptions options;
    if (const std::string problem = parseNewOptions(args, options); !problem.empty()) {
        return usageError(err, problem);
    }
    const std::string& path = args[0];
    if (const FileError error = CreateProfileFile(path, options, platform::SyncFileToDisk)) {
        err << "gwtool profile: " << error.message << '\n';
        return Failed;
    }
    out << "Created " << path << " with " << options.profiles << " profile"
        << (options.profiles == 1 ? "" : "s") << ", " << (options.extended ? 5 : 4)
        << " pages each\n";
    return 0;
}

int set(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() < 2) {
        return usageError(err, "set takes the file and at least one NAME=VALUE");
    }
    Session session;
    ProfileState state;
    const ProfileLoadResult loaded = LoadProfile(args[0], state, session.ctx);
    if (!loaded.ok) {
        err << "gwtool profile: " << loaded.error << '\n';
        return Failed;
    }
    std::vector<ProfileFieldEdit> edits;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::size_t equals = args[i].find('=');
        if (equals == std::string::npos) {
            return usageError(err, "expected NAME=VALUE, not " + args[i]);
        }
        edits.push_back({args[i].substr(0, equals), args[i].substr(equals + 1)});
    }
    if (const std::string problem = ApplyProfileEdits(state.Profile, edits); !problem.empty()) {
        err << "gwtool profile: " << problem << " Nothing was saved.\n";
        return Failed;
    }
    if (!SaveProfile(args[0], state, session.ctx)) {
        return session.fail(err);
    }
    out << "Saved profile " << loaded.current << " of " << args[0] << '\n';
    return 0;
}

int select(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    const std::optional<int> index = args.size() == 2 ? parseIndex(args[1], 255) : std::nullopt;
    if (!index) {
        return usageError(err, "select takes the file and a profile number");
    }
    Session session;
    if (!SelectCurrentProfile(args[0], *index, session.ctx)) {
        return session.fail(err);
    }
    out << "Profile " << *index << " is now the current profile of " << args[0] << '\n';
    return 0;
}

int convert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        return usageError(err, "convert takes only the file");
    }
    Session session;
    std::string error;
    const std::optional<ProfileImage> image = ReadProfileImage(args[0], error);
    if (image && image->isExtended()) {
        out << args[0] << " already has five pages per profile\n";
        return 0;
    }
    if (!ConvertToFivePages(args[0], session.ctx)) {
        return session.fail(err);
    }
    out << "Converted " << args[0] << " to five pages per profile; the old file is "
        << (fs::path(args[0]).parent_path() / "TLInfo.bak").string() << '\n';
    return 0;
}

} // namespace

int runProfileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    using Action = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);
    static const std::map<std::string, Action> actions = {
        {"show", show}, {"list", list},     {"new", create},
        {"set", set},   {"select", select}, {"convert", convert},
    };
    if (args.size() < 2 || actions.count(args[0]) == 0) {
        err << Usage;
        return BadUsage;
    }
    return actions.at(args[0])({args.begin() + 1, args.end()}, out, err);
}

} // namespace gw::tool
