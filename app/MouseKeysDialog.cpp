#include "app/MouseKeysDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/SettingsKeys.h"
#include "view/ViewBindings.h"

TMouseKeysDialog::TMouseKeysDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("frmMouseKeys");
  setWindowTitle("Mouse and Keys");
  auto* column = new QVBoxLayout(this);
  grdBindings = new QGridLayout;
  grdBindings->setHorizontalSpacing(16);
  grdBindings->setColumnStretch(1, 1);
  column->addLayout(grdBindings);
  column->addStretch(1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  column->addWidget(buttons);
}

void TMouseKeysDialog::Fill(const QKeySequence& frameKey) {
  while (QLayoutItem* item = grdBindings->takeAt(0)) {
    delete item->widget();
    delete item;
  }
  int row = 0;
  for (const TViewBinding& binding : ViewBindings(KeyText(frameKey))) {
    auto* input = new QLabel(QString::fromStdString(binding.Input), this);
    QFont bold = input->font();
    bold.setBold(true);
    input->setFont(bold);
    auto* effect = new QLabel(QString::fromStdString(binding.Effect), this);
    effect->setWordWrap(true);
    effect->setMinimumWidth(420);
    grdBindings->addWidget(input, row, 0, Qt::AlignTop);
    grdBindings->addWidget(effect, row, 1, Qt::AlignTop);
    ++row;
  }
  adjustSize();
}

void ShowMouseKeys(QWidget* parent, const QKeySequence& frameKey) {
  auto* window = parent->findChild<TMouseKeysDialog*>("frmMouseKeys", Qt::FindDirectChildrenOnly);
  if (!window) {
    window = new TMouseKeysDialog(parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->Fill(frameKey);
  window->show();
  window->raise();
  window->activateWindow();
}
