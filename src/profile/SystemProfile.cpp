#include "profile/SystemProfile.h"

#include "profile/ProfileFields.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace gw {

namespace {

using Bytes = std::array<std::uint8_t, SystemProfile::Size>;

std::uint64_t readLittleEndian(const Bytes& bytes, int offset, int width) {
    std::uint64_t value = 0;
    for (int i = width - 1; i >= 0; --i) {
        value = (value << 8) | bytes[static_cast<std::size_t>(offset + i)];
    }
    return value;
}

void writeLittleEndian(Bytes& bytes, int offset, int width, std::uint64_t value) {
    for (int i = 0; i < width; ++i) {
        bytes[static_cast<std::size_t>(offset + i)] = static_cast<std::uint8_t>(value & 0xFF);
        value >>= 8;
    }
}

// Byte widths of the stored value types, so that arrays can step through their elements.
template <typename T> constexpr int storedWidth = sizeof(T);
template <> constexpr int storedWidth<bool> = 1;
template <> constexpr int storedWidth<PackedDate> = 2;
template <typename T, std::size_t N>
constexpr int storedWidth<std::array<T, N>> = static_cast<int>(N) * storedWidth<T>;

void decodeAt(const Bytes& b, int offset, double& value) {
    value = std::bit_cast<double>(readLittleEndian(b, offset, 8));
}
void decodeAt(const Bytes& b, int offset, std::int16_t& value) {
    value = static_cast<std::int16_t>(readLittleEndian(b, offset, 2));
}
void decodeAt(const Bytes& b, int offset, PackedDate& value) {
    value.Value = static_cast<std::uint16_t>(readLittleEndian(b, offset, 2));
}
void decodeAt(const Bytes& b, int offset, bool& value) {
    value = b[static_cast<std::size_t>(offset)] != 0;
}
void decodeAt(const Bytes& b, int offset, char& value) {
    value = static_cast<char>(b[static_cast<std::size_t>(offset)]);
}
void decodeAt(const Bytes& b, int offset, std::uint8_t& value) {
    value = b[static_cast<std::size_t>(offset)];
}
template <typename T, std::size_t N>
void decodeAt(const Bytes& b, int offset, std::array<T, N>& a) {
    for (std::size_t i = 0; i < N; ++i) {
        decodeAt(b, offset + static_cast<int>(i) * storedWidth<T>, a[i]);
    }
}

void encodeAt(Bytes& b, int offset, double value) {
    writeLittleEndian(b, offset, 8, std::bit_cast<std::uint64_t>(value));
}
void encodeAt(Bytes& b, int offset, std::int16_t value) {
    writeLittleEndian(b, offset, 2, static_cast<std::uint16_t>(value));
}
void encodeAt(Bytes& b, int offset, PackedDate value) {
    writeLittleEndian(b, offset, 2, value.Value);
}
void encodeAt(Bytes& b, int offset, bool value) {
    b[static_cast<std::size_t>(offset)] = value ? 1 : 0;
}
void encodeAt(Bytes& b, int offset, char value) {
    b[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
}
void encodeAt(Bytes& b, int offset, std::uint8_t value) {
    b[static_cast<std::size_t>(offset)] = value;
}
template <typename T, std::size_t N>
void encodeAt(Bytes& b, int offset, const std::array<T, N>& a) {
    for (std::size_t i = 0; i < N; ++i) {
        encodeAt(b, offset + static_cast<int>(i) * storedWidth<T>, a[i]);
    }
}

// A string[capacity]: a length byte and `capacity` character bytes. A length byte beyond the
// capacity is read as the full capacity.
std::string decodeText(const Bytes& b, int offset, int capacity) {
    const int length = std::min<int>(b[static_cast<std::size_t>(offset)], capacity);
    const auto* first = reinterpret_cast<const char*>(b.data() + offset + 1);
    return std::string(first, static_cast<std::size_t>(length));
}

void encodeText(Bytes& b, int offset, int capacity, const std::string& text) {
    const int length = std::min<int>(static_cast<int>(text.size()), capacity);
    b[static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(length);
    std::copy_n(text.begin(), length, b.begin() + offset + 1);
}

class Decoder {
public:
    explicit Decoder(const Bytes& bytes) : bytes_(bytes) {}

    template <typename T> void field(const char*, int offset, T& value) {
        decodeAt(bytes_, offset, value);
    }
    void text(const char*, int offset, int capacity, std::string& value) {
        value = decodeText(bytes_, offset, capacity);
    }
    void sampleTemp(const char*, int highOffset, int lowOffset, std::uint16_t& value) {
        value = static_cast<std::uint16_t>(bytes_[static_cast<std::size_t>(highOffset)] << 8 |
                                           bytes_[static_cast<std::size_t>(lowOffset)]);
    }
    void deviceSet(const char*, int offset, DeviceSet& set, DeviceSetKind kind) {
        VisitDeviceSetFields(set, kind, offset, *this);
    }

private:
    const Bytes& bytes_;
};

// Writes each field over the raw bytes only where its value differs from what the raw bytes say,
// so an unchanged field keeps its exact bytes (a flag stored as 5, the tail of a text...).
class Encoder {
public:
    Encoder(const Bytes& raw, Bytes& out) : raw_(raw), out_(out) {}

    template <typename T> void field(const char*, int offset, const T& value) {
        T stored{};
        decodeAt(raw_, offset, stored);
        if (!(stored == value)) {
            encodeAt(out_, offset, value);
        }
    }
    void text(const char*, int offset, int capacity, const std::string& value) {
        if (decodeText(raw_, offset, capacity) != value) {
            encodeText(out_, offset, capacity, value);
        }
    }
    void sampleTemp(const char*, int highOffset, int lowOffset, std::uint16_t value) {
        out_[static_cast<std::size_t>(highOffset)] = static_cast<std::uint8_t>(value >> 8);
        out_[static_cast<std::size_t>(lowOffset)] = static_cast<std::uint8_t>(value & 0xFF);
    }
    void deviceSet(const char*, int offset, const DeviceSet& set, DeviceSetKind kind) {
        VisitDeviceSetFields(set, kind, offset, *this);
    }

private:
    const Bytes& raw_;
    Bytes& out_;
};

} // namespace

SystemProfile SystemProfile::FromBytes(const Bytes& bytes) {
    SystemProfile profile;
    profile.RawBytes = bytes;
    Decoder decoder(bytes);
    VisitProfileFields(profile, decoder);
    return profile;
}

Bytes SystemProfile::ToBytes() const {
    Bytes out = RawBytes;
    Encoder encoder(RawBytes, out);
    VisitProfileFields(*this, encoder);
    return out;
}

} // namespace gw
