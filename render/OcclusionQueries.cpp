#include "render/OcclusionQueries.h"

namespace Vell3D {

OcclusionQueries::Source OcclusionQueries::bound = OcclusionQueries::Source::none;
OcclusionQueries::Source OcclusionQueries::bind(const char*, int, int, Lookup) { return bound; }
OcclusionQueries::Source OcclusionQueries::bindCurrent() { return bound; }
void OcclusionQueries::genQueries(GLsizei, GLuint*) {}
void OcclusionQueries::deleteQueries(GLsizei, const GLuint*) {}
void OcclusionQueries::beginQuery(GLuint) {}
void OcclusionQueries::endQuery() {}
void OcclusionQueries::getQueryuiv(GLuint, GLenum, GLuint*) {}

} // namespace Vell3D
