#include "profile/views/TEditInfo.h"

#include "core/Prompter.h"
#include "platform/Windows1252.h"
#include "profile/views/DevicesPage.h"
#include "profile/views/IrradiatorPage.h"
#include "profile/views/ProfileNumberEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>

namespace gw {

namespace {

constexpr std::size_t ReaderNameLength = 15;

void setChecked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

QLabel* captionFor(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setBuddy(buddy);
    return label;
}

QString askDirectory(QWidget* parent, const QString& caption, const QString& start) {
    return QFileDialog::getExistingDirectory(parent, caption, start);
}

} // namespace

TEditInfo::TEditInfo(ProfileEditor& editor, Prompter& prompter, QWidget* parent)
    : QDialog(parent), editor_(editor), prompter_(prompter) {
    setObjectName(QStringLiteral("EditInfo"));
    setWindowTitle(QString::fromLatin1(Caption));
    setModal(true);
    chooseDirectory = [this](const QString& caption, const QString& start) {
        return askDirectory(this, caption, start);
    };
    chooseNewProfilePath = [this] {
        return QFileDialog::getSaveFileName(
            this, QStringLiteral("New profile file"), QStringLiteral("TLInfo.dta"),
            QStringLiteral("Info files(*.dta)"), nullptr, QFileDialog::DontConfirmOverwrite);
    };
    chooseNewReader = [this]() -> std::optional<NewProfileOptions> {
        QStringList readers;
        for (const std::string& item : ReaderItems) {
            readers << QString::fromStdString(item);
        }
        bool ok = false;
        const QString reader = QInputDialog::getItem(
            this, QStringLiteral("New profile file"), QStringLiteral("&Reader"), readers,
            static_cast<int>(readers.size()) - 1, false, &ok);
        if (!ok) {
            return std::nullopt;
        }
        NewProfileOptions options;
        options.reader = static_cast<std::int16_t>(readers.indexOf(reader));
        const QString name =
            QInputDialog::getText(this, QStringLiteral("New profile file"),
                                  QStringLiteral("Reader name (a unique name, <= 15 chars)"),
                                  QLineEdit::Normal, QString(), &ok)
                .trimmed()
                .left(static_cast<qsizetype>(ReaderNameLength));
        if (!ok) {
            return std::nullopt;
        }
        if (!name.isEmpty()) {
            options.name = ToWindows1252(name);
        }
        return options;
    };

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildHeader());
    Tabs = new QTabWidget(this);
    Tabs->addTab(buildGeneral(), QStringLiteral("General"));
    Tabs->addTab(buildDetectors(), QStringLiteral("Detectors"));
    const DevicesPage::Set sets[] = {DevicesPage::Set::Main, DevicesPage::Set::Saa,
                                     DevicesPage::Set::Sar};
    const char* const setNames[] = {"TL && OSL devices", "SAA devices", "SAR devices"};
    for (std::size_t i = 0; i < DevicePages.size(); ++i) {
        DevicePages[i] = new DevicesPage(sets[i], editor_, prompter_, Tabs);
        DevicePages[i]->edited = [this] { after(true); };
        Tabs->addTab(DevicePages[i], QString::fromLatin1(setNames[i]));
    }
    const IrradiatorKind kinds[] = {IrradiatorKind::Beta, IrradiatorKind::Alpha,
                                    IrradiatorKind::Gamma};
    const char* const kindNames[] = {"Beta irradiators", "Alpha irradiators", "Gamma irradiators"};
    for (std::size_t i = 0; i < IrradiatorPages.size(); ++i) {
        IrradiatorPages[i] = new IrradiatorPage(kinds[i], editor_, Tabs);
        IrradiatorPages[i]->edited = [this] { after(true); };
        Tabs->addTab(IrradiatorPages[i], QString::fromLatin1(kindNames[i]));
    }
    Tabs->addTab(buildNetworking(), QStringLiteral("Networking"));
    layout->addWidget(Tabs, 1);
    // The device tables are rebuilt whenever a device page is shown.
    connect(Tabs, &QTabWidget::currentChanged, this, [this](int index) {
        for (DevicesPage* page : DevicePages) {
            if (Tabs->widget(index) == page) {
                page->showProfile();
            }
        }
    });
    wireNavigation();
    resize(1060, 620);
}

TEditInfo::~TEditInfo() = default;

QWidget* TEditInfo::buildHeader() {
    auto* header = new QWidget(this);
    auto* grid = new QGridLayout(header);
    ProfileList = new QComboBox(header);
    ProfileList->setMinimumWidth(200);
    CurrentProfileLabel = new QLabel(header);
    SystemIdEdit = new QLineEdit(header);
    SystemIdEdit->setMaxLength(static_cast<int>(ReaderNameLength));
    DateCreatedEdit = new QLineEdit(header);
    DateCreatedEdit->setReadOnly(true);
    SaveButton = new QPushButton(QStringLiteral("Save changes"), header);
    SaveButton->setStyleSheet(QStringLiteral("QPushButton { color: red; font-weight: bold; }"));
    NewFileButton = new QPushButton(QStringLiteral("New profile file..."), header);

    grid->addWidget(ProfileList, 0, 0);
    grid->addWidget(CurrentProfileLabel, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("System ID"), header), 0, 1);
    grid->addWidget(SystemIdEdit, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Date created"), header), 0, 2);
    grid->addWidget(DateCreatedEdit, 1, 2);
    grid->addWidget(SaveButton, 0, 3, 2, 1);
    grid->addWidget(NewFileButton, 0, 4, 2, 1);
    grid->setColumnStretch(5, 1);

    connect(ProfileList, &QComboBox::activated, this, &TEditInfo::profileChosen);
    connect(SystemIdEdit, &QLineEdit::editingFinished, this, [this] {
        if (ToWindows1252(SystemIdEdit->text()) != editor_.profile().SystemID) {
            after(editor_.setSystemId(ToWindows1252(SystemIdEdit->text())));
        }
    });
    connect(SaveButton, &QPushButton::clicked, this, &TEditInfo::save);
    connect(NewFileButton, &QPushButton::clicked, this, &TEditInfo::createProfileFile);
    return header;
}

QCheckBox* TEditInfo::flagBox(ProfileFlag flag, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    FlagBoxes[flag] = box;
    connect(box, &QCheckBox::clicked, this,
            [this, flag](bool on) { after(editor_.setFlag(flag, on)); });
    return box;
}

QCheckBox* TEditInfo::sourceBox(OslSource source, const char* caption, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    SourceBoxes[source] = box;
    connect(box, &QCheckBox::clicked, this,
            [this, source](bool on) { after(editor_.setOslSource(source, on)); });
    return box;
}

ProfileNumberEdit* TEditInfo::numberEdit(ProfileNumber field, QWidget* parent) {
    auto* edit = new ProfileNumberEdit(field, parent);
    edit->store = [this](ProfileNumber f, const std::string& text) {
        after(editor_.setNumberText(f, text));
    };
    NumberEdits[field] = edit;
    return edit;
}

QWidget* TEditInfo::buildGeneral() {
    auto* page = new QWidget(this);
    auto* columns = new QHBoxLayout(page);

    auto* left = new QGridLayout;
    int row = 0;
    ReaderList = new QComboBox(page);
    left->addWidget(captionFor("&Reader", ReaderList, page), row++, 0);
    for (const std::string& item : ReaderItems) {
        ReaderList->addItem(QString::fromStdString(item));
    }
    left->addWidget(ReaderList, row++, 0);
    auto* dirRow = new QHBoxLayout;
    DataDirEdit = new QLineEdit(page);
    DataDirEdit->setReadOnly(true);
    DataDirButton = new QPushButton(QStringLiteral("..."), page);
    left->addWidget(captionFor("&Data directory", DataDirButton, page), row++, 0);
    DataDirButton->setMaximumWidth(30);
    dirRow->addWidget(DataDirEdit);
    dirRow->addWidget(DataDirButton);
    left->addLayout(dirRow, row++, 0);
    auto* unitRow = new QHBoxLayout;
    TimeUnitList = new QComboBox(page);
    TimeUnitList->addItems({QStringLiteral("1"), QStringLiteral("60")});
    unitRow->addWidget(TimeUnitList);
    unitRow->addWidget(new QLabel(QStringLiteral("irradiation time unit, s"), page));
    unitRow->addStretch(1);
    left->addLayout(unitRow, row++, 0);
    left->addWidget(flagBox(ProfileFlag::ShortDataMode, "&Enable short data string", page), row++,
                    0);
    left->addWidget(flagBox(ProfileFlag::GasOnIrrad, "&Purge during irradiation", page), row++, 0);
    left->addWidget(flagBox(ProfileFlag::HasFivePages, "Extended info", page), row++, 0);

    auto* sources = new QGroupBox(QStringLiteral(" OSL sources "), page);
    auto* sourceLayout = new QVBoxLayout(sources);
    sourceLayout->addWidget(sourceBox(OslSource::VisibleOSL, "&Visible OSL source", sources));
    sourceLayout->addWidget(
        sourceBox(OslSource::FilterWheel471, "&Filter wheel on OSL source", sources));
    sourceLayout->addWidget(sourceBox(OslSource::IRLEDs3500, "&IR LEDs", sources));
    sourceLayout->addWidget(
        sourceBox(OslSource::ExternalShutter, "&External shutter via 3500 exp.", sources));
    sourceLayout->addWidget(sourceBox(OslSource::IRLEDs471, "IR &LEDs on beam switch", sources));
    SourceBoxes[OslSource::ExternalShutter]->hide();
    left->addWidget(sources, row++, 0);
    left->setRowStretch(row, 1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    auto* power = new QGroupBox(QStringLiteral(" External power switch "), page);
    auto* powerLayout = new QVBoxLayout(power);
    powerLayout->addWidget(flagBox(ProfileFlag::HalogenSwitch, "&Halogen lamp switch", power));
    HalogenControls = new QWidget(power);
    auto* lamp = new QGridLayout(HalogenControls);
    lamp->setContentsMargins(0, 0, 0, 0);
    ProfileNumberEdit* lampOn = numberEdit(ProfileNumber::LampOnTime, HalogenControls);
    lamp->addWidget(captionFor("Lamp &stabilization time, s", lampOn, HalogenControls), 0, 0);
    lamp->addWidget(lampOn, 0, 1);
    lamp->addWidget(
        flagBox(ProfileFlag::OSLonIrrad, "Lamp on &during irradiation", HalogenControls), 1, 0, 1,
        2);
    lamp->addWidget(flagBox(ProfileFlag::OSLonTL, "Lamp on during &TL data take", HalogenControls),
                    2, 0, 1, 2);
    lamp->addWidget(flagBox(ProfileFlag::OSLonPreheat, "Lamp &on during preheat", HalogenControls),
                    3, 0, 1, 2);
    ProfileNumberEdit* lampOff = numberEdit(ProfileNumber::LampOffTime, HalogenControls);
    lamp->addWidget(captionFor("&Max time on when not used, s", lampOff, HalogenControls), 4, 0);
    lamp->addWidget(lampOff, 4, 1);
    powerLayout->addWidget(HalogenControls);
    right->addWidget(power);

    auto* scanner = new QGroupBox(QStringLiteral("Single grain laser scanner "), page);
    auto* scannerLayout = new QGridLayout(scanner);
    scannerLayout->addWidget(flagBox(ProfileFlag::HasScanner, "&Has scanner", scanner), 0, 0, 1, 2);
    ProfileNumberEdit* uncertainty = numberEdit(ProfileNumber::MaxUncertainty, scanner);
    scannerLayout->addWidget(captionFor("&Max relative uncertainty", uncertainty, scanner), 1, 0);
    scannerLayout->addWidget(uncertainty, 1, 1);
    right->addWidget(scanner);
    right->addStretch(1);
    columns->addLayout(right);
    columns->addStretch(1);

    connect(ReaderList, &QComboBox::activated, this,
            [this](int index) { after(editor_.setReaderType(index)); });
    connect(TimeUnitList, &QComboBox::activated, this,
            [this](int index) { after(editor_.setIrradTimeUnit(index == 0 ? 1 : 60)); });
    connect(DataDirButton, &QPushButton::clicked, this, &TEditInfo::chooseDataDirectory);
    return page;
}

QWidget* TEditInfo::buildDetectors() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    int row = 0;
    grid->addWidget(flagBox(ProfileFlag::DTCorr, "&Dead time correction", page), row, 0);
    ProfileNumberEdit* deadTime = numberEdit(ProfileNumber::NS, page);
    grid->addWidget(deadTime, row, 1);
    grid->addWidget(captionFor("&ns", deadTime, page), row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Curve filter"), page), row, 0);
    CurveFilterList = new QComboBox(page);
    for (const std::string& item : CurveFilterItems) {
        CurveFilterList->addItem(QString::fromStdString(item));
    }
    grid->addWidget(CurveFilterList, row++, 1, 1, 2);
    grid->addWidget(flagBox(ProfileFlag::CorrectGlitches, "&Correct glitches", page), row++, 0);
    ProfileNumberEdit* transmission = numberEdit(ProfileNumber::NeutralFilterXmis, page);
    grid->addWidget(captionFor("&Neutral density filter transmission", transmission, page), row, 0);
    grid->addWidget(transmission, row++, 1);
    QCheckBox* changer =
        flagBox(ProfileFlag::DetectorFilter, "&4 filter changer at detector", page);
    changer->hide();
    grid->addWidget(changer, row++, 0);
    grid->addWidget(flagBox(ProfileFlag::HasIRIS, "Has &IRIS", page), row++, 0);
    grid->setRowStretch(row, 1);
    grid->setColumnStretch(3, 1);
    connect(CurveFilterList, &QComboBox::activated, this,
            [this](int index) { after(editor_.setCurveFilter(index)); });
    return page;
}

QWidget* TEditInfo::buildNetworking() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* group = new QGroupBox(QStringLiteral(" Data transfer "), page);
    auto* grid = new QGridLayout(group);
    LanCopyBox =
        new QCheckBox(QStringLiteral("transfer data to additional directory over LAN"), group);
    LanDirEdit = new QLineEdit(group);
    LanDirButton = new QPushButton(QStringLiteral("..."), group);
    LanDirButton->setMaximumWidth(30);
    grid->addWidget(LanCopyBox, 0, 0, 1, 2);
    grid->addWidget(LanDirEdit, 1, 0);
    grid->addWidget(LanDirButton, 1, 1);
    layout->addWidget(group);
    layout->addStretch(1);
    connect(LanCopyBox, &QCheckBox::clicked, this,
            [this](bool on) { after(editor_.setLanCopy(on)); });
    connect(LanDirEdit, &QLineEdit::editingFinished, this, [this] {
        if (ToWindows1252(LanDirEdit->text()) != editor_.lan().directory) {
            after(editor_.setLanDirectory(ToWindows1252(LanDirEdit->text())));
        }
    });
    connect(LanDirButton, &QPushButton::clicked, this, &TEditInfo::chooseLanDirectory);
    return page;
}

void TEditInfo::wireNavigation() {
    const auto go = [this](const QKeySequence& keys, std::function<int()> target) {
        auto* shortcut = new QShortcut(keys, this);
        connect(shortcut, &QShortcut::activated, this,
                [this, target = std::move(target)] { Tabs->setCurrentIndex(target()); });
    };
    go(QKeySequence(Qt::Key_PageUp), [this] { return std::max(0, Tabs->currentIndex() - 1); });
    go(QKeySequence(Qt::Key_PageDown),
       [this] { return std::min(Tabs->count() - 1, Tabs->currentIndex() + 1); });
    go(QKeySequence(Qt::CTRL | Qt::Key_PageUp), [] { return 0; });
    go(QKeySequence(Qt::CTRL | Qt::Key_PageDown), [this] { return Tabs->count() - 1; });
}

void TEditInfo::run() {
    if (load()) {
        exec();
    }
}

bool TEditInfo::load() {
    if (!editor_.open()) {
        return false;
    }
    showProfile();
    return true;
}

void TEditInfo::showProfile() {
    showHeader();
    showGeneral();
    for (DevicesPage* page : DevicePages) {
        page->showProfile();
    }
    for (IrradiatorPage* page : IrradiatorPages) {
        page->showProfile();
    }
    const QSignalBlocker block(LanCopyBox);
    LanCopyBox->setChecked(editor_.lan().copy);
    LanDirEdit->setText(FromWindows1252(editor_.lan().directory));
    SaveButton->setEnabled(editor_.changesPending());
}

void TEditInfo::showHeader() {
    const QSignalBlocker block(ProfileList);
    ProfileList->clear();
    for (const std::string& name : editor_.profileNames()) {
        ProfileList->addItem(FromWindows1252(name));
    }
    ProfileList->setCurrentIndex(editor_.currentIndex());
    CurrentProfileLabel->setText(QString::fromStdString(editor_.currentProfileText()));
    const SystemProfile& p = editor_.profile();
    SystemIdEdit->setText(FromWindows1252(p.SystemID));
    const CivilDate created = p.CreateDate.Unpack(TodayLocal());
    DateCreatedEdit->setText(
        QLocale().toString(QDate(created.year, created.month, created.day), QLocale::ShortFormat));
}

void TEditInfo::showGeneral() {
    const SystemProfile& p = editor_.profile();
    {
        const QSignalBlocker block(ReaderList);
        ReaderList->setCurrentIndex(p.ReaderType >= 0 && p.ReaderType < 5 ? p.ReaderType : -1);
    }
    {
        const QSignalBlocker block(TimeUnitList);
        TimeUnitList->setCurrentIndex(p.IrradTimeUnit == 1 ? 0 : 1);
    }
    {
        const QSignalBlocker block(CurveFilterList);
        CurveFilterList->setCurrentIndex(p.FilterNum >= 0 && p.FilterNum < 4 ? p.FilterNum : -1);
    }
    DataDirEdit->setText(FromWindows1252(p.VolID));
    for (auto& [flag, box] : FlagBoxes) {
        setChecked(box, ProfileEditor::FlagValue(p, flag));
    }
    FlagBoxes[ProfileFlag::ShortDataMode]->setVisible(p.ReaderType == 4);
    FlagBoxes[ProfileFlag::HasFivePages]->setEnabled(!p.HasFivePages);
    for (auto& [source, box] : SourceBoxes) {
        setChecked(box, OslSourceValue(p, source));
        box->setEnabled(OslSourceEditable(p, source));
    }
    HalogenControls->setVisible(p.HalogenSwitch);
    for (auto& [field, edit] : NumberEdits) {
        edit->showValue(ShownNumber(p, field));
    }
}

void TEditInfo::after(bool) {
    showProfile();
}

void TEditInfo::profileChosen(int index) {
    editor_.selectProfile(index);
    showProfile(); // the profile chosen, or the one kept when the operator kept the edits
}

void TEditInfo::chooseDataDirectory() {
    const QString chosen =
        chooseDirectory(QStringLiteral("Data directory"), FromWindows1252(editor_.profile().VolID));
    if (!chosen.isEmpty()) {
        after(editor_.setDataDirectory(ToWindows1252(QDir::toNativeSeparators(chosen))));
    }
}

void TEditInfo::chooseLanDirectory() {
    const QString chosen = chooseDirectory(QStringLiteral("Select destination directory"),
                                           FromWindows1252(editor_.lan().directory));
    if (!chosen.isEmpty()) {
        after(editor_.setLanDirectory(ToWindows1252(QDir::toNativeSeparators(chosen))));
    }
}

void TEditInfo::createProfileFile() {
    const QString path = chooseNewProfilePath();
    if (path.isEmpty()) {
        return;
    }
    const std::optional<NewProfileOptions> options = chooseNewReader();
    if (!options) {
        return;
    }
    editor_.createFile(ToWindows1252(path), *options);
    showProfile();
}

void TEditInfo::save() {
    editor_.save();
    showProfile();
}

} // namespace gw
