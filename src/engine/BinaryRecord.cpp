#include "engine/BinaryRecord.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace gw {

namespace {

void PutUnsigned(std::uint8_t* at, std::uint64_t value, int width) {
    for (int i = 0; i < width; ++i) {
        at[i] = std::uint8_t(value >> (8 * i));
    }
}

std::uint64_t GetUnsigned(const std::uint8_t* at, int width) {
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
        value |= std::uint64_t(at[i]) << (8 * i);
    }
    return value;
}

} // namespace

std::int16_t BinaryRecord::Int16(std::size_t offset) const {
    return std::int16_t(std::uint16_t(GetUnsigned(&bytes_[offset], 2)));
}

void BinaryRecord::SetInt16(std::size_t offset, std::int16_t value) {
    PutUnsigned(&bytes_[offset], std::uint16_t(value), 2);
}

double BinaryRecord::Double(std::size_t offset) const {
    return std::bit_cast<double>(GetUnsigned(&bytes_[offset], 8));
}

void BinaryRecord::SetDouble(std::size_t offset, double value) {
    PutUnsigned(&bytes_[offset], std::bit_cast<std::uint64_t>(value), 8);
}

void BinaryRecord::SetText(std::size_t offset, std::size_t capacity, std::string_view text) {
    const std::size_t length = std::min(capacity, text.size());
    std::fill_n(&bytes_[offset], capacity + 1, std::uint8_t(0));
    bytes_[offset] = std::uint8_t(length);
    std::memcpy(&bytes_[offset + 1], text.data(), length);
}

std::array<std::uint8_t, SubtractionRecordSize> SubtractionBytes(const SubtractionCurve& curve) {
    std::array<std::uint8_t, SubtractionRecordSize> bytes{};
    for (std::size_t k = 0; k < curve.size(); ++k) {
        PutUnsigned(&bytes[k * 8], std::bit_cast<std::uint64_t>(curve[k]), 8);
    }
    return bytes;
}

SubtractionCurve SubtractionFromBytes(const std::uint8_t* bytes) {
    SubtractionCurve curve{};
    for (std::size_t k = 0; k < curve.size(); ++k) {
        curve[k] = std::bit_cast<double>(GetUnsigned(bytes + k * 8, 8));
    }
    return curve;
}

} // namespace gw
