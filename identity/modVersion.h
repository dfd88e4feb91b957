#pragma once

#include <string>

#include "identity/Identity.h"

namespace identity {

// Major, minor, a fixed 0 and revision: 2.0.0.72.
std::string versionLabelFor(const BuildIdentity& build);
std::string VersionLabel();

}  // namespace identity
