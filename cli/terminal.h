// Showing the displayed message on a terminal.
#pragma once

#include <string>
#include <string_view>

namespace veltrax {

// The message with its message-table texts in Japanese (Shift-JIS bytes) converted to the
// terminal's encoding: UTF-8 where the locale says so; the Shift-JIS bytes themselves where the
// locale names no encoding or cannot take them. Paths and names from the netlists, the rest of
// the message, pass as the bytes they are.
std::string for_terminal(std::string_view message);

}  // namespace veltrax
