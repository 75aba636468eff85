// veltrax_diffr: compares two netlists from the command line, for batch and CI use. It fills
// the settings of one saving area and calls the same comparison run as the desktop program, so
// the result file is byte for byte the one the desktop program writes.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "cli/terminal.h"
#include "compare/run.h"
#include "netlist/reader.h"
#include "platform/memory.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

constexpr char PROGRAM[] = "veltrax_diffr";
constexpr char VERSION[] = "0.1.0";
constexpr int EXIT_SAME = 0;
constexpr int EXIT_DIFFERENT = 1;
constexpr int EXIT_TROUBLE = 2;
constexpr int FORMAT_AUTO = -1;
constexpr std::size_t DETECTION_HEAD = 1 << 14;

constexpr char USAGE[] =
    "Usage: veltrax_diffr [options] REF CMP\n"
    "Compares the reference netlist REF with the compare netlist CMP and writes every added,\n"
    "deleted or changed part and every changed pin connection into a CSV result file.\n"
    "\n"
    "  -f, --format FMT        both netlists' format: auto (default), cadvance, mm2, cadlus,\n"
    "                          protel, telesis, ccf, pads, or the index 0-6\n"
    "      --ref-format FMT    the reference netlist's format\n"
    "      --cmp-format FMT    the compare netlist's format\n"
    "  -o, --output PATH       result file (default: CMP with the extension .csv)\n"
    "  -n, --auto-inc          numbered result files (board-00.csv, board-01.csv, ...)\n"
    "  -x, --format-option N   the format option (0-9)\n"
    "  -l, --lang en|ja        message language (default en)\n"
    "  -q, --quiet             no summary on standard output\n"
    "  -h, --help              this text\n"
    "      --version           the program's version\n"
    "\n"
    "Exit status: 0 no difference, 1 differences found, 2 trouble (bad usage, a file that\n"
    "cannot be opened or created, a format error).\n";

struct Options {
  int ref_format = FORMAT_AUTO;
  int cmp_format = FORMAT_AUTO;
  const char* output = nullptr;
  bool auto_inc = false;
  int format_option = 0;
  int language = LANGUAGE_ENGLISH;
  bool quiet = false;
  const char* ref = nullptr;
  const char* cmp = nullptr;
};

[[noreturn]] void usage_error(const std::string& what) {
  std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", PROGRAM, what.c_str(),
               PROGRAM);
  std::exit(EXIT_TROUBLE);
}

int parse_format(std::string_view text) {
  if (text == "auto") return FORMAT_AUTO;
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + FORMAT_COUNT) return text[0] - '0';
  for (int i = 0; i < FORMAT_COUNT; ++i) {
    if (text == format_at(i).name) return i;
  }
  usage_error("unknown format '" + std::string(text) + "'");
}

Options parse_options(int argc, char** argv) {
  Options o;
  bool options_end = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (options_end || arg.size() < 2 || arg[0] != '-') {
      if (o.ref == nullptr) {
        o.ref = argv[i];
      } else if (o.cmp == nullptr) {
        o.cmp = argv[i];
      } else {
        usage_error("too many netlists: '" + std::string(arg) + "'");
      }
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    // An option's value: after '=' in the long form, else the next argument.
    std::string_view name = arg;
    std::string_view inline_value;
    bool has_inline = false;
    if (arg.starts_with("--")) {
      if (const std::size_t eq = arg.find('='); eq != std::string_view::npos) {
        name = arg.substr(0, eq);
        inline_value = arg.substr(eq + 1);
        has_inline = true;
      }
    }
    auto value = [&]() -> std::string_view {
      if (has_inline) return inline_value;
      if (i + 1 >= argc) usage_error("option '" + std::string(name) + "' needs a value");
      return argv[++i];
    };
    auto flag = [&] {
      if (has_inline) usage_error("option '" + std::string(name) + "' takes no value");
    };
    if (name == "-h" || name == "--help") {
      flag();
      std::fputs(USAGE, stdout);
      std::exit(EXIT_SAME);
    } else if (name == "--version") {
      flag();
      std::printf("%s %s\n", PROGRAM, VERSION);
      std::exit(EXIT_SAME);
    } else if (name == "-f" || name == "--format") {
      o.ref_format = o.cmp_format = parse_format(value());
    } else if (name == "--ref-format") {
      o.ref_format = parse_format(value());
    } else if (name == "--cmp-format") {
      o.cmp_format = parse_format(value());
    } else if (name == "-o" || name == "--output") {
      const std::string_view v = value();
      if (v.empty()) usage_error("the result file name is empty");
      o.output = v.data();
    } else if (name == "-n" || name == "--auto-inc") {
      flag();
      o.auto_inc = true;
    } else if (name == "-x" || name == "--format-option") {
      const std::string_view v = value();
      if (v.size() != 1 || v[0] < '0' || v[0] > '9') usage_error("the format option is 0 to 9");
      o.format_option = v[0] - '0';
    } else if (name == "-l" || name == "--lang") {
      const std::string_view v = value();
      if (v == "en") {
        o.language = LANGUAGE_ENGLISH;
      } else if (v == "ja") {
        o.language = LANGUAGE_JAPANESE;
      } else {
        usage_error("the language is en or ja");
      }
    } else if (name == "-q" || name == "--quiet") {
      flag();
      o.quiet = true;
    } else {
      usage_error("unknown option '" + std::string(arg) + "'");
    }
  }
  if (o.cmp == nullptr) usage_error("two netlists are needed: REF and CMP");
  if (o.output != nullptr && o.auto_inc) usage_error("-o and -n cannot be used together");
  return o;
}

// The format of a netlist told by its first bytes. A file that cannot be read keeps the format
// auto; the run then reports that it cannot be opened.
int detect(const char* path) {
  std::FILE* f = std::fopen(path, "rb");
  if (f == nullptr) return FORMAT_AUTO;
  std::string head(DETECTION_HEAD, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), f));
  std::fclose(f);
  const int format = detect_format(head);
  if (format < 0) {
    std::fprintf(stderr, "%s: %s: cannot tell the netlist format; name it with --format\n", PROGRAM,
                 path);
    std::exit(EXIT_TROUBLE);
  }
  return format;
}

void set_path(Settings& s, int slot, const char* path) {
  if (std::strlen(path) >= SLOT_SIZE) {
    std::fprintf(stderr, "%s: %.60s...: path longer than %d bytes\n", PROGRAM, path, SLOT_SIZE - 1);
    std::exit(EXIT_TROUBLE);
  }
  set_slot(s, slot, path);
}

// What went wrong, on standard error, naming the file and the cause.
void report_failure(const RunReport& r) {
  const char* file = r.file.c_str();
  const char* cause = r.sys_error != 0 ? std::strerror(r.sys_error) : "unknown error";
  switch (r.outcome) {
    case RunOutcome::completed:
      return;
    case RunOutcome::reference_unopened:
    case RunOutcome::compare_unopened:
      std::fprintf(stderr, "%s: %s: cannot read the netlist: %s\n", PROGRAM, file, cause);
      return;
    case RunOutcome::result_uncreated:
      std::fprintf(stderr, "%s: %s: cannot create the result file: %s\n", PROGRAM, file, cause);
      return;
    case RunOutcome::result_too_long:
      std::fprintf(stderr, "%s: %s: result file name longer than %d characters\n", PROGRAM, file,
                   RESULT_NAME_ROOM);
      return;
    case RunOutcome::result_is_input:
      std::fprintf(stderr, "%s: %s: the result file would replace a netlist; name another\n",
                   PROGRAM, file);
      return;
    case RunOutcome::result_unwritten:
      std::fprintf(stderr, "%s: %s: cannot write the result file: %s\n", PROGRAM, file, cause);
      return;
    case RunOutcome::reference_format:
    case RunOutcome::compare_format: {
      // PATH:LINE: format error CODE: MEANING (read as FORMAT); the line and the meaning are left
      // out when unknown.
      const std::string where = r.line > 0 ? r.file + ":" + std::to_string(r.line) : r.file;
      const char* meaning = failure_meaning(r.format_index, r.code, false);
      std::fprintf(stderr, "%s: %s: format error %d%s%s (read as %s)\n", PROGRAM, where.c_str(),
                   r.code, meaning != nullptr ? ": " : "", meaning != nullptr ? meaning : "",
                   r.format_index >= 0 && r.format_index < FORMAT_COUNT
                       ? format_at(r.format_index).label
                       : "an unknown format");
      return;
    }
  }
}

int main_program(int argc, char** argv) {
  const Options o = parse_options(argc, argv);
  const int ref_format = o.ref_format == FORMAT_AUTO ? detect(o.ref) : o.ref_format;
  const int cmp_format = o.cmp_format == FORMAT_AUTO ? detect(o.cmp) : o.cmp_format;

  // The settings blocks, zero-filled, in memory that lives as long as the program.
  void* block = allocate_lasting(sizeof(Settings));
  if (block == nullptr) {
    std::fprintf(stderr, "%s: out of memory\n", PROGRAM);
    return EXIT_TROUBLE;
  }
  Settings& s = *static_cast<Settings*>(block);
  s.param[PARAM_LANGUAGE] = o.language;
  s.param[PARAM_AREA] = 0;
  set_path(s, ref_path_slot(0), o.ref);
  set_path(s, cmp_path_slot(0), o.cmp);
  // A file that cannot be read has no format yet; any format lets the run report it.
  s.param[ref_format_param(0)] = ref_format == FORMAT_AUTO ? FORMAT_PADS : ref_format;
  s.param[cmp_format_param(0)] = cmp_format == FORMAT_AUTO ? FORMAT_PADS : cmp_format;
  set_auto_inc(s, o.auto_inc);
  s.param[PARAM_FORMAT_OPTION] = o.format_option;
  const char option_text[2] = {static_cast<char>('0' + o.format_option), '\0'};
  set_slot(s, SLOT_FORMAT_OPTION_TEXT, option_text);

  RunOptions run_options;
  run_options.result_name = o.output;
  RunReport report;
  comparison_run(s, run_options, &report);

  if (!o.quiet) {
    std::fputs(for_terminal(s.slot[SLOT_DISPLAYED_MESSAGE]).c_str(), stdout);
    if (report.outcome == RunOutcome::completed) {
      std::printf("Result file: %s\n", s.slot[result_path_slot(0)]);
    } else {
      std::fputc('\n', stdout);
    }
    std::fflush(stdout);
  }
  if (report.outcome != RunOutcome::completed) {
    report_failure(report);
    return EXIT_TROUBLE;
  }
  return report.differences ? EXIT_DIFFERENT : EXIT_SAME;
}

}  // namespace
}  // namespace veltrax

int main(int argc, char** argv) {
  return veltrax::main_program(argc, argv);
}
