#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>

#include "case_file.h"
#include "support.h"

namespace veltrax {
namespace {

// Every entry of the message table in both languages, and none outside it.
TEST(MessageTable, HoldsBothLanguagesAndIsNeverReadOutside) {
  std::map<int, std::pair<std::string, std::string>> listed;  // English, Japanese
  for (const test::Case& c : test::read_cases(
           "messages.txt", [](const std::string& key) { return key.starts_with("message "); })) {
    listed[std::stoi(c.kind.substr(8))] = {c.text, test::shift_jis(c.expected.at("japanese"))};
  }
  auto s = test::new_settings();
  for (int entry = -1; entry <= MESSAGE_COUNT; ++entry) {
    const auto& [english, japanese] = listed[entry];
    EXPECT_EQ(message_text_in(LANGUAGE_ENGLISH, entry), english) << entry;
    EXPECT_EQ(message_text_in(LANGUAGE_JAPANESE, entry), japanese) << entry;
    // By the settings' language; any language but English reads Japanese.
    for (const int language : {LANGUAGE_ENGLISH, LANGUAGE_JAPANESE, -1, 2}) {
      s->param[PARAM_LANGUAGE] = language;
      EXPECT_EQ(message_text(*s, entry), language == LANGUAGE_ENGLISH ? english : japanese);
    }
  }
}

TEST(Settings, SlotTextsAreCutAtTheirRoomAndNoWriteLeavesTheSlots) {
  auto s = test::new_settings();
  set_slot(*s, SLOT_DISPLAYED_MESSAGE, std::string(SLOT_SIZE + 50, 'x'));
  append_slot(*s, SLOT_DISPLAYED_MESSAGE, "more");
  EXPECT_EQ(std::strlen(s->slot[SLOT_DISPLAYED_MESSAGE]), std::size_t{SLOT_SIZE - 1});
  EXPECT_EQ(s->slot[SLOT_DISPLAYED_MESSAGE + 1][0], '\0');  // the neighbour is untouched
  set_slot(*s, -1, "x");
  set_slot(*s, SLOT_COUNT, "x");
  append_slot(*s, SLOT_COUNT, "x");
}

}  // namespace
}  // namespace veltrax
