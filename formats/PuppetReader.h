#pragma once
#include <string>
#include <string_view>

#include "formats/LineCursor.h"
#include "model/Puppet.h"

struct TColormapPlace;
struct TGobItem;

// Bounds of what a puppet may hold. Mode numbers below this cover every puppet
// of the game many times over; with each move and body part kept once, they
// bound the whole record.
constexpr int kPuppetMaxModes = 64;
constexpr int kPuppetBodyParts = 10;
constexpr int kPuppetMaxNode = 4095;  // as a KEY's node index

// Whether the game knows the move (a submode line's first word), case aside.
bool IsPuppetMove(std::string_view name);

// Reads a puppet from the text as the game does: lower case, "#" to the line's
// end a comment, words between spaces, tabs, "=" and ",". Raises EParserError,
// naming `name` and the line, for text the game would not make a puppet of;
// EInOutError when the source cannot be read.
TPuppet ReadPuppet(TTextSource& source, const std::string& name);
TPuppet ReadPuppetFile(const std::string& path);
TPuppet ReadPuppetEntry(const TGobItem& item);
TPuppet ReadPuppetAt(const TColormapPlace& place);
// FILE, or CONTAINER:ENTRY as `--key` takes it.
TPuppet ReadPuppetNamed(const std::string& name);
