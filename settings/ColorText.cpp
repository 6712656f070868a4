#include "settings/ColorText.h"

#include <charconv>
#include <cstdint>
#include <cstdio>

#include "model/Errors.h"
#include "model/Text.h"

namespace {

struct TColorName {
  const char* Name;
  unsigned Value;
};

constexpr TColorName StandardColors[] = {
    {"clBlack", 0x000000},  {"clMaroon", 0x000080}, {"clGreen", 0x008000}, {"clOlive", 0x008080},
    {"clNavy", 0x800000},   {"clPurple", 0x800080}, {"clTeal", 0x808000},  {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0}, {"clRed", 0x0000FF},    {"clLime", 0x00FF00},  {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},   {"clFuchsia", 0xFF00FF}, {"clAqua", 0xFFFF00}, {"clWhite", 0xFFFFFF},
};

// The system colours by their index in the desktop's colour table, with the values of its
// classic scheme: a file written on another desktop still reads as something sensible.
constexpr TColorName SystemColors[] = {
    {"clScrollBar", 0xC8D0D4},       {"clBackground", 0xA56E3A},      {"clActiveCaption", 0x6A240A},
    {"clInactiveCaption", 0x808080}, {"clMenu", 0xC8D0D4},            {"clWindow", 0xFFFFFF},
    {"clWindowFrame", 0x000000},     {"clMenuText", 0x000000},        {"clWindowText", 0x000000},
    {"clCaptionText", 0xFFFFFF},     {"clActiveBorder", 0xC8D0D4},    {"clInactiveBorder", 0xC8D0D4},
    {"clAppWorkSpace", 0x808080},    {"clHighlight", 0x6A240A},       {"clHighlightText", 0xFFFFFF},
    {"clBtnFace", 0xC8D0D4},         {"clBtnShadow", 0x808080},       {"clGrayText", 0x808080},
    {"clBtnText", 0x000000},         {"clInactiveCaptionText", 0xC8D0D4}, {"clBtnHighlight", 0xFFFFFF},
    {"cl3DDkShadow", 0x404040},      {"cl3DLight", 0xC8D0D4},         {"clInfoText", 0x000000},
    {"clInfoBk", 0xE1FFFF},
};
// Numbers with this high byte name a system colour by the index in the low byte.
constexpr uint32_t SystemColorFlag = 0xFF000000u;

bool ParseNumber(std::string_view text, uint32_t& value) {
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    text.remove_prefix(1);
    base = 16;
  }
  if (text.empty() || text[0] == '+' || (base == 16 && text[0] == '-')) return false;
  const char* end = text.data() + text.size();
  if (base == 10) {
    int32_t number = 0;
    const auto [stop, ec] = std::from_chars(text.data(), end, number);
    value = static_cast<uint32_t>(number);
    return ec == std::errc() && stop == end;
  }
  const auto [stop, ec] = std::from_chars(text.data(), end, value, 16);
  return ec == std::errc() && stop == end;
}

}  // namespace

std::string ColorToString(unsigned color) {
  for (const TColorName& standard : StandardColors)
    if (standard.Value == color) return standard.Name;
  char text[16];
  std::snprintf(text, sizeof text, "$%.8x", color);
  return text;
}

unsigned StringToColor(std::string_view text) {
  for (const TColorName& standard : StandardColors)
    if (SameText(text, standard.Name)) return standard.Value;
  for (const TColorName& system : SystemColors)
    if (SameText(text, system.Name)) return system.Value;
  uint32_t value = 0;
  if (!ParseNumber(text, value)) throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  const uint32_t index = value & 0xFFu;
  if ((value & 0xFFFFFF00u) == SystemColorFlag && index < std::size(SystemColors)) return SystemColors[index].Value;
  return value & 0xFFFFFFu;
}
