#include "link/LinkSetup.h"

namespace gw::link_setup {

SplitterConfig readerSplitter(bool eightBitMode) {
    SplitterConfig config;
    config.maximumBuffer = kReaderMaximumBuffer;
    if (eightBitMode) {
        config.startText = std::string(1, kStx);
        config.stopText = std::string(1, kEtx);
        config.includeTexts = true;
        config.customStop = eightBitFrameLength;
    } else {
        config.stopText = "\r";
        config.sizeLimit = kReaderSizeLimit;
        config.includeTexts = false;
    }
    return config;
}

SplitterConfig scannerSplitter() {
    SplitterConfig config;
    config.stopText = "\r\n";
    config.includeTexts = true;
    config.maximumBuffer = kScannerMaximumBuffer;
    return config;
}

std::size_t eightBitFrameLength(std::string_view bytes) {
    if (bytes.size() < 4) {
        return 0;
    }
    const std::size_t length = static_cast<unsigned char>(bytes[1]);
    // A length byte of 0 never completes a frame; the splitter's maximum buffer ends it.
    if (length == 0 || bytes.size() < length) {
        return 0;
    }
    return length;
}

void applyReaderMode(PortSettings& settings, bool eightBitMode) {
    settings.discardNull = !eightBitMode;
    settings.dataBits = eightBitMode ? DataBits::Eight : DataBits::Seven;
    settings.parity = eightBitMode ? Parity::Even : Parity::None;
    settings.parityCheck = eightBitMode;
    settings.stopBits = eightBitMode ? StopBits::One : StopBits::Two;
}

bool isEightBitSetup(const PortSettings& settings) {
    return settings.dataBits == DataBits::Eight && settings.parity == Parity::Even &&
           settings.stopBits == StopBits::One;
}

} // namespace gw::link_setup
