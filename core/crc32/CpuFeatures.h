#pragma once

namespace core {

// What the CPU offers and the operating system saves across context switches; a wide-register
// feature counts only when its registers are saved.
struct CpuFeatures {
    bool pclmulqdq = false;
    bool ssse3 = false;
    bool sse41 = false;
    bool avx2 = false;
    bool vpclmulqdq = false;
    bool avx512f = false;
    bool avx512bw = false;
    bool avx512vl = false;
};

// Asks the CPU; all false on other architectures.
CpuFeatures detectCpuFeatures();
// detectCpuFeatures(), asked once.
const CpuFeatures& cpuFeatures();

}  // namespace core
