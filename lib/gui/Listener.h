// Listener: a callback object with one operation, kept in listener lists
// (moves, resizes, re-parenting, closing, start of the message loop) that
// hold it without owning it.
#pragma once

namespace Vell {

class Listener {
public:
    virtual ~Listener() = default;
    virtual void notify() = 0;
};

} // namespace Vell
