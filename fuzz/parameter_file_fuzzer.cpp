// libFuzzer target: the parameter file loader, the fix-ups, a save and a load on any bytes.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string folder = [] {
    char pattern[] = "/tmp/veltrax-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made != nullptr ? made : "/tmp");
  }();
  veltrax::fuzz::parameter_file_input(folder, data, size);
  return 0;
}
