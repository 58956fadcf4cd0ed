#include <gtest/gtest.h>

#include <string>

#include "core/Formatted.h"

// Any length comes out whole: an overlay line or a record's line is never
// cut at a buffer's size.
TEST(Formatted, printfIntoAStringOfAnyLength)
{
    EXPECT_EQ(Vell::formatted("x: %.3f, sector %d", -1024.0, 7), "x: -1024.000, sector 7");
    EXPECT_EQ(Vell::formatted("%s", ""), "");
    const std::string long5000(5000, 'w');
    EXPECT_EQ(Vell::formatted("[%s]%d", long5000.c_str(), 42), "[" + long5000 + "]42");
}
