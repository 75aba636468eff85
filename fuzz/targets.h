// What the fuzz targets do with one input, shared by the libFuzzer programs and by the tests
// that replay every input that ever broke something (fuzz/regressions/<target>/).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace veltrax::fuzz {

// One reader on the input: its first byte gives the format option (0 to 9), the rest is the
// netlist, read from memory and then indexed.
void read_netlist_input(int format, const std::uint8_t* data, std::size_t size);

// The whole comparison run on two netlists cut from one input: the first byte gives both
// formats, the second the format option, the next two where the input is cut in two; both
// parts are written to files in folder and compared there.
void run_input(const std::string& folder, const std::uint8_t* data, std::size_t size);

// The parameter file loader on the input as a file's bytes, then the fix-ups and a save and a
// load of what it read, in folder.
void parameter_file_input(const std::string& folder, const std::uint8_t* data, std::size_t size);

// A fresh folder of the process's own for the targets that work with files.
const std::string& scratch_folder();

// The names of the targets: "read_cadvance" ... "read_pads", "run", "parameter_file".
inline constexpr const char* READER_TARGETS[] = {"read_cadvance", "read_mm2",     "read_cadlus",
                                                 "read_protel",   "read_telesis", "read_ccf",
                                                 "read_pads"};

}  // namespace veltrax::fuzz
