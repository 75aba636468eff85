// The result file: its name, chosen from the compare netlist's path, and its writer.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace veltrax {

// Writes a text file as Windows text mode does on every platform: each line feed written
// becomes CR LF. Remembers whether any write failed, so that a file that could not be written
// whole is never reported as complete.
class ResultWriter {
 public:
  ResultWriter() = default;
  ResultWriter(const ResultWriter&) = delete;
  ResultWriter& operator=(const ResultWriter&) = delete;
  ~ResultWriter() { close(); }

  // Creates the file, replacing an existing one. False when it cannot be created.
  bool create(const char* path);
  bool is_open() const { return file_ != nullptr; }

  void write(std::string_view text);
#if defined(__GNUC__)
  __attribute__((format(printf, 2, 3)))
#endif
  void
  print(const char* format, ...);

  // Flushes and closes. False when any write or the close failed; error() is the errno of it.
  bool close();
  int error() const {
    return error_;
  }

 private:
  void flush();
  void note_failure();

  std::FILE* file_ = nullptr;
  std::string pending_;
  bool failed_ = false;
  int error_ = 0;
};

// The printf-style formatting the rows are written with, into a string.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
format_text(const char* format, ...);

// The result file name for a compare netlist path: the path without the extension found among
// its last four characters, then ".csv", or, with numbering on, "-NN.csv" with the pair after
// the greatest pair of the files already there. False when the name has no room (more than
// RESULT_NAME_ROOM characters); name holds it all the same.
bool result_file_name(std::string_view compare_path, bool numbered, std::string& name);

}  // namespace veltrax
