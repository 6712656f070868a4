// The main window's own commands: file, view and help.
#include <QCoreApplication>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <algorithm>
#include <cctype>
#include <filesystem>

#include "app/AboutDialog.h"
#include "app/AnimationUi.h"
#include "app/ColormapUi.h"
#include "app/Dialogs.h"
#include "app/EditingSetup.h"
#include "app/FileTypeRegistration.h"
#include "app/GobDialog.h"
#include "app/MainWindow.h"
#include "app/MaterialsDialog.h"
#include "app/MessageWindow.h"
#include "app/MouseKeysDialog.h"
#include "app/ObjImportDialog.h"
#include "app/OptionsDialog.h"
#include "app/Settings.h"
#include "editing/FileCommands.h"
#include "editing/ObjMaterials.h"
#include "model/Errors.h"
#include "model/Text.h"
#include "view/GameDrawing.h"
#include "app/TextureWindow.h"
#include "app/TimelineBar.h"
#include "formats/Gob.h"
#include "formats/FileKinds.h"
#include "view/Builder.h"
#include "view/GLArea.h"

namespace {

// Asked once per import: the materials the OBJ file's pictures become, so that the mesh
// arrives textured. Cancel imports without them.
void OfferObjMaterials(TCore& core, const std::string& path) {
  std::vector<TObjPicture> pictures;
  try {
    pictures = ObjPicturesToMake(core, path);
  } catch (const EZarnError&) {
    return;  // the import itself says what is wrong with the file
  }
  if (pictures.empty()) return;
  std::vector<std::string> lines = {"Depth=8"};
  const std::string caption = "Make " + std::to_string(pictures.size()) + " material" +
                              (pictures.size() == 1 ? "" : "s") + " of the OBJ file's pictures";
  if (!core.Services.QueryChoices(caption, lines, {"8|16"})) return;
  const std::string depth = lines.empty() ? "" : lines[0].substr(lines[0].find('=') + 1);
  if (depth != "8" && depth != "16") {
    core.Services.ShowError("The depth is 8 or 16 bits, not '" + depth + "'; no material was made");
    return;
  }
  MakeObjMaterials(core, path, pictures, depth == "8" ? 8 : 16);
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace

void TMainWindow::InstallCommands() {
  SetCommand("actFileNew", [this] { actFileNewExecute(); });
  SetCommand("actFileOpen", [this] { actFileOpenExecute(); });
  SetCommand("actFileOpenContainer",
             [this] { OpenFile(Core.Services.AskOpenFileName(ContainerFilter(), "Open from Container")); });
  SetCommand("actFileRevert", [this] { actFileRevertExecute(); });
  SetCommand("actFileSave", [this] { actFileSaveExecute(); });
  SetCommand("actFileSaveAs", [this] { actFileSaveAsExecute(); });
  SetCommand("actFileExit", [this] { close(); });
  SetCommand("actViewWireframe", [this] { SetCurrentViewMode(0); });
  SetCommand("actViewShaded", [this] { SetCurrentViewMode(1); });
  SetCommand("actViewTextured", [this] { SetCurrentViewMode(2); });
  SetCommand("actViewGame", [this] { SetCurrentViewMode(kGameViewMode); });
  SetCommand("actViewRestartGL", [this] { actViewRestartGLExecute(); });
  // Asked for, the messages come to the front, however they lay behind the main window.
  SetCommand("actViewMsg", [this] {
    frmMsg->show();
    frmMsg->raise();
    frmMsg->activateWindow();
  });
  SetCommand("actViewResetCam", [this] { actViewResetCamExecute(); });
  SetCommand("actViewFourViews", [this] {
    if (!fraBuilder) return;
    fraBuilder->SetFourViews(Action("actViewFourViews")->isChecked());
    SaveFourViews(fraBuilder->FourViews());
  });
  SetCommand("actViewMaterials", [this] {
    std::string chosen;
    TMaterialsDialog::Execute(Core, {}, chosen, this);
  });
  SetCommand("actViewOption", [this] {
    // The backgrounds show from the next change of view; the other colours at once.
    TOptionsDialog(Core, *Actions, [this] {
      if (!fraBuilder) return;
      fraBuilder->SetViewMode(fraBuilder->Cameras->Current().Rec.ViewMode);
      fraBuilder->Redraw(true);
    }, [this] { return fraBuilder; }).exec();
  });
  SetCommand("actHelpRegister3DO", [this] { actHelpRegister3DOExecute(); });
  SetCommand("actHelpAbout", [this] { TAboutDialog(fraBuilder).exec(); });
  SetCommand("actViewFrameSelection", [this] {
    if (fraBuilder) fraBuilder->FrameSelection();
  });
  SetCommand("actHelpMouseKeys", [this] { ShowMouseKeys(this, Action("actViewFrameSelection")->shortcut()); });
  InstallEditCommands(*Actions, Core, [this]() -> const TCameraRec* {
    return fraBuilder && fraBuilder->Cameras ? &fraBuilder->Cameras->Current().Rec : nullptr;
  });
  InstallTextureWindow(*this, Core);
  InstallHistoryCommands();
  InstallFormatCommands();
}

void TMainWindow::InstallFormatCommands() {
  // Import adds an OBJ mesh, or a glTF scene's nodes, to the model on screen; any other file
  // it opens as Open would. Only an OBJ file asks how to take its numbers.
  SetCommand("actFileImport", [this] {
    const std::string path = Core.Services.AskOpenFileName(ImportFilter(), "Import Mesh");
    if (IsFileFor(path, fuImport) && FileExists(path)) {
      TObjImportOptions options;
      if (IsFileFormat(path, TFileFormat::Obj) && !TObjImportDialog::Execute(options, this)) return;
      const TMessageGroup lines(frmMsg, QString::fromStdString(path));
      if (options.Materials) OfferObjMaterials(Core, path);
      if (Tell(ImportMesh(Core, path, options)) && fraBuilder) fraBuilder->ModelReplaced();
    } else {
      OpenFile(path);
    }
  });
  // Only reads the model, so it makes no step of the history.
  // The up axis is asked, starting from the import's, so that a model exported and imported
  // again with the same answer comes back standing.
  SetCommand("actFileExport", [this] {
    // Named after the model, in the folder the last export went to.
    std::string name(FileNamePart(Core.Model->FileName));
    name.resize(name.size() - ExtensionPart(name).size());
    const std::string path = Core.Services.AskSaveFileName(FileFilter(fuExport), "Export", name.empty() ? "" : name + ".obj");
    if (path.empty()) return;
    const TFileKind* kind = FileKindOf(path);
    if (!kind || !(kind->Uses & fuExport)) kind = &FileKind(TFileFormat::Obj);
    TModelFileOptions options{{}, false, &Core.Pose};
    if (kind->Format == TFileFormat::Obj) {
      TObjImportChoice choice = LoadObjImportChoice();
      std::vector<std::string> lines = {std::string("Up_axis=") + (choice.YUp ? "Y" : "Z")};
      if (!Core.Services.QueryChoices("Export OBJ", lines, {"Y|Z"})) return;
      const std::string up = lines.empty() ? "" : lines[0].substr(lines[0].find('=') + 1);
      if (up != "Y" && up != "y" && up != "Z" && up != "z") {
        Core.Services.ShowError("The up axis is Y or Z, not '" + up + "'");
        return;
      }
      choice.YUp = options.YUp = up == "Y" || up == "y";
      SaveObjImportChoice(choice);
    } else {
      options.Keys = AnimationUi->ExportKeys();
    }
    kind->WriteModel(*Core.Model, path, options);
  });
}

bool TMainWindow::Tell(const TCommandResult& result) {
  if (result.ToTell()) Core.Services.ShowError(result.Message);
  return result.Outcome == TOutcome::Done;
}

void TMainWindow::OpenFile(const std::string& path) {
  if (!FileExists(path)) {
    if (!path.empty()) Core.Services.ShowInformation("File '" + path + "' not found");
    return;
  }
  const TFileKind* kind = FileKindOf(path);
  // The new model is drawn once, with the cameras fitted to it.
  const TViewportFrame::TFrameHold held(fraBuilder);
  TCommandResult opened;
  if (kind && (kind->Uses & fuContainer)) {
    TGobItem item;
    if (!TGobDialog::Execute(path, item, this) || !SaveChangesFirst()) return;
    ColormapUi->OpeningFromContainer(item.ContainerName);
    ClearModelStatus();
    const TMessageGroup lines(frmMsg, QString::fromStdString(item.ContainerName + " > " + item.EntryName));
    opened = OpenContainerEntry(Core, item);
    if (Tell(opened) && fraBuilder) fraBuilder->ModelReplaced();
  } else if (kind && kind->ReadModel) {
    if (!SaveChangesFirst()) return;
    ClearModelStatus();
    // What the reading and the first drawing say (repairs, missing materials) stays together.
    const TMessageGroup lines(frmMsg, QString::fromStdString(path));
    opened = OpenModel(Core, path);
    if (Tell(opened) && fraBuilder) fraBuilder->ModelReplaced();
  } else {
    Core.Services.ShowInformation("File Format not supported");
  }
}

void TMainWindow::actFileNewExecute() {
  if (!SaveChangesFirst()) return;
  ClearModelStatus();
  const TViewportFrame::TFrameHold held(fraBuilder);
  if (Tell(NewModel(Core)) && fraBuilder) fraBuilder->ModelReplaced();
}

void TMainWindow::actFileOpenExecute() { OpenFile(Core.Services.AskOpenFileName(ModelFilter(), "Open")); }

void TMainWindow::actFileRevertExecute() {
  // Saving the changes first would leave nothing to go back to: Revert only asks to lose them.
  if (!FileExists(Core.Model->FileName) || (Core.History.Modified() && !AskYesNo("Discard changes?"))) return;
  ClearModelStatus();
  const TMessageGroup lines(frmMsg, QString::fromStdString(Core.Model->FileName));
  const TViewportFrame::TFrameHold held(fraBuilder);
  if (Tell(RevertModel(Core)) && fraBuilder) fraBuilder->ModelReplaced();
}

void TMainWindow::actFileSaveExecute() {
  if (FileExists(Core.Model->FileName))
    Tell(SaveModel(Core, Core.Model->FileName));
  else
    actFileSaveAsExecute();
}

void TMainWindow::actFileSaveAsExecute() {
  const std::string name = Core.Services.AskSaveFileName(ModelFilter(), "Save", Core.Model->FileName);
  if (!name.empty()) Tell(SaveModel(Core, name));
  SetTitle(Core.Model->FileName);
}

void TMainWindow::SetCurrentViewMode(int mode) {
  if (!fraBuilder) return;
  fraBuilder->Cameras->Current().Rec.ViewMode = static_cast<unsigned char>(mode);
  fraBuilder->SetViewMode(mode);
  fraBuilder->Redraw(true);
}

void TMainWindow::actViewResetCamExecute() {
  if (!fraBuilder) return;
  fraBuilder->ResetCameras();
  fraBuilder->Redraw(false);
}

void TMainWindow::actViewRestartGLExecute() {
  if (!fraBuilder || !fraBuilder->glaMain->Active()) return;
  fraBuilder->glaMain->SetActive(false);
  QThread::msleep(1000);
  StartGL();
  fraBuilder->tacCamerasChange();
}

void TMainWindow::actHelpRegister3DOExecute() {
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  // The desktop's files are the user's: nothing is written there unasked.
  QMessageBox ask(QMessageBox::Question, "Register 3DO",
                  "Make the desktop open .3do files with ZARN?\n\nThis writes\n" + data +
                      "/mime/packages/ZARNModel.xml,\n" + data + "/applications/ZARNModel.desktop\nand one line of " +
                      config + "/mimeapps.list.",
                  QMessageBox::Yes | QMessageBox::No, this);
  ask.setObjectName("msgRegister3DO");
  ask.setDefaultButton(QMessageBox::No);
  if (ask.exec() != QMessageBox::Yes) return;
  RegisterFileType(QCoreApplication::applicationFilePath().toStdString(), data.toStdString(), config.toStdString());
  // The desktop's caches pick the new type up at once when their tools are there.
  QProcess::execute("update-mime-database", {data + "/mime"});
  QProcess::execute("update-desktop-database", {data + "/applications"});
  Core.Services.ShowInformation(
      "3DO files registered.\nIt is now possible to double click 3DO files to open them in ZARN");
}
