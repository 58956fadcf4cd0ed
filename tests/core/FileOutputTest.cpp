// writeFile: whole files through a temporary and a rename.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/Exception.h"
#include "core/FileOutput.h"
#include "tests/support/ScratchFolder.h"

using Vell::writeFile;
using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

TEST(FileOutput, WritesWholeFileAndReportsFailure)
{
    const TestSupport::ScratchFolder scratch("file-output");
    const std::string path = scratch.path("out.bin");
    writeFile(path, {1, 2, 3});
    writeFile(path, {7}); // replaces, does not append
    std::ifstream in(path, std::ios::binary);
    Bytes back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(back, Bytes{7});
    EXPECT_THROW(writeFile("/nonexistent-folder/x/y.bin", {1}), Vell::IOException);
}

// A replaced file keeps its permission bits, and a link stays a link to the
// file that now holds the new bytes.
TEST(FileOutput, ReplacingKeepsModeAndLinks)
{
    const TestSupport::ScratchFolder scratch("file-output");
    const fs::path folder = scratch.path("");
    const auto file = folder / "data.bin";
    const auto link = folder / "link.bin";
    writeFile(file.string(), {1});
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("data.bin", link);
    writeFile(link.string(), {2, 3});
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::file_size(file), 2u);
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2);
}
