#include "console/HelpNavigator.h"

#include "console/HelpTabs.h"

#include <algorithm>

namespace gw {

namespace {

// The second column of the command list starts after one cell.
constexpr int SecondColumnClick = static_cast<int>(CommandHelp::ListCellWidth) + 2;

} // namespace

bool HelpNavigator::showTopic(int topic) {
    return moveTo(std::clamp(topic, 0, std::max(help_->lastTopic(), 0)), 0);
}

bool HelpNavigator::followLetter(char letter) {
    const int topic = help_->topicOfLetter(letter);
    return topic != topic_ && moveTo(topic, 0);
}

bool HelpNavigator::previousTopic(bool toFirst) {
    return moveTo(toFirst ? 0 : std::max(topic_ - 1, 0), 0);
}

bool HelpNavigator::nextTopic(bool toLast) {
    const int last = std::max(help_->lastTopic(), 0);
    return moveTo(toLast ? last : std::min(topic_ + 1, last), 0);
}

bool HelpNavigator::previousPage() {
    return hasSeveralPages() && moveTo(topic_, std::max(page_ - 1, 0));
}

bool HelpNavigator::nextPage() {
    return hasSeveralPages() && moveTo(topic_, std::min(page_ + 1, lastPage()));
}

bool HelpNavigator::clickAt(int line, int column) {
    const int row = line - CommandHelp::ListHeaderLines;
    if (topic_ != 0 || help_->empty() || row < 1 || row > CommandHelp::ListRows) {
        return false;
    }
    const std::string text = pageText();
    std::size_t start = 0;
    for (int i = 1; i < line && start != std::string::npos; ++i) {
        start = text.find('\n', start);
        start = start == std::string::npos ? start : start + 1;
    }
    const std::size_t offset = column < SecondColumnClick ? 0 : CommandHelp::ListCellWidth;
    if (start == std::string::npos || start + offset >= text.size()) {
        return false;
    }
    const int topic = help_->topicOfLetter(text[start + offset]);
    return topic > 0 && moveTo(topic, 0);
}

std::string HelpNavigator::pageText() const {
    const HelpEntry* entry = help_->topic(topic_);
    return entry == nullptr ? std::string{}
                            : ExpandHelpTabs(entry->pageText(page_), help_->tabStops());
}

bool HelpNavigator::hasSeveralPages() const {
    return lastPage() > 0;
}

bool HelpNavigator::moveTo(int topic, int page) {
    const bool changed = topic != topic_ || page != page_;
    topic_ = topic;
    page_ = page;
    return changed;
}

int HelpNavigator::lastPage() const {
    const HelpEntry* entry = help_->topic(topic_);
    return entry == nullptr ? 0 : entry->lastPage();
}

} // namespace gw
