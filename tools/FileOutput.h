// writeFile: stores bytes as a whole file, replacing what was there.
#pragma once

#include <string>

#include "tools/ByteBuffer.h"

namespace VellTools {

// Throws Vell::IOException when the file cannot be created or written.
void writeFile(const std::string& path, const Bytes& bytes);

} // namespace VellTools
