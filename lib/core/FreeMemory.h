// FreeMemory: gives the pages the allocator holds free back to the system.
//
// The C library keeps what a program frees in its arenas for later use, and
// gives back only a free stretch at the very top of the heap. A map that is
// left frees tens of MB in pieces spread through the heap (its world, the
// GL driver's per-frame scenes), so without this the process would stay as
// large as the largest map it ever showed. Giving pages back has a price:
// whatever needs memory next faults fresh pages in (the next frame's
// scenes, at some microseconds a page). So it is done once something large
// has been let go, when the program waits for the user, and only when
// enough is held free to be worth it.
#pragma once

#include <cstddef>

namespace Vell {

// What the allocator holds free in all its arenas, in bytes.
std::size_t freeHeldBytes();
// Gives back every whole free page when at least `atLeast` bytes are held
// free; whether it did.
bool returnFreeMemory(std::size_t atLeast = 0);

} // namespace Vell
