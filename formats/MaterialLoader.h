#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>

#include "formats/Gob.h"

class TCore;
class TMaterial;

// Finds a material's file and reads it: the current model's folder, its "Mat" subfolder,
// then the containers of the core's resource list in their order. Problems go to the output
// list; a material that was not found stays unloaded and is drawn without texture.
class TMaterialLoader {
 public:
  explicit TMaterialLoader(TCore& core) : Core(core) {}
  void Load(TMaterial& material);
  // Whether Load would find the file of the material so named; reads and reports nothing
  // but a damaged container.
  bool Found(const std::string& name);

 private:
  // Where the material's file is: a whole file, or a part of a container.
  struct TPlace {
    std::string Path;
    uint64_t Start = 0, Length = UINT64_MAX;
  };
  bool Locate(const std::string& name, TPlace& place);
  bool InContainer(const std::string& name, const std::string& container, TPlace& place);
  void Read(TMaterial& material, const std::string& path, uint64_t start, uint64_t length);
  struct TCachedDirectory {
    int64_t Size = -1, ModifiedNs = -1;
    uint64_t Inode = 0;
    bool Usable = false;
    TGob Gob;
    // Entry index by file name in lower case, the last of equal names winning as in
    // TGob::FindFile: with many long containers listed, every material walks them all.
    std::unordered_map<std::string, int> ByFileName;
  };
  // The directory of a listed container, read again only when the file changed; null when
  // it is no usable container. A damaged one is reported once per version of the file.
  const TCachedDirectory* Directory(const std::string& container);

  TCore& Core;
  std::map<std::string, TCachedDirectory> Directories;
};

// Whether a material of the core's model would be found, asked as the game-readiness check
// asks it.
std::function<bool(const std::string&)> MaterialFinder(TCore& core);

// Makes every material of the core's model load itself this way when it is added.
void InstallMaterialLoader(TCore& core);
