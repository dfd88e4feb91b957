#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace app {
namespace {

using Pieces = std::vector<std::string>;

TEST(SplitCommandLine, CutsAtEverySlashAndTrimsBlanks) {
    const struct {
        const char* line;
        Pieces pieces;
    } cases[] = {
        {"", {}},
        {"C:\\a.CRC", {"C:\\a.CRC"}},
        {"/Help", {"", "Help"}},
        {" /Auto  /SourceFile:C:\\a b.iso ", {"", "Auto", "SourceFile:C:\\a b.iso"}},
        {"C:\\a.CRC /x", {"C:\\a.CRC", "x"}},
        {"/SourceFile:C:\\x/y", {"", "SourceFile:C:\\x", "y"}},
        {"//", {"", "", ""}},
        {"   ", {""}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitCommandLine(c.line), c.pieces) << "command line [" << c.line << "]";
    }
}

}  // namespace
}  // namespace app
