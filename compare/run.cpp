#include "compare/run.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>
#include <utility>
#include <vector>

#include "compare/parts.h"
#include "compare/pins.h"
#include "compare/result_file.h"
#include "netlist/index.h"
#include "netlist/reader.h"
#include "platform/files.h"

namespace veltrax {

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// A netlist to read: the one the caller opened, or else the file of the path, opened here.
class Source {
 public:
  Source(const OpenedNetlist& opened, const char* path)
      : owned_(opened.file == nullptr ? open_netlist(path) : nullptr),
        file_(opened.file != nullptr ? opened.file : owned_.get()),
        head_(opened.head) {}
  explicit operator bool() const { return file_ != nullptr; }
  std::FILE* get() const { return file_; }
  std::string_view head() const { return head_; }

 private:
  File owned_;
  std::FILE* file_;
  std::string_view head_;
};

class Run {
 public:
  Run(Settings& s, const RunOptions& options, RunReport& report)
      : s_(s),
        options_(options),
        report_(report),
        area_(current_area(s)),
        ref_(memory_, options.limits),
        cmp_(memory_, options.limits) {}

  void execute() {
    set_slot(s_, SLOT_DISPLAYED_MESSAGE, "");
    for (int k = 0; k < PARAM_RUN_RESET_COUNT; ++k)
      s_.param[PARAM_RUN_RESET_0 + k] = 0;

    const char* ref_path = s_.slot[ref_path_slot(area_)];
    const char* cmp_path = s_.slot[cmp_path_slot(area_)];
    Source ref_file(options_.reference, ref_path);
    if (!ref_file) return fail_file(RunOutcome::reference_unopened, MSG_CANT_OPEN_INPUT, ref_path);
    Source cmp_file(options_.compare, cmp_path);
    if (!cmp_file) return fail_file(RunOutcome::compare_unopened, MSG_CANT_OPEN_INPUT, cmp_path);

    std::string name;
    ResultNaming naming = ResultNaming::chosen;
    if (options_.result_stream != nullptr) {
      name = "-";
    } else if (options_.result_name != nullptr) {
      name = options_.result_name;
      if (name.size() > RESULT_NAME_ROOM) naming = ResultNaming::too_long;
    } else {
      naming = result_file_name(cmp_path, s_.param[PARAM_AUTO_INC] != 0, name);
    }
    // A name without room is never stored: the shell could not hold it, and a cut name would
    // point at another file.
    set_slot(s_, result_path_slot(area_), naming == ResultNaming::too_long ? std::string() : name);
    if (naming == ResultNaming::too_long) {
      return fail_file(RunOutcome::result_too_long, MSG_CANT_CREATE_OUTPUT, name, 0);
    }
    // Numbered results never replace one another.
    if (naming == ResultNaming::numbers_used_up) {
      return fail_file(RunOutcome::result_numbers_used_up, MSG_CANT_CREATE_OUTPUT, name, 0);
    }
    if (options_.result_stream != nullptr) {
      out_.hold_for(options_.result_stream);
    } else {
      // The name is refused when it is one of the inputs: the result would replace that netlist.
      if (is_same_file(name.c_str(), ref_file.get()) ||
          is_same_file(name.c_str(), cmp_file.get())) {
        return fail_file(RunOutcome::result_is_input, MSG_CANT_CREATE_OUTPUT, name, 0);
      }
      // Made now, so that a folder that cannot be written is told before the netlists are read.
      if (!out_.create(name.c_str())) {
        return fail_file(RunOutcome::result_uncreated, MSG_CANT_CREATE_OUTPUT, name, out_.error());
      }
    }
    out_.print("Ref=%s\nCmp=%s\n\n", ref_path, cmp_path);

    std::vector<RunWarning> warnings;
    int ref_parts = 0;
    int cmp_parts = 0;
    int ref_pins = 0;
    int cmp_pins = 0;
    if (!read_side(ref_, ref_file, ref_path, ref_format_param(area_),
                   RunOutcome::reference_unopened, RunOutcome::reference_format, ref_parts,
                   ref_pins, warnings) ||
        !read_side(cmp_, cmp_file, cmp_path, cmp_format_param(area_), RunOutcome::compare_unopened,
                   RunOutcome::compare_format, cmp_parts, cmp_pins, warnings)) {
      return;
    }
    bool incomplete = false;
    for (const RunWarning& w : warnings) {
      append_slot(s_, SLOT_DISPLAYED_MESSAGE, message_text(s_, w.message));
      append_slot(s_, SLOT_DISPLAYED_MESSAGE, w.file + "\n");
      incomplete = incomplete || w.message != MSG_NAMES_MAY_BE_CUT;
    }
    report_.warnings = std::move(warnings);

    ResultModel* model = options_.model;
    if (model != nullptr) {
      model->parts.clear();
      model->pins.clear();
      model->member_lists.clear();
      model->ref_parts = ref_parts;
      model->ref_pins = ref_pins;
      model->cmp_parts = cmp_parts;
      model->cmp_pins = cmp_pins;
      // As read: the pin matching edits the member lists and moves compare records.
      model->ref_nets = nets_of(ref_, ref_pins);
      model->cmp_nets = nets_of(cmp_, cmp_pins);
    }

    out_.write("Category,Part.Pin,Name(ref),Name(cmp),Info(ref),Info(cmp)\n");
    const PartCounts parts = compare_parts(ref_.parts, ref_parts, cmp_.parts, cmp_parts,
                                           ref_.part_overflow + cmp_.part_overflow, out_,
                                           model != nullptr ? &model->parts : nullptr);
    const std::string parts_message = parts_summary_message(parts);
    NetTexts texts(NetTexts::entries_are_separable(ref_.pins, ref_pins) &&
                       NetTexts::entries_are_separable(cmp_.pins, cmp_pins),
                   memory_);
    pair_pins(ref_, ref_parts, ref_pins, cmp_, cmp_parts, cmp_pins, texts);
    const PinCounts pins = classify_pins(ref_, ref_pins, cmp_, cmp_pins, parts_summary_line(parts),
                                         texts, out_, model);
    if (model != nullptr) {
      model->part_counts = parts;
      model->pin_counts = pins;
    }

    // A result that cannot be put in its place (a folder of that name, a file that another
    // program holds open) fails as one that cannot be created, with that message alone.
    const bool closed = out_.close();
    if (!closed && out_.placing_failed()) {
      return fail_file(RunOutcome::result_uncreated, MSG_CANT_CREATE_OUTPUT, name, out_.error());
    }
    append_slot(s_, SLOT_DISPLAYED_MESSAGE, parts_message);
    append_slot(s_, SLOT_DISPLAYED_MESSAGE, pins_summary_message(pins));
    if (!closed) {
      return fail_file(RunOutcome::result_unwritten, MSG_CANT_CREATE_OUTPUT, name, out_.error());
    }
    report_.incomplete = incomplete;
    report_.differences = parts.any_difference() || pins.any_change_row() || incomplete;
    append_slot(s_, SLOT_DISPLAYED_MESSAGE, "Completed\n");
    set_slot(s_, area_message_slot(area_), s_.slot[SLOT_DISPLAYED_MESSAGE]);
    report_.outcome = RunOutcome::completed;
  }

 private:
  // Reads and indexes one netlist and notes what the read may have lost. On failure reports it
  // and returns false.
  bool read_side(NetlistStore& store, const Source& file, const char* path, int format_param,
                 RunOutcome unreadable, RunOutcome format_failure, int& part_count, int& pin_count,
                 std::vector<RunWarning>& warnings) {
    const int format_index = s_.param[format_param];
    InputFile in(file.head(), file.get());
    pin_count = 0;
    const int read =
        read_netlist(format_index, in, store, pin_count, s_.param[PARAM_FORMAT_OPTION]);
    if (in.failed()) {
      fail_file(unreadable, MSG_CANT_OPEN_INPUT, path, in.error());
      return false;
    }
    unsigned lost = read >= 0 ? read_warnings(store, read, pin_count) : 0;
    part_count = index_netlist(store, read, pin_count);
    // Parts made from the pins stop at the table's capacity too.
    if (part_count >= store.limits.parts) lost |= WARN_TABLES_FULL;
    if (part_count < 0 || pin_count == 0) {
      report_.outcome = format_failure;
      report_.code = part_count;
      report_.format_index = format_index;
      report_.line = store.failure_line;
      report_.file = path;
      append_slot(s_, SLOT_DISPLAYED_MESSAGE,
                  format_text("%d %s%s", part_count, message_text(s_, MSG_FORMAT_ERROR), path));
      return false;
    }
    constexpr std::pair<unsigned, int> kWarnings[] = {
        {WARN_NAMES_MAY_BE_CUT, MSG_NAMES_MAY_BE_CUT},
        {WARN_TABLES_FULL, MSG_TABLES_FULL},
        {WARN_READER_TEXT_FULL, MSG_READER_TEXT_FULL},
    };
    for (const auto& [bit, message] : kWarnings) {
      if ((lost & bit) != 0) warnings.push_back({message, path});
    }
    return true;
  }

  void fail_file(RunOutcome outcome, int message, const std::string& file, int sys_error) {
    report_.outcome = outcome;
    report_.sys_error = sys_error;
    report_.file = file;
    append_slot(s_, SLOT_DISPLAYED_MESSAGE, message_text(s_, message));
    append_slot(s_, SLOT_DISPLAYED_MESSAGE, file);
  }
  void fail_file(RunOutcome outcome, int message, const std::string& file) {
    fail_file(outcome, message, file, errno);
  }

  Settings& s_;
  const RunOptions& options_;
  RunReport& report_;
  const int area_;
  // Declared before what takes from it, so that it is given back last.
  RunMemory memory_;
  NetlistStore ref_;
  NetlistStore cmp_;
  ResultWriter out_;
};

}  // namespace

int comparison_run(Settings& settings, const RunOptions& options, RunReport* report) {
  RunReport local;
  RunReport& r = report != nullptr ? *report : local;
  r = RunReport{};
  try {
    Run(settings, options, r).execute();
  } catch (const std::bad_alloc&) {
    // The run and its memory are gone, its result file with them; only the message is left.
    r = RunReport{};
    r.outcome = RunOutcome::out_of_memory;
    set_slot(settings, SLOT_DISPLAYED_MESSAGE, message_text(settings, MSG_OUT_OF_MEMORY));
  }
  return 0;
}

}  // namespace veltrax
