#include "tool/PrepareAnswerPrompter.h"

#include <gtest/gtest.h>
#include <sstream>

namespace gw::tool {
namespace {

TEST(PrepareAnswerPrompter, AnswersEachWarningWithTheButtonAnOperatorWouldPress) {
    using W = WarningResult;
    const struct {
        W chosen;
        bool offerIgnore, offerIgnoreAll;
        W expected;
    } cases[] = {
        {W::Abort, true, true, W::Abort},       {W::Ignore, true, true, W::Ignore},
        {W::Ignore, false, false, W::Abort},    {W::IgnoreAll, true, true, W::IgnoreAll},
        {W::IgnoreAll, true, false, W::Ignore}, {W::IgnoreAll, false, false, W::Abort},
    };
    for (const auto& c : cases) {
        std::ostringstream err;
        PrepareAnswerPrompter prompter({}, c.chosen, err);
        SCOPED_TRACE(static_cast<int>(c.chosen) * 100 + c.offerIgnore * 10 + c.offerIgnoreAll);
        EXPECT_EQ(
            prompter.warn(" Too few positions in POSITIONS ", c.offerIgnore, c.offerIgnoreAll),
            c.expected);
        EXPECT_EQ(prompter.Aborted(), c.expected == W::Abort);
        EXPECT_EQ(err.str(), "warning:  Too few positions in POSITIONS \n");
    }
}

} // namespace
} // namespace gw::tool
