// The level viewer script of the pages, three.js bundled in, made at build
// time from tools/mapexport/page by esbuild.
#pragma once

namespace VellTools {

const char* pageScript();

} // namespace VellTools
