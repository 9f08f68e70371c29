#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. With CI=true it also builds with
# warnings as errors and runs the core tests under the address, undefined-behaviour and
# thread sanitizers, and the fuzz targets for a bounded time.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$corvane_root"

ensure_packages

strict=OFF
[[ "${CI:-}" == "true" ]] && strict=ON
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox"

build_tree build -DCORVANE_WERROR=$strict
(cd build && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2)

if [[ "$strict" == ON ]]; then
    common_flags=(-DCORVANE_WERROR=ON -DCORVANE_BUILD_GUI=OFF -DCORVANE_BUILD_BENCH=OFF)
    build_tree build-asan "${common_flags[@]}" -DCORVANE_SANITIZE=address,undefined
    (cd build-asan && xvfb-run -a ctest --output-on-failure -L core -j2)

    build_tree build-tsan "${common_flags[@]}" -DCORVANE_SANITIZE=thread
    (cd build-tsan && xvfb-run -a ctest --output-on-failure -L thread -j2)

    if [[ -f fuzz/CMakeLists.txt ]]; then
        CC=clang CXX=clang++ build_tree build-fuzz "${common_flags[@]}" -DCORVANE_BUILD_FUZZ=ON \
            -DCORVANE_SANITIZE=address,undefined
        (cd build-fuzz && ctest --output-on-failure -L fuzz)
    fi
fi
