// Fuzz target: loading a map from a file on disk, from an archive entry and
// by the viewers' name rule, then printing it.
#include <cstdint>
#include <vector>

#include "MemoryFile.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/String.h"
#include "core/TextStream.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/RecordText.h"
#include "tools/authoring/GroupWriter.h"

using namespace Vell3D;

namespace {

// The counts, and the first and last record of each table as the info
// panel and mapinfo write them, whatever their numbers.
void printMap(const Map& map)
{
    Vell::String text;
    Vell::TextStream out(text);
    out << map;
    for (RecordText::Table table : {RecordText::Table::sector, RecordText::Table::wall, RecordText::Table::sprite})
        for (int index : {0, RecordText::count(map, table) - 1})
            for (const std::string& line : RecordText::lines(map, table, index))
                out << line.c_str();
}

void loadFromFile(const char* path)
{
    Map map;
    try {
        Vell::File file(path, Vell::File::readOnly);
        map.load(file);
    } catch (Vell::Exception&) {
    }
    printMap(map);
}

// The same bytes as the archive's default map entry.
void loadFromArchive(const std::uint8_t* data, std::size_t size, const char* mapPath)
{
    static MemoryFile archiveFile("fuzz-map-archive");
    VellTools::GroupWriter writer;
    writer.add("E3L1.MAP", VellTools::Bytes(data, data + size));
    VellTools::Bytes bytes = writer.bytes();
    archiveFile.replace(bytes.data(), bytes.size());
    GroupArchive archive;
    archive.open(archiveFile.path());
    for (const char* name : {"$", mapPath}) {
        try {
            printMap(loadMapByName(archive, name));
        } catch (Vell::Exception&) {
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MemoryFile input("fuzz-map");
    input.replace(data, size);
    loadFromFile(input.path());
    loadFromArchive(data, size, input.path());
    return 0;
}
