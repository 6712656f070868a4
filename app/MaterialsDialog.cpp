#include "app/MaterialsDialog.h"

#include <QDir>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
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
#include "app/SettingsStore.h"
#include "editing/MaterialEdits.h"
#include "editing/Step.h"
#include "formats/PathMap.h"
#include "document/Core.h"
#include "model/Text.h"
#include "view/RunGuarded.h"
#include "model/WrittenMaterials.h"

namespace {

constexpr int kFixedSources = 2;  // "[Project Dir]" and "[Project Dir]/Mat" come first

QListWidgetItem* SelectedRow(const QListWidget* list) {
  QListWidgetItem* row = list->currentItem();
  return row && row->isSelected() ? row : nullptr;
}

bool HasPicture(const TMaterial& m) {
  return m.Width > 0 && m.Height > 0 && m.Pixels.size() >= static_cast<size_t>(m.Width) * m.Height * 3;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

QListWidget* MakeList(QWidget* parent, const char* name) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  return button;
}

// The model's folder as this system writes folders.
QString ProjectFolder(const char* below) {
  return QString("[Project Dir]") + (*below ? QString(QDir::separator()) + below : QString());
}

}  // namespace

TMaterialsDialog::TMaterialsDialog(TCore& core, QWidget* parent) : QDialog(parent), Core(core) {
  setObjectName("frmMat");
  setWindowTitle("Materials");
  setMinimumSize(625, 312);
  setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
  setSizeGripEnabled(true);
  BuildControls();
  // The size the user gave it last, within the screen.
  const TSettingsStore store;
  QSize size(store.RegReadInteger("frmMat_Width", 760), store.RegReadInteger("frmMat_Height", 480));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    size = size.boundedTo(screen->availableGeometry().size()).expandedTo(minimumSize());
    resize(size);
    move(screen->availableGeometry().center() - rect().center());
  } else {
    resize(size.expandedTo(minimumSize()));
  }
}

void TMaterialsDialog::done(int result) {
  TSettingsStore store;
  store.RegWriteInteger("frmMat_Width", width());
  store.RegWriteInteger("frmMat_Height", height());
  store.Flush();
  QDialog::done(result);
}

void TMaterialsDialog::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  ShowPictureScaled();
}

void TMaterialsDialog::BuildControls() {
  auto* available = MakeLabel(this, "Label1", "Available Materials");
  auto* project = MakeLabel(this, "Label2", "Project Materials");
  BuildLists();
  BuildPreview();
  BuildButtons();
  LayOut(available, project);

  // Quick successive clicks on the available list lead to one preview, after the last.
  tmrResMat = new QTimer(this);
  tmrResMat->setObjectName("tmrResMat");
  tmrResMat->setInterval(50);
  tmrResMat->setSingleShot(true);
  connect(tmrResMat, &QTimer::timeout, this, &TMaterialsDialog::tmrResMatTimer);
}

// The folders and containers, the materials of the one chosen, and the model's materials.
void TMaterialsDialog::BuildLists() {
  lbxCatResMat = MakeList(this, "lbxCatResMat");
  lbxCatResMat->addItems({ProjectFolder(""), ProjectFolder("Mat")});
  lbxCatResMat->setMinimumHeight(5 * (lbxCatResMat->fontMetrics().height() + 2));
  connect(lbxCatResMat, &QListWidget::currentRowChanged, this, &TMaterialsDialog::lbxCatResMatClick);
  connect(lbxCatResMat, &QListWidget::itemClicked, this, &TMaterialsDialog::lbxCatResMatClick);

  // One column, each name whole; the list scrolls sideways for a long one.
  lbxResMat = MakeList(this, "lbxResMat");
  lbxResMat->setUniformItemSizes(true);
  connect(lbxResMat, &QListWidget::currentRowChanged, this, &TMaterialsDialog::lbxResMatClick);
  connect(lbxResMat, &QListWidget::itemClicked, this, &TMaterialsDialog::lbxResMatClick);

  lbxProjMat = MakeList(this, "lbxProjMat");
  connect(lbxProjMat, &QListWidget::currentRowChanged, this, &TMaterialsDialog::lbxProjMatClick);
  connect(lbxProjMat, &QListWidget::itemClicked, this, &TMaterialsDialog::lbxProjMatClick);
}

// The picture, its name, size and bits, and the cel and zoom buttons beneath.
void TMaterialsDialog::BuildPreview() {
  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName("ScrollBox1");
  ScrollBox1->setMinimumSize(161, 137);
  ScrollBox1->setAlignment(Qt::AlignCenter);
  imgPreview = new QLabel;
  imgPreview->setObjectName("imgPreview");
  imgPreview->resize(0, 0);
  ScrollBox1->setWidget(imgPreview);  // never stretched: its size is the picture's

  QFont bold = font();
  bold.setBold(true);
  lblName = MakeLabel(this, "lblName", "");
  lblName->setFont(bold);
  lblName->setTextInteractionFlags(Qt::TextSelectableByMouse);
  lblSize = MakeLabel(this, "lblSize", "Size");
  lblBits = MakeLabel(this, "lblBits", "Bits");
  lblCel = MakeLabel(this, "lblCel", "");
  btnPrevCel = MakeButton(this, "btnPrevCel", "<");
  btnPrevCel->setToolTip("Previous cel");
  btnPrevCel->setEnabled(false);
  connect(btnPrevCel, &QPushButton::clicked, this, [this] { StepCel(-1); });
  btnNextCel = MakeButton(this, "btnNextCel", ">");
  btnNextCel->setToolTip("Next cel");
  btnNextCel->setEnabled(false);
  connect(btnNextCel, &QPushButton::clicked, this, [this] { StepCel(1); });
  for (QPushButton* small : {btnPrevCel, btnNextCel}) small->setFixedWidth(25);
  btnZoom = MakeButton(this, "btnZoom", "1:1");
  btnZoom->setCheckable(true);
  btnZoom->setToolTip("Show the picture at its own size instead of fitted to the preview");
  connect(btnZoom, &QPushButton::toggled, this, [this] { ShowPictureScaled(); });
}

void TMaterialsDialog::BuildButtons() {
  btnAdd = MakeButton(this, "btnAdd", "&Add to Project");
  connect(btnAdd, &QPushButton::clicked, this, &TMaterialsDialog::btnAddClick);
  btnDelete = MakeButton(this, "btnDelete", "-");
  btnDelete->setFixedWidth(25);
  QFont small = btnDelete->font();
  small.setPixelSize(13);
  btnDelete->setFont(small);
  connect(btnDelete, &QPushButton::clicked, this, &TMaterialsDialog::btnDeleteClick);
  btnOK = MakeButton(this, "btnOK", "&OK");
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = MakeButton(this, "btnCancel", "&Cancel");
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

// The available materials on the left, the project's in the middle, the preview on the right.
void TMaterialsDialog::LayOut(QLabel* available, QLabel* project) {
  auto* cels = new QHBoxLayout;
  cels->addWidget(btnPrevCel);
  cels->addWidget(btnNextCel);
  cels->addWidget(lblCel, 1);
  cels->addWidget(btnZoom);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(btnOK);
  closing->addWidget(btnCancel);
  auto* grid = new QGridLayout(this);
  grid->addWidget(available, 0, 0);
  grid->addWidget(lbxCatResMat, 1, 0);
  grid->addWidget(lbxResMat, 2, 0, 6, 1);
  grid->addWidget(btnAdd, 8, 0, Qt::AlignLeft);
  grid->addWidget(project, 0, 1);
  grid->addWidget(lbxProjMat, 1, 1, 7, 1);
  grid->addWidget(btnDelete, 8, 1, Qt::AlignLeft);
  grid->addWidget(ScrollBox1, 1, 2, 2, 1);
  grid->addWidget(lblName, 3, 2);
  grid->addWidget(lblSize, 4, 2);
  grid->addWidget(lblBits, 5, 2);
  grid->addLayout(cels, 6, 2);
  grid->addLayout(closing, 8, 2);
  grid->setColumnStretch(0, 3);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(2, 4);
  grid->setRowStretch(2, 1);
}

bool TMaterialsDialog::Execute(TCore& core, const std::string& initialName, std::string& chosenName, QWidget* parent) {
  TMaterialsDialog dialog(core, parent);
  // A model read from a container takes its materials from there first.
  std::vector<std::string> containers = core.ResourceList;
  const std::string& file = core.Model->FileName;
  if (const auto cut = file.find(" > "); cut != std::string::npos) {
    const std::string own = file.substr(0, cut);
    std::erase_if(containers, [&](const std::string& c) { return c == own; });
    containers.insert(containers.begin(), own);
  }
  for (const std::string& container : containers) dialog.lbxCatResMat->addItem(QString::fromStdString(container));
  dialog.FillProjectList(initialName);
  chosenName = initialName;
  if (dialog.exec() != QDialog::Accepted) return false;
  const QListWidgetItem* row = SelectedRow(dialog.lbxProjMat);
  chosenName = row ? row->text().toStdString() : std::string();
  return true;
}

void TMaterialsDialog::FillSorted(QListWidget* list, std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(), LessNoCase);
  const QSignalBlocker quiet(list);
  list->clear();
  for (const std::string& name : names) list->addItem(QString::fromStdString(name));
}

void TMaterialsDialog::FillProjectList(const std::string& select) {
  std::vector<TMaterial*> materials = WrittenMaterials(*Core.Model);
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

void TMaterialsDialog::lbxCatResMatClick() {
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

void TMaterialsDialog::lbxResMatClick() {
  tmrResMat->stop();
  tmrResMat->start();
}

void TMaterialsDialog::tmrResMatTimer() {
  tmrResMat->stop();
  const QListWidgetItem* row = SelectedRow(lbxResMat);
  if (!row) return;
  // Found by the full search whichever source is chosen, as it would be once added.
  TMaterial preview(&Core.Model->Materials, row->text().toStdString());
  RunGuarded(Core.Services, "previewing a material", [&] { preview.Load(); });
  ShowMaterial(preview);
}

void TMaterialsDialog::lbxProjMatClick() {
  const QListWidgetItem* row = SelectedRow(lbxProjMat);
  if (!row) return;
  const auto* material = static_cast<const TMaterial*>(row->data(Qt::UserRole).value<void*>());
  if (Core.Model->Materials.IndexOf(material) >= 0) ShowMaterial(*material);
}

void TMaterialsDialog::btnAddClick() {
  const QListWidgetItem* row = SelectedRow(lbxResMat);
  if (!row) return;
  const std::string name = row->text().toStdString();
  RunGuarded(Core.Services, "adding a material", [&] {
    const TCommandResult added = RunStep(Core, "Add Material", [&] { return AddMaterialToModel(Core, name); });
    ShowFailure(Core.Services, added);
    // Its step told the panel of a new material; one that was there already is listed again
    // all the same, as after every click.
    if (added.Outcome != TOutcome::Done) Core.Changed(chMaterials);
  });
  FillProjectList(name);
}

void TMaterialsDialog::btnDeleteClick() {
  const QListWidgetItem* row = SelectedRow(lbxProjMat);
  if (!row) return;
  auto* material = static_cast<TMaterial*>(row->data(Qt::UserRole).value<void*>());
  RunGuarded(Core.Services, "deleting a material", [&] {
    const TCommandResult deleted = RunStep(Core, "Delete Material", [&] {
      DeleteProjectMaterial(Core, material);
      return TCommandResult{};
    });
    ShowFailure(Core.Services, deleted);
    if (deleted.Outcome != TOutcome::Done) Core.Changed(chMaterials);
  });
  FillProjectList({});
}

void TMaterialsDialog::StepCel(int by) {
  if (ShownName.empty()) return;
  TMaterial preview(&Core.Model->Materials, ShownName);
  preview.Cel = ShownCel + by;
  RunGuarded(Core.Services, "previewing a material", [&] { preview.Load(); });
  ShowMaterial(preview);
}

void TMaterialsDialog::ShowMaterial(const TMaterial& material) {
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

void TMaterialsDialog::ShowPicture(const TMaterial& material) {
  // The pixels are RGB rows in file order, the first row at the top of the picture.
  Picture = QImage(material.Width, material.Height, QImage::Format_RGB888);
  const size_t rowBytes = static_cast<size_t>(material.Width) * 3;
  for (int y = 0; y < material.Height; ++y)
    std::memcpy(Picture.scanLine(y), material.Pixels.data() + rowBytes * static_cast<size_t>(y), rowBytes);
  imgPreview->setFrameShape(QFrame::NoFrame);
  ShowPictureScaled();
  lblSize->setText(QString("Size %1x%2").arg(material.Width).arg(material.Height));
}

// A picture larger than the preview is shrunk to fit it whole, unless 1:1 is pressed; a
// smaller one shows at its own size, its texels as they are.
void TMaterialsDialog::ShowPictureScaled() {
  if (Picture.isNull()) return;
  const QSize room = ScrollBox1->maximumViewportSize();
  const bool fit = !btnZoom->isChecked() && (Picture.width() > room.width() || Picture.height() > room.height());
  const QImage shown = fit ? Picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation) : Picture;
  imgPreview->setPixmap(QPixmap::fromImage(shown));
  imgPreview->resize(shown.size());
}

void TMaterialsDialog::ShowPlaceholder(const TMaterial& material) {
  Picture = QImage();
  imgPreview->setFrameShape(QFrame::Box);
  imgPreview->setAlignment(Qt::AlignCenter);
  imgPreview->setWordWrap(true);
  imgPreview->setText(QString::fromStdString(material.Name) + "\n(no picture)");
  imgPreview->resize(ScrollBox1->viewport()->size());
  lblSize->setText("Size 0x0");
}
