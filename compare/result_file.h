// The result file: its name, chosen from the compare netlist's path, and its writer.
#pragma once

#include <string>
#include <string_view>

#include "platform/text_file.h"

namespace veltrax {

// The result file is written by a text file writer: whole or not at all, with CR LF line ends.
using ResultWriter = TextFileWriter;

// A counter of a summary (a member of Counts) and its label there.
template <class Counts>
struct SummaryCounter {
  const char* label;
  int Counts::*count;
};

enum class ResultNaming {
  chosen,
  too_long,         // more than RESULT_NAME_ROOM characters
  numbers_used_up,  // with numbering on, the file numbered 99 is there already
};

// The result file name for a compare netlist path: the path without the extension found among
// its last four characters, then ".csv", or, with numbering on, "-NN.csv" with the number after
// the greatest of the files already there whose names have two digits in its place ("-00.csv"
// when there is none, "-99.csv" when the numbers are used up). name holds it whatever the result.
ResultNaming result_file_name(std::string_view compare_path, bool numbered, std::string& name);

}  // namespace veltrax
