#pragma once

#include <string>

namespace identity {

// The build's identity: fixed when the program is built, never read at run time.
struct BuildIdentity {
    int major = 0;
    int minor = 0;
    int revision = 0;
    std::string buildDate;    // DD.MM.YYYY
    std::string buildTime;    // HH.MM.SS
    std::string projectCode;  // four upper-case letters and a dot
};

const BuildIdentity& thisBuild();

inline constexpr const char* kAppTitle = "Sumora";
inline constexpr const char* kProductName = "Sumora";
// The maker's name and the years of the product; it ends in a two-digit year.
inline constexpr const char* kCompanyName = "Velmora 2009-23";
inline constexpr const char* kComments = "FINAL";

// The maker's addresses: reserved example domains until the project has real ones.
inline constexpr const char* kMakerHomePageCaption = "www.velmora.example.org";
inline constexpr const char* kMakerHomePageUrl = "https://www.velmora.example.org/";
inline constexpr const char* kOnLineHelpUrl = "https://www.velmora.example.org/";
inline constexpr const char* kMakerHomePageHost = "www.velmora.example.org";
inline constexpr const char* kFreewareLicenceUrl =
    "https://www.velmora.example.org/licence/freeware";
inline constexpr const char* kSupportEmail = "support@velmora.example.org";

}  // namespace identity
