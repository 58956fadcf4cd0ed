// CommandListener: hears the command identifier of every UI element that
// fires.
#pragma once

namespace Vell {

class CommandListener {
public:
    virtual ~CommandListener() = default;
    virtual void notify(int identifier) = 0;
};

} // namespace Vell
