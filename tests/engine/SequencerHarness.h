#pragma once

#include "EngineHarness.h"
#include "engine/runtime/OperationSequencer.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <sstream>

namespace gw::testing {

// The engine harness with the sequencer of single measurements and a data file in a folder of
// its own. Date-times are pinned, so that records compare line by line.
class SequencerHarness {
public:
    static constexpr const char* When = "09.12.2026 13:00:00";

    explicit SequencerHarness(SimOptions options = {})
        : bench(options), sequencer(bench.console, bench.engine,
                                    DataFileFormat(".", [](double) { return std::string(When); })) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = std::filesystem::temp_directory_path() /
                 (std::string("gw-take-") + test->test_suite_name() + "-" + test->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        sequencer.values.DataFileName = dataFile().string();
        QObject::connect(&sequencer, &OperationSequencer::sequenceEnded,
                         [this](OperationSequencer::End end) { ended = end; });
        QObject::connect(&sequencer, &OperationSequencer::recordWritten,
                         [this](int disk, int hole) {
                             written.push_back({disk, hole});
                         });
    }

    ~SequencerHarness() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path dataFile() const { return folder / "data.txt"; }

    // Confirms the values as the dialog's OK does and waits for the end of the sequence.
    bool run(int realMs = 30000) {
        ended.reset();
        if (!sequencer.confirm()) {
            return false;
        }
        return RunUntil([this] { return ended.has_value(); }, realMs);
    }

    std::vector<std::string> fileLines() const {
        std::ifstream in(dataFile(), std::ios::binary);
        std::stringstream all;
        all << in.rdbuf();
        const std::string text = all.str();
        std::vector<std::string> lines;
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t end = text.find("\r\n", start);
            EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
            if (end == std::string::npos) {
                lines.push_back(text.substr(start));
                break;
            }
            lines.push_back(text.substr(start, end - start));
            start = end + 2;
        }
        return lines;
    }

    // The records of the file, each from its "[NewRecord]" on.
    std::vector<std::vector<std::string>> records() const {
        std::vector<std::vector<std::string>> all;
        for (const std::string& line : fileLines()) {
            if (line == "[NewRecord]") {
                all.emplace_back();
            }
            if (!all.empty()) {
                all.back().push_back(line);
            }
        }
        return all;
    }

    EngineHarness bench;
    OperationSequencer sequencer;
    std::filesystem::path folder;
    std::optional<OperationSequencer::End> ended;
    std::vector<std::pair<int, int>> written;
};

// Checks a record's lines: the key lines exactly, then "Points=n" and n point lines of the
// given pattern (the counts vary from run to run).
inline void ExpectRecord(const std::vector<std::string>& record,
                         const std::vector<std::string>& head, const std::string& pointPattern) {
    ASSERT_GE(record.size(), head.size());
    for (std::size_t i = 0; i < head.size(); ++i) {
        EXPECT_EQ(record[i], head[i]) << "line " << i;
    }
    if (pointPattern.empty()) {
        EXPECT_EQ(record.size(), head.size());
        return;
    }
    ASSERT_GT(record.size(), head.size());
    const std::string& pointsLine = record[head.size()];
    ASSERT_EQ(pointsLine.rfind("Points=", 0), 0u) << pointsLine;
    const int points = std::stoi(pointsLine.substr(7));
    ASSERT_EQ(int(record.size()), int(head.size()) + 1 + points);
    const std::regex pattern(pointPattern);
    for (int i = 0; i < points; ++i) {
        const std::string& line = record[head.size() + 1 + std::size_t(i)];
        char index[16];
        std::snprintf(index, sizeof index, "%3d; ", i);
        EXPECT_EQ(line.rfind(index, 0), 0u) << line;
        EXPECT_TRUE(std::regex_match(line, pattern)) << line;
    }
}

// One counter channel: index, X and the count, then "valid".
inline const std::string OneChannelPoint = R"( *\d+; +\d+\.\d{3}; +\d+\.\d{3};  valid)";

} // namespace gw::testing
