#include "platform/FileSystem.h"

namespace platform {
namespace {

FileSystem* standIn = nullptr;

}  // namespace

FileSystem& fileSystem() {
    return standIn != nullptr ? *standIn : platformFileSystem();
}

ScopedFileSystem::ScopedFileSystem(FileSystem& replacement) : previous_(standIn) {
    standIn = &replacement;
}

ScopedFileSystem::~ScopedFileSystem() {
    standIn = previous_;
}

}  // namespace platform
