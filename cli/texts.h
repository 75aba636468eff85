// What the command line says itself, in English and Japanese: usage, errors, warnings and the
// name of the result file. The texts are UTF-8 printf formats; both languages of a text take the
// same arguments in the same order.
#pragma once

#include <string>

namespace veltrax {

enum class Say {
  try_help,
  unknown_format,
  too_many_netlists,
  option_needs_value,
  option_takes_no_value,
  empty_result_name,
  bad_format_option,
  bad_language,
  unknown_option,
  two_netlists_needed,
  output_and_auto_inc,
  one_standard_input,
  name_result_of_standard_input,
  cannot_read_netlist,
  is_a_directory,
  is_empty,
  format_not_told,
  path_too_long,
  out_of_memory,
  cannot_create_result,
  result_name_too_long,
  result_is_input,
  cannot_write_result,
  numbered_names_used_up,
  format_error,
  unknown_failure,
  warning,
  result_file,
  result_on_standard_output,
  bad_color,
  one_standard_output,
  html_needs_a_file,
  cannot_read_ignore_file,
  bad_ignore_rule,
  cannot_write_view,
  git_added,
  git_deleted,
  git_unmerged,
  count,
};

// The language of every text said from now on: LANGUAGE_JAPANESE or LANGUAGE_ENGLISH.
void set_language(int language);
int language();

// --help's text (cli/help.h), in the terminal's encoding.
std::string usage();

// The text, formatted, in the terminal's encoding.
std::string say(Say text, ...);

}  // namespace veltrax
