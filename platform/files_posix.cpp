#include <sys/stat.h>

#include <cerrno>

#include "platform/files.h"

namespace veltrax {

std::FILE* open_netlist(const char* path) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return nullptr;
  struct stat st {};
  if (fstat(fileno(f), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fclose(f);
    errno = EISDIR;
    return nullptr;
  }
  return f;
}

bool is_same_file(const char* path, std::FILE* open_file) {
  struct stat a {};
  struct stat b {};
  if (stat(path, &a) != 0 || fstat(fileno(open_file), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

std::FILE* create_new_file(const char* path) {
  return std::fopen(path, "wbx");
}

bool replace_file(const char* temporary, const char* target) {
  return std::rename(temporary, target) == 0;
}

}  // namespace veltrax
