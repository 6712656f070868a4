// The container dialog listing a container's animations, with the header, markers and nodes
// of the one chosen beside the list.
#include <QListWidget>
#include <QPlainTextEdit>

#include "app/GobDialog.h"
#include "formats/ContainerKeys.h"
#include "formats/KeyReader.h"
#include "model/Errors.h"
#include "model/KeySummary.h"

bool TfrmDlgGob::ExecuteKey(const std::string& containerPath, TGobItem& item, QWidget* parent) {
  TGob gob;
  if (!gob.LoadFromFile(containerPath)) throw EInOutError("Failed to load GOB/GOO '" + containerPath + "'");
  TfrmDlgGob dialog(parent);
  dialog.setWindowTitle(QString::fromStdString("Open Animation from Container - " + containerPath));
  dialog.lbxFiles->setGeometry(8, 8, 240, 441);
  dialog.lbxFiles->setWrapping(false);
  dialog.lbxFiles->setGridSize({});
  dialog.lbxFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  auto* details = new QPlainTextEdit(&dialog);
  details->setObjectName("memKeyDetails");
  details->setReadOnly(true);
  details->setGeometry(256, 8, 166, 441);
  details->setLineWrapMode(QPlainTextEdit::NoWrap);
  for (const std::string& row : ContainerKeyRows(gob)) dialog.lbxFiles->addItem(QString::fromStdString(row));
  QObject::connect(dialog.lbxFiles, &QListWidget::currentTextChanged, details, [&gob, details](const QString& row) {
    TGobItem chosen;
    std::string text;
    try {
      text = FindContainerKey(gob, row.toStdString(), chosen) ? KeySummary(ReadKeyEntry(chosen)) : std::string();
    } catch (const EZarnError& e) {
      text = e.what();
    }
    details->setPlainText(QString::fromStdString(text));
  });
  if (dialog.exec() != QDialog::Accepted) return false;
  const QListWidgetItem* chosen = dialog.lbxFiles->currentItem();
  if (!chosen || !chosen->isSelected()) return false;
  return FindContainerKey(gob, chosen->text().toStdString(), item);
}
