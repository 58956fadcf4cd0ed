#include "core/Mutex.h"

#include "core/Exception.h"

namespace Vell {

Mutex::Mutex()
{
    pthread_mutexattr_t attributes;
    pthread_mutexattr_init(&attributes);
    pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
    int failed = pthread_mutex_init(&mutex, &attributes);
    pthread_mutexattr_destroy(&attributes);
    if (failed)
        throw ResourceException();
}

Mutex::~Mutex() noexcept(false)
{
    pthread_mutex_destroy(&mutex);
}

void Mutex::lock()
{
    pthread_mutex_lock(&mutex);
}

void Mutex::unlock()
{
    // Unlocking a mutex the caller does not hold is refused by the error
    // checking of a recursive mutex instead of corrupting it.
    if (pthread_mutex_unlock(&mutex) != 0)
        throw ThreadException();
}

} // namespace Vell
