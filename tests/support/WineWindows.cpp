#include <windows.h>

#include "tests/support/Wine.h"

namespace testing_support {

// Wine's ntdll exports its version; Windows' has no such function.
bool runningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace testing_support
