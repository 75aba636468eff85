// The comparison run: one execution of the engine, from the current saving area's inputs in the
// settings to the result file and the displayed message.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "compare/result_model.h"
#include "netlist/limits.h"
#include "settings/settings.h"

namespace veltrax {

// A netlist the caller opened and began to read (such as a pipe, which can be read only once):
// the bytes it read, then the rest of the stream. The run reads it instead of opening the path,
// which then only names it; the run does not close it.
struct OpenedNetlist {
  std::FILE* file = nullptr;
  std::string_view head;
};

struct RunOptions {
  // The result file, named exactly; nullptr names it from the compare netlist's path.
  const char* result_name = nullptr;
  // When set, the result goes to this stream instead of a file (result_name is not used, the
  // result path is "-"): held in memory and written only when the run completes.
  std::FILE* result_stream = nullptr;
  OpenedNetlist reference;
  OpenedNetlist compare;
  // When set, filled with what the run found, for views beyond the result file.
  ResultModel* model = nullptr;
  // The capacities of the run: the fixed ones, or NO_LIMITS to compare netlists of any size
  // whole.
  Limits limits = DEFAULT_LIMITS;
};

enum class RunOutcome {
  completed,
  reference_unopened,  // cannot be opened, or reading it failed
  compare_unopened,
  result_uncreated,        // the result file cannot be created or put in its place
  result_too_long,         // its name has more than RESULT_NAME_ROOM characters
  result_is_input,         // its name is the reference or the compare netlist
  result_numbers_used_up,  // numbered result files run to -99 already
  result_unwritten,        // writing or closing it (or the result stream) failed
  reference_format,
  compare_format,
  out_of_memory,  // the system had no memory left for the run
};

// A warning on a netlist that was read: its message-table entry and the netlist's path.
struct RunWarning {
  int message;
  std::string file;
};

// What a run did, for callers that need more than the displayed message.
struct RunReport {
  RunOutcome outcome = RunOutcome::completed;
  int code = 0;          // the reader's code of a format error
  int format_index = 0;  // the format the failing netlist was read as
  int line = 0;          // the input line where reading failed, 0 unknown
  int sys_error = 0;     // errno of a file failure, 0 when none applies
  std::string file;      // the file a failure concerns
  // A row of a change was written (any part row, any pin row but that of a pin alone on its
  // net on both sides), parts were dropped, or a netlist was not read whole.
  bool differences = false;
  bool incomplete = false;  // a netlist was not compared whole (its tables or text ran full)
  std::vector<RunWarning> warnings;  // of a run whose netlists were both read, in message order
};

// What a run means to a batch job or a CI gate: 0 no difference, 1 differences found (see
// RunReport::differences), 2 the run failed.
inline int exit_status(const RunReport& report) {
  if (report.outcome != RunOutcome::completed) return 2;
  return report.differences ? 1 : 0;
}

// Runs the comparison of the current saving area. Reads the paths, formats and options from the
// settings and leaves the displayed message, the area message and the result path there. The
// result file appears (replacing an earlier one) only when the run completes; a failed run
// leaves no new file and an earlier one as it was. The run's memory is given back when it ends,
// however it ends. The result is always 0: success and failure
// show in the displayed message (and in the report).
int comparison_run(Settings& settings, const RunOptions& options = {}, RunReport* report = nullptr);

}  // namespace veltrax
