#!/usr/bin/env bash
# The sanitized suite (scripts/test.sh --sanitize):
#  1. configures and builds the compiled UI documents with CMake's default
#     generator (Unix Makefiles) in a fresh build-makefiles/, the way packagers
#     and IDEs build, since Ninja hides missing output folders and ordering;
#  2. builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in
#     build-sanitize/ (cmake/Sanitize.cmake; -O1 keeps it quick) and runs the
#     whole CTest suite there, with the sanitizer options and suppressions of
#     build-sanitize/sanitizer_environment.sh.
# Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)
log=$(mktemp /tmp/gearconsole-sanitize.XXXXXX)
trap 'rm -f "$log"' EXIT
quietly() { "$@" >"$log" 2>&1 || { cat "$log"; echo "test_sanitized: failed: $*" >&2; exit 1; }; }

echo "test_sanitized: default generator, compiled UI documents (build-makefiles/)"
started=$SECONDS
rm -rf build-makefiles
quietly cmake -S . -B build-makefiles
quietly cmake --build build-makefiles --target gearconsole_ui_cache --parallel "$jobs"
echo "test_sanitized: default generator done in $((SECONDS - started)) s"

echo "test_sanitized: AddressSanitizer + UBSan build (build-sanitize/)"
quietly cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGEARCONSOLE_SANITIZE=ON \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG" "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
started=$SECONDS
cmake --build build-sanitize --parallel "$jobs"
echo "test_sanitized: sanitized build done in $((SECONDS - started)) s"

source build-sanitize/sanitizer_environment.sh
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d /tmp/gearconsole-runtime.XXXXXX)}"
chmod 700 "$XDG_RUNTIME_DIR"
ctest --test-dir build-sanitize --output-on-failure --timeout 900 "$@"
