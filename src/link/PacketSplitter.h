#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace gw {

// How a splitter cuts a byte stream into packets.
struct SplitterConfig {
    // Returns the length of the packet at the start of the buffer, or 0 while it is incomplete.
    using CustomStop = std::function<std::size_t(std::string_view packetSoFar)>;

    // When not empty, a packet begins only at the start text; bytes before it are discarded.
    std::string startText;
    // A packet ends after the stop text.
    std::string stopText;
    // When greater than 0, a packet also ends when it holds this many bytes.
    std::size_t sizeLimit = 0;
    // When off, a leading start text and a trailing stop text are removed before delivery.
    bool includeTexts = false;
    // When the buffer reaches this many bytes without a packet, it is discarded; 0: no limit.
    std::size_t maximumBuffer = 0;
    // When set, it alone decides where a packet ends.
    CustomStop customStop;
};

// Cuts received bytes into packets and hands each to the packet handler. Bytes that belong to no
// packet go to the discard handler (or are dropped silently when there is none). The result does
// not depend on how the bytes are cut into calls of feed().
class PacketSplitter {
public:
    using Handler = std::function<void(const std::string& bytes)>;

    PacketSplitter() = default;
    explicit PacketSplitter(SplitterConfig config);

    // Changing the set-up delivers or drops nothing by itself; the buffer is kept.
    void setConfig(SplitterConfig config);
    const SplitterConfig& config() const { return config_; }

    void setPacketHandler(Handler handler) { packetHandler_ = std::move(handler); }
    void setDiscardHandler(Handler handler) { discardHandler_ = std::move(handler); }

    void feed(std::string_view bytes);

    // Forgets buffered bytes without reporting them (the port's buffers were cleared).
    void clear();

    const std::string& buffered() const { return buffer_; }
    bool insidePacket() const { return insidePacket_; }

private:
    void handleBuffer();
    bool findPacketStart();
    std::size_t completePacketLength();
    std::size_t stopTextPacketLength(std::size_t searchEnd);
    void deliverPacket(std::size_t length);
    void dropWholeBuffer();
    void discard(const std::string& bytes);
    std::size_t room() const;

    SplitterConfig config_;
    Handler packetHandler_;
    Handler discardHandler_;
    std::string buffer_;
    bool insidePacket_ = false;
    // Where the search for the stop text resumes, so a long packet is not searched again and again.
    std::size_t stopSearchFrom_ = 0;
};

} // namespace gw
