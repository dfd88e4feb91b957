#!/usr/bin/env bash
# Sets up, builds and starts Sumora; arguments go to the program (for example /Help).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
"$root/scripts/build.sh" build -DSUMORA_BUILD_TESTS=OFF -DSUMORA_BUILD_BENCH=OFF
exec "$root/build/main/sumora" "$@"
