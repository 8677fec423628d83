#pragma once

#include "console/CommandHelp.h"

#include <string>

namespace gw {

// The current topic and page of the help area, moved by the operator's letters, keys, page
// buttons and clicks. Every move reports whether the topic or the page changed, so the view shows
// the help again only then.
class HelpNavigator {
public:
    explicit HelpNavigator(const CommandHelp& help) : help_(&help) {}

    int topic() const { return topic_; }
    int page() const { return page_; }

    // Shows the given topic from its first page (the command list is topic 0).
    bool showTopic(int topic);
    // A typed character from the at sign to the underscore: the help follows the command letter.
    bool followLetter(char letter);
    // Page Up / Page Down: the previous or next topic, or with Ctrl the first or last.
    bool previousTopic(bool toFirst);
    bool nextTopic(bool toLast);
    bool previousPage();
    bool nextPage();
    // A click on the given 1-based line and column of the shown text.
    bool clickAt(int line, int column);

    // The shown page with its TABs expanded, lines separated by LF.
    std::string pageText() const;
    bool hasSeveralPages() const;
    bool canGoBack() const { return hasSeveralPages() && page_ > 0; }
    bool canGoForward() const { return hasSeveralPages() && page_ < lastPage(); }

private:
    bool moveTo(int topic, int page);
    int lastPage() const;

    const CommandHelp* help_;
    int topic_ = 0;
    int page_ = 0;
};

} // namespace gw
