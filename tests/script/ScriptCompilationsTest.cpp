#include "script/ScriptCompilations.h"

#include "profile/DefaultProfile.h"
#include "script/Metascript.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

std::unique_ptr<sc_Script> AScript(const std::string& name) {
    return CreateScript("", name, DefaultProfile(4));
}

struct ReleaseLog {
    std::vector<ReleasedCompilation> released;
    void attach(ScriptCompilations& compilations) {
        compilations.whenReleased = [this](ReleasedCompilation which) {
            released.push_back(which);
        };
    }
};

// A run on a metascript entry keeps it while the editor opens, closes and recompiles its own
// text; only a new metascript frees the entries.
TEST(ScriptCompilationsTest, EditorNeverFreesTheEntryARunPointsAt) {
    ScriptCompilations compilations;
    ReleaseLog log;
    log.attach(compilations);
    compilations.RebuildMetaScripts({"a.txt", "b.txt"});
    compilations.StoreMetaCompilation(0, AScript("a.txt"));
    compilations.StoreMetaCompilation(1, AScript("b.txt"));
    ASSERT_TRUE(compilations.SelectMetaEntry(1));
    sc_Script* running = compilations.CompiledScript();
    ASSERT_EQ(running->fileName, "b.txt");

    compilations.ReleaseEditorScript(); // Open, Close
    EXPECT_EQ(compilations.CompiledScript(), running);
    EXPECT_EQ(compilations.MetaScripts()[1].script->fileName, "b.txt");
    EXPECT_TRUE(log.released.empty()) << "nothing was freed";

    compilations.SetEditorScript(AScript("own.txt")); // a new Interpret
    EXPECT_EQ(compilations.CompiledScript()->fileName, "own.txt");
    EXPECT_EQ(compilations.MetaScripts()[1].script.get(), running);
    compilations.SetEditorScript(AScript("again.txt"));
    EXPECT_EQ(log.released, std::vector{ReleasedCompilation::EditorScript});

    ASSERT_TRUE(compilations.SelectMetaEntry(0));
    compilations.RebuildMetaScripts({"c.txt"});
    EXPECT_EQ(compilations.CompiledScript(), nullptr);
    EXPECT_EQ(compilations.MetaIndex(), -1);
    EXPECT_EQ(log.released.back(), ReleasedCompilation::MetaScripts);
    EXPECT_FALSE(compilations.SelectMetaEntry(1));
    EXPECT_EQ(compilations.RunningScriptName(), "");
}

TEST(ScriptCompilationsTest, ExecuteHandsOverWhatIsReady) {
    ScriptCompilations compilations;
    compilations.SetEditorScript(AScript("own.txt"));
    compilations.RebuildMetaScripts({"a.txt", "b.txt"});
    compilations.StoreMetaCompilation(0, AScript("a.txt"));
    compilations.StoreMetaCompilation(1, AScript("b.txt"));
    EXPECT_TRUE(compilations.ScriptsToRun().empty());
    compilations.CompiledOK = true;
    ASSERT_EQ(compilations.ScriptsToRun().size(), 1u);
    EXPECT_EQ(compilations.ScriptsToRun()[0]->fileName, "own.txt");
    compilations.CompiledOK = false;
    compilations.MetascriptOK = true;
    ASSERT_EQ(compilations.ScriptsToRun().size(), 2u);
    EXPECT_EQ(compilations.ScriptsToRun()[1]->fileName, "b.txt");
}

TEST(ScriptCompilationsTest, RunningScriptNameFollowsTheMetascriptEntry) {
    ScriptCompilations compilations;
    compilations.ScriptFileName = "C:\\GW\\meta.txt";
    EXPECT_EQ(compilations.RunningScriptName(), "meta.txt");
    compilations.RebuildMetaScripts({"/lab/one.txt", "/lab/two.txt"});
    compilations.SelectMetaEntry(1);
    EXPECT_EQ(compilations.RunningScriptName(), "two.txt");
}

TEST(MetascriptTest, RecognisesMetascriptsAndTheirScriptLines) {
    struct Case {
        std::string text;
        bool isMetascript;
        std::vector<std::string> paths;
    };
    const std::vector<Case> cases = {
        {"METASCRIPT", false, {}},
        {"METASCRIPT\r\n", false, {}},
        {"METASCRIPT\r\nSCRIPT=a.txt\r\n", true, {"a.txt"}},
        {"METASCRIPT\nscript=a.txt\nScRiPt=b=c.txt", true, {"a.txt", "b=c.txt"}},
        {"METASCRIPT\r\n SCRIPT=a.txt\r\nSCRIPT =b.txt\r\nnote\r\n", true, {}},
        {"METASCRIPT \r\nSCRIPT=a.txt", false, {"a.txt"}},
        {"SCRIPT=a.txt\r\nSCRIPT=b.txt", false, {"b.txt"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Metascript::IsMetascript(c.text), c.isMetascript) << c.text;
        EXPECT_EQ(Metascript::ScriptPaths(c.text), c.paths) << c.text;
    }
}

} // namespace
} // namespace gw
