// The demo archive: palette, the two art files and the demo maps, under the
// upper-case names that archive lookups use.
#pragma once

#include "tools/ByteBuffer.h"

namespace VellTools {

// withLargeMap adds "LARGE.MAP".
Bytes demoArchive(bool withLargeMap);

} // namespace VellTools
