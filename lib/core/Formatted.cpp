#include "core/Formatted.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace Vell {

std::string formatted(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string text;
    if (n > 0) {
        std::vector<char> buffer(std::size_t(n) + 1);
        std::vsnprintf(buffer.data(), buffer.size(), format, again);
        text.assign(buffer.data(), std::size_t(n));
    }
    va_end(again);
    return text;
}

} // namespace Vell
