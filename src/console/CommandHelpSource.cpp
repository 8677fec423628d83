#include "console/CommandHelpSource.h"

#include "console/CommandHelp.h"

#include <sstream>
#include <vector>

namespace gw {

namespace {

struct Entry {
    char letter;
    std::string title;
    std::vector<std::vector<std::string>> pages;
};

class Builder {
public:
    bool line(const std::string& raw) {
        std::string text = raw;
        if (!text.empty() && text.back() == '\r') {
            text.pop_back();
        }
        if (text.rfind('#', 0) == 0) {
            return true;
        }
        if (text.rfind("%tabs", 0) == 0) {
            return tabs(text.substr(5));
        }
        if (text.rfind("%entry", 0) == 0) {
            return entry(text.substr(6));
        }
        if (text == "%page") {
            return page();
        }
        if (!text.empty() && text[0] == '%') {
            return fail("unknown directive \"" + text + "\"");
        }
        return helpText(text);
    }

    std::string bytes() const {
        std::string out(1, CommandHelpSource::HeaderByte);
        for (int stop : tabStops_) {
            out += static_cast<char>(stop);
        }
        out += '\0';
        for (const Entry& e : entries_) {
            out += e.letter;
            out += '"' + e.title + '"';
            for (std::size_t p = 0; p < e.pages.size(); ++p) {
                if (p > 0) {
                    out += CommandHelp::PageSeparator;
                }
                out += joinPage(e.pages[p]);
            }
            out += '\0';
        }
        return out;
    }

    std::string error;

private:
    bool fail(const std::string& message) {
        error = message;
        return false;
    }

    bool tabs(const std::string& list) {
        std::istringstream in(list);
        tabStops_.clear();
        for (std::string word; in >> word;) {
            int stop = 0;
            try {
                stop = std::stoi(word);
            } catch (const std::exception&) {
                return fail("tab stop \"" + word + "\" is no number");
            }
            if (stop < 1 || stop > 255 || (!tabStops_.empty() && stop <= tabStops_.back())) {
                return fail("tab stops must ascend within 1 ... 255");
            }
            tabStops_.push_back(stop);
        }
        if (tabStops_.size() > CommandHelp::MaxTabStops) {
            return fail("more than eleven tab stops");
        }
        return true;
    }

    bool entry(const std::string& rest) {
        if (rest.size() < 2 || rest[0] != ' ' || rest[1] == ' ' || rest[1] == '\0') {
            return fail("%entry needs a command letter");
        }
        const char letter = rest[1];
        for (const Entry& e : entries_) {
            if (e.letter == letter) {
                return fail(std::string("second entry for the letter ") + letter);
            }
        }
        const std::size_t titleStart = rest.find_first_not_of(' ', 2);
        const std::string title = titleStart == std::string::npos ? "" : rest.substr(titleStart);
        if (title.size() > CommandHelpSource::MaxTitleLength) {
            return fail("title \"" + title + "\" is longer than 16 characters");
        }
        if (title.find('"') != std::string::npos) {
            return fail("a title cannot hold a double quote");
        }
        entries_.push_back({letter, title, {{}}});
        return true;
    }

    bool page() {
        if (entries_.empty()) {
            return fail("%page before the first %entry");
        }
        if (entries_.back().pages.size() >= CommandHelp::MaxPages) {
            return fail("more than eleven pages");
        }
        entries_.back().pages.emplace_back();
        return true;
    }

    bool helpText(const std::string& text) {
        if (text.find('\0') != std::string::npos ||
            text.find(CommandHelp::PageSeparator) != std::string::npos) {
            return fail("control bytes 00h and 01h cannot be help text");
        }
        if (entries_.empty()) {
            return text.find_first_not_of(" \t") == std::string::npos ||
                   fail("help text before the first %entry");
        }
        entries_.back().pages.back().push_back(text);
        return true;
    }

    static std::string joinPage(std::vector<std::string> lines) {
        while (!lines.empty() && lines.back().find_first_not_of(" \t") == std::string::npos) {
            lines.pop_back();
        }
        std::string text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            text += (i > 0 ? "\r\n" : "") + lines[i];
        }
        return text;
    }

    std::vector<int> tabStops_;
    std::vector<Entry> entries_;
};

} // namespace

CommandHelpSource::Result CommandHelpSource::build(const std::string& source) {
    Builder builder;
    std::istringstream in(source);
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (!builder.line(line)) {
            return {false, {}, "line " + std::to_string(number) + ": " + builder.error};
        }
    }
    return {true, builder.bytes(), {}};
}

} // namespace gw
