#include "mapdata/GroupArchive.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "core/Exception.h"
#include "core/LittleEndian.h"

namespace Vell3D {

namespace {

constexpr char magic[12] = {'Q', 'u', 'o', 'r', 'v', 'e', 'l', 'i', 'n', 'd', 'a', 's'};
constexpr int headerSize = 16;
constexpr int directoryEntrySize = 16;
constexpr int nameSize = 12;

[[noreturn]] void badArchive(const char* path)
{
    throw Vell::Exception(Vell::SubjectMessage("bad grp archive", path));
}

// Directory entries are read this many at a time, so that the buffer stays
// at 4096 entries (64 KB) whatever the count.
constexpr std::int32_t entriesPerRead = 4096;

// Reads the directory into the lookup table, and its names in the order the
// directory lists them. Offsets are summed in 64 bits so that no size,
// however large, can wrap an offset round into the file.
GroupArchive::EntryTable readEntries(Vell::File& file, std::int32_t count, std::int64_t fileSize,
                                       const char* path, std::vector<std::string>& order)
{
    GroupArchive::EntryTable entries;
    std::int64_t offset = headerSize + std::int64_t(directoryEntrySize) * count;
    std::vector<unsigned char> directory(std::size_t(entriesPerRead) * directoryEntrySize);
    for (std::int32_t first = 0; first < count; first += entriesPerRead) {
        std::int32_t n = std::min(entriesPerRead, count - first);
        file.readFully(directory.data(), n * directoryEntrySize);
        for (std::int32_t i = 0; i < n; ++i) {
            const unsigned char* entry = directory.data() + std::size_t(i) * directoryEntrySize;
            std::int32_t size = Vell::LittleEndian::read<std::int32_t>(entry + nameSize);
            if (size < 0 || offset + size > fileSize)
                badArchive(path);
            // A name of all 12 bytes has no terminator in the file.
            std::size_t nameLength = strnlen(reinterpret_cast<const char*>(entry), nameSize);
            std::string name(reinterpret_cast<const char*>(entry), nameLength);
            entries[name] = GroupEntry{std::int32_t(offset), size};
            order.push_back(std::move(name));
            offset += size;
        }
    }
    return entries;
}

// A name listed twice is found at its last entry, so that is where it stays.
void keepLastOfEachName(std::vector<std::string>& order)
{
    std::set<std::string> seen;
    std::vector<std::string> kept;
    for (auto name = order.rbegin(); name != order.rend(); ++name) {
        if (seen.insert(*name).second)
            kept.push_back(std::move(*name));
    }
    order.assign(std::make_move_iterator(kept.rbegin()), std::make_move_iterator(kept.rend()));
}

} // namespace

GroupArchive::~GroupArchive() noexcept(false)
{
    file.reset();
    entries.clear();
    directoryOrder.clear();
    checkUnused();
}

void GroupArchive::open(const char* path)
{
    // Open streams keep offsets into the current file.
    if (usageCount() != 0)
        throw Vell::InternalException("server busy");
    // The viewers never change the game's data, so a read-only archive is fine.
    auto opened = std::make_unique<Vell::File>(path, Vell::File::readOnly);
    unsigned char header[headerSize];
    opened->readFully(header, headerSize);
    if (std::memcmp(header, magic, sizeof magic) != 0)
        badArchive(path);
    std::int32_t count = Vell::LittleEndian::read<std::int32_t>(header + nameSize);
    if (count < 0 || count > maxEntries)
        badArchive(path);
    // Checked before the directory is read, so that a huge count in a small
    // file costs nothing.
    std::int64_t fileSize = opened->size();
    if (headerSize + std::int64_t(directoryEntrySize) * count > fileSize)
        badArchive(path);
    std::vector<std::string> order;
    entries = readEntries(*opened, count, fileSize, path, order);
    keepLastOfEachName(order);
    directoryOrder = std::move(order);
    file = std::move(opened);
}

GroupEntry GroupArchive::findEntry(const char* name) const
{
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    auto found = entries.find(key);
    if (found == entries.end())
        throw Vell::Exception(Vell::SubjectMessage("can't find grp entry", name));
    return found->second;
}

Vell::File& GroupArchive::archiveFile()
{
    if (!file)
        throw Vell::IOException();
    return *file;
}

} // namespace Vell3D
