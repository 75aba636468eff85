#include "shell_support.h"

namespace veltrax::test {

std::string parameter_file(const std::map<int, int>& params,
                           const std::map<int, std::string>& slots, int entries, int texts) {
  std::string out = std::to_string(entries) + "\r\n";
  for (int i = 0; i < entries; ++i) {
    const auto p = params.find(i);
    out += std::to_string(p != params.end() ? p->second : 0) + "\r\n";
  }
  out += std::to_string(texts) + "\r\n";
  for (int i = 0; i < texts; ++i) {
    const auto s = slots.find(i);
    out += (s != slots.end() ? s->second : std::string()) + "\r\n";
  }
  return out;
}

int ParameterLines::param(int i) const {
  return std::stoi(lines.at(1 + i));
}

std::string ParameterLines::slot(int i) const {
  return lines.at(2 + PARAM_COUNT + i);
}

ParameterLines split_parameter_file(const std::string& bytes) {
  ParameterLines p;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
    p.lines.push_back(bytes.substr(start, end - start));
  return p;
}

HWND item(HWND main, int id) {
  return GetDlgItem(main, id);
}

void click(HWND main, int id) {
  SendMessageA(item(main, id), BM_CLICK, 0, 0);
}

std::string text_of(HWND main, int id) {
  std::string text(SLOT_SIZE + 1, '\0');
  text.resize(static_cast<std::size_t>(
      GetWindowTextA(item(main, id), text.data(), static_cast<int>(text.size()))));
  return text;
}

bool checked(HWND main, int id) {
  return SendMessageA(item(main, id), BM_GETCHECK, 0, 0) == static_cast<LRESULT>(BST_CHECKED);
}

std::string marks(HWND main, int first, int count) {
  std::string out;
  for (int id = first; id < first + count; ++id)
    out += checked(main, id) ? '1' : '0';
  return out;
}

std::vector<std::string> painted_texts(HWND main) {
  InvalidateRect(main, nullptr, TRUE);
  UpdateWindow(main);
  std::vector<std::string> texts;
  for (const headless::TextDraw& d : headless::paints().back().texts)
    texts.push_back(d.text);
  return texts;
}

void Desktop::SetUp() {
  headless::reset();
  old_cwd_ = std::filesystem::current_path();
  std::filesystem::current_path(dir.path());
}

void Desktop::TearDown() {
  std::filesystem::current_path(old_cwd_);
  headless::reset();
}

int Desktop::run(const std::function<void(HWND)>& user) {
  headless::on_idle([&user] {
    HWND main = FindWindowA(WINDOW_CLASS_NAME, nullptr);
    user(main);
    if (IsWindow(main)) SendMessageA(main, WM_CLOSE, 0, 0);
  });
  const int result = desktop_main(nullptr, SW_SHOWNORMAL);
  EXPECT_FALSE(headless::waited_in_vain()) << "the program did not quit when its window closed";
  return result;
}

void Desktop::write_parameters(const std::string& bytes) const {
  write_file(dir / "Veltrax_Diffr.ini", bytes);
}

std::string Desktop::written_parameters() const {
  return read_file(dir / "Veltrax_Diffr.ini");
}

}  // namespace veltrax::test
