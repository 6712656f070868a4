#include "app/PropertyPanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QToolButton>

#include "editing/PropertyEdits.h"
#include "editing/Step.h"
#include "document/Core.h"
#include "view/RunGuarded.h"
#include "model/WrittenMaterials.h"

namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }
std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }
QString Counted(const char* what, int count) { return QString("%1 (%2)").arg(what).arg(count); }

// "Small Fonts" is a bitmap face that few desktops have. Elsewhere the desktop's smallest
// readable face is taken when it is that small (bare X servers name a large one), else the
// desktop's usual face at 7 points: the DejaVu and Noto faces of Linux desktops stay
// readable there, and the longest list entry then fits the width of the tree above.
QFont PanelFont() {
  if (QFontDatabase::families().contains("Small Fonts", Qt::CaseInsensitive)) {
    QFont font("Small Fonts");
    font.setPointSize(7);
    return font;
  }
  const QFont smallest = QFontDatabase::systemFont(QFontDatabase::SmallestReadableFont);
  if (smallest.pointSizeF() > 0 && smallest.pointSizeF() <= 7) return smallest;
  QFont font = QApplication::font();
  font.setPointSize(7);
  return font;
}

QFormLayout* PageForm(QStackedWidget* pages, QWidget*& page, const char* name) {
  page = new QWidget;
  page->setObjectName(name);
  pages->addWidget(page);
  auto* form = new QFormLayout(page);
  form->setContentsMargins(2, 2, 2, 2);
  form->setHorizontalSpacing(4);
  form->setVerticalSpacing(2);
  form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  form->setFormAlignment(Qt::AlignLeft | Qt::AlignTop);
  form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  return form;
}

// Only the weight is set, so the heading keeps the panel's face and size.
QLabel* Heading(QFormLayout* form, const char* name, const char* text) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  QFont bold;
  bold.setBold(true);
  label->setFont(bold);
  form->addRow(label);
  return label;
}

}  // namespace

TPropertyPanel::TPropertyPanel(TCore& core, QWidget* parent) : QWidget(parent), Core(core) {
  setObjectName("fraProp");
  Subscription = core.Events.Subscribe([this](unsigned changes) {
    if (changes & chMaterials) FillMaterialList();
    if (changes & chProperties) UpdateProperties();
  });
  setFont(PanelFont());
  setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  pclProp = new QStackedWidget(this);
  pclProp->setObjectName("pclProp");
  layout->addWidget(pclProp);
  BuildNodePage();
  BuildFacePage();
  BuildVertexPage();
}

QComboBox* TPropertyPanel::AddList(QFormLayout* form, const char* caption, const char* name,
                            const std::vector<std::string>& items, TChange change) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  for (const std::string& item : items) box->addItem(Q(item));
  // A fixed list is as wide as its longest entry: the column widens rather than cut it.
  box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(box, &QComboBox::activated, this, [this, change] { Apply(change); });
  if (caption) form->addRow(caption, box);
  return box;
}

QLineEdit* TPropertyPanel::AddEdit(QFormLayout* form, const char* caption, const char* name, TChange change) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  edit->installEventFilter(this);
  EditHandlers[edit] = change;
  connect(edit, &QLineEdit::returnPressed, this, [this, edit] { CommitEdit(edit); });
  form->addRow(caption, edit);
  return edit;
}

QCheckBox* TPropertyPanel::AddFlag(const char* name, const char* caption, TChange change) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  box->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  connect(box, &QCheckBox::clicked, this, [this, change] { Apply(change); });
  return box;
}

void TPropertyPanel::BuildNodePage() {
  QFormLayout* form = PageForm(pclProp, tabNode, "tabNode");
  lblNode = Heading(form, "lblNode", "Node (0)");
  cbxNodeType = AddList(form, "Type", "cbxNodeType", NodeTypeItems(), {&TPropertyPanel::cbxNodeTypeChange, "Node Type"});
  edtNodePos = AddEdit(form, "Position", "edtNodePos", {&TPropertyPanel::edtNodePosExit, "Position"});
  edtNodePiv = AddEdit(form, "Pivot", "edtNodePiv", {&TPropertyPanel::edtNodePivExit, "Pivot"});
  edtNodeRot = AddEdit(form, "Rotation", "edtNodeRot", {&TPropertyPanel::edtNodeRotExit, "Rotation"});
  Heading(form, "lblMesh", "Mesh");
  edtMeshName = AddEdit(form, "Name", "edtMeshName", {&TPropertyPanel::edtMeshNameExit, "Mesh Name"});
  cbxMeshGeo = AddList(form, "Geo", "cbxMeshGeo", GeometryModeItems(), {&TPropertyPanel::cbxMeshGeoChange, "Mesh Geo"});
  cbxMeshLight =
      AddList(form, "Light ", "cbxMeshLight", LightingModeItems(), {&TPropertyPanel::cbxMeshLightChange, "Mesh Light"});
  cbxMeshTex = AddList(form, "Tex", "cbxMeshTex", TextureModeItems(), {&TPropertyPanel::cbxMeshTexChange, "Mesh Tex"});
}

void TPropertyPanel::BuildFacePage() {
  QFormLayout* form = PageForm(pclProp, tabFace, "tabFace");
  lblSurface = Heading(form, "lblSurface", "Surface (0)");
  cbxFaceMaterial = AddList(form, nullptr, "cbxFaceMaterial", {}, {&TPropertyPanel::cbxFaceMaterialChange, "Material"});
  // Material names are the model's; a long one is shortened in the closed list only.
  cbxFaceMaterial->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbxFaceMaterial->setMinimumContentsLength(8);
  btnMatDlg = new QToolButton;
  btnMatDlg->setObjectName("btnMatDlg");
  btnMatDlg->setText("...");
  btnMatDlg->setAutoRaise(true);
  connect(btnMatDlg, &QToolButton::clicked, this, [this] { Apply({&TPropertyPanel::btnMatDlgClick, nullptr}); });
  auto* material = new QHBoxLayout;
  material->setSpacing(1);
  material->addWidget(cbxFaceMaterial, 1);
  material->addWidget(btnMatDlg);
  form->addRow("Material", material);
  cbxFaceGeo = AddList(form, "Geo ", "cbxFaceGeo", GeometryModeItems(), {&TPropertyPanel::cbxFaceGeoChange, "Surface Geo"});
  cbxFaceLight =
      AddList(form, "Light ", "cbxFaceLight", LightingModeItems(), {&TPropertyPanel::cbxFaceLightChange, "Surface Light"});
  cbxFaceTex = AddList(form, "Tex", "cbxFaceTex", TextureModeItems(), {&TPropertyPanel::cbxFaceTexChange, "Surface Tex"});
  edtFaceExtra = AddEdit(form, "Extralight", "edtFaceExtra", {&TPropertyPanel::edtFaceExtraExit, "Extralight"});
  chxFlag1 = AddFlag("chxFlag1", "Two Sided", {&TPropertyPanel::chxFlag1Click, "Two Sided"});
  chxFlag1->setLayoutDirection(Qt::RightToLeft);  // its caption stands on the left
  form->addRow(chxFlag1);
  chxFlag2 = AddFlag("chxFlag2", "Translucent", {&TPropertyPanel::chxFlag2Click, "Translucent"});
  chxFlag3 = AddFlag("chxFlag3", "Collides", {&TPropertyPanel::chxFlag3Click, "Collides"});
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  row->addWidget(chxFlag2);
  row->addWidget(chxFlag3);
  row->addStretch(1);
  form->addRow(row);
}

void TPropertyPanel::BuildVertexPage() {
  QFormLayout* form = PageForm(pclProp, tabVertex, "tabVertex");
  lblVertex = Heading(form, "lblVertex", "Vertex (0)");
  auto* none = new QLabel("No properties");
  none->setObjectName("lblNoProperties");
  form->addRow(none);
}

void TPropertyPanel::ShowPage(int mode) {
  pclProp->setCurrentIndex(mode);
  UpdateProperties();
}

TPropertyPanel::~TPropertyPanel() { Core.Events.Unsubscribe(Subscription); }

void TPropertyPanel::UpdateProperties() {
  switch (Core.EditMode) {
    case emNode: FillNodePage(); break;
    case emSurface: FillFacePage(); break;
    case emVertex: lblVertex->setText(Counted("Vertex", Core.Vertices.Count())); break;
  }
}

void TPropertyPanel::FillNodePage() {
  lblNode->setText(Counted("Node", Core.Nodes.Count()));
  const TNode* node = Core.Nodes.First();
  cbxNodeType->setCurrentIndex(node ? NodeTypeToIndex(node->NodeType) : -1);
  edtNodePos->setText(node ? Q(VectorToText(node->Position)) : QString());
  edtNodePiv->setText(node ? Q(VectorToText(node->Pivot)) : QString());
  edtNodeRot->setText(node ? Q(VectorToText(node->Rotation)) : QString());
  const TMesh* mesh = node ? node->Mesh.get() : nullptr;
  edtMeshName->setText(mesh ? Q(mesh->Name) : QString());
  // A mode the lists do not hold (a file can say anything) shows no entry.
  cbxMeshGeo->setCurrentIndex(mesh ? mesh->GeometryMode : -1);
  cbxMeshLight->setCurrentIndex(mesh ? mesh->LightingMode : -1);
  cbxMeshTex->setCurrentIndex(mesh ? mesh->TextureMode : -1);
}

void TPropertyPanel::FillFacePage() {
  lblSurface->setText(Counted("Surface", Core.Surfaces.Count()));
  const TFace* face = Core.Surfaces.First();
  cbxFaceMaterial->setCurrentIndex(face && face->Material
                                       ? cbxFaceMaterial->findText(Q(face->Material->Name), Qt::MatchFixedString)
                                       : -1);
  cbxFaceGeo->setCurrentIndex(face ? face->GeometryMode : -1);
  cbxFaceLight->setCurrentIndex(face ? face->LightingMode : -1);
  cbxFaceTex->setCurrentIndex(face ? face->TextureMode : -1);
  edtFaceExtra->setText(face ? Q(FormatFloat6(face->ExtraLight)) : QString());
  chxFlag1->setChecked(face && face->HasFlag(1));
  chxFlag2->setChecked(face && face->HasFlag(2));
  chxFlag3->setChecked(face && face->HasFlag(4));
}

void TPropertyPanel::FillMaterialList() {
  const QString shown = cbxFaceMaterial->currentText();
  QStringList names;
  for (const TMaterial* material : WrittenMaterials(*Core.Model)) names << Q(material->Name);
  names.sort(Qt::CaseInsensitive);
  cbxFaceMaterial->clear();
  cbxFaceMaterial->addItems(names);
  cbxFaceMaterial->setCurrentIndex(shown.isEmpty() ? -1 : cbxFaceMaterial->findText(shown));
}

void TPropertyPanel::Apply(TChange change) {
  RunGuarded(Core.Services, "changing a property", [this, change] {
    if (change.Step)
      ShowFailure(Core.Services, RunStep(Core, change.Step, [&] {
        // A value the edit refuses is told by the edit itself.
        (this->*change.Handler)();
        return TCommandResult{};
      }));
    else
      (this->*change.Handler)();
  });
  RunGuarded(Core.Services, "showing the properties", [this] { UpdateProperties(); });
}

void TPropertyPanel::CommitEdit(QLineEdit* edit) {
  // Only a text the user changed is applied: writing back what was shown would round the
  // values and give every selected object the first one's. The mark goes first, because the
  // error box of a refused text takes the focus from this field.
  if (!edit->isModified()) return;
  edit->setModified(false);
  Apply(EditHandlers.at(edit));
}

bool TPropertyPanel::eventFilter(QObject* watched, QEvent* event) {
  // A context menu of the field takes the focus for a moment; that is no leaving.
  if (event->type() == QEvent::FocusOut && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
    if (auto it = EditHandlers.find(watched); it != EditHandlers.end()) CommitEdit(static_cast<QLineEdit*>(watched));
  return QWidget::eventFilter(watched, event);
}

void TPropertyPanel::cbxNodeTypeChange() { SetNodeType(Core, cbxNodeType->currentIndex()); }
void TPropertyPanel::edtNodePosExit() { SetNodeVector(Core, TNodeVector::Position, Text(edtNodePos)); }
void TPropertyPanel::edtNodePivExit() { SetNodeVector(Core, TNodeVector::Pivot, Text(edtNodePiv)); }
void TPropertyPanel::edtNodeRotExit() { SetNodeVector(Core, TNodeVector::Rotation, Text(edtNodeRot)); }
void TPropertyPanel::edtMeshNameExit() { SetMeshName(Core, Text(edtMeshName)); }
void TPropertyPanel::cbxMeshGeoChange() { SetMeshMode(Core, TRenderMode::Geometry, cbxMeshGeo->currentIndex()); }
void TPropertyPanel::cbxMeshLightChange() { SetMeshMode(Core, TRenderMode::Lighting, cbxMeshLight->currentIndex()); }
void TPropertyPanel::cbxMeshTexChange() { SetMeshMode(Core, TRenderMode::Texture, cbxMeshTex->currentIndex()); }
void TPropertyPanel::cbxFaceMaterialChange() { SetSurfaceMaterial(Core, cbxFaceMaterial->currentText().toStdString()); }
void TPropertyPanel::cbxFaceGeoChange() { SetSurfaceMode(Core, TRenderMode::Geometry, cbxFaceGeo->currentIndex()); }
void TPropertyPanel::cbxFaceLightChange() { SetSurfaceMode(Core, TRenderMode::Lighting, cbxFaceLight->currentIndex()); }
void TPropertyPanel::cbxFaceTexChange() { SetSurfaceMode(Core, TRenderMode::Texture, cbxFaceTex->currentIndex()); }
void TPropertyPanel::edtFaceExtraExit() { SetSurfaceExtraLight(Core, Text(edtFaceExtra)); }
void TPropertyPanel::chxFlag1Click() { SetSurfaceFlag(Core, 1, chxFlag1->isChecked()); }
void TPropertyPanel::chxFlag2Click() { SetSurfaceFlag(Core, 2, chxFlag2->isChecked()); }
void TPropertyPanel::chxFlag3Click() { SetSurfaceFlag(Core, 4, chxFlag3->isChecked()); }

void TPropertyPanel::btnMatDlgClick() {
  if (!ExecuteMaterials) return;
  const std::string shown = cbxFaceMaterial->currentText().toStdString();
  std::string chosen = shown;
  const bool ok = ExecuteMaterials(shown, chosen);
  FillMaterialList();  // the dialog adds and deletes project materials
  // Cancel assigns nothing, so a mixed selection keeps the materials it had.
  if (ok)
    ShowFailure(Core.Services, RunStep(Core, "Material", [&] {
      SetSurfaceMaterial(Core, chosen);
      return TCommandResult{};
    }));
  else
    Core.Changed(chGeometry);
}
