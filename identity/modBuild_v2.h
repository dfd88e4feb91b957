#pragma once

#include <string>

#include "identity/Identity.h"

namespace identity {

// "DB" for builds made from 06 to 18 o'clock, "NB" for the night.
std::string periodCode(const std::string& buildTime);
// PeriodCode.RRRRRR-DD.MM.YYYY-HH.MM.SS_CODE.. : DB.000072-08.05.2023-15.28.23_SMRA..
std::string buildLabelFor(const BuildIdentity& build);
std::string BuildLabel();

}  // namespace identity
