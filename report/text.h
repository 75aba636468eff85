// Names from a netlist as text. A netlist holds bytes: Japanese CAD systems write Shift-JIS, others
// ASCII or a Western code page. A view that needs Unicode decodes each name as Shift-JIS (CP932)
// where that is valid, else as Latin-1, so that every name gives some text and none is lost.
#pragma once

#include <string>
#include <string_view>

namespace veltrax {

// The name as UTF-8.
std::string name_to_utf8(std::string_view bytes);

// The name as UTF-8 with every control character (C0, DEL and C1) written as \xNN, so that no
// name can send a command to a terminal.
std::string name_for_terminal(std::string_view bytes);

}  // namespace veltrax
