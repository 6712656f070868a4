#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "formats/Gob.h"

class TMaterial;
class TModel;
class TUserServices;

// Finds a material's file and reads it: for a model read from a container that container,
// then the model's folder, its "Mat" subfolder and the listed containers in their order. Problems go to the output
// list; a material that was not found stays unloaded and is drawn without texture.
class TMaterialLoader {
 public:
  TMaterialLoader(TUserServices& services, const TModel& model, const std::vector<std::string>& containers)
      : Services(services), Model(model), Containers(containers) {}
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

  TUserServices& Services;
  const TModel& Model;
  const std::vector<std::string>& Containers;
  std::map<std::string, TCachedDirectory> Directories;
};
