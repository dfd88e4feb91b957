#pragma once

namespace app {

// Exit status for scripts. Boxes and texts are the same whatever the status.
inline constexpr int kExitOk = 0;
inline constexpr int kExitNoDisplay = 2;
inline constexpr int kExitFormatNotRecognised = 3;
inline constexpr int kExitFileNotFound = 4;
inline constexpr int kExitChecksumMismatch = 5;
inline constexpr int kExitLengthMismatch = 6;
inline constexpr int kExitCannotReadOrWrite = 7;
// The usage text was shown in place of the work asked for (a piece held "help" in a path).
inline constexpr int kExitUsageShown = 8;

}  // namespace app
