#include "app/MaterialsDialog.h"

#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cstring>

#include "app/MaterialSources.h"
#include "editing/MaterialEdits.h"
#include "editing/Step.h"
#include "formats/PathMap.h"
#include "document/Core.h"
#include "view/RunGuarded.h"

namespace {

constexpr int kFixedSources = 2;  // "[Project Dir]" and "[Project Dir]\Mat" come first

QListWidgetItem* SelectedRow(const QListWidget* list) {
  QListWidgetItem* row = list->currentItem();
  return row && row->isSelected() ? row : nullptr;
}

bool LessNoCase(const std::string& a, const std::string& b) {
  return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
}

bool HasPicture(const TMaterial& m) {
  return m.Width > 0 && m.Height > 0 && m.Pixels.size() >= static_cast<size_t>(m.Width) * m.Height * 3;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int x, int y, int width = 0) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->move(x, y);
  if (width > 0)
    label->resize(width, label->fontMetrics().height() + 2);
  else
    label->adjustSize();
  return label;
}

QListWidget* MakeList(QWidget* parent, const char* name, int x, int y, int width, int height) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setGeometry(x, y, width, height);
  return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, int x, int y, int width) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(x, y, width, 25);
  return button;
}

}  // namespace

TfrmMat::TfrmMat(TCore& core, QWidget* parent) : QDialog(parent), Core(core) {
  setObjectName("frmMat");
  setWindowTitle("Materials");
  setFixedSize(625, 312);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  BuildControls();
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TfrmMat::BuildControls() {
  MakeLabel(this, "Label1", "Available Materials", 8, 8);
  MakeLabel(this, "Label2", "Project Materials", 288, 8);

  lbxCatResMat = MakeList(this, "lbxCatResMat", 8, 24, 273, 57);
  lbxCatResMat->addItems({"[Project Dir]", "[Project Dir]\\Mat"});
  connect(lbxCatResMat, &QListWidget::currentRowChanged, this, &TfrmMat::lbxCatResMatClick);
  connect(lbxCatResMat, &QListWidget::itemClicked, this, &TfrmMat::lbxCatResMatClick);

  // Two columns: rows run down the first, then on at the top of the second.
  lbxResMat = MakeList(this, "lbxResMat", 8, 88, 273, 185);
  lbxResMat->setFlow(QListView::TopToBottom);
  lbxResMat->setWrapping(true);
  lbxResMat->setResizeMode(QListView::Adjust);
  lbxResMat->setUniformItemSizes(true);
  lbxResMat->setGridSize(QSize((273 - 2 * lbxResMat->frameWidth()) / 2, lbxResMat->fontMetrics().height() + 2));
  lbxResMat->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  connect(lbxResMat, &QListWidget::currentRowChanged, this, &TfrmMat::lbxResMatClick);
  connect(lbxResMat, &QListWidget::itemClicked, this, &TfrmMat::lbxResMatClick);

  lbxProjMat = MakeList(this, "lbxProjMat", 288, 24, 161, 249);
  connect(lbxProjMat, &QListWidget::currentRowChanged, this, &TfrmMat::lbxProjMatClick);
  connect(lbxProjMat, &QListWidget::itemClicked, this, &TfrmMat::lbxProjMatClick);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setGeometry(456, 24, 161, 137);
  imgPreview = new QLabel;
  imgPreview->setObjectName("imgPreview");
  imgPreview->resize(0, 0);
  ScrollBox1->setWidget(imgPreview);  // at 0, 0; never stretched

  QFont bold = font();
  bold.setBold(true);
  lblName = MakeLabel(this, "lblName", "", 456, 166, 161);
  lblName->setFont(bold);
  lblSize = MakeLabel(this, "lblSize", "Size", 456, 184, 161);
  lblBits = MakeLabel(this, "lblBits", "Bits", 456, 200, 161);
  lblCel = MakeLabel(this, "lblCel", "", 456, 216, 161);
  btnPrevCel = MakeButton(this, "btnPrevCel", "<", 456, 234, 25);
  btnPrevCel->setToolTip("Previous cel");
  btnPrevCel->setEnabled(false);
  connect(btnPrevCel, &QPushButton::clicked, this, [this] { StepCel(-1); });
  btnNextCel = MakeButton(this, "btnNextCel", ">", 486, 234, 25);
  btnNextCel->setToolTip("Next cel");
  btnNextCel->setEnabled(false);
  connect(btnNextCel, &QPushButton::clicked, this, [this] { StepCel(1); });

  btnAdd = MakeButton(this, "btnAdd", "&Add to Project", 8, 280, 81);
  btnAdd->resize(std::max(81, btnAdd->sizeHint().width()), 25);  // the caption whole in any font
  connect(btnAdd, &QPushButton::clicked, this, &TfrmMat::btnAddClick);
  btnDelete = MakeButton(this, "btnDelete", "-", 288, 280, 25);
  QFont small = btnDelete->font();
  small.setPixelSize(13);
  btnDelete->setFont(small);
  connect(btnDelete, &QPushButton::clicked, this, &TfrmMat::btnDeleteClick);
  btnOK = MakeButton(this, "btnOK", "&OK", 464, 280, 75);
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = MakeButton(this, "btnCancel", "&Cancel", 544, 280, 75);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  // Quick successive clicks on the available list lead to one preview, after the last.
  tmrResMat = new QTimer(this);
  tmrResMat->setObjectName("tmrResMat");
  tmrResMat->setInterval(50);
  tmrResMat->setSingleShot(true);
  connect(tmrResMat, &QTimer::timeout, this, &TfrmMat::tmrResMatTimer);
}

bool TfrmMat::Execute(TCore& core, const std::string& initialName, std::string& chosenName, QWidget* parent) {
  TfrmMat dialog(core, parent);
  for (const std::string& container : core.ResourceList)
    dialog.lbxCatResMat->addItem(QString::fromStdString(container));
  dialog.FillProjectList(initialName);
  chosenName = initialName;
  if (dialog.exec() != QDialog::Accepted) return false;
  const QListWidgetItem* row = SelectedRow(dialog.lbxProjMat);
  chosenName = row ? row->text().toStdString() : std::string();
  return true;
}

void TfrmMat::FillSorted(QListWidget* list, std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  const QSignalBlocker quiet(list);
  list->clear();
  for (const std::string& name : names) list->addItem(QString::fromStdString(name));
}

void TfrmMat::FillProjectList(const std::string& select) {
  std::vector<TMaterial*> materials(Core.Model->Materials.begin(), Core.Model->Materials.end());
  std::stable_sort(materials.begin(), materials.end(),
                   [](const TMaterial* a, const TMaterial* b) { return LessNoCase(a->Name, b->Name); });
  const QSignalBlocker quiet(lbxProjMat);
  lbxProjMat->clear();
  for (TMaterial* material : materials) {
    auto* row = new QListWidgetItem(QString::fromStdString(material->Name), lbxProjMat);
    row->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(material)));
    if (!select.empty() && SameText(material->Name, select) && !SelectedRow(lbxProjMat)) {
      lbxProjMat->setCurrentItem(row);
      lbxProjMat->scrollToItem(row);
    }
  }
  if (!SelectedRow(lbxProjMat)) lbxProjMat->setCurrentRow(-1);
}

void TfrmMat::lbxCatResMatClick() {
  const int source = lbxCatResMat->currentRow();
  if (source < 0 || !SelectedRow(lbxCatResMat)) return;
  RunGuarded(Core.Services, "listing materials", [&] {
    const std::string folder(FolderPart(Core.Model->FileName));
    if (source == 0)
      FillSorted(lbxResMat, FolderMaterials(folder));
    else if (source == 1)
      FillSorted(lbxResMat, MatFolderMaterials(folder));
    else
      FillSorted(lbxResMat, ContainerMaterials(lbxCatResMat->item(source)->text().toStdString()));
  });
}

void TfrmMat::lbxResMatClick() {
  tmrResMat->stop();
  tmrResMat->start();
}

void TfrmMat::tmrResMatTimer() {
  tmrResMat->stop();
  const QListWidgetItem* row = SelectedRow(lbxResMat);
  if (!row) return;
  // Found by the full search whichever source is chosen, as it would be once added.
  TMaterial preview(&Core.Model->Materials, row->text().toStdString());
  RunGuarded(Core.Services, "previewing a material", [&] { preview.Load(); });
  ShowMaterial(preview);
}

void TfrmMat::lbxProjMatClick() {
  const QListWidgetItem* row = SelectedRow(lbxProjMat);
  if (!row) return;
  const auto* material = static_cast<const TMaterial*>(row->data(Qt::UserRole).value<void*>());
  if (Core.Model->Materials.IndexOf(material) >= 0) ShowMaterial(*material);
}

void TfrmMat::btnAddClick() {
  const QListWidgetItem* row = SelectedRow(lbxResMat);
  if (!row) return;
  const std::string name = row->text().toStdString();
  RunGuarded(Core.Services, "adding a material",
             [&] { RunStep(Core, "Add Material", [&] { AddProjectMaterial(Core, name); }); });
  FillProjectList(name);
  Core.Changed(chMaterials);
}

void TfrmMat::btnDeleteClick() {
  const QListWidgetItem* row = SelectedRow(lbxProjMat);
  if (!row) return;
  auto* material = static_cast<TMaterial*>(row->data(Qt::UserRole).value<void*>());
  RunGuarded(Core.Services, "deleting a material",
             [&] { RunStep(Core, "Delete Material", [&] { DeleteProjectMaterial(Core, material); }); });
  FillProjectList({});
  Core.Changed(chMaterials);
}

void TfrmMat::StepCel(int by) {
  if (ShownName.empty()) return;
  TMaterial preview(&Core.Model->Materials, ShownName);
  preview.Cel = ShownCel + by;
  RunGuarded(Core.Services, "previewing a material", [&] { preview.Load(); });
  ShowMaterial(preview);
}

void TfrmMat::ShowMaterial(const TMaterial& material) {
  lblName->setText(QString::fromStdString(material.Name));
  lblBits->setText(QString("Bits %1").arg(material.BitDepth));
  ShownName = material.Name;
  ShownCel = material.Cel;
  lblCel->setText(material.Cels > 1 ? QString("Cel %1 of %2").arg(material.Cel + 1).arg(material.Cels) : QString());
  btnPrevCel->setEnabled(material.Cel > 0);
  btnNextCel->setEnabled(material.Cel + 1 < material.Cels);
  if (HasPicture(material))
    ShowPicture(material);
  else
    ShowPlaceholder(material);
}

void TfrmMat::ShowPicture(const TMaterial& material) {
  // The pixels are RGB rows in file order, the first row at the top of the picture.
  QImage picture(material.Width, material.Height, QImage::Format_RGB888);
  const size_t rowBytes = static_cast<size_t>(material.Width) * 3;
  for (int y = 0; y < material.Height; ++y)
    std::memcpy(picture.scanLine(y), material.Pixels.data() + rowBytes * static_cast<size_t>(y), rowBytes);
  imgPreview->setFrameShape(QFrame::NoFrame);
  imgPreview->setPixmap(QPixmap::fromImage(picture));
  imgPreview->resize(material.Width, material.Height);
  lblSize->setText(QString("Size %1x%2").arg(material.Width).arg(material.Height));
}

void TfrmMat::ShowPlaceholder(const TMaterial& material) {
  imgPreview->setFrameShape(QFrame::Box);
  imgPreview->setAlignment(Qt::AlignCenter);
  imgPreview->setWordWrap(true);
  imgPreview->setText(QString::fromStdString(material.Name) + "\n(no picture)");
  imgPreview->resize(ScrollBox1->viewport()->size());
  lblSize->setText("Size 0x0");
}
