#include "console/CommandHelp.h"

#include <fstream>
#include <iterator>

namespace gw {

namespace {

// Takes the first pair of double quotes (and what they enclose) out of the text as the title.
std::string extractTitle(std::string& text) {
    const std::size_t open = text.find('"');
    if (open == std::string::npos) {
        return {};
    }
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string::npos) {
        return {};
    }
    std::string title = text.substr(open + 1, close - open - 1);
    text.erase(open, close - open + 1);
    return title;
}

std::string commandListCell(char letter, const CommandHelp& help) {
    std::string cell(1, letter);
    const int topic = help.topicOfLetter(letter);
    if (topic > 0) {
        cell += ' ' + help.topic(topic)->title;
    } else {
        cell += " - reserved";
    }
    return cell;
}

} // namespace

CommandHelp CommandHelp::parse(const std::string& bytes) {
    CommandHelp help;
    if (bytes.empty()) {
        return help;
    }
    // Header: one byte that is not interpreted, then the tab stops up to the first 0 byte.
    std::size_t pos = 1;
    while (pos < bytes.size() && bytes[pos] != '\0') {
        if (help.tabStops_.size() < MaxTabStops) {
            help.tabStops_.push_back(static_cast<unsigned char>(bytes[pos]));
        }
        ++pos;
    }
    ++pos;
    // Records: letter, text, 0 byte. A record without its closing 0 byte (a cut file) is dropped,
    // and so is an empty one, whose letter would be the 0 byte itself.
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find('\0', pos);
        if (end == std::string::npos) {
            break;
        }
        if (end > pos) {
            HelpEntry entry = parseRecord(bytes.substr(pos, end - pos));
            help.commandLetters_ += entry.letter;
            help.entries_.push_back(std::move(entry));
        }
        pos = end + 1;
    }
    help.entries_.insert(help.entries_.begin(), HelpEntry{});
    help.entries_.front() = help.buildCommandList();
    return help;
}

std::optional<CommandHelp> CommandHelp::load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    const std::string bytes((std::istreambuf_iterator<char>(file)),
                            std::istreambuf_iterator<char>());
    return parse(bytes);
}

int CommandHelp::topicOfLetter(char letter) const {
    const std::size_t index = commandLetters_.find(letter);
    return index == std::string::npos ? 0 : static_cast<int>(index) + 1;
}

const HelpEntry* CommandHelp::topic(int index) const {
    if (index < 0 || index >= static_cast<int>(entries_.size())) {
        return nullptr;
    }
    return &entries_[static_cast<std::size_t>(index)];
}

HelpEntry CommandHelp::parseRecord(const std::string& record) {
    HelpEntry entry;
    entry.letter = record.front();
    std::string text = record.substr(1);
    entry.title = extractTitle(text);
    // Each separator becomes a line break. The table holds MaxPages pages; further separators
    // stay line breaks within the last page, so no text is lost.
    std::size_t pageStart = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != PageSeparator) {
            continue;
        }
        text.replace(i, 1, "\r\n");
        if (entry.pages.size() + 1 < MaxPages) {
            entry.pages.push_back({pageStart, i - pageStart});
            pageStart = i + 2;
        }
        ++i;
    }
    // A separator at the very end of the text adds no page.
    if (pageStart < text.size() || entry.pages.empty()) {
        entry.pages.push_back({pageStart, text.size() - pageStart});
    }
    entry.text = std::move(text);
    return entry;
}

HelpEntry CommandHelp::buildCommandList() const {
    const auto padded = [](std::string cell, std::size_t width) {
        if (cell.size() >= width) {
            // A long title would push the second column out of place; keep the columns aligned.
            cell.resize(width - 1);
            cell += ' ';
        }
        cell.resize(width, ' ');
        return cell;
    };
    HelpEntry list;
    list.text = "     List of string commands\r\n";
    for (int row = 0; row < ListRows; ++row) {
        const char left = static_cast<char>(FirstListed + row);
        const char right = static_cast<char>(FirstListed + ListRows + row);
        list.text += "\r\n" + padded(commandListCell(left, *this), ListCellWidth) +
                     padded(commandListCell(right, *this), ListCellWidth);
    }
    list.pages.push_back({0, list.text.size()});
    return list;
}

} // namespace gw
