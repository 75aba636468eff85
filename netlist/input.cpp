#include "netlist/input.h"

#include <cerrno>

#include "netlist/lex.h"

namespace veltrax {

InputFile::InputFile(std::FILE* file) : file_(file), data_(buffer_) {}

InputFile::InputFile(std::string_view bytes)
    : data_(reinterpret_cast<const unsigned char*>(bytes.data())), len_(bytes.size()) {}

bool InputFile::refill() {
  if (file_ == nullptr || failed_) return false;
  len_ = std::fread(buffer_, 1, sizeof buffer_, file_);
  pos_ = 0;
  if (len_ == 0 && std::ferror(file_)) {
    failed_ = true;
    error_ = errno;
  }
  return len_ > 0;
}

int read_cr_line(InputFile& in, char* buf, int size) {
  int n = 0;
  while (n < size - 1) {
    const int c = in.get();
    if (c == END_OF_INPUT) break;
    if (c == '\r') {
      buf[n] = '\0';
      return n;
    }
    if (byte_class(c) == ByteClass::dropped) continue;
    buf[n++] = static_cast<char>(c);
  }
  buf[n] = '\0';
  return n == 0 ? END_OF_INPUT : n;  // only the end of the input stops a line with nothing stored
}

int read_std_line(InputFile& in, char* buf, int size) {
  int n = 0;
  while (n < size - 1) {
    const int c = in.get();
    if (c == END_OF_INPUT) break;
    buf[n++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  buf[n] = '\0';
  return n == 0 ? END_OF_INPUT : n;
}

}  // namespace veltrax
