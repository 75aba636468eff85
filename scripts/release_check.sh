#!/bin/sh
# Makes the release files of the project version (scripts/release.sh) and tries them as a user
# would: installs the Debian package, runs the installed program on the example pair and
# compares its result file with the build tree's program's, reads its manual page, runs the
# zip's veltrax_diffr.exe under Wine on the same pair (byte-identical result file), checks what
# the zip holds, and runs lintian on the package, which must report no error. The package is
# removed again at the end.
#
# Usage: scripts/release_check.sh   (as root: it installs packages; ends "N passed, M failed")
set -eu
cd "$(dirname "$0")/.."
root=$PWD
start=$(date +%s)

version=$(sed -n 's/^project(Veltrax_Diffr VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
scripts/wine_setup.sh
scripts/deps.sh lintian unzip
scripts/release.sh "$version"
release_done=$(date +%s)
zip=$root/out/Veltrax_Diffr-$version-win32.zip
deb=$root/out/veltrax-diffr_${version}_amd64.deb

. scripts/checks.sh

# The example pair in a work folder, compared with the same relative paths each time, so that
# the result files (which name the netlists as given) are comparable byte for byte.
work=$root/build/release/check
rm -rf "$work"
mkdir -p "$work"
cp examples/amp-rev-a.net examples/amp-rev-b.net "$work/"
compare() {  # result file, program and its leading arguments; the pair has differences: 1
  out=$1
  shift
  status=0
  (cd "$work" && "$@" -q -o "$out" amp-rev-a.net amp-rev-b.net) || status=$?
  [ "$status" -eq 1 ] && [ -s "$work/$out" ]
}
# The build tree's program: the tests' build where scripts/test.sh made one, else the release's.
tree_cli=build/test/veltrax_diffr
[ -x $tree_cli ] || tree_cli=build/release/veltrax_diffr
check "the build tree's $tree_cli compares the pair" compare tree.csv "$root/$tree_cli"

echo "== Debian package"
trap 'apt-get remove -y -qq veltrax-diffr >/dev/null 2>&1 || true' EXIT
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null
check "installed: /usr/bin/veltrax_diffr says version $version" \
  [ "$(/usr/bin/veltrax_diffr --version)" = "veltrax_diffr $version" ]
check "the installed program compares the pair" compare installed.csv /usr/bin/veltrax_diffr
check "its result file is the build tree's" cmp "$work/installed.csv" "$work/tree.csv"
check "the package holds the program, manual page, README, copyright and changelog" sh -c "
  dpkg-deb -c '$deb' | awk '{print \$6}' | sort >'$work/deb.list' &&
  grep -qx ./usr/bin/veltrax_diffr '$work/deb.list' &&
  grep -qx ./usr/share/man/man1/veltrax_diffr.1.gz '$work/deb.list' &&
  for f in README.md copyright changelog.gz; do
    grep -qx ./usr/share/doc/veltrax-diffr/\$f '$work/deb.list' || exit 1
  done"
check "every file in the package is root's" sh -c \
  "! dpkg-deb -c '$deb' | awk '{print \$2}' | grep -vqx root/root"
check "the program is stripped" sh -c "file -L /usr/bin/veltrax_diffr | grep -q ', stripped'"
# The manual page from the package (an image may keep /usr/share/man out of installed packages).
mkdir -p "$work/deb"
dpkg-deb -x "$deb" "$work/deb"
LC_ALL=C MANWIDTH=80 man -l "$work/deb/usr/share/man/man1/veltrax_diffr.1.gz" >"$work/man.txt" 2>&1 || true
check "man -l shows veltrax_diffr(1)" grep -q '^VELTRAX_DIFFR(1)' "$work/man.txt"
every_option_in_manual() {
  for option in $(/usr/bin/veltrax_diffr --help | grep -o '^ *\(-[a-z], \)\?--[a-z-]*' |
    sed 's/.*--/--/'); do
    grep -q -- "$option" "$work/man.txt" || { echo "not in the manual page: $option" >&2; return 1; }
  done
}
check "every option of --help is in the manual page" every_option_in_manual
lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 && lintian_status=0 || lintian_status=$?
grep -v '^running with root privileges' "$work/lintian.txt" || true
check "lintian reports no error" [ "$lintian_status" -eq 0 ]
deb_done=$(date +%s)

echo "== Windows zip"
mkdir -p "$work/zip"
(cd "$work/zip" && unzip -q "$zip")
dir=$work/zip/Veltrax_Diffr-$version-win32
listing() { (cd "$dir" && find . -type f | LC_ALL=C sort | tr '\n' ' '); }
check "the zip holds the programs, READMEs and examples ($(listing))" [ "$(listing)" = \
  "./README-windows.txt ./README.md ./Veltrax_Diffr.exe ./examples/amp-rev-a.net ./examples/amp-rev-b.net ./veltrax_diffr.exe " ]
check "README-windows.txt ends every line with CR LF" \
  [ "$(grep -c "$(printf '\r')\$" "$dir/README-windows.txt")" -eq "$(wc -l <"$dir/README-windows.txt")" ]
# Under Wine, in the prefix of scripts/wine_e2e.sh (made here when that has not run).
export WINEPREFIX="$root/build/wine/pfx" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winegstreamer="
wine64=/usr/lib/wine/wine64
mkdir -p build/wine
exec 9>build/wine/lock
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  env -u DISPLAY $wine64 wineboot --init >/dev/null 2>&1
  wineserver -w
fi
wine_version=$(cd "$work" && env -u DISPLAY $wine64 "$dir/veltrax_diffr.exe" --version | tr -d '\r')
check "veltrax_diffr.exe says version $version under Wine" \
  [ "$wine_version" = "veltrax_diffr $version" ]
check "veltrax_diffr.exe compares the pair under Wine" compare wine.csv env -u DISPLAY $wine64 \
  "$dir/veltrax_diffr.exe"
check "its result file is the Linux program's, byte for byte" cmp "$work/wine.csv" "$work/tree.csv"
wineserver -w
end=$(date +%s)

echo "times: release files $((release_done - start)) s, package $((deb_done - release_done)) s," \
  "zip $((end - deb_done)) s, total $((end - start)) s"
checks_end
