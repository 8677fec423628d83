#include "engine/CompatibilityHeader.h"

#include "engine/TDataType.h"
#include "profile/IrradiationLetter.h"

namespace gw {

namespace {

constexpr std::int16_t FormatVersion = 5;
constexpr std::int16_t LastChannel = 99;
constexpr std::size_t ProfileHeadBytes = 8;

struct FamilySlots {
    std::size_t rate;
    std::size_t time;
    std::size_t unit;
    std::size_t isotope;
};

constexpr FamilySlots Gamma{BinaryRecord::GammaRate, BinaryRecord::GammaTime,
                            BinaryRecord::GammaUnit, BinaryRecord::GammaIsotope};
constexpr FamilySlots Beta{BinaryRecord::BetaRate, BinaryRecord::BetaTime, BinaryRecord::BetaUnit,
                           BinaryRecord::BetaIsotope};
constexpr FamilySlots Alpha{BinaryRecord::AlphaRate, BinaryRecord::AlphaTime,
                            BinaryRecord::AlphaUnit, BinaryRecord::AlphaIsotope};

} // namespace

void CompatibilityHeader::Start(CivilDate today) {
    record_ = BinaryRecord{};
    BinaryRecord& r = record_;
    r.SetInt16(BinaryRecord::Version, FormatVersion);
    r.SetInt16(BinaryRecord::CurveCode, profile_.AfterglowCode);
    r.SetInt16(BinaryRecord::LastChannel, LastChannel);
    r.SetByte(BinaryRecord::Natural, 1);
    r.SetText(BinaryRecord::Remark, BinaryRecord::RemarkCapacity, " ");
    const auto profileBytes = profile_.ToBytes();
    for (std::size_t i = 0; i < ProfileHeadBytes; ++i) {
        r.SetByte(BinaryRecord::RateOrPower + i, profileBytes[i]);
    }
    r.SetDouble(BinaryRecord::GammaRate, profile_.GammaDoseRate);
    r.SetDouble(BinaryRecord::BetaRate, profile_.BetaDoseRate);
    r.SetDouble(BinaryRecord::AlphaRate, profile_.AlphaDoseRate);
    const std::size_t text = BinaryRecord::ShortTextCapacity;
    r.SetText(BinaryRecord::GammaUnit, text, profile_.GammaDoseRateUnit);
    r.SetText(BinaryRecord::BetaUnit, text, profile_.BetaDoseRateUnit);
    r.SetText(BinaryRecord::AlphaUnit, text, profile_.AlphaDoseRateUnit);
    r.SetText(BinaryRecord::GammaIsotope, text, profile_.GammaIsotope);
    r.SetText(BinaryRecord::BetaIsotope, text, profile_.BetaIsotope);
    r.SetText(BinaryRecord::AlphaIsotope, text, profile_.AlphaIsotope);
    r.SetInt16(BinaryRecord::Date, std::int16_t(PackedDate::Pack(today).Value));
}

void CompatibilityHeader::ApplyStep(const TDataType& operation, CivilDate today) {
    if (operation.Kind == OperationKind::TL) {
        ApplyTl(operation);
    } else if (operation.Kind == OperationKind::Irradiation) {
        ApplyIrradiation(operation, today);
    } else if (IsOslKind(operation.Kind)) {
        ApplyLightStimulation(operation);
    }
}

void CompatibilityHeader::ApplyTl(const TDataType& operation) {
    record_.SetDouble(BinaryRecord::RateOrPower, operation.RampRate);
    // A TL is a TL whatever stimulation went before it.
    record_.SetInt16(BinaryRecord::CurveCode, profile_.AfterglowCode);
}

void CompatibilityHeader::ApplyIrradiation(const TDataType& operation, CivilDate today) {
    record_.SetInt16(BinaryRecord::Date, std::int16_t(PackedDate::Pack(today).Value));
    FamilySlots slots{};
    const std::string* unit = nullptr;
    const std::string* isotope = nullptr;
    switch (IrradiationFamilyOf(operation.Source)) {
    case IrradiationFamily::Alpha:
        slots = Alpha;
        unit = &profile_.AlphaDoseRateUnit;
        isotope = &profile_.AlphaIsotope;
        break;
    case IrradiationFamily::Beta:
        slots = Beta;
        unit = &profile_.BetaDoseRateUnit;
        isotope = &profile_.BetaIsotope;
        break;
    case IrradiationFamily::Gamma:
        slots = Gamma;
        unit = &profile_.GammaDoseRateUnit;
        isotope = &profile_.GammaIsotope;
        break;
    case IrradiationFamily::None:
        return;
    }
    if (operation.IrradTime > 0) {
        record_.SetDouble(slots.rate, operation.Dose / operation.IrradTime);
    }
    record_.SetDouble(slots.time, operation.IrradTime);
    record_.SetText(slots.unit, BinaryRecord::ShortTextCapacity, *unit);
    record_.SetText(slots.isotope, BinaryRecord::ShortTextCapacity, *isotope);
}

void CompatibilityHeader::ApplyLightStimulation(const TDataType& operation) {
    for (std::size_t i = BinaryRecord::ChannelCounts; i <= BinaryRecord::TemperatureLow; ++i) {
        record_.SetByte(i, 0);
    }
    for (std::size_t i = 0; i < operation.N.size(); ++i) {
        record_.SetByte(BinaryRecord::ChannelCounts + i, std::uint8_t(operation.N[i]));
    }
    record_.SetByte(BinaryRecord::TemperatureHigh, std::uint8_t(operation.Temperature / 256));
    record_.SetByte(BinaryRecord::TemperatureLow, std::uint8_t(operation.Temperature % 256));
    record_.SetByte(BinaryRecord::BackgroundRate, profile_.Devices.BgdRate[0]);
    record_.SetByte(BinaryRecord::BackgroundRate + 1, profile_.Devices.BgdRate[1]);
    record_.SetDouble(BinaryRecord::RateOrPower, operation.Power);
    record_.SetInt16(BinaryRecord::CurveCode,
                     std::int16_t(profile_.AfterglowCode + 100 * operation.Device));
}

} // namespace gw
