#include "link/views/PortSetupDialog.h"

#include "link/runtime/SerialDeviceFactory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace gw {

PortSetupDialog::PortSetupDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Setup"));
    setModal(true);
    auto* group = new QGroupBox(QStringLiteral(" Settings "), this);
    auto* form = new QFormLayout(group);
    port_ = addChoice(form, QStringLiteral("Port"), {});
    // A device path such as a pseudo-terminal can be typed in.
    port_->setEditable(true);
    port_->setInsertPolicy(QComboBox::NoInsert);
    baudRate_ = addChoice(form, QStringLiteral("Baud rate"), baudRateNames());
    dataBits_ = addChoice(form, QStringLiteral("Data bits"), dataBitsNames());
    stopBits_ = addChoice(form, QStringLiteral("Stop bits"), stopBitsNames());
    parity_ = addChoice(form, QStringLiteral("Parity"), parityNames());
    flowControl_ = addChoice(form, QStringLiteral("Flow control"), flowControlNames());

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

QComboBox* PortSetupDialog::addChoice(QFormLayout* form, const QString& label,
                                      const std::vector<std::string>& values) {
    auto* choice = new QComboBox(this);
    for (const std::string& value : values) {
        choice->addItem(QString::fromStdString(value));
    }
    form->addRow(label, choice);
    return choice;
}

void PortSetupDialog::preset(const PortSettings& settings,
                             const std::vector<std::string>& portNames) {
    preset_ = settings;
    port_->clear();
    for (const std::string& name : portNames) {
        port_->addItem(QString::fromStdString(name));
    }
    port_->setCurrentText(QString::fromStdString(settings.portName));
    baudRate_->setCurrentIndex(static_cast<int>(settings.baudRate));
    dataBits_->setCurrentIndex(static_cast<int>(settings.dataBits));
    stopBits_->setCurrentIndex(static_cast<int>(settings.stopBits));
    parity_->setCurrentIndex(static_cast<int>(settings.parity));
    flowControl_->setCurrentIndex(static_cast<int>(settings.flowControl()));
}

PortSettings PortSetupDialog::chosen() const {
    PortSettings settings = preset_;
    settings.portName = port_->currentText().trimmed().toStdString();
    settings.baudRate = static_cast<BaudRate>(baudRate_->currentIndex());
    settings.dataBits = static_cast<DataBits>(dataBits_->currentIndex());
    settings.stopBits = static_cast<StopBits>(stopBits_->currentIndex());
    settings.parity = static_cast<Parity>(parity_->currentIndex());
    settings.setFlowControl(static_cast<FlowControl>(flowControl_->currentIndex()));
    return settings;
}

bool PortSetupDialog::edit(PortSettings& settings, QWidget* parent) {
    PortSetupDialog dialog(parent);
    dialog.preset(settings, SerialDeviceFactory::portNames());
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    settings = dialog.chosen();
    return true;
}

} // namespace gw
