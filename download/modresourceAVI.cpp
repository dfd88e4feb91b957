#include "download/modresourceAVI.h"

#include "download/modresourceAVIData.h"
#include "platform/DownloadDisk.h"
#include "platform/FileSystem.h"
#include "ui/animation/HexPieces.h"

namespace download {

std::string DownloadAVIPath() {
    const std::string folder = platform::downloadDisk().userFolder();
    if (folder.empty()) {
        return {};
    }
    return (folder.back() == '\\' ? folder : folder + '\\') + "Animation\\Download.AVI";
}

bool WriteDownloadAVI(const std::string& path) {
    const auto bytes = ui::animation::hexPiecesToBytes(kDownloadAVIHex);
    if (!bytes) {
        return false;
    }
    const std::string text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    return platform::fileSystem().replaceFile(path, text) == platform::WriteError::None;
}

}  // namespace download
