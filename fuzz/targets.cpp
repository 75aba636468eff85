#include "fuzz/targets.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

#include "compare/run.h"
#include "netlist/index.h"
#include "netlist/reader.h"
#include "settings/settings.h"
#include "shell/parameter_file.h"

namespace veltrax::fuzz {

namespace {

bool write_file(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool written = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && written;
}

}  // namespace

const std::string& scratch_folder() {
  static const std::string folder = [] {
    char pattern[] = "/tmp/veltrax-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  return folder;
}

void read_netlist_input(int format, const std::uint8_t* data, std::size_t size) {
  if (size == 0) return;
  const int option = data[0] % 10;
  RunMemory memory;
  NetlistStore store(memory);
  InputFile in(std::string_view(reinterpret_cast<const char*>(data + 1), size - 1));
  int pins = 0;
  const int read = read_netlist(format, in, store, pins, option);
  index_netlist(store, read, pins);
}

void run_input(const std::string& folder, const std::uint8_t* data, std::size_t size) {
  static Settings* const settings = new Settings;
  if (size < 4) return;
  const int formats = data[0];
  const int option = data[1] % 10;
  const std::size_t rest = size - 4;
  const std::size_t cut = rest == 0 ? 0 : (data[2] | data[3] << 8) % (rest + 1);
  const std::string ref = folder + "/ref.net";
  const std::string cmp = folder + "/cmp.net";
  if (!write_file(ref, data + 4, cut) || !write_file(cmp, data + 4 + cut, rest - cut)) return;
  Settings& s = *settings;
  clear_settings(s);
  s.param[PARAM_LANGUAGE] = LANGUAGE_ENGLISH;
  s.param[ref_format_param(0)] = formats % FORMAT_COUNT;
  s.param[cmp_format_param(0)] = formats / FORMAT_COUNT % FORMAT_COUNT;
  s.param[PARAM_FORMAT_OPTION] = option;
  s.param[PARAM_AUTO_INC] = formats >= 128 ? 1 : 0;  // numbered result files now and then
  set_slot(s, ref_path_slot(0), ref);
  set_slot(s, cmp_path_slot(0), cmp);
  comparison_run(s);
  // Numbered results are never replaced: kept, they would use up the numbers within a session
  // and end every later numbered run before its netlists are read.
  if (s.param[PARAM_AUTO_INC] != 0) std::remove(s.slot[result_path_slot(0)]);
}

void parameter_file_input(const std::string& folder, const std::uint8_t* data, std::size_t size) {
  static Settings* const settings = new Settings;
  Settings& s = *settings;
  clear_settings(s);
  std::FILE* in = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (in == nullptr) return;
  load_parameters(s, in);
  std::fclose(in);
  apply_fixups(s);
  // What the program relies on after start-up.
  if (s.param[PARAM_LANGUAGE] != LANGUAGE_JAPANESE && s.param[PARAM_LANGUAGE] != LANGUAGE_ENGLISH) {
    __builtin_trap();
  }
  for (const char* slot : s.slot) {
    if (strnlen(slot, SLOT_SIZE) == SLOT_SIZE) __builtin_trap();
  }
  const std::string path = folder + "/Veltrax_Diffr.ini";
  if (save_parameter_file(s, path.c_str())) {
    clear_settings(s);
    load_parameter_file(s, path.c_str());
  }
}

}  // namespace veltrax::fuzz
