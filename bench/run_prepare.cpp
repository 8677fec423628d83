// The dry run of a script before Go: 60 disks and 2000 operations prepared once each, with the
// run list built and the disks reset. It should stay well within 50 ms.
#include "core/ScriptedPrompter.h"
#include "engine/RunPreparer.h"
#include "profile/DefaultProfile.h"
#include "profile/TimeBaseCalculator.h"
#include "script/DiskExpander.h"
#include "script/OperationPreparer.h"
#include "script/ScriptCompiler.h"
#include "script/sc_Script.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>

namespace {

// 20 disks of 34 operations and 40 disks of 33: 2000 operations on one platter of a 6600.
std::string SixtyDiskScript() {
    std::string text = "METHOD \"Benchmark\"\r\nGLOBAL\r\n"
                       "LIST DOSES = 0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50\r\n"
                       "END GLOBAL\r\nMETHOD\r\n";
    const std::string cycle = "  LOOP DOSES\r\n    IRRAD(3, 0, 20, &DOSES)\r\n"
                              "    PREHEAT(5, 220, 10, 20)\r\n    OSL(0, 90, 125, 40, 0, 0)\r\n"
                              "  END LOOP\r\n";
    text += "LOOP DISKS #20\r\n" + cycle + "  TLBGD(5, 450, 20)\r\nEND LOOP\r\n";
    text += "LOOP DISKS #40\r\n" + cycle + "END LOOP\r\nEND METHOD\r\n";
    return text;
}

void BM_DryRunSixtyDisks(benchmark::State& state) {
    gw::SystemProfile profile = gw::DefaultProfile(4);
    profile.VolID = std::filesystem::temp_directory_path().string();
    gw::ScriptedPrompter prompter;
    auto script = gw::CreateScript(SixtyDiskScript(), "bench.gws", profile);
    gw::CompileScript(*script, prompter);
    gw::ExpandDisks(*script, prompter);
    gw::TimeBaseCalculator calculator;
    gw::PreparationContext context{prompter, calculator, profile, false, {2026, 1, 1}};
    for (auto _ : state) {
        gw::RunPreparer preparer(*script, context);
        const gw::PreparedRun run = preparer.PrepareRun();
        std::size_t steps = 0;
        for (const auto& platter : run.runList) {
            steps += platter.size();
        }
        if (!run.ok || script->Disks().disks.Size() != 60 || steps != 2000) {
            state.SkipWithError(("unexpected run: " + std::to_string(steps) + " steps " +
                                 script->errorMessage + run.message)
                                    .c_str());
            break;
        }
        benchmark::DoNotOptimize(run.estimate);
    }
}
BENCHMARK(BM_DryRunSixtyDisks)->Unit(benchmark::kMillisecond);

} // namespace
