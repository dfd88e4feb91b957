#include "platform/Executable.h"

namespace platform {

// GetModuleFileNameW() names the program with its ".exe", which the base name drops.
std::string executableExtension() {
    return ".exe";
}

}  // namespace platform
