// The demo archive: palette, the two art files and the demo maps, under the
// upper-case names that archive lookups use.
#pragma once

#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

// withLargeMaps adds "LARGE.MAP" and "HUGE.MAP".
Bytes demoArchive(bool withLargeMaps);

} // namespace VellTools
