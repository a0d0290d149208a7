#!/usr/bin/env bash
# Configures and builds everything in $BUILD_DIR.
set -euo pipefail
source "$(dirname "$0")/env.sh"
cmake -S "$ROOT" -B "$BUILD_DIR" -DCMAKE_BUILD_TYPE="$BUILD_TYPE" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
