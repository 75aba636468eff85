// The end-to-end test's stand-in for the application that opens CSV files: registered in the
// test's Wine prefix as `e2e_recorder.exe LOG "%1"`, it writes the path it was given to LOG,
// whole or not at all (it writes LOG.part and renames it).
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  if (__argc != 3) return 2;
  const std::string log = __argv[1];
  const std::string part = log + ".part";
  std::FILE* f = std::fopen(part.c_str(), "wb");
  if (f == nullptr) return 1;
  const bool written = std::fprintf(f, "%s\n", __argv[2]) > 0;
  if (std::fclose(f) != 0 || !written) return 1;
  return MoveFileExA(part.c_str(), log.c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
