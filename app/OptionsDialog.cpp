#include "formats/FileKinds.h"
#include "app/OptionsDialog.h"

#include <QAction>
#include <QColorDialog>
#include <QKeySequenceEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>
#include <iterator>
#include <map>

#include "app/ActionRegistry.h"
#include "app/GameLightBox.h"
#include "app/OptionsLists.h"
#include "app/Settings.h"
#include "app/SettingsColor.h"
#include "app/SettingsKeys.h"
#include "document/Core.h"
#include "editing/ActionTable.h"
#include "formats/Gob.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "view/Builder.h"
#include "settings/ShortcutClash.h"

namespace {

const char* const ColorCaptions[] = {"2D Background", "3D Background", "Geometry", "Vertices",
                                     "Selection",     "Grid",          "Grid (zero line)", "Pivot Point "};

int Highlighted(const QListWidget& list) {
  const QList<QListWidgetItem*> selected = list.selectedItems();
  return selected.isEmpty() ? -1 : list.row(selected.first());
}

QPushButton* Button(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

// A shortcut is one key with its modifiers; of several typed into the key field, the last is
// the one meant.
QKeySequence LastKey(const QKeySequence& keys) { return keys.isEmpty() ? keys : QKeySequence(keys[keys.count() - 1]); }

QListWidget* List(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  list->setUniformItemSizes(true);
  return list;
}

}  // namespace

TOptionsDialog::TOptionsDialog(TCore& core, const TActionRegistry& actions, std::function<void()> coloursChanged,
                         std::function<TViewportFrame*()> frame)
    : QDialog(nullptr), Core(core), Actions(actions), ColoursChanged(std::move(coloursChanged)), Frame(frame),
      Was2D(core.Color2D), Was3D(core.Color3D) {
  std::copy(std::begin(core.Colors), std::end(core.Colors), std::begin(WasColors));
  for (const QAction* action : actions.Actions()) WasKeys.push_back(action->shortcut());
  if (TViewportFrame* f = Frame ? Frame() : nullptr) WasLight = f->GameLight;
  setObjectName("frmOptions");
  setWindowTitle("Options");
  setFixedSize(573, 487);
  auto* grid = new QGridLayout(this);
  grid->addWidget(BuildColors(), 0, 0);
  grid->addWidget(BuildResources(), 1, 0);
  grid->addWidget(BuildGameLightBox(this, std::move(frame)), 2, 0);
  grid->addWidget(BuildShortcuts(), 0, 1, 3, 1);
  btnOK = new QPushButton("&OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  btnCancel->setAutoDefault(false);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  grid->addLayout(buttons, 3, 0, 1, 2);
  ShowSwatch(EntryColor(-1));
}

QGroupBox* TOptionsDialog::BuildColors() {
  auto* group = new QGroupBox(" Colors ", this);
  lbxColors = List("lbxColors", group);
  lbxColors->setItemDelegate(new TColorRow([this](int row) { return EntryColor(row); }, lbxColors));
  for (const char* caption : ColorCaptions) lbxColors->addItem(caption);
  lbxColors->setFixedHeight(static_cast<int>(std::size(ColorCaptions)) * 16 + 2 * lbxColors->frameWidth());
  pnlColor = new QFrame(group);
  pnlColor->setObjectName("pnlColor");
  pnlColor->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlColor->setAutoFillBackground(true);
  pnlColor->setMinimumSize(80, 50);
  btnColorEdit = Button("&Edit", "btnColorEdit", group);
  cdl = new QColorDialog(this);
  cdl->setObjectName("cdl");
  connect(lbxColors, &QListWidget::itemSelectionChanged, this, [this] { ShowSwatch(EntryColor(Highlighted(*lbxColors))); });
  connect(btnColorEdit, &QPushButton::clicked, this, &TOptionsDialog::btnColorEditClick);
  auto* layout = new QGridLayout(group);
  layout->addWidget(lbxColors, 0, 0, 3, 1);
  layout->addWidget(pnlColor, 0, 1);
  layout->addWidget(btnColorEdit, 1, 1);
  layout->setRowStretch(2, 1);
  return group;
}

QGroupBox* TOptionsDialog::BuildShortcuts() {
  auto* group = new QGroupBox(" Shortcuts ", this);
  lbxShort = List("lbxShort", group);
  lbxShort->setItemDelegate(new TShortcutRow(lbxShort));
  // Each command by its menu caption; one that several menus hold ("Rotate") names its menu too.
  std::map<std::string, int> uses;
  for (const TActionRow& row : MainActionRows()) ++uses[PlainCaption(row.Caption)];
  for (const TActionRow& row : MainActionRows()) {
    std::string caption = PlainCaption(row.Caption);
    if (uses[caption] > 1 && *row.Menu) caption += " (" + PlainCaption(row.Menu) + ")";
    auto* item = new QListWidgetItem(QString::fromStdString(caption), lbxShort);
    item->setData(TShortcutRow::ActionRole, QVariant::fromValue(Actions.Action(row.Name)));
  }
  edtShortcut = new QKeySequenceEdit(group);
  edtShortcut->setObjectName("edtShortcut");
  edtShortcut->setClearButtonEnabled(true);
  // Once the typing stops, the field shows the one key that Edit gives.
  connect(edtShortcut, &QKeySequenceEdit::keySequenceChanged, this, [this](const QKeySequence& keys) {
    if (keys.count() > 1) edtShortcut->setKeySequence(LastKey(keys));
  });
  btnShortEdit = Button("&Edit", "btnShortEdit", group);
  connect(lbxShort, &QListWidget::itemSelectionChanged, this, &TOptionsDialog::lbxShortClick);
  connect(btnShortEdit, &QPushButton::clicked, this, &TOptionsDialog::btnShortEditClick);
  auto* layout = new QGridLayout(group);
  layout->addWidget(lbxShort, 0, 0, 1, 2);
  layout->addWidget(edtShortcut, 1, 0);
  layout->addWidget(btnShortEdit, 1, 1);
  layout->setColumnStretch(0, 1);
  return group;
}

QGroupBox* TOptionsDialog::BuildResources() {
  auto* group = new QGroupBox(" Resources ", this);
  lbxRes = List("lbxRes", group);
  for (const std::string& path : Core.ResourceList) lbxRes->addItem(QString::fromStdString(path));
  edtRes = new QLineEdit(group);
  edtRes->setObjectName("edtRes");
  btnResAdd = Button("+", "btnResAdd", group);
  btnResDelete = Button("-", "btnResDelete", group);
  btnResBrowse = Button("...", "btnResBrowse", group);
  btnResAdd->setToolTip("Add");
  btnResDelete->setToolTip("Delete");
  btnResBrowse->setToolTip("Add");
  for (QPushButton* small : {btnResAdd, btnResDelete, btnResBrowse}) small->setFixedWidth(28);
  connect(btnResAdd, &QPushButton::clicked, this, &TOptionsDialog::btnResAddClick);
  connect(btnResDelete, &QPushButton::clicked, this, [this] {
    if (const int row = Highlighted(*lbxRes); row >= 0) delete lbxRes->takeItem(row);
  });
  connect(btnResBrowse, &QPushButton::clicked, this, [this] {
    const std::string path = Core.Services.AskOpenFileName(ContainerFilter(), "Open");
    if (!path.empty()) edtRes->setText(QString::fromStdString(path));
  });
  auto* layout = new QGridLayout(group);
  layout->addWidget(lbxRes, 0, 0, 1, 4);
  layout->addWidget(edtRes, 1, 0);
  layout->addWidget(btnResAdd, 1, 1);
  layout->addWidget(btnResDelete, 1, 2);
  layout->addWidget(btnResBrowse, 1, 3);
  return group;
}

unsigned TOptionsDialog::EntryColor(int row) const {
  if (row == 0) return Core.Color2D;
  if (row == 1) return Core.Color3D;
  if (row >= 2 && row < 2 + ccCount) return RGBToSystemColor(Core.Colors[row - 2]);
  return 0xFFFFFF;
}

void TOptionsDialog::ShowSwatch(unsigned color) {
  Swatch = color;
  QPalette palette = pnlColor->palette();
  palette.setColor(QPalette::Window, ToQColor(color));
  pnlColor->setPalette(palette);
}

void TOptionsDialog::btnColorEditClick() {
  cdl->setCurrentColor(ToQColor(Swatch));
  if (cdl->exec() != QDialog::Accepted) return;
  const unsigned color = FromQColor(cdl->selectedColor());
  const int row = Highlighted(*lbxColors);
  if (row == 0) Core.Color2D = color;
  if (row == 1) Core.Color3D = color;
  if (row >= 2) Core.Colors[row - 2] = SystemColorToRGB(color);
  ShowSwatch(color);
  lbxColors->viewport()->update();
  if (ColoursChanged) ColoursChanged();
}

void TOptionsDialog::lbxShortClick() {
  const int row = Highlighted(*lbxShort);
  if (row < 0) return;
  const auto* action = lbxShort->item(row)->data(TShortcutRow::ActionRole).value<QAction*>();
  edtShortcut->setKeySequence(action->shortcut());
}

// With no row highlighted there is nothing to change. A key another command holds is
// refused unless the user agrees that the two commands swap their keys.
void TOptionsDialog::btnShortEditClick() {
  const int row = Highlighted(*lbxShort);
  if (row < 0) return;
  auto* action = lbxShort->item(row)->data(TShortcutRow::ActionRole).value<QAction*>();
  const QKeySequence key = KeyFromText(KeyText(LastKey(edtShortcut->keySequence())));
  if (key.isEmpty() && !edtShortcut->keySequence().isEmpty()) {
    Core.Services.ShowError(edtShortcut->keySequence().toString(QKeySequence::NativeText).toStdString() +
                            " cannot be a shortcut here: take a letter, a digit, F1 to F24 or a named key");
    return;
  }
  std::vector<std::string> keys;
  for (const QAction* a : Actions.Actions()) keys.push_back(KeyText(a->shortcut()));
  const auto self = std::find(Actions.Actions().begin(), Actions.Actions().end(), action) - Actions.Actions().begin();
  const int holder = ShortcutHolder(keys, KeyText(key), static_cast<int>(self));
  if (holder >= 0) {
    QAction* other = Actions.Actions()[static_cast<size_t>(holder)];
    const QString otherName = QString::fromStdString(PlainCaption(other->text().toStdString()));
    const QString ownKey = action->shortcut().isEmpty() ? QString()
                                                         : QString::fromStdString(KeyText(action->shortcut()));
    QMessageBox ask(QMessageBox::Question, "Shortcut in use",
                    QString("%1 is the shortcut of \"%2\". Give it to \"%3\" and %4?")
                        .arg(QString::fromStdString(KeyText(key)), otherName,
                             QString::fromStdString(PlainCaption(action->text().toStdString())),
                             ownKey.isEmpty() ? "leave \"" + otherName + "\" without a shortcut"
                                              : "give \"" + otherName + "\" " + ownKey + " instead"),
                    QMessageBox::Yes | QMessageBox::No, this);
    ask.setObjectName("msgShortcutInUse");
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() != QMessageBox::Yes) return;
    other->setShortcut(action->shortcut());
  }
  action->setShortcut(key);
  lbxShort->viewport()->update();
}

void TOptionsDialog::btnResAddClick() {
  const std::string path = edtRes->text().trimmed().toStdString();
  if (path.empty()) return;
  std::string problem;
  if (!RegularFileExists(path)) {
    problem = NotARegularFile(path);
  } else {
    try {
      TGob gob;
      if (!gob.LoadFromFile(path)) problem = "'" + path + "' is no .gob or .goo container";
    } catch (const EZarnError& e) {
      problem = e.what();
    }
  }
  if (!problem.empty()) {
    Core.Services.ShowError(problem + "\nThe resource list takes only containers that read.");
    edtRes->setFocus();
    return;
  }
  lbxRes->addItem(QString::fromStdString(path));
  edtRes->clear();
}

void TOptionsDialog::Restore() {
  Core.Color2D = Was2D;
  Core.Color3D = Was3D;
  std::copy(std::begin(WasColors), std::end(WasColors), std::begin(Core.Colors));
  for (size_t i = 0; i < WasKeys.size() && i < Actions.Actions().size(); ++i)
    Actions.Actions()[i]->setShortcut(WasKeys[i]);
  if (TViewportFrame* f = Frame ? Frame() : nullptr) {
    f->GameLight = WasLight;
    SaveGameLight(WasLight);
    f->Redraw(false);
  }
  if (ColoursChanged) ColoursChanged();
}

void TOptionsDialog::done(int result) {
  if (result != QDialog::Accepted) {
    Restore();
  } else {
    Core.ResourceList.clear();
    for (int i = 0; i < lbxRes->count(); ++i) Core.ResourceList.push_back(lbxRes->item(i)->text().toStdString());
    SaveOptions(Actions, Core);
  }
  QDialog::done(result);
}
