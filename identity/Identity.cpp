#include "identity/Identity.h"

#include "identity/BuildStamp.h"

namespace identity {

const BuildIdentity& thisBuild() {
    static const BuildIdentity build{stamp::kMajor,     stamp::kMinor,     stamp::kRevision,
                                     stamp::kBuildDate, stamp::kBuildTime, stamp::kProjectCode};
    return build;
}

}  // namespace identity
