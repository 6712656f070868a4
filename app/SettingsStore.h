#pragma once
#include <QSettings>
#include <string>
#include <vector>

// The per-user settings file of the program, one value per path ("Colors/Color2",
// "Shortcuts/actFileNew", "frmMain_Top"). The file is opened once for all the values read or
// written together, and written out at once by Flush (or when the store goes away): one
// write to the disk at shut-down rather than one per value. Readers return the fallback
// when the value is missing or unreadable.
class TSettingsStore {
 public:
  void RegWriteString(const std::string& path, const std::string& value);
  void RegWriteInteger(const std::string& path, int value);
  void RegWriteBool(const std::string& path, bool value);
  std::string RegReadString(const std::string& path, const std::string& fallback) const;
  int RegReadInteger(const std::string& path, int fallback) const;
  bool RegReadBool(const std::string& path, bool fallback) const;
  // Entry i of the list goes to the path's value name followed by i. Numbered values beyond
  // the list's end are removed, so that a shortened list stays short.
  void RegWriteStrings(const std::string& prefix, const std::vector<std::string>& list);
  // The values numbered from 0 up to the first missing number.
  std::vector<std::string> RegReadStrings(const std::string& prefix) const;
  // False when the file could not be written.
  bool Flush();

 private:
  QSettings Store;
};

// The file holding the settings.
std::string SettingsFileName();
