// Text files written whole or not at all, and the file listing the numbered names need.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace veltrax {

// Writes a text file as Windows text mode does on every platform: each line feed written
// becomes CR LF. The text goes into a new temporary file beside its file, and close() puts it in
// that file's place only when it was written whole: until then an earlier file of that name stays
// as it was, and a text that is not closed leaves nothing behind. Or the text is held whole in
// memory and close() writes it to a stream, so that a text that is not closed writes nothing.
class TextFileWriter {
 public:
  TextFileWriter() = default;
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;
  ~TextFileWriter() { discard(); }

  // Starts the text of the file path in a new temporary file beside it: path + ".N.tmp", with the
  // first N whose name is free. False when it cannot be created; error() is the errno of it.
  bool create(const char* path);
  // Starts a text held in memory for the stream, which close() flushes and leaves open.
  void hold_for(std::FILE* stream);

  void write(std::string_view text);
#if defined(__GNUC__)
  __attribute__((format(printf, 2, 3)))
#endif
  void
  print(const char* format, ...);

  // Ends the text: writes it out, closes the temporary and puts it in its file's place, replacing
  // an earlier file in one step; or writes the held text to the stream. False when any write, the
  // close or the placing failed: the temporary is removed then, and error() is the errno of the
  // failure. placing_failed() tells that only the placing did.
  bool close();
  // Drops the text: the temporary is closed and removed, the stream gets nothing.
  void discard();
  int error() const {
    return error_;
  }
  bool placing_failed() const {
    return placing_failed_;
  }

 private:
  void start();
  void flush();
  void note_failure();

  std::FILE* file_ = nullptr;    // the temporary, while the text is written
  std::FILE* stream_ = nullptr;  // the stream of a held text
  std::string path_;
  std::string temporary_;
  std::string pending_;
  bool failed_ = false;
  bool placing_failed_ = false;
  int error_ = 0;
};

// Creates a new file beside path to write it in before it is put in place: path + ".N.tmp" with
// the first N that names nothing yet. nullptr (errno set) when none can be made.
std::FILE* create_temporary_beside(const std::string& path, std::string& temporary);

// The printf-style formatting the rows are written with, into a string.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string
format_text(const char* format, ...);

// The names (without their folder) of the files that match pattern, a path whose last part may
// hold '?' for any one character and '*' for any run of characters.
std::vector<std::string> file_names_matching(const std::string& pattern);

}  // namespace veltrax
