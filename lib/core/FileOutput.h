// writeFile: stores bytes as a whole file, replacing what was there. The
// bytes go to a temporary file beside the target, which is renamed over the
// target only once everything is written: a write that fails part-way (disk
// full, file size limit) leaves the old file as it was and no temporary.
// Devices and pipes (/dev/stdout) are written directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vell {

// Throws IOException "can't create <path>: <reason>" when the temporary
// cannot be made and "can't write <path>: <reason>" when writing or the
// final rename fails. A target that is a symbolic link keeps the link: the
// file it names is replaced. A replaced file keeps its permission bits.
void writeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

// The same, but only where nothing has the name yet: false, with nothing
// written, when the path exists (even when it appears while the bytes are
// written). Failures throw as writeFile's do.
bool writeNewFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

} // namespace Vell
