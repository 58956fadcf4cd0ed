// Shared pieces of the 3D toolkit tests: the tests' in-memory stream and one
// hidden GL context for the whole test program.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/MemoryStream.h"
#include "tests/support/SharedGL.h"

using TestSupport::MemoryStream;

// Tests that draw or make textures derive their fixture from this; the
// context is made once, the first time one of them runs.
class GLTest : public ::testing::Test {
protected:
    void SetUp() override { TestSupport::makeSharedGLCurrent(); }
};
