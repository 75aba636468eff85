// The command line's help: its options as a table (name, argument, meaning in English and
// Japanese) and the texts around it. --help prints it in the language asked for, and the manual
// page veltrax_diffr(1) is made from the same table when the program is built (cli/manual.cpp).
#pragma once

#include <span>
#include <string>

namespace veltrax {

inline constexpr char PROGRAM[] = "veltrax_diffr";

// A text in both languages, UTF-8.
struct Bilingual {
  const char* english;
  const char* japanese;

  const char* in(int language) const;
};

struct OptionName {
  const char* short_name;          // "-f", or nullptr
  const char* long_name;           // "--format"
  const char* argument = nullptr;  // "FMT", or nullptr for a switch
  bool optional_argument = false;  // written --color[=WHEN]
};

struct OptionHelp {
  OptionName name;
  Bilingual meaning;  // with '\n' where --help breaks the line
};

struct OptionGroup {
  Bilingual heading;  // the line above the group, or nullptr
  std::span<const OptionHelp> options;
};

struct Help {
  Bilingual usage_label;  // "Usage"
  Bilingual operands;     // what follows the program's name
  Bilingual description;  // lines, each ending in '\n'
  std::span<const OptionGroup> groups;
  Bilingual exit_status_label;
  Bilingual exit_status;  // lines, each ending in '\n'
};

extern const Help HELP;

// --help's text in LANGUAGE_ENGLISH or LANGUAGE_JAPANESE, UTF-8.
std::string help_text(int language);

}  // namespace veltrax
