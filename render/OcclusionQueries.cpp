#include "render/OcclusionQueries.h"

#include <cstring>
#include <string>

#include "core/Exception.h"
#include "gui/platform/GLProcs.h"

namespace Vell3D {

namespace {

using GenFn = void(GLAPIENTRY*)(GLsizei, GLuint*);
using DeleteFn = void(GLAPIENTRY*)(GLsizei, const GLuint*);
using BeginNvFn = void(GLAPIENTRY*)(GLuint);
using EndNvFn = void(GLAPIENTRY*)();
using GetNvFn = void(GLAPIENTRY*)(GLuint, GLenum, GLuint*);
using BeginFn = void(GLAPIENTRY*)(GLenum, GLuint);
using EndFn = void(GLAPIENTRY*)(GLenum);

constexpr GLenum samplesPassed = 0x8914;   // GL_SAMPLES_PASSED

struct EntryPoints {
    GenFn gen = nullptr;
    DeleteFn del = nullptr;
    BeginNvFn beginNv = nullptr;
    EndNvFn endNv = nullptr;
    BeginFn begin = nullptr;
    EndFn end = nullptr;
    GetNvFn get = nullptr;
};

EntryPoints entries;

template <typename F>
bool look(OcclusionQueries::Lookup lookup, const char* name, F& out)
{
    out = reinterpret_cast<F>(lookup(name));
    return out != nullptr;
}

bool bindNv(OcclusionQueries::Lookup lookup, EntryPoints& e)
{
    return look(lookup, "glGenOcclusionQueriesNV", e.gen) && look(lookup, "glDeleteOcclusionQueriesNV", e.del) &&
           look(lookup, "glBeginOcclusionQueryNV", e.beginNv) && look(lookup, "glEndOcclusionQueryNV", e.endNv) &&
           look(lookup, "glGetOcclusionQueryuivNV", e.get);
}

// The ARB and core names differ only by the suffix.
bool bindQueries(OcclusionQueries::Lookup lookup, const char* suffix, EntryPoints& e)
{
    auto name = [suffix](const char* base) { return (std::string(base) + suffix); };
    return look(lookup, name("glGenQueries").c_str(), e.gen) &&
           look(lookup, name("glDeleteQueries").c_str(), e.del) &&
           look(lookup, name("glBeginQuery").c_str(), e.begin) && look(lookup, name("glEndQuery").c_str(), e.end) &&
           look(lookup, name("glGetQueryObjectuiv").c_str(), e.get);
}

bool names(const char* extensions, const char* name)
{
    return extensions && std::strstr(extensions, name) != nullptr;
}

} // namespace

OcclusionQueries::Source OcclusionQueries::bound = OcclusionQueries::Source::none;

// Drivers today publish the feature as the ARB extension or as core 1.5
// queries rather than under the NV name; any of the three will do.
OcclusionQueries::Source OcclusionQueries::bind(const char* extensions, int major, int minor, Lookup lookup)
{
    EntryPoints e;
    Source found = Source::none;
    if (lookup && names(extensions, "GL_NV_occlusion_query") && bindNv(lookup, e))
        found = Source::nv;
    else if (lookup && names(extensions, "GL_ARB_occlusion_query") && bindQueries(lookup, "ARB", e))
        found = Source::arb;
    else if (lookup && (major > 1 || (major == 1 && minor >= 5)) && bindQueries(lookup, "", e))
        found = Source::core;
    if (found == Source::none)
        throw Vell::Exception("can find GL_NV_occlusion_query");
    entries = e;
    bound = found;
    return found;
}

OcclusionQueries::Source OcclusionQueries::bindCurrent()
{
    int major = 0, minor = 0;
    Vell::Platform::glVersion(major, minor);
    return bind(Vell::Platform::glExtensionString(), major, minor, &Vell::Platform::glProcAddress);
}

void OcclusionQueries::genQueries(GLsizei n, GLuint* ids)
{
    if (entries.gen)
        entries.gen(n, ids);
}

void OcclusionQueries::deleteQueries(GLsizei n, const GLuint* ids)
{
    if (entries.del)
        entries.del(n, ids);
}

void OcclusionQueries::beginQuery(GLuint id)
{
    if (bound == Source::nv)
        entries.beginNv(id);
    else if (entries.begin)
        entries.begin(samplesPassed, id);
}

void OcclusionQueries::endQuery()
{
    if (bound == Source::nv)
        entries.endNv();
    else if (entries.end)
        entries.end(samplesPassed);
}

void OcclusionQueries::getQueryuiv(GLuint id, GLenum name, GLuint* value)
{
    if (entries.get)
        entries.get(id, name, value);
}

} // namespace Vell3D
