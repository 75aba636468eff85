// The readers of the seven formats and their marks for format detection.
#pragma once

#include <string_view>

#include "netlist/reader.h"

namespace veltrax {

int read_cadvance(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_mm2(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_cadlus(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_protel(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_telesis(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_ccf(InputFile& in, NetlistStore& store, int& pin_count, int format_option);
int read_pads(InputFile& in, NetlistStore& store, int& pin_count, int format_option);

bool looks_like_cadvance(std::string_view head);
bool looks_like_mm2(std::string_view head);
bool looks_like_cadlus(std::string_view head);
bool looks_like_protel(std::string_view head);
bool looks_like_telesis(std::string_view head);
bool looks_like_ccf(std::string_view head);
bool looks_like_pads(std::string_view head);

}  // namespace veltrax
