// mapinfo: prints what the viewers would load for a map name: the table
// sizes and the player's start, then (MapSummary) the archive's tile set, the
// number of convex pieces of the plan view's world, a summary of the map's
// features and warnings about broken references and a bad art file, and last
// the file's version (added after the lines scripts already read, which keep
// their places). The map is found by the viewers' own rule ("$" is the
// archive's default map, then a file on disk, then an entry).
// With --sector N, --wall N or --sprite N (any number of them) it prints
// those records alone, in the order asked, as the viewers' info panel shows
// them (mapdata/RecordText.h).
// Failures are reported like any unhandled exception of the library (exit
// status 1), a record number outside its table among them; a wrong command
// line prints the usage text on standard error (exit status 2), --help on
// standard output (exit status 0).
#include "core/Console.h"
#include "core/UnhandledReport.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/Map.h"
#include "mapdata/MapSource.h"
#include "mapdata/RecordText.h"
#include "mapdata/TileSet.h"
#include "tools/MapSummary.h"
#include "world/World.h"

#include <cerrno>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

using namespace Vell3D;

namespace {

constexpr const char* usageText = "use: mapinfo [--sector N] [--wall N] [--sprite N] <grpfile> <mapname>\n\n"
                                  "the <mapname> is first tried as a filename, "
                                  "then as a map name within the grp file; $ is e3l1.map\n"
                                  "--sector N, --wall N and --sprite N print those records alone, "
                                  "as the viewers' info panel shows them\n\n";

using RecordText::Table;

struct RecordRequest {
    Table table;
    int index;
};

// What the command line asks for; false for a line that is not mapinfo's.
struct CommandLine {
    std::vector<const char*> files;
    std::vector<RecordRequest> records;

    bool read(int argc, char** argv);
};

bool tableOption(std::string_view option, Table& table)
{
    for (Table t : {Table::sector, Table::wall, Table::sprite})
        if (option == "--" + std::string(RecordText::tableName(t))) {
            table = t;
            return true;
        }
    return false;
}

// A whole decimal number in the range of int, sign allowed.
bool parseIndex(const char* text, int& index)
{
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno != 0 || end == text || *end != '\0' || value < -2147483647L - 1 || value > 2147483647L)
        return false;
    index = int(value);
    return true;
}

bool CommandLine::read(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        Table table;
        if (!tableOption(argv[i], table)) {
            files.push_back(argv[i]);
            continue;
        }
        int index = 0;
        if (i + 1 >= argc || !parseIndex(argv[++i], index))
            return false;
        records.push_back({table, index});
    }
    return files.size() == 2;
}

// One labelled line per value, labels padded to 13 characters like the
// map's own lines.
void printMapInfo(Vell::TextStream& out, const Map& map)
{
    const Vector3& start = map.start();
    out << map
        << "start      : " << start.x << " " << start.y << " " << start.z << "\n"
        << "angle      : " << int(map.startAngle()) << "\n"
        << "sector     : " << int(map.startSector()) << "\n";
}

// Every number is checked before the first record is written.
void printRecords(const Map& map, const std::string& mapName, const std::vector<RecordRequest>& records)
{
    for (const RecordRequest& record : records) {
        const int count = RecordText::count(map, record.table);
        if (record.index < 0 || record.index >= count) {
            char what[96];
            std::snprintf(what, sizeof what, "no %s %d in ", RecordText::tableName(record.table), record.index);
            throw Vell::Exception((what + mapName + ": it holds " + std::to_string(count)).c_str());
        }
    }
    Vell::TextStream& out = Vell::console();
    for (const RecordRequest& record : records)
        for (const std::string& line : RecordText::lines(map, record.table, record.index))
            out << line.c_str() << "\n";
}

void printSummary(GroupArchive& archive, const Map& map, const char* requested)
{
    TileSet tiles;
    tiles.load(archive, "tiles", "palette.dat");
    // Everything that can fail runs before the first line is written.
    World world;
    World::BuildOptions plan;
    plan.planOnly = true;
    try {
        world.build(map, plan);
        world.buildPieces();
    } catch (...) {
        rethrowNamingMap(requested);
    }
    VellTools::MapSummary summary(map, world, tiles);
    Vell::TextStream& out = Vell::console();
    printMapInfo(out, map);
    summary.print(out);
    out << "version    : " << int(map.version()) << "\n";
}

int run(int argc, char** argv)
{
    if (const auto status = Vell::answerOptions(argc, argv, usageText, {}, {"--sector", "--wall", "--sprite"}))
        return *status;
    CommandLine line;
    if (!line.read(argc, argv))
        return Vell::printUsage(usageText);
    GroupArchive archive;
    archive.open(line.files[0]);
    std::string name;
    Map map = loadMapByName(archive, line.files[1], &name);
    if (line.records.empty())
        printSummary(archive, map, line.files[1]);
    else
        printRecords(map, name, line.records);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return Vell::runGuarded([&] { return run(argc, argv); });
}
