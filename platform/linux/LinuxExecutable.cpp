#include "platform/Executable.h"

namespace platform {

// Linux executables carry no extension; a name with ".exe" would name a file that is not there.
std::string executableExtension() {
    return {};
}

}  // namespace platform
