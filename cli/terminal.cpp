#include "cli/terminal.h"

#include <clocale>
#include <cstdlib>
#include <cstring>

#include "settings/settings.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "platform/win32.h"
#else
#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>
#endif

namespace veltrax {

namespace {

constexpr unsigned SHIFT_JIS_CODE_PAGE = 932;
constexpr unsigned UTF8_CODE_PAGE = 65001;

// Text of one code page (Shift-JIS or UTF-8) in the terminal's encoding; empty when it cannot be
// converted.
std::string convert(std::string_view text, unsigned code_page) {
#ifdef _WIN32
  const unsigned target = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
  if (target == code_page) return std::string(text);
  const int wide_length =
      MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  if (wide_length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                      wide_length);
  const int length =
      WideCharToMultiByte(target, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return {};
  std::string out(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(target, 0, wide.data(), wide_length, out.data(), length, nullptr, nullptr);
  return out;
#else
  static const char* const codeset = [] {
    std::setlocale(LC_CTYPE, "");
    return nl_langinfo(CODESET);
  }();
  // A locale that names no encoding gets the Shift-JIS bytes themselves.
  const bool plain = codeset == nullptr || std::strcmp(codeset, "ANSI_X3.4-1968") == 0;
  const char* from = code_page == SHIFT_JIS_CODE_PAGE ? "CP932" : "UTF-8";
  const char* to = plain ? "CP932" : codeset;
  if (std::strcmp(from, to) == 0) return std::string(text);
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string in(text);
  std::string out(text.size() * 4 + 16, '\0');
  char* src = in.data();
  std::size_t src_left = in.size();
  char* dst = out.data();
  std::size_t dst_left = out.size();
  const std::size_t done = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (done == static_cast<std::size_t>(-1)) return {};
  out.resize(out.size() - dst_left);
  return out;
#endif
}

}  // namespace

std::string for_terminal(std::string_view message) {
  std::string out;
  std::size_t pos = 0;
  while (pos < message.size()) {
    bool matched = false;
    for (int entry = 0; entry < MESSAGE_COUNT && !matched; ++entry) {
      const std::string_view japanese = message_text_in(LANGUAGE_JAPANESE, entry);
      if (japanese.empty() || message.substr(pos, japanese.size()) != japanese) continue;
      const std::string converted = convert(japanese, SHIFT_JIS_CODE_PAGE);
      out += converted.empty() ? std::string(japanese) : converted;
      pos += japanese.size();
      matched = true;
    }
    if (!matched) out += message[pos++];
  }
  return out;
}

bool is_terminal(std::FILE* stream) {
#ifdef _WIN32
  return _isatty(_fileno(stream)) != 0;
#else
  return isatty(fileno(stream)) != 0;
#endif
}

bool no_color_asked() {
  const char* value = std::getenv("NO_COLOR");
  return value != nullptr && value[0] != '\0';
}

void set_binary_mode([[maybe_unused]] std::FILE* stream) {
#ifdef _WIN32
  _setmode(_fileno(stream), _O_BINARY);
#endif
}

std::string utf8_for_terminal(std::string_view text) {
  bool ascii = true;
  for (const char c : text)
    ascii = ascii && static_cast<unsigned char>(c) < 0x80;
  if (ascii) return std::string(text);
  std::string converted = convert(text, UTF8_CODE_PAGE);
  return converted.empty() ? std::string(text) : converted;
}

}  // namespace veltrax
