#include "platform/text_file.h"

#include <cerrno>
#include <cstdarg>

#include "platform/files.h"
#include "platform/win32.h"

namespace veltrax {

namespace {

constexpr std::size_t FLUSH_SIZE = 1 << 16;
constexpr int TEMPORARY_TRIES = 100;

std::string vformat_text(const char* format, std::va_list args) {
  char small[1024];
  std::va_list copy;
  va_copy(copy, args);
  const int n = std::vsnprintf(small, sizeof small, format, copy);
  va_end(copy);
  if (n < 0) return {};
  if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, n);
  std::string big(static_cast<std::size_t>(n) + 1, '\0');
  std::vsnprintf(big.data(), big.size(), format, args);
  big.resize(static_cast<std::size_t>(n));
  return big;
}

}  // namespace

std::FILE* create_temporary_beside(const std::string& path, std::string& temporary) {
  for (int n = 0; n < TEMPORARY_TRIES; ++n) {
    temporary = path + '.' + std::to_string(n) + ".tmp";
    if (std::FILE* file = create_new_file(temporary.c_str())) return file;
    if (errno != EEXIST) break;
  }
  temporary.clear();
  return nullptr;
}

bool TextFileWriter::create(const char* path) {
  start();
  path_ = path;
  file_ = create_temporary_beside(path_, temporary_);
  if (file_ != nullptr) return true;
  error_ = errno;
  return false;
}

void TextFileWriter::hold_for(std::FILE* stream) {
  start();
  stream_ = stream;
}

void TextFileWriter::start() {
  discard();
  failed_ = false;
  placing_failed_ = false;
  error_ = 0;
}

void TextFileWriter::write(std::string_view text) {
  if (file_ == nullptr && stream_ == nullptr) return;
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t lf = text.find('\n', at);
    if (lf == std::string_view::npos) {
      pending_.append(text.substr(at));
      break;
    }
    pending_.append(text.substr(at, lf - at));
    pending_.append("\r\n");
    at = lf + 1;
  }
  if (file_ != nullptr && pending_.size() >= FLUSH_SIZE) flush();
}

void TextFileWriter::print(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  write(vformat_text(format, args));
  va_end(args);
}

void TextFileWriter::flush() {
  if (!pending_.empty() &&
      std::fwrite(pending_.data(), 1, pending_.size(), file_) != pending_.size()) {
    note_failure();
  }
  pending_.clear();
}

bool TextFileWriter::close() {
  if (stream_ != nullptr) {
    std::FILE* const stream = stream_;
    stream_ = nullptr;
    if (std::fwrite(pending_.data(), 1, pending_.size(), stream) != pending_.size()) {
      note_failure();
    }
    std::string().swap(pending_);
    if (std::fflush(stream) != 0) note_failure();
    return !failed_;
  }
  if (file_ == nullptr) return !failed_;
  flush();
  if (std::fflush(file_) != 0 || std::ferror(file_)) note_failure();
  if (std::fclose(file_) != 0) note_failure();
  file_ = nullptr;
  if (!failed_ && !replace_file(temporary_.c_str(), path_.c_str())) {
    note_failure();
    placing_failed_ = true;
  }
  if (failed_) std::remove(temporary_.c_str());
  temporary_.clear();
  return !failed_;
}

void TextFileWriter::discard() {
  stream_ = nullptr;
  pending_.clear();
  if (file_ != nullptr) {
    std::fclose(file_);
    file_ = nullptr;
    std::remove(temporary_.c_str());
  }
  temporary_.clear();
}

void TextFileWriter::note_failure() {
  if (!failed_) error_ = errno;
  failed_ = true;
}

std::string format_text(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::string text = vformat_text(format, args);
  va_end(args);
  return text;
}

std::vector<std::string> file_names_matching(const std::string& pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE find = FindFirstFileA(pattern.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    names.emplace_back(found.cFileName);
  } while (FindNextFileA(find, &found));
  FindClose(find);
  return names;
}

}  // namespace veltrax
