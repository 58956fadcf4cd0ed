// GroupWriter: builds a group archive in memory, the inverse of the archive
// reader. Entries are stored in the order added, with their names exactly as
// given (readers look names up in upper case, so callers normally pass
// upper-case names; tests may pass others on purpose).
#pragma once

#include <string>
#include <vector>

#include "tools/authoring/ByteBuffer.h"

namespace VellTools {

class GroupWriter {
public:
    static constexpr std::size_t maxNameLength = 12;

    // Throws Vell::Exception "grp entry name too long: <name>" for names above
    // 12 bytes.
    void add(const std::string& name, Bytes data);
    std::size_t count() const { return entries.size(); }

    // The whole archive: magic, count, directory, then the data back to back.
    Bytes bytes() const;

private:
    struct Entry {
        std::string name;
        Bytes data;
    };
    std::vector<Entry> entries;
};

} // namespace VellTools
