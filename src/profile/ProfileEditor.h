#pragma once

#include "profile/LanCopySettings.h"
#include "profile/NewProfileFile.h"
#include "profile/OslSourceRules.h"
#include "profile/ProfileContext.h"
#include "profile/ProfileEditorLists.h"
#include "profile/ProfileNumberField.h"
#include "profile/ProfileState.h"

#include <functional>
#include <string>
#include <vector>

namespace gw {

// The check boxes of the profile editor that store a plain flag (the OSL sources follow their
// own rules, see OslSource).
enum class ProfileFlag {
    ShortDataMode,
    GasOnIrrad,
    HasFivePages,
    HalogenSwitch,
    OSLonIrrad,
    OSLonTL,
    OSLonPreheat,
    HasScanner,
    DTCorr,
    CorrectGlitches,
    DetectorFilter,
    HasIRIS,
    DyCorr,
};

// The rules of the profile editor over the live profile: which profile of the file is edited,
// every edit with its limits and storage, and saving. Every edit is written into the live record
// at once (the running console sees it) and marks changes as pending; an edit the record cannot
// hold is refused with a message to the operator and the stored value is kept. The file is read
// when the editor opens and after a profile switch only, never behind the operator's back.
class ProfileEditor {
public:
    ProfileEditor(ProfileState& state, ProfileContext& ctx);

    // Called after the live profile was replaced by a load (a switch, another file) or written
    // by a save: a compiled or prepared script no longer matches it.
    std::function<void()> profileReplaced;

    // Reads the current profile of the file in use and the LAN settings; clears pending changes.
    // Edits left pending when the window was last closed are still the live profile's: they are
    // shown again, still pending, instead of being replaced by the file without a word.
    bool open();
    // Makes another profile of the file the current one and loads it; asks first when changes
    // are pending (false when the operator keeps them, and nothing changes).
    bool selectProfile(int index);
    // Takes another profile file into use (a new one, say) and loads it; asks first as above.
    bool openFile(const std::string& path);
    // "New profile file...": creates a profile file for a new reader (as gwtool profile new does)
    // and takes it into use. The file must not exist; asks first when changes are pending.
    bool createFile(const std::string& path, const NewProfileOptions& options);
    // "Save changes": the profile to its file, then the LAN settings to the settings store.
    bool save();
    // True when nothing is pending or the operator agrees to discard it.
    bool confirmDiscard();

    bool changesPending() const { return changesPending_; }
    const std::vector<std::string>& profileNames() const { return names_; }
    int currentIndex() const { return current_; }
    std::string currentProfileText() const { return CurrentProfileText(current_, count_); }
    const SystemProfile& profile() const { return state_.Profile; }
    const ProfileState& state() const { return state_; }
    const LanCopySettings& lan() const { return lan_; }
    // What "Irradiator port offset" of the beta tab shows: BetaPort in a profile with extended
    // info, else the port the reader type implies (BetaPort where it implies none).
    int shownBetaPort() const;
    // The beta port is stored only on the fifth page, so it can be edited only with five pages.
    bool betaPortEditable() const { return state_.Profile.HasFivePages; }

    bool setNumber(ProfileNumber id, double value);
    // Text typed by the operator; text that is not a number is refused with the standard
    // conversion message.
    bool setNumberText(ProfileNumber id, const std::string& text);
    bool setFlag(ProfileFlag flag, bool on);
    bool setOslSource(OslSource source, bool on);
    bool setReaderType(int type);
    bool setIrradTimeUnit(int seconds);
    bool setCurveFilter(int index);
    bool setActiveDevice(int device);
    bool setPreheatType(int item);
    bool setIrradiationType(const std::string& item);
    bool setIsotope(IrradiatorKind kind, const std::string& text);
    bool setDoseRateUnit(IrradiatorKind kind, const std::string& text);
    bool setArrangement(IrradiatorKind kind, int index);
    bool setCalibrationDate(IrradiatorKind kind, const CivilDate& date);
    bool setSystemId(const std::string& text);
    bool setDataDirectory(const std::string& directory);
    bool setLanCopy(bool on);
    bool setLanDirectory(const std::string& directory);
    bool editDeviceCell(int row, int column, const std::string& text);
    bool editRoiCell(int row, int column, const std::string& text);
    bool editSarRoiCell(int row, int column, const std::string& text);

    static bool FlagValue(const SystemProfile& profile, ProfileFlag flag);

private:
    bool load();
    bool refuse(const std::string& message);
    bool changed();
    // Stores an edit's outcome: an empty message means stored.
    bool outcome(const std::string& message) {
        return message.empty() ? changed() : refuse(message);
    }

    ProfileState& state_;
    ProfileContext& ctx_;
    LanCopySettings lan_;
    std::vector<std::string> names_;
    int current_ = 0;
    int count_ = 0;
    bool changesPending_ = false;
    // The live profile and its file as the last edit left them, to tell whether pending edits
    // are still the live profile's when the editor opens again.
    SystemProfile edited_;
    std::string editedPath_;
};

} // namespace gw
