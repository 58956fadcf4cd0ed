// Fuzz target: opening a group archive, looking names up and reading the
// entries in every way a caller may (whole, in pieces, near and past the end).
#include <cstdint>
#include <string>

#include "MemoryFile.h"
#include "core/Exception.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"

using namespace Vell3D;

namespace {

// Bounds the work per input: a large directory is still read in full by
// open, but only its first entries are read.
constexpr int entriesRead = 32;

void readEntry(const std::string& name, GroupArchive& archive)
{
    GroupEntryStream stream(name.c_str(), archive);
    std::uint8_t buffer[512];
    int size = stream.size();
    for (int left = size; left > 0;) {
        int chunk = left < int(sizeof buffer) ? left : int(sizeof buffer);
        stream.readFully(buffer, chunk);
        left -= chunk;
    }
    try {
        stream.seek(-5, 2);
        stream.read(buffer, 5);
    } catch (Vell::Exception&) {
    }
    try {
        stream.seek(1, 2);
        stream.readByte();
    } catch (Vell::Exception&) {
    }
    try {
        stream.seek(0, 0);
        Map map;
        map.load(stream);
    } catch (Vell::Exception&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile input("fuzz-archive");
    input.replace(data, size);
    GroupArchive archive;
    try {
        archive.open(input.path());
    } catch (Vell::Exception&) {
        return 0;
    }
    int read = 0;
    for (const auto& entry : archive.entryTable()) {
        if (read++ == entriesRead)
            break;
        try {
            readEntry(entry.first, archive);
        } catch (Vell::Exception&) {
        }
    }
    for (const char* name : {"palette.dat", "E3L1.MAP", "", "tiles000.art"}) {
        try {
            archive.findEntry(name);
        } catch (Vell::Exception&) {
        }
    }
    return 0;
}
