#include "app/Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "app/QueryForm.h"
#include "app/SettingsStore.h"
#include "model/VersionInfo.h"

bool QueryValues(const std::string& caption, std::vector<std::string>& lines, const std::vector<std::string>& choices) {
  TQueryDialog dialog(caption, lines, choices, QApplication::activeWindow());
  if (dialog.exec() != QDialog::Accepted) return false;
  dialog.ApplyTo(lines);
  return true;
}

namespace {

void ShowMessage(QMessageBox::Icon icon, const char* caption, const std::string& text) {
  // No owner window: the box blocks the whole application, wherever the focus was.
  QMessageBox box(icon, caption, QString::fromStdString(text), QMessageBox::Ok);
  box.setTextFormat(Qt::PlainText);  // file names and model text are never markup
  box.setWindowModality(Qt::ApplicationModal);
  box.exec();
}

// Where the settings keep the folder of the last file of the filter's kind, which its first
// pattern tells ("*.3do" for models, "*.obj" for meshes).
std::string FolderKey(const std::vector<std::string>& filter) {
  if (filter.empty()) return "Folders/any";
  const std::string& first = filter.front();
  const size_t dot = first.find("*.", first.find('|'));
  return "Folders/" + (dot == std::string::npos ? "any" : first.substr(dot + 2, first.find(';', dot) - dot - 2));
}

// Starts in the folder of a name that has one, else where a file of that kind was last
// chosen; what the user picks becomes the kind's folder.
std::string AskFileName(QFileDialog& dialog, const std::vector<std::string>& filter, const std::string& name = {}) {
  dialog.setNameFilters(QtNameFilters(filter));
  // The descriptions already name their patterns; Qt would show them twice.
  dialog.setOption(QFileDialog::HideNameFilterDetails);
  const QFileInfo start(QString::fromStdString(name));
  const std::string key = FolderKey(filter);
  const QString remembered = QString::fromStdString(TSettingsStore().RegReadString(key, ""));
  if (name.find_first_of("/\\") != std::string::npos)
    dialog.setDirectory(start.absolutePath());
  else if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
    dialog.setDirectory(remembered);
  if (!name.empty()) dialog.selectFile(start.fileName());
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList files = dialog.selectedFiles();
  if (files.isEmpty()) return {};
  TSettingsStore().RegWriteString(key, QFileInfo(files.first()).absolutePath().toStdString());
  return files.first().toStdString();
}

}  // namespace

void ShowInformation(const std::string& text) { ShowMessage(QMessageBox::Information, "Information", text); }

void ShowError(const std::string& text) { ShowMessage(QMessageBox::Critical, "Error", text); }

TSaveAnswer AskSaveChanges(const std::string& name) {
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(GetProductName()),
                  QString::fromStdString("Save changes to " + name + "?"));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  // The same words on every desktop (some themes say "Close without Saving").
  QPushButton* save = box.addButton("&Save", QMessageBox::AcceptRole);
  QPushButton* discard = box.addButton("&Discard", QMessageBox::DestructiveRole);
  QPushButton* cancel = box.addButton("&Cancel", QMessageBox::RejectRole);
  box.setDefaultButton(save);
  box.setEscapeButton(cancel);
  box.exec();
  if (box.clickedButton() == save) return TSaveAnswer::Save;
  return box.clickedButton() == discard ? TSaveAnswer::Discard : TSaveAnswer::Cancel;
}

bool AskYesNo(const std::string& question) {
  QMessageBox box(QMessageBox::Question, QString::fromStdString(GetProductName()), QString::fromStdString(question),
                  QMessageBox::Yes | QMessageBox::No);
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

bool AskSaveAnyway(const std::vector<std::string>& breaches) {
  // The box stays on the screen however long the list; the output list holds all of it.
  constexpr size_t kShown = 20;
  std::string text = "The game will not load this model:\n";
  for (size_t i = 0; i < breaches.size() && i < kShown; ++i) text += "\n" + breaches[i];
  if (breaches.size() > kShown) text += "\nand " + std::to_string(breaches.size() - kShown) + " more";
  QMessageBox box(QMessageBox::Warning, QString::fromStdString(GetProductName()), QString::fromStdString(text));
  box.setTextFormat(Qt::PlainText);
  box.setWindowModality(Qt::ApplicationModal);
  QPushButton* save = box.addButton("Save &anyway", QMessageBox::AcceptRole);
  QPushButton* cancel = box.addButton("&Cancel", QMessageBox::RejectRole);
  box.setDefaultButton(cancel);
  box.setEscapeButton(cancel);
  box.exec();
  return box.clickedButton() == save;
}

std::string AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return AskFileName(dialog, filter);
}

std::string AskSaveFileName(const std::vector<std::string>& filter, const std::string& title, const std::string& name) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);  // asks before replacing a file
  dialog.setFileMode(QFileDialog::AnyFile);
  // A name typed without extension would give a file that Open refuses.
  if (!filter.empty()) {
    const std::string& first = filter.front();
    const size_t dot = first.find("*.", first.find('|'));
    if (dot != std::string::npos)
      dialog.setDefaultSuffix(QString::fromStdString(first.substr(dot + 2, first.find(';', dot) - dot - 2)));
  }
  return AskFileName(dialog, filter, name);
}

QStringList QtNameFilters(const std::vector<std::string>& filter) {
  QStringList result;
  for (const std::string& entry : filter) {
    const std::string::size_type bar = entry.find('|');
    const QString description = QString::fromStdString(entry.substr(0, bar));
    QString patterns = bar == std::string::npos ? description : QString::fromStdString(entry.substr(bar + 1));
    patterns.replace(';', ' ');
    result.append(description + " (" + patterns.simplified() + ")");
  }
  return result;
}
