#include "ToolRun.h"

#include <QCryptographicHash>
#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const FourDisks = "METHOD \"faults\"\r\nGLOBAL\r\nEND GLOBAL\r\nMETHOD\r\n"
                              "OPEN \"faults\"\r\nLOOP DISKS #4\r\nIRRAD(3, 0, 20, 2)\r\n"
                              "OSL(0, 90, 125, 4, 0, 0)\r\nEND LOOP\r\nEND METHOD\r\n";

std::string readFile(const fs::path& path) {
    return gw::tool::ReadFileBytes(path);
}

// A "record written" event: where the record's bytes are and their digest.
struct Written {
    long long offset = -1;
    long long length = 0;
    std::string sha256;
};

std::optional<Written> ParseWritten(const std::string& line) {
    static const std::regex pattern(
        R"re("record written".*"offset": (\d+), "length": (\d+), "sha256": "([0-9a-f]+)")re");
    std::smatch match;
    if (!std::regex_search(line, match, pattern)) {
        return std::nullopt;
    }
    return Written{std::stoll(match[1]), std::stoll(match[2]), match[3]};
}

// The data folder is taken away for a while (a file in its place), as when it cannot be written.
class FolderAway {
public:
    explicit FolderAway(fs::path folder) : folder_(std::move(folder)) {}
    void take() {
        fs::rename(folder_, away());
        std::ofstream(folder_) << "not a folder";
    }
    void giveBack() {
        fs::remove(folder_);
        fs::rename(away(), folder_);
    }

private:
    fs::path away() const { return folder_.string() + ".away"; }
    fs::path folder_;
};

class RunFaults : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / "gw-run-faults";
        fs::remove_all(root);
        fs::create_directories(root / "data");
        script = (root / "faults.gws").string();
        std::ofstream(script, std::ios::binary) << FourDisks;
        profile = (root / "p.dta").string();
        ASSERT_EQ(gwtool({"profile", "new", profile, "--reader", "3500", "--data-dir",
                          (root / "data").string() + "/"}),
                  0);
    }
    void TearDown() override { fs::remove_all(root); }

    // gwtool, its events handed to onEvent as they come (and an empty line at every poll).
    int gwtool(const std::vector<std::string>& args,
               const std::function<void(const std::string&)>& onEvent = {}) {
        const gw::tool::GwtoolExit exit = gw::tool::RunGwtool(args, [&](const std::string& line) {
            if (!line.empty()) {
                events.push_back(line);
            }
            if (onEvent) {
                onEvent(line);
            }
            return true;
        });
        err = exit.err;
        return exit.code;
    }

    fs::path root;
    std::string script;
    std::string profile;
    std::vector<std::string> events;
    std::string err;
};

// Headless, nobody answers: a vanished port is opened again when it is back, and a record that
// cannot be written is tried again until the folder takes it; the run then goes on. Every
// record ends up in the file, byte for byte as reported.
TEST_F(RunFaults, EveryRecordIsWrittenThroughAVanishedPortAndAnUnwritableFolder) {
    const struct {
        const char* name;
        std::vector<std::string> options;
        bool folderAway;
        const char* said;
    } cases[] = {
        {"port",
         {"--port-loss", "30,20", "--garbled", "0.02", "--lost-points", "0.05"},
         false,
         "Reader COM port lost"},
        {"folder", {}, true, "the record could not be written"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(root / "data");
        fs::create_directories(root / "data");
        events.clear();
        std::vector<std::string> args = {"run",      script, "--profile",    profile,
                                         "--events", "-",    "--today",      "2026-01-01",
                                         "--seed",   "3",    "--time-scale", "0.001"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        FolderAway folder(root / "data");
        QElapsedTimer away;
        const auto onEvent = [&](const std::string& line) {
            if (c.folderAway && !away.isValid() && ParseWritten(line)) {
                folder.take();
                away.start();
            } else if (away.isValid() && away.elapsed() > 300 &&
                       fs::is_regular_file(root / "data")) {
                folder.giveBack();
            }
        };
        ASSERT_EQ(gwtool(args, onEvent), 0) << err;
        const std::string said = err + readFile(root / "data" / "GWC_log.txt");
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        const std::string data = readFile(root / "data" / "faults.txt");
        int written = 0;
        for (const std::string& line : events) {
            if (const auto record = ParseWritten(line)) {
                ++written;
                const std::string bytes =
                    data.substr(std::size_t(record->offset), std::size_t(record->length));
                EXPECT_EQ(QCryptographicHash::hash(QByteArray::fromStdString(bytes),
                                                   QCryptographicHash::Sha256)
                              .toHex()
                              .toStdString(),
                          record->sha256);
            }
        }
        EXPECT_EQ(written, 8);
        EXPECT_EQ(gw::tool::Occurrences(data, "[NewRecord]"), 8) << "each step once";
    }
}

} // namespace
