// SDL key codes to the system's virtual-key codes and back.
#include "gui/platform/WindowRegistry.h"

namespace Vell::Platform {

namespace {

struct KeyPair {
    SDL_Keycode key;
    int virtualKey;
};

constexpr KeyPair namedKeys[] = {
    {SDLK_BACKSPACE, VK_BACK}, {SDLK_TAB, VK_TAB}, {SDLK_RETURN, VK_RETURN},
    {SDLK_KP_ENTER, VK_RETURN}, {SDLK_LSHIFT, VK_SHIFT}, {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL}, {SDLK_RCTRL, VK_CONTROL}, {SDLK_LALT, VK_MENU},
    {SDLK_RALT, VK_MENU}, {SDLK_PAUSE, VK_PAUSE}, {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE}, {SDLK_SPACE, VK_SPACE}, {SDLK_PAGEUP, VK_PRIOR},
    {SDLK_PAGEDOWN, VK_NEXT}, {SDLK_END, VK_END}, {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT}, {SDLK_UP, VK_UP}, {SDLK_RIGHT, VK_RIGHT}, {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT}, {SDLK_DELETE, VK_DELETE}, {SDLK_KP_MULTIPLY, VK_MULTIPLY},
    {SDLK_KP_PLUS, VK_ADD}, {SDLK_KP_MINUS, VK_SUBTRACT}, {SDLK_KP_PERIOD, VK_DECIMAL},
    {SDLK_KP_DIVIDE, VK_DIVIDE}, {SDLK_KP_0, VK_NUMPAD0},
};

} // namespace

int virtualKeyFor(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return VK_F1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return VK_NUMPAD0 + 1 + (key - SDLK_KP_1);
    for (const KeyPair& pair : namedKeys)
        if (pair.key == key)
            return pair.virtualKey;
    return 0;
}

SDL_Keycode keycodeFor(int virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return SDLK_a + (virtualKey - 'A');
    if (virtualKey >= '0' && virtualKey <= '9')
        return SDLK_0 + (virtualKey - '0');
    if (virtualKey >= VK_F1 && virtualKey <= VK_F12)
        return SDLK_F1 + (virtualKey - VK_F1);
    for (const KeyPair& pair : namedKeys)
        if (pair.virtualKey == virtualKey)
            return pair.key;
    return SDLK_UNKNOWN;
}

} // namespace Vell::Platform
