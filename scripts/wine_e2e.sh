#!/bin/sh
# End-to-end test of Veltrax_Diffr.exe under Wine and Xvfb.
#
# Cross-builds the 32-bit program and the test driver with mingw-w64, starts the program in a
# work folder whose parameter file points saving area No.1 at the example netlist pair, and
# operates it with the driver by control id: title and labels in Japanese, the language switch
# and the English labels, formats, saving areas and "Auto inc. name" read back as check marks,
# Execute, and closing; in both languages every label must fit its control. Then the result
# file must be byte-identical to the command-line program's for the same pair, and the
# parameter file written at exit must hold the session. Screenshots of the window in both
# languages go to build/e2e/.
#
# A second pass runs the same program built for 64-bit Windows, which 64-bit Wine runs without
# emulation (the 32-bit one does not get through the file dialog under qemu-i386): "Open the
# CSV" before any run shows that the CSV file cannot be opened; both netlists are chosen in the
# real file dialog, which is cancelled once; after a run, "Open the CSV" opens the result
# through the prefix's .csv association, which runs a recorder of the path it is given.
#
# Usage: scripts/wine_e2e.sh [--no-setup]   (--no-setup: the packages are known to be there)
# Needs root for the set-up (scripts/wine_setup.sh). Ends with "N passed, M failed".
set -eu
cd "$(dirname "$0")/.."
root=$PWD
start=$(date +%s)

[ "${1:-}" = "--no-setup" ] || scripts/wine_setup.sh
setup_done=$(date +%s)

# Builds: the program (i686, and x86_64 for the second pass), the driver and the recorder
# (x86_64, which Wine runs without emulation), and the command-line program for Linux that
# gives the expected result file.
build() {  # dir, toolchain or "", targets
  dir=$1
  toolchain=$2
  shift 2
  if [ -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" >/dev/null
  elif [ -n "$toolchain" ]; then
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVELTRAX_TESTS=OFF \
      -DVELTRAX_WERROR=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  else
    cmake -S . -B "$dir" -DVELTRAX_TESTS=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$dir" --target "$@" -j2 >/dev/null
}
build build/win32 cmake/mingw-w64-i686.cmake Veltrax_Diffr
build build/win64 cmake/mingw-w64-x86_64.cmake e2e_driver e2e_recorder Veltrax_Diffr
build build/e2e/cli "" veltrax_diffr
exe=$root/build/win32/Veltrax_Diffr.exe
exe64=$root/build/win64/Veltrax_Diffr.exe
driver=$root/build/win64/e2e_driver.exe
recorder=$root/build/win64/e2e_recorder.exe
build_done=$(date +%s)

. scripts/checks.sh

# The executables run alone: they import only system libraries.
. scripts/windows_dlls.sh
check "Veltrax_Diffr.exe imports only system DLLs ($(dlls "$exe"))" only_system_dlls "$exe"
check "and so does the 64-bit one ($(dlls "$exe64"))" only_system_dlls "$exe64"

# A Unix path as Wine's programs see it, and as a .reg file writes it.
winpath() { echo "Z:$1" | tr / '\\'; }
regpath() { winpath "$1" | sed 's/\\/\\\\/g'; }
opened=$root/build/e2e/opened.txt

# The Wine prefix: made once, without Mono, Gecko and GStreamer, which the test needs none of.
# Its settings are applied whenever they differ from the ones it has: a virtual desktop (so
# screenshots show the title bar), no crash dialogs, the fonts of a Japanese Windows under
# their names (without them Wine draws every Japanese face, the proportional UI faces too, in
# the fixed-pitch IPAGothic), and the recorder as the program that opens .csv files (in
# HKEY_CLASSES_ROOT itself: Wine 8 does not read a user's HKCU\Software\Classes into it, so
# that ShellExecuteA found no association there and returned SE_ERR_NOASSOC).
export WINEPREFIX="$root/build/wine/pfx" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winegstreamer="
wine64=/usr/lib/wine/wine64
mkdir -p build/wine build/e2e
exec 9>build/wine/lock
flock 9
[ -f "$WINEPREFIX/system.reg" ] || env -u DISPLAY $wine64 wineboot --init >/dev/null 2>&1
cat >build/wine/setup.reg <<EOF
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"MS UI Gothic"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS Gothic"="IPAGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS PMincho"="IPAPMincho"
"ＭＳ Ｐ明朝"="IPAPMincho"
"MS Mincho"="IPAMincho"
"ＭＳ 明朝"="IPAMincho"

[HKEY_CLASSES_ROOT\\.csv]
@="VeltraxE2E.csv"

[HKEY_CLASSES_ROOT\\VeltraxE2E.csv\\shell\\open\\command]
@="\\"$(regpath "$recorder")\\" \\"$(regpath "$opened")\\" \\"%1\\""
EOF
if ! cmp -s build/wine/setup.reg "$WINEPREFIX/applied.reg"; then
  # regedit reads the Japanese names from UTF-16 with a byte order mark.
  { printf '\377\376'; iconv -f UTF-8 -t UTF-16LE build/wine/setup.reg; } >build/wine/setup16.reg
  env -u DISPLAY $wine64 regedit /S "$(winpath "$root/build/wine/setup16.reg")" >/dev/null 2>&1
  wineserver -w
  cp build/wine/setup.reg "$WINEPREFIX/applied.reg"
fi
prefix_done=$(date +%s)

# Xvfb on a free display.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>build/e2e/display 2>/dev/null &
xvfb=$!
gui=""
cleanup() {
  [ -n "$gui" ] && kill "$gui" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
for _ in $(seq 50); do [ -s build/e2e/display ] && break; sleep 0.1; done
export DISPLAY=":$(cat build/e2e/display)"
export LC_ALL=ja_JP.UTF-8  # Wine's ANSI code page 932

# The work folder of the first pass: the example pair and a parameter file for saving area No.1.
work=$root/build/e2e/work
rm -rf "$work"
mkdir -p "$work"
cp examples/amp-rev-a.net examples/amp-rev-b.net "$work/"
{
  printf '40\r\n'
  for i in $(seq 0 39); do
    case $i in
      5) printf '1\r\n' ;;        # the current layout
      10 | 11) printf '6\r\n' ;;  # No.1: PADS for both netlists
      *) printf '0\r\n' ;;
    esac
  done
  printf '40\r\n'
  for i in $(seq 0 39); do
    case $i in
      0) printf 'amp-rev-a.net\r\n' ;;
      1) printf 'amp-rev-b.net\r\n' ;;
      *) printf '\r\n' ;;
    esac
  done
} >"$work/Veltrax_Diffr.ini"

start_gui() {  # the program, started in the work folder; Wine's remarks go to build/e2e/
  (cd "$work" && exec $wine64 "$1" 2>>"$root/build/e2e/wine.log") &
  gui=$!
}
drive() {  # the driver's steps; its output arrives in CP932
  (cd "$work" && $wine64 "$driver" "$@") | iconv -f CP932 -t UTF-8 | tr -d '\r' \
    >build/e2e/driver.out || true
  cat build/e2e/driver.out
  p=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\1/p' build/e2e/driver.out)
  f=$(sed -n 's/^\([0-9]*\) passed, \([0-9]*\) failed$/\2/p' build/e2e/driver.out)
  passed=$((passed + ${p:-0}))
  failed=$((failed + ${f:-1}))
  # What the screen showed when a step failed, for the diagnosis.
  [ "${f:-1}" -eq 0 ] || import -display "$DISPLAY" -window root build/e2e/failure.png || true
}
screenshot() {  # the window's part of the screen, at the rectangle the driver printed last
  set -- "$1" $(sed -n 's/^ok: rect //p' build/e2e/driver.out)
  [ $# -eq 5 ] && sleep 2 &&
    import -display "$DISPLAY" -window root -crop "$4x$5+$2+$3" +repage "build/e2e/$1.png"
}
wait_gui() {  # the program ends once its window is gone; one that does not is stopped
  for _ in $(seq 600); do kill -0 "$gui" 2>/dev/null || break; sleep 0.1; done
  kill "$gui" 2>/dev/null || true
  status=0
  wait "$gui" || status=$?
  gui=""
  check "the program ended with 0" [ "$status" -eq 0 ]
}

# The parameter file written at exit: entries and texts by number.
line() { sed -n "$1p" "$work/Veltrax_Diffr.ini" | tr -d '\r'; }
entry() { line $(($1 + 2)); }
slot() { line $(($1 + 43)); }

start_gui "$exe"

echo "== Japanese"
drive wait Veltrax_Diffr 120 acp 932 \
  title "Veltrax_Diffr : Netlist comparison R3.00" \
  text 0 "二つのネットリストを比較して違いを出力します。" \
  text 1 English text 2 "#" \
  text 5 "基準ネットリスト" text 6 "ファイル選択" text 20 "比較ネットリスト" \
  text 36 "実行" text 37 "CSVを開く" text 38 "自動増加名" text 46 "実行結果" \
  text 48 "パラメータの保存先選択" text 64 "format option" \
  text 10 CADVANCE text 16 PADS text 26 MM-2/Colmo text 30 "CCF(zuken)" \
  text 49 amp-rev-b.net text 50 No.2 text 56 No.8 text 41 0 \
  check 49 1 check 50 0 check 16 1 check 10 0 check 31 1 check 38 0 enabled 36 1 bars none \
  fits rect
check "screenshot in Japanese" screenshot window-ja

echo "== English, formats and saving areas, Execute"
drive wait Veltrax_Diffr 30 click 1 \
  text 1 Japanese text 0 "Comparison with two netlists, and output the difference." \
  text 5 "Reference netlist" text 6 "File Select" text 20 "Compare netlist" \
  text 36 Execute text 37 "Open the CSV" text 38 "Auto inc. name" text 46 Result \
  text 48 "Select parameter saving area" text 49 amp-rev-b.net text 16 PADS \
  click 50 check 50 1 check 49 0 check 10 1 check 16 0 check 25 1 check 31 0 check 38 0 \
  click 13 check 13 1 check 10 0 click 38 check 38 1 \
  click 49 check 49 1 check 50 0 check 16 1 check 31 1 check 13 0 check 38 0 \
  click 50 check 13 1 check 38 1 check 25 1 \
  click 49 check 16 1 check 38 0 \
  click 36 enabled 36 1 settext 41 5 fits rect
check "screenshot in English" screenshot window-en

echo "== Closing"
drive wait Veltrax_Diffr 30 close 60
wait_gui
run_done=$(date +%s)

# The result file is the command-line program's, byte for byte, for the same relative paths.
(cd "$work" && "$root/build/e2e/cli/veltrax_diffr" -q -f pads -o expected.csv amp-rev-a.net \
  amp-rev-b.net) || true
check "Execute wrote amp-rev-b.csv, identical to the command line's" \
  cmp "$work/amp-rev-b.csv" "$work/expected.csv"

# The parameter file written at exit: 40 entries and 40 texts with CR LF ends.
ini=$work/Veltrax_Diffr.ini
crlf_lines() { [ "$(wc -l <"$ini")" -eq 82 ] && [ "$(grep -c "$(printf '\r')\$" "$ini")" -eq 82 ]; }
check "the parameter file has 82 lines ending in CR LF" crlf_lines
check "language English (1) at exit" [ "$(entry 0)" = 1 ]
check "saving area No.1 current" [ "$(entry 29)" = 0 ]
check "No.2 keeps Protel for its reference netlist" [ "$(entry 12)" = 3 ]
check "\"Auto inc. name\" on for No.2 only" [ "$(entry 27)" = 2 ]
check "the window rectangle is stored" [ "$(entry 3)" -gt "$(entry 1)" ]
check "the result path of No.1" [ "$(slot 31)" = amp-rev-b.csv ]
check "the format option typed after the run is saved" [ "$(entry 30)$(slot 30)" = 55 ]
check "the displayed message ends with Completed, line feeds as 0x07" \
  sh -c "sed -n 63p '$ini' | grep -q \"$(printf 'Completed\007\r')\$\""
check "the area message of No.1 is the run's" [ "$(slot 21)" = "$(slot 20)" ]

echo "== 64-bit: the file dialog and Open the CSV"
# A work folder with the example pair and no parameter file; the dialogs are given full paths.
first=$work
work=$root/build/e2e/work64
rm -rf "$work" "$opened"
mkdir -p "$work"
cp examples/amp-rev-a.net examples/amp-rev-b.net "$work/"
dir=$(winpath "$work")
start_gui "$exe64"
drive wait Veltrax_Diffr 60 msgbox 37 "CSVファイルが開けません" 30 \
  opendlg 6 "$dir\\amp-rev-a.net" 30 text 49 No.1 \
  opendlg 21 "$dir\\amp-rev-b.net" 30 text 49 amp-rev-b.net \
  canceldlg 21 30 text 49 amp-rev-b.net \
  click 16 click 31 click 36 click 37 \
  opendlg 6 "$dir\\amp-rev-b.net" 30 close 60
wait_gui
run64_done=$(date +%s)

# The recorder has written the path by the time the program ended, or soon after.
for _ in $(seq 100); do [ -f "$opened" ] && break; sleep 0.1; done
check "Open the CSV opened $dir\\amp-rev-b.csv" \
  [ "$(tr -d '\r\n' <"$opened" 2>/dev/null)" = "$dir\\amp-rev-b.csv" ]
same_below_paths() { [ "$(tail -n +3 "$1")" = "$(tail -n +3 "$2")" ]; }
check "its result is the 32-bit program's below the two path lines" \
  same_below_paths "$work/amp-rev-b.csv" "$first/amp-rev-b.csv"
check "the reference path chosen last (the cancel kept the compare path)" \
  [ "$(slot 0)|$(slot 1)" = "$dir\\amp-rev-b.net|$dir\\amp-rev-b.net" ]
check "the messages emptied by the last choice" [ "$(slot 20)|$(slot 21)" = "|" ]
check "the result path of No.1, in the netlist's folder" [ "$(slot 31)" = "$dir\\amp-rev-b.csv" ]
end=$(date +%s)

echo "times: setup $((setup_done - start)) s, builds $((build_done - setup_done)) s," \
  "prefix $((prefix_done - build_done)) s, run $((run_done - prefix_done)) s," \
  "64-bit run $((run64_done - run_done)) s, total $((end - start)) s"
echo "screenshots: build/e2e/window-ja.png build/e2e/window-en.png"
checks_end
