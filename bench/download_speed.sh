#!/usr/bin/env bash
# Downloads 1 GiB from lighttpd on loopback with sumora-download and with curl -o, and reports
# both rates. With a display (and a build with Qt) the dialog is shown while it runs.
#   bench/download_speed.sh [path/to/sumora-download] [size in MiB]
set -euo pipefail

exe=${1:-build/main/sumora-download}
mib=${2:-1024}
# In memory where there is room, so the disk does not set both rates.
work=$(mktemp -d -p "${TMPDIR_BENCH:-/dev/shm}" 2>/dev/null || mktemp -d)
trap 'kill "$server" 2>/dev/null || true; rm -rf "$work"' EXIT

mkdir "$work/www"
head -c "$((mib * 1024 * 1024))" /dev/urandom > "$work/www/big.bin"
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])')
cat > "$work/lighttpd.conf" <<CONF
server.document-root = "$work/www"
server.bind = "127.0.0.1"
server.port = $port
server.errorlog = "$work/error.log"
CONF
/usr/sbin/lighttpd -D -f "$work/lighttpd.conf" &
server=$!
for _ in $(seq 100); do
    curl -s -o /dev/null "http://127.0.0.1:$port/" && break || sleep 0.05
done
url="http://127.0.0.1:$port/big.bin"

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" > /dev/null 2>&1 < /dev/null
    end=$(date +%s.%N)
    echo "$end - $start" | bc -l
}

report() {
    printf '%-16s %8.1f MB/s  (%.2f s)\n' "$1" "$(echo "$mib * 1.048576 / $2" | bc -l)" "$2"
}

# Warm the page cache so both read the file from memory.
cat "$work/www/big.bin" > /dev/null
curl_time=$(seconds curl -s -o "$work/curl.bin" "$url")
rm -f "$work/curl.bin"
sumora_time=$(seconds "$exe" "$url" "$work/sumora.bin")
cmp -s "$work/www/big.bin" "$work/sumora.bin" || { echo "sumora-download wrote other bytes" >&2; exit 1; }
report "curl -o" "$curl_time"
report "sumora-download" "$sumora_time"
printf 'sumora-download takes %.2f times as long as curl\n' "$(echo "$sumora_time / $curl_time" | bc -l)"
