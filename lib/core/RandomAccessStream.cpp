#include "core/RandomAccessStream.h"

namespace Vell {

int RandomAccessStream::size()
{
    int here = tell();
    int end = seek(0, 2);
    seek(here, 0);
    return end;
}

} // namespace Vell
