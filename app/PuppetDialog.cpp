#include "app/PuppetDialog.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {
// A move's row keeps where it stands in the puppet: its mode's and its own
// index.
constexpr int kModeRole = Qt::UserRole, kMoveRole = Qt::UserRole + 1;
}  // namespace

TPuppetDialog::TPuppetDialog(const TPuppet& puppet, const std::string& name, QWidget* parent)
    : QDialog(parent), Puppet(puppet) {
  setObjectName("frmPuppet");
  setWindowTitle(QString::fromStdString("Open Puppet - " + name));
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  resize(540, 480);
  trvMoves = new QTreeWidget(this);
  trvMoves->setObjectName("trvMoves");
  trvMoves->setHeaderLabels({"Move", "KEY", "Flags", "Priority"});
  trvMoves->setRootIsDecorated(true);
  for (size_t m = 0; m < puppet.Modes.size(); ++m) {
    const TPuppetMode& mode = puppet.Modes[m];
    auto* modeRow = new QTreeWidgetItem(trvMoves);
    modeRow->setText(
        0, QString("Mode %1").arg(mode.Mode) +
               (mode.BasedOn >= 0 ? QString(" (based on %1)").arg(mode.BasedOn) : QString()));
    modeRow->setFirstColumnSpanned(true);
    modeRow->setExpanded(true);
    for (size_t s = 0; s < mode.Submodes.size(); ++s) {
      const TPuppetSubmode& move = mode.Submodes[s];
      auto* row = new QTreeWidgetItem(
          modeRow, {QString::fromStdString(move.Name), QString::fromStdString(move.Key),
                    QString("0x%1").arg(move.Flags, 0, 16),
                    QString("%1/%2").arg(move.LowPriority).arg(move.HighPriority)});
      row->setData(0, kModeRole, static_cast<int>(m));
      row->setData(0, kMoveRole, static_cast<int>(s));
      if (move.Key == "none") row->setDisabled(true);
    }
  }
  // Sized before the dialog shows, when the rows' own widths are not yet known.
  trvMoves->setColumnWidth(0, 170);
  trvMoves->setColumnWidth(1, 140);
  auto* buttons = new QDialogButtonBox(this);
  btnPlay = buttons->addButton("&Play", QDialogButtonBox::AcceptRole);
  btnPlay->setObjectName("btnPlay");
  btnPlay->setEnabled(false);
  btnCancel = buttons->addButton(QDialogButtonBox::Cancel);
  btnCancel->setObjectName("btnCancel");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(trvMoves, &QTreeWidget::currentItemChanged, this,
          [this] { btnPlay->setEnabled(Chosen() != nullptr); });
  connect(trvMoves, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (Chosen()) accept();
  });
  auto* column = new QVBoxLayout(this);
  column->addWidget(trvMoves);
  column->addWidget(buttons);
}

const TPuppetSubmode* TPuppetDialog::Chosen() const {
  const QTreeWidgetItem* row = trvMoves->currentItem();
  if (!row || !row->parent() || row->isDisabled()) return nullptr;
  return &Puppet.Modes[static_cast<size_t>(row->data(0, kModeRole).toInt())]
              .Submodes[static_cast<size_t>(row->data(0, kMoveRole).toInt())];
}

const TPuppetSubmode* TPuppetDialog::Execute(const TPuppet& puppet, const std::string& name,
                                             QWidget* parent) {
  TPuppetDialog dialog(puppet, name, parent);
  return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : nullptr;
}
