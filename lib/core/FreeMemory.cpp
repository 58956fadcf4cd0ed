#include "core/FreeMemory.h"

#include <malloc.h>

namespace Vell {

void returnFreeMemory()
{
    // Every arena, and every whole free page inside them, not only the top.
    malloc_trim(0);
}

} // namespace Vell
