// The main window's own commands: file, view and help.
#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/AboutDialog.h"
#include "app/EditingSetup.h"
#include "app/FileTypeRegistration.h"
#include "app/GobDialog.h"
#include "app/MainWindow.h"
#include "app/MaterialsDialog.h"
#include "app/MessageWindow.h"
#include "app/MouseKeysDialog.h"
#include "app/ObjImportDialog.h"
#include "app/OptionsDialog.h"
#include "editing/GameCheck.h"
#include "editing/GameWarnings.h"
#include "editing/Step.h"
#include "formats/MaterialLoader.h"
#include "formats/ObjExport.h"
#include "view/Builder.h"
#include "view/GLArea.h"

namespace {
bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

std::string UpperExtension(const std::string& path) {
  const size_t dot = path.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : path.substr(dot);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::toupper(c); });
  return ext;
}
}  // namespace

void TfrmMain::InstallCommands() {
  SetCommand("actFileNew", [this] { actFileNewExecute(); });
  SetCommand("actFileOpen", [this] { actFileOpenExecute(); });
  SetCommand("acnFileRevert", [this] { acnFileRevertExecute(); });
  SetCommand("actFileSave", [this] { actFileSaveExecute(); });
  SetCommand("actFileSaveAs", [this] { actFileSaveAsExecute(); });
  SetCommand("actFileExit", [this] { close(); });
  SetCommand("acnViewWireframe", [this] { SetCurrentViewMode(0); });
  SetCommand("acnViewShaded", [this] { SetCurrentViewMode(1); });
  SetCommand("acnViewTextured", [this] { SetCurrentViewMode(2); });
  SetCommand("actViewRestartGL", [this] { actViewRestartGLExecute(); });
  SetCommand("actViewMsg", [this] { frmMsg->setVisible(!frmMsg->isVisible()); });
  SetCommand("actViewResetCam", [this] { actViewResetCamExecute(); });
  SetCommand("acnViewMaterials", [this] {
    std::string chosen;
    TfrmMat::Execute(Core, {}, chosen, this);
  });
  SetCommand("actViewOption", [this] { TfrmOptions(Core, *this).exec(); });
  SetCommand("actHelpRegister3DO", [this] { actHelpRegister3DOExecute(); });
  SetCommand("actHelpAbout", [this] { TfrmAbout(fraBuilder).exec(); });
  SetCommand("actViewFrameSelection", [this] {
    if (fraBuilder) fraBuilder->FrameSelection();
  });
  SetCommand("actHelpMouseKeys", [this] { ShowMouseKeys(this, Action("actViewFrameSelection")->shortcut()); });
  InstallEditCommands(*this, Core);
  InstallHistoryCommands();

  OpenHandlers[".3DO"] = [this](const std::string& path) {
    if (!ReplaceModel()) return false;
    ModelRead(Core.Model->LoadFromFile(path), path);
    return true;
  };
  InstallFormatCommands();
}

void TfrmMain::InstallFormatCommands() {
  // Import adds an OBJ mesh to the model on screen; any other file it opens as Open would.
  SetCommand("actFileImport", [this] {
    const std::string path = Core.Services.AskOpenFileName(ImportFilter(), "Import Mesh");
    if (UpperExtension(path) == ".OBJ" && FileExists(path)) {
      TObjImportOptions options;
      if (!TfrmObjImport::Execute(options, this)) return;
      RunStep(Core, "Import", [&] {
        ImportObj(path, options);
        if (fraBuilder) fraBuilder->ModelReplaced();
      });
    } else {
      OpenFile(path);
    }
  });
  // Only reads the model, so it makes no step of the history.
  SetCommand("actFileExport", [this] {
    const std::string path = Core.Services.AskSaveFileName(ImportFilter(), "Export");
    if (!path.empty()) ExportObj(*Core.Model, path);
  });
  // Opened, an OBJ file is a model of its own: merged into the one on screen, it would be
  // saved over that model's file.
  OpenHandlers[".OBJ"] = [this](const std::string& path) {
    if (!ReplaceModel()) return false;
    ImportObj(path);
    Core.History.Reset(Core);
    return true;
  };
  const auto container = [this](const std::string& path) {
    TGobItem item;
    if (!TfrmDlgGob::Execute(path, item, this) || !ReplaceModel()) return false;
    ModelRead(Core.Model->LoadFromContainer(item), item.ContainerName + " > " + item.EntryName);
    return true;
  };
  OpenHandlers[".GOB"] = container;
  OpenHandlers[".GOO"] = container;
}

void TfrmMain::ImportObj(const std::string& path, const TObjImportOptions& options) {
  // Normals and radius are brought up to date even when bad content ends the import, so
  // that what was added draws and the cameras fit it.
  struct TUpdateAfter {
    TModel& Model;
    ~TUpdateAfter() { Model.Update(); }
  } update{*Core.Model};
  Core.Model->ImportObj(path, options);
}

void TfrmMain::ModelRead(const TReadResult& read, const std::string& source) {
  if (!read) {
    // Saving what was read over the file would destroy the rest of it, so Save must ask.
    Core.Model->FileName.clear();
    Core.Services.AddOutput("'" + source +
                            "' was read only in part; the model is untitled so that Save asks for a name");
  }
  Core.History.Reset(Core);  // which shows the file's name in the title
}

void TfrmMain::OpenFile(const std::string& path) {
  if (!FileExists(path)) {
    if (!path.empty()) Core.Services.ShowInformation("File '" + path + "' not found");
    return;
  }
  const auto handler = OpenHandlers.find(UpperExtension(path));
  if (handler == OpenHandlers.end())
    Core.Services.ShowInformation("File Format not supported");
  else if (!handler->second(path))
    return;
  if (fraBuilder) fraBuilder->ModelReplaced();
}

bool TfrmMain::ReplaceModel() {
  if (!SaveChangesFirst()) return false;
  Core.Model->Clear();
  Core.History.Reset(Core);
  if (fraBuilder) {
    Core.Services.FillMaterialList();
    Core.Services.UpdateProperties();
    fraBuilder->ModelReplaced();
  }
  return true;
}

void TfrmMain::actFileNewExecute() { ReplaceModel(); }

void TfrmMain::actFileOpenExecute() { OpenFile(Core.Services.AskOpenFileName(ModelFilter(), "Open")); }

void TfrmMain::acnFileRevertExecute() {
  if (!FileExists(Core.Model->FileName) || !SaveChangesFirst()) return;
  const std::string name = Core.Model->FileName;
  Core.Model->Clear();
  ModelRead(Core.Model->LoadFromFile(name), name);
  Core.Services.FillTree();
  Core.Services.FillMaterialList();
  Core.Services.Redraw(true);
}

bool TfrmMain::ReadyForGameOrSaveAnyway() {
  for (const std::string& line : GameWarnings(*Core.Model)) Core.Services.AddOutput("Warning: " + line);
  const std::vector<std::string> breaches = CheckForGame(*Core.Model, MaterialFinder(Core));
  if (breaches.empty()) return true;
  for (const std::string& line : breaches) Core.Services.AddOutput(line);
  return Core.Services.AskSaveAnyway(breaches);
}

void TfrmMain::actFileSaveExecute() {
  if (FileExists(Core.Model->FileName)) {
    if (!ReadyForGameOrSaveAnyway()) return;
    Core.Model->SaveToFile(Core.Model->FileName);
    Core.History.MarkSaved();
  } else {
    actFileSaveAsExecute();
  }
}

void TfrmMain::actFileSaveAsExecute() {
  const std::string name = Core.Services.AskSaveFileName(ModelFilter(), "Save");
  if (!name.empty() && ReadyForGameOrSaveAnyway()) {
    Core.Model->SaveToFile(name);
    Core.History.MarkSaved();
  }
  SetTitle(Core.Model->FileName);
}

void TfrmMain::SetCurrentViewMode(int mode) {
  if (!fraBuilder) return;
  fraBuilder->Cameras->Current().Rec.ViewMode = static_cast<unsigned char>(mode);
  fraBuilder->SetViewMode(mode);
  fraBuilder->Redraw(true);
}

void TfrmMain::actViewResetCamExecute() {
  if (!fraBuilder) return;
  fraBuilder->ResetCameras();
  fraBuilder->Redraw(false);
}

void TfrmMain::actViewRestartGLExecute() {
  if (!fraBuilder || !fraBuilder->glaMain->Active()) return;
  fraBuilder->glaMain->SetActive(false);
  QThread::msleep(1000);
  StartGL();
  fraBuilder->tacCamerasChange();
}

void TfrmMain::actHelpRegister3DOExecute() {
  RegisterFileType(QCoreApplication::applicationFilePath().toStdString(),
                   QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString(),
                   QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString());
  // The desktop's caches pick the new type up at once when their tools are there.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  QProcess::execute("update-mime-database", {data + "/mime"});
  QProcess::execute("update-desktop-database", {data + "/applications"});
  Core.Services.ShowInformation(
      "3DO files registered.\n\rIt is now possible to double click 3DO files to open them in ZARN");
}
