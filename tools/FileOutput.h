// writeFile: stores bytes as a whole file, replacing what was there. The
// bytes go to a temporary file beside the target, which is renamed over the
// target only once everything is written: a write that fails part-way (disk
// full, file size limit) leaves the old file as it was and no temporary.
// Devices and pipes (/dev/stdout) are written directly.
#pragma once

#include <string>

#include "tools/ByteBuffer.h"

namespace VellTools {

// Throws Vell::IOException "can't create file" when the temporary cannot be
// made and "can't write file" when writing or the final rename fails. A
// target that is a symbolic link keeps the link: the file it names is
// replaced. A replaced file keeps its permission bits.
void writeFile(const std::string& path, const Bytes& bytes);

} // namespace VellTools
