// grptool: lists, extracts and packs group archives.
//   grptool list <grpfile>                      name, size and offset per entry
//   grptool extract <grpfile> <name> <outfile>  one entry's bytes
//   grptool pack <outgrp> <file>...             an archive of the given files
// Failures are reported like any unhandled exception of the library (exit
// status 1); a wrong command line prints the usage text (exit status 2).
#include <cstring>
#include <string>
#include <vector>

#include "core/Console.h"
#include "core/Exception.h"
#include "core/File.h"
#include "core/UnhandledReport.h"
#include "mapdata/GroupArchive.h"
#include "mapdata/GroupEntryStream.h"
#include "tools/FileOutput.h"
#include "tools/GroupWriter.h"

using Vell3D::GroupArchive;
using Vell3D::GroupEntryStream;

namespace {

constexpr int usageStatus = 2;

int usage()
{
    Vell::console() << "use: grptool list <grpfile>\n"
                    << "     grptool extract <grpfile> <name> <outfile>\n"
                    << "     grptool pack <outgrp> <file>...\n";
    return usageStatus;
}

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

// The whole entry is read before the output is opened: truncating the output
// first would destroy the archive when both name the same file.
void extract(const char* grpFile, const char* name, const char* outFile)
{
    std::vector<char> bytes;
    {
        GroupArchive archive;
        archive.open(grpFile);
        GroupEntryStream entry(name, archive);
        bytes.resize(std::size_t(entry.size()));
        entry.readFully(bytes.data(), entry.size());
    }
    Vell::File out(outFile, Vell::File::create | Vell::File::truncate);
    out.write(bytes.data(), int(bytes.size()));
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
        throw Vell::Exception("grp entry name too long");
    return name;
}

VellTools::Bytes readWholeFile(const char* path)
{
    Vell::File in(path, Vell::File::readOnly);
    VellTools::Bytes bytes(std::size_t(in.size()));
    in.readFully(bytes.data(), int(bytes.size()));
    return bytes;
}

void pack(const char* outGrp, char** files, int count)
{
    VellTools::GroupWriter writer;
    for (int i = 0; i < count; ++i) {
        std::string name = entryName(files[i]);   // before reading: a bad name fails fast
        writer.add(name, readWholeFile(files[i]));
    }
    VellTools::writeFile(outGrp, writer.bytes());
}

int run(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (command == "list" && argc == 3)
        list(argv[2]);
    else if (command == "extract" && argc == 5)
        extract(argv[2], argv[3], argv[4]);
    else if (command == "pack" && argc >= 4)
        pack(argv[2], argv + 3, argc - 3);
    else
        return usage();
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    return Vell::runGuarded([&] { return run(argc, argv); });
}
