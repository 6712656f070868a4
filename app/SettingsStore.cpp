#include "app/SettingsStore.h"

namespace {

QString Key(const std::string& path) { return QString::fromStdString(path); }

// A text with an unquoted comma, as a hand-edited file may hold, reads as a list of texts.
std::string Text(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(", ").toStdString();
  return value.toString().toStdString();
}

}  // namespace

void TSettingsStore::RegWriteString(const std::string& path, const std::string& value) {
  Store.setValue(Key(path), QString::fromStdString(value));
}

void TSettingsStore::RegWriteInteger(const std::string& path, int value) { Store.setValue(Key(path), value); }

void TSettingsStore::RegWriteBool(const std::string& path, bool value) { Store.setValue(Key(path), value ? 1 : 0); }

std::string TSettingsStore::RegReadString(const std::string& path, const std::string& fallback) const {
  const QVariant value = Store.value(Key(path));
  return value.isValid() ? Text(value) : fallback;
}

int TSettingsStore::RegReadInteger(const std::string& path, int fallback) const {
  bool ok = false;
  const int value = Store.value(Key(path)).toString().trimmed().toInt(&ok);
  return ok ? value : fallback;
}

bool TSettingsStore::RegReadBool(const std::string& path, bool fallback) const {
  const QVariant value = Store.value(Key(path));
  if (!value.isValid()) return fallback;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  return ok ? number != 0 : value.toBool();
}

void TSettingsStore::RegWriteStrings(const std::string& prefix, const std::vector<std::string>& list) {
  const QString name = Key(prefix);
  for (size_t i = 0; i < list.size(); ++i) Store.setValue(name + QString::number(i), QString::fromStdString(list[i]));
  const qsizetype slash = name.lastIndexOf('/');
  Store.beginGroup(name.left(slash < 0 ? 0 : slash));
  const QString stem = name.mid(slash + 1);
  for (const QString& key : Store.childKeys()) {
    const QString number = key.startsWith(stem) ? key.mid(stem.size()) : QString();
    bool numbered = false;
    if (!number.isEmpty() && number.front().isDigit() && number.toULongLong(&numbered) >= list.size() && numbered)
      Store.remove(key);
  }
  Store.endGroup();
}

std::vector<std::string> TSettingsStore::RegReadStrings(const std::string& prefix) const {
  std::vector<std::string> list;
  for (size_t i = 0;; ++i) {
    const QVariant value = Store.value(Key(prefix) + QString::number(i));
    if (!value.isValid()) return list;
    list.push_back(Text(value));
  }
}

bool TSettingsStore::Flush() {
  Store.sync();
  return Store.status() == QSettings::NoError;
}

std::string SettingsFileName() { return QSettings().fileName().toStdString(); }
