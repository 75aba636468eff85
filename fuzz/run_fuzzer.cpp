// libFuzzer target: the whole comparison run on two netlists cut from any bytes.
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  veltrax::fuzz::run_input(veltrax::fuzz::scratch_folder(), data, size);
  return 0;
}
