#include "app/Settings.h"

#include <QAction>
#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>
#include <algorithm>
#include <cstdio>
#include <string>

#include "app/ActionRegistry.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "settings/ColorText.h"
#include "settings/ShortcutClash.h"
#include "document/Core.h"
#include "model/Errors.h"

namespace {

const char* const ResourcesPrefix = "Resources/Res";

std::string ColorPath(int digit) { return "Colors/Color" + std::to_string(digit); }

// A place on no screen of this session (a monitor removed since) is moved onto the primary
// screen; a size below the window's minimum (or, without one, below what its contents
// need) is raised to it, and one beyond all screens together lowered to them.
void Place(QWidget& window, QRect bounds) {
  const QScreen* primary = QGuiApplication::primaryScreen();
  if (!primary) return;
  bounds.setSize(bounds.size().boundedTo(primary->virtualSize()));
  bounds.setSize(bounds.size().expandedTo(window.minimumSize()).expandedTo(window.minimumSizeHint()));
  bool visible = false;
  for (const QScreen* screen : QGuiApplication::screens()) visible = visible || screen->geometry().intersects(bounds);
  if (!visible) {
    const QRect area = primary->availableGeometry();
    bounds.moveCenter(area.center());
    bounds.moveTopLeft({std::max(bounds.left(), area.left()), std::max(bounds.top(), area.top())});
  }
  window.move(bounds.topLeft());
  window.resize(bounds.size());
}

// Numbers edited into the file by hand stay far from where rectangle arithmetic overflows.
QRect ReadBounds(const TSettingsStore& store, const QWidget& window, const std::string& name) {
  const auto read = [&](const char* value, int fallback, int low) {
    return std::clamp(store.RegReadInteger(name + value, fallback), low, 1 << 16);
  };
  return {read("_Left", window.x(), -(1 << 16)), read("_Top", window.y(), -(1 << 16)), read("_Width", window.width(), 0),
          read("_Height", window.height(), 0)};
}

void WriteBounds(TSettingsStore& store, const QWidget& window, const std::string& name) {
  store.RegWriteInteger(name + "_Top", window.y());
  store.RegWriteInteger(name + "_Left", window.x());
  store.RegWriteInteger(name + "_Width", window.width());
  store.RegWriteInteger(name + "_Height", window.height());
}

// True with the stored colour. An empty value keeps the colour as it is; so does a text
// that is no colour, which is reported.
bool ReadColor(const TSettingsStore& store, TCore& core, int digit, unsigned& color) {
  const std::string text = store.RegReadString(ColorPath(digit), "");
  if (text.empty()) return false;
  try {
    color = StringToColor(text);
    return true;
  } catch (const EConvertError& e) {
    core.Services.AddOutput("Settings: " + ColorPath(digit) + " keeps its default colour: " + e.what());
    return false;
  }
}

}  // namespace

void LoadSettings(QMainWindow& main, QWidget& msg, const TActionRegistry& actions, TCore& core) {
  const TSettingsStore store;
  if (store.RegReadBool("frmMain_Maximized", main.isMaximized()))
    main.showMaximized();
  else
    Place(main, ReadBounds(store, main, "frmMain"));
  Place(msg, ReadBounds(store, msg, "frmMsg"));
  msg.setVisible(store.RegReadBool("frmMsg_Visible", true));

  ReadColor(store, core, 0, core.Color2D);
  ReadColor(store, core, 1, core.Color3D);
  for (int slot = ccSelection; slot <= ccPivot; ++slot) {
    unsigned color = 0;
    if (ReadColor(store, core, slot, color)) core.Colors[slot] = SystemColorToRGB(color);
  }
  std::vector<std::string> keys, defaults;
  for (QAction* action : actions.Actions()) {
    const std::string name = action->objectName().toStdString();
    defaults.push_back(KeyText(action->shortcut()));
    // Earlier versions named a few commands "acn" where they are now "act".
    const std::string earlier = name.starts_with("act")
                                    ? store.RegReadString("Shortcuts/acn" + name.substr(3), defaults.back())
                                    : defaults.back();
    keys.push_back(KeyText(KeyFromText(store.RegReadString("Shortcuts/" + name, earlier))));
  }
  // A file of an earlier version may give two commands one key, which would run neither.
  SettleShortcutClashes(keys, defaults);
  for (size_t i = 0; i < keys.size(); ++i) actions.Actions()[i]->setShortcut(KeyFromText(keys[i]));
  core.ResourceList = store.RegReadStrings(ResourcesPrefix);
}

namespace {
// What the options dialog sets.
void WriteOptions(TSettingsStore& store, const TActionRegistry& actions, const TCore& core) {
  store.RegWriteString(ColorPath(0), ColorToString(core.Color2D));
  store.RegWriteString(ColorPath(1), ColorToString(core.Color3D));
  for (int slot = ccSelection; slot <= ccPivot; ++slot)
    store.RegWriteString(ColorPath(slot), ColorToString(RGBToSystemColor(core.Colors[slot])));
  for (const QAction* action : actions.Actions())
    store.RegWriteString("Shortcuts/" + action->objectName().toStdString(), KeyText(action->shortcut()));
  store.RegWriteStrings(ResourcesPrefix, core.ResourceList);
}
}  // namespace

void SaveOptions(const TActionRegistry& actions, TCore& core) {
  TSettingsStore store;
  WriteOptions(store, actions, core);
  if (!store.Flush()) core.Services.AddOutput("Settings could not be written to '" + SettingsFileName() + "'");
}

void SaveSettings(const QMainWindow& main, const QWidget& msg, const TActionRegistry& actions, const TCore& core) {
  TSettingsStore store;
  WriteBounds(store, main, "frmMain");
  store.RegWriteBool("frmMain_Maximized", main.isMaximized());
  WriteBounds(store, msg, "frmMsg");
  store.RegWriteBool("frmMsg_Visible", msg.isVisible());
  WriteOptions(store, actions, core);
  // The window is going away: its output list would show the line to nobody.
  if (!store.Flush()) std::fprintf(stderr, "Settings could not be written to '%s'\n", SettingsFileName().c_str());
}

TObjImportChoice LoadObjImportChoice() {
  const TSettingsStore store;
  TObjImportChoice choice;
  choice.YUp = store.RegReadString("ObjImport/UpAxis", "Y") != "Z";
  choice.Fit = store.RegReadBool("ObjImport/Fit", choice.Fit);
  choice.Factor = store.RegReadString("ObjImport/Factor", choice.Factor);
  choice.Materials = store.RegReadBool("ObjImport/Materials", choice.Materials);
  choice.ObjectsAsNodes = store.RegReadBool("ObjImport/ObjectsAsNodes", choice.ObjectsAsNodes);
  return choice;
}

void SaveObjImportChoice(const TObjImportChoice& choice) {
  TSettingsStore store;
  store.RegWriteString("ObjImport/UpAxis", choice.YUp ? "Y" : "Z");
  store.RegWriteBool("ObjImport/Fit", choice.Fit);
  store.RegWriteString("ObjImport/Factor", choice.Factor);
  store.RegWriteBool("ObjImport/Materials", choice.Materials);
  store.RegWriteBool("ObjImport/ObjectsAsNodes", choice.ObjectsAsNodes);
}

bool LoadFourViews() { return TSettingsStore().RegReadBool("View/FourViews", false); }

void SaveFourViews(bool on) {
  TSettingsStore store;
  store.RegWriteBool("View/FourViews", on);
}
