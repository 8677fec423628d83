#include "engine/ScriptRun.h"

#include "engine/ScriptHeader.h"
#include "profile/DefaultProfile.h"
#include "script/sc_Script.h"

#include <gtest/gtest.h>

namespace gw {
namespace {

ScriptRun RunOf(const std::vector<int>& stepsPerPlatter) {
    TCharge charge;
    for (const int steps : stepsPerPlatter) {
        charge.emplace_back(std::size_t(steps));
    }
    return ScriptRun(std::move(charge), "run.txt");
}

TEST(ScriptRun, WalksPlatterAfterPlatterAndEndsOnce) {
    ScriptRun run = RunOf({3, 2});
    std::vector<ScriptRun::Advance> walk;
    std::vector<bool> last;
    while (!run.exhausted()) {
        last.push_back(run.atLastStep());
        walk.push_back(run.advance());
    }
    using A = ScriptRun::Advance;
    EXPECT_EQ(walk,
              (std::vector<A>{A::NextStep, A::NextStep, A::NextPlatter, A::NextStep, A::End}));
    EXPECT_EQ(last, (std::vector<bool>{false, false, false, false, true}));
    EXPECT_EQ(run.advance(), A::End) << "past the end nothing moves";
    EXPECT_EQ(run.PlatterIndex, 1);
    EXPECT_EQ(run.StepIndex, 1);
}

TEST(ScriptRun, StopDuringTheLastStepFinishes) {
    using E = ScriptRun::StepEnd;
    const struct {
        bool last;
        bool stop;
        E end;
    } cases[] = {{false, false, E::Continue},
                 {false, true, E::Stopped},
                 {true, false, E::Finished},
                 {true, true, E::Finished}};
    for (const auto& c : cases) {
        EXPECT_EQ(ScriptRun::EndOfStep(c.last, c.stop), c.end) << c.last << c.stop;
    }
}

TEST(ScriptHeader, LinesInOrderWithTheirConditions) {
    auto script = CreateScript("", "C:\\scripts\\sar.gws", DefaultProfile(2));
    script->definitionName = "SAR";
    script->methodName = "quartz";
    script->sampleText = "Q1";
    script->profile.SystemID = "Reader number one of the lab";
    EXPECT_EQ(ScriptHeaderLines(*script, {}),
              (std::vector<std::string>{"ScriptFile=C:\\scripts\\sar.gws", "ScriptName=SARquartz",
                                        "Sample=Q1", "ReaderID=Reader number one of the",
                                        "ReaderType=3500"}));
    script->infoText = "first\r\nsecond";
    script->singleAliquot = true;
    EXPECT_EQ(ScriptHeaderLines(*script, {"d/r_0.dat", "d/r_1.dat"}),
              (std::vector<std::string>{
                  "ScriptFile=C:\\scripts\\sar.gws", "ScriptName=SARquartz", "BinaryData=d/r_0.dat",
                  "BinaryData=d/r_1.dat", "Sample=Q1", "Info=first", "Info=second",
                  "ReaderID=Reader number one of the", "ReaderType=3500", "SingleAliquot=true"}));
}

} // namespace
} // namespace gw
