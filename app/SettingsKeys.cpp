#include "app/SettingsKeys.h"

#include <iterator>

#include "settings/ShortcutText.h"

namespace {

// The keys with names of their own, in the order of NamedKeys().
constexpr Qt::Key NamedQtKeys[] = {Qt::Key_Backspace, Qt::Key_Tab,  Qt::Key_Escape, Qt::Key_Return,
                                   Qt::Key_Space,     Qt::Key_PageUp, Qt::Key_PageDown, Qt::Key_End,
                                   Qt::Key_Home,      Qt::Key_Left, Qt::Key_Up,     Qt::Key_Right,
                                   Qt::Key_Down,      Qt::Key_Insert, Qt::Key_Delete};

std::string NameOf(int key) {
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return std::string(1, static_cast<char>(key));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return "F" + std::to_string(key - Qt::Key_F1 + 1);
  if (key == Qt::Key_Enter) key = Qt::Key_Return;  // the keypad's Enter has the same name
  for (size_t i = 0; i < std::size(NamedQtKeys); ++i)
    if (NamedQtKeys[i] == key) return NamedKeys()[i];
  return {};
}

int KeyOf(const std::string& name) {
  if (name.size() == 1) return name[0];  // letters and digits are their own key codes
  if (name[0] == 'F' && name.size() <= 3 && name[1] >= '1' && name[1] <= '9') return Qt::Key_F1 + std::stoi(name.substr(1)) - 1;
  for (size_t i = 0; i < std::size(NamedQtKeys); ++i)
    if (NamedKeys()[i] == name) return NamedQtKeys[i];
  return 0;
}

}  // namespace

std::string KeyText(const QKeySequence& keys) {
  if (keys.isEmpty()) return {};
  const QKeyCombination combination = keys[0];
  const Qt::KeyboardModifiers mods = combination.keyboardModifiers();
  return ShortCutToText({mods.testFlag(Qt::ShiftModifier), mods.testFlag(Qt::ControlModifier),
                         mods.testFlag(Qt::AltModifier), NameOf(combination.key())});
}

QKeySequence KeyFromText(std::string_view text) {
  const TShortCut shortcut = TextToShortCut(text);
  const int key = shortcut.Key.empty() ? 0 : KeyOf(shortcut.Key);
  if (key == 0) return {};
  Qt::KeyboardModifiers mods;
  mods.setFlag(Qt::ShiftModifier, shortcut.Shift);
  mods.setFlag(Qt::ControlModifier, shortcut.Ctrl);
  mods.setFlag(Qt::AltModifier, shortcut.Alt);
  return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}
