#include "tools/mapexport/LevelFiles.h"

#include <stdlib.h>

#include <filesystem>
#include <vector>

#include "core/Exception.h"
#include "core/FileOutput.h"
#include "tools/mapexport/GltfModel.h"

namespace VellTools {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* what, const std::string& path, const char* why)
{
    throw Vell::IOException(Vell::SubjectMessage(what, path.c_str(), why));
}

// A folder of its own beside the target, removed with what it holds unless
// its files have been moved out.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const fs::path& target)
    {
        const fs::path parent = target.has_parent_path() ? target.parent_path() : fs::path(".");
        std::string pattern = (parent / ("." + target.filename().string() + ".XXXXXX")).string();
        if (!::mkdtemp(pattern.data()))
            fail("can't create", target.string(), "no temporary folder beside it");
        path = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    fs::path path;
};

} // namespace

bool LevelFiles::sameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    if (fs::exists(a, error) && fs::exists(b, error))
        return fs::equivalent(a, b, error);
    return fs::weakly_canonical(a, error) == fs::weakly_canonical(b, error);
}

void LevelFiles::write(GltfModel& model, const std::string& output, bool gltf, const std::string& archive)
{
    const fs::path target = output;
    std::vector<std::string> paths{output};
    if (gltf)
        paths.push_back((target.parent_path() / (target.stem().string() + ".bin")).string());
    for (const std::string& path : paths)
        if (sameFile(path, archive))
            fail("can't write", path, "it is the archive read");
    if (gltf) {
        writeGltf(model, output);
        return;
    }
    const std::vector<std::uint8_t> bytes = model.glb();
    if (bytes.empty())
        fail("can't write", output, "the glTF writer failed");
    Vell::writeFile(output, bytes);
}

// Pictures and the .bin go into place before the .gltf that names them.
void LevelFiles::writeGltf(GltfModel& model, const std::string& output)
{
    const fs::path target = output;
    TemporaryFolder folder(target);
    const std::string name = target.stem().string();
    if (!model.writeGltf(folder.path.string(), name))
        fail("can't write", output, "the glTF writer failed");
    const fs::path place = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code error;
    for (const fs::directory_entry& file : fs::directory_iterator(folder.path, error)) {
        if (file.path().extension() == ".gltf")
            continue;
        fs::rename(file.path(), place / file.path().filename(), error);
        if (error)
            fail("can't write", (place / file.path().filename()).string(), error.message().c_str());
    }
    fs::rename(folder.path / (name + ".gltf"), target, error);
    if (error)
        fail("can't write", output, error.message().c_str());
}

} // namespace VellTools
