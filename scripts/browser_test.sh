#!/bin/sh
# Browser test of the HTML report: headless Chromium driven by tests/browser/report_test.js
# (puppeteer-core) opens the reports veltrax_diffr writes and checks the counts against the
# result file, the filter, the category boxes, sorting, and that names which are markup or script
# stay text. Installs Chromium (and Node.js with npm, if missing) when run as root, the pinned
# puppeteer-core into tests/browser/node_modules, and builds veltrax_diffr in build/test.
# Ends with "N passed, M failed".
#
# Usage: scripts/browser_test.sh
#        scripts/browser_test.sh --screenshot PNG REF CMP [FILTER]   the report of REF and CMP
set -eu
cd "$(dirname "$0")/.."
start=$(date +%s)

command -v node >/dev/null && command -v npm >/dev/null || scripts/deps.sh nodejs npm
scripts/deps.sh chromium
pinned=$(node -p "require('./tests/browser/package.json').dependencies['puppeteer-core']")
installed=$(node -p "try { require('./tests/browser/node_modules/puppeteer-core/package.json')
  .version } catch (e) { '' }")
if [ "$installed" != "$pinned" ]; then
  (cd tests/browser && npm ci --no-audit --no-fund --loglevel=error)
fi

if [ ! -f build/test/CMakeCache.txt ]; then
  scripts/deps.sh cmake make g++
  cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build/test --target veltrax_diffr -j"$(nproc)" >/dev/null

status=0
node tests/browser/report_test.js build/test/veltrax_diffr "$@" || status=$?
echo "Browser test: $(($(date +%s) - start)) s"
exit $status
