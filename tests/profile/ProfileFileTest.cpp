#include "profile/ProfileFile.h"

#include "ProfileBytes.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "platform/FileSync.h"
#include "profile/ProfileImage.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace gw {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t Page = 800;

// A prompter that also counts its beeps.
class CountingPrompter : public ScriptedPrompter {
public:
    int beeps = 0;
    void beep() override { ++beeps; }
};

struct FileShape {
    int count = 3;
    bool extended = false;
    int current = 0;
    std::size_t trailing = 0; // bytes after the last whole block
    unsigned seed = 7;
};

void putText(Bytes& bytes, std::size_t offset, const std::string& text) {
    bytes[offset] = static_cast<std::uint8_t>(text.size());
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset) + 1);
}

// A profile file of random bytes with consistent file-wide values and names "Reader k".
Bytes makeProfileFile(const FileShape& shape) {
    const std::size_t block = Page * (shape.extended ? 5 : 4);
    Bytes bytes = testing::RandomBytes(block * shape.count + shape.trailing, shape.seed);
    for (int k = 0; k < shape.count; ++k) {
        const std::size_t first = block * k;
        bytes[first + 445] = shape.extended ? 1 : 0;
        bytes[first + 799] = static_cast<std::uint8_t>(shape.current);
        putText(bytes, first + 775, "Reader " + std::to_string(k));
    }
    return bytes;
}

class ProfileFileTest : public ::testing::Test {
public:
    void SetUp() override {
        dir = fs::path(GW_BINARY_DIR) / "profile-tests" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "TLInfo.dta").string();
    }

    void write(const Bytes& bytes, const fs::path& where) {
        std::ofstream out(where, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    void write(const Bytes& bytes) { write(bytes, path); }

    Bytes read(const fs::path& where) const {
        std::ifstream in(where, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    Bytes read() const { return read(path); }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& shown : prompter.shown) {
            if (shown.kind == "message") {
                texts.push_back(shown.caption + ": " + shown.text);
            }
        }
        return texts;
    }

    fs::path dir;
    std::string path;
    CountingPrompter prompter;
    MemorySettingsStore settings;
    ProfileContext ctx{prompter, settings};
    ProfileState state;
};

struct LoadCase {
    const char* what;
    FileShape shape;
    int expectedCount;
    int expectedCurrent;
};

TEST_F(ProfileFileTest, LoadReadsTheCurrentProfileOfPlainAndExtendedFiles) {
    const LoadCase cases[] = {
        {"plain 9600 bytes", {3, false, 1}, 3, 1},
        {"extended 12000 bytes", {3, true, 2}, 3, 2},
        {"current index beyond the profiles", {3, false, 7}, 3, 0},
        {"incomplete last plain block", {3, false, 2, 3199}, 3, 2},
        {"incomplete last extended block", {2, true, 1, 3999}, 2, 1},
        {"a single profile", {1, false, 0}, 1, 0},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes file = makeProfileFile(c.shape);
        write(file);
        state = ProfileState{};

        const ProfileLoadResult result = LoadProfile(path, state, ctx);

        ASSERT_TRUE(result.ok) << result.error;
        EXPECT_EQ(result.count, c.expectedCount);
        EXPECT_EQ(result.current, c.expectedCurrent);
        EXPECT_EQ(state.PagesPerProfile, c.shape.extended ? 5 : 4);
        ASSERT_EQ(result.names.size(), static_cast<std::size_t>(c.expectedCount));
        EXPECT_EQ(result.names.back(), "Reader " + std::to_string(c.expectedCount - 1));

        const std::size_t first = Page * state.PagesPerProfile * c.expectedCurrent;
        const auto record = state.Profile.ToBytes();
        EXPECT_TRUE(std::equal(record.begin(), record.begin() + 800, file.begin() + first));
        const bool fifthMatches =
            c.shape.extended
                ? std::equal(record.begin() + 800, record.end(), file.begin() + first + 4 * Page)
                : std::all_of(record.begin() + 800, record.end(), [](auto b) { return b == 0; });
        EXPECT_TRUE(fifthMatches);
        EXPECT_EQ(settings.readText(ProfileSettingsKey, ProfileSettingName),
                  fs::absolute(path).lexically_normal().string());
    }
}

TEST_F(ProfileFileTest, FilesWithoutAWholeProfileAreRefusedAndChangeNothing) {
    Bytes extendedHead = makeProfileFile({1, true, 0});
    extendedHead.resize(3999);
    const std::pair<const char*, Bytes> cases[] = {
        {"empty", {}},
        {"shorter than a page", Bytes(799, 1)},
        {"one page", Bytes(800, 0)},
        {"one byte short of a plain profile", Bytes(3199, 0)},
        {"one byte short of an extended profile", extendedHead},
    };
    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        write(bytes);
        state.Profile.ProfileName = "kept";

        const ProfileLoadResult result = LoadProfile(path, state, ctx);

        EXPECT_FALSE(result.ok);
        EXPECT_NE(result.error.find("too short"), std::string::npos) << result.error;
        EXPECT_TRUE(result.names.empty());
        EXPECT_EQ(state.Profile.ProfileName, "kept");
        EXPECT_FALSE(settings.readText(ProfileSettingsKey, ProfileSettingName).has_value());
        EXPECT_FALSE(SaveProfile(path, state, ctx));
        EXPECT_EQ(read(), bytes);
    }
    EXPECT_FALSE(LoadProfile((dir / "missing.dta").string(), state, ctx).ok);
}

// The three file-wide values in the first page of every profile, SystemID as the record has it.
void expectFileWideValues(const Bytes& file, int count, int pages, const SystemProfile& record,
                          int current, bool extended) {
    const auto bytes = record.ToBytes();
    for (int k = 0; k < count; ++k) {
        SCOPED_TRACE(k);
        const std::size_t first = Page * pages * k;
        EXPECT_TRUE(
            std::equal(bytes.begin() + 210, bytes.begin() + 226, file.begin() + first + 210));
        EXPECT_EQ(file[first + 799], current);
        EXPECT_EQ(file[first + 445], extended ? 1 : 0);
    }
}

// Whether two files agree outside the listed ranges.
bool sameOutside(const Bytes& a, const Bytes& b,
                 std::vector<std::pair<std::size_t, std::size_t>> skip) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool skipped = std::any_of(skip.begin(), skip.end(),
                                         [i](auto r) { return i >= r.first && i < r.second; });
        if (!skipped && a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

TEST_F(ProfileFileTest, SaveWritesTheCurrentProfileAndTheFileWideValues) {
    const FileShape shapes[] = {{3, false, 1, 0}, {3, true, 2, 0}, {2, false, 1, 1234}};
    for (const FileShape& shape : shapes) {
        SCOPED_TRACE(shape.extended ? "extended" : "plain");
        const Bytes before = makeProfileFile(shape);
        write(before);
        ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
        state.Profile.ReaderType = 3;
        state.Profile.SystemID = "LAB-42";
        state.Profile.WhatAIrrad = 2;

        ASSERT_TRUE(SaveProfile(path, state, ctx)) << ::testing::PrintToString(messages());

        const Bytes after = read();
        const int pages = shape.extended ? 5 : 4;
        expectFileWideValues(after, shape.count, pages, state.Profile, shape.current,
                             shape.extended);
        EXPECT_EQ(after[Page * pages + 210], 6);
        std::vector<std::pair<std::size_t, std::size_t>> changed;
        for (int k = 0; k < shape.count; ++k) {
            const std::size_t first = Page * pages * k;
            changed.push_back({first + 210, first + 226});
            changed.push_back({first + 445, first + 446});
        }
        const std::size_t current = Page * pages * shape.current;
        changed.push_back({current + 266, current + 268});
        if (shape.extended) {
            changed.push_back({current + 4 * Page + 75, current + 4 * Page + 77});
        }
        EXPECT_TRUE(sameOutside(before, after, changed));

        ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
        EXPECT_EQ(state.Profile.ReaderType, 3);
        EXPECT_EQ(state.Profile.WhatAIrrad, shape.extended ? 2 : 0);
        EXPECT_FALSE(fs::exists(dir / "TLInfo.tmp"));
        EXPECT_FALSE(fs::exists(dir / "TLInfo.bak"));
    }
}

TEST_F(ProfileFileTest, SavingFivePagesIntoAPlainFileConvertsIt) {
    const Bytes before = makeProfileFile({3, false, 1});
    ASSERT_EQ(before.size(), 9600u);
    write(before);
    write(Bytes(10, 0xEE), dir / "TLInfo.bak"); // an old backup is replaced
    ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
    state.Profile.HasFivePages = true;
    state.Profile.WhatGIrrad = 4;
    state.Profile.XTubeCurrHigh = 0.75;

    ASSERT_TRUE(SaveProfile(path, state, ctx));

    const Bytes after = read();
    ASSERT_EQ(after.size(), 12000u);
    EXPECT_EQ(read(dir / "TLInfo.bak"), before);
    EXPECT_FALSE(fs::exists(dir / "TLInfo.tmp"));
    EXPECT_EQ(state.PagesPerProfile, 5);
    expectFileWideValues(after, 3, 5, state.Profile, 1, true);
    const auto record = state.Profile.ToBytes();
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        const auto oldBlock = before.begin() + 4 * Page * k;
        const auto newBlock = after.begin() + 5 * Page * k;
        // The four pages are carried over; only the file-wide bytes of the first page change.
        EXPECT_TRUE(std::equal(oldBlock + Page, oldBlock + 4 * Page, newBlock + Page));
        EXPECT_TRUE(std::equal(oldBlock, oldBlock + 210, newBlock));
        const auto fifth = newBlock + 4 * Page;
        if (k == 1) {
            EXPECT_TRUE(std::equal(record.begin() + 800, record.end(), fifth));
        } else {
            EXPECT_EQ(fifth[72], 'A');
            EXPECT_EQ(fifth[74], 'G');
            EXPECT_EQ(fifth[179], 15);
            EXPECT_EQ(std::string(fifth + 776, fifth + 776 + fifth[775]), " End of 4-th page ");
        }
        EXPECT_EQ(fifth[799], k);
    }
    const ProfileLoadResult reloaded = LoadProfile(path, state, ctx);
    EXPECT_EQ(reloaded.count, 3);
    EXPECT_EQ(state.Profile.WhatGIrrad, 4);
    EXPECT_EQ(state.Profile.XTubeCurrHigh, 0.75);
}

TEST_F(ProfileFileTest, AnExtendedFileStaysExtendedWhenTheFlagIsSwitchedOff) {
    write(makeProfileFile({3, true, 2}));
    ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
    state.Profile.HasFivePages = false;

    ASSERT_TRUE(SaveProfile(path, state, ctx));

    const Bytes after = read();
    EXPECT_EQ(after.size(), 12000u);
    expectFileWideValues(after, 3, 5, state.Profile, 2, true);
    const ProfileLoadResult reloaded = LoadProfile(path, state, ctx);
    EXPECT_EQ(reloaded.names, (std::vector<std::string>{"Reader 0", "Reader 1", "Reader 2"}));
}

TEST_F(ProfileFileTest, AFailedSaveLeavesTheFileWholeAndSaysWhy) {
    struct FailCase {
        const char* what;
        std::function<void(ProfileFileTest&)> arrange;
    };
    const FailCase cases[] = {
        {"temporary file cannot be created",
         [](ProfileFileTest& t) { fs::create_directory(t.dir / "TLInfo.tmp"); }},
        {"data cannot be synced to the disk",
         [](ProfileFileTest& t) { t.ctx.syncFile = [](const fs::path&) { return false; }; }},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        const Bytes before = makeProfileFile({3, false, 0});
        write(before);
        ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
        c.arrange(*this);
        state.Profile.HasFivePages = true;
        state.Profile.ProfileName = "edited";

        EXPECT_FALSE(SaveProfile(path, state, ctx));

        EXPECT_EQ(read(), before);
        EXPECT_FALSE(fs::is_regular_file(dir / "TLInfo.tmp"));
        EXPECT_EQ(state.Profile.ProfileName, "edited");
        ASSERT_FALSE(messages().empty());
        EXPECT_NE(messages().back().find("Error: The profile was not saved."), std::string::npos);
        ctx.syncFile = nullptr;
        prompter.shown.clear();
    }
}

TEST_F(ProfileFileTest, SelectMakesAnotherProfileCurrent) {
    const std::pair<int, bool> cases[] = {{2, true}, {0, true}, {3, false}, {-1, false}};
    for (const auto& [index, accepted] : cases) {
        SCOPED_TRACE(index);
        const Bytes before = makeProfileFile({3, false, 1});
        write(before);
        prompter.shown.clear();

        EXPECT_EQ(SelectCurrentProfile(path, index, ctx), accepted);

        const Bytes after = read();
        if (accepted) {
            EXPECT_EQ(LoadProfile(path, state, ctx).current, index);
            EXPECT_TRUE(sameOutside(before, after, {{799, 800}}));
        } else {
            EXPECT_EQ(after, before);
            EXPECT_EQ(messages().size(), 1u);
        }
    }
}

TEST_F(ProfileFileTest, ConversionKeepsBytesAfterTheLastBlock) {
    const Bytes before = makeProfileFile({2, false, 1, 500});
    write(before);

    ASSERT_TRUE(ConvertToFivePages(path, ctx));

    const Bytes after = read();
    ASSERT_EQ(after.size(), 2 * 5 * Page + 500);
    EXPECT_TRUE(std::equal(before.end() - 500, before.end(), after.end() - 500));
    EXPECT_EQ(after[445], 1);
    EXPECT_EQ(after[5 * Page + 445], 1);
    EXPECT_EQ(read(dir / "TLInfo.bak"), before);
    // A file already extended is left as it is.
    ASSERT_TRUE(ConvertToFivePages(path, ctx));
    EXPECT_EQ(read(), after);
}

struct ActivateCase {
    const char* what;
    std::string storedName;
    int current;
    std::vector<std::optional<std::string>> answers;
    std::string expectedName;
    int expectedPrompts;
};

TEST_F(ProfileFileTest, ActivationTrimsTheNameAndAsksForAMissingOne) {
    const std::string tooLong = "  A very long reader name  ";
    const ActivateCase cases[] = {
        {"name with blanks", "  Lab A  ", 1, {}, "Lab A", 0},
        {"empty name, entered", "", 1, {"Lab B"}, "Lab B", 1},
        {"blank name, cancel then blanks", "   ", 2, {std::nullopt, "  ", "C"}, "C", 3},
        {"long name is cut", "", 1, {tooLong}, "A very long rea", 1},
        {"index beyond the profiles reads page 0", "", 9, {"Zero"}, "Zero", 1},
    };
    for (const ActivateCase& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes file = makeProfileFile({3, false, c.current});
        const int page = c.current < 3 ? c.current : 0;
        putText(file, 4 * Page * page + 775, c.storedName);
        file[4 * Page * page + 266] = 4;
        file[4 * Page * page + 267] = 0;
        file[4 * Page * page + 260] = 1;
        file[4 * Page * page + 742] = 0;
        write(file);
        prompter = CountingPrompter{};
        prompter.texts.assign(c.answers.begin(), c.answers.end());

        const ProfileActivation activation = ActivateProfileFile(path, ctx);

        ASSERT_TRUE(activation.ok);
        EXPECT_EQ(activation.readerName, c.expectedName);
        EXPECT_EQ(activation.ReaderType, 4);
        EXPECT_TRUE(activation.CorrectGlitches);
        EXPECT_FALSE(activation.ShortDataMode);
        EXPECT_EQ(static_cast<int>(prompter.shown.size()), c.expectedPrompts);
        EXPECT_EQ(prompter.beeps, std::max(0, c.expectedPrompts - 1));
        if (c.expectedPrompts > 0) {
            EXPECT_EQ(prompter.shown[0].caption, "Reader system ID is empty");
            EXPECT_EQ(prompter.shown[0].text, "it must be a unique name (<= 15 chars)");
        }
        const Bytes after = read();
        const bool renamed = c.expectedPrompts > 0;
        const std::size_t name = 4 * Page * page + 775;
        if (renamed) {
            EXPECT_EQ(std::string(after.begin() + name + 1, after.begin() + name + 1 + after[name]),
                      c.expectedName);
            EXPECT_TRUE(sameOutside(file, after, {{name, name + 24}}));
        } else {
            EXPECT_EQ(after, file);
        }
    }
}

TEST_F(ProfileFileTest, ActivationGivesUpOnAnOperatorWhoAlwaysCancels) {
    Bytes file = makeProfileFile({1, false, 0});
    putText(file, 775, "");
    write(file);

    const ProfileActivation activation = ActivateProfileFile(path, ctx);

    EXPECT_TRUE(activation.ok);
    EXPECT_EQ(activation.readerName, "");
    EXPECT_EQ(prompter.shown.size(), 10u);
    EXPECT_EQ(read(), file);
}

TEST_F(ProfileFileTest, ActivationOfAShortFileReportsIt) {
    write(Bytes(1000, 0));
    const ProfileActivation activation = ActivateProfileFile(path, ctx);
    EXPECT_FALSE(activation.ok);
    EXPECT_EQ(activation.readerName, "");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("too short"), std::string::npos);
}

TEST_F(ProfileFileTest, CopyMovesThePathInUseOnlyWhenTheCopySucceeds) {
    const Bytes file = makeProfileFile({2, false, 0});
    write(file);
    state.ProfilePath = path;
    const std::string copy = (dir / "Lab2.dta").string();
    write(Bytes(5, 1), copy);

    ASSERT_TRUE(CopyProfileFile(copy, state, ctx));
    EXPECT_EQ(read(copy), file);
    EXPECT_EQ(state.ProfilePath, copy);
    EXPECT_EQ(settings.readText(ProfileSettingsKey, ProfileSettingName), copy);

    EXPECT_FALSE(CopyProfileFile((dir / "no-such-dir" / "x.dta").string(), state, ctx));
    EXPECT_EQ(state.ProfilePath, copy);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(ProfileFileTest, ASettingsStoreThatCannotBeWrittenIsReported) {
    write(makeProfileFile({1, false, 0}));
    settings.readOnly = true;
    EXPECT_TRUE(LoadProfile(path, state, ctx).ok);
    EXPECT_EQ(messages(), (std::vector<std::string>{"Error: Could not write to registry."}));
}

struct StartupCase {
    const char* what;
    bool remembered;      // "System info" names an existing file
    bool local;           // TLInfo.dta in the working directory
    const char* expected; // "remembered", "local" or ""
};

TEST_F(ProfileFileTest, StartupTakesTheRememberedFileBeforeTheLocalOne) {
    const StartupCase cases[] = {
        {"both", true, true, "remembered"},
        {"remembered only", true, false, "remembered"},
        {"local only", false, true, "local"},
        {"none", false, false, ""},
    };
    const fs::path work = dir / "work";
    const fs::path remembered = dir / "lab.dta";
    for (const StartupCase& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(work);
        fs::create_directories(work);
        fs::remove(remembered);
        settings = MemorySettingsStore{};
        settings.writeText(ProfileSettingsKey, ProfileSettingName, remembered.string());
        if (c.remembered) {
            write(makeProfileFile({1}), remembered);
        }
        if (c.local) {
            write(makeProfileFile({1}), work / "TLInfo.dta");
        }
        const std::optional<std::string> found = FindStartupProfile(settings, work);
        const std::string expected = std::string(c.expected) == "remembered" ? remembered.string()
                                     : std::string(c.expected) == "local"
                                         ? (work / "TLInfo.dta").string()
                                         : "";
        EXPECT_EQ(found.value_or(""), expected);
    }
}

TEST_F(ProfileFileTest, OpeningAFileActivatesAndLoadsIt) {
    Bytes file = makeProfileFile({2, false, 1});
    file[4 * Page + 266] = 4;
    file[4 * Page + 267] = 0;
    write(file);

    const ProfileActivation opened = OpenProfileFile(path, state, ctx);

    ASSERT_TRUE(opened.ok);
    EXPECT_EQ(opened.readerName, "Reader 1");
    EXPECT_EQ(opened.ReaderType, 4);
    EXPECT_TRUE(state.ProfileLoaded);
    EXPECT_EQ(state.ProfilePath, fs::absolute(path).lexically_normal().string());
    EXPECT_EQ(state.Profile.ReaderType, 4);

    write(Bytes(100, 0));
    const ProfileState before = state;
    EXPECT_FALSE(OpenProfileFile(path, state, ctx).ok);
    EXPECT_EQ(state.Profile, before.Profile);
    EXPECT_EQ(state.ProfilePath, before.ProfilePath);
}

TEST_F(ProfileFileTest, ASavedFileKeepsItsAccessRights) {
    write(makeProfileFile({1}));
    const auto rights = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, rights);
    ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
    ASSERT_TRUE(SaveProfile(path, state, ctx));
    EXPECT_EQ(fs::status(path).permissions(), rights);
}

TEST_F(ProfileFileTest, AnOversizedFileIsNotTakenForAProfileFile) {
    write(makeProfileFile({1}));
    fs::resize_file(path, (16u << 20) + 1); // sparse, so cheap
    const ProfileLoadResult result = LoadProfile(path, state, ctx);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.error.find("too large"), std::string::npos);
}

TEST_F(ProfileFileTest, SavesThroughThePlatformSyncToo) {
    write(makeProfileFile({2}));
    ctx.syncFile = platform::SyncFileToDisk;
    ASSERT_TRUE(LoadProfile(path, state, ctx).ok);
    state.Profile.HasFivePages = true;
    EXPECT_TRUE(SaveProfile(path, state, ctx));
    EXPECT_EQ(fs::file_size(path), 8000u);
    EXPECT_FALSE(platform::SyncFileToDisk(dir / "missing"));
}

} // namespace
} // namespace gw
