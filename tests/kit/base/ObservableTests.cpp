#include "ManualClockTest.h"

#include "kit/base/CurrentValueSubject.h"
#include "kit/base/Published.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

struct Model : kit::ObservableObject {
    explicit Model(Log* log) : log(log) {}
    Log* log;
    kit::Published<int> count{this, 1, [this](const int& old) {
                                  log->push_back("didSet old=" + std::to_string(old) +
                                                 " now=" + std::to_string(*count));
                              }};
    kit::Published<std::vector<int>> list{this};
    int plain = 0;
};

TEST(Published, WriteAnnouncesThenEmitsThenStoresThenRunsHook)
{
    Log log;
    Model model(&log);
    auto willChange =
        model.objectWillChange.sink([&] { log.push_back("willChange sees " + std::to_string(*model.count)); });
    auto values = model.count.sink(
        [&](int v) { log.push_back("emit " + std::to_string(v) + " stored " + std::to_string(model.count.get())); });
    log.clear(); // drop the replay of the current value

    model.count = 5;
    EXPECT_EQ(log, (Log{"willChange sees 1", "emit 5 stored 1", "didSet old=1 now=5"}));

    // Writing an equal value announces again; a plain field announces nothing.
    log.clear();
    model.count = 5;
    model.plain = 3;
    EXPECT_EQ(log, (Log{"willChange sees 5", "emit 5 stored 5", "didSet old=5 now=5"}));
}

TEST(Published, ModifyIsOneWriteAndEachStatementIsAnother)
{
    Log log;
    Model model(&log);
    int announcements = 0;
    auto sub = model.objectWillChange.sink([&] { ++announcements; });

    model.list.modify([](auto& v) {
        v.push_back(1);
        v.push_back(2);
    });
    EXPECT_EQ(announcements, 1);
    EXPECT_EQ(*model.list, (std::vector<int>{1, 2}));

    model.list = {7};
    model.count.modify([](int& v) { v += 1; });
    EXPECT_EQ(announcements, 3);
    EXPECT_EQ(model.list->size(), 1u);
    EXPECT_EQ(model.count, 2);
    EXPECT_EQ(model.list.version(), 2u) << "the version counts writes";
    model.list = {7};
    EXPECT_EQ(model.list.version(), 3u) << "an equal value is a write too";
}

TEST(Published, ModifyAnnouncesBeforeTheChangeIsSeen)
{
    // Without a subscriber of its own the value changes where it lies: the
    // announcement still sees the old one, and reads after it the new.
    Log log;
    Model model(&log);
    model.list = {1};
    model.list.modify([](auto& v) { v.reserve(16); });
    auto willChange = model.objectWillChange.sink([&] { log.push_back("sees " + std::to_string(model.list->size())); });
    const int* stored = model.list->data();
    model.list.modify([](auto& v) { v.push_back(2); });
    EXPECT_EQ(log, (Log{"sees 1"}));
    EXPECT_EQ(*model.list, (std::vector<int>{1, 2}));
    EXPECT_EQ(model.list->data(), stored) << "changed in place, not in a copy";

    // A subscriber that comes with the announcement gets the new value
    // while the old one is still stored.
    std::optional<kit::Cancellable> values;
    auto late = model.objectWillChange.sink([&] {
        if (!values)
            values = model.list.sink([&](const std::vector<int>& v) {
                log.push_back("emit " + std::to_string(v.size()) + " stored " + std::to_string(model.list->size()));
            });
    });
    log.clear();
    model.list.modify([](auto& v) { v.push_back(3); });
    EXPECT_EQ(log, (Log{"sees 2", "emit 2 stored 2", "emit 3 stored 2"}))
        << "the replay on subscribing, then the write";
    EXPECT_EQ(*model.list, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(model.list.version(), 4u);

    // With a did-set hook, the hook sees the old value as before.
    log.clear();
    model.count.modify([](int& v) { v = 8; });
    EXPECT_EQ(log, (Log{"sees 3", "didSet old=1 now=8"}));
}

TEST(Published, PublisherReplaysCurrentValueThenEveryWrite)
{
    Log log;
    Model model(&log);
    model.count = 4;
    std::vector<int> seen;
    auto sub = model.count.publisher().sink([&](int v) { seen.push_back(v); });
    model.count = 9;
    EXPECT_EQ(seen, (std::vector<int>{4, 9}));
}

TEST(Published, AssignWritesEachValueOnce)
{
    Log log;
    Model model(&log);
    kit::PassthroughSubject<int> source;
    int announcements = 0;
    auto counter = model.objectWillChange.sink([&] { ++announcements; });
    auto link = source.publisher().assign(model.count);
    source.send(3);
    source.send(3);
    EXPECT_EQ(announcements, 2);
    EXPECT_EQ(model.count, 3);
}

TEST(Subject, DeliversInOrderWithoutReplayAndStopsAfterCompletion)
{
    kit::PassthroughSubject<int> subject;
    subject.send(0); // nobody listens: lost
    std::vector<std::string> seen;
    kit::Cancellable late;
    auto a = subject.sink([&](int v) {
        seen.push_back("a" + std::to_string(v));
        if (!late.isActive())
            late = subject.sink([&](int w) { seen.push_back("late" + std::to_string(w)); });
    });
    auto b = subject.sink([&](int v) { seen.push_back("b" + std::to_string(v)); });
    subject.send(1);
    subject.send(2);
    subject.sendCompletion();
    subject.send(3);
    EXPECT_EQ(seen, (std::vector<std::string>{"a1", "b1", "a2", "b2", "late2"}));
}

TEST(Subject, CancelStopsDeliveryAtOnceEvenDuringASend)
{
    kit::PassthroughSubject<int> subject;
    std::vector<std::string> seen;
    kit::Cancellable second;
    auto first = subject.sink([&](int) {
        seen.push_back("first");
        second.cancel();
    });
    second = subject.sink([&](int) { seen.push_back("second"); });
    subject.send(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"first"}));
    EXPECT_EQ(subject.subscriberCount(), 1u);

    // A subscriber may cancel itself while it runs; its closure is released.
    auto token = std::make_shared<int>(0);
    std::weak_ptr<int> watch = token;
    kit::Cancellable self;
    self = subject.sink([&, token](int) { self.cancel(); });
    token.reset();
    subject.send(2);
    EXPECT_TRUE(watch.expired());
    self.cancel(); // a second cancel does nothing
}

TEST(Subject, NestedSendsAreDeliveredDepthFirst)
{
    kit::PassthroughSubject<int> subject;
    std::vector<std::string> seen;
    auto a = subject.sink([&](int v) {
        seen.push_back("a" + std::to_string(v));
        if (v == 1)
            subject.send(2);
    });
    auto b = subject.sink([&](int v) { seen.push_back("b" + std::to_string(v)); });
    subject.send(1);
    EXPECT_EQ(seen, (std::vector<std::string>{"a1", "a2", "b2", "b1"}));
}

TEST(Subject, CurrentValueSubjectStoresAndReplays)
{
    kit::CurrentValueSubject<std::string> subject("x");
    subject.send("y");
    std::vector<std::string> seen;
    auto sub = subject.sink([&](const std::string& v) { seen.push_back(v + "/" + subject.value()); });
    subject.send("z");
    EXPECT_EQ(seen, (std::vector<std::string>{"y/y", "z/z"}));
}

TEST(Cancellables, SetCancelsOnClearEraseAndDestruction)
{
    kit::PassthroughSubject<int> subject;
    int hits = 0;
    {
        kit::CancellableSet set;
        subject.sink([&](int) { ++hits; }).store(set);
        subject.sink([&](int) { ++hits; }).store(set);
        subject.send(0);
        EXPECT_EQ(hits, 2);
        set.erase(set.begin());
        subject.send(0);
        EXPECT_EQ(hits, 3);
        kit::Cancellable moved = subject.sink([&](int) { ++hits; });
        moved.store(set);
        EXPECT_FALSE(moved.isActive());
        subject.send(0);
        EXPECT_EQ(hits, 5);
    }
    subject.send(0);
    EXPECT_EQ(hits, 5);
    EXPECT_EQ(subject.subscriberCount(), 0u);

    kit::CancellableSet set;
    subject.sink([&](int) { ++hits; }).store(set);
    set.clear();
    subject.send(0);
    EXPECT_EQ(hits, 5);
}

using ReceiveOnMain = ManualClockTest;

TEST_F(ReceiveOnMain, RedeliversThroughTheMainQueueInOrder)
{
    kit::PassthroughSubject<int> subject;
    std::vector<int> seen;
    auto sub = subject.publisher().receiveOnMain().sink([&](int v) { seen.push_back(v); });
    subject.send(1);
    subject.send(2);
    EXPECT_TRUE(seen.empty());
    kit::runUntilIdle();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));

    // Values still queued when the subscription ends are dropped.
    subject.send(3);
    sub.cancel();
    kit::runUntilIdle();
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
}

} // namespace
