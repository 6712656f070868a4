#pragma once
#include <string>

class QMainWindow;
class QWidget;
class TActionRegistry;
class TCore;

// What the user arranged, kept between runs: both windows' places and states, the colours,
// every action's shortcut and the container list. Read at the main window's first showing,
// written when it closes; a value that cannot be used keeps its default and is reported.
// `messages` is the message window.
void LoadSettings(QMainWindow& main, QWidget& messages, const TActionRegistry& actions, TCore& core);
// Writes what the options dialog sets (colours, shortcuts, containers) at once, for other
// programs reading the settings file, zarn-cli among them; a failure is one output line.
void SaveOptions(const TActionRegistry& actions, TCore& core);
void SaveSettings(const QMainWindow& main, const QWidget& messages, const TActionRegistry& actions, const TCore& core);

// The answers of the OBJ import dialog, kept from one import to the next: the settings
// hold them as soon as the dialog is accepted.
struct TObjImportChoice {
  bool YUp = true;  // what modelling programs write
  bool Fit = true;
  std::string Factor = "1";
  bool Materials = true;
  bool ObjectsAsNodes = true;
};
TObjImportChoice LoadObjImportChoice();
void SaveObjImportChoice(const TObjImportChoice& choice);

// Whether the views show the four cameras at once, kept between runs.
bool LoadFourViews();
void SaveFourViews(bool on);
