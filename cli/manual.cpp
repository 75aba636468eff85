// veltrax_manual: writes the manual page veltrax_diffr(1) from the command line's option table
// and help texts (cli/help.h), in English, so that the page says what --help says. Run when the
// program is built:
//   veltrax_manual OUTPUT VERSION DATE SUMMARY README
// (README: where the installed README is, named at the end of the page).
#include <cctype>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/help.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

// Text for roff: '-' and '\' are written as the characters they are, a help line break becomes
// a blank (roff fills the lines itself), and a line that would start with '.' or '\'' is not
// taken for a request.
std::string roff(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '-') {
      out += "\\-";
    } else if (c == '\\') {
      out += "\\e";
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  if (!out.empty() && (out[0] == '.' || out[0] == '\'')) out.insert(0, "\\&");
  return out;
}

std::string english(const Bilingual& text) {
  return roff(text.in(LANGUAGE_ENGLISH));
}

// "\fB\-f\fR, \fB\-\-format\fR \fIFMT\fR", "\fB\-\-color\fR[=\fIWHEN\fR]".
std::string option_line(const OptionName& o) {
  std::string out;
  if (o.short_name != nullptr) out += "\\fB" + roff(o.short_name) + "\\fR, ";
  out += "\\fB" + roff(o.long_name) + "\\fR";
  if (o.argument != nullptr) {
    const std::string argument = "\\fI" + roff(o.argument) + "\\fR";
    out += o.optional_argument ? "[=" + argument + "]" : " " + argument;
  }
  return out;
}

std::string page(const char* version, const char* date, const char* summary, const char* readme) {
  std::string out = std::string(".TH VELTRAX_DIFFR 1 \"") + date + "\" \"Veltrax_Diffr " + version +
                    "\" \"User Commands\"\n";
  out += ".SH NAME\nveltrax_diffr \\- " + roff(summary) + "\n";
  out += ".SH SYNOPSIS\n.B veltrax_diffr\n" + english(HELP.operands) + "\n";
  out += ".SH DESCRIPTION\n" + english(HELP.description) + "\n";
  out += ".SH OPTIONS\n";
  for (const OptionGroup& group : HELP.groups) {
    if (group.heading.english != nullptr) out += ".PP\n" + english(group.heading) + "\n";
    for (const OptionHelp& o : group.options) {
      out += ".TP\n" + option_line(o.name) + "\n" + english(o.meaning) + "\n";
    }
  }
  std::string exit_status = english(HELP.exit_status_label);
  for (char& c : exit_status)
    c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  out += ".SH \"" + exit_status + "\"\n" + english(HELP.exit_status) + "\n";
  out += ".SH \"SEE ALSO\"\n" + roff(readme) +
         ": the result file, the formats read, the review views and the desktop program.\n";
  return out;
}

}  // namespace
}  // namespace veltrax

int main(int argc, char** argv) {
  if (argc != 6) {
    std::fputs("usage: veltrax_manual OUTPUT VERSION DATE SUMMARY README\n", stderr);
    return 2;
  }
  const std::string text = veltrax::page(argv[2], argv[3], argv[4], argv[5]);
  std::FILE* out = std::fopen(argv[1], "wb");
  const bool written =
      out != nullptr && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out == nullptr || std::fclose(out) != 0 || !written) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
