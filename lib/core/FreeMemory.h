// FreeMemory: gives the pages the allocator holds free back to the system.
//
// The C library keeps what a program frees in its arenas for later use, and
// gives back only a free stretch at the very top of the heap. A map that is
// left frees tens of MB in pieces spread through the heap (its world, the
// GL driver's per-frame scenes), so without this the process would stay as
// large as the largest map it ever showed. Costs a walk over the free
// lists: call it when something large has just been let go, not per frame.
#pragma once

namespace Vell {

void returnFreeMemory();

} // namespace Vell
