#include "FuzzEntries.h"

#include "console/CommandHelp.h"
#include "console/CommandHelpSource.h"
#include "core/MemorySettingsStore.h"
#include "core/ScriptedPrompter.h"
#include "engine/BackgroundSubtraction.h"
#include "engine/BinaryRecord.h"
#include "engine/DataFileCsv.h"
#include "engine/DataFileCurve.h"
#include "engine/DataFileReader.h"
#include "engine/DataFileRecordRow.h"
#include "engine/FixedRecordFile.h"
#include "engine/TDataType.h"
#include "engine/runtime/RunJournal.h"
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
#include "script/WorksheetDocument.h"
#include "script/WorksheetTableBuilder.h"
#include "script/sc_Script.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
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

// This process's own scratch file of that extension, holding the bytes (appended to on request).
std::filesystem::path scratchFile(const char* extension, std::string_view bytes,
                                  bool append = false) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("gw-fuzz-" + std::to_string(getpid()) + extension);
    std::ofstream file(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// A broken promise of the code under test: the fuzzer reports it as a crash.
void require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The profile loader reads a file, so each input is written to this process's own file first.
void runProfileFile(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path path = scratchFile(".dta", textOf(data, size));
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

// The tables of a small script with an irradiation, built once: the template is what varies.
struct WorksheetScript {
    std::unique_ptr<sc_Script> script;
    WorksheetTables tables;

    WorksheetScript() {
        SystemProfile profile = DefaultProfile(4);
        profile.GammaDoseRate = 0.5;
        profile.GammaDoseRateUnit = "Gy/min";
        ScriptedPrompter prompter;
        script = CreateScript("METHOD TEMPLATE \"T\"\r\nINFO \"n{1}\"\r\nGLOBAL\r\n"
                              "LIST POSITIONS = 1-3\r\nEND GLOBAL\r\nMETHOD\r\n"
                              "LOOP DISKS #1\r\nIRRAD(2, 0, 20, 10)\r\n"
                              "TL(5, 0, 0, 450, 0, 0)\r\nEND LOOP\r\nEND METHOD\r\n",
                              "fuzz.gws", profile);
        CompileScript(*script, prompter);
        ExpandDisks(*script, prompter);
        StepRecordContext context{prompter, {2026, 3, 1}};
        BuildWorksheetTables(*script, tables, context);
    }
};

void runWorksheetTemplate(const std::uint8_t* data, std::size_t size) {
    static const WorksheetScript prepared;
    const WorksheetTemplate rtf = WorksheetTemplate::Parse(textOf(data, size));
    WorksheetInputs inputs;
    inputs.templateName = "T";
    inputs.labName = "Lab";
    inputs.sampleName = "S\xB5";
    inputs.infoText = "n{1}";
    inputs.dateText = "1.3.26";
    inputs.today = {2026, 3, 1};
    WorksheetDocument(rtf, inputs, prepared.tables, prepared.script->devices).Compose();
}

// Everything the data file viewer and gwtool make of a record.
struct DataFileUse : DataFileSink {
    std::vector<DataFileRecord> records;

    void header(DataFileHeader) override {}
    void record(DataFileRecord record) override {
        for (const auto normalisation : {CurveNormalisation::None, CurveNormalisation::FirstPoint,
                                         CurveNormalisation::Maximum}) {
            DataFileCurvesOf(record, normalisation, normalisation == CurveNormalisation::Maximum);
        }
        DataFileRowOf(record);
        records.push_back(std::move(record));
    }
    void restarted() override { records.clear(); }
};

// The first byte cuts the file in two: the viewer reads the first part, then what was added, as
// it follows a file that a run writes, and finally the record still open at the end.
void runDataFile(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const std::string_view text = textOf(data + 1, size - 1);
    const std::size_t cut = text.size() * data[0] / 255;
    const std::filesystem::path path = scratchFile(".txt", text.substr(0, cut));
    DataFileReader reader(path);
    DataFileUse use;
    reader.readMore(use);
    scratchFile(".txt", text.substr(cut), true);
    reader.readMore(use);
    reader.readTail(use);
    for (const DataFileRecord& record : use.records) {
        ParseDataFileRecord(reader.recordBytes(record));
    }
    DataFileCsv(use.records);
}

// The bytes at that offset of the input as a record, zero-filled past its end.
template <std::size_t N>
std::array<std::uint8_t, N> bytesAt(std::string_view input, std::size_t offset) {
    std::array<std::uint8_t, N> bytes{};
    if (offset < input.size()) {
        std::memcpy(bytes.data(), input.data() + offset, std::min(N, input.size() - offset));
    }
    return bytes;
}

// A binary file that a run adds to: whatever it held (the input) stays as it was, the run's
// records follow it and read back as written, and the records read back go through the
// background subtraction as the run's own do.
void runBinaryFile(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return;
    }
    const int filter = data[0] % 8;
    const std::string_view before = textOf(data + 1, size - 1);
    FixedRecordFile file(scratchFile(".dat", before), BinaryRecord::Size);
    require(!file.Open());
    require(std::uint64_t(file.RecordsFound()) * BinaryRecord::Size >= before.size());
    BinaryRecord measurement;
    BinaryRecord reference;
    measurement.bytes() = bytesAt<BinaryRecord::Size>(before, 0);
    reference.bytes() = bytesAt<BinaryRecord::Size>(before, BinaryRecord::Size);
    require(!file.Write(0, measurement.bytes()));
    require(!file.Write(2, reference.bytes()));
    BinaryRecord read;
    for (const auto& [index, expected] : {std::pair{0, &measurement}, std::pair{2, &reference}}) {
        require(!file.Read(index, read.bytes()) && read.bytes() == expected->bytes());
    }
    std::ifstream kept(file.Path(), std::ios::binary);
    std::string start(before.size(), '\0');
    kept.read(start.data(), static_cast<std::streamsize>(start.size()));
    require(start == before);

    SubtractionCurve corrected =
        SubtractionFromBytes(bytesAt<SubtractionRecordSize>(before, 2 * BinaryRecord::Size).data());
    SubtractBackground(measurement, reference, false, corrected, filter);
    SubtractBackground(measurement, measurement, true, corrected, filter);
}

// The journal a resume reads: what it trusts of a data file of any size stays within the file and
// never reaches back before the run's first record.
void runRunJournal(const std::uint8_t* data, std::size_t size) {
    std::string problem;
    const std::optional<RunJournal> journal =
        RunJournal::FromJson(std::string(textOf(data, size)), problem);
    if (!journal) {
        require(!problem.empty());
        return;
    }
    std::vector<std::int64_t> sizes = {0, journal->dataStart,
                                       std::numeric_limits<std::int64_t>::max()};
    for (const RunJournal::Record& record : journal->records) {
        sizes.push_back(record.end);
    }
    for (const std::int64_t fileSize : sizes) {
        const RunJournal::Holdings holdings = journal->Trust(fileSize);
        if (!holdings.valid) {
            continue;
        }
        require(holdings.keep >= journal->dataStart && holdings.keep <= fileSize);
        require(holdings.whole <= journal->records.size() + 1);
        for (const std::int64_t binarySize : journal->BinarySizes(holdings.whole)) {
            require(binarySize >= 0);
        }
    }
}

} // namespace

const std::vector<FuzzEntry>& fuzzEntries() {
    static const std::vector<FuzzEntry> entries = {
        {"packet_splitter_7bit", runSplitter7},
        {"packet_splitter_8bit", runSplitter8},
        {"status_reply", runStatusReply},
        {"dump_line", runDumpLine},
        {"command_help", runCommandHelp},
        {"command_help_source", runCommandHelpSource},
        {"profile_file", runProfileFile},
        {"script", runScript},
        {"worksheet_template", runWorksheetTemplate},
        {"data_file", runDataFile},
        {"binary_file", runBinaryFile},
        {"run_journal", runRunJournal},
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
