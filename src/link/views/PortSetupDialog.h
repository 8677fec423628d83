#pragma once

#include "link/PortSettings.h"

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QFormLayout;

namespace gw {

// "Port settings": the modal "Setup" window with the six choices of a port. It edits a copy of the
// settings; the caller applies the result only when the operator chose OK.
class PortSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit PortSetupDialog(QWidget* parent = nullptr);

    // Fills the choices from the settings; the port list comes first, and a port name that is not
    // in it (a device path typed earlier) is shown as it is.
    void preset(const PortSettings& settings, const std::vector<std::string>& portNames);

    // The preset settings with the six choices applied.
    PortSettings chosen() const;

    // Shows the dialog for the settings with the system's port list; true and the settings changed
    // on OK, false and nothing changed on Cancel.
    static bool edit(PortSettings& settings, QWidget* parent = nullptr);

    QComboBox* portChoice() const { return port_; }
    QComboBox* baudRateChoice() const { return baudRate_; }
    QComboBox* dataBitsChoice() const { return dataBits_; }
    QComboBox* stopBitsChoice() const { return stopBits_; }
    QComboBox* parityChoice() const { return parity_; }
    QComboBox* flowControlChoice() const { return flowControl_; }

private:
    QComboBox* addChoice(QFormLayout* form, const QString& label,
                         const std::vector<std::string>& values);

    PortSettings preset_;
    QComboBox* port_ = nullptr;
    QComboBox* baudRate_ = nullptr;
    QComboBox* dataBits_ = nullptr;
    QComboBox* stopBits_ = nullptr;
    QComboBox* parity_ = nullptr;
    QComboBox* flowControl_ = nullptr;
};

} // namespace gw
