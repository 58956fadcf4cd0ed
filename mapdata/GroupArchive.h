// GroupArchive: a group archive file, opened read-only, with its directory
// kept as a table from entry name to where the entry's bytes lie. The data of
// an entry is read through a GroupEntryStream; the archive counts the streams
// that are open on it and refuses destruction while there are any.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/File.h"
#include "core/Object.h"
#include "core/UsageCounter.h"

namespace Vell3D {

struct GroupEntry {
    std::int32_t offset;   // from the start of the archive file
    std::int32_t size;
};

class GroupArchive : public Vell::Object, public Vell::UsageCounter {
public:
    using EntryTable = std::map<std::string, GroupEntry>;

    // Real archives hold a few thousand entries; a count above this is taken
    // for a damaged or hostile header rather than read (its directory alone
    // would be up to 2 GB, its table several times that).
    static constexpr std::int32_t maxEntries = 65536;
    // Positions in the archive file are 32-bit signed, so no entry may end
    // past this.
    static constexpr std::int64_t maxFileSize = 0x7fffffff;

    GroupArchive() = default;
    GroupArchive(const GroupArchive&) = delete;
    GroupArchive& operator=(const GroupArchive&) = delete;
    // Throws InternalException "server busy" while entry streams are open.
    ~GroupArchive() noexcept(false) override;

    // Reads the header and the directory. IOException when the file cannot be
    // opened or ends inside the header or directory; Exception "bad grp
    // archive <path>" for a wrong magic, a negative count or one above maxEntries,
    // a negative size, or entries that run past the end of the file. On failure the archive stays as it was.
    void open(const char* path);

    // Upper-cases a to z of the name and looks it up byte for byte.
    // Exception "can't find grp entry <name>" when it is not there.
    GroupEntry findEntry(const char* name) const;

    // The lookup table, in name order (duplicates resolved to the last entry).
    const EntryTable& entryTable() const { return entries; }
    // The entry names in the order of the archive's directory, each once (a
    // name listed twice stands where its last entry, the one found, is).
    const std::vector<std::string>& entryNames() const { return directoryOrder; }

    // The archive file that entry streams read through; IOException when the
    // archive has not been opened.
    Vell::File& archiveFile();

private:
    std::unique_ptr<Vell::File> file;
    EntryTable entries;
    std::vector<std::string> directoryOrder;
};

} // namespace Vell3D
