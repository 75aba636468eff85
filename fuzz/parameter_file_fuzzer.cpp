// libFuzzer target: the parameter file loader, the fix-ups, a save and a load on any bytes.
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  veltrax::fuzz::parameter_file_input(veltrax::fuzz::scratch_folder(), data, size);
  return 0;
}
