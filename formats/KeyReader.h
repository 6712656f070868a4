#pragma once
#include <string>

#include "formats/LineCursor.h"
#include "model/KeyAnimation.h"

struct TColormapPlace;
struct TGobItem;

// Bounds of what a KEY may hold: the game refuses more markers; the others lie far beyond any
// of the game's animations and keep a damaged count from asking for unbounded memory.
constexpr int kKeyMaxMarkers = 8;
constexpr int kKeyMaxNodes = 4096;
constexpr int kKeyMaxEntries = 1 << 16;        // of one node
constexpr int kKeyMaxTotalEntries = 1 << 20;  // of the whole file

// Reads a KEY animation from the text. Raises EParserError, naming `name` and the line, for
// text that is no animation the game would read; EInOutError when the source cannot be read.
TKeyAnimation ReadKey(TTextSource& source, const std::string& name);
TKeyAnimation ReadKeyFile(const std::string& path);
TKeyAnimation ReadKeyEntry(const TGobItem& item);
// A file, or a container's entry.
TKeyAnimation ReadKeyAt(const TColormapPlace& place);
// FILE, or CONTAINER:ENTRY as `--cmp` takes it (the entry by its full name or its file name).
TKeyAnimation ReadKeyNamed(const std::string& name);
