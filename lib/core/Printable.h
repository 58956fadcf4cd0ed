// Printable: the interface a value class embeds to give itself a text form
// on a TextStream (a colour prints as "(r,g,b)").
#pragma once

namespace Vell {

class TextStream;

class Printable {
public:
    // Allowed to throw like every Object destructor, since value classes
    // embed this interface beside Object.
    virtual ~Printable() noexcept(false) = default;
    virtual void print(TextStream& stream) const = 0;
};

} // namespace Vell
