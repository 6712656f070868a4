#pragma once
#include <string>
#include <string_view>

// Colours as the settings file writes them: 0x00BBGGRR values, written as the name of a
// standard colour ("clWhite") when the value is one, else "$" and eight lower-case
// hexadecimal digits ("$00dd6f00").
std::string ColorToString(unsigned color);
// Takes the standard and the system colour names (any case), decimal numbers and "$"
// hexadecimal numbers. A system colour gives its classic desktop value, and any number is cut
// to its colour bits. Other text raises EConvertError "'%s' is not a valid integer value".
unsigned StringToColor(std::string_view text);
