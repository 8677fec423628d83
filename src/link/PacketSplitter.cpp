#include "link/PacketSplitter.h"

#include <algorithm>
#include <limits>

namespace gw {

PacketSplitter::PacketSplitter(SplitterConfig config) : config_(std::move(config)) {}

void PacketSplitter::setConfig(SplitterConfig config) {
    config_ = std::move(config);
    stopSearchFrom_ = 0;
}

void PacketSplitter::clear() {
    buffer_.clear();
    insidePacket_ = false;
    stopSearchFrom_ = 0;
}

// Bytes are taken in only as far as the maximum buffer allows, so the buffer overflows at the same
// byte however the stream was cut into reads.
void PacketSplitter::feed(std::string_view bytes) {
    while (!bytes.empty()) {
        const std::size_t taken = std::min(room(), bytes.size());
        buffer_.append(bytes.substr(0, taken));
        bytes.remove_prefix(taken);
        handleBuffer();
        if (config_.maximumBuffer > 0 && buffer_.size() >= config_.maximumBuffer) {
            dropWholeBuffer();
        }
    }
}

std::size_t PacketSplitter::room() const {
    if (config_.maximumBuffer == 0) {
        return std::numeric_limits<std::size_t>::max();
    }
    if (buffer_.size() >= config_.maximumBuffer) {
        return 1;
    }
    return config_.maximumBuffer - buffer_.size();
}

void PacketSplitter::handleBuffer() {
    while (!buffer_.empty()) {
        if (!insidePacket_ && !findPacketStart()) {
            return;
        }
        const std::size_t length = completePacketLength();
        if (length == 0) {
            return;
        }
        deliverPacket(length);
    }
}

bool PacketSplitter::findPacketStart() {
    if (!config_.startText.empty()) {
        const std::size_t position = buffer_.find(config_.startText);
        if (position == std::string::npos) {
            return false;
        }
        if (position > 0) {
            const std::string before = buffer_.substr(0, position);
            buffer_.erase(0, position);
            discard(before);
        }
    }
    insidePacket_ = true;
    stopSearchFrom_ = 0;
    return true;
}

std::size_t PacketSplitter::completePacketLength() {
    if (config_.customStop) {
        const std::size_t length = config_.customStop(buffer_);
        return length <= buffer_.size() ? length : 0;
    }
    const std::size_t limit = config_.sizeLimit;
    // A stop text that ends within the size limit ends the packet even when more bytes arrived
    // in the same read, so lines are never merged.
    const std::size_t searchEnd = limit > 0 ? std::min(buffer_.size(), limit) : buffer_.size();
    if (const std::size_t length = stopTextPacketLength(searchEnd); length > 0) {
        return length;
    }
    if (limit > 0 && buffer_.size() >= limit) {
        return limit;
    }
    return 0;
}

std::size_t PacketSplitter::stopTextPacketLength(std::size_t searchEnd) {
    const std::string& stop = config_.stopText;
    if (stop.empty()) {
        return 0;
    }
    const std::size_t from = std::max(stopSearchFrom_, config_.startText.size());
    const std::string_view searched = std::string_view(buffer_).substr(0, searchEnd);
    const std::size_t position = searched.find(stop, from);
    if (position != std::string_view::npos) {
        return position + stop.size();
    }
    // A stop text may begin in the last bytes searched and end in bytes still to come.
    if (searchEnd >= stop.size()) {
        stopSearchFrom_ = std::max(from, searchEnd - stop.size() + 1);
    }
    return 0;
}

void PacketSplitter::deliverPacket(std::size_t length) {
    std::string packet = buffer_.substr(0, length);
    buffer_.erase(0, length);
    insidePacket_ = false;
    stopSearchFrom_ = 0;
    if (!config_.includeTexts) {
        const std::string& start = config_.startText;
        const std::string& stop = config_.stopText;
        if (!start.empty() && packet.starts_with(start)) {
            packet.erase(0, start.size());
        }
        if (!stop.empty() && packet.ends_with(stop)) {
            packet.erase(packet.size() - stop.size());
        }
    }
    if (packetHandler_) {
        packetHandler_(packet);
    }
}

void PacketSplitter::dropWholeBuffer() {
    const std::string dropped = std::move(buffer_);
    clear();
    discard(dropped);
}

void PacketSplitter::discard(const std::string& bytes) {
    if (discardHandler_ && !bytes.empty()) {
        discardHandler_(bytes);
    }
}

} // namespace gw
