#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Executable.h"
#include "platform/Registry.h"
#include "platform/SettingsStore.h"
#include "tests/support/TempFolder.h"

// The main of every unit test program. The tests keep their settings in a temporary folder of
// their own, never in the user's, and find them as after an earlier start, so that start-up
// asks nothing unless a test empties them. On Windows they are the registry's, under the test
// program's own name, which no user's program has.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
#ifndef _WIN32
    const testing_support::TempFolder home;
    ::setenv("XDG_CONFIG_HOME", (home.native() / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (home.native() / "data").c_str(), 1);
#endif
    if (!platform::saveSetting(platform::registry(), platform::executableBaseName(),
                               "Configuration", "VersionProgram", "an earlier start")) {
        return 1;
    }
    return RUN_ALL_TESTS();
}
