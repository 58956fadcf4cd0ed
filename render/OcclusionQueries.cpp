#include "render/OcclusionQueries.h"

#include <cstring>
#include <string>

#include "core/Exception.h"
#include "gui/platform/GLProcs.h"

namespace Vell3D {

namespace {

bool resolves(OcclusionQueries::Lookup lookup, std::initializer_list<const char*> functions, const char* suffix)
{
    for (const char* function : functions) {
        if (!lookup((std::string(function) + suffix).c_str()))
            return false;
    }
    return true;
}

bool resolvesNv(OcclusionQueries::Lookup lookup)
{
    return resolves(lookup,
                    {"glGenOcclusionQueries", "glDeleteOcclusionQueries", "glBeginOcclusionQuery",
                     "glEndOcclusionQuery", "glGetOcclusionQueryuiv"},
                    "NV");
}

// The ARB and core names differ only by the suffix.
bool resolvesQueries(OcclusionQueries::Lookup lookup, const char* suffix)
{
    return resolves(lookup, {"glGenQueries", "glDeleteQueries", "glBeginQuery", "glEndQuery", "glGetQueryObjectuiv"},
                    suffix);
}

bool names(const char* extensions, const char* name)
{
    return extensions && std::strstr(extensions, name) != nullptr;
}

} // namespace

OcclusionQueries::Source OcclusionQueries::require(const char* extensions, int major, int minor, Lookup lookup)
{
    if (lookup && names(extensions, "GL_NV_occlusion_query") && resolvesNv(lookup))
        return Source::nv;
    if (lookup && names(extensions, "GL_ARB_occlusion_query") && resolvesQueries(lookup, "ARB"))
        return Source::arb;
    if (lookup && (major > 1 || (major == 1 && minor >= 5)) && resolvesQueries(lookup, ""))
        return Source::core;
    throw Vell::Exception("can't find occlusion queries in the OpenGL driver "
                          "(GL_NV_occlusion_query, GL_ARB_occlusion_query or OpenGL 1.5)");
}

OcclusionQueries::Source OcclusionQueries::requireCurrent()
{
    int major = 0, minor = 0;
    Vell::Platform::glVersion(major, minor);
    return require(Vell::Platform::glExtensionString(), major, minor, &Vell::Platform::glProcAddress);
}

} // namespace Vell3D
