// Object: the root of the library's classes. An object names its class and
// may move itself through a stream; by default it refuses to.
#pragma once

namespace Vell {

class Stream;

class Object {
public:
    Object() = default;
    Object(const Object&) = default;
    Object& operator=(const Object&) = default;
    // Destructors may throw "server busy" (see UsageCounter), so the whole
    // hierarchy is allowed to throw from destructors.
    virtual ~Object() noexcept(false) {}

    virtual void check() {}
    virtual const char* className() const { return "Object"; }
    // Writing leaves the object as it was, so const objects can be stored.
    virtual void writeObject(Stream& stream) const;
    virtual void readObject(Stream& stream);
};

} // namespace Vell
