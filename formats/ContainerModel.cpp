// Reading a model that lies inside a container.
#include "formats/Gob.h"
#include "formats/ProgressSource.h"
#include "model/Core.h"
#include "model/Errors.h"
#include "model/Model.h"

#include <memory>

namespace {

// While a model is read from a container, that container is searched first for the
// materials the model names; it leaves the list again however the reading ends.
class TContainerFirst {
 public:
  TContainerFirst(TCore* core, const std::string& container) : Core(core) {
    if (Core) Core->ResourceList.insert(Core->ResourceList.begin(), container);
  }
  ~TContainerFirst() {
    if (Core && !Core->ResourceList.empty()) Core->ResourceList.erase(Core->ResourceList.begin());
  }
  TContainerFirst(const TContainerFirst&) = delete;
  TContainerFirst& operator=(const TContainerFirst&) = delete;

 private:
  TCore* Core;
};

}  // namespace

TReadResult TModel::LoadFromContainer(const TGobItem& item) {
  FileName = item.ContainerName + " > " + item.EntryName;
  std::unique_ptr<TGobEntrySource> entry;
  try {
    entry = std::make_unique<TGobEntrySource>(item);
  } catch (const EZarnError& e) {
    const std::string message = e.what();  // it names the file and the reason
    ShowError(message);
    return TReadResult::Failure(message);
  }
  // Read in blocks up to the first zero byte, however long the entry claims to be.
  TProgress progress(Services(), "Reading", item.Length, kProgressBytes);
  TProgressSource source(*entry, progress);
  TLineCursor lines(source);
  const TContainerFirst first(Core, item.ContainerName);
  return Parse3DO(lines);
}
