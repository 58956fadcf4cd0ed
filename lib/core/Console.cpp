#include "core/Console.h"

namespace Vell {

ConsoleStream& consoleStream()
{
    static ConsoleStream* stream = new ConsoleStream;
    return *stream;
}

TextStream& console()
{
    static TextStream* text = new TextStream(consoleStream());
    return *text;
}

TextStream& secondConsole()
{
    static TextStream* text = new TextStream(consoleStream());
    return *text;
}

LogDevice& logDevice()
{
    static LogDevice* device = new LogDevice;
    return *device;
}

TextStream& log()
{
    static TextStream* text = new TextStream(logDevice());
    return *text;
}

namespace {

struct BuildInOrder {
    BuildInOrder()
    {
        console();
        secondConsole();
        log();
    }
} buildInOrder;

} // namespace

} // namespace Vell
