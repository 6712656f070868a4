#include "formats/FileKinds.h"
#include "editing/ClipboardCommands.h"

#include <algorithm>
#include <cstring>

#include "editing/DeleteOps.h"
#include "formats/ProgressSource.h"
#include "document/Core.h"
#include "formats/ThreeDo.h"
#include "model/VersionInfo.h"

namespace {

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

std::string_view FirstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

// A text handed out a block at a time, so that the progress of its reading can be followed.
class TTextBlocks : public TTextSource {
 public:
  explicit TTextBlocks(std::string_view text) : Rest(text) {}
  size_t Read(char* buffer, size_t size) override {
    const size_t n = std::min(size, Rest.size());
    std::memcpy(buffer, Rest.data(), n);
    Rest.remove_prefix(n);
    return n;
  }

 private:
  std::string_view Rest;
};

}  // namespace

void CopyNodes(TCore& core) {
  if (core.EditMode != emNode) return;
  std::string text;
  Write3DO(*core.Model, text, core.Nodes.Items());
  core.Services.SetClipboardText(text);
}

void CutNodes(TCore& core) {
  if (core.EditMode != emNode) return;
  CopyNodes(core);
  DeleteNodes(core, core.Nodes.Items());
}

TCommandResult PasteNodes(TCore& core) {
  const std::string text = core.Services.GetClipboardText();
  if (text.empty()) return {};
  if (Upper(std::string(FirstLine(text))).find(Upper(GetProductName())) == std::string::npos) return {};
  TProgress progress(&core.Services, "Pasting", text.size(), kProgressBytes);
  TTextBlocks blocks(text);
  TProgressSource source(blocks, progress);
  TLineCursor lines(source);
  if (const TReadResult read = Parse3DO(*core.Model, lines, "the clipboard text"); !read)
    return TCommandResult::Failed(read.Message, true);
  return {};
}

TCommandResult actEditCopy(TCore& core) {
  CopyNodes(core);
  return {};
}

TCommandResult actEditCut(TCore& core) {
  CutNodes(core);
  core.Changed(chGeometry);
  core.Changed(chHierarchy);
  return {};
}

TCommandResult actEditPaste(TCore& core) {
  TCommandResult pasted = PasteNodes(core);
  core.Changed(chGeometry);
  core.Changed(chHierarchy);
  return pasted;
}

TCommandResult actFileInsert(TCore& core) {
  const std::string path = core.Services.AskOpenFileName(ModelFilter(), "Open");
  // The reader says why a path that is no readable file is refused.
  if (path.empty()) return {};
  const std::string fileName = core.Model->FileName;
  const TReadResult read = Load3DOFile(*core.Model, path);
  core.Model->FileName = fileName;
  core.Changed(chHierarchy);
  core.Changed(chMaterials);
  core.Changed(chGeometry);
  if (!read) return TCommandResult::Failed(read.Message, true);
  return {};
}
