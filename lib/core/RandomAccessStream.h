// RandomAccessStream: a stream with a position. Seek modes: 0 from the start,
// 1 from the current position, 2 from the end.
#pragma once

#include "core/Stream.h"

namespace Vell {

class RandomAccessStream : public Stream {
public:
    virtual int seek(int offset, int mode) = 0;
    virtual int tell() { return seek(0, 1); }
    virtual bool eof() { return size() == tell(); }
    virtual int size();
    virtual int length() = 0;
};

} // namespace Vell
