// Reading a model that lies inside a container.
#include "formats/Gob.h"
#include "formats/ProgressSource.h"
#include "formats/ThreeDo.h"
#include "model/Errors.h"
#include "model/Model.h"

#include <memory>

TReadResult Load3DOEntry(TModel& model, const TGobItem& item) {
  model.FileName = item.ContainerName + " > " + item.EntryName;
  std::unique_ptr<TGobEntrySource> entry;
  try {
    entry = std::make_unique<TGobEntrySource>(item);
  } catch (const EZarnError& e) {
    const std::string message = e.what();  // it names the file and the reason
    model.ShowError(message);
    return TReadResult::Failure(message);
  }
  // Read in blocks up to the first zero byte, however long the entry claims to be. The
  // materials are looked up in the container first, which the file name names.
  TProgress progress(model.Services, "Reading", item.Length, kProgressBytes);
  TProgressSource source(*entry, progress);
  TLineCursor lines(source);
  return Parse3DO(model, lines, model.FileName);
}
