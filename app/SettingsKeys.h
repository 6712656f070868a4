#pragma once
#include <QKeySequence>
#include <string>
#include <string_view>

// A key sequence in the notation of the settings file and the options dialog ("Ctrl+BkSp"):
// its first key only, empty for none or for a key the notation has no name for.
std::string KeyText(const QKeySequence& keys);
// The sequence for such a text; text that is no shortcut gives the empty sequence.
QKeySequence KeyFromText(std::string_view text);
