#include "profile/ProfileEditor.h"

#include "core/Prompter.h"
#include "profile/DirectoryText.h"
#include "profile/FifthPage.h"
#include "profile/IrradiationLetter.h"
#include "profile/OslDeviceTable.h"
#include "profile/ProfileFile.h"
#include "profile/RoiTable.h"

#include <cstdio>

namespace gw {

namespace {

constexpr std::size_t SystemIdLength = 15;
constexpr std::size_t DataDirectoryLength = 41;
constexpr std::size_t ListTextLength = 7;

std::string dateText(const CivilDate& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

bool& flagField(SystemProfile& p, ProfileFlag flag) {
    switch (flag) {
    case ProfileFlag::ShortDataMode:
        return p.ShortDataMode;
    case ProfileFlag::GasOnIrrad:
        return p.GasOnIrrad;
    case ProfileFlag::HasFivePages:
        return p.HasFivePages;
    case ProfileFlag::HalogenSwitch:
        return p.HalogenSwitch;
    case ProfileFlag::OSLonIrrad:
        return p.OSLonIrrad;
    case ProfileFlag::OSLonTL:
        return p.OSLonTL;
    case ProfileFlag::OSLonPreheat:
        return p.OSLonPreheat;
    case ProfileFlag::HasScanner:
        return p.HasScanner;
    case ProfileFlag::DTCorr:
        return p.DTCorr;
    case ProfileFlag::CorrectGlitches:
        return p.CorrectGlitches;
    case ProfileFlag::DetectorFilter:
        return p.Devices.DetectorFilter;
    case ProfileFlag::HasIRIS:
        return p.HasIRIS;
    case ProfileFlag::DyCorr:
        break;
    }
    return p.DyCorr;
}

} // namespace

ProfileEditor::ProfileEditor(ProfileState& state, ProfileContext& ctx) : state_(state), ctx_(ctx) {}

bool ProfileEditor::FlagValue(const SystemProfile& profile, ProfileFlag flag) {
    SystemProfile copy = profile;
    return flagField(copy, flag);
}

bool ProfileEditor::open() {
    if (changesPending_ && state_.Profile == edited_ && state_.ProfilePath == editedPath_) {
        return true;
    }
    lan_ = LanCopySettings::Read(ctx_.settings);
    return load();
}

bool ProfileEditor::load() {
    const SystemProfile before = state_.Profile;
    const ProfileLoadResult loaded = LoadProfile(state_.ProfilePath, state_, ctx_);
    if (!loaded.ok) {
        return refuse(loaded.error);
    }
    names_ = loaded.names;
    current_ = loaded.current;
    count_ = loaded.count;
    // The detector's filter changer is not offered; showing a profile clears it.
    state_.Profile.Devices.DetectorFilter = false;
    changesPending_ = false;
    if (profileReplaced && !(state_.Profile == before)) {
        profileReplaced();
    }
    return true;
}

bool ProfileEditor::confirmDiscard() {
    if (!changesPending_) {
        return true;
    }
    return ctx_.prompter.ask("Confirm",
                             "The changes to this profile have not been saved. Discard them?",
                             QuestionButtons::YesNo) == Answer::Yes;
}

bool ProfileEditor::selectProfile(int index) {
    if (!confirmDiscard() || !SelectCurrentProfile(state_.ProfilePath, index, ctx_)) {
        return false;
    }
    return load();
}

bool ProfileEditor::openFile(const std::string& path) {
    if (!confirmDiscard()) {
        return false;
    }
    if (!OpenProfileFile(path, state_, ctx_).ok) {
        return false;
    }
    return load();
}

bool ProfileEditor::createFile(const std::string& path, const NewProfileOptions& options) {
    if (!confirmDiscard()) {
        return false;
    }
    if (const FileError error = CreateProfileFile(path, options, ctx_.syncFile)) {
        return refuse("No profile file was created. " + error.message);
    }
    changesPending_ = false; // the operator agreed to leave them
    return openFile(path);
}

bool ProfileEditor::save() {
    std::string error;
    const std::optional<ProfileImage> image = ReadProfileImage(state_.ProfilePath, error);
    if (image && image->currentIndex() != current_) {
        // Another program chose another profile meanwhile; this one must not be written over it.
        return refuse("The profile file " + state_.ProfilePath +
                      " now names another profile as current. The changes were not saved; " +
                      "choose the profile again to edit it.");
    }
    if (!SaveProfile(state_.ProfilePath, state_, ctx_)) {
        return false;
    }
    if (!lan_.Write(ctx_.settings)) {
        ctx_.prompter.message(MessageKind::Error, "Error", "Could not write to registry.");
    }
    changesPending_ = false;
    if (profileReplaced) {
        profileReplaced();
    }
    return true;
}

int ProfileEditor::shownBetaPort() const {
    const SystemProfile& p = state_.Profile;
    return p.HasFivePages ? p.BetaPort : DefaultBetaPort(p.ReaderType).value_or(p.BetaPort);
}

bool ProfileEditor::refuse(const std::string& message) {
    ctx_.prompter.message(MessageKind::Error, "Error", message);
    return false;
}

bool ProfileEditor::changed() {
    changesPending_ = true;
    edited_ = state_.Profile;
    editedPath_ = state_.ProfilePath;
    return true;
}

bool ProfileEditor::setNumber(ProfileNumber id, double value) {
    if (id == ProfileNumber::BetaPort && !betaPortEditable()) {
        return refuse("The beta irradiator port offset is kept only in a profile with extended "
                      "info; tick \"Extended info\" first.");
    }
    return outcome(StoreNumber(state_.Profile, id, value));
}

bool ProfileEditor::setNumberText(ProfileNumber id, const std::string& text) {
    const std::optional<double> value = ParseNumberText(text);
    if (!value) {
        return refuse(ConversionErrorText(text, NumberFieldOf(id).decimals == 0));
    }
    return setNumber(id, *value);
}

bool ProfileEditor::setFlag(ProfileFlag flag, bool on) {
    SystemProfile& p = state_.Profile;
    if (flag == ProfileFlag::HasFivePages) {
        if (p.HasFivePages || !on) {
            return false; // extended info cannot be switched off
        }
        SwitchOnFivePages(p);
        return changed();
    }
    flagField(p, flag) = on;
    return changed();
}

bool ProfileEditor::setOslSource(OslSource source, bool on) {
    return SetOslSource(state_.Profile, source, on) && changed();
}

bool ProfileEditor::setReaderType(int type) {
    if (type < 0 || type >= static_cast<int>(ReaderItems.size())) {
        return false;
    }
    state_.Profile.ReaderType = static_cast<std::int16_t>(type);
    return changed();
}

bool ProfileEditor::setIrradTimeUnit(int seconds) {
    state_.Profile.IrradTimeUnit = static_cast<std::int16_t>(seconds == 1 ? 1 : 60);
    return changed();
}

bool ProfileEditor::setCurveFilter(int index) {
    if (index < 0 || index >= static_cast<int>(CurveFilterItems.size())) {
        return false;
    }
    state_.Profile.FilterNum = static_cast<std::int16_t>(index);
    return changed();
}

bool ProfileEditor::setActiveDevice(int device) {
    if (device < 0 || device > 8) {
        return false;
    }
    state_.Profile.Devices.ActiveDevice = static_cast<std::int16_t>(device);
    return changed();
}

bool ProfileEditor::setPreheatType(int item) {
    if (item < 0 || item >= static_cast<int>(PreheatItems.size())) {
        return false;
    }
    state_.Profile.Devices.PreheatChar = PreheatItems[static_cast<std::size_t>(item)].front();
    return changed();
}

bool ProfileEditor::setIrradiationType(const std::string& item) {
    if (item.empty()) {
        return false;
    }
    // The list is shown from IrradLetter; the device set keeps the same letter.
    state_.Profile.IrradLetter = item.back();
    state_.Profile.Devices.IrradType = item.back();
    return changed();
}

bool ProfileEditor::setIsotope(IrradiatorKind kind, const std::string& text) {
    IsotopeOf(state_.Profile, kind) = text.substr(0, ListTextLength);
    return changed();
}

bool ProfileEditor::setDoseRateUnit(IrradiatorKind kind, const std::string& text) {
    DoseRateUnitOf(state_.Profile, kind) = text.substr(0, ListTextLength);
    return changed();
}

bool ProfileEditor::setArrangement(IrradiatorKind kind, int index) {
    if (index < 0 || index >= static_cast<int>(ArrangementItems.size())) {
        return false;
    }
    IrradiatorArrangementOf(state_.Profile, kind) = static_cast<std::int16_t>(index);
    return changed();
}

bool ProfileEditor::setCalibrationDate(IrradiatorKind kind, const CivilDate& date) {
    PackedDate& stored = CalibDateOf(state_.Profile, kind);
    if (!PackedDate::CanHold(date)) {
        return refuse("The profile file holds calibration dates from 1 January " +
                      std::to_string(PackedDate::FirstYear) + " to 31 December " +
                      std::to_string(PackedDate::LastYear) + " only; " + dateText(date) +
                      " cannot be stored. The " + KindName(kind) + " calibration date stays " +
                      (stored.IsEmpty() ? std::string("unset") : dateText(stored.Unpack({}))) +
                      ".");
    }
    stored = PackedDate::Pack(date);
    return changed();
}

bool ProfileEditor::setSystemId(const std::string& text) {
    state_.Profile.SystemID = text.substr(0, SystemIdLength);
    return changed();
}

bool ProfileEditor::setDataDirectory(const std::string& directory) {
    const std::string withSeparator = WithTrailingSeparator(directory);
    if (withSeparator.size() > DataDirectoryLength) {
        return refuse("Directory name is longer than 41 characters!\n" + withSeparator);
    }
    state_.Profile.VolID = withSeparator;
    return changed();
}

bool ProfileEditor::setLanCopy(bool on) {
    lan_.copy = on;
    return changed();
}

bool ProfileEditor::setLanDirectory(const std::string& directory) {
    lan_.directory = WithTrailingSeparator(directory);
    return changed();
}

bool ProfileEditor::editDeviceCell(int row, int column, const std::string& text) {
    const OslDeviceTable table = BuildOslDeviceTable(state_.Profile, state_.Profile.Devices);
    if (!OslDeviceCellEditable(table, state_.Profile, row, column)) {
        return false;
    }
    return outcome(EditOslDeviceCell(state_.Profile, row, column, text));
}

bool ProfileEditor::editRoiCell(int row, int column, const std::string& text) {
    if (!RoiTable::CellEditable(row, column)) {
        return false;
    }
    return outcome(RoiTable::EditCell(state_.Profile, row, column, text));
}

bool ProfileEditor::editSarRoiCell(int row, int column, const std::string& text) {
    if (!SarRoiTable::CellEditable(row, column)) {
        return false;
    }
    return outcome(SarRoiTable::EditCell(state_.Profile, row, column, text));
}

} // namespace gw
