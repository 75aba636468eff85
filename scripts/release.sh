#!/bin/sh
# Makes the release files of one version into out/:
#   Veltrax_Diffr-VERSION-win32.zip   the 32-bit desktop program Veltrax_Diffr.exe and the
#                                     command-line program veltrax_diffr.exe (both statically
#                                     linked), README.md, examples/ and README-windows.txt
#   veltrax-diffr_VERSION_amd64.deb   the command-line program for Debian, by CPack
# VERSION must be the project version of CMakeLists.txt, the one place the number is kept.
# Builds in build/win32 (as scripts/wine_e2e.sh does) and build/release, with warnings as
# errors; dates in the files are the last commit's (SOURCE_DATE_EPOCH), so that the same commit
# gives the same files.
#
# Usage: scripts/release.sh VERSION
set -eu
cd "$(dirname "$0")/.."
root=$PWD

project_version=$(sed -n 's/^project(Veltrax_Diffr VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
if [ $# -ne 1 ]; then
  echo "usage: scripts/release.sh VERSION   (the project version is $project_version)" >&2
  exit 2
fi
version=$1
if [ "$version" != "$project_version" ]; then
  echo "release: version $version is not the project version $project_version of" \
    "CMakeLists.txt; change it there first" >&2
  exit 1
fi

scripts/deps.sh cmake make g++ nlohmann-json3-dev g++-mingw-w64-i686 zip dpkg-dev file
if [ -z "${SOURCE_DATE_EPOCH:-}" ] && git rev-parse --git-dir >/dev/null 2>&1; then
  SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
  export SOURCE_DATE_EPOCH
fi
mkdir -p out
zip_name=Veltrax_Diffr-$version-win32
deb_name=veltrax-diffr_${version}_amd64.deb
rm -f "out/$zip_name.zip" "out/$deb_name"

# The same version in what was built, as each program says it.
says_version() {  # what the program printed for --version
  [ "$(printf '%s' "$1" | tr -d '\r')" = "veltrax_diffr $version" ] || {
    echo "release: the program says \"$1\", not version $version" >&2
    exit 1
  }
}

# Windows: both programs cross-built for i686, run alone on a bare Windows.
win=build/win32
toolchain=-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
[ ! -f $win/CMakeCache.txt ] || toolchain=  # kept by the build folder
cmake -S . -B $win $toolchain -DVELTRAX_TESTS=OFF -DVELTRAX_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
  >/dev/null
nice -n 10 cmake --build $win --target Veltrax_Diffr veltrax_diffr -j2 >/dev/null
. scripts/windows_dlls.sh
for exe in $win/Veltrax_Diffr.exe $win/veltrax_diffr.exe; do
  i686-w64-mingw32-objdump -f "$exe" | grep -q 'file format pei-i386' || {
    echo "release: $exe is not a 32-bit Windows program" >&2
    exit 1
  }
  only_system_dlls "$exe" || exit 1
done
stage=build/release/zip/$zip_name
rm -rf build/release/zip
mkdir -p "$stage"
cp $win/Veltrax_Diffr.exe $win/veltrax_diffr.exe README.md packaging/README-windows.txt "$stage/"
cp -R examples "$stage/"
find build/release/zip -exec touch -h -d "@${SOURCE_DATE_EPOCH:-$(date +%s)}" {} +
(cd build/release/zip && find "$zip_name" | LC_ALL=C sort | zip -q -X -9 "$root/out/$zip_name.zip" -@)

# Debian: the command-line program with Debian's hardening flags, its manual page and documents.
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
linux=build/release
cmake -S . -B $linux -DVELTRAX_TESTS=OFF -DVELTRAX_WERROR=ON -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" >/dev/null
nice -n 10 cmake --build $linux --target veltrax_diffr veltrax_package_files -j2 >/dev/null
says_version "$($linux/veltrax_diffr --version)"
rm -rf $linux/deb
(cd $linux && cpack -G DEB -B deb >cpack.log 2>&1) || {
  cat $linux/cpack.log >&2
  exit 1
}
cp "$linux/deb/$deb_name" out/

echo "Release $version:"
for f in "out/$zip_name.zip" "out/$deb_name"; do
  printf '  %-40s %9s bytes\n' "$f" "$(wc -c <"$f")"
done
