// LevelFiles: a model's files on disk, never half-written and never over
// the archive they came from. A .glb is one file written through a
// temporary beside it; a .gltf, its .bin and its pictures are written into
// a temporary folder beside the target and renamed into place only once
// all are complete, the .gltf last.
#pragma once

#include <string>

namespace VellTools {

class GltfModel;

class LevelFiles {
public:
    // Throws IOException naming the output when it is the archive itself
    // (checked before anything is written) or when it cannot be written.
    static void write(GltfModel& model, const std::string& output, bool gltf, const std::string& archive);
    // Whether the two paths name the same file (an existing one, or the
    // same place when one does not exist yet).
    static bool sameFile(const std::string& a, const std::string& b);

private:
    static void writeGltf(GltfModel& model, const std::string& output);
};

} // namespace VellTools
