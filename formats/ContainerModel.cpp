// Reading a model that lies inside a container.
#include "formats/Gob.h"
#include "formats/ProgressSource.h"
#include "model/Errors.h"
#include "model/Model.h"

#include <memory>

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
  // Read in blocks up to the first zero byte, however long the entry claims to be. The
  // materials are looked up in the container first, which the file name names.
  TProgress progress(Services, "Reading", item.Length, kProgressBytes);
  TProgressSource source(*entry, progress);
  TLineCursor lines(source);
  return Parse3DO(lines, FileName);
}
