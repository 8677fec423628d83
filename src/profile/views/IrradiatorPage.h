#pragma once

#include "profile/ProfileEditor.h"

#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;

namespace gw {

class ProfileNumberEdit;

// One irradiator tab of the profile editor ("Beta irradiators", "Alpha irradiators", "Gamma
// irradiators"): the source's isotope, half-life, dose-rate unit and calibration date, the
// decay option, the arrangement, the external dose rate, the internal positions' dose rates (and
// the X-ray tube currents) and the port offset.
class IrradiatorPage : public QWidget {
    Q_OBJECT

public:
    IrradiatorPage(IrradiatorKind kind, ProfileEditor& editor, QWidget* parent = nullptr);

    void showProfile();
    std::function<void()> edited;

    QComboBox* IsotopeList = nullptr;
    QComboBox* UnitList = nullptr;
    QDateEdit* CalibrationDate = nullptr;
    QCheckBox* DecayBox = nullptr;
    QLabel* ArrangementLabel = nullptr;
    QComboBox* ArrangementList = nullptr;
    QGroupBox* InternalGroup = nullptr;
    ProfileNumberEdit* HalfLife = nullptr;
    ProfileNumberEdit* ExternalRate = nullptr;
    ProfileNumberEdit* PortOffset = nullptr;
    // Top, high and low position: caption, dose rate, unit (and tube current, X-ray only).
    struct Position {
        QLabel* caption = nullptr;
        ProfileNumberEdit* rate = nullptr;
        QLabel* unit = nullptr;
        ProfileNumberEdit* current = nullptr;
        QLabel* currentUnit = nullptr;
    };
    std::array<Position, 3> Positions;

private:
    QWidget* buildSource();
    QWidget* buildRates();
    ProfileNumberEdit* numberEdit(ProfileNumber field, QWidget* parent);
    void showPositions();
    void dateChosen();
    void after(bool) {
        if (edited)
            edited();
    }

    IrradiatorKind kind_;
    ProfileEditor& editor_;
    QLabel* externalUnit_ = nullptr;
};

} // namespace gw
