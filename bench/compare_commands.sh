#!/usr/bin/env bash
# Times the unattended run as a whole command against rhash and Python's zlib.crc32 reading
# the same 512,000-byte blocks, on one page-cached file, and checks the three agree.
# Usage: bench/compare_commands.sh [SUMORA_EXE] [FILE_SIZE_BYTES]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
sumora="${1:-$root/build/main/sumora}"
size="${2:-2147483648}"
for tool in hyperfine rhash python3; do
    command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install $tool)" >&2; exit 2; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
file="$work/sample.bin"
head -c "$size" /dev/urandom > "$file"
cat "$file" > /dev/null

cat > "$work/zlib_crc.py" <<'PY'
import sys, zlib
crc, buf = 0, bytearray(512000)
with open(sys.argv[1], "rb", buffering=0) as f:
    while n := f.readinto(buf):
        crc = zlib.crc32(memoryview(buf)[:n], crc)
print("%08X" % crc)
PY

env -u DISPLAY -u WAYLAND_DISPLAY "$sumora" /Auto "/SourceFile:$file"
ours="$(sed -n 's/^CRC32Checksum=\([0-9A-F]*\)\r$/\1/p' "$file.CRC")"
theirs="$(rhash --crc32 --simple "$file" | awk '{print toupper($1)}')"
python="$(python3 "$work/zlib_crc.py" "$file")"
echo "CRC-32: sumora $ours, rhash $theirs, zlib $python"
[ "$ours" = "$theirs" ] && [ "$ours" = "$python" ] || { echo "the checksums differ" >&2; exit 1; }

hyperfine -N --warmup 1 --runs 5 \
    "env -u DISPLAY -u WAYLAND_DISPLAY $sumora /Auto /SourceFile:$file" \
    "rhash --crc32 $file" \
    "python3 $work/zlib_crc.py $file"
