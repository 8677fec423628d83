#pragma once

#include "profile/ProfileEditor.h"

#include <QDialog>
#include <array>
#include <functional>
#include <map>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace gw {

class DevicesPage;
class IrradiatorPage;
class ProfileNumberEdit;
class Prompter;

// The profile editor, "Select & edit system profile": the profile list of the file, the System
// ID and creation date, "Save changes", and nine tabs over the live profile. It shows what the
// ProfileEditor holds and hands every choice to it; the file is read when the window opens and
// after a profile switch, never when the window merely becomes active again.
class TEditInfo : public QDialog {
    Q_OBJECT

public:
    static constexpr const char* Caption = "Select & edit system profile";

    TEditInfo(ProfileEditor& editor, Prompter& prompter, QWidget* parent = nullptr);
    ~TEditInfo() override;

    // Reads the profile file and shows the window modally until the operator closes it.
    void run();
    // Reads the profile file as on opening and shows it; false when it cannot be read.
    bool load();
    // Fills every control from the live profile.
    void showProfile();

    ProfileEditor& editor() { return editor_; }

    // The platform's dialogs, replaceable in tests: a directory (empty on cancel), the path of a
    // new profile file (empty on cancel), and the reader type and name of a new file.
    std::function<QString(const QString& caption, const QString& start)> chooseDirectory;
    std::function<QString()> chooseNewProfilePath;
    std::function<std::optional<NewProfileOptions>()> chooseNewReader;

    QComboBox* ProfileList = nullptr;
    QLabel* CurrentProfileLabel = nullptr;
    QLineEdit* SystemIdEdit = nullptr;
    QLineEdit* DateCreatedEdit = nullptr;
    QPushButton* SaveButton = nullptr;
    QPushButton* NewFileButton = nullptr;
    QTabWidget* Tabs = nullptr;
    // General and Detectors.
    QComboBox* ReaderList = nullptr;
    QLineEdit* DataDirEdit = nullptr;
    QPushButton* DataDirButton = nullptr;
    QComboBox* TimeUnitList = nullptr;
    QComboBox* CurveFilterList = nullptr;
    QWidget* HalogenControls = nullptr;
    std::map<ProfileFlag, QCheckBox*> FlagBoxes;
    std::map<OslSource, QCheckBox*> SourceBoxes;
    std::map<ProfileNumber, ProfileNumberEdit*> NumberEdits;
    // Device and irradiator pages, in tab order.
    std::array<DevicesPage*, 3> DevicePages{};
    std::array<IrradiatorPage*, 3> IrradiatorPages{};
    // Networking.
    QCheckBox* LanCopyBox = nullptr;
    QLineEdit* LanDirEdit = nullptr;
    QPushButton* LanDirButton = nullptr;

private:
    QWidget* buildHeader();
    QWidget* buildGeneral();
    QWidget* buildDetectors();
    QWidget* buildNetworking();
    QCheckBox* flagBox(ProfileFlag flag, const char* caption, QWidget* parent);
    QCheckBox* sourceBox(OslSource source, const char* caption, QWidget* parent);
    ProfileNumberEdit* numberEdit(ProfileNumber field, QWidget* parent);
    void wireNavigation();
    void showHeader();
    void showGeneral();
    void profileChosen(int index);
    void chooseDataDirectory();
    void chooseLanDirectory();
    void createProfileFile();
    void save();
    // After every edit: the controls show what the record now holds.
    void after(bool);

    ProfileEditor& editor_;
    Prompter& prompter_;
};

} // namespace gw
