#include "cli/terminal.h"

#include <clocale>
#include <cstring>

#include "settings/settings.h"

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <iconv.h>
#include <langinfo.h>
#endif

namespace veltrax {

namespace {

// Shift-JIS text in the terminal's encoding; empty when it cannot be converted.
std::string convert_shift_jis(std::string_view text) {
#ifdef _WIN32
  constexpr unsigned SHIFT_JIS_CODE_PAGE = 932;
  const unsigned target = GetConsoleOutputCP() != 0 ? GetConsoleOutputCP() : GetACP();
  if (target == SHIFT_JIS_CODE_PAGE) return std::string(text);
  const int wide_length = MultiByteToWideChar(SHIFT_JIS_CODE_PAGE, 0, text.data(),
                                              static_cast<int>(text.size()), nullptr, 0);
  if (wide_length <= 0) return {};
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(SHIFT_JIS_CODE_PAGE, 0, text.data(), static_cast<int>(text.size()),
                      wide.data(), wide_length);
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
  if (codeset == nullptr || std::strcmp(codeset, "ANSI_X3.4-1968") == 0) return {};
  iconv_t cd = iconv_open(codeset, "CP932");
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
      const std::string converted = convert_shift_jis(japanese);
      out += converted.empty() ? std::string(japanese) : converted;
      pos += japanese.size();
      matched = true;
    }
    if (!matched) out += message[pos++];
  }
  return out;
}

}  // namespace veltrax
