#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "core/Console.h"
#include "core/Exception.h"
#include "core/Mutex.h"
#include "core/String.h"
#include "core/Thread.h"

using namespace Vell;
using namespace std::chrono_literals;

namespace {

// Counts until cancelled; sleeping gives cancellation its point.
class Counter : public Thread {
public:
    ~Counter() noexcept(false) override
    {
        if (isRunning())
            terminate();
    }
    int run() override
    {
        while (true) {
            ++ticks;
            std::this_thread::sleep_for(1ms);
        }
    }
    std::atomic<int> ticks{0};
};

class Quick : public Thread {
public:
    int run() override
    {
        done = true;
        return 3;
    }
    std::atomic<bool> done{false};
};

class Thrower : public Thread {
public:
    explicit Thrower(bool library) : library(library) {}
    int run() override
    {
        if (library)
            throw IOException("ignored");
        throw 42;
    }
    bool library;
};

class MainStandIn : public Thread {
public:
    MainStandIn() { attachCurrentThread(); }
    int run() override { return 0; }
};

// The address checker cannot follow the unwinding of a cancelled thread and
// reports false stack errors, so tests that cancel a thread skip under it.
#if defined(__SANITIZE_ADDRESS__)
#define SKIP_IF_CANCELLATION_UNCHECKABLE() GTEST_SKIP() << "cancellation under the address checker"
#else
#define SKIP_IF_CANCELLATION_UNCHECKABLE() (void)0
#endif

template <typename Condition>
bool waitFor(Condition condition)
{
    for (int i = 0; i < 5000 && !condition(); ++i)
        std::this_thread::sleep_for(1ms);
    return condition();
}

String logOf(Thread& thread)
{
    String captured;
    logDevice().echoOff();
    logDevice().attachTarget(captured);
    thread.start();
    waitFor([&] { return captured.length() > 0 && captured.text()[captured.length() - 1] == '\n'; });
    logDevice().detachTarget(captured);
    logDevice().echoOn();
    return captured;
}

} // namespace

TEST(Thread, StateErrors)
{
    SKIP_IF_CANCELLATION_UNCHECKABLE();
    Counter counter;
    EXPECT_FALSE(counter.isRunning());
    EXPECT_THROW(counter.terminate(), ThreadException);
    EXPECT_THROW(counter.suspend(), ThreadException);
    EXPECT_THROW(counter.resume(), ThreadException);
    EXPECT_THROW(counter.exit(), ThreadException);
    counter.start();
    EXPECT_TRUE(counter.isRunning());
    EXPECT_THROW(counter.start(), ThreadException);
    EXPECT_THROW(counter.exit(), ThreadException);   // not the calling thread
    EXPECT_TRUE(counter.terminate());
    EXPECT_FALSE(counter.isRunning());
    EXPECT_STREQ(counter.className(), "Thread");
}

TEST(Thread, SuspendPausesAndResumeCounts)
{
    SKIP_IF_CANCELLATION_UNCHECKABLE();
    Counter counter;
    counter.start();
    ASSERT_TRUE(waitFor([&] { return counter.ticks > 0; }));
    EXPECT_EQ(counter.suspend(), 0);
    EXPECT_EQ(counter.suspend(), 1);
    int frozen = counter.ticks;
    std::this_thread::sleep_for(30ms);
    EXPECT_EQ(counter.ticks, frozen);
    EXPECT_EQ(counter.resume(), 2);
    EXPECT_EQ(counter.resume(), 1);
    EXPECT_EQ(counter.resume(), 0);
    EXPECT_TRUE(waitFor([&] { return counter.ticks > frozen; }));
}

TEST(Thread, TerminateWhileSuspended)
{
    SKIP_IF_CANCELLATION_UNCHECKABLE();
    Counter counter;
    counter.start();
    counter.suspend();
    EXPECT_TRUE(counter.terminate());
    counter.start();   // may start again once terminated
    EXPECT_TRUE(waitFor([&] { return counter.ticks > 0; }));
}

TEST(Thread, FinishedThreadIsLeftAlone)
{
    Quick quick;
    quick.start();
    ASSERT_TRUE(waitFor([&] { return quick.done.load(); }));
    std::this_thread::sleep_for(5ms);
    EXPECT_TRUE(quick.isRunning());   // the end of run is not noticed
    EXPECT_EQ(quick.suspend(), 0);
    EXPECT_EQ(quick.resume(), 1);
    EXPECT_TRUE(quick.terminate());
    EXPECT_FALSE(quick.isRunning());

    Quick dropped;
    dropped.start();
    waitFor([&] { return dropped.done.load(); });   // destroyed once finished: joined
}

TEST(Thread, EscapingExceptionsAreLogged)
{
    Thrower library(true);
    EXPECT_STREQ(logOf(library).text(), "thread unhandled exception: IOException\n");
    Thrower other(false);
    EXPECT_STREQ(logOf(other).text(), "thread unhandled exception: unknown\n");
}

TEST(Thread, AttachedThreadStandsForTheCaller)
{
    {
        MainStandIn self;
        EXPECT_TRUE(self.isRunning());
        EXPECT_THROW(self.start(), ThreadException);
    }   // destruction lets go without ending this thread
    SUCCEED();
}

TEST(Mutex, IsReentrant)
{
    Mutex mutex;
    mutex.lock();
    mutex.lock();
    mutex.unlock();
    std::atomic<bool> got{false};
    std::thread other([&] {
        mutex.lock();
        got = true;
        mutex.unlock();
    });
    std::this_thread::sleep_for(10ms);
    EXPECT_FALSE(got.load());
    mutex.unlock();
    other.join();
    EXPECT_TRUE(got.load());
    EXPECT_THROW(mutex.unlock(), ThreadException);
    EXPECT_STREQ(mutex.className(), "Mutex");
}
