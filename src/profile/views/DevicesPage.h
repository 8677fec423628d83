#pragma once

#include "profile/ProfileEditor.h"

#include <QWidget>
#include <array>
#include <functional>
#include <map>

class QComboBox;
class QLineEdit;
class QTableWidget;

namespace gw {

class ProfileNumberEdit;
class Prompter;

// One device page of the profile editor. "TL & OSL devices" edits the main device set: active
// device, device power, the OSL device table, time bases, sample temperature, preheat and
// irradiation type, and the ROI table. "SAA devices" and "SAR devices" show their set the same
// way without editing it (the SAR page edits its own OSL ROIs).
class DevicesPage : public QWidget {
    Q_OBJECT

public:
    enum class Set { Main, Saa, Sar };

    DevicesPage(Set set, ProfileEditor& editor, Prompter& prompter, QWidget* parent = nullptr);

    void showProfile();
    // Called after every edit the page hands to the editor, stored or refused.
    std::function<void()> edited;

    QComboBox* ActiveDeviceList = nullptr;
    QComboBox* PreheatList = nullptr;
    QComboBox* IrradiationTypeList = nullptr; // main page only
    QTableWidget* DeviceTable = nullptr;
    QTableWidget* RoiGrid = nullptr; // the main ROI table, or the SAR ROI table
    std::map<ProfileNumber, ProfileNumberEdit*> NumberEdits; // main page
    std::map<ProfileNumber, QLineEdit*> ShownNumbers;        // single-aliquot pages

private:
    const DeviceSet& deviceSet() const;
    QWidget* buildSettings();
    QWidget* buildDeviceTable();
    QWidget* buildRoiTable();
    void showDeviceTable();
    void showRoiTable();
    void showNumbers();
    void cellEdited(int row, int column);
    void roiEdited(int row, int column);
    void after(bool) {
        if (edited)
            edited();
    }

    Set set_;
    ProfileEditor& editor_;
    Prompter& prompter_;
    bool filling_ = false;
};

} // namespace gw
