// veltrax_diffr: compares two netlists from the command line, for batch and CI use. It fills
// the settings of one saving area and calls the same comparison run as the desktop program, so
// the result file is byte for byte the one the desktop program writes.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "cli/help.h"
#include "cli/terminal.h"
#include "cli/texts.h"
#include "compare/result_file.h"
#include "compare/run.h"
#include "netlist/reader.h"
#include "platform/files.h"
#include "platform/memory.h"
#include "report/review.h"
#include "report/text.h"
#include "report/views.h"
#include "settings/settings.h"

namespace veltrax {
namespace {

constexpr char VERSION[] = VELTRAX_VERSION;  // the project's, from CMakeLists.txt
constexpr int EXIT_SAME = 0;
constexpr int EXIT_TROUBLE = 2;
constexpr int FORMAT_AUTO = -1;
constexpr std::size_t DETECTION_HEAD = 1 << 14;
constexpr std::size_t GIT_OPERANDS = 7;
constexpr std::size_t GIT_RENAME_OPERANDS = 9;

enum class Color { automatic, always, never };

struct Options {
  int ref_format = FORMAT_AUTO;
  int cmp_format = FORMAT_AUTO;
  const char* output = nullptr;
  bool auto_inc = false;
  int format_option = 0;
  int language = LANGUAGE_ENGLISH;
  bool quiet = false;
  bool no_limits = false;
  const char* ref = nullptr;
  const char* cmp = nullptr;
  // The views beyond the result file.
  bool print = false;
  bool stat = false;
  Color color = Color::automatic;
  const char* json = nullptr;
  const char* html = nullptr;
  const char* markdown = nullptr;
  IgnoreRules ignore;
  std::vector<const char*> ignore_files;
  // Run by git as its external diff program: the path in the repository that git names, the
  // path after a rename, and whether git names an unmerged path alone.
  const char* git_path = nullptr;
  const char* git_new_path = nullptr;
  bool git_unmerged = false;
};

// One line on standard error: the program's name and the text.
void complain(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", PROGRAM, text.c_str());
}

[[noreturn]] void usage_error(const std::string& what) {
  complain(what);
  std::fputs(say(Say::try_help).c_str(), stderr);
  std::exit(EXIT_TROUBLE);
}

// "-" names standard input (or, as the result file, standard output).
bool is_standard_input(const char* path) {
  return path != nullptr && std::strcmp(path, "-") == 0;
}

// The path of a view's file, or "-" for standard output.
const char* view_path(std::string_view value) {
  if (value.empty()) usage_error(say(Say::empty_result_name));
  return value.data();
}

int parse_format(std::string_view text) {
  if (text == "auto") return FORMAT_AUTO;
  if (text.size() == 1 && text[0] >= '0' && text[0] < '0' + FORMAT_COUNT) return text[0] - '0';
  for (int i = 0; i < FORMAT_COUNT; ++i) {
    if (text == format_at(i).name) return i;
  }
  usage_error(say(Say::unknown_format, std::string(text).c_str()));
}

Options parse_options(int argc, char** argv) {
  Options o;
  bool options_end = false;
  std::vector<const char*> operands;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (options_end || arg.size() < 2 || arg[0] != '-') {
      operands.push_back(argv[i]);
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
      if (i + 1 >= argc) usage_error(say(Say::option_needs_value, std::string(name).c_str()));
      return argv[++i];
    };
    auto flag = [&] {
      if (has_inline) usage_error(say(Say::option_takes_no_value, std::string(name).c_str()));
    };
    if (name == "-h" || name == "--help") {
      flag();
      std::fputs(usage().c_str(), stdout);
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
      if (v.empty()) usage_error(say(Say::empty_result_name));
      o.output = v.data();
    } else if (name == "-n" || name == "--auto-inc") {
      flag();
      o.auto_inc = true;
    } else if (name == "-x" || name == "--format-option") {
      const std::string_view v = value();
      if (v.size() != 1 || v[0] < '0' || v[0] > '9') usage_error(say(Say::bad_format_option));
      o.format_option = v[0] - '0';
    } else if (name == "-l" || name == "--lang") {
      const std::string_view v = value();
      if (v == "en") {
        o.language = LANGUAGE_ENGLISH;
      } else if (v == "ja") {
        o.language = LANGUAGE_JAPANESE;
      } else {
        set_language(LANGUAGE_ENGLISH);
        usage_error(say(Say::bad_language));
      }
    } else if (name == "-q" || name == "--quiet") {
      flag();
      o.quiet = true;
    } else if (name == "--no-limits") {
      flag();
      o.no_limits = true;
    } else if (name == "--print") {
      flag();
      o.print = true;
    } else if (name == "--stat") {
      flag();
      o.print = o.stat = true;
    } else if (name == "--color" || name == "--colour") {
      const std::string_view v = has_inline ? inline_value : "always";
      if (v == "auto") {
        o.color = Color::automatic;
      } else if (v == "always") {
        o.color = Color::always;
      } else if (v == "never") {
        o.color = Color::never;
      } else {
        usage_error(say(Say::bad_color));
      }
    } else if (name == "--json") {
      o.json = view_path(value());
    } else if (name == "--html") {
      o.html = view_path(value());
    } else if (name == "--markdown") {
      o.markdown = view_path(value());
    } else if (name == "--ignore-part") {
      o.ignore.parts.emplace_back(value());
    } else if (name == "--ignore-net") {
      o.ignore.nets.emplace_back(value());
    } else if (name == "--ignore-file") {
      o.ignore_files.push_back(view_path(value()));
    } else if (name == "--ignore-open-pins") {
      flag();
      o.ignore.open_pins = true;
    } else {
      usage_error(say(Say::unknown_option, argv[i]));
    }
  }
  if (operands.size() == GIT_OPERANDS || operands.size() == GIT_RENAME_OPERANDS) {
    // git's external diff: path old-file old-hex old-mode new-file new-hex new-mode, and after a
    // rename new-path and git's lines about the rename.
    o.git_path = operands[0];
    o.git_new_path = operands.size() == GIT_RENAME_OPERANDS ? operands[7] : operands[0];
    o.ref = operands[1];
    o.cmp = operands[4];
    o.print = true;
  } else if (operands.size() == 1 && std::getenv("GIT_DIFF_PATH_TOTAL") != nullptr) {
    o.git_path = operands[0];
    o.git_unmerged = true;
    return o;
  } else if (operands.size() == 2) {
    o.ref = operands[0];
    o.cmp = operands[1];
  } else if (operands.size() > 2) {
    usage_error(say(Say::too_many_netlists, operands[2]));
  } else {
    usage_error(say(Say::two_netlists_needed));
  }
  if (o.output != nullptr && o.auto_inc) usage_error(say(Say::output_and_auto_inc));
  if (is_standard_input(o.ref) && is_standard_input(o.cmp)) {
    usage_error(say(Say::one_standard_input));
  }
  if (is_standard_input(o.cmp) && o.output == nullptr && o.git_path == nullptr) {
    usage_error(say(Say::name_result_of_standard_input));
  }
  // Standard output takes one thing: the result file, a view, or the listing and summary.
  const int to_stdout = is_standard_input(o.output) + is_standard_input(o.json) +
                        is_standard_input(o.markdown) + (o.print && !o.quiet ? 1 : 0);
  if (to_stdout > 1) usage_error(say(Say::one_standard_output));
  if (is_standard_input(o.html)) usage_error(say(Say::html_needs_a_file));
  return o;
}

// A netlist as the command line takes it in: opened (standard input for "-"), its first bytes
// read for telling the format, and handed to the run with those bytes, so that a pipe is read
// once.
struct Input {
  const char* path = nullptr;
  std::FILE* file = nullptr;
  bool owned = false;
  std::string head;
  int format = FORMAT_AUTO;

  Input() = default;
  Input(const Input&) = delete;
  Input& operator=(const Input&) = delete;
  ~Input() {
    if (owned) std::fclose(file);
  }
};

// The first line of a file, as one line of plain text: bytes outside printable ASCII are written
// as \xNN, so that no netlist can send control sequences to the terminal.
std::string first_line(std::string_view head) {
  constexpr std::size_t SHOWN = 60;
  const std::size_t end = std::min(head.find_first_of("\r\n"), head.size());
  std::string line;
  for (std::size_t i = 0; i < end && i < SHOWN; ++i) {
    const auto c = static_cast<unsigned char>(head[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      line += static_cast<char>(c);
    } else {
      char escaped[5];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
      line += escaped;
    }
  }
  if (end > SHOWN) line += "...";
  return line;
}

// Opens a netlist and reads its first bytes; tells its format when it is auto. False, with the
// problem said on standard error (naming the netlist as shown), when the netlist cannot be used.
bool take_in(Input& in, const char* path, const char* shown, int format) {
  in.path = path;
  in.format = format;
  if (is_standard_input(path)) {
    set_binary_mode(stdin);
    in.file = stdin;
  } else {
    in.file = open_netlist(path);
    in.owned = in.file != nullptr;
  }
  if (in.file == nullptr) {
    if (errno == EISDIR) {
      complain(say(Say::is_a_directory, shown));
    } else {
      complain(say(Say::cannot_read_netlist, shown, std::strerror(errno)));
    }
    return false;
  }
  in.head.resize(DETECTION_HEAD);
  in.head.resize(std::fread(in.head.data(), 1, in.head.size(), in.file));
  if (std::ferror(in.file)) {
    complain(say(Say::cannot_read_netlist, shown, std::strerror(errno)));
    return false;
  }
  if (in.head.empty()) {
    complain(say(Say::is_empty, shown));
    return false;
  }
  if (in.format == FORMAT_AUTO) in.format = detect_format(in.head);
  if (in.format < 0) {
    complain(say(Say::format_not_told, shown, first_line(in.head).c_str()));
    return false;
  }
  return true;
}

bool set_path(Settings& s, int slot, const char* path) {
  if (std::strlen(path) >= SLOT_SIZE) {
    complain(say(Say::path_too_long, std::string(path, 60).c_str(), SLOT_SIZE - 1));
    return false;
  }
  set_slot(s, slot, path);
  return true;
}

// What went wrong, on standard error, naming the file (as shown) and the cause.
void report_failure(const RunReport& r, const std::string& shown) {
  const char* file = shown.c_str();
  const char* cause = r.sys_error != 0 ? std::strerror(r.sys_error) : "unknown error";
  switch (r.outcome) {
    case RunOutcome::completed:
      return;
    case RunOutcome::reference_unopened:
    case RunOutcome::compare_unopened:
      return complain(say(Say::cannot_read_netlist, file, cause));
    case RunOutcome::result_uncreated:
      return complain(say(Say::cannot_create_result, file, cause));
    case RunOutcome::result_too_long:
      return complain(say(Say::result_name_too_long, file, RESULT_NAME_ROOM));
    case RunOutcome::result_is_input:
      return complain(say(Say::result_is_input, file));
    case RunOutcome::result_numbers_used_up:
      return complain(say(Say::numbered_names_used_up, file));
    case RunOutcome::result_unwritten:
      return complain(say(Say::cannot_write_result, file, cause));
    case RunOutcome::out_of_memory:
      return complain(say(Say::out_of_memory));
    case RunOutcome::reference_format:
    case RunOutcome::compare_format: {
      // PATH:LINE: format error CODE: MEANING (read as FORMAT); the line and the meaning are left
      // out when unknown.
      const std::string where = r.line > 0 ? r.file + ":" + std::to_string(r.line) : r.file;
      const char* meaning =
          failure_meaning(r.format_index, r.code, language() == LANGUAGE_JAPANESE);
      const std::string told = meaning != nullptr ? ": " + utf8_for_terminal(meaning) : "";
      const char* format = r.format_index >= 0 && r.format_index < FORMAT_COUNT
                               ? format_at(r.format_index).label
                               : "?";
      return complain(say(Say::format_error, where.c_str(), r.code, told.c_str(), format));
    }
  }
  complain(say(Say::unknown_failure, file));
}

// A warning of the run on standard error: the message-table text without its own "Warning: "
// and line end, in the terminal's encoding.
void report_warning(const Settings& s, const RunWarning& w) {
  std::string text = for_terminal(message_text(s, w.message));
  if (const std::size_t colon = text.find(": "); colon != std::string::npos) {
    text.erase(0, colon + 2);
  }
  while (!text.empty() && text.back() == '\n')
    text.pop_back();
  complain(say(Say::warning, w.file.c_str(), text.c_str()));
}

// The language asked for, looked for before the options are read, so that a mistake in them is
// told in that language too.
int language_asked(int argc, char** argv) {
  int language = LANGUAGE_ENGLISH;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--") break;
    std::string_view value;
    if ((arg == "-l" || arg == "--lang") && i + 1 < argc) {
      value = argv[++i];
    } else if (arg.starts_with("--lang=")) {
      value = arg.substr(7);
    }
    if (value == "ja") language = LANGUAGE_JAPANESE;
    if (value == "en") language = LANGUAGE_ENGLISH;
  }
  return language;
}

// Reads the ignore files into the rules. False, with the problem said, when one cannot be used.
bool read_ignore_files(Options& o) {
  for (const char* path : o.ignore_files) {
    std::FILE* f = is_standard_input(path) ? stdin : std::fopen(path, "rb");
    if (f == nullptr) {
      complain(say(Say::cannot_read_ignore_file, path, std::strerror(errno)));
      return false;
    }
    std::string text;
    char chunk[4096];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
      text.append(chunk, n);
    const bool failed = std::ferror(f) != 0;
    if (f != stdin) std::fclose(f);
    int line = 0;
    if (failed) {
      complain(say(Say::cannot_read_ignore_file, path, std::strerror(errno)));
      return false;
    }
    if (!read_ignore_rules(text, o.ignore, line)) {
      complain(say(Say::bad_ignore_rule, path, line));
      return false;
    }
  }
  return true;
}

// Writes a view whole: into a temporary beside the file, put in place when complete; "-" is
// standard output.
bool write_view(const char* path, const std::string& text) {
  if (is_standard_input(path)) {
    set_binary_mode(stdout);
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
  }
  std::string temporary;
  std::FILE* f = create_temporary_beside(path, temporary);
  bool ok = f != nullptr;
  if (ok) {
    ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    ok = ok && replace_file(temporary.c_str(), path);
    if (!ok) std::remove(temporary.c_str());
  }
  if (!ok) complain(say(Say::cannot_write_view, path, std::strerror(errno)));
  return ok;
}

bool wants_review(const Options& o) {
  return o.print || o.json != nullptr || o.html != nullptr || o.markdown != nullptr ||
         !o.ignore.empty();
}

ReviewInput review_input(const char* path, const Input& in, int parts, int pins) {
  return {path, format_at(in.format).label, parts, pins};
}

// True when git shows what it runs through its pager, which takes colour as git's own diff does.
bool git_pager_in_use() {
  const char* value = std::getenv("GIT_PAGER_IN_USE");
  return value != nullptr && (std::strcmp(value, "true") == 0 || std::strcmp(value, "1") == 0);
}

int compare_netlists(Options& o) {
  if (!read_ignore_files(o)) return EXIT_TROUBLE;
  if (o.git_path != nullptr) {
    // An unmerged path, or a netlist added or deleted in the repository, has nothing to compare.
    const bool added = !o.git_unmerged && std::strcmp(o.ref, "/dev/null") == 0;
    const Say text = o.git_unmerged                         ? Say::git_unmerged
                     : added                                ? Say::git_added
                     : std::strcmp(o.cmp, "/dev/null") == 0 ? Say::git_deleted
                                                            : Say::count;
    if (text != Say::count) {
      const std::string path = name_for_terminal(added ? o.git_new_path : o.git_path);
      std::fputs(say(text, path.c_str()).c_str(), stdout);
      return EXIT_SAME;
    }
  }
  // The names the netlists are told by: the paths as given, or a/PATH and b/PATH for git, whose
  // paths on standard error are escaped, since a repository's names are hostile data too.
  const std::string ref_name = o.git_path != nullptr ? std::string("a/") + o.git_path : o.ref;
  const std::string cmp_name = o.git_path != nullptr ? std::string("b/") + o.git_new_path : o.cmp;
  const auto shown = [&](const std::string& file) {
    return file == o.ref ? ref_name : file == o.cmp ? cmp_name : file;
  };
  const auto said = [&](const std::string& file) {
    return o.git_path != nullptr ? name_for_terminal(shown(file)) : shown(file);
  };
  Input ref;
  Input cmp;
  const bool ref_ok = take_in(ref, o.ref, said(o.ref).c_str(), o.ref_format);
  const bool cmp_ok = take_in(cmp, o.cmp, said(o.cmp).c_str(), o.cmp_format);
  if (!ref_ok || !cmp_ok) return EXIT_TROUBLE;

  // The settings blocks, zero-filled, in memory that lives as long as the program.
  void* block = take_system_block(sizeof(Settings));
  if (block == nullptr) {
    complain(say(Say::out_of_memory));
    return EXIT_TROUBLE;
  }
  Settings& s = *static_cast<Settings*>(block);
  s.param[PARAM_LANGUAGE] = o.language;
  s.param[PARAM_AREA] = 0;
  if (!set_path(s, ref_path_slot(0), o.ref) || !set_path(s, cmp_path_slot(0), o.cmp)) {
    return EXIT_TROUBLE;
  }
  s.param[ref_format_param(0)] = ref.format;
  s.param[cmp_format_param(0)] = cmp.format;
  set_auto_inc(s, o.auto_inc);
  s.param[PARAM_FORMAT_OPTION] = o.format_option;
  const char option_text[2] = {static_cast<char>('0' + o.format_option), '\0'};
  set_slot(s, SLOT_FORMAT_OPTION_TEXT, option_text);

  RunOptions run_options;
  const bool result_to_stdout = is_standard_input(o.output);
  // git wants the listing alone: the result file goes nowhere.
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> discarded(
      o.git_path != nullptr ? std::tmpfile() : nullptr, std::fclose);
  if (o.git_path != nullptr) {
    if (!discarded) {
      complain(say(Say::cannot_create_result, "-", std::strerror(errno)));
      return EXIT_TROUBLE;
    }
    run_options.result_stream = discarded.get();
  } else if (result_to_stdout) {
    set_binary_mode(stdout);
    run_options.result_stream = stdout;
  } else {
    run_options.result_name = o.output;
  }
  if (o.no_limits) run_options.limits = NO_LIMITS;
  run_options.reference = {ref.file, ref.head};
  run_options.compare = {cmp.file, cmp.head};
  ResultModel model;
  if (wants_review(o)) run_options.model = &model;
  RunReport report;
  comparison_run(s, run_options, &report);

  if (report.outcome != RunOutcome::completed) {
    report_failure(report, said(report.file));
    return EXIT_TROUBLE;
  }
  for (RunWarning& w : report.warnings) {
    report_warning(s, {w.message, said(w.file)});
    w.file = shown(w.file);
  }
  const bool stdout_taken =
      result_to_stdout || is_standard_input(o.json) || is_standard_input(o.markdown);
  if (!o.quiet && o.git_path == nullptr) {
    // The summary goes where no file does.
    std::FILE* summary = stdout_taken ? stderr : stdout;
    std::fputs(for_terminal(s.slot[SLOT_DISPLAYED_MESSAGE]).c_str(), summary);
    std::fputs(result_to_stdout ? say(Say::result_on_standard_output).c_str()
                                : say(Say::result_file, s.slot[result_path_slot(0)]).c_str(),
               summary);
    std::fflush(summary);
  }
  if (!wants_review(o)) return exit_status(report);

  const Review review = make_review(
      model, report, review_input(ref_name.c_str(), ref, model.ref_parts, model.ref_pins),
      review_input(cmp_name.c_str(), cmp, model.cmp_parts, model.cmp_pins), o.ignore);
  bool written = true;
  if (o.print) {
    ListingStyle style;
    style.counts_only = o.stat;
    style.japanese = o.language == LANGUAGE_JAPANESE;
    const bool terminal = is_terminal(stdout) || (o.git_path != nullptr && git_pager_in_use());
    style.color =
        o.color == Color::always || (o.color == Color::automatic && terminal && !no_color_asked());
    if (!o.quiet && o.git_path == nullptr) std::fputc('\n', stdout);  // after the summary
    std::fputs(utf8_for_terminal(review_listing(review, style)).c_str(), stdout);
    written = std::fflush(stdout) == 0;
  }
  if (o.json != nullptr) written = write_view(o.json, review_json(review)) && written;
  if (o.html != nullptr) written = write_view(o.html, review_html(review)) && written;
  if (o.markdown != nullptr) written = write_view(o.markdown, review_markdown(review)) && written;
  return written ? review.exit_status : EXIT_TROUBLE;
}

int main_program(int argc, char** argv) {
  set_language(language_asked(argc, argv));
  Options o = parse_options(argc, argv);
  set_language(o.language);
  int status = EXIT_TROUBLE;
  try {
    status = compare_netlists(o);
  } catch (const std::bad_alloc&) {
    // The run gives its own memory back and says so; this is the views' memory running out.
    complain(say(Say::out_of_memory));
  }
  // git stops at an external diff program that exits with anything but 0: trouble with one
  // netlist is said on standard error, and git goes on with the next file.
  return o.git_path != nullptr ? EXIT_SAME : status;
}

}  // namespace
}  // namespace veltrax

int main(int argc, char** argv) {
  return veltrax::main_program(argc, argv);
}
