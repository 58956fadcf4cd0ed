#include "core/LogDevice.h"

#include "core/ConsoleStream.h"
#include "core/Exception.h"

namespace Vell {

LogDevice::~LogDevice() noexcept(false)
{
    detachAllTargets();
}

std::uint8_t LogDevice::readByte()
{
    throw InternalException("write-only device");
}

void LogDevice::writeByte(std::uint8_t byte)
{
    write(&byte, 1);
}

// A whole buffer at a time: standard output and every target receive the
// same bytes in the same order as byte-by-byte copying would give them.
int LogDevice::write(const void* buffer, int length)
{
    if (length <= 0)
        return 0;
    if (echo)
        writeStandardOutput(buffer, length);
    for (auto* node = targets.headNode(); node;)
        targets.nextNode(node)->write(buffer, length);
    return length;
}

void LogDevice::attachTarget(Stream& target)
{
    targets.append(&target);
    target.attach();
}

void LogDevice::detachAllTargets()
{
    while (!targets.isEmpty())
        targets.removeFirst()->detach();
}

void LogDevice::detachTarget(Stream& target)
{
    for (auto* node = targets.headNode(); node; node = node->next) {
        if (node->value == &target) {
            targets.remove(node);
            target.detach();
            return;
        }
    }
    throw ListException();
}

} // namespace Vell
