#!/bin/sh
# Builds everything and runs every test.
#   --werror    warnings are errors
#   --sanitize  an AddressSanitizer + UndefinedBehaviorSanitizer build of its own
set -eu
cd "$(dirname "$0")/.."
dir=build/test
flags=""
for arg in "$@"; do
  case "$arg" in
    --werror) flags="$flags -DVELTRAX_WERROR=ON" ;;
    --sanitize) dir=build/sanitize; flags="$flags -DVELTRAX_SANITIZE=ON" ;;
    *) echo "usage: scripts/test.sh [--werror] [--sanitize]" >&2; exit 2 ;;
  esac
done
scripts/deps.sh cmake make g++ libgtest-dev nlohmann-json3-dev python3 python3-jsonschema
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo $flags >/dev/null
cmake --build "$dir" -j"$(nproc)"
ctest --test-dir "$dir" -j"$(nproc)" --output-on-failure
