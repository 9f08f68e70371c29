#!/usr/bin/env bash
# Throughput of corvane-trackd on loopback, measured with wrk: visit image hits per second
# (each one stores a visit) and visitor feed requests per second (each one hands out and
# marks one stored visit while there are any).
#   bench/trackd_bench.sh [BUILD_DIR] [SECONDS] [CONNECTIONS]
set -euo pipefail
build_dir="${1:-build}"
seconds="${2:-10}"
connections="${3:-32}"
trackd="$build_dir/tools/trackd/corvane-trackd"
command -v wrk >/dev/null || { echo "wrk is missing (apt-get install wrk)" >&2; exit 1; }
[[ -x "$trackd" ]] || { echo "build corvane-trackd first: $trackd" >&2; exit 1; }

work="$(mktemp -d)"
trackd_pid=""
cleanup() {
    [[ -n "$trackd_pid" ]] && kill "$trackd_pid" 2>/dev/null && wait "$trackd_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

web_id="$("$trackd" add-account --db "$work/trackd.db" bench-shop secret)"
"$trackd" serve --listen 127.0.0.1:0 --db "$work/trackd.db" >"$work/address" 2>"$work/log" &
trackd_pid=$!
for _ in $(seq 50); do
    [[ -s "$work/address" ]] && break
    sleep 0.1
done
address="$(head -n 1 "$work/address")"

run() {
    local label="$1" url="$2"
    shift 2
    local rate
    rate="$(wrk -t2 -c"$connections" -d"${seconds}s" "$@" "$url" | awk '/Requests\/sec/ {print $2}')"
    printf '%-26s %10s requests/s\n' "$label" "$rate"
}

echo "corvane-trackd at $address, $connections connections, ${seconds}s each"
run "visit image hits" "http://$address/corvane/shop.asp?id=$web_id&nick=bench-buyer" \
    -H "Referer: http://item.taobao.com/item.htm?id=12345678"
pending="$(sqlite3 "$work/trackd.db" 'SELECT COUNT(*) FROM visits WHERE delivered = 0')"
echo "visits stored: $pending"
run "visitor feed requests" "http://$address/corvane/GetInfo.asp?userID=$web_id"
left="$(sqlite3 "$work/trackd.db" 'SELECT COUNT(*) FROM visits WHERE delivered = 0')"
echo "visits handed out: $((pending - left))"
