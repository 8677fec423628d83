#pragma once

#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "profile/NewProfileFile.h"
#include "profile/ProfileEditor.h"
#include "profile/ProfileFile.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace gw::testing {

// A profile file made as a new installation makes it, and the editor over it.
class ProfileEditorFixture : public ::testing::Test {
public:
    void SetUp() override {
        dir = std::filesystem::path(GW_BINARY_DIR) / "profile-editor-tests" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        path = (dir / "TLInfo.dta").string();
        editor.profileReplaced = [this] { ++replaced; };
    }

    // Replaces the file; the editor reads it on its next open.
    void createFile(const NewProfileOptions& options) {
        std::filesystem::remove(path);
        ASSERT_FALSE(CreateProfileFile(path, options, nullptr));
        state = ProfileState{};
        state.ProfilePath = path;
        state.ProfileLoaded = true;
        replaced = 0;
    }

    void createFile(int profiles, std::int16_t reader = 4, bool extended = false) {
        NewProfileOptions options;
        options.profiles = profiles;
        options.reader = reader;
        options.extended = extended;
        createFile(options);
    }

    SystemProfile fileProfile(int index) {
        return ReadProfileImage(path, error)->readProfile(index);
    }
    std::uintmax_t fileSize() const { return std::filesystem::file_size(path); }

    std::filesystem::path dir;
    std::string path;
    std::string error;
    ScriptedPrompter prompter;
    MemorySettingsStore settings;
    ProfileContext ctx{prompter, settings};
    ProfileState state;
    ProfileEditor editor{state, ctx};
    int replaced = 0;
};

} // namespace gw::testing
