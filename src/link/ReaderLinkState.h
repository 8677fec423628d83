#pragma once

#include "link/ReplyLayout.h"

#include <optional>
#include <string>

namespace gw {

// The reply parser's own state beside ReaderState: the reply layout and the link's flags.
struct ReaderLinkState {
    ReplyLayout layout = ReplyLayout::For(ReplyLayout::SixSixHundred, 1);
    bool ShortReplies = false;       // the reader currently sends short status replies
    bool CorrectCounts = false;      // the "Correct reader" switch
    bool PurgeSwitch = false;        // the operator's purge switch
    bool PurgeSyncPending = true;    // the next long reply copies the reader's purge flag
    bool ReaderErrorPending = false; // a line error or an undecodable reply awaits the next reply

    int systemType() const { return layout.SystemType; }
    void setSystemType(int systemType);
    // k := n kept within 1 ... 4.
    void SetCounterChannels(int n);
    void SetShortReplies(bool on) { ShortReplies = on; }

    bool operator==(const ReaderLinkState&) const = default;
};

// The counter channel request in a typed text: the number after "T21 " (leading blanks skipped,
// up to the next blank) when the text holds one and it is 0 or more.
std::optional<int> CounterChannelsRequest(const std::string& text);

// The short-reply rule for an outgoing text: "T23 1 " switches short replies on and "T23 0 " off
// when the reader may send short data (a 6600 whose profile allows it); otherwise those six
// characters are taken out of the text. Returns the text to send.
std::string ApplyT23Rule(std::string text, bool shortDataAllowed, ReaderLinkState& link);

} // namespace gw
