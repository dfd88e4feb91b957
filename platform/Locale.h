#pragma once

namespace platform {

// The user's decimal separator for numbers shown in the interface.
char decimalSeparator();

}  // namespace platform
