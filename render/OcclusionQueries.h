// OcclusionQueries: the five occlusion query entry points, bound once per
// run. No pass calls them (visibility is geometric), but prepare refuses a
// context without the feature. The NV extension is taken when present;
// otherwise the ARB extension or core OpenGL 1.5, whose functions do the
// same job, are bound behind the same five calls.
#pragma once

#include <GL/gl.h>

namespace Vell3D {

class OcclusionQueries {
public:
    using Lookup = void* (*)(const char* name);
    enum class Source { none, nv, arb, core };

    // Binds from the first source that is available and whose five entry
    // points all resolve; Exception "can find GL_NV_occlusion_query" when
    // none is. extensions may be null.
    static Source bind(const char* extensions, int major, int minor, Lookup lookup);
    // bind with the current context's extension string and version.
    static Source bindCurrent();
    static Source source() { return bound; }

    static void genQueries(GLsizei n, GLuint* ids);
    static void deleteQueries(GLsizei n, const GLuint* ids);
    static void beginQuery(GLuint id);
    static void endQuery();
    static void getQueryuiv(GLuint id, GLenum name, GLuint* value);

private:
    static Source bound;
};

} // namespace Vell3D
