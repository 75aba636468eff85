// Replays the kept inputs of every fuzz target (fuzz/regressions/<target>/): each one ends a
// netlist or a parameter file in the middle of what its reader reads last, where a reader that
// looks one byte too far breaks under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/targets.h"
#include "support.h"

namespace veltrax {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryTargetReplaysItsKeptInputs) {
  const fs::path root = fs::path(VELTRAX_SOURCE_DIR) / "fuzz" / "regressions";
  test::ScratchDir dir;
  for (int target = 0; target < 9; ++target) {
    const std::string name = target < 7    ? fuzz::READER_TARGETS[target]
                             : target == 7 ? "run"
                                           : "parameter_file";
    int replayed = 0;
    for (const auto& entry : fs::directory_iterator(root / name)) {
      const std::string bytes = test::read_file(entry.path());
      const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
      if (target < 7) {
        fuzz::read_netlist_input(target, data, bytes.size());
      } else if (target == 7) {
        fuzz::run_input(dir.path().string(), data, bytes.size());
      } else {
        fuzz::parameter_file_input(dir.path().string(), data, bytes.size());
      }
      ++replayed;
    }
    EXPECT_GT(replayed, 0) << name << " keeps no input";
  }
}

}  // namespace
}  // namespace veltrax
