#include "windows/views/TTakeDataDlg.h"

#include "core/Prompter.h"
#include "engine/MoslSearch.h"
#include "engine/TakeDataCheck.h"
#include "platform/Windows1252.h"
#include "windows/views/RecolourControls.h"
#include "windows/views/THolesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace gw {

namespace {

QString Text(const std::string& windows1252) {
    return FromWindows1252(windows1252);
}

// A field takes everything from 0 up to its limit; what the reader cannot take below that is
// refused at OK with the field's name.
QSpinBox* IntField(const FieldLimit& limit, QWidget* parent) {
    auto* field = new QSpinBox(parent);
    field->setRange(std::min(0, static_cast<int>(limit.min)), static_cast<int>(limit.max));
    field->setAlignment(Qt::AlignRight);
    return field;
}

QDoubleSpinBox* NumberField(const FieldLimit& limit, int decimals, QWidget* parent) {
    auto* field = new QDoubleSpinBox(parent);
    field->setDecimals(decimals);
    field->setRange(std::min(0.0, limit.min), limit.max);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* Result(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameShape(QFrame::StyledPanel);
    label->setMinimumWidth(70);
    return label;
}

QComboBox* List(std::initializer_list<const char*> items, QWidget* parent) {
    auto* list = new QComboBox(parent);
    for (const char* item : items) {
        list->addItem(QString::fromLatin1(item));
    }
    return list;
}

QLabel* Buddy(const char* caption, QWidget* field, QWidget* parent) {
    auto* label = new QLabel(FromWindows1252(caption), parent);
    label->setBuddy(field);
    return label;
}

QString Fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

// The info text keeps CR LF between its lines; the field shows plain lines.
std::string InfoFromField(const QString& text) {
    QString lines = text;
    lines.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return ToWindows1252(lines);
}

QString InfoToField(const std::string& text) {
    QString lines = FromWindows1252(text);
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return lines;
}

constexpr const char* OsOrderQuestion =
    "OS starting temperature is greater or equals stop temperature.\rIgnore it?";
constexpr const char* RunningRefusal = "An operation is running.\rWait for its end or abort it.";

} // namespace

TTakeDataDlg::TTakeDataDlg(Prompter& prompter, THolesDlg& holesDialog, QWidget* parent)
    : QDialog(parent), prompter_(prompter), holesDialog_(holesDialog) {
    setObjectName(QStringLiteral("TakeDataDlg"));
    setWindowTitle(QStringLiteral("Take data"));
    Sheets = new QTabWidget(this);
    Sheets->addTab(buildOslSheet(), QStringLiteral("Take OSL"));
    Sheets->addTab(buildMoslSheet(), QStringLiteral("Take MOSL"));
    Sheets->addTab(buildTlSheet(), QStringLiteral("Take TL"));
    Sheets->addTab(buildIrradiationSheet(), QStringLiteral("Irradiate"));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildCommonArea());
    layout->addWidget(Sheets, 1);
    wireFields();
    loadFields();
    relayout();
    RecolourControls(this);
}

TTakeDataDlg::~TTakeDataDlg() = default;

// ---------------------------------------------------------------------------------------------
// Building

QWidget* TTakeDataDlg::buildCommonArea() {
    auto* area = new QWidget(this);
    auto* grid = new QGridLayout(area);
    InfoText = new QPlainTextEdit(area);
    InfoText->setFixedHeight(70);
    grid->addWidget(Buddy("Text &info", InfoText, area), 0, 0, 1, 4);
    grid->addWidget(InfoText, 1, 0, 1, 4);

    DataFileName = new QLineEdit(area);
    DataFileName->installEventFilter(this);
    BrowseBtn = new QToolButton(area);
    BrowseBtn->setText(QStringLiteral("..."));
    grid->addWidget(Buddy("Data &file name", DataFileName, area), 2, 0, 1, 4);
    grid->addWidget(DataFileName, 3, 0, 1, 3);
    grid->addWidget(BrowseBtn, 3, 3);

    DiskNo = IntField(TakeDataValues::DiskLimit, area);
    RangeBox = new QCheckBox(QStringLiteral("range"), area);
    ToDisk = IntField(TakeDataValues::ToDiskLimit, area);
    ToCaption = Buddy("to", ToDisk, area);
    grid->addWidget(Buddy("&Disk #", DiskNo, area), 4, 0);
    grid->addWidget(DiskNo, 4, 1);
    grid->addWidget(RangeBox, 4, 2, 1, 2);
    grid->addWidget(ToCaption, 5, 0);
    grid->addWidget(ToDisk, 5, 1);

    UseScannerBox = new QCheckBox(QStringLiteral("use scanner"), area);
    HolesList = new QComboBox(area);
    for (int item = 0; item < TakeDataDialogRules::HoleListItems; ++item) {
        HolesList->addItem(Text(TakeDataDialogRules::holeListItem(item)));
    }
    HoleNo = new QSpinBox(area);
    HoleCaption = Buddy("Hole #", HoleNo, area);
    AllBox = new QCheckBox(QStringLiteral("all"), area);
    SelectHolesBtn = new QPushButton(QStringLiteral("select holes"), area);
    grid->addWidget(UseScannerBox, 6, 0, 1, 4);
    grid->addWidget(HolesList, 7, 0, 1, 4);
    grid->addWidget(HoleCaption, 8, 0);
    grid->addWidget(HoleNo, 8, 1);
    grid->addWidget(AllBox, 8, 2);
    grid->addWidget(SelectHolesBtn, 9, 0, 1, 4);
    grid->setRowStretch(10, 1);

    OKBtn = new QPushButton(QStringLiteral("OK"), area);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), area);
    OKBtn->setDefault(true);
    grid->addWidget(OKBtn, 11, 0, 1, 2);
    grid->addWidget(CancelBtn, 11, 2, 1, 2);
    area->setFixedWidth(230);
    return area;
}

QWidget* TTakeDataDlg::buildOslSheet() {
    auto* sheet = new QWidget(this);
    auto* group = new QGroupBox(QStringLiteral(" OSL device settings "), sheet);
    auto* grid = new QGridLayout(group);
    grid->addWidget(new QLabel(QStringLiteral("time, s"), group), 0, 4);
    for (std::size_t i = 0; i < 4; ++i) {
        const int row = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(QStringLiteral("TB") + QString::number(row), group), row, 0);
        TbX[i] = IntField(OslSheetValues::XLimit, group);
        TbY[i] = IntField(OslSheetValues::YLimit, group);
        TbPoints[i] = IntField(OslSheetValues::PointsLimit, group);
        TbTime[i] = Result(group);
        grid->addWidget(TbX[i], row, 1);
        grid->addWidget(TbY[i], row, 2);
        grid->addWidget(TbPoints[i], row, 3);
        grid->addWidget(TbTime[i], row, 4);
    }
    // The column captions lead to TB1's fields.
    grid->addWidget(Buddy("&x", TbX[0], group), 0, 1);
    grid->addWidget(Buddy("&y", TbY[0], group), 0, 2);
    grid->addWidget(Buddy("p&oints", TbPoints[0], group), 0, 3);
    TotalPoints = Result(group);
    TotalTime = Result(group);
    grid->addWidget(new QLabel(QStringLiteral("Total points"), group), 5, 2);
    grid->addWidget(TotalPoints, 5, 3);
    grid->addWidget(new QLabel(QStringLiteral("time"), group), 6, 2);
    grid->addWidget(TotalTime, 6, 4);

    OslDevice =
        List({"  0 - green/blue OSL", "  8 - IRSL", "40 - green/blue MOSL", "48 - MIRSL"}, group);
    OslTemp = IntField(OslSheetValues::TemperatureLimit, group);
    OslPower = NumberField(OslSheetValues::PowerLimit, 2, group);
    auto* form = new QFormLayout;
    form->addRow(Buddy("&OSL device", OslDevice, group), OslDevice);
    form->addRow(Buddy("&@ temp, \260C", OslTemp, group), OslTemp);
    OslPowerCaption = Buddy("CW &power, %", OslPower, group);
    form->addRow(OslPowerCaption, OslPower);
    grid->addLayout(form, 7, 0, 1, 5);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(group);
    layout->addStretch(1);
    return sheet;
}

QWidget* TTakeDataDlg::buildMoslSheet() {
    auto* sheet = new QWidget(this);
    auto* group = new QGroupBox(QStringLiteral(" OSL device settings "), sheet);
    auto* form = new QFormLayout(group);
    MoslMaxPower = NumberField(MoslSheetValues::MaxPowerLimit, 1, group);
    MoslRampTime = NumberField(MoslSheetValues::RampTimeLimit, 1, group);
    MoslMaxPoints = IntField(MoslSheetValues::MaxPointsLimit, group);
    MoslDevice = List({"40 - blue/green MOSL", "48 - IRSL "}, group);
    MoslTemp = IntField(MoslSheetValues::TemperatureLimit, group);
    form->addRow(Buddy("Maximum &power, %", MoslMaxPower, group), MoslMaxPower);
    form->addRow(Buddy("&Ramp time, s", MoslRampTime, group), MoslRampTime);
    form->addRow(Buddy("Ma&x points", MoslMaxPoints, group), MoslMaxPoints);
    form->addRow(Buddy("&MOSL device", MoslDevice, group), MoslDevice);
    form->addRow(Buddy("&@ temp, \260C", MoslTemp, group), MoslTemp);
    ActualPower = Result(group);
    ActualTime = Result(group);
    ActualPoints = Result(group);
    Increment = Result(group);
    MsPerPoint = Result(group);
    Factors = Result(group);
    form->addRow(QStringLiteral("actual power"), ActualPower);
    form->addRow(QStringLiteral("actual time"), ActualTime);
    form->addRow(QStringLiteral("actual points"), ActualPoints);
    form->addRow(QStringLiteral("increment"), Increment);
    form->addRow(QStringLiteral("ms per point"), MsPerPoint);
    form->addRow(QString(), Factors);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(group);
    layout->addStretch(1);
    return sheet;
}

QWidget* TTakeDataDlg::buildTlSheet() {
    auto* sheet = new QWidget(this);
    auto* grid = new QGridLayout(sheet);
    auto* fields = new QFormLayout;
    DataSpace = IntField(TlSheetValues::DataSpaceLimit, sheet);
    RampRate = IntField(TlSheetValues::RampRateLimit, sheet);
    EndTemp = IntField(TlSheetValues::EndTempLimit, sheet);
    HoldTime = IntField(TlSheetValues::HoldTimeLimit, sheet);
    CoolTemp = NumberField(TlSheetValues::CoolTempLimit, 1, sheet);
    EndTempCaption = Buddy("&End  temp, \260C", EndTemp, sheet);
    HoldTimeCaption = Buddy("&Hold  time, s", HoldTime, sheet);
    fields->addRow(Buddy("Data space, \260C", DataSpace, sheet), DataSpace);
    fields->addRow(Buddy("&Ramp rate, \260C/s", RampRate, sheet), RampRate);
    fields->addRow(EndTempCaption, EndTemp);
    fields->addRow(HoldTimeCaption, HoldTime);
    fields->addRow(Buddy("Coo&ling temp, \260C", CoolTemp, sheet), CoolTemp);
    grid->addLayout(fields, 0, 0);

    PreheatGroup = new QGroupBox(QStringLiteral(" Preheat "), sheet);
    auto* preheat = new QFormLayout(PreheatGroup);
    PreheatTemp = NumberField(TlSheetValues::PreheatTempLimit, 1, PreheatGroup);
    PreheatTime = NumberField(TlSheetValues::PreheatTimeLimit, 1, PreheatGroup);
    WithCooling = new QRadioButton(QStringLiteral("&with cooling"), PreheatGroup);
    StagePreheat = new QRadioButton(QStringLiteral("&stage preheat"), PreheatGroup);
    DoIt = new QCheckBox(QStringLiteral("d&o it"), PreheatGroup);
    preheat->addRow(Buddy("&Temp, \260C", PreheatTemp, PreheatGroup), PreheatTemp);
    preheat->addRow(Buddy("ti&me, s", PreheatTime, PreheatGroup), PreheatTime);
    preheat->addRow(WithCooling);
    preheat->addRow(StagePreheat);
    preheat->addRow(DoIt);
    grid->addWidget(PreheatGroup, 0, 1);

    SwitchOs = new QCheckBox(QStringLiteral("switch OS on"), sheet);
    grid->addWidget(SwitchOs, 1, 0);
    OsGroup = new QGroupBox(QStringLiteral(" OS device "), sheet);
    auto* os = new QFormLayout(OsGroup);
    OsDevice = List({"  0 - green/blue OSL", "  8 - IRSL"}, OsGroup);
    OsStart = IntField(TlSheetValues::OsStartLimit, OsGroup);
    OsStop = IntField(TlSheetValues::OsStopLimit, OsGroup);
    OsPower = NumberField(TlSheetValues::OsPowerLimit, 2, OsGroup);
    os->addRow(OsDevice);
    os->addRow(Buddy("start at \260C", OsStart, OsGroup), OsStart);
    os->addRow(Buddy("stop at \260C", OsStop, OsGroup), OsStop);
    os->addRow(Buddy("OS power %", OsPower, OsGroup), OsPower);
    grid->addWidget(OsGroup, 2, 0);

    AfterglowBox = new QCheckBox(QStringLiteral("record afterglow "), sheet);
    grid->addWidget(AfterglowBox, 1, 1);
    AfterglowGroup = new QGroupBox(QStringLiteral(" Record afterglow "), sheet);
    auto* afterglow = new QFormLayout(AfterglowGroup);
    Resolution = IntField(TlSheetValues::AfterglowResolutionLimit, AfterglowGroup);
    AfterglowStop = IntField(TlSheetValues::AfterglowStopLimit, AfterglowGroup);
    afterglow->addRow(Buddy("time resolution, ms ", Resolution, AfterglowGroup), Resolution);
    afterglow->addRow(Buddy("stop at \260C", AfterglowStop, AfterglowGroup), AfterglowStop);
    grid->addWidget(AfterglowGroup, 2, 1);
    grid->setRowStretch(3, 1);
    return sheet;
}

QWidget* TTakeDataDlg::buildIrradiationSheet() {
    auto* sheet = new QWidget(this);
    auto* group = new QGroupBox(QStringLiteral(" Irradiation source settings "), sheet);
    auto* form = new QFormLayout(group);
    IrradTime = IntField(IrradiationSheetValues::TimeLimit, group);
    PositionOffset = Result(group);
    IrradPosition = List({"Top", "Low", "High"}, group);
    TransferArm = new QCheckBox(QStringLiteral("has &585 with x-fer arm"), group);
    IrradTemp = IntField(IrradiationSheetValues::TemperatureLimit, group);
    IrradTempCaption = Buddy("&@ temp, \260C", IrradTemp, group);
    form->addRow(Buddy("Irradiation &time, s", IrradTime, group), IrradTime);
    form->addRow(QStringLiteral("disk position offset"), PositionOffset);
    form->addRow(Buddy("position", IrradPosition, group), IrradPosition);
    form->addRow(TransferArm);
    form->addRow(IrradTempCaption, IrradTemp);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(group);
    layout->addStretch(1);
    return sheet;
}

void TTakeDataDlg::wireFields() {
    const auto changed = [this] { fieldChanged(); };
    for (QSpinBox* field :
         {OslTemp, MoslMaxPoints, MoslTemp, DataSpace, RampRate, EndTemp, HoldTime, OsStart, OsStop,
          Resolution, AfterglowStop, IrradTime, IrradTemp, HoleNo}) {
        connect(field, &QSpinBox::valueChanged, this, changed);
    }
    for (std::size_t i = 0; i < 4; ++i) {
        for (QSpinBox* field : {TbX[i], TbY[i], TbPoints[i]}) {
            connect(field, &QSpinBox::valueChanged, this, changed);
        }
    }
    for (QDoubleSpinBox* field :
         {OslPower, MoslMaxPower, MoslRampTime, CoolTemp, PreheatTemp, PreheatTime, OsPower}) {
        connect(field, &QDoubleSpinBox::valueChanged, this, changed);
    }
    for (QCheckBox* box : {RangeBox, AllBox, DoIt, SwitchOs, AfterglowBox, TransferArm}) {
        connect(box, &QCheckBox::toggled, this, changed);
    }
    for (QComboBox* list : {OslDevice, MoslDevice, OsDevice, IrradPosition}) {
        connect(list, &QComboBox::currentIndexChanged, this, changed);
    }
    connect(WithCooling, &QRadioButton::toggled, this, changed);
    connect(InfoText, &QPlainTextEdit::textChanged, this, changed);
    connect(DataFileName, &QLineEdit::textChanged, this, changed);

    connect(DiskNo, &QSpinBox::valueChanged, this, [this](int disk) {
        if (!loading_ && !DiskNo->text().isEmpty()) {
            TakeDataDialogRules::changeDisk(working_, disk);
            loadFields();
        }
    });
    connect(ToDisk, &QSpinBox::valueChanged, this, [this](int disk) {
        if (!loading_ && !ToDisk->text().isEmpty()) {
            TakeDataDialogRules::changeToDisk(working_, disk);
            loadFields();
        }
    });
    connect(UseScannerBox, &QCheckBox::toggled, this, [this](bool checked) {
        if (!loading_) {
            TakeDataDialogRules::checkUseScanner(working_, checked);
            loadFields();
            relayout();
        }
    });
    connect(HolesList, &QComboBox::activated, this, [this](int item) {
        TakeDataDialogRules::chooseHoleListItem(working_, item);
        loadFields();
        relayout();
    });
    connect(Sheets, &QTabWidget::currentChanged, this, &TTakeDataDlg::sheetChanged);
    connect(BrowseBtn, &QToolButton::clicked, this, &TTakeDataDlg::browseDataFile);
    connect(SelectHolesBtn, &QPushButton::clicked, this, &TTakeDataDlg::selectHoles);
    connect(OKBtn, &QPushButton::clicked, this, [this] {
        if (confirm()) {
            accept();
        }
    });
    connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
}

// ---------------------------------------------------------------------------------------------
// Values and fields

void TTakeDataDlg::loadFields() {
    const bool wasLoading = loading_;
    loading_ = true;
    const TakeDataValues& v = working_;
    if (InfoFromField(InfoText->toPlainText()) != v.InfoText) {
        InfoText->setPlainText(InfoToField(v.InfoText));
    }
    DataFileName->setText(Text(v.DataFileName));
    DiskNo->setValue(v.Disk);
    RangeBox->setChecked(v.Range);
    ToDisk->setValue(v.ToDisk);
    UseScannerBox->setChecked(v.UseScanner);
    HolesList->setCurrentIndex(TakeDataDialogRules::holeListItemFor(v.Holes.holesPerDisk()));
    HoleNo->setRange(0, std::max(v.Holes.holesPerDisk() - 1, 0));
    HoleNo->setValue(v.Hole);
    AllBox->setChecked(v.AllHoles);

    for (std::size_t i = 0; i < 4; ++i) {
        TbX[i]->setValue(v.Osl.Segments[i].x);
        TbY[i]->setValue(v.Osl.Segments[i].y);
        TbPoints[i]->setValue(v.Osl.Segments[i].points);
    }
    OslDevice->setCurrentIndex(v.Osl.DeviceItem);
    OslTemp->setValue(v.Osl.Temperature);
    OslPower->setValue(v.Osl.Power);

    MoslMaxPower->setValue(v.Mosl.MaxPower);
    MoslRampTime->setValue(v.Mosl.RampTime);
    MoslMaxPoints->setValue(v.Mosl.MaxPoints);
    MoslDevice->setCurrentIndex(v.Mosl.DeviceItem);
    MoslTemp->setValue(v.Mosl.Temperature);

    DataSpace->setValue(v.Tl.DataSpace);
    RampRate->setValue(v.Tl.RampRate);
    EndTemp->setValue(v.Tl.EndTemp);
    HoldTime->setValue(v.Tl.HoldTime);
    CoolTemp->setValue(v.Tl.CoolTemp);
    PreheatTemp->setValue(v.Tl.PreheatTemp);
    PreheatTime->setValue(v.Tl.PreheatTime);
    WithCooling->setChecked(v.Tl.PreheatWithCooling);
    StagePreheat->setChecked(!v.Tl.PreheatWithCooling);
    DoIt->setChecked(v.Tl.DoPreheat);
    SwitchOs->setChecked(v.Tl.SwitchOsOn);
    OsDevice->setCurrentIndex(v.Tl.OsDeviceItem);
    OsStart->setValue(v.Tl.OsStart);
    OsStop->setValue(v.Tl.OsStop);
    OsPower->setValue(v.Tl.OsPower);
    AfterglowBox->setChecked(v.Tl.Afterglow.RecordAfterglow);
    Resolution->setValue(v.Tl.Afterglow.TimeResolutionMs);
    AfterglowStop->setValue(v.Tl.Afterglow.StopTemperature);

    IrradTime->setValue(v.Irradiation.IrradTime);
    IrradPosition->setCurrentIndex(v.Irradiation.PositionItem);
    TransferArm->setChecked(v.Irradiation.HasTransferArm);
    IrradTemp->setValue(v.Irradiation.Temperature);
    showComputed();
    loading_ = wasLoading;
}

void TTakeDataDlg::readFields() {
    TakeDataValues& v = working_;
    v.InfoText = InfoFromField(InfoText->toPlainText());
    v.DataFileName = ToWindows1252(DataFileName->text());
    v.Disk = DiskNo->value();
    v.Range = RangeBox->isChecked();
    v.ToDisk = ToDisk->value();
    v.Hole = HoleNo->value();
    v.AllHoles = AllBox->isChecked();

    for (std::size_t i = 0; i < 4; ++i) {
        v.Osl.Segments[i] = {TbX[i]->value(), TbY[i]->value(), TbPoints[i]->value()};
    }
    v.Osl.DeviceItem = OslDevice->currentIndex();
    v.Osl.Temperature = OslTemp->value();
    v.Osl.Power = OslPower->value();

    v.Mosl.MaxPower = MoslMaxPower->value();
    v.Mosl.RampTime = MoslRampTime->value();
    v.Mosl.MaxPoints = MoslMaxPoints->value();
    v.Mosl.DeviceItem = MoslDevice->currentIndex();
    v.Mosl.Temperature = MoslTemp->value();

    v.Tl.DataSpace = DataSpace->value();
    v.Tl.RampRate = RampRate->value();
    v.Tl.EndTemp = EndTemp->value();
    v.Tl.HoldTime = HoldTime->value();
    v.Tl.CoolTemp = CoolTemp->value();
    v.Tl.PreheatTemp = PreheatTemp->value();
    v.Tl.PreheatTime = PreheatTime->value();
    v.Tl.PreheatWithCooling = WithCooling->isChecked();
    v.Tl.DoPreheat = DoIt->isChecked();
    if (!v.PreheatForm) {
        // The preheat form hides the stimulation and leaves it as it was.
        v.Tl.SwitchOsOn = SwitchOs->isChecked();
        v.Tl.OsDeviceItem = OsDevice->currentIndex();
        v.Tl.OsStart = OsStart->value();
        v.Tl.OsStop = OsStop->value();
        v.Tl.OsPower = OsPower->value();
    }
    v.Tl.Afterglow.RecordAfterglow = AfterglowBox->isChecked();
    v.Tl.Afterglow.TimeResolutionMs = Resolution->value();
    v.Tl.Afterglow.StopTemperature = AfterglowStop->value();

    v.Irradiation.IrradTime = IrradTime->value();
    v.Irradiation.PositionItem = IrradPosition->currentIndex();
    v.Irradiation.HasTransferArm = TransferArm->isChecked();
    v.Irradiation.Temperature = IrradTemp->value();
}

void TTakeDataDlg::fieldChanged() {
    if (loading_) {
        return;
    }
    const MoslSheetValues before = working_.Mosl;
    readFields();
    if (working_.Mosl.MaxPower != before.MaxPower || working_.Mosl.RampTime != before.RampTime ||
        working_.Mosl.MaxPoints != before.MaxPoints) {
        UpdateMoslSearch(working_.Mosl);
    }
    showComputed();
    relayout();
}

void TTakeDataDlg::showComputed() {
    const OslSheetValues& osl = working_.Osl;
    for (std::size_t i = 0; i < 4; ++i) {
        TbTime[i]->setText(Fixed(osl.segmentSeconds(static_cast<int>(i)), 3));
    }
    TotalPoints->setText(QString::number(osl.totalPoints()));
    TotalTime->setText(Fixed(osl.totalSeconds(), 3));
    const MoslRamp& ramp = working_.Mosl.Ramp;
    ActualPower->setText(Fixed(ramp.actualPower, 1));
    ActualTime->setText(Fixed(ramp.actualTime, 3));
    ActualPoints->setText(QString::number(ramp.points));
    Increment->setText(QString::number(ramp.increment));
    MsPerPoint->setText(QString::number(ramp.msPerPoint));
    Factors->setText(QString::number(ramp.factorX) + QStringLiteral(" x ") +
                     QString::number(ramp.factorY));
}

void TTakeDataDlg::relayout() {
    const TakeDataLayout l = TakeDataDialogRules::layout(working_, shownContext_, form_);
    Sheets->setTabVisible(static_cast<int>(TakeDataSheet::OSL), l.oslTab);
    Sheets->setTabVisible(static_cast<int>(TakeDataSheet::MOSL), l.moslTab);
    Sheets->setTabVisible(static_cast<int>(TakeDataSheet::TL), l.tlTab);
    Sheets->setTabVisible(static_cast<int>(TakeDataSheet::Irradiate), l.irradiateTab);
    ToCaption->setVisible(l.toVisible);
    ToDisk->setVisible(l.toVisible);
    UseScannerBox->setVisible(l.useScannerVisible);
    HolesList->setVisible(l.holesListVisible);
    HoleCaption->setVisible(l.holeCaptionVisible);
    HoleNo->setVisible(l.holeFieldVisible);
    AllBox->setVisible(l.allVisible);
    SelectHolesBtn->setVisible(l.selectHolesVisible);
    for (std::size_t i = 0; i < 4; ++i) {
        TbX[i]->setEnabled(l.timeBaseXYEditable);
        TbY[i]->setEnabled(l.timeBaseXYEditable);
    }
    OslPowerCaption->setText(Text(l.powerCaption));
    PreheatGroup->setVisible(l.preheatGroupVisible);
    SwitchOs->setVisible(l.switchOsVisible);
    OsGroup->setVisible(l.osGroupVisible);
    DataSpace->setEnabled(l.dataSpaceEnabled);
    EndTempCaption->setText(Text(l.endTempCaption));
    HoldTimeCaption->setText(Text(l.holdTimeCaption));
    AfterglowBox->setVisible(l.afterglowBoxVisible);
    AfterglowGroup->setVisible(l.afterglowGroupVisible);
    Resolution->setEnabled(l.resolutionEnabled);
    TransferArm->setVisible(l.transferArmVisible);
    IrradTempCaption->setVisible(l.irradiationTemperatureVisible);
    IrradTemp->setVisible(l.irradiationTemperatureVisible);
    PositionOffset->setText(QString::number(shownContext_.positionOffset));
}

void TTakeDataDlg::sheetChanged(int index) {
    if (loading_ || index < 0) {
        return;
    }
    readFields();
    working_.Sheet = static_cast<TakeDataSheet>(index);
    // Showing a sheet re-applies its rules: the preset time base off a 6600, a fresh search.
    TakeDataDialogRules::prepareShowing(working_, shownContext_, form_);
    working_.Sheet = static_cast<TakeDataSheet>(index);
    if (working_.Sheet == TakeDataSheet::MOSL) {
        UpdateMoslSearch(working_.Mosl);
    }
    loadFields();
    relayout();
}

// ---------------------------------------------------------------------------------------------
// Showing and OK

void TTakeDataDlg::prepare(TakeDataForm form, TakeDataSheet sheet) {
    setResult(QDialog::Rejected);
    form_ = form;
    shownContext_ = context_ ? context_() : TakeDataDialogContext{};
    if (live_) {
        working_ = *live_;
    }
    working_.Sheet = sheet;
    TakeDataDialogRules::prepareShowing(working_, shownContext_, form);
    UpdateMoslSearch(working_.Mosl);
    loadFields();
    relayout(); // a tab hidden by the last showing can be made current only once shown again
    loading_ = true;
    Sheets->setCurrentIndex(static_cast<int>(working_.Sheet));
    loading_ = false;
    relayout();
}

bool TTakeDataDlg::execForm(TakeDataForm form, TakeDataSheet sheet) {
    prepare(form, sheet);
    const bool accepted = exec() == QDialog::Accepted;
    form_ = TakeDataForm::Full;
    relayout();
    return accepted;
}

bool TTakeDataDlg::execSheet(TakeDataSheet sheet) {
    return execForm(TakeDataForm::Full, sheet);
}

bool TTakeDataDlg::execIrradiationOnly() {
    return execForm(TakeDataForm::IrradiationOnly, TakeDataSheet::Irradiate);
}

bool TTakeDataDlg::execPreheatOnly() {
    return execForm(TakeDataForm::PreheatOnly, TakeDataSheet::TL);
}

void TTakeDataDlg::endPreheatForm() {
    working_.PreheatForm = false;
    if (live_) {
        live_->PreheatForm = false;
    }
}

bool TTakeDataDlg::confirm() {
    readFields();
    working_.Sheet = static_cast<TakeDataSheet>(Sheets->currentIndex());
    if (inFlight_ && inFlight_()) {
        prompter_.message(MessageKind::Warning, "Warning", RunningRefusal);
        return false;
    }
    const TakeDataVerdict verdict =
        CheckTakeData(working_, TakeDataContext{shownContext_.systemType});
    if (!verdict.accepted()) {
        prompter_.message(MessageKind::Error, "Error", verdict.refusal);
        return false;
    }
    if (TakeDataDialogRules::osOrderQuestionDue(working_)) {
        switch (prompter_.ask("Warning", OsOrderQuestion, QuestionButtons::YesNoCancel)) {
        case Answer::Yes:
            working_.Tl.SwitchOsOn = false; // the TL runs without stimulation
            loadFields();
            break;
        case Answer::Cancel:
            reject();
            return false;
        default:
            return false;
        }
    }
    for (const std::string& notice : verdict.notices) {
        prompter_.message(MessageKind::Information, "Notice", notice);
    }
    if (live_) {
        *live_ = working_;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// Buttons and hooks

void TTakeDataDlg::browseDataFile() {
    QFileDialog dialog(this, QStringLiteral("Open data file"));
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setNameFilters(
        {QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*.*)")});
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.selectFile(DataFileName->text());
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        DataFileName->setText(dialog.selectedFiles().front());
    }
}

void TTakeDataDlg::selectHoles() {
    readFields();
    holesDialog_.editDisk(working_.Holes, working_.Disk);
    // The selection belongs to the console and is in effect at once, OK or not.
    if (live_) {
        live_->Holes = working_.Holes;
    }
    working_.Hole = std::min(working_.Hole, working_.Holes.holesPerDisk() - 1);
    loadFields();
    relayout();
}

bool TTakeDataDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == DataFileName && event->type() == QEvent::MouseButtonDblClick) {
        emit dataFileDoubleClicked(DataFileName->text());
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace gw
