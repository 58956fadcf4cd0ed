// What the renderer asks of the GL implementation beyond OpenGL 1.1 calls:
// entry points by name and the identification of the current context.
// All need a current context; without one they give null, "" or false.
#pragma once

namespace Vell::Platform {

// Whether this thread has a current context (GL calls need one).
bool hasCurrentGLContext();
void* glProcAddress(const char* name);
// The extension string of the current context ("" when there is none).
const char* glExtensionString();
// The version of the current context, from its version string.
bool glVersion(int& major, int& minor);

} // namespace Vell::Platform
