#!/usr/bin/env bash
# Sets up, builds and runs every test. Modes:
#   format    the tracked C++ sources are formatted as .clang-format says
#   plain     GCC build with every test and the benchmark
#   clang     the same with clang
#   sanitize  GCC Debug build with AddressSanitizer and UndefinedBehaviorSanitizer, every test
#   windows   the Windows cross-build with every test under Wine (scripts/windows.sh test)
#   all       each of them in turn (the default)
# Warnings are errors in every build made here.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-all}"
"$root/scripts/setup.sh"

# build_and_test FOLDER [cmake options...]
build_and_test() {
    local folder="$1"
    shift
    "$root/scripts/build.sh" "$folder" -DSUMORA_WERROR=ON "$@"
    # A test that waits for an answer nobody gives ends the run instead of holding it up.
    (cd "$root/$folder" && ctest --output-on-failure -j "$(nproc)" --timeout 600)
}

run_format() {
    (cd "$root" && git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror)
    echo "format: clean"
}

run_plain() {
    build_and_test build-test -DCMAKE_CXX_COMPILER=g++
}

run_clang() {
    build_and_test build-clang -DCMAKE_CXX_COMPILER=clang++
}

run_sanitize() {
    QT_QPA_PLATFORM=offscreen build_and_test build-asan -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=Debug \
        -DSUMORA_SANITIZE=ON -DSUMORA_BUILD_BENCH=OFF
}

run_windows() {
    "$root/scripts/windows.sh" test
}

case "$mode" in
    format) run_format ;;
    plain) run_plain ;;
    clang) run_clang ;;
    sanitize) run_sanitize ;;
    windows) run_windows ;;
    all) run_format && run_plain && run_clang && run_sanitize && run_windows ;;
    *) echo "usage: $0 [format|plain|clang|sanitize|windows|all]" >&2; exit 2 ;;
esac
