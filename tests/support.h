// Helpers shared by the tests: stores on the heap, netlists from text, scratch folders.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <sys/resource.h>

#include "netlist/store.h"
#include "settings/settings.h"

namespace veltrax::test {

// A store with run memory of its own.
struct OwnMemory {
  RunMemory run_memory;
};
struct TestStore : OwnMemory, NetlistStore {
  explicit TestStore(const Limits& limits = DEFAULT_LIMITS) : NetlistStore(run_memory, limits) {}
};
std::unique_ptr<TestStore> new_store(const Limits& limits = DEFAULT_LIMITS);

// Writes record i of a table as a reader would (the table grows as needed), its texts cut to the
// store's rooms.
void set_pin(NetlistStore& s, int i, std::string_view designator, std::string_view pin,
             std::string_view net);
void set_part(NetlistStore& s, int i, std::string_view designator, std::string_view value = "v",
              std::string_view footprint = "f");
std::unique_ptr<Settings> new_settings();

// Reads PADS text into a store; returns the reader's result and sets pin_count.
int read_pads_text(std::string_view text, NetlistStore& store, int& pin_count);

// A PADS netlist from its part lines and its signals ("NET: U1.1 R1.2" lines), with CR LF ends.
std::string pads_netlist(std::string_view parts, std::string_view signals);

// The Shift-JIS bytes of a UTF-8 text.
std::string shift_jis(const std::string& utf8);

std::string read_file(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, std::string_view bytes);

// The names in a folder, sorted.
std::vector<std::string> folder_names(const std::filesystem::path& folder);

// While it lives, writing a file past `bytes` fails (EFBIG) in this process: a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(unsigned long bytes);
  ~FileSizeLimit();
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int);
};

// A fresh empty folder under the system's temporary folder, removed with the object.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(std::string_view name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace veltrax::test
