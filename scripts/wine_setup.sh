#!/bin/sh
# Installs what the Windows build and its end-to-end test under Wine need, on Debian 12 as root:
# the mingw-w64 cross compilers, Wine with its 32-bit part, Xvfb, the tools that take
# screenshots, the Japanese fonts and the ja_JP.UTF-8 locale (Wine's code page 932). Where this
# kernel cannot run 32-bit x86 code, 32-bit programs run under qemu-i386 through binfmt_misc.
# Safe to run again: what is present is kept, and the binfmt registration is renewed (it does
# not survive a reboot).
set -eu
cd "$(dirname "$0")/.."

need() {
  scripts/deps.sh "$@"
}

x_libs="libxrender1 libxrandr2 libxi6 libxcursor1 libxfixes3 libxinerama1 libxcomposite1"

need g++-mingw-w64-i686 g++-mingw-w64-x86-64 g++ cmake make nlohmann-json3-dev
need wine wine64 libwine fonts-wine $x_libs xvfb xauth x11-utils x11-apps imagemagick \
  fonts-ipafont-gothic fonts-ipafont-mincho locales

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
i386_x_libs=""
for lib in $x_libs; do i386_x_libs="$i386_x_libs $lib:i386"; done
need wine32:i386 wine32-preloader:i386 libwine:i386 $i386_x_libs

# 32-bit x86 code: natively where the kernel runs it, otherwise under qemu.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  need qemu-user-static
  binfmt=/proc/sys/fs/binfmt_misc
  [ -e $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
  if [ ! -e $binfmt/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      >$binfmt/register
  fi
  /usr/lib/wine/wine --version >/dev/null 2>&1 || {
    echo "wine_setup: 32-bit Wine does not start, even under qemu" >&2
    exit 1
  }
fi

locale -a 2>/dev/null | grep -qix 'ja_JP.utf8' || localedef -i ja_JP -c -f UTF-8 ja_JP.UTF-8
