#include "GwVersion.h"
#include "tool/ToolCommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

struct ToolRun {
    int status;
    std::string out;
    std::string err;
};

ToolRun RunGwtool(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = runTool(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(ToolHelp, VersionAnswersWithTheProjectVersion) {
    const ToolRun run = RunGwtool({"--version"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string("gwtool ") + GW_VERSION_TEXT + "\n");
}

TEST(ToolHelp, EverySubcommandHasHelpBothWays) {
    for (const ToolCommand& command : toolCommands()) {
        const std::string usage = std::string("usage: gwtool ") + command.usage + "\n";
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"help", command.name},
              std::vector<std::string>{command.name, "--help"}}) {
            const ToolRun run = RunGwtool(args);
            EXPECT_EQ(run.status, 0) << command.name;
            // A subcommand with help of its own (take lists its field names) says more.
            if (command.ownsHelp) {
                EXPECT_EQ(run.out.rfind("usage: gwtool " + std::string(command.name), 0), 0u);
            } else {
                EXPECT_EQ(run.out, usage) << command.name;
            }
            EXPECT_EQ(run.err, "") << command.name;
        }
    }
}

TEST(ToolHelp, HelpWithoutNameListsEveryCommandAndUnknownNamesFail) {
    const ToolRun list = RunGwtool({"help"});
    EXPECT_EQ(list.status, 0);
    for (const ToolCommand& command : toolCommands()) {
        EXPECT_NE(list.out.find(command.usage), std::string::npos) << command.name;
    }
    const ToolRun unknown = RunGwtool({"help", "frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.err.find("unknown command 'frobnicate'"), std::string::npos);
    EXPECT_EQ(RunGwtool({}).status, 2);
}

} // namespace
} // namespace gw::tool
