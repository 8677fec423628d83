#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace gw {

// One record of the older analysis format's ".dat" file: a 190-byte header and a curve of 100
// little-endian doubles. Its header offsets are named here; the content rules live in
// CompatibilityHeader and CompatibilityWriter.
class BinaryRecord {
public:
    static constexpr std::size_t Size = 990;
    static constexpr std::size_t HeaderSize = 190;
    static constexpr int Slots = 100;
    static constexpr int LastSlotIndex = Slots - 1;

    // Header offsets.
    static constexpr std::size_t LastSlot = 0;
    static constexpr std::size_t Version = 2; // always 5
    static constexpr std::size_t RecordNumber = 4;
    static constexpr std::size_t DiskField = 6;
    static constexpr std::size_t CurveCode = 8;
    static constexpr std::size_t LastChannel = 10; // always 99
    static constexpr std::size_t ExposedBefore = 12;
    static constexpr std::size_t Normalisation = 13;
    static constexpr std::size_t NotBackground = 14;
    static constexpr std::size_t SingleAliquot = 15;
    static constexpr std::size_t Natural = 16;
    static constexpr std::size_t Exposure = 18;
    static constexpr std::size_t RateOrPower = 26;
    static constexpr std::size_t GammaRate = 34;
    static constexpr std::size_t BetaRate = 42;
    static constexpr std::size_t AlphaRate = 50;
    static constexpr std::size_t GammaTime = 58;
    static constexpr std::size_t BetaTime = 66;
    static constexpr std::size_t AlphaTime = 74;
    static constexpr std::size_t ChannelCounts = 82; // four bytes
    static constexpr std::size_t TemperatureHigh = 86;
    static constexpr std::size_t BackgroundRate = 87; // two bytes, high byte first
    static constexpr std::size_t TemperatureLow = 89;
    static constexpr std::size_t GammaUnit = 90;
    static constexpr std::size_t BetaUnit = 98;
    static constexpr std::size_t AlphaUnit = 106;
    static constexpr std::size_t GammaIsotope = 122;
    static constexpr std::size_t BetaIsotope = 130;
    static constexpr std::size_t AlphaIsotope = 138;
    static constexpr std::size_t Date = 146;
    static constexpr std::size_t Remark = 148;
    static constexpr std::size_t ShortTextCapacity = 7;
    static constexpr std::size_t RemarkCapacity = 41;

    using Bytes = std::array<std::uint8_t, Size>;

    BinaryRecord() : bytes_{} {}
    explicit BinaryRecord(const Bytes& bytes) : bytes_(bytes) {}

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    std::uint8_t Byte(std::size_t offset) const { return bytes_[offset]; }
    void SetByte(std::size_t offset, std::uint8_t value) { bytes_[offset] = value; }
    std::int16_t Int16(std::size_t offset) const;
    void SetInt16(std::size_t offset, std::int16_t value);
    double Double(std::size_t offset) const;
    void SetDouble(std::size_t offset, double value);
    // A length-prefixed text of the given capacity; the rest of the field is zero.
    void SetText(std::size_t offset, std::size_t capacity, std::string_view text);

    double Slot(int slot) const { return Double(HeaderSize + std::size_t(slot) * 8); }
    void SetSlot(int slot, double value) { SetDouble(HeaderSize + std::size_t(slot) * 8, value); }

    // The header's own reading of itself.
    int LastSlotOf() const { return Int16(LastSlot); }
    int CurveCodeOf() const { return Int16(CurveCode); }

private:
    Bytes bytes_;
};

// A ".sub" record: the background-corrected curve of one measurement, 100 little-endian doubles.
using SubtractionCurve = std::array<double, BinaryRecord::Slots>;
inline constexpr std::size_t SubtractionRecordSize = BinaryRecord::Slots * 8;

std::array<std::uint8_t, SubtractionRecordSize> SubtractionBytes(const SubtractionCurve& curve);
SubtractionCurve SubtractionFromBytes(const std::uint8_t* bytes);

} // namespace gw
