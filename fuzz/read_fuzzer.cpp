// libFuzzer target: one reader (FUZZ_FORMAT) and indexing on any bytes.
#include "fuzz/targets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  veltrax::fuzz::read_netlist_input(FUZZ_FORMAT, data, size);
  return 0;
}
