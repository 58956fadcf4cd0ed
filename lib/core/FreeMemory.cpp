#include "core/FreeMemory.h"

#include <malloc.h>

namespace Vell {

std::size_t freeHeldBytes()
{
    return mallinfo2().fordblks;
}

bool returnFreeMemory(std::size_t atLeast)
{
    if (atLeast > 0 && freeHeldBytes() < atLeast)
        return false;
    // Every arena, and every whole free page inside them, not only the top.
    malloc_trim(0);
    return true;
}

} // namespace Vell
