// grptool: lists, extracts and packs group archives.
//   grptool list <grpfile>                      name, size and offset per entry
//   grptool extract <grpfile> <name> <outfile>  one entry's bytes
//   grptool pack <outgrp> <file>...             an archive of the given files
// Outputs are replaced only once they are completely written; extract never
// writes onto its own archive, and pack refuses what readers could not use.
// Failures are reported like any unhandled exception of the library (exit
// status 1); a wrong command line prints the usage text on standard error
// (exit status 2), --help on standard output (exit status 0).
#include <sys/stat.h>

#include <csignal>
#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "core/Console.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/FileOutput.h"
#include "core/UnhandledReport.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "tools/authoring/GroupWriter.h"

using Vell3D::GroupArchive;
using Vell3D::GroupEntryStream;

namespace {

constexpr const char* usageText = "use: grptool list <grpfile>\n"
                                  "     grptool extract <grpfile> <name> <outfile>\n"
                                  "     grptool pack <outgrp> <file>...\n";

// In name order, as lookups see the directory: a later duplicate has
// replaced an earlier one.
void list(const char* grpFile)
{
    GroupArchive archive;
    archive.open(grpFile);
    Vell::TextStream& out = Vell::console();
    for (const auto& [name, entry] : archive.entryTable())
        out << name.c_str() << "\t" << int(entry.size) << "\t" << int(entry.offset) << "\n";
}

// The same file, whatever names lead to it (links, "./", another folder).
bool sameFile(const char* a, const char* b)
{
    struct stat first, second;
    return ::stat(a, &first) == 0 && ::stat(b, &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

// The output replaces its file only once it is complete (writeFile), and
// never replaces the archive it came from: that would lose every other entry.
void extract(const char* grpFile, const char* name, const char* outFile)
{
    if (sameFile(grpFile, outFile))
        throw Vell::Exception("can't extract onto the archive itself");
    VellTools::Bytes bytes;
    {
        GroupArchive archive;
        archive.open(grpFile);
        GroupEntryStream entry(name, archive);
        bytes.resize(std::size_t(entry.size()));
        entry.readFully(bytes.data(), entry.size());
    }
    Vell::writeFile(outFile, bytes);
}

// Entry names are what lookups search for: the base name in upper case.
std::string entryName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    std::string name = slash ? slash + 1 : path;
    for (char& c : name)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    if (name.size() > VellTools::GroupWriter::maxNameLength)
        throw Vell::Exception(Vell::SubjectMessage("grp entry name too long:", name.c_str()));
    return name;
}

std::int64_t fileSize(const char* path)
{
    Vell::File in(path, Vell::File::readOnly);
    return in.size();
}

VellTools::Bytes readWholeFile(const char* path)
{
    Vell::File in(path, Vell::File::readOnly);
    VellTools::Bytes bytes(std::size_t(in.size()));
    in.readFully(bytes.data(), int(bytes.size()));
    return bytes;
}

// Everything that would make the archive unreadable, or an entry
// unreachable, is refused before any file is read or written: a name too
// long or given twice (lookups find only the last one), more entries than
// readers accept, or data that ends past the archive's 32-bit positions.
std::vector<std::string> checkedNames(char** files, int count)
{
    if (count > GroupArchive::maxEntries)
        throw Vell::Exception("too many grp entries");
    std::vector<std::string> names;
    std::set<std::string> seen;
    std::int64_t end = 16 + 16 * std::int64_t(count);
    for (int i = 0; i < count; ++i) {
        names.push_back(entryName(files[i]));
        if (!seen.insert(names.back()).second)
            throw Vell::Exception("duplicate grp entry name");
        end += fileSize(files[i]);
        if (end > GroupArchive::maxFileSize)
            throw Vell::Exception("grp archive too large");
    }
    return names;
}

void pack(const char* outGrp, char** files, int count)
{
    std::vector<std::string> names = checkedNames(files, count);
    VellTools::GroupWriter writer;
    for (int i = 0; i < count; ++i)
        writer.add(names[std::size_t(i)], readWholeFile(files[i]));
    VellTools::Bytes archive = writer.bytes();
    // A file may have grown since it was measured.
    if (std::int64_t(archive.size()) > GroupArchive::maxFileSize)
        throw Vell::Exception("grp archive too large");
    Vell::writeFile(outGrp, archive);
}

int run(int argc, char** argv)
{
    if (const auto status = Vell::answerOptions(argc, argv, usageText))
        return *status;
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3)
        list(argv[2]);
    else if (command == "extract" && argc == 5)
        extract(argv[2], argv[3], argv[4]);
    else if (command == "pack" && argc >= 4)
        pack(argv[2], argv + 3, argc - 3);
    else
        return Vell::printUsage(usageText);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // Past the file size limit a write should fail and be reported like a
    // full disk, not end the process with its temporary file left behind.
    std::signal(SIGXFSZ, SIG_IGN);
    return Vell::runGuarded([&] { return run(argc, argv); });
}
