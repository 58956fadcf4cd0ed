#include "core/Thread.h"

#include <cerrno>
#include <csignal>
#include <ctime>
#include <cxxabi.h>
#include <mutex>
#include <sched.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "core/Console.h"
#include "core/Exception.h"

namespace Vell {

namespace {

thread_local Thread* currentThread = nullptr;

int suspendSignal() { return SIGRTMIN + 5; }
int resumeSignal() { return SIGRTMIN + 6; }

void onResumeSignal(int) {}

void setSuspendSignalBlocked(bool blocked)
{
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, suspendSignal());
    pthread_sigmask(blocked ? SIG_BLOCK : SIG_UNBLOCK, &set, nullptr);
}

void reportEscaped(const char* className)
{
    try {
        log() << "thread unhandled exception: " << className << "\n";
    } catch (...) {
        // A failing log target cannot be reported anywhere else.
    }
}

} // namespace

void Thread::onSuspendSignal(int)
{
    int savedErrno = errno;
    Thread* self = currentThread;
    if (self) {
        sem_post(&self->paused);
        sigset_t waitMask;
        pthread_sigmask(SIG_SETMASK, nullptr, &waitMask);
        sigdelset(&waitMask, resumeSignal());
        // The raw call is no cancellation point: a thread cancelled while
        // paused must leave the handler before it unwinds.
        while (self->suspendCount.load() > 0)
            syscall(SYS_rt_sigsuspend, &waitMask, _NSIG / 8);
    }
    errno = savedErrno;
}

namespace {

void installSignalHandlers(void (*suspendHandler)(int))
{
    static std::once_flag once;
    std::call_once(once, [suspendHandler] {
        struct sigaction action = {};
        action.sa_handler = onResumeSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        sigaction(resumeSignal(), &action, nullptr);
        action.sa_handler = suspendHandler;
        // The resume signal stays pending until the handler waits for it, so
        // a resume sent early is not lost.
        sigaddset(&action.sa_mask, resumeSignal());
        sigaction(suspendSignal(), &action, nullptr);
    });
}

} // namespace

Thread::Thread()
{
    sem_init(&paused, 0, 0);
}

Thread::~Thread() noexcept(false)
{
    if (attached)
        releaseThread();
    else if (hasHandle)
        terminate();
    sem_destroy(&paused);
}

void Thread::yield()
{
    sched_yield();
}

bool Thread::isCallingThread() const
{
    return pthread_equal(handle, pthread_self()) != 0;
}

void Thread::finish()
{
    // Blocked first: a suspend signal arriving now would pause a thread that
    // nobody could see running any more.
    setSuspendSignalBlocked(true);
    finished.store(true);
}

// Cancellation unwinds with an exception that has no object, which the
// undefined-behaviour checker would take for a null reference when caught.
__attribute__((no_sanitize("undefined")))
void* Thread::entry(void* object)
{
    auto* self = static_cast<Thread*>(object);
    currentThread = self;
    struct FinishGuard {
        Thread* thread;
        ~FinishGuard() { thread->finish(); }
    } guard{self};
    setSuspendSignalBlocked(false);
    try {
        self->run();
    } catch (abi::__forced_unwind&) {
        throw;   // cancellation has to unwind to the end
    } catch (const Exception& exception) {
        reportEscaped(exception.className());
    } catch (...) {
        reportEscaped("unknown");
    }
    return nullptr;
}

void Thread::start()
{
    if (hasHandle)
        throw ThreadException();
    installSignalHandlers(onSuspendSignal);
    suspendCount.store(0);
    finished.store(false);
    // The new thread starts with suspension blocked until it has recorded
    // which object it belongs to.
    sigset_t suspendOnly, previous;
    sigemptyset(&suspendOnly);
    sigaddset(&suspendOnly, suspendSignal());
    pthread_sigmask(SIG_BLOCK, &suspendOnly, &previous);
    int failed = pthread_create(&handle, nullptr, entry, this);
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (failed)
        throw ThreadException();
    hasHandle = true;
    attached = false;
}

bool Thread::terminate()
{
    if (!hasHandle)
        throw ThreadException();
    hasHandle = false;
    if (isCallingThread()) {
        if (!attached)
            pthread_detach(handle);
        pthread_exit(nullptr);
    }
    if (attached) {
        // A thread this object did not start is not waited for.
        attached = false;
        pthread_cancel(handle);
        return true;
    }
    if (!finished.load()) {
        // A paused thread must run again to reach its cancellation point.
        suspendCount.store(0);
        pthread_kill(handle, resumeSignal());
        pthread_cancel(handle);
    }
    pthread_join(handle, nullptr);
    return true;
}

void Thread::waitUntilPaused()
{
    while (true) {
        timespec until;
        clock_gettime(CLOCK_MONOTONIC, &until);
        until.tv_nsec += 10 * 1000 * 1000;
        if (until.tv_nsec >= 1000000000) {
            until.tv_sec += 1;
            until.tv_nsec -= 1000000000;
        }
        if (sem_clockwait(&paused, CLOCK_MONOTONIC, &until) == 0)
            return;
        // A thread that ended before the signal reached it never pauses.
        if (finished.load())
            return;
    }
}

int Thread::suspend()
{
    if (!hasHandle)
        throw ThreadException();
    int previous = suspendCount.fetch_add(1);
    if (previous == 0 && !finished.load()) {
        pthread_kill(handle, suspendSignal());
        waitUntilPaused();
    }
    return previous;
}

int Thread::resume()
{
    if (!hasHandle)
        throw ThreadException();
    int previous = suspendCount.load();
    if (previous > 0 && suspendCount.fetch_sub(1) == 1 && !finished.load())
        pthread_kill(handle, resumeSignal());
    return previous;
}

void Thread::exit()
{
    // Only the thread itself may end itself; from elsewhere this would end
    // the caller instead.
    if (!hasHandle || !isCallingThread())
        throw ThreadException();
    pthread_exit(nullptr);
}

void Thread::attachCurrentThread()
{
    if (hasHandle)
        throw ThreadException();
    installSignalHandlers(onSuspendSignal);
    handle = pthread_self();
    hasHandle = true;
    attached = true;
    suspendCount.store(0);
    finished.store(false);
    currentThread = this;
    setSuspendSignalBlocked(false);
}

void Thread::releaseThread()
{
    if (attached && currentThread == this && isCallingThread())
        currentThread = nullptr;
    hasHandle = false;
    attached = false;
}

} // namespace Vell
