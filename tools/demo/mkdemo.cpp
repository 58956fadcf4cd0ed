// mkdemo: writes the demo archive demo.grp into a folder, with demo.map (and
// large.map and huge.map when asked for) beside it as loose files. A wrong
// command line prints the usage text on standard error (exit status 2),
// --help on standard output (exit status 0).
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "core/FileOutput.h"
#include "core/UnhandledReport.h"
#include "tools/authoring/MapWriter.h"
#include "tools/demo/DemoArchive.h"
#include "tools/demo/DemoMaps.h"

using namespace VellTools;
using Vell::writeFile;

namespace {

void writeDemo(const std::string& folder, bool large)
{
    std::error_code ignored;
    std::filesystem::create_directories(folder, ignored);
    writeFile(folder + "/demo.grp", demoArchive(large));
    writeFile(folder + "/demo.map", MapWriter::bytes(showcaseMap()));
    if (large) {
        writeFile(folder + "/large.map", MapWriter::bytes(largeMap()));
        writeFile(folder + "/huge.map", MapWriter::bytes(hugeMap()));
    }
}

} // namespace

int main(int argc, char** argv)
{
    constexpr const char* usageText = "use: mkdemo [--large] <outdir>\n";
    if (const auto status = Vell::answerOptions(argc, argv, usageText, {"--large"}))
        return *status;
    bool large = argc == 3 && std::strcmp(argv[1], "--large") == 0;
    if (!(argc == 2 && argv[1][0] != '-') && !large)
        return Vell::printUsage(usageText);
    return Vell::runGuarded([&] {
        writeDemo(argv[argc - 1], large);
        return 0;
    });
}
