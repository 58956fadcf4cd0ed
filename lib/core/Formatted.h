// formatted: printf into a std::string, as long as the text comes out. For
// the lines the viewers and tools build from numbers (the status overlay,
// the info panel, one map record as text).
#pragma once

#include <string>

namespace Vell {

std::string formatted(const char* format, ...) __attribute__((format(printf, 1, 2)));

} // namespace Vell
