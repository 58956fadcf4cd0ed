// OcclusionQueries: the renderer's check that the driver offers occlusion
// queries. No pass issues a query (visibility is geometric), but prepare
// refuses a context without the feature, as the viewer always has. The NV
// extension counts, and so do the ARB extension and core OpenGL 1.5, whose
// functions do the same job; a source counts only when all five of its
// entry points resolve.
#pragma once

namespace Vell3D {

class OcclusionQueries {
public:
    using Lookup = void* (*)(const char* name);
    enum class Source { none, nv, arb, core };

    // The first source that is available; Exception "can't find occlusion
    // queries ..." naming what is missing when none is. extensions may be
    // null.
    static Source require(const char* extensions, int major, int minor, Lookup lookup);
    // require with the current context's extension string and version.
    static Source requireCurrent();
};

} // namespace Vell3D
