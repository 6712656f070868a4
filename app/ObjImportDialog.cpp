#include "app/ObjImportDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Settings.h"

namespace {
template <class T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}
}  // namespace

TObjImportDialog::TObjImportDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
  setObjectName("frmObjImport");
  setWindowTitle("Import OBJ");

  auto* up = new QGroupBox("Up axis of the file", this);
  rbnUpY = Named(new QRadioButton("&Y (as most modelling programs write)", up), "rbnUpY");
  rbnUpZ = Named(new QRadioButton("&Z (as the game)", up), "rbnUpZ");
  auto* upRows = new QVBoxLayout(up);
  upRows->addWidget(rbnUpY);
  upRows->addWidget(rbnUpZ);

  auto* scale = new QGroupBox("Scale", this);
  rbnFit = Named(new QRadioButton("&Fit the largest extent to 0.1", scale), "rbnFit");
  rbnFactor = Named(new QRadioButton("F&actor:", scale), "rbnFactor");
  edtFactor = Named(new QLineEdit(scale), "edtFactor");
  auto* scaleRows = new QGridLayout(scale);
  scaleRows->addWidget(rbnFit, 0, 0, 1, 2);
  scaleRows->addWidget(rbnFactor, 1, 0);
  scaleRows->addWidget(edtFactor, 1, 1);
  // Typing a factor means using it.
  connect(edtFactor, &QLineEdit::textEdited, rbnFactor, [this] { rbnFactor->setChecked(true); });

  chkMaterials = Named(new QCheckBox("&Materials: \"usemtl NAME\" as NAME.mat", this), "chkMaterials");
  chkObjectsAsNodes = Named(new QCheckBox("O&bjects as nodes: a node and mesh per object or group", this),
                            "chkObjectsAsNodes");

  btnOK = Named(new QPushButton("&OK", this), "btnOK");
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = Named(new QPushButton("&Cancel", this), "btnCancel");
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);

  auto* rows = new QVBoxLayout(this);
  rows->addWidget(up);
  rows->addWidget(scale);
  rows->addWidget(chkMaterials);
  rows->addWidget(chkObjectsAsNodes);
  rows->addLayout(buttons);
  rows->setSizeConstraint(QLayout::SetFixedSize);
}

void TObjImportDialog::Show(const TObjImportChoice& choice) {
  (choice.YUp ? rbnUpY : rbnUpZ)->setChecked(true);
  (choice.Fit ? rbnFit : rbnFactor)->setChecked(true);
  edtFactor->setText(QString::fromStdString(choice.Factor));
  chkMaterials->setChecked(choice.Materials);
  chkObjectsAsNodes->setChecked(choice.ObjectsAsNodes);
}

TObjImportChoice TObjImportDialog::Choice() const {
  return {rbnUpY->isChecked(), rbnFit->isChecked(), edtFactor->text().trimmed().toStdString(), chkMaterials->isChecked(),
          chkObjectsAsNodes->isChecked()};
}

bool TObjImportDialog::Execute(TObjImportOptions& options, QWidget* parent) {
  TObjImportDialog dialog(parent);
  dialog.Show(LoadObjImportChoice());
  if (dialog.exec() != QDialog::Accepted) return false;
  const TObjImportChoice choice = dialog.Choice();
  TObjImportOptions answered;
  answered.YUp = choice.YUp;
  answered.Materials = choice.Materials;
  answered.ObjectsAsNodes = choice.ObjectsAsNodes;
  SetObjScale(answered, choice.Fit ? "fit" : choice.Factor);
  SaveObjImportChoice(choice);
  options = answered;
  return true;
}
