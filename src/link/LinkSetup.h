#pragma once

#include "link/PacketSplitter.h"
#include "link/PortSettings.h"

#include <cstddef>
#include <string_view>

namespace gw {

// The framing of the reader and scanner links: how each splitter is set up and how the reader's
// transmission mode sets up its port.
namespace link_setup {

constexpr char kStx = '\x02';
constexpr char kEtx = '\x03';
constexpr std::size_t kReaderMaximumBuffer = 4096;
// Nine tenths of the maximum buffer, so an endless line is delivered before the buffer overflows.
constexpr std::size_t kReaderSizeLimit = 3686;
constexpr std::size_t kScannerMaximumBuffer = 1024;

// 7-bit: lines ended by CR, delivered without the CR. 8-bit: frames STX, length, contents, ETX,
// delivered whole, whose second byte is the frame's total length.
SplitterConfig readerSplitter(bool eightBitMode);
// Scanner lines end with CR LF and are delivered with it.
SplitterConfig scannerSplitter();

// The length of an 8-bit frame at the start of the bytes, or 0 while it is incomplete.
std::size_t eightBitFrameLength(std::string_view bytes);

// Data bits, parity, parity check, stop bits and null discarding of the reader's mode.
void applyReaderMode(PortSettings& settings, bool eightBitMode);
// Whether the settings are the 8-bit set-up (8 data bits, even parity, 1 stop bit).
bool isEightBitSetup(const PortSettings& settings);

} // namespace link_setup

} // namespace gw
