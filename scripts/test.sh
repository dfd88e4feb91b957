#!/usr/bin/env bash
# Sets up, builds and runs every test. Modes: plain, sanitize, or all (the default: both).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-all}"
"$root/scripts/setup.sh"

run_plain() {
    "$root/scripts/build.sh" build-test
    (cd "$root/build-test" && ctest --output-on-failure -j "$(nproc)")
}

run_sanitize() {
    "$root/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DSUMORA_SANITIZE=ON \
        -DSUMORA_WITH_QT=OFF -DSUMORA_BUILD_BENCH=OFF
    (cd "$root/build-asan" && ctest --output-on-failure -j "$(nproc)")
}

case "$mode" in
    plain) run_plain ;;
    sanitize) run_sanitize ;;
    all) run_plain && run_sanitize ;;
    *) echo "usage: $0 [plain|sanitize|all]" >&2; exit 2 ;;
esac
