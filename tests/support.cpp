#include "support.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <fstream>
#include <sstream>

#include <iconv.h>
#include <unistd.h>

#include "netlist/input.h"
#include "netlist/readers/readers.h"

namespace veltrax::test {

std::unique_ptr<TestStore> new_store(const Limits& limits) {
  return std::make_unique<TestStore>(limits);
}

namespace {

template <typename Record>
Record& record_at(NetlistStore& s, Table<Record>& table, int i) {
  if (i >= table.room) {
    const int room = std::max(i + 1, 2 * table.room);
    table.record = static_cast<Record*>(
        s.memory->resize(table.record, static_cast<std::size_t>(room) * sizeof(Record)));
    table.room = room;
  }
  return table[i];
}

char* text(NetlistStore& s, std::string_view t, int room) {
  return s.memory->copy_text(t.data(), std::min(t.size(), static_cast<std::size_t>(room)));
}

}  // namespace

void set_pin(NetlistStore& s, int i, std::string_view designator, std::string_view pin,
             std::string_view net) {
  record_at(s, s.pins, i) = {PinState::ordinary,
                             0,
                             text(s, designator, s.limits.designator),
                             text(s, pin, s.limits.pin),
                             text(s, net, s.limits.net),
                             s.empty_text,
                             s.empty_text,
                             s.empty_text,
                             s.empty_text};
}

void set_part(NetlistStore& s, int i, std::string_view designator, std::string_view value,
              std::string_view footprint) {
  record_at(s, s.parts, i) = {PartState::paired, text(s, designator, s.limits.designator),
                              text(s, value, s.limits.value),
                              text(s, footprint, s.limits.footprint)};
}

std::unique_ptr<Settings> new_settings() {
  auto s = std::make_unique<Settings>();
  clear_settings(*s);
  return s;
}

int read_pads_text(std::string_view text, NetlistStore& store, int& pin_count) {
  InputFile in(text);
  return read_pads(in, store, pin_count, 0);
}

std::string pads_netlist(std::string_view parts, std::string_view signals) {
  std::string out = "*PADS-PCB*\r\n*PART*\r\n";
  std::istringstream part_lines{std::string(parts)};
  for (std::string line; std::getline(part_lines, line);)
    out += line + "\r\n";
  out += "*NET*\r\n";
  std::istringstream signal_lines{std::string(signals)};
  for (std::string line; std::getline(signal_lines, line);) {
    const std::size_t colon = line.find(':');
    out += "*SIGNAL* " + line.substr(0, colon) + "\r\n" + line.substr(colon + 2) + "\r\n";
  }
  return out + "*END*\r\n";
}

std::string shift_jis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "(no CP932 converter)";
  std::string in = utf8;
  std::string out(in.size() * 2 + 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  std::size_t src_left = in.size();
  std::size_t dst_left = out.size();
  iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  out.resize(out.size() - dst_left);
  return out;
}

std::string read_file(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::string> folder_names(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

FileSizeLimit::FileSizeLimit(unsigned long bytes) {
  // Without the signal ignored, the write past the limit would end the process.
  saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
  getrlimit(RLIMIT_FSIZE, &saved_);
  rlimit limit = saved_;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
  setrlimit(RLIMIT_FSIZE, &saved_);
  std::signal(SIGXFSZ, saved_handler_);
}

ScratchDir::ScratchDir() {
  static std::atomic<int> serial{0};
  path_ = std::filesystem::temp_directory_path() /
          ("veltrax-test-" + std::to_string(getpid()) + "-" + std::to_string(serial++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace veltrax::test
