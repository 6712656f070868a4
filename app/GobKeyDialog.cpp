// The container dialog listing a container's animations or puppets, with what
// the one chosen holds beside the list.
#include <QListWidget>
#include <QPlainTextEdit>
#include <functional>

#include "app/GobDialog.h"
#include "formats/ContainerKeys.h"
#include "formats/KeyReader.h"
#include "formats/PuppetReader.h"
#include "model/Errors.h"
#include "model/KeySummary.h"
#include "model/PuppetSummary.h"

namespace {

using TFindRow = bool (*)(const TGob&, std::string_view, TGobItem&);

bool ExecuteFolder(const std::string& containerPath, const char* title,
                   std::vector<std::string> (*rows)(const TGob&), TFindRow find,
                   std::function<std::string(const TGobItem&)> details, TGobItem& item,
                   QWidget* parent) {
  TGob gob;
  if (!gob.LoadFromFile(containerPath))
    throw EInOutError("Failed to load GOB/GOO '" + containerPath + "'");
  TGobDialog dialog(parent);
  dialog.setWindowTitle(QString::fromStdString(title + (" - " + containerPath)));
  dialog.lbxFiles->setGeometry(8, 8, 240, 441);
  dialog.lbxFiles->setWrapping(false);
  dialog.lbxFiles->setGridSize({});
  dialog.lbxFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* text = new QPlainTextEdit(&dialog);
  text->setObjectName("memKeyDetails");
  text->setReadOnly(true);
  text->setGeometry(256, 8, 166, 441);
  text->setLineWrapMode(QPlainTextEdit::NoWrap);
  for (const std::string& row : rows(gob)) dialog.lbxFiles->addItem(QString::fromStdString(row));
  QObject::connect(
      dialog.lbxFiles, &QListWidget::currentTextChanged, text, [&](const QString& row) {
        TGobItem chosen;
        std::string shown;
        try {
          shown = find(gob, row.toStdString(), chosen) ? details(chosen) : std::string();
        } catch (const EZarnError& e) {
          shown = e.what();
        }
        text->setPlainText(QString::fromStdString(shown));
      });
  if (dialog.exec() != QDialog::Accepted) return false;
  const QListWidgetItem* chosen = dialog.lbxFiles->currentItem();
  if (!chosen || !chosen->isSelected()) return false;
  return find(gob, chosen->text().toStdString(), item);
}

}  // namespace

bool TGobDialog::ExecuteKey(const std::string& containerPath, TGobItem& item, QWidget* parent) {
  return ExecuteFolder(
      containerPath, "Open Animation from Container", ContainerKeyRows, FindContainerKey,
      [](const TGobItem& chosen) { return KeySummary(ReadKeyEntry(chosen)); }, item, parent);
}

bool TGobDialog::ExecutePuppet(const std::string& containerPath, TGobItem& item, QWidget* parent) {
  return ExecuteFolder(
      containerPath, "Open Puppet from Container", ContainerPuppetRows, FindContainerPuppet,
      [](const TGobItem& chosen) { return PuppetSummary(ReadPuppetEntry(chosen)); }, item, parent);
}
