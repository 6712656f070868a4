#pragma once
#include <string>
#include <string_view>

// Names in the game's files compare without regard to case, as the game's file system does,
// and paths separate their parts with "\", "/" or ":".

// Equal but for the case of ASCII letters.
bool SameText(std::string_view a, std::string_view b);
bool StartsWithText(std::string_view text, std::string_view start);
// Sorts names as the game's lists show them, case aside.
bool LessNoCase(std::string_view a, std::string_view b);

// The text after the last "\", "/" or ":".
std::string_view FileNamePart(std::string_view path);
// The text from the last "." when no "\", "/" or ":" follows it; empty otherwise.
std::string_view ExtensionPart(std::string_view path);
