#pragma once

#include "CompileHelper.h"
#include "engine/TDataType.h"
#include "profile/TimeBaseCalculator.h"
#include "script/DiskExpander.h"
#include "script/OperationPreparer.h"

#include <memory>
#include <string>
#include <vector>

namespace gw::test {

// A compiled script whose disks are placed, with what preparing its steps needs.
struct Prepared {
    std::unique_ptr<sc_Script> script;
    ScriptedPrompter prompter;
    TimeBaseCalculator calculator;
    SystemProfile consoleProfile;
    bool ignoreAll = false;
    CivilDate today{2026, 1, 1};
    bool veltrax = false;

    PreparationResult Next(sc_Item& disk, TDataType& record) {
        PreparationContext context{prompter, calculator, consoleProfile, veltrax, today};
        return PrepareNextOperation(*script, disk, record, ignoreAll, context);
    }

    sc_Item& Disk(int index) {
        auto it = script->Disks().disks.begin();
        std::advance(it, index);
        return *it;
    }
};

inline std::unique_ptr<Prepared> CompileAndPlace(const std::string& text,
                                                 const SystemProfile& profile) {
    auto prepared = std::make_unique<Prepared>();
    prepared->consoleProfile = profile;
    prepared->script = CreateScript(text, "test.gws", profile);
    CompileScript(*prepared->script, prepared->prompter);
    if (!prepared->script->error) {
        ExpandDisks(*prepared->script, prepared->prompter);
    }
    return prepared;
}

// A one-disk script whose disk holds the given command lines.
inline std::string OneDisk(const std::vector<std::string>& commands,
                           const std::vector<std::string>& globals = {}) {
    std::vector<std::string> lines = {"METHOD \"test\"", "GLOBAL"};
    lines.insert(lines.end(), globals.begin(), globals.end());
    lines.insert(lines.end(), {"END GLOBAL", "METHOD", "LOOP DISKS #1"});
    lines.insert(lines.end(), commands.begin(), commands.end());
    lines.insert(lines.end(), {"END LOOP", "END METHOD"});
    return Lines(lines);
}

} // namespace gw::test
