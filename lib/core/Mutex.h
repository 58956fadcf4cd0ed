// Mutex: the library's one lock, re-entrant for the thread that holds it.
#pragma once

#include <pthread.h>

#include "core/Object.h"

namespace Vell {

class Mutex : public Object {
public:
    Mutex();
    ~Mutex() noexcept(false) override;
    Mutex(const Mutex&) = delete;
    Mutex& operator=(const Mutex&) = delete;

    const char* className() const override { return "Mutex"; }

    virtual void lock();
    virtual void unlock();

private:
    pthread_mutex_t mutex;
};

} // namespace Vell
