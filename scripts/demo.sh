#!/bin/sh
# Builds the command-line program and compares the two example netlists of examples/.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh cmake make g++ nlohmann-json3-dev
cmake -S . -B build/demo -DCMAKE_BUILD_TYPE=Release -DVELTRAX_TESTS=OFF >/dev/null
cmake --build build/demo --target veltrax_diffr -j"$(nproc)" >/dev/null
status=0
build/demo/veltrax_diffr examples/amp-rev-a.net examples/amp-rev-b.net \
  -o build/demo/amp-rev-b.csv || status=$?
echo "(exit status $status: 0 no difference, 1 differences found, 2 trouble)"
[ "$status" -le 1 ]
