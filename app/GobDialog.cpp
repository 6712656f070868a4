#include "app/GobDialog.h"

#include <QGuiApplication>
#include <algorithm>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include "model/Errors.h"

namespace {
constexpr int kColumns = 4;
}

TGobDialog::TGobDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmDlgGob");
  setFixedSize(515, 455);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

  lbxFiles = new QListWidget(this);
  lbxFiles->setObjectName("lbxFiles");
  lbxFiles->setGeometry(8, 8, 497, 377);
  // Rows run down the first column, then on into the next, as in a multi-column list box.
  lbxFiles->setFlow(QListView::TopToBottom);
  lbxFiles->setWrapping(true);
  lbxFiles->setResizeMode(QListView::Adjust);
  lbxFiles->setUniformItemSizes(true);
  const int rowHeight = lbxFiles->fontMetrics().height() + 2;
  // The viewport's own width is known only once shown; the frame is known now.
  lbxFiles->setGridSize(QSize((497 - 2 * lbxFiles->frameWidth()) / kColumns, rowHeight));
  lbxFiles->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  lbxFiles->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  connect(lbxFiles, &QListWidget::itemDoubleClicked, this, &TGobDialog::lbxFilesDblClick);

  btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setGeometry(430, 392, 75, 25);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);

  btnCancel = new QPushButton("&Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setGeometry(430, 424, 75, 25);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TGobDialog::lbxFilesDblClick() { accept(); }

void TGobDialog::FitColumns() {
  int widest = 0;
  for (int i = 0; i < lbxFiles->count(); ++i)
    widest = std::max(widest, lbxFiles->fontMetrics().horizontalAdvance(lbxFiles->item(i)->text()));
  const QSize grid = lbxFiles->gridSize();
  // The room an item's text gets inside its grid cell.
  constexpr int kPadding = 12;
  if (widest + kPadding > grid.width()) lbxFiles->setGridSize({widest + kPadding, grid.height()});
}

bool TGobDialog::Execute(const std::string& containerPath, TGobItem& item, QWidget* parent) {
  TGob gob;
  if (!gob.LoadFromFile(containerPath)) throw EInOutError("Failed to load GOB/GOO '" + containerPath + "'");
  TGobDialog dialog(parent);
  dialog.setWindowTitle(QString::fromStdString("Open from Container - " + containerPath));
  dialog.lbxFiles->clear();
  for (const std::string& row : ContainerModelRows(gob)) dialog.lbxFiles->addItem(QString::fromStdString(row));
  dialog.FitColumns();
  if (dialog.exec() != QDialog::Accepted) return false;
  const QListWidgetItem* chosen = dialog.lbxFiles->currentItem();
  if (!chosen || !chosen->isSelected()) return false;
  return FindContainerModel(gob, chosen->text().toStdString(), item);
}
