#include "profile/views/DevicesPage.h"

#include "core/Prompter.h"
#include "platform/Windows1252.h"
#include "profile/OslDeviceTable.h"
#include "profile/RoiTable.h"
#include "profile/views/ProfileNumberEdit.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

namespace gw {

namespace {

constexpr ProfileNumber TimeBases[] = {ProfileNumber::TB10, ProfileNumber::TB100,
                                       ProfileNumber::TB1000, ProfileNumber::TB10000};
const char* const TimeBaseCaptions[] = {"x 10 ms", "x 100 ms", "x 1 s", "x 10 s"};

QTableWidget* makeGrid(int rows, int columns, std::initializer_list<int> widths, QWidget* parent) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(20);
    int column = 0;
    int total = 4;
    for (int width : widths) {
        grid->setColumnWidth(column++, width + 24);
        total += width + 24;
    }
    grid->setFixedWidth(total);
    grid->setFixedHeight(rows * 20 + 4);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return grid;
}

QLabel* captionFor(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

void setCell(QTableWidget* grid, int row, int column, const std::string& text, bool editable,
             bool heading) {
    auto* item = new QTableWidgetItem(FromWindows1252(text));
    Qt::ItemFlags flags = Qt::ItemIsEnabled;
    if (editable) {
        flags |= Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    if (heading) {
        item->setBackground(grid->palette().button());
    } else if (column > 0) {
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    grid->setItem(row, column, item);
}

} // namespace

DevicesPage::DevicesPage(Set set, ProfileEditor& editor, Prompter& prompter, QWidget* parent)
    : QWidget(parent), set_(set), editor_(editor), prompter_(prompter) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSettings());
    auto* tables = new QVBoxLayout;
    tables->addWidget(buildDeviceTable());
    if (set_ != Set::Saa) {
        tables->addWidget(buildRoiTable());
    }
    tables->addStretch(1);
    layout->addLayout(tables);
    layout->addStretch(1);
}

const DeviceSet& DevicesPage::deviceSet() const {
    const SystemProfile& p = editor_.profile();
    return set_ == Set::Main ? p.Devices : set_ == Set::Saa ? p.SaaDevices : p.SarDevices;
}

QWidget* DevicesPage::buildSettings() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    const bool main = set_ == Set::Main;
    int row = 0;
    const auto number = [&](ProfileNumber field, const char* caption, const char* unit) {
        auto* label = new QLabel(QString::fromLatin1(caption), box);
        grid->addWidget(label, row, 0);
        QLineEdit* edit = nullptr;
        if (main) {
            auto* numberEdit = new ProfileNumberEdit(field, box);
            numberEdit->store = [this](ProfileNumber f, const std::string& text) {
                after(editor_.setNumberText(f, text));
            };
            NumberEdits[field] = numberEdit;
            edit = numberEdit;
        } else {
            edit = new QLineEdit(box);
            edit->setReadOnly(true);
            edit->setAlignment(Qt::AlignRight);
            edit->setMaximumWidth(110);
            ShownNumbers[field] = edit;
        }
        label->setBuddy(edit);
        grid->addWidget(edit, row, 1);
        if (unit != nullptr) {
            grid->addWidget(new QLabel(QString::fromLatin1(unit), box), row, 2);
        }
        ++row;
    };

    ActiveDeviceList = new QComboBox(box);
    grid->addWidget(captionFor("&Active OSL device", ActiveDeviceList, box), row++, 0, 1, 3);
    ActiveDeviceList->setEnabled(main);
    grid->addWidget(ActiveDeviceList, row++, 0, 1, 3);
    number(ProfileNumber::DevicePower, "&Device power", "% max");

    auto* timeBases = new QGroupBox(QStringLiteral("Time bases"), box);
    auto* tbGrid = new QGridLayout(timeBases);
    for (int i = 0; i < 4; ++i) {
        QLineEdit* edit = nullptr;
        if (main) {
            auto* numberEdit = new ProfileNumberEdit(TimeBases[i], timeBases);
            numberEdit->store = [this](ProfileNumber f, const std::string& text) {
                after(editor_.setNumberText(f, text));
            };
            NumberEdits[TimeBases[i]] = numberEdit;
            edit = numberEdit;
        } else {
            edit = new QLineEdit(timeBases);
            edit->setReadOnly(true);
            edit->setAlignment(Qt::AlignRight);
            ShownNumbers[TimeBases[i]] = edit;
        }
        edit->setMaximumWidth(60);
        tbGrid->addWidget(edit, i, 0);
        tbGrid->addWidget(new QLabel(QString::fromLatin1(TimeBaseCaptions[i]), timeBases), i, 1);
    }
    grid->addWidget(timeBases, row++, 0, 1, 3);
    number(ProfileNumber::SampleTemp, "Sample temperature", "deg C");

    PreheatList = new QComboBox(box);
    grid->addWidget(captionFor("&Preheat type", PreheatList, box), row++, 0, 1, 3);
    for (const std::string& item : PreheatItems) {
        PreheatList->addItem(QString::fromStdString(item));
    }
    PreheatList->setEnabled(main);
    grid->addWidget(PreheatList, row++, 0, 1, 3);
    if (main) {
        IrradiationTypeList = new QComboBox(box);
        grid->addWidget(captionFor("&Irradiation type", IrradiationTypeList, box), row++, 0, 1, 3);
        grid->addWidget(IrradiationTypeList, row++, 0, 1, 3);
        connect(IrradiationTypeList, &QComboBox::activated, this, [this](int index) {
            after(editor_.setIrradiationType(ToWindows1252(IrradiationTypeList->itemText(index))));
        });
        connect(ActiveDeviceList, &QComboBox::activated, this, [this](int index) {
            after(editor_.setActiveDevice(ActiveDeviceList->itemData(index).toInt()));
        });
        connect(PreheatList, &QComboBox::activated, this,
                [this](int index) { after(editor_.setPreheatType(index)); });
    }
    grid->setRowStretch(row, 1);
    return box;
}

QWidget* DevicesPage::buildDeviceTable() {
    auto* group = new QGroupBox(QStringLiteral("OSL devices"), this);
    auto* layout = new QVBoxLayout(group);
    DeviceTable =
        makeGrid(OslDeviceTable::Rows, OslDeviceTable::Columns, {20, 55, 55, 50, 50}, group);
    layout->addWidget(DeviceTable);
    if (set_ == Set::Main) {
        // Queued: the edit is judged and the table refilled once the cell has finished its edit.
        connect(DeviceTable, &QTableWidget::cellChanged, this, &DevicesPage::cellEdited,
                Qt::QueuedConnection);
    } else {
        DeviceTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
        connect(DeviceTable, &QTableWidget::cellClicked, this, [this] {
            prompter_.message(MessageKind::Information, "Information",
                              "Go to TL & OSL devices to edit.");
        });
    }
    return group;
}

QWidget* DevicesPage::buildRoiTable() {
    const bool main = set_ == Set::Main;
    auto* group = new QGroupBox(
        main ? QStringLiteral("TL ROIs, OSL ROIs") : QStringLiteral("SAR OSL ROIs"), this);
    auto* layout = new QVBoxLayout(group);
    RoiGrid = main ? makeGrid(RoiTable::Rows, RoiTable::Columns, {43, 45, 45, 45, 45}, group)
                   : makeGrid(SarRoiTable::Rows, SarRoiTable::Columns, {43, 45, 45}, group);
    layout->addWidget(RoiGrid);
    connect(RoiGrid, &QTableWidget::cellChanged, this, &DevicesPage::roiEdited,
            Qt::QueuedConnection);
    return group;
}

void DevicesPage::showProfile() {
    filling_ = true;
    const DeviceSet& set = deviceSet();
    const OslDeviceTable table = BuildOslDeviceTable(editor_.profile(), set);
    {
        const QSignalBlocker block(ActiveDeviceList);
        ActiveDeviceList->clear();
        for (const OslDeviceTable::Item& item : table.activeDevices) {
            ActiveDeviceList->addItem(FromWindows1252(item.text), item.device);
        }
        ActiveDeviceList->setCurrentIndex(table.selectedItem);
    }
    {
        const QSignalBlocker block(PreheatList);
        PreheatList->setCurrentIndex(set.PreheatChar == 'S' ? 0 : set.PreheatChar == 'W' ? 1 : -1);
    }
    if (IrradiationTypeList != nullptr) {
        const QSignalBlocker block(IrradiationTypeList);
        const ChoiceList choice =
            IrradiationTypeChoice(editor_.profile(), editor_.profile().IrradLetter);
        IrradiationTypeList->clear();
        for (const std::string& item : choice.items) {
            IrradiationTypeList->addItem(QString::fromStdString(item));
        }
        IrradiationTypeList->setCurrentIndex(choice.selected);
    }
    showNumbers();
    showDeviceTable();
    if (RoiGrid != nullptr) {
        showRoiTable();
    }
    filling_ = false;
}

void DevicesPage::showNumbers() {
    for (auto& [field, edit] : NumberEdits) {
        edit->showValue(ShownNumber(editor_.profile(), field));
    }
    // The single-aliquot sets are shown from their own fields.
    const DeviceSet& set = deviceSet();
    const std::map<ProfileNumber, std::string> shown = {
        {ProfileNumber::DevicePower, FormatNumber(set.DevicePower / 10.0, 1)},
        {ProfileNumber::TB10, std::to_string(set.TB10)},
        {ProfileNumber::TB100, std::to_string(set.TB100)},
        {ProfileNumber::TB1000, std::to_string(set.TB1000)},
        {ProfileNumber::TB10000, std::to_string(set.TB10000)},
        {ProfileNumber::SampleTemp, std::to_string(set.SampleTemp)},
    };
    for (auto& [field, edit] : ShownNumbers) {
        edit->setText(QString::fromStdString(shown.at(field)));
    }
}

void DevicesPage::showDeviceTable() {
    const QSignalBlocker block(DeviceTable);
    const OslDeviceTable table = BuildOslDeviceTable(editor_.profile(), deviceSet());
    for (int row = 0; row < OslDeviceTable::Rows; ++row) {
        for (int column = 0; column < OslDeviceTable::Columns; ++column) {
            const bool editable =
                set_ == Set::Main && OslDeviceCellEditable(table, editor_.profile(), row, column);
            setCell(DeviceTable, row, column, table.cells[row][column], editable,
                    row == 0 || column == 0);
        }
    }
}

void DevicesPage::showRoiTable() {
    const QSignalBlocker block(RoiGrid);
    const bool main = set_ == Set::Main;
    const int rows = main ? RoiTable::Rows : SarRoiTable::Rows;
    const int columns = main ? RoiTable::Columns : SarRoiTable::Columns;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const bool editable =
                main ? RoiTable::CellEditable(row, column) : SarRoiTable::CellEditable(row, column);
            const std::string text = main ? RoiTable::CellText(editor_.profile(), row, column)
                                          : SarRoiTable::CellText(editor_.profile(), row, column);
            setCell(RoiGrid, row, column, text, editable, !editable);
        }
    }
}

void DevicesPage::cellEdited(int row, int column) {
    if (filling_) {
        return;
    }
    const QTableWidgetItem* item = DeviceTable->item(row, column);
    const std::string text = item != nullptr ? ToWindows1252(item->text()) : std::string();
    after(editor_.editDeviceCell(row, column, text));
}

void DevicesPage::roiEdited(int row, int column) {
    if (filling_) {
        return;
    }
    const QTableWidgetItem* item = RoiGrid->item(row, column);
    const std::string text = item != nullptr ? ToWindows1252(item->text()) : std::string();
    after(set_ == Set::Main ? editor_.editRoiCell(row, column, text)
                            : editor_.editSarRoiCell(row, column, text));
}

} // namespace gw
