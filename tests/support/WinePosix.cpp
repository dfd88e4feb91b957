#include "tests/support/Wine.h"

namespace testing_support {

bool runningUnderWine() {
    return false;
}

}  // namespace testing_support
