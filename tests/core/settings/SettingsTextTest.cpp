#include <cctype>

#include "settings/ColorText.h"
#include "model/Errors.h"
#include "settings/ShortcutText.h"
#include "tests/core/TestSupport.h"

namespace {

TEST(ColorText, EveryValueIsWrittenAsANameOrEightHexDigitsAndReadsBackAsDoOtherSpellings) {
  EXPECT_EQ(ColorToString(0xFFFFFF), "clWhite");
  EXPECT_EQ(ColorToString(0xDD6F00), "$00dd6f00");
  int names = 0;
  for (unsigned r : {0x00, 0x01, 0x6F, 0x80, 0xC0, 0xDD, 0xFF})
    for (unsigned g : {0x00, 0x01, 0x6F, 0x80, 0xC0, 0xDD, 0xFF})
      for (unsigned b : {0x00, 0x01, 0x6F, 0x80, 0xC0, 0xDD, 0xFF}) {
        const unsigned value = r | g << 8 | b << 16;
        const std::string text = ColorToString(value);
        EXPECT_EQ(StringToColor(text), value) << text;
        if (text.rfind("cl", 0) == 0) {
          ++names;
          continue;
        }
        ASSERT_EQ(text.size(), 9u) << text;
        EXPECT_EQ(text[0], '$');
        for (const char c : text.substr(1)) EXPECT_TRUE(std::isdigit(c) || (c >= 'a' && c <= 'f')) << text;
      }
  EXPECT_EQ(names, 16);
  // Names in any case, numbers and system colours read too.
  const struct { const char* Text; unsigned Value; } rows[] = {
      {"clwhite", 0xFFFFFF},  {"CLRED", 0x0000FF},     {"16777215", 0xFFFFFF}, {"$FF", 0x0000FF},
      {"$00DD6F00", 0xDD6F00}, {"$12345678", 0x345678}, {"-1", 0xFFFFFF},       {"clWindow", 0xFFFFFF},
      {"clBtnFace", 0xC8D0D4}, {"$FF00000F", 0xC8D0D4}, {"-16777201", 0xC8D0D4},
  };
  for (const auto& row : rows) EXPECT_EQ(StringToColor(row.Text), row.Value) << row.Text;
  for (const char* bad : {"", "xyz", "$", "$-1", "$xyz", "12a", "clNoSuchColour", "$123456789", "99999999999"})
    ExpectThrowWhat<EConvertError>([&] { StringToColor(bad); }, "'" + std::string(bad) + "' is not a valid integer value");
}

TEST(ShortcutText, ShortcutsReadBackAsWrittenAndOtherSpellingsAreNormalised) {
  const struct { const char* Read; const char* Written; } rows[] = {  // empty: no shortcut
      {"Ctrl+Up", "Ctrl+Up"}, {"F5", "F5"}, {"ctrl+n", "Ctrl+N"}, {"Alt+Ctrl+A", "Ctrl+Alt+A"},
      {"Shift+BkSp", "Shift+BkSp"}, {"Ctrl+Alt+Z", "Ctrl+Alt+Z"}, {"Ctrl+Shift+Del", "Shift+Ctrl+Del"},
      {"ctrl+bksp", "Ctrl+BkSp"}, {"Shift+PgDn", "Shift+PgDn"}, {"Ctrl+9", "Ctrl+9"}, {"F24", "F24"}, {"", ""},
      {"Ctrl+", ""}, {"Ctrl+Backspace", ""}, {"F25", ""}, {"F0", ""}, {"F05", ""}, {"Ctrl+NN", ""},
      {"Win+A", ""}, {"Ctrl+N+", ""}};
  for (const auto& row : rows) EXPECT_EQ(ShortCutToText(TextToShortCut(row.Read)), row.Written) << row.Read;
}

}  // namespace
