#include "netlist/input.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

namespace veltrax {

InputFile::InputFile(std::FILE* file) : file_(file) {}

InputFile::InputFile(std::string_view bytes) : memory_(bytes) {}

InputFile::InputFile(std::string_view head, std::FILE* rest) : file_(rest), memory_(head) {}

std::size_t InputFile::read_raw(const unsigned char*& raw) {
  if (!memory_.empty() || file_ == nullptr) {
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

// True when a chunk needs no repair: no NUL byte, and every line feed follows a carriage
// return (the one before the chunk counts for its first byte).
static bool needs_no_repair(const unsigned char* raw, std::size_t n, bool after_cr) {
  if (std::memchr(raw, '\0', n) != nullptr) return false;
  for (const unsigned char* p = raw;
       (p = static_cast<const unsigned char*>(
            std::memchr(p, '\n', n - static_cast<std::size_t>(p - raw)))) != nullptr;
       ++p) {
    if (p == raw ? !after_cr : p[-1] != '\r') return false;
  }
  return true;
}

// The CRs among n bytes. Every chunk of a file is counted, so the count runs in lanes of bytes
// that the compiler turns into vector compares.
static std::size_t count_line_marks(const unsigned char* p, std::size_t n) {
  constexpr std::size_t LANES = 32;
  constexpr std::size_t BLOCK = 255 * LANES;  // a lane's count stays below 256
  std::size_t count = 0;
  std::size_t i = 0;
  while (n - i >= LANES) {
    unsigned char lane[LANES] = {};
    const std::size_t end = i + std::min(BLOCK, (n - i) / LANES * LANES);
    for (; i < end; i += LANES) {
      for (std::size_t k = 0; k < LANES; ++k)
        lane[k] += p[i + k] == '\r';
    }
    for (const unsigned char c : lane)
      count += c;
  }
  for (; i < n; ++i)
    count += p[i] == '\r';
  return count;
}

int InputFile::line() const {
  const int last = pos_ > 0 ? data_[pos_ - 1] : last_;
  if (last < 0) return 0;
  // The LF of the repaired stream always follows a CR: both end the line they stand on.
  const std::size_t marks = marks_ + count_line_marks(data_, pos_);
  const std::size_t line = marks + (last == '\r' || last == '\n' ? 0 : 1);
  return static_cast<int>(std::min<std::size_t>(line, INT_MAX));
}

// Makes the next bytes ready, repaired: NUL bytes dropped, a line feed that does not follow a
// carriage return read as CR LF. A chunk that needs no repair is read where it lies.
bool InputFile::refill() {
  if (pos_ > 0) {
    marks_ += count_line_marks(data_, pos_);
    last_ = data_[pos_ - 1];
  }
  pos_ = 0;
  len_ = 0;
  while (len_ == 0) {
    const unsigned char* raw = nullptr;
    const std::size_t n = read_raw(raw);
    if (n == 0) return false;
    if (needs_no_repair(raw, n, after_cr_)) {
      data_ = raw;
      len_ = n;
      after_cr_ = raw[n - 1] == '\r';
      break;
    }
    unsigned char* out = repaired_;
    for (std::size_t k = 0; k < n; ++k) {
      const unsigned char c = raw[k];
      if (c == '\0') continue;
      if (c == '\n' && !after_cr_) *out++ = '\r';
      after_cr_ = c == '\r';
      *out++ = c;
    }
    data_ = repaired_;
    len_ = static_cast<std::size_t>(out - repaired_);
  }
  return true;
}

// True when any of the eight bytes is below 0x20.
static bool has_control(std::uint64_t bytes) {
  constexpr std::uint64_t ONES = 0x0101010101010101ull;
  return ((bytes - 0x20 * ONES) & ~bytes & 0x80 * ONES) != 0;
}

namespace {

// The line reads, over a buffer that may grow: grow(buf, size) gives more room and returns false
// when the buffer is at its size already.
template <typename Grow>
int read_cr_line_growing(InputFile& in, char*& buf, int& size, Grow grow) {
  int n = 0;
  for (;;) {
    const int room = size - 1;
    while (n < room) {
      if (in.ready() == 0 && !in.refill()) {
        buf[n] = '\0';
        return n == 0 ? END_OF_INPUT : n;  // only the end of the input stops an empty line
      }
      const unsigned char* const start = in.cursor();
      const unsigned char* const end =
          start + std::min(in.ready(), static_cast<std::size_t>(room - n));
      const unsigned char* p = start;
      while (p < end) {
        // Eight ordinary characters at a time where there are eight.
        if (end - p >= 8) {
          std::uint64_t bytes;
          std::memcpy(&bytes, p, 8);
          if (!has_control(bytes)) {
            std::memcpy(buf + n, p, 8);
            n += 8;
            p += 8;
            continue;
          }
        }
        const unsigned char c = *p++;
        if (c >= 0x20) {
          buf[n++] = static_cast<char>(c);
        } else if (c == '\r') {
          in.consume(static_cast<std::size_t>(p - start));
          buf[n] = '\0';
          return n;
        }  // any other control character is dropped
      }
      in.consume(static_cast<std::size_t>(p - start));
    }
    if (!grow(buf, size)) break;
  }
  buf[n] = '\0';  // cut at the size: the rest of the line comes as the next
  return n == 0 ? END_OF_INPUT : n;
}

template <typename Grow>
int read_std_line_growing(InputFile& in, char*& buf, int& size, Grow grow) {
  int n = 0;
  for (;;) {
    const int room = size - 1;
    while (n < room) {
      if (in.ready() == 0 && !in.refill()) {
        buf[n] = '\0';
        return n == 0 ? END_OF_INPUT : n;
      }
      const std::size_t take = std::min(in.ready(), static_cast<std::size_t>(room - n));
      const void* lf = std::memchr(in.cursor(), '\n', take);
      const std::size_t length =
          lf != nullptr
              ? static_cast<std::size_t>(static_cast<const unsigned char*>(lf) - in.cursor()) + 1
              : take;
      std::memcpy(buf + n, in.cursor(), length);
      in.consume(length);
      n += static_cast<int>(length);
      if (lf != nullptr) {
        buf[n] = '\0';
        return n;
      }
    }
    if (!grow(buf, size)) break;
  }
  buf[n] = '\0';
  return n == 0 ? END_OF_INPUT : n;
}

constexpr auto kFixed = [](char*&, int&) { return false; };

}  // namespace

int read_cr_line(InputFile& in, char* buf, int size) {
  return read_cr_line_growing(in, buf, size, kFixed);
}

int read_std_line(InputFile& in, char* buf, int size) {
  return read_std_line_growing(in, buf, size, kFixed);
}

LineBuffer::LineBuffer(RunMemory& memory, int size) : memory_(memory), size_(std::max(size, 2)) {
  grow(data_, capacity_);
}

LineBuffer::~LineBuffer() {
  memory_.give_back(data_);
}

bool LineBuffer::grow(char*& data, int& capacity) {
  if (data_ != nullptr && capacity_ == size_) return false;
  capacity_ = data_ == nullptr ? std::min(size_, FIRST)
                               : static_cast<int>(std::min<long long>(size_, 2LL * capacity_));
  data_ = static_cast<char*>(memory_.resize(data_, static_cast<std::size_t>(capacity_)));
  data = data_;
  capacity = capacity_;
  return true;
}

int read_cr_line(InputFile& in, LineBuffer& line) {
  return read_cr_line_growing(in, line.data_, line.capacity_,
                              [&line](char*& d, int& c) { return line.grow(d, c); });
}

int read_std_line(InputFile& in, LineBuffer& line) {
  return read_std_line_growing(in, line.data_, line.capacity_,
                               [&line](char*& d, int& c) { return line.grow(d, c); });
}

}  // namespace veltrax
