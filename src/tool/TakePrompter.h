#pragma once

#include "core/Prompter.h"

#include <iosfwd>

namespace gw::tool {

// The operator of `gwtool take`: messages go to standard error, the high-voltage question is
// answered as --hv says, every other question is cancelled, and a record that cannot be written
// is kept (the command then prints it).
class TakePrompter : public Prompter {
public:
    TakePrompter(std::ostream& err, Answer highVoltage) : err_(err), highVoltage_(highVoltage) {}

    std::optional<double> askNumber(const std::string& heading,
                                    const std::string& valueText) override;
    std::optional<std::string> askText(const std::string& heading, const std::string& explanation,
                                       const std::string& proposed) override;
    WarningResult warn(const std::string& message, bool offerIgnore, bool offerIgnoreAll) override;
    void message(MessageKind kind, const std::string& caption, const std::string& text) override;
    Answer ask(const std::string& caption, const std::string& text,
               QuestionButtons buttons) override;
    UnwrittenRecordChoice askUnwrittenRecord(const std::string& path,
                                             const std::string& reason) override;

private:
    std::ostream& err_;
    Answer highVoltage_;
};

} // namespace gw::tool
