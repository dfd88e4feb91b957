#pragma once

#include <string>

namespace download {

// Where the download dialog keeps its clip: "Download.AVI" in the folder "Animation" of this
// user's own folder (the program's folder may be read-only once installed). "" when the user
// has no such folder.
std::string DownloadAVIPath();

// Writes the embedded clip to the path through a temporary file, so that the path never holds
// a part of it; false when that fails.
bool WriteDownloadAVI(const std::string& path);

}  // namespace download
