#!/usr/bin/env bash
# Configures and builds one build folder: build.sh FOLDER [cmake options...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="$1"
shift
cmake -S "$root" -B "$root/$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$root/$folder" -j "$(nproc)"
