// Thread: one POSIX thread; a subclass supplies its body as run. An exception
// that escapes run is reported on the log and ends the thread.
//
// terminate cancels the thread and waits until it has ended, so the object is
// never used by a thread that outlives it; the thread ends at its next
// cancellation point (a sleep, a blocking call, pthread_testcancel).
// suspend and resume pause the thread inside a signal handler and return the
// previous suspend count. A thread that has returned from run keeps its
// handle (isRunning stays true) until terminate or destruction, and none of
// these operations acts on it any more.
#pragma once

#include <atomic>
#include <pthread.h>
#include <semaphore.h>

#include "core/Object.h"

namespace Vell {

class Thread : public Object {
public:
    Thread();
    ~Thread() noexcept(false) override;
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    const char* className() const override { return "Thread"; }

    // Each throws ThreadException when called in the wrong state.
    virtual void start();
    virtual bool terminate();
    virtual int suspend();
    virtual int resume();
    virtual bool isRunning() const { return hasHandle; }
    virtual int run() = 0;
    // Ends the calling thread, which must be this one; does not return.
    [[noreturn]] virtual void exit();

    static void yield();

protected:
    // Makes this object stand for the calling thread (the application object
    // does this for the main thread), so that isRunning is true.
    void attachCurrentThread();
    // Lets go of an attached thread without acting on it.
    void releaseThread();

private:
    static void* entry(void* object);
    static void onSuspendSignal(int);
    bool isCallingThread() const;
    void waitUntilPaused();
    void finish();

    pthread_t handle{};
    bool hasHandle = false;
    bool attached = false;
    std::atomic<int> suspendCount{0};
    std::atomic<bool> finished{false};
    sem_t paused;
};

} // namespace Vell
