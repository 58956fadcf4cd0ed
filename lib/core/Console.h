// The process-wide text streams: console (and a second text stream) over the
// standard input and output, and log over the log device.
//
// Each is reached through its accessor, which builds it on first use, so code
// run from any static initialiser may write to them; they are also built at
// static initialisation in the order console stream, console, second console,
// log device, log. They are never destroyed, so static destructors may write
// to them as well.
#pragma once

#include "core/ConsoleStream.h"
#include "core/LogDevice.h"
#include "core/TextStream.h"

namespace Vell {

ConsoleStream& consoleStream();
TextStream& console();
TextStream& secondConsole();
LogDevice& logDevice();
TextStream& log();

} // namespace Vell
