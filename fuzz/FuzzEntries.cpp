#include "FuzzEntries.h"

#include "console/CommandHelp.h"
#include "console/CommandHelpSource.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "engine/TDataType.h"
#include "link/DumpLine.h"
#include "link/LinkSetup.h"
#include "link/PacketSplitter.h"
#include "link/StatusReplyDecoder.h"
#include "profile/DefaultProfile.h"
#include "profile/ProfileFile.h"
#include "profile/TimeBaseCalculator.h"
#include "script/DiskExpander.h"
#include "script/OperationPreparer.h"
#include "script/ScriptCompiler.h"
#include "script/sc_Script.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace gw::fuzz {
namespace {

std::string_view textOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The first byte chooses how the rest is cut into reads, as a port delivers it in pieces.
void feedInPieces(PacketSplitter& splitter, std::string_view bytes) {
    if (bytes.empty()) {
        return;
    }
    const std::size_t piece = 1 + static_cast<unsigned char>(bytes.front()) % 64;
    bytes.remove_prefix(1);
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        splitter.feed(bytes.substr(at, piece));
    }
}

void runSplitter(const std::uint8_t* data, std::size_t size, bool eightBit) {
    PacketSplitter splitter(link_setup::readerSplitter(eightBit));
    std::size_t delivered = 0;
    splitter.setPacketHandler([&](const std::string& packet) { delivered += packet.size(); });
    splitter.setDiscardHandler([&](const std::string& bytes) { delivered += bytes.size(); });
    feedInPieces(splitter, textOf(data, size));
}

void runSplitter7(const std::uint8_t* data, std::size_t size) {
    runSplitter(data, size, false);
}
void runSplitter8(const std::uint8_t* data, std::size_t size) {
    runSplitter(data, size, true);
}

// The first byte sets up the link: system type, counter channels, short replies, correction.
ReaderLinkState linkFrom(std::uint8_t setup) {
    ReaderLinkState link;
    link.setSystemType(setup % 5);
    link.SetCounterChannels(1 + (setup / 5) % 4);
    link.ShortReplies = (setup & 0x40) != 0;
    link.CorrectCounts = (setup & 0x80) != 0;
    return link;
}

void runStatusReply(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    ReaderLinkState link = linkFrom(data[0]);
    ReaderState state;
    DecodeStatusReply(textOf(data + 1, size - 1), link, state);
    // A second reply through the same state, as the reader's next one follows the first.
    DecodeStatusReply(textOf(data + 1, size - 1), link, state);
}

void runDumpLine(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    ReaderLinkState link = linkFrom(data[0]);
    ReaderState state;
    const std::string_view text = textOf(data + 1, size - 1);
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        DecodeDumpLine(text.substr(start, end - start), link, state);
        start = end + 1;
    }
}

void runCommandHelp(const std::uint8_t* data, std::size_t size) {
    const CommandHelp help = CommandHelp::parse(std::string(textOf(data, size)));
    for (int letter = 0; letter < 256; ++letter) {
        help.topic(help.topicOfLetter(static_cast<char>(letter)));
    }
}

void runCommandHelpSource(const std::uint8_t* data, std::size_t size) {
    const CommandHelpSource::Result result =
        CommandHelpSource::build(std::string(textOf(data, size)));
    if (result.ok) {
        CommandHelp::parse(result.bytes);
    }
}

// The profile loader reads a file, so each input is written to this process's own file first.
void runProfileFile(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("gw-fuzz-" + std::to_string(getpid()) + ".dta");
    {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ScriptedPrompter prompter;
    MemorySettingsStore settings;
    ProfileContext context{prompter, settings};
    ProfileState state;
    LoadProfile(path.string(), state, context);
    std::string error;
    if (const auto image = ReadProfileImage(path.string(), error)) {
        for (int index = 0; index < image->profileCount(); ++index) {
            image->profileName(index);
        }
        image->convertedToFivePages();
    }
}

// The first byte chooses the reader, the time-base scheme and how warnings are answered; the rest
// is the script text. Compiled, placed on the platters and every step prepared, as a run does.
void runScript(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const std::uint8_t setup = data[0];
    const SystemProfile profile = DefaultProfile(static_cast<std::int16_t>(setup % 5));
    ScriptedPrompter prompter;
    for (int i = 0; i < 4; ++i) {
        prompter.numbers.push_back(1.0 + i);
        prompter.warnings.push_back((setup & 0x20) != 0 ? WarningResult::Ignore
                                                        : WarningResult::IgnoreAll);
    }
    auto script = CreateScript(textOf(data + 1, size - 1), "fuzz.seq", profile);
    CompileScript(*script, prompter);
    if (script->error) {
        return;
    }
    ExpandDisks(*script, prompter);
    if (script->error) {
        return;
    }
    TimeBaseCalculator calculator;
    PreparationContext context{prompter, calculator, profile, (setup & 0x40) != 0,
                               CivilDate{2026, 12, 9}};
    bool ignoreAll = false;
    for (sc_Item& disk : script->Disks().disks) {
        TDataType operation;
        while (disk.runCursor != disk.commands.End()) {
            if (!PrepareNextOperation(*script, disk, operation, ignoreAll, context).ok) {
                return;
            }
        }
    }
}

} // namespace

const std::vector<FuzzEntry>& fuzzEntries() {
    static const std::vector<FuzzEntry> entries = {
        {"packet_splitter_7bit", runSplitter7}, {"packet_splitter_8bit", runSplitter8},
        {"status_reply", runStatusReply},       {"dump_line", runDumpLine},
        {"command_help", runCommandHelp},       {"command_help_source", runCommandHelpSource},
        {"profile_file", runProfileFile},       {"script", runScript},
    };
    return entries;
}

const FuzzEntry* findFuzzEntry(std::string_view name) {
    for (const FuzzEntry& entry : fuzzEntries()) {
        if (entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

} // namespace gw::fuzz
