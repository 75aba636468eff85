#!/bin/sh
# Installs the Debian packages that are missing, when run as root; otherwise names them.
# Usage: scripts/deps.sh PACKAGE...
set -eu
missing=""
for pkg in "$@"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
    missing="$missing $pkg"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  echo "Installing:$missing"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
else
  echo "Missing packages:$missing" >&2
  echo "Install them (sudo apt-get install$missing) or run this as root." >&2
  exit 1
fi
