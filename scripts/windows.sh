#!/usr/bin/env bash
# Cross-builds Sumora for Windows with MinGW-w64 into build-windows/ and tests it under Wine.
#   ./scripts/windows.sh         sets up and builds build-windows/main/sumora.exe and
#                                sumora-download.exe
#   ./scripts/windows.sh test    also runs every test of the Windows build under Wine: the unit
#                                tests, the processes without a display, the real windows inside
#                                Xvfb (the Wine prefix lives in build-windows/wineprefix)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-build}"
build="$root/build-windows"

packages=(
    cmake python3 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine wine64 googletest xvfb xauth lighttpd
)
missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
fi

tests=OFF
if [ "$mode" = test ]; then
    tests=ON
fi
cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSUMORA_WERROR=ON -DSUMORA_WITH_QT=OFF \
    -DSUMORA_BUILD_BENCH=OFF -DSUMORA_BUILD_TESTS="$tests" \
    -DSUMORA_GTEST_SOURCE=/usr/src/googletest \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run"
cmake --build "$build" -j "$(nproc)"

# Static: only DLLs that come with Windows itself.
for program in sumora sumora-download; do
    imports="$(x86_64-w64-mingw32-objdump -p "$build/main/$program.exe" | sed -n 's/^\s*DLL Name: //p')"
    unexpected="$(grep -viE '^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ole32|winhttp|msvcrt|ucrtbase)\.dll$' <<<"$imports" || true)"
    if [ -n "$unexpected" ]; then
        echo "$program.exe imports DLLs that Windows does not have:" $unexpected >&2
        exit 1
    fi
    echo "Built $build/main/$program.exe (imports:" $imports")"
done

if [ "$mode" != test ]; then
    exit 0
fi

# Wine runs as root here, so it gets a prefix of its own; Mono and Gecko are not wanted.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
stop_wine() { wineserver -k 2>/dev/null || true; wineserver -w 2>/dev/null || true; }
# One server for the whole stage: one that ends between two short test programs drops the
# connection of the next. Wine's own background programs start with it, away from the pipes of
# the tests, which they would otherwise hold open.
start_wine() { wineserver -p; "$root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1; }
trap stop_wine EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$root/scripts/wine-run" wineboot -i >/dev/null 2>&1
fi
stop_wine

cd "$build"
start_wine
ctest --output-on-failure -j "$(nproc)" -E '^(cli|gui)\.'
stop_wine
start_wine
ctest --output-on-failure -R '^cli\.'
stop_wine
# The window needs a display; Wine takes the one xvfb-run provides when its server starts.
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -R '^gui\.'
