#include "mapdata/GroupEntryStream.h"

#include "core/Exception.h"

namespace Vell3D {

GroupEntryStream::GroupEntryStream(const char* name, GroupArchive& group)
    : archive(&group)
{
    GroupEntry entry = group.findEntry(name);
    offset = entry.offset;
    entrySize = entry.size;
    group.attach();
}

GroupEntryStream::~GroupEntryStream() noexcept(false)
{
    archive->detach();
}

int GroupEntryStream::read(void* buffer, int length)
{
    if (position < 0 || position > entrySize)
        throw Vell::Exception("bad position while read");
    // A negative length would reach the file as a huge unsigned count.
    std::int64_t end = std::int64_t(position) + length;
    if (length < 0 || end > entrySize)
        throw Vell::Exception("bad size while read");
    if (length == 0)
        return 0;
    Vell::File& file = archive->archiveFile();
    file.seek(offset + position, 0);
    int count = file.read(buffer, length);
    position += count;
    return count;
}

std::uint8_t GroupEntryStream::readByte()
{
    std::uint8_t byte;
    read(&byte, 1);
    return byte;
}

int GroupEntryStream::write(const void*, int)
{
    throw Vell::Exception("not supported");
}

void GroupEntryStream::writeByte(std::uint8_t)
{
    throw Vell::Exception("not supported");
}

int GroupEntryStream::length()
{
    throw Vell::Exception("not supported");
}

int GroupEntryStream::seek(int distance, int mode)
{
    std::int64_t target;
    switch (mode) {
    case 0: target = distance; break;
    case 1: target = std::int64_t(position) + distance; break;
    case 2: target = std::int64_t(entrySize) + distance; break;
    default: throw Vell::Exception("unknown seek mode");
    }
    if (target < INT32_MIN || target > INT32_MAX)
        throw Vell::Exception("bad position while seek");
    position = std::int32_t(target);
    return position;
}

} // namespace Vell3D
