#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Replaces a native file so that a reader sees the old contents or the new, never a part, and a
// power cut keeps one of them: a temporary file beside it is written, flushed to the disk and
// renamed over it, then the folder is flushed. Without a mode the umask decides a new file's
// permissions. A failure removes the temporary file. 0 or errno.
int replaceDurably(const std::string& nativePath, std::string_view bytes,
                   std::optional<mode_t> mode);

// The whole native file; nothing when it cannot be read, with errno in error (ENOENT: missing).
std::optional<std::string> readNative(const std::string& nativePath, int& error);

// Creates the folder and its missing parents with the mode; 0 or errno.
int makeFolders(const std::string& nativeFolder, mode_t mode);

}  // namespace platform
