#include "identity/modBuild_v2.h"

#include <cstdio>

namespace identity {

std::string periodCode(const std::string& buildTime) {
    int hour = 0;
    for (std::size_t i = 0; i < 2 && i < buildTime.size(); ++i) {
        if (buildTime[i] >= '0' && buildTime[i] <= '9') {
            hour = hour * 10 + (buildTime[i] - '0');
        }
    }
    return (hour > 18 || hour < 6) ? "NB" : "DB";
}

std::string buildLabelFor(const BuildIdentity& build) {
    char revision[16];
    std::snprintf(revision, sizeof revision, "%06d", build.revision);
    return periodCode(build.buildTime) + "." + revision + "-" + build.buildDate + "-" +
           build.buildTime + "_" + build.projectCode + ".";
}

std::string BuildLabel() {
    return buildLabelFor(thisBuild());
}

}  // namespace identity
