#!/usr/bin/env bash
# The fuzz targets of the project's own parsers (fuzz/), built with clang's
# libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/:
# CTest replays each target's checked-in corpus, then runs each target for a
# few seconds (FUZZ_SECONDS, default 10). Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build_fuzz.sh
ctest --test-dir build-fuzz --output-on-failure --parallel "$(nproc)" "$@"
