#include "formats/FileKinds.h"
#include "app/AnimationUi.h"

#include <QBoxLayout>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "app/GobDialog.h"
#include "app/PuppetDialog.h"
#include "app/TimelineBar.h"
#include "document/Core.h"
#include "formats/KeyReader.h"
#include "formats/KeyWriter.h"
#include "formats/PuppetCheck.h"
#include "formats/PuppetKeys.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/KeyCheck.h"
#include "model/Text.h"

TAnimationUi::TAnimationUi(QMainWindow& window, TCore& core) : QObject(&window), Window(window), Core(core) {
  auto* menu = new QMenu("&Animation", &window);
  menu->setObjectName("mnuAnimation");
  QAction* help = nullptr;
  for (QAction* a : window.menuBar()->actions())
    if (a->text() == "&Help") help = a;
  window.menuBar()->insertMenu(help, menu);
  QAction* open = menu->addAction("&Open Animation...");
  open->setObjectName("actAnimationOpen");
  open->setStatusTip("Play one of the game's keyframe animations (.key) on the model");
  connect(open, &QAction::triggered, this, &TAnimationUi::Open);
  QAction* puppet = menu->addAction("Open &Puppet...");
  puppet->setObjectName("actAnimationOpenPuppet");
  puppet->setStatusTip("Choose a move of one of the game's puppets (.pup) and play its animation");
  connect(puppet, &QAction::triggered, this, &TAnimationUi::OpenPuppet);
  SaveAction = menu->addAction("&Save Animation As...");
  SaveAction->setObjectName("actAnimationSaveAs");
  SaveAction->setStatusTip("Write the open animation as a keyframe animation file (.key)");
  SaveAction->setEnabled(false);
  connect(SaveAction, &QAction::triggered, this, &TAnimationUi::SaveAs);
  CloseAction = menu->addAction("&Close Animation");
  CloseAction->setObjectName("actAnimationClose");
  CloseAction->setStatusTip("Back to the model's rest pose");
  CloseAction->setEnabled(false);
  connect(CloseAction, &QAction::triggered, this, &TAnimationUi::Close);
  Bar = new TTimelineBar(core, window.centralWidget());
  if (auto* column = qobject_cast<QBoxLayout*>(window.centralWidget()->layout())) column->insertWidget(0, Bar);
  // An animation belongs to the model it was opened on: another model's nodes would take
  // its poses by name and come out a tangle.
  Subscription = Core.Events.Subscribe([this](unsigned changes) {
    if (!(changes & chModel) || !Bar->IsOpen()) return;
    Core.Services.AddOutput("Animation " + Bar->Name().toStdString() + " closed: another model was opened");
    Close();
  });
}

TAnimationUi::~TAnimationUi() { Core.Events.Unsubscribe(Subscription); }

void TAnimationUi::Open() {
  const std::string path = Core.Services.AskOpenFileName(FileFilter(fuAnimation | fuContainer), "Open Animation");
  if (!path.empty()) OpenPath(path);
}

bool TAnimationUi::OpenPath(const std::string& path) {
  try {
    if (IsFileFor(path, fuContainer)) {
      TGobItem item;
      if (!TGobDialog::ExecuteKey(path, item, &Window)) return false;
      Opened(ReadKeyEntry(item), item.EntryName);
    } else {
      Opened(ReadKeyFile(path), std::string(FileNamePart(path)));
    }
    return true;
  } catch (const EZarnError& e) {
    Core.Services.ShowError(e.what());
    return false;
  }
}

void TAnimationUi::OpenPuppet() {
  const std::string path =
      Core.Services.AskOpenFileName(FileFilter(fuPuppet | fuContainer), "Open Puppet");
  if (!path.empty()) OpenPuppetPath(path);
}

bool TAnimationUi::OpenPuppetPath(const std::string& path) {
  try {
    TColormapPlace place{path, "", 0, UINT64_MAX};
    if (IsFileFor(path, fuContainer)) {
      TGobItem item;
      if (!TGobDialog::ExecutePuppet(path, item, &Window)) return false;
      place = {path, item.EntryName, item.Offset, item.Length};
    }
    const std::string name(FileNamePart(place.Entry.empty() ? place.Path : place.Entry));
    const TPuppet puppet = ReadPuppetAt(place);
    if (const std::string ignored = IgnoredLinesWarning(puppet); !ignored.empty())
      Core.Services.AddOutput(name + ": " + ignored);
    const TPuppetSubmode* move = TPuppetDialog::Execute(puppet, name, &Window);
    if (!move) return false;
    const std::optional<TColormapPlace> key =
        FindPuppetKey(move->Key, Core.Model->FileName, place, Core.ResourceList);
    if (!key) {
      Core.Services.ShowError(move->Key + " (" + move->Name + " of " + name +
                              ") is not beside the model, in its key folder or in 3do\\key\\ of a "
                              "container");
      return false;
    }
    Opened(ReadKeyAt(*key), move->Key);
    Puppet = TOpenPuppet{puppet, place};
    return true;
  } catch (const EZarnError& e) {
    Core.Services.ShowError(e.what());
    return false;
  }
}

void TAnimationUi::Opened(TKeyAnimation key, const std::string& name) {
  // The model is told what does not fit before it moves, so that a jumbled pose has a reason.
  for (const std::string& line : CheckKeyAgainstModel(*Core.Model, key)) Core.Services.AddOutput(name + ": " + line);
  Bar->Open(std::move(key), name);
  Puppet.reset();
  SaveAction->setEnabled(true);
  CloseAction->setEnabled(true);
}

void TAnimationUi::SaveAs() {
  if (!Bar->IsOpen()) return;
  const std::string name(FileNamePart(Bar->Name().toStdString()));
  const std::string path = Core.Services.AskSaveFileName(FileFilter(fuAnimation), "Save Animation As", name);
  if (path.empty()) return;
  try {
    SaveKeyFile(*Bar->Animation(), path);
  } catch (const EZarnError& e) {
    Core.Services.ShowError(e.what());
  }
}

std::vector<TNamedKey> TAnimationUi::ExportKeys() const {
  if (Puppet) return PuppetAnimations(*Core.Model, Puppet->Puppet, Puppet->Place, Core.ResourceList);
  const TKeyAnimation* key = Bar->Animation();
  if (!key) return {};
  const std::string file(FileNamePart(Bar->Name().toStdString()));
  return {{file.substr(0, file.size() - ExtensionPart(file).size()), *key}};
}

void TAnimationUi::Close() {
  Bar->Close();
  Puppet.reset();
  SaveAction->setEnabled(false);
  CloseAction->setEnabled(false);
}
