#include "ToolRun.h"
#include "script/CompileHelper.h"

#include <QDir>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gw::tool {
namespace {

// gwtool worksheet refuses what has no worksheet with one line and leaves no file.
TEST(WorksheetCommand, RefusalsLeaveNoFile) {
    struct Case {
        const char* what;
        std::vector<std::string> scriptLines;
        std::vector<std::string> extra;
        int status;
        std::string err;
    };
    std::vector<std::string> plain = test::WorkedExampleLines;
    plain[0] = "METHOD \"plain\"";
    const std::vector<Case> cases = {
        {"no TEMPLATE",
         plain,
         {},
         1,
         "error: The script declares no TEMPLATE, so it has no worksheet.\n"},
        {"no such template",
         test::WorkedExampleLines,
         {"--template", "none.ini"},
         1,
         "error: The worksheet template cannot be read: "},
        {"a dangling option", test::WorkedExampleLines, {"--o"}, 2, "gwtool worksheet: "},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const std::string script = dir.filePath("s.txt").toStdString();
        std::ofstream(script, std::ios::binary) << test::Lines(c.scriptLines);
        std::vector<std::string> args = {script, "-o", dir.filePath("w.rtf").toStdString()};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const ToolRun run = RunToolCommand("worksheet", args);
        EXPECT_EQ(run.status, c.status) << c.what;
        EXPECT_EQ(run.err.substr(0, c.err.size()), c.err) << c.what;
        EXPECT_FALSE(std::filesystem::exists(dir.filePath("w.rtf").toStdString())) << c.what;
    }
}

} // namespace
} // namespace gw::tool
