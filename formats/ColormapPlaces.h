#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "formats/Cmp.h"
#include "formats/Gob.h"

class TMaterials;

// Where a colormap is: a file of its own, or an entry of a container.
struct TColormapPlace {
  std::string Path;   // the file, or the container
  std::string Entry;  // the entry's name in the container ("misc\cmp\x.cmp"); empty for a file
  uint64_t Start = 0, Length = UINT64_MAX;

  // FILE, or CONTAINER:ENTRY: what the list shows, the settings keep and `--cmp` takes.
  std::string Name() const { return Entry.empty() ? Path : Path + ":" + Entry; }
};

// The colormaps of a container: its entries under misc\cmp\, in directory order. None when
// the file is missing or no container; a damaged directory raises EInOutError.
std::vector<TColormapPlace> ColormapsInContainer(const std::string& container);

// The colormaps a model can be seen with: the .cmp files of its folder and of that folder's
// Misc/Cmp subfolder (either name in any case), each folder's sorted by name, then those of
// the listed containers in their order. Damaged containers are skipped.
std::vector<TColormapPlace> FindColormaps(const std::string& modelPath, const std::vector<std::string>& containers);

// The place a name of TColormapPlace::Name stands for: a file when one has the whole name
// (a path may hold colons), else the entry after the last colon, by its full name ("\" or
// "/" between folders) or by its file name. Raises EInOutError saying what is missing.
TColormapPlace ColormapPlaceNamed(const std::string& name);

TColormap ReadColormap(const TColormapPlace& place);
// The container entry a place names, for the readers of entries (its Entry is not empty).
TGobItem GobItemAt(const TColormapPlace& place);

// Makes the colormap (null: the built-in palette, without light table) the one 8-bit
// materials and colour records are seen through, decoding every material again.
void ChangeColormap(TMaterials& materials, const TColormap* colormap);
