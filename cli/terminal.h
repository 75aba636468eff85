// Showing the displayed message on a terminal.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace veltrax {

// The message with its message-table texts in Japanese (Shift-JIS bytes) converted to the
// terminal's encoding: UTF-8 where the locale says so; the Shift-JIS bytes themselves where the
// locale names no encoding or cannot take them. Paths and names from the netlists, the rest of
// the message, pass as the bytes they are.
std::string for_terminal(std::string_view message);

// Reads or writes the stream as bytes (Windows would turn LF into CR LF on its own).
void set_binary_mode(std::FILE* stream);

// True when the stream is a terminal.
bool is_terminal(std::FILE* stream);

// True when the environment asks for no colour (NO_COLOR set and not empty).
bool no_color_asked();

// The command line's own texts (UTF-8) in the terminal's encoding, as for_terminal gives the
// message table's: UTF-8 where the locale says so, Shift-JIS where it names no encoding.
std::string utf8_for_terminal(std::string_view text);

}  // namespace veltrax
