// Driving the desktop program on Linux: the real window procedure and message loop over the
// headless stand-in, started in a scratch folder that holds its parameter file.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless.h"
#include "shell/desktop.h"
#include "support.h"

namespace veltrax::test {

// A parameter file: the given entries and texts, the rest 0 and empty; `entries` and `texts`
// are the counts written in its count lines, CR LF line ends.
std::string parameter_file(const std::map<int, int>& params,
                           const std::map<int, std::string>& slots, int entries = 40,
                           int texts = 40);

// The lines of a parameter file written by the program, each ended by CR LF.
struct ParameterLines {
  std::vector<std::string> lines;
  int param(int i) const;
  std::string slot(int i) const;  // as stored, 0x07 for a line feed
};
ParameterLines split_parameter_file(const std::string& bytes);

// The control with an id in the main window, and what it shows.
HWND item(HWND main, int id);
void click(HWND main, int id);
std::string text_of(HWND main, int id);
bool checked(HWND main, int id);
// The marks of `count` buttons from `first` on, as "0" and "1" characters.
std::string marks(HWND main, int first, int count);
// The texts the window paints now (rows 7, 22 and 47 in this order).
std::vector<std::string> painted_texts(HWND main);

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program in the scratch folder; `user` acts once the window waits for input, and
  // the window is closed afterwards unless `user` closed it. Returns the program's result.
  int run(const std::function<void(HWND)>& user);
  void write_parameters(const std::string& bytes) const;
  std::string written_parameters() const;

  ScratchDir dir;

 private:
  std::filesystem::path old_cwd_;
};

}  // namespace veltrax::test
