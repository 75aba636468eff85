// Taking a netlist in: the byte stream every reader sees, and the line reads built on it.
//
// The file is read as bytes, without any conversion, except for two repairs made before any
// reader rule applies: NUL bytes are dropped (so that no zero-terminated text is cut short by
// one), and a line feed that does not follow a carriage return is read as CR LF (so that
// netlists with LF-only line ends, from Linux machines and git checkouts, have their line
// marks). Files with CR LF lines read exactly as written; CR NUL LF is one line end.
//
// A line mark is the CR of the repaired stream: the lines of a file are numbered from 1, and a
// CR, with the LF after it, belongs to the line it ends.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string_view>

#include "netlist/run_memory.h"

namespace veltrax {

inline constexpr int END_OF_INPUT = -1;

class InputFile {
 public:
  // Reads from an open file (not owned, not closed), from its current position.
  explicit InputFile(std::FILE* file);
  // Reads from bytes in memory (tests, fuzzing, format detection); they must outlive this.
  explicit InputFile(std::string_view bytes);
  // Reads the bytes of head first and then goes on in the file (not owned, not closed) from its
  // current position: for a stream whose first bytes were taken already and cannot be read
  // again, such as a pipe. The bytes of head must outlive this.
  InputFile(std::string_view head, std::FILE* rest);
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  // The next byte after the repairs, or END_OF_INPUT.
  int get() {
    if (pos_ == len_ && !refill()) return END_OF_INPUT;
    return data_[pos_++];
  }

  // The repaired bytes ready to be read, for routines that scan them in bulk: ready() of them
  // from cursor(); consume(n) reads n of them; refill() makes more ready once none are (false
  // at the end of the input).
  const unsigned char* cursor() const { return data_ + pos_; }
  std::size_t ready() const { return len_ - pos_; }
  void consume(std::size_t n) { pos_ += n; }
  bool refill();

  // The number of the line that the last byte read belongs to, 0 before the first byte: after a
  // line read, the line just read; at the end of the input, the last line. The line marks of a
  // chunk are counted when the next is made ready, those of the current chunk only here, so
  // reading pays nothing per byte for it.
  int line() const;

  // True when reading the file failed (as opposed to ending); error() is the errno of it.
  bool failed() const { return failed_; }
  int error() const { return error_; }

 private:
  static constexpr std::size_t CHUNK = 1 << 16;

  // The next raw bytes: from the file, or from memory.
  std::size_t read_raw(const unsigned char*& raw);

  std::FILE* file_ = nullptr;
  std::string_view memory_;
  const unsigned char* data_ = nullptr;  // the ready bytes: raw_ or repaired_
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::size_t marks_ = 0;  // line marks in the chunks before the current one
  int last_ = -1;          // the last byte of those chunks, -1 when there was none
  bool after_cr_ = false;
  bool failed_ = false;
  int error_ = 0;
  unsigned char raw_[CHUNK];
  unsigned char repaired_[2 * CHUNK];  // a chunk of lone line feeds doubles in size
};

// Reads one CR-terminated line into buf (size bytes, terminator included): characters up to a
// CR, the end of the input, or until size - 1 characters are stored; control characters other
// than CR are dropped on the way, the CR is consumed but not stored. A line cut at the size
// limit continues as the next line. Returns the line's length, or END_OF_INPUT when nothing was
// stored and the input has ended.
int read_cr_line(InputFile& in, char* buf, int size);

// The standard line read: characters up to and including the next line feed, at most size - 1
// of them, nothing dropped. Returns the length, or END_OF_INPUT when nothing was read.
int read_std_line(InputFile& in, char* buf, int size);

// A line buffer of the run's memory for lines of up to size characters, terminator included: it
// starts small and grows as long lines need, so that a run without limits reads every line whole.
class LineBuffer {
 public:
  LineBuffer(RunMemory& memory, int size);
  ~LineBuffer();
  LineBuffer(const LineBuffer&) = delete;
  LineBuffer& operator=(const LineBuffer&) = delete;

  char* data() { return data_; }

 private:
  static constexpr int FIRST = 1024;
  bool grow(char*& data, int& capacity);
  friend int read_cr_line(InputFile& in, LineBuffer& line);
  friend int read_std_line(InputFile& in, LineBuffer& line);

  RunMemory& memory_;
  const int size_;
  char* data_ = nullptr;
  int capacity_ = 0;
};

// The same line reads into a line buffer, which grows up to its size before a line is cut.
int read_cr_line(InputFile& in, LineBuffer& line);
int read_std_line(InputFile& in, LineBuffer& line);

}  // namespace veltrax
