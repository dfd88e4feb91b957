# Cross-builds Sumora for 64-bit Windows with Debian's MinGW-w64 (the POSIX thread model, which
# std::thread and std::mutex need). The program is linked statically, so the .exe imports only
# Windows system DLLs. Programs built for tests run under Wine when CMAKE_CROSSCOMPILING_EMULATOR
# is given (scripts/windows.sh passes it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SUMORA_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SUMORA_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SUMORA_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${SUMORA_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SUMORA_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
