#pragma once

#include "console/HelpEntry.h"

#include <optional>
#include <string>
#include <vector>

namespace gw {

// The operator's help on the reader's string commands, read from the binary file "Command.info":
// a header with the tab stops, then one record per command (letter, text, 0 byte). Entry 0 is the
// generated list of all command letters; entries 1 ... n are the file's records in order.
class CommandHelp {
public:
    static constexpr std::size_t MaxTabStops = 11;
    static constexpr std::size_t MaxPages = 11;
    static constexpr char PageSeparator = '\x01';
    static constexpr const char* FileName = "Command.info";

    // Builds the table from the bytes of a help file. Empty bytes give an empty table.
    static CommandHelp parse(const std::string& bytes);
    // Reads and parses a help file; empty when the file cannot be opened.
    static std::optional<CommandHelp> load(const std::string& path);

    const std::vector<int>& tabStops() const { return tabStops_; }
    const std::string& commandLetters() const { return commandLetters_; }
    const std::vector<HelpEntry>& entries() const { return entries_; }

    bool empty() const { return entries_.empty(); }
    int lastTopic() const { return static_cast<int>(entries_.size()) - 1; }
    // The topic of a command letter, 0 when no entry has that letter.
    int topicOfLetter(char letter) const;
    // The topic, or nullptr when it does not exist.
    const HelpEntry* topic(int index) const;

    // The first and last character of the command list, in two columns of 16 rows.
    static constexpr char FirstListed = '\x40';
    static constexpr char LastListed = '\x5F';
    static constexpr int ListRows = 16;
    static constexpr std::size_t ListCellWidth = 19;
    // Lines of the command list before its first row.
    static constexpr int ListHeaderLines = 2;

private:
    static HelpEntry parseRecord(const std::string& record);
    HelpEntry buildCommandList() const;

    std::vector<int> tabStops_;
    std::string commandLetters_;
    std::vector<HelpEntry> entries_;
};

} // namespace gw
