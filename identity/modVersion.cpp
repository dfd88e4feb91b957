#include "identity/modVersion.h"

namespace identity {

std::string versionLabelFor(const BuildIdentity& build) {
    return std::to_string(build.major) + "." + std::to_string(build.minor) + ".0." +
           std::to_string(build.revision);
}

std::string VersionLabel() {
    return versionLabelFor(thisBuild());
}

}  // namespace identity
