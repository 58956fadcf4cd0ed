// Vell3DException: what the 3D toolkit throws when a resource (a texture, a
// transform it cannot invert) cannot be made or used.
#pragma once

#include "core/Exception.h"

namespace Vell3D {

class Vell3DException : public Vell::ResourceException {
public:
    Vell3DException() noexcept = default;
    explicit Vell3DException(const char* message) noexcept : Vell::ResourceException(message) {}
    const char* className() const override { return "Vell3DException"; }
};

} // namespace Vell3D
