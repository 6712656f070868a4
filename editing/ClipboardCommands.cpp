#include "editing/ClipboardCommands.h"

#include <filesystem>

#include "editing/DeleteOps.h"
#include "model/Core.h"
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

}  // namespace

void CopyNodes(TCore& core) {
  if (core.EditMode != emNode) return;
  std::string text;
  core.Model->Write3DO(text, core.Nodes.Items());
  core.Services.SetClipboardText(text);
}

void CutNodes(TCore& core) {
  if (core.EditMode != emNode) return;
  CopyNodes(core);
  DeleteNodes(core, core.Nodes.Items());
}

void PasteNodes(TCore& core) {
  const std::string text = core.Services.GetClipboardText();
  if (text.empty()) return;
  if (Upper(std::string(FirstLine(text))).find(Upper(GetProductName())) == std::string::npos) return;
  core.Model->Parse3DO(text);
}

void actEditCopy(TCore& core) { CopyNodes(core); }

void actEditCut(TCore& core) {
  CutNodes(core);
  core.Services.Redraw(true);
  core.Services.FillTree();
}

void actEditPaste(TCore& core) {
  PasteNodes(core);
  core.Services.Redraw(true);
  core.Services.FillTree();
}

void actFileInsert(TCore& core) {
  const std::string path = core.Services.AskOpenFileName(ModelFilter(), "Open");
  std::error_code error;
  if (path.empty() || !std::filesystem::is_regular_file(path, error)) return;
  const std::string fileName = core.Model->FileName;
  core.Model->LoadFromFile(path);
  core.Model->FileName = fileName;
  core.Services.FillTree();
  core.Services.FillMaterialList();
  core.Services.Redraw(true);
}
