#include "ToolRun.h"

#include <QElapsedTimer>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const char* const OneDisk = "METHOD \"one\"\r\nGLOBAL\r\nEND GLOBAL\r\nMETHOD\r\nOPEN \"one\"\r\n"
                            "LOOP DISKS #1\r\nIRRAD(3, 0, 20, 2)\r\nOSL(0, 90, 125, 4, 0, 0)\r\n"
                            "END LOOP\r\nEND METHOD\r\n";

// gwtool, killed when it has not ended after a minute.
int Gwtool(const std::vector<std::string>& args, std::string& err) {
    QElapsedTimer running;
    running.start();
    const gw::tool::GwtoolExit exit =
        gw::tool::RunGwtool(args, [&](const std::string&) { return running.elapsed() < 60000; });
    err = exit.code == -9 ? "gwtool did not end" : exit.err;
    return exit.code;
}

using gw::tool::Occurrences;

// At a very small time scale the simulated reader runs far ahead of the console: the run must
// still end, and the reader's timer is not reset for every reply that was on its way.
TEST(RunTimeScale, AOneDiskRunEndsAtEveryScale) {
    for (const char* scale : {"0.0001", "0.00002"}) {
        SCOPED_TRACE(scale);
        const fs::path dir = fs::temp_directory_path() / "gw-run-scale";
        fs::remove_all(dir);
        fs::create_directories(dir);
        const std::string script = (dir / "one.gws").string();
        std::ofstream(script, std::ios::binary) << OneDisk;
        const std::string profile = (dir / "p.dta").string();
        std::string err;
        ASSERT_EQ(Gwtool({"profile", "new", profile, "--reader", "3500", "--name", "Lab",
                          "--data-dir", dir.string() + "/"},
                         err),
                  0);
        ASSERT_EQ(Gwtool({"run", script, "--profile", profile, "--time-scale", scale}, err), 0)
            << err;
        EXPECT_NE(err.find("run finished"), std::string::npos) << err;
        std::ifstream data(dir / "one.txt", std::ios::binary);
        std::ostringstream text;
        text << data.rdbuf();
        EXPECT_EQ(Occurrences(text.str(), "[NewRecord]"), 2);
        std::ifstream log(dir / "GWC_log.txt", std::ios::binary);
        std::ostringstream logText;
        logText << log.rdbuf();
        EXPECT_LT(Occurrences(logText.str(), "\"T0 \""), 50); // thousands when it flooded
        fs::remove_all(dir);
    }
}

} // namespace
