#include "platform/DownloadDisk.h"

namespace platform {
namespace {

DownloadDisk* current = nullptr;

}  // namespace

DownloadDisk& downloadDisk() {
    return current != nullptr ? *current : systemDisk();
}

ScopedDisk::ScopedDisk(DownloadDisk& replacement) : previous_(current) {
    current = &replacement;
}

ScopedDisk::~ScopedDisk() {
    current = previous_;
}

}  // namespace platform
