#include "link/PacketSplitter.h"

#include "link/LinkSetup.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace gw {
namespace {

using Events = std::vector<std::string>;

const std::string kStx(1, '\x02');
const std::string kEtx(1, '\x03');

std::string bytes(std::initializer_list<int> values) {
    std::string result;
    for (int value : values) {
        result += static_cast<char>(value);
    }
    return result;
}

// Records packets as "P:" and discarded bytes as "D:", in the order they came.
struct Recorder {
    explicit Recorder(const SplitterConfig& config, bool reportDiscards) : splitter(config) {
        splitter.setPacketHandler([this](const std::string& p) { events.push_back("P:" + p); });
        if (reportDiscards) {
            splitter.setDiscardHandler(
                [this](const std::string& d) { events.push_back("D:" + d); });
        }
    }
    PacketSplitter splitter;
    Events events;
};

struct SplitCase {
    const char* name;
    SplitterConfig config;
    bool reportDiscards;
    std::string stream;
    Events expected;
};

SplitterConfig delimited(std::string start, std::string stop, bool include,
                         std::size_t sizeLimit = 0, std::size_t maximumBuffer = 0) {
    SplitterConfig config;
    config.startText = std::move(start);
    config.stopText = std::move(stop);
    config.includeTexts = include;
    config.sizeLimit = sizeLimit;
    config.maximumBuffer = maximumBuffer;
    return config;
}

std::vector<SplitCase> splitCases() {
    const auto reader7 = link_setup::readerSplitter(false);
    const auto reader8 = link_setup::readerSplitter(true);
    const auto scanner = link_setup::scannerSplitter();
    const std::string limitLine(3686, 'x');
    const std::string frame5 = kStx + bytes({5}) + "ab" + kEtx;
    const std::string frame6 = kStx + bytes({6}) + "a" + kEtx + "cd";
    return {
        {"reader7TwoLines", reader7, true, "ab\rcd\r", {"P:ab", "P:cd"}},
        {"reader7EmptyLine", reader7, true, "\r", {"P:"}},
        {"reader7LineWithoutStopWaits", reader7, true, "abc", {}},
        {"reader7SizeLimit", reader7, true, limitLine + "yz\r", {"P:" + limitLine, "P:yz"}},
        {"reader7StopJustInsideLimit",
         reader7,
         true,
         std::string(3685, 'x') + "\rq\r",
         {"P:" + std::string(3685, 'x'), "P:q"}},
        {"reader7StopJustPastLimit", reader7, true, limitLine + "\r", {"P:" + limitLine, "P:"}},
        {"reader7ShortLineBeforeLongRun",
         reader7,
         true,
         "ab\r" + std::string(4000, 'x'),
         {"P:ab", "P:" + limitLine}},
        {"reader8Frame", reader8, false, frame5, {"P:" + frame5}},
        {"reader8LengthDecidesNotEtx", reader8, false, frame6, {"P:" + frame6}},
        {"reader8BytesBeforeStxDropped", reader8, false, "junk" + frame5, {"P:" + frame5}},
        {"reader8TwoFrames", reader8, false, frame5 + frame6, {"P:" + frame5, "P:" + frame6}},
        {"reader8ZeroLengthDropsAtMaximum",
         reader8,
         true,
         kStx + bytes({0}) + std::string(4094, 'z') + frame5,
         {"D:" + kStx + bytes({0}) + std::string(4094, 'z'), "P:" + frame5}},
        {"reader8NoStxDropsAtMaximum",
         reader8,
         true,
         std::string(4096, 'n') + frame5,
         {"D:" + std::string(4096, 'n'), "P:" + frame5}},
        {"reader8IncompleteFrameWaits", reader8, false, kStx + bytes({9}) + "abc", {}},
        {"scannerLineKeepsCrLf", scanner, false, "!0\r\n", {"P:!0\r\n"}},
        {"scannerLoneCrDoesNotEnd", scanner, false, "a\rb\r\n", {"P:a\rb\r\n"}},
        {"scannerOverlongLineDropped",
         scanner,
         true,
         std::string(1024, 's') + "ok\r\n",
         {"D:" + std::string(1024, 's'), "P:ok\r\n"}},
        {"startStopStripped",
         delimited("<", ">", false),
         true,
         "xx<ab>yy<cd>",
         {"D:xx", "P:ab", "D:yy", "P:cd"}},
        {"startStopIncluded", delimited("<", ">", true), true, "<ab><>", {"P:<ab>", "P:<>"}},
        {"stopBeforeStartIgnored", delimited("<", ">", false), true, "a>b<c>", {"D:a>b", "P:c"}},
        {"multiByteTexts", delimited("[[", "]]", false), true, "z[[a]b]]", {"D:z", "P:a]b"}},
        {"limitCutsInsideStopText",
         delimited("", "\r\n", false, 4),
         true,
         "abc\r\nde\r\n",
         {"P:abc\r", "P:\nde\r"}},
        {"maximumWithoutStart",
         delimited("<", ">", false, 0, 5),
         true,
         "12345<a>",
         {"D:12345", "P:a"}},
    };
}

Events splitWhole(const SplitCase& c) {
    Recorder recorder(c.config, c.reportDiscards);
    recorder.splitter.feed(c.stream);
    return recorder.events;
}

TEST(PacketSplitterTest, SplitsWholeStreams) {
    for (const SplitCase& c : splitCases()) {
        EXPECT_EQ(splitWhole(c), c.expected) << c.name;
    }
}

// The kernel may hand over the bytes in any pieces; the packets must not depend on that.
TEST(PacketSplitterTest, SameResultWhereverTheStreamIsCut) {
    for (const SplitCase& c : splitCases()) {
        for (std::size_t cut = 1; cut < c.stream.size(); ++cut) {
            Recorder recorder(c.config, c.reportDiscards);
            recorder.splitter.feed(std::string_view(c.stream).substr(0, cut));
            recorder.splitter.feed(std::string_view(c.stream).substr(cut));
            ASSERT_EQ(recorder.events, c.expected) << c.name << " cut at " << cut;
        }
    }
}

TEST(PacketSplitterTest, SameResultByteByByte) {
    for (const SplitCase& c : splitCases()) {
        Recorder recorder(c.config, c.reportDiscards);
        for (char byte : c.stream) {
            recorder.splitter.feed(std::string_view(&byte, 1));
        }
        EXPECT_EQ(recorder.events, c.expected) << c.name;
    }
}

TEST(PacketSplitterTest, ChangingTheSetUpDeliversNothingByItself) {
    Recorder recorder(link_setup::readerSplitter(false), true);
    recorder.splitter.feed("ab");
    recorder.splitter.setConfig(link_setup::scannerSplitter());
    EXPECT_TRUE(recorder.events.empty());
    recorder.splitter.feed("\r\n");
    EXPECT_EQ(recorder.events, Events{"P:ab\r\n"});
}

TEST(PacketSplitterTest, ClearForgetsThePartialPacketSilently) {
    Recorder recorder(link_setup::readerSplitter(true), true);
    recorder.splitter.feed(kStx + bytes({5}) + "a");
    recorder.splitter.clear();
    recorder.splitter.feed("b" + kEtx + kStx + bytes({4}) + "c" + kEtx);
    EXPECT_EQ(recorder.events, (Events{"D:b" + kEtx, "P:" + kStx + bytes({4}) + "c" + kEtx}));
}

TEST(PacketSplitterTest, CustomStopBeyondTheBufferIsIncomplete) {
    SplitterConfig config;
    config.customStop = [](std::string_view) { return std::size_t{10}; };
    Recorder recorder(config, true);
    recorder.splitter.feed("abc");
    EXPECT_TRUE(recorder.events.empty());
    recorder.splitter.feed("defghij");
    EXPECT_EQ(recorder.events, Events{"P:abcdefghij"});
}

TEST(EightBitFrameLengthTest, LengthByteDecides) {
    struct Case {
        std::string bytes;
        std::size_t expected;
    };
    const Case cases[] = {
        {kStx + bytes({5}) + "a", 0},         {kStx + bytes({5}) + "ab", 0},
        {kStx + bytes({5}) + "ab" + kEtx, 5}, {kStx + bytes({4}) + "a" + kEtx + "zz", 4},
        {kStx + bytes({0}) + "abcdef", 0},    {kStx + bytes({2}) + "ab", 2},
        {kStx + bytes({255}) + "abc", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(link_setup::eightBitFrameLength(c.bytes), c.expected);
    }
}

} // namespace
} // namespace gw
