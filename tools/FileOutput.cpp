#include "tools/FileOutput.h"

#include <fstream>

#include "core/Exception.h"

namespace VellTools {

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        throw Vell::IOException("can't create file");
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out)
        throw Vell::IOException("can't write file");
}

} // namespace VellTools
