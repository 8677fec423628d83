// Compiling the largest script the compiler takes: about 64 KB of declarations, sequences and
// nested loops that make 60 disks. Compilation should stay within a few milliseconds.
#include "core/ScriptedPrompter.h"
#include "profile/DefaultProfile.h"
#include "script/ScriptCompiler.h"
#include "script/sc_Script.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::string LargestScript() {
    std::string text =
        "METHOD TEMPLATE \"Benchmark\"\r\nINFO \"Sixty disks through many loops\"\r\n";
    text += "GLOBAL\r\n";
    for (int i = 0; i < 100; ++i) {
        text += "V" + std::to_string(i) + " = " + std::to_string(100 + i) + "\r\n";
    }
    for (int i = 0; i < 20; ++i) {
        text += "LIST L" + std::to_string(i) + " = 0, 10, 20, 40\r\n";
    }
    text += "END GLOBAL\r\nSEQUENCE\r\n";
    for (int i = 0; i < 200; ++i) {
        const std::string v = "V" + std::to_string(i % 100);
        text += "S" + std::to_string(i) + " = (PREHEAT(5, " + v + ", 10, 20)\r\n";
        text += "   OSL(0, 90, 125, 40, 0, 0)\r\n   NORM TLBGD(5, " + v + ", 0))\r\n";
    }
    text += "END SEQUENCE\r\nMETHOD SINGLE_ALIQUOT\r\nSAMPLE \"quartz\"\r\n";
    std::string disks;
    for (int disk = 0; disk < 60; ++disk) {
        const std::string list = "L" + std::to_string(disk % 20);
        disks += "LOOP DISKS #1\r\n  LOOP " + list + "\r\n    IRRAD(3, 0, 20, &" + list + ")\r\n";
        disks += "    S" + std::to_string(disk) + "\r\n  END LOOP\r\n";
        disks += "  BLEACH(0, 90, 125, 100)\r\nEND LOOP\r\n";
    }
    const std::string end = "END METHOD\r\n";
    // Comment lines before the header fill the text up to the largest size taken.
    std::string padding;
    const std::string comment = "this line is a comment that the compiler skips\r\n";
    while (padding.size() + comment.size() + text.size() + disks.size() + end.size() <=
           gw::sc_Text::MaxLength) {
        padding += comment;
    }
    return padding + text + disks + end;
}

void BM_CompileLargestScript(benchmark::State& state) {
    const std::string text = LargestScript();
    const gw::SystemProfile profile = gw::DefaultProfile(4);
    for (auto _ : state) {
        auto script = gw::CreateScript(text, "largest.gws", profile);
        gw::ScriptedPrompter prompter;
        gw::CompileScript(*script, prompter);
        if (script->error || script->Disks().disks.Size() != 60) {
            state.SkipWithError(("unexpected result:" + script->errorMessage).c_str());
            break;
        }
        benchmark::DoNotOptimize(script->Disks().disks.Size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_CompileLargestScript)->Unit(benchmark::kMillisecond);

} // namespace
