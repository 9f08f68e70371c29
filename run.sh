#!/usr/bin/env bash
# Installs what is missing, builds, and starts the client against a local tracking service.
# Without a display it says so and runs the headless monitor instead.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$corvane_root"

ensure_packages
build_tree build >/dev/null

data_dir="${CORVANE_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/corvane}"
mkdir -p "$data_dir"
export CORVANE_HOME="$data_dir"

if [[ -x build/tools/trackd/corvane-trackd && -z "${CORVANE_SERVICE_HOST:-}" ]]; then
    address_file="$(mktemp)"
    build/tools/trackd/corvane-trackd serve --listen 127.0.0.1:0 --db "$data_dir/trackd.db" \
        --simulate 6 >"$address_file" 2>>"$data_dir/trackd.log" &
    trackd_pid=$!
    trap 'kill $trackd_pid 2>/dev/null || true; rm -f "$address_file"' EXIT
    for _ in $(seq 50); do
        [[ -s "$address_file" ]] && break
        sleep 0.1
    done
    export CORVANE_SERVICE_HOST="$(head -n 1 "$address_file")"
    echo "Tracking service: http://$CORVANE_SERVICE_HOST/"
    # The simulated visits go to the service's demo account: watch it (once registered, an
    # attempt to add it again is refused, which is fine).
    build/src/app/corvane-cli account add 星岚演示店 demo >/dev/null 2>&1 || true
fi

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "No display found: starting the headless monitor (corvane-cli monitor). Ctrl+C ends it."
    build/src/app/corvane-cli monitor
else
    build/src/app/corvane
fi
