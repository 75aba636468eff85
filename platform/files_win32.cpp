#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/win32.h"

namespace veltrax {

std::FILE* open_netlist(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    errno = EISDIR;
    return nullptr;
  }
  return std::fopen(path, "rb");
}

bool is_same_file(const char* path, std::FILE* open_file) {
  HANDLE h = CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION a{};
  BY_HANDLE_FILE_INFORMATION b{};
  const HANDLE open_handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(open_file)));
  const bool same = GetFileInformationByHandle(h, &a) != 0 &&
                    GetFileInformationByHandle(open_handle, &b) != 0 &&
                    a.dwVolumeSerialNumber == b.dwVolumeSerialNumber &&
                    a.nFileIndexHigh == b.nFileIndexHigh && a.nFileIndexLow == b.nFileIndexLow;
  CloseHandle(h);
  return same;
}

std::FILE* create_new_file(const char* path) {
  // The C library here knows no "x" in fopen's mode; _O_EXCL does the same.
  const int fd = _open(path, _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* f = _fdopen(fd, "wb");
  if (f == nullptr) {
    const int error = errno;
    _close(fd);
    std::remove(path);
    errno = error;
  }
  return f;
}

bool replace_file(const char* temporary, const char* target) {
  if (MoveFileExA(temporary, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0) {
    return true;
  }
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      errno = ENOENT;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      errno = EACCES;  // a read-only file, a folder, or a file another program holds open
      break;
    default:
      errno = EIO;
  }
  return false;
}

}  // namespace veltrax
