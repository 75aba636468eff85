#include "case_file.h"

#include <charconv>
#include <fstream>
#include <stdexcept>

namespace veltrax::test {

void bad_case(const std::string& where, const std::string& what) {
  throw std::runtime_error(where + ": " + what);
}

int case_number(std::string_view text, int base, const std::string& where) {
  int n = -1;
  const char* last = text.data() + text.size();
  if (std::from_chars(text.data(), last, n, base).ptr != last || n < 0)
    bad_case(where, "not a number: " + std::string(text));
  return n;
}

namespace {

std::string_view trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(" \t");
  return first == s.npos ? "" : s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string unescape(std::string_view raw, const std::string& where) {
  static const std::string from = "rnt0\\", to = {'\r', '\n', '\t', '\0', '\\'};
  std::string out;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    const char c = raw[i] != '\\' ? '\0' : ++i < raw.size() ? raw[i] : '?';
    if (c == '\0') {
      out += raw[i];
    } else if (c == 'x') {
      const std::string_view hex = raw.substr(i + 1, 2);
      out += static_cast<char>(case_number(hex.size() == 2 ? hex : "", 16, where));
      i += 2;
    } else if (c == '{') {  // \{N*T}
      const std::size_t star = raw.find('*', i), end = raw.find('}', i);
      if (end == raw.npos || star > end) bad_case(where, "\\{ without *}");
      const std::string text = unescape(raw.substr(star + 1, end - star - 1), where);
      for (int n = case_number(raw.substr(i + 1, star - i - 1), 10, where); n > 0; --n)
        out += text;
      i = end;
    } else if (from.find(c) != from.npos) {
      out += to[from.find(c)];
    } else {
      bad_case(where, std::string("unknown escape \\") + c);
    }
  }
  return out;
}

}  // namespace

std::vector<Case> read_cases(const std::string& name,
                             const std::function<bool(const std::string&)>& begins) {
  std::ifstream in(std::string(VELTRAX_SOURCE_DIR) + "/tests/" + name);
  if (!in) bad_case(name, "cannot be read");
  std::vector<Case> cases;
  int at = 0;
  for (std::string line; std::getline(in, line);) {
    const std::string where = name + ":" + std::to_string(++at);
    if (trim(line).empty() || line[0] == '#') continue;
    const std::size_t colon = line.find(':');
    if (colon == line.npos) bad_case(where, "no key");
    const std::string key(trim(std::string_view(line).substr(0, colon)));
    std::string raw = line.substr(colon + 1);
    // An odd run of backslashes at the end: the last one goes on with the next line.
    for (std::string more; (raw.size() - raw.find_last_not_of('\\') - 1) % 2 == 1; ++at) {
      if (!std::getline(in, more)) bad_case(where, "the file ends after a '\\'");
      raw.pop_back();
      raw += more.erase(0, more.find_first_not_of(" \t"));
    }
    std::string value = unescape(trim(raw), where);
    if (begins(key)) {
      cases.push_back({where, key, std::move(value), {}});
    } else if (cases.empty()) {
      bad_case(where, "an expectation before any case: " + key);
    } else if (!cases.back().expected.emplace(key, std::move(value)).second) {
      bad_case(where, "a second " + key);
    }
  }
  if (cases.empty()) bad_case(name, "no case");
  return cases;
}

}  // namespace veltrax::test
