#include "netlist/input.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace veltrax {

InputFile::InputFile(std::FILE* file) : file_(file) {}

InputFile::InputFile(std::string_view bytes) : memory_(bytes) {}

std::size_t InputFile::read_raw(const unsigned char*& raw) {
  if (file_ == nullptr) {
    const std::size_t n = std::min(memory_.size(), CHUNK);
    raw = reinterpret_cast<const unsigned char*>(memory_.data());
    memory_.remove_prefix(n);
    return n;
  }
  if (failed_) return 0;
  const std::size_t n = std::fread(raw_, 1, CHUNK, file_);
  if (n == 0 && std::ferror(file_)) {
    failed_ = true;
    error_ = errno;
  }
  raw = raw_;
  return n;
}

// Makes the next bytes ready, repaired: NUL bytes dropped, a line feed that does not follow a
// carriage return read as CR LF.
bool InputFile::refill() {
  pos_ = 0;
  len_ = 0;
  while (len_ == 0) {
    const unsigned char* raw = nullptr;
    const std::size_t n = read_raw(raw);
    if (n == 0) return false;
    unsigned char* out = data_;
    for (std::size_t k = 0; k < n; ++k) {
      const unsigned char c = raw[k];
      if (c == '\0') continue;
      if (c == '\n' && !after_cr_) *out++ = '\r';
      after_cr_ = c == '\r';
      *out++ = c;
    }
    len_ = static_cast<std::size_t>(out - data_);
  }
  return true;
}

int read_cr_line(InputFile& in, char* buf, int size) {
  int n = 0;
  const int room = size - 1;
  while (n < room) {
    if (in.ready() == 0 && !in.refill()) break;
    const unsigned char* const start = in.cursor();
    const unsigned char* const end = start + in.ready();
    for (const unsigned char* p = start; p < end;) {
      const unsigned char c = *p++;
      if (c >= 0x20) {
        buf[n++] = static_cast<char>(c);
        if (n == room) {
          in.consume(static_cast<std::size_t>(p - start));
          buf[n] = '\0';
          return n;
        }
      } else if (c == '\r') {
        in.consume(static_cast<std::size_t>(p - start));
        buf[n] = '\0';
        return n;
      }  // any other control character is dropped
    }
    in.consume(static_cast<std::size_t>(end - start));
  }
  buf[n] = '\0';
  return n == 0 ? END_OF_INPUT : n;  // only the end of the input stops a line with nothing stored
}

int read_std_line(InputFile& in, char* buf, int size) {
  int n = 0;
  const int room = size - 1;
  while (n < room) {
    if (in.ready() == 0 && !in.refill()) break;
    const std::size_t take = std::min(in.ready(), static_cast<std::size_t>(room - n));
    const void* lf = std::memchr(in.cursor(), '\n', take);
    const std::size_t length =
        lf != nullptr
            ? static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - in.cursor()) + 1
            : take;
    std::memcpy(buf + n, in.cursor(), length);
    in.consume(length);
    n += static_cast<int>(length);
    if (lf != nullptr) break;
  }
  buf[n] = '\0';
  return n == 0 ? END_OF_INPUT : n;
}

}  // namespace veltrax
