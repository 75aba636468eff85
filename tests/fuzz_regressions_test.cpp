// Replays every input that ever broke a fuzz target (fuzz/regressions/<target>/).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "fuzz/targets.h"
#include "support.h"

namespace veltrax {
namespace {

namespace fs = std::filesystem;

TEST(FuzzRegressions, EveryKeptInputRunsCleanly) {
  const fs::path root = fs::path(VELTRAX_SOURCE_DIR) / "fuzz" / "regressions";
  test::ScratchDir dir;
  int replayed = 0;
  for (int format = 0; format < 9; ++format) {
    const std::string target = format < 7    ? fuzz::READER_TARGETS[format]
                               : format == 7 ? "run"
                                             : "parameter_file";
    if (!fs::is_directory(root / target)) continue;
    for (const auto& entry : fs::directory_iterator(root / target)) {
      const std::string bytes = test::read_file(entry.path());
      const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
      if (format < 7) {
        fuzz::read_netlist_input(format, data, bytes.size());
      } else if (format == 7) {
        fuzz::run_input(dir.path().string(), data, bytes.size());
      } else {
        fuzz::parameter_file_input(dir.path().string(), data, bytes.size());
      }
      ++replayed;
    }
  }
  RecordProperty("replayed", replayed);
}

}  // namespace
}  // namespace veltrax
