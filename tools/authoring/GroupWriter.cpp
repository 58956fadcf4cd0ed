#include "tools/authoring/GroupWriter.h"

#include "core/Exception.h"

namespace VellTools {

namespace {
const char magic[] = "Quorvelindas";
}

void GroupWriter::add(const std::string& name, Bytes data)
{
    if (name.size() > maxNameLength)
        throw Vell::Exception(Vell::SubjectMessage("grp entry name too long:", name.c_str()));
    entries.push_back({name, std::move(data)});
}

Bytes GroupWriter::bytes() const
{
    ByteBuffer out;
    out.putBytes(magic, 12);
    out.put32(static_cast<std::uint32_t>(entries.size()));
    for (const Entry& entry : entries) {
        // A 12-byte name has no terminator: the size field follows directly.
        char name[maxNameLength] = {};
        entry.name.copy(name, maxNameLength);
        out.putBytes(name, maxNameLength);
        out.put32(static_cast<std::uint32_t>(entry.data.size()));
    }
    for (const Entry& entry : entries)
        out.putBytes(entry.data);
    return out.take();
}

} // namespace VellTools
