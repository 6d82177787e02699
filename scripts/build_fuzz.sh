#!/usr/bin/env bash
# Configures and builds the fuzz targets (fuzz/) into build-fuzz/ with clang,
# after the setup script. FUZZ_SECONDS sets how long CTest's brief run of each
# target lasts (default 10).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
CC=clang CXX=clang++ cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -Dfuzz_seconds="${FUZZ_SECONDS:-10}" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"
