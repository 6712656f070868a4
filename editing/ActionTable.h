#pragma once
#include <string>
#include <string_view>
#include <vector>

// One command of the main window, kept with the core so that zarn-cli's help names the
// commands by the captions the menus show. Rows are kept in the stored order of the action
// list (the order of the shortcut list in the options); the menus are built from Menu and
// MenuPos.
struct TActionRow {
  const char* Name;      // component name, also the key of its stored shortcut
  const char* Caption;
  const char* Hint;      // empty: no hint
  const char* Shortcut;  // portable key text, empty: none
  const char* Menu;      // menu caption, empty: on no menu
  int MenuPos;           // order inside the menu
  bool SeparatorBefore;  // a separator line above the entry
};

const std::vector<TActionRow>& MainActionRows();
// Menu captions in menu-bar order.
const std::vector<const char*>& MainMenuCaptions();
// The caption without its accelerator mark and the dots of a dialog: "Cube" for "&Cube...".
std::string PlainCaption(std::string_view caption);
// The undo caption of an action's step, as its menu entry reads; the name for no action.
std::string StepCaption(std::string_view actionName);
