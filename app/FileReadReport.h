#pragma once

#include <string>

#include "core/modCRC32_v2.h"

namespace app {

// Why a file could not be checksummed, as the start of a sentence naming its path
// ("Soubor C:\a.bin se během čtení změnil"); the caller says what did not happen.
std::string readFailureText(core::ReadOutcome outcome, const std::string& path);
// The exit status that outcome gives a script.
int readFailureExitCode(core::ReadOutcome outcome);

}  // namespace app
