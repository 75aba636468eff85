#include "report/text.h"

#include <cstdio>

#ifdef _WIN32
#include "platform/win32.h"
#else
#include <iconv.h>
#endif

namespace veltrax {

namespace {

bool is_ascii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// The bytes decoded as CP932; false when they are not valid CP932.
bool decode_cp932(std::string_view bytes, std::string& utf8) {
#ifdef _WIN32
  constexpr unsigned CP932 = 932;
  constexpr unsigned UTF8 = 65001;
  const int n = static_cast<int>(bytes.size());
  const int wide_length =
      MultiByteToWideChar(CP932, MB_ERR_INVALID_CHARS, bytes.data(), n, nullptr, 0);
  if (wide_length <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP932, MB_ERR_INVALID_CHARS, bytes.data(), n, wide.data(), wide_length);
  const int length =
      WideCharToMultiByte(UTF8, 0, wide.data(), wide_length, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return false;
  utf8.assign(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(UTF8, 0, wide.data(), wide_length, utf8.data(), length, nullptr, nullptr);
  return true;
#else
  static const iconv_t cd = iconv_open("UTF-8", "CP932");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  std::string in(bytes);
  utf8.assign(bytes.size() * 3 + 4, '\0');
  char* src = in.data();
  std::size_t src_left = in.size();
  char* dst = utf8.data();
  std::size_t dst_left = utf8.size();
  if (iconv(cd, &src, &src_left, &dst, &dst_left) == static_cast<std::size_t>(-1)) return false;
  utf8.resize(utf8.size() - dst_left);
  return true;
#endif
}

std::string latin1_to_utf8(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

}  // namespace

std::string name_to_utf8(std::string_view bytes) {
  if (is_ascii(bytes)) return std::string(bytes);
  std::string utf8;
  if (decode_cp932(bytes, utf8)) return utf8;
  return latin1_to_utf8(bytes);
}

std::string name_for_terminal(std::string_view bytes) {
  const std::string utf8 = name_to_utf8(bytes);
  std::string out;
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    // C1 controls are U+0080 to U+009F: 0xC2 0x80 to 0xC2 0x9F in UTF-8.
    const bool c1 =
        b == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    if (b < 0x20 || b == 0x7F || c1) {
      const unsigned code = c1 ? static_cast<unsigned char>(utf8[++i]) : b;
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
      out += escaped;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

}  // namespace veltrax
