# For the scripts that source this: what a Windows program imports. `dlls EXE` lists its DLLs on
# one line (binutils' objdump reads 32-bit and 64-bit programs alike); `only_system_dlls EXE`
# fails, naming the first other DLL on standard error, unless the program imports Windows' own
# alone, so that it runs as it is on a bare Windows.
dlls() {
  headers=$(objdump -p "$1") || return 1
  printf '%s\n' "$headers" | sed -n 's/.*DLL Name: //p' | tr '\n' ' '
}
only_system_dlls() {
  imports=$(dlls "$1") || return 1
  for dll in $imports; do
    case $(echo "$dll" | tr 'a-z' 'A-Z') in
      KERNEL32.DLL | USER32.DLL | GDI32.DLL | COMDLG32.DLL | SHELL32.DLL | MSVCRT.DLL) ;;
      *) echo "$1 imports $dll" >&2; return 1 ;;
    esac
  done
}
