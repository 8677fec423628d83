#include "core/ScriptedPrompter.h"
#include "profile/DefaultProfile.h"
#include "script/DiskExpander.h"
#include "script/LastLinePosition.h"
#include "script/ScriptCompiler.h"
#include "script/sc_Script.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace gw {
namespace {

const std::filesystem::path ManualDir = std::filesystem::path(GW_BINARY_DIR) / "ScriptManual";

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string Unescaped(std::string text) {
    const std::pair<std::string, std::string> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&deg;", "\xB0"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (std::size_t at = text.find(entity); at != std::string::npos;
             at = text.find(entity, at + character.size())) {
            text.replace(at, entity.size(), character);
        }
    }
    return text;
}

// The scripts of the manual's example blocks, lines ended by CR LF as the editor hands them over.
std::vector<std::pair<std::string, std::string>> ManualExamples() {
    std::vector<std::pair<std::string, std::string>> examples;
    const std::string open = "<pre class=\"example\">";
    for (const auto& entry : std::filesystem::directory_iterator(ManualDir)) {
        const std::string page = ReadFile(entry.path());
        for (std::size_t at = page.find(open); at != std::string::npos;
             at = page.find(open, at + 1)) {
            const std::size_t start = at + open.size();
            const std::string body = page.substr(start, page.find("</pre>", start) - start);
            std::string script;
            std::istringstream lines(Unescaped(body));
            for (std::string line; std::getline(lines, line);) {
                if (!line.empty()) {
                    script += line + "\r\n";
                }
            }
            examples.emplace_back(entry.path().filename().string(), script);
        }
    }
    return examples;
}

TEST(ScriptManualTest, EveryExampleCompilesAndMakesDisks) {
    const auto examples = ManualExamples();
    ASSERT_GE(examples.size(), 9u) << "the manual is copied to " << ManualDir;
    for (const auto& [page, text] : examples) {
        auto script = CreateScript(text, page, DefaultProfile(4));
        LastLinePosition position;
        script->text.SetPositionSink(&position);
        ScriptedPrompter prompter; // a value asked for is left open, as after Cancel
        CompileScript(*script, prompter);
        ASSERT_FALSE(script->error)
            << page << " line " << LastLinePosition::LineNumberAt(text, position.Offset()) << ":"
            << script->errorMessage << "\n"
            << text;
        ExpandDisks(*script, prompter);
        EXPECT_FALSE(script->error) << page << "\n" << text;
        EXPECT_GT(script->Disks().disks.Size(), 0u) << page << "\n" << text;
    }
}

TEST(ScriptManualTest, EveryPageLinksOnlyToPagesThatExist) {
    for (const auto& entry : std::filesystem::directory_iterator(ManualDir)) {
        const std::string page = ReadFile(entry.path());
        for (std::size_t at = page.find("href=\""); at != std::string::npos;
             at = page.find("href=\"", at + 1)) {
            const std::size_t start = at + 6;
            std::string target = page.substr(start, page.find_first_of("\"#", start) - start);
            if (!target.empty()) {
                EXPECT_TRUE(std::filesystem::exists(ManualDir / target))
                    << entry.path().filename() << " links to " << target;
            }
        }
    }
}

} // namespace
} // namespace gw
