// GroupEntryStream: one entry of a group archive as a read-only random-access
// stream. Every read seeks the archive's shared file first, so any number of
// entry streams may be used in turn on one thread. A read is never shortened
// at the end of the entry: asking for more than is left is an error.
#pragma once

#include <cstdint>

#include "core/RandomAccessStream.h"
#include "mapdata/GroupArchive.h"

namespace Vell3D {

class GroupEntryStream : public Vell::RandomAccessStream {
public:
    // Exception "can't find grp entry" when the archive has no such entry.
    GroupEntryStream(const char* name, GroupArchive& group);
    ~GroupEntryStream() noexcept(false) override;
    GroupEntryStream(const GroupEntryStream&) = delete;
    GroupEntryStream& operator=(const GroupEntryStream&) = delete;

    // Exception "bad position while read" when the position lies outside the
    // entry, "bad size while read" when the read would end outside it.
    int read(void* buffer, int length) override;
    std::uint8_t readByte() override;
    // The entry is read-only: Exception "not supported".
    int write(const void* buffer, int length) override;
    void writeByte(std::uint8_t byte) override;
    int length() override;

    // No range check here; the next read finds a bad position. A position
    // that does not fit in 32 bits throws Exception "bad position while seek".
    int seek(int distance, int mode) override;
    int size() override { return entrySize; }

private:
    std::int32_t position = 0;
    GroupArchive* archive;
    std::int32_t offset;
    std::int32_t entrySize;
};

} // namespace Vell3D
