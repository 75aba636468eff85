// The comparison run: one execution of the engine, from the current saving area's inputs in the
// settings to the result file and the displayed message.
#pragma once

#include <string>

#include "settings/settings.h"

namespace veltrax {

struct RunOptions {
  // The result file, named exactly; nullptr names it from the compare netlist's path.
  const char* result_name = nullptr;
};

enum class RunOutcome {
  completed,
  reference_unopened,  // cannot be opened, or reading it failed
  compare_unopened,
  result_uncreated,  // the result file cannot be created
  result_too_long,   // its name has more than RESULT_NAME_ROOM characters
  result_is_input,   // its name is the reference or the compare netlist
  result_unwritten,  // writing or closing it failed
  reference_format,
  compare_format,
};

// What a run did, for callers that need more than the displayed message.
struct RunReport {
  RunOutcome outcome = RunOutcome::completed;
  int code = 0;              // the reader's code of a format error
  int format_index = 0;      // the format the failing netlist was read as
  int line = 0;              // the input line where reading failed, 0 unknown
  int sys_error = 0;         // errno of a file failure, 0 when none applies
  std::string file;          // the file a failure concerns
  bool differences = false;  // a row of a change was written, or parts were dropped
};

// Runs the comparison of the current saving area. Reads the paths, formats and options from the
// settings and leaves the displayed message, the area message and the result path there. The
// result is always 0: success and failure show in the displayed message (and in the report).
int comparison_run(Settings& settings, const RunOptions& options = {}, RunReport* report = nullptr);

}  // namespace veltrax
