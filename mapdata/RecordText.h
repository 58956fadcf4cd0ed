// RecordText: one map record as text, with the record's own numbers as
// stored and its status words spelt out in the words of mapdata/MapFlags.h.
// The viewers' info panel and mapinfo's --sector, --wall and --sprite print
// exactly these lines, so what a user reads in a viewer can be checked, or
// scripted, without a display.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "mapdata/MapFlags.h"

namespace Vell3D {

class Map;

namespace RecordText {

enum class Table { sector, wall, sprite };

// "sector", "wall" or "sprite".
const char* tableName(Table table);
// How many records the map's table holds.
int count(const Map& map, Table table);
// The record's lines: a heading with its number and links, then its
// numbers. An index outside the table gives one line that says so.
std::vector<std::string> lines(const Map& map, Table table, int index);
// "0x0090: masked, translucent"; "0x0000: none"; bits without a word are
// given together as "other 0x0001".
std::string status(std::uint16_t word, std::span<const BitWord> words);
// The sector whose wall range holds the wall, or -1.
int sectorOfWall(const Map& map, int wall);

} // namespace RecordText

} // namespace Vell3D
