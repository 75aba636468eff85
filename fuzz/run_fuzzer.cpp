// libFuzzer target: the whole comparison run on two netlists cut from any bytes.
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
  veltrax::fuzz::run_input(folder, data, size);
  return 0;
}
