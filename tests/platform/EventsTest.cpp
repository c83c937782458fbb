#include <gtest/gtest.h>

#include <vector>

#include "platform/Events.h"

namespace tlrx {
namespace {

TEST(DoEvents, TheHookSeesEveryYieldInTurn) {
    ResetDoEventsCount();
    std::vector<int64_t> seen;
    SetDoEventsHook([&](int64_t n) { seen.push_back(n); });
    for (int i = 0; i < 3; ++i) DoEvents();
    SetDoEventsHook({});
    DoEvents();  // the event loop again: counted, not hooked
    EXPECT_EQ(seen, (std::vector<int64_t>{1, 2, 3}));
    EXPECT_EQ(DoEventsCount(), 4);
}

}  // namespace
}  // namespace tlrx
