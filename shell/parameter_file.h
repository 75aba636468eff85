// The parameter file Veltrax_Diffr.ini: the parameter table and the text slots between starts.
// Text with CR LF line ends on disk (LF in memory) on every platform: a line with the number of
// entries, the entries in decimal, a line with the number of texts, the texts with every line
// feed inside them stored as the byte 0x07.
#pragma once

#include <cstdio>
#include <string>

#include "settings/settings.h"

namespace veltrax {

inline constexpr int PARAMETER_PATH_SIZE = 1000;  // 999 bytes and the terminating zero
inline constexpr char PARAMETER_PROGRAM_NAME[] = "Veltrax_Diffr.exe";
inline constexpr char LINE_FEED_MARK = '\x07';
// The layout marker of entry 5: 1 in the current layout, 0 in a file of the earlier one.
inline constexpr int LAYOUT_CURRENT = 1;

// Reads a parameter file into settings that were cleared before, and converts a file of the
// earlier layout. Entries and texts the file does not reach keep their values. A line longer
// than a slot's 9999 bytes is cut there and the rest of it skipped, so every later line stays
// in its place. False when the file cannot be opened.
bool load_parameter_file(Settings& s, const char* path);
// The same from an open stream (binary mode), which the caller closes.
void load_parameters(Settings& s, std::FILE* in);

// The fix-ups after loading, file or no file: the layout marker, a current saving area outside
// No.1 to No.8 taken as No.1, the "Auto inc. name" mask made to agree with entry 28, a language
// other than English taken as Japanese, and the format-option text from entry 30.
void apply_fixups(Settings& s);

// The format option from its edit box's text: the first byte, as a signed byte, minus '0'; a
// negative result gives 0.
int format_option_from_text(const char* text);

// Writes both blocks. False when the file cannot be created or written whole.
bool save_parameter_file(const Settings& s, const char* path);

// Reads one line of a text file as Windows text mode does (CR LF becomes LF), without its line
// feed, keeping at most `room` bytes of it and skipping the rest. False at the end of the file.
bool read_text_line(std::FILE* in, std::string& line, std::size_t room);

// A decimal number as the C library reads one (leading blanks, a sign, digits, anything else
// ends it; no digits give 0), held to the range of a 32-bit integer.
int parse_decimal(const std::string& text);

}  // namespace veltrax
