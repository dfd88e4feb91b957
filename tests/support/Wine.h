#pragma once

namespace testing_support {

// Whether this Windows program runs under Wine rather than Windows, for the few places where
// Wine's system libraries are known to behave otherwise; false on Linux.
bool runningUnderWine();

}  // namespace testing_support
