#include "profile/views/IrradiatorPage.h"

#include "platform/Windows1252.h"
#include "profile/views/ProfileNumberEdit.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace gw {

namespace {

struct KindTexts {
    const char* isotope;
    const char* unit;
    const char* date;
    const char* external;
    const char* internal;
    ProfileNumber halfLife, externalRate, port;
    std::array<ProfileNumber, 3> rates; // top, high, low
};

KindTexts textsOf(IrradiatorKind kind) {
    using N = ProfileNumber;
    switch (kind) {
    case IrradiatorKind::Beta:
        return {"Beta source isotope",
                "Beta dose rate unit",
                "Beta calibration date",
                " External beta irradiator dose rate ",
                " Internal beta irradiator dose rates ",
                N::BetaHalfLife,
                N::BetaDoseRate,
                N::BetaPort,
                {N::BetaDoseRateTop, N::BetaDoseRateHigh, N::BetaDoseRateLow}};
    case IrradiatorKind::Alpha:
        return {"Alpha source isotope",
                "Alpha dose rate unit",
                "Alpha calibration date",
                " External alpha irradiator dose rate ",
                " Internal alpha irradiator dose rates ",
                N::AlphaHalfLife,
                N::AlphaDoseRate,
                N::AlphaPort,
                {N::AlphaDoseRateTop, N::AlphaDoseRateHigh, N::AlphaDoseRateLow}};
    case IrradiatorKind::Gamma:
        break;
    }
    return {"Gamma source isot.",
            "Gamma dose rate u.",
            "Gamma calib. date",
            " External gamma irradiator dose rate ",
            " Internal X-ray irradiator dose rates and tube currents ",
            N::GammaHalfLife,
            N::GammaDoseRate,
            N::GammaPort,
            {N::GammaDoseRateTop, N::GammaDoseRateHigh, N::GammaDoseRateLow}};
}

constexpr ProfileNumber TubeCurrents[] = {ProfileNumber::XTubeCurrTop, ProfileNumber::XTubeCurrHigh,
                                          ProfileNumber::XTubeCurrLow};
const char* const PositionCaptions[] = {"Top position", "High position", "Low position"};

void fillChoice(QComboBox* list, const ChoiceList& choice) {
    const QSignalBlocker block(list);
    list->clear();
    for (const std::string& item : choice.items) {
        list->addItem(FromWindows1252(item));
    }
    list->setCurrentIndex(choice.selected);
}

} // namespace

IrradiatorPage::IrradiatorPage(IrradiatorKind kind, ProfileEditor& editor, QWidget* parent)
    : QWidget(parent), kind_(kind), editor_(editor) {
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(buildSource());
    layout->addWidget(buildRates(), 1);
}

ProfileNumberEdit* IrradiatorPage::numberEdit(ProfileNumber field, QWidget* parent) {
    auto* edit = new ProfileNumberEdit(field, parent);
    edit->store = [this](ProfileNumber f, const std::string& text) {
        after(editor_.setNumberText(f, text));
    };
    return edit;
}

QWidget* IrradiatorPage::buildSource() {
    const KindTexts texts = textsOf(kind_);
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    int row = 0;
    const auto caption = [&](const char* text) {
        grid->addWidget(new QLabel(QString::fromLatin1(text), box), row++, 0);
    };
    caption(texts.isotope);
    IsotopeList = new QComboBox(box);
    grid->addWidget(IsotopeList, row++, 0);
    caption("Half-life, y");
    HalfLife = numberEdit(texts.halfLife, box);
    grid->addWidget(HalfLife, row++, 0);
    caption(texts.unit);
    UnitList = new QComboBox(box);
    grid->addWidget(UnitList, row++, 0);
    caption(texts.date);
    CalibrationDate = new QDateEdit(box);
    CalibrationDate->setCalendarPopup(true);
    CalibrationDate->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // Later dates are offered so that the operator learns why they cannot be stored.
    CalibrationDate->setDateRange(QDate(1900, 1, 1), QDate(2099, 12, 31));
    grid->addWidget(CalibrationDate, row++, 0);
    DecayBox = new QCheckBox(QStringLiteral("Correct for source decay"), box);
    grid->addWidget(DecayBox, row++, 0);
    ArrangementLabel = new QLabel(QStringLiteral("Irradiator"), box);
    grid->addWidget(ArrangementLabel, row++, 0);
    ArrangementList = new QComboBox(box);
    for (const std::string& item : ArrangementItems) {
        ArrangementList->addItem(QString::fromStdString(item));
    }
    grid->addWidget(ArrangementList, row++, 0);
    grid->setRowStretch(row, 1);

    connect(IsotopeList, &QComboBox::activated, this, [this](int index) {
        after(editor_.setIsotope(kind_, ToWindows1252(IsotopeList->itemText(index))));
    });
    connect(UnitList, &QComboBox::activated, this, [this](int index) {
        after(editor_.setDoseRateUnit(kind_, ToWindows1252(UnitList->itemText(index))));
    });
    connect(CalibrationDate, &QDateEdit::editingFinished, this, &IrradiatorPage::dateChosen);
    connect(CalibrationDate->calendarWidget(), &QCalendarWidget::clicked, this,
            &IrradiatorPage::dateChosen);
    connect(DecayBox, &QCheckBox::clicked, this,
            [this](bool on) { after(editor_.setFlag(ProfileFlag::DyCorr, on)); });
    connect(ArrangementList, &QComboBox::activated, this,
            [this](int index) { after(editor_.setArrangement(kind_, index)); });
    return box;
}

QWidget* IrradiatorPage::buildRates() {
    const KindTexts texts = textsOf(kind_);
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);

    auto* external = new QGroupBox(QString::fromLatin1(texts.external), box);
    auto* externalRow = new QHBoxLayout(external);
    ExternalRate = numberEdit(texts.externalRate, external);
    externalUnit_ = new QLabel(external);
    externalRow->addWidget(ExternalRate);
    externalRow->addWidget(externalUnit_);
    externalRow->addStretch(1);
    layout->addWidget(external);

    InternalGroup = new QGroupBox(QString::fromLatin1(texts.internal), box);
    auto* grid = new QGridLayout(InternalGroup);
    for (std::size_t i = 0; i < Positions.size(); ++i) {
        Position& position = Positions[i];
        const int row = static_cast<int>(i);
        position.caption = new QLabel(QString::fromLatin1(PositionCaptions[i]), InternalGroup);
        position.rate = numberEdit(texts.rates[i], InternalGroup);
        position.unit = new QLabel(InternalGroup);
        grid->addWidget(position.caption, row, 0);
        grid->addWidget(position.rate, row, 1);
        grid->addWidget(position.unit, row, 2);
        if (kind_ == IrradiatorKind::Gamma) {
            position.current = numberEdit(TubeCurrents[i], InternalGroup);
            position.currentUnit = new QLabel(QStringLiteral("mA"), InternalGroup);
            grid->addWidget(position.current, row, 3);
            grid->addWidget(position.currentUnit, row, 4);
        }
    }
    grid->setColumnStretch(5, 1);
    layout->addWidget(InternalGroup);

    auto* portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel(QStringLiteral("Irradiator port offset"), box));
    PortOffset = numberEdit(texts.port, box);
    portRow->addWidget(PortOffset);
    portRow->addStretch(1);
    layout->addLayout(portRow);
    layout->addStretch(1);
    return box;
}

void IrradiatorPage::dateChosen() {
    SystemProfile copy = editor_.profile();
    const PackedDate stored = CalibDateOf(copy, kind_);
    const QDate chosen = CalibrationDate->date();
    const CivilDate date{chosen.year(), chosen.month(), chosen.day()};
    if (date == stored.Unpack(TodayLocal())) {
        return;
    }
    after(editor_.setCalibrationDate(kind_, date));
}

void IrradiatorPage::showProfile() {
    SystemProfile p = editor_.profile();
    fillChoice(IsotopeList, StoredTextChoice(IsotopeItems(kind_), IsotopeOf(p, kind_)));
    fillChoice(UnitList, StoredTextChoice(DoseRateUnitItems(kind_), DoseRateUnitOf(p, kind_)));
    {
        const QSignalBlocker block(CalibrationDate);
        const CivilDate date = CalibDateOf(p, kind_).Unpack(TodayLocal());
        CalibrationDate->setDate(QDate(date.year, date.month, date.day));
    }
    {
        const QSignalBlocker block(DecayBox);
        DecayBox->setChecked(p.DyCorr);
    }
    {
        const QSignalBlocker block(ArrangementList);
        ArrangementList->setCurrentIndex(IrradiatorArrangementOf(p, kind_));
    }
    // The alpha and X-ray arrangements live on the fifth page.
    const bool arrangementShown = kind_ == IrradiatorKind::Beta || p.HasFivePages;
    ArrangementLabel->setVisible(arrangementShown);
    ArrangementList->setVisible(arrangementShown);
    HalfLife->showValue(ShownNumber(p, textsOf(kind_).halfLife));
    ExternalRate->showValue(ShownNumber(p, textsOf(kind_).externalRate));
    externalUnit_->setText(FromWindows1252(DoseRateUnitOf(p, kind_)));
    showPositions();
}

void IrradiatorPage::showPositions() {
    SystemProfile p = editor_.profile();
    const int arrangement = IrradiatorArrangementOf(p, kind_);
    const bool fifthPage = kind_ == IrradiatorKind::Beta || p.HasFivePages;
    InternalGroup->setVisible(fifthPage && arrangement != 0);
    const bool single = arrangement == 1 || arrangement == 3;
    const QString unit = FromWindows1252(DoseRateUnitOf(p, kind_));
    for (std::size_t i = 0; i < Positions.size(); ++i) {
        Position& position = Positions[i];
        const bool shown = i == 0 ? single : !single;
        for (QWidget* widget :
             {static_cast<QWidget*>(position.caption), static_cast<QWidget*>(position.rate),
              static_cast<QWidget*>(position.unit)}) {
            widget->setVisible(shown);
        }
        if (position.current != nullptr) {
            position.current->setVisible(shown);
            position.currentUnit->setVisible(shown);
            position.current->showValue(ShownNumber(p, TubeCurrents[i]));
        }
        position.rate->showValue(ShownNumber(p, textsOf(kind_).rates[i]));
        position.unit->setText(unit);
    }
    const bool beta = kind_ == IrradiatorKind::Beta;
    PortOffset->showValue(beta ? editor_.shownBetaPort() : ShownNumber(p, textsOf(kind_).port));
    PortOffset->setEnabled(beta ? editor_.betaPortEditable() : p.HasFivePages);
    if (beta && !editor_.betaPortEditable()) {
        PortOffset->setToolTip(QStringLiteral("The port offset the reader type implies; it can "
                                              "be changed once \"Extended info\" is ticked."));
    }
}

} // namespace gw
