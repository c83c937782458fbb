#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <chrono>
#include <thread>
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

// Counts the events delivered to it.
class EventCounter : public QObject {
public:
    int delivered = 0;
    bool event(QEvent* e) override {
        if (e->type() != QEvent::User) return QObject::event(e);
        ++delivered;
        return true;
    }
};

// Yields far more frequent than the events need: every call is counted, but
// the event loop runs at most once every 5 ms; pending events are still
// delivered once that time has passed.
TEST(DoEvents, TheEventLoopRunsAtMostEveryFewMilliseconds) {
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    SetDoEventsHook({});
    SetEventLoop([] { QCoreApplication::processEvents(); });
    EventCounter counter;
    std::this_thread::sleep_for(std::chrono::milliseconds(6));
    ResetDoEventsCount();
    int passes = 0;  // calls that delivered the event posted before them
    const auto start = std::chrono::steady_clock::now();
    constexpr int kCalls = 200000;
    for (int i = 0; i < kCalls; ++i) {
        const int before = counter.delivered;
        QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
        DoEvents();
        if (counter.delivered != before) ++passes;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(DoEventsCount(), kCalls);
    EXPECT_GE(passes, 1);  // the first call, 6 ms after the last pass
    EXPECT_LE(passes, std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count() / 5 + 1);

    // After a pause the next yield delivers what is waiting.
    QCoreApplication::postEvent(&counter, new QEvent(QEvent::User));
    std::this_thread::sleep_for(std::chrono::milliseconds(6));
    DoEvents();
    EXPECT_EQ(counter.delivered, kCalls + 1);
    SetEventLoop(nullptr);
}

}  // namespace
}  // namespace tlrx
