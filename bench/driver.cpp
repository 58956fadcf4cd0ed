// What the GL driver keeps by itself, with none of the viewers' code: a
// headless context draws a frame the way a large map's frame looks to the
// driver (a few thousand textured quads, the texture and the fog changing
// between them, some of it from display lists), waits for it, then deletes
// every texture and list it made and hands the allocator's free pages back.
// Round after round, the resident memory after the drawing and after the
// deleting, against the start: on Mesa's software GL what is left after the
// deleting is the driver's own (compiled shader variants and their code),
// reached in the first round and the same after the later ones.
#include <benchmark/benchmark.h>

#include <GL/gl.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "ProcessMemory.h"
#include "core/FreeMemory.h"
#include "gui/platform/HeadlessGL.h"

namespace {

double residentMiB()
{
    return double(processMemoryKiB("VmRSS")) / 1024.0;
}

constexpr int textureCount = 64;
constexpr int quadCount = 4000;
constexpr int listCount = 256;

std::vector<GLuint> makeTextures()
{
    std::vector<GLuint> names(textureCount);
    glGenTextures(textureCount, names.data());
    std::vector<unsigned char> texels(64 * 64 * 4);
    for (int i = 0; i < textureCount; ++i) {
        for (std::size_t k = 0; k < texels.size(); ++k)
            texels[k] = static_cast<unsigned char>(k * 7 + i * 13);
        glBindTexture(GL_TEXTURE_2D, names[std::size_t(i)]);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 64, 64, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    }
    return names;
}

void quad(int i)
{
    const float x = -1.0f + float(i % 40) * 0.05f, y = -1.0f + float(i / 40 % 40) * 0.05f;
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0), glVertex3f(x, y, -2.0f);
    glTexCoord2f(1, 0), glVertex3f(x + 0.5f, y, -2.0f);
    glTexCoord2f(1, 1), glVertex3f(x + 0.5f, y + 0.5f, -2.0f);
    glTexCoord2f(0, 1), glVertex3f(x, y + 0.5f, -2.0f);
    glEnd();
}

// The fog's end and the texture change from quad to quad, as the
// transparent pass's do from item to item.
void drawFrame(const std::vector<GLuint>& textures, GLuint lists)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_FOG);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    for (int i = 0; i < quadCount; ++i) {
        glFogf(GL_FOG_END, 100.0f + float(i % 50));
        glBindTexture(GL_TEXTURE_2D, textures[std::size_t(i) % textures.size()]);
        quad(i);
    }
    for (int i = 0; i < listCount; ++i)
        glCallList(lists + GLuint(i));
    glFinish();
}

GLuint makeLists(const std::vector<GLuint>& textures)
{
    const GLuint base = glGenLists(listCount);
    for (int i = 0; i < listCount; ++i) {
        glNewList(base + GLuint(i), GL_COMPILE);
        for (int k = 0; k < 8; ++k) {
            glBindTexture(GL_TEXTURE_2D, textures[std::size_t(i + k) % textures.size()]);
            quad(i * 8 + k);
        }
        glEndList();
    }
    return base;
}

void keptByTheDriver(benchmark::State& state)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    Vell::Platform::HeadlessGL gl;
    if (!gl.ok()) {
        state.SkipWithError(gl.error().c_str());
        return;
    }
    glFinish();
    Vell::returnFreeMemory();
    const double start = residentMiB();
    state.counters["start_MiB"] = start;
    int round = 0;
    for (auto _ : state) {
        ++round;
        std::vector<GLuint> textures = makeTextures();
        const GLuint lists = makeLists(textures);
        for (int frame = 0; frame < 3; ++frame)
            drawFrame(textures, lists);
        state.counters["drawn" + std::to_string(round) + "_MiB"] = residentMiB() - start;
        glDeleteLists(lists, listCount);
        glDeleteTextures(GLsizei(textures.size()), textures.data());
        glFinish();
        Vell::returnFreeMemory();
        state.counters["freed" + std::to_string(round) + "_MiB"] = residentMiB() - start;
    }
}
BENCHMARK(keptByTheDriver)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
