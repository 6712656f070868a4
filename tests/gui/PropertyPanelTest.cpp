// The property panel below the node tree, driven with clicks and keys as a user drives it: its
// changes reach the whole selection, a field left untouched changes nothing, and its pages
// follow the edit mode and the model.
#include <QStackedWidget>

#include "app/PropertyPanel.h"
#include "editing/MaterialEdits.h"
#include "tests/gui/GuiFixture.h"

// Vectors in failure messages as the panel shows them.
static void PrintTo(const TVector& v, std::ostream* out) { *out << VectorToText(v); }

namespace {

class PropertyPanel : public TWindowTest {
 protected:
  void SetUp() override {
    StartWindow(Sample(), 900, 700);
    Activate();
  }
  TPropertyPanel& Panel() { return *Window->findChild<TPropertyPanel*>("fraProp"); }
  template <class W>
  W* Control(const char* name) {
    W* widget = Panel().findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  std::string Caption(const char* label) { return Control<QLabel>(label)->text().toStdString(); }
  // Opens the list with a click and clicks the entry.
  void Pick(const char* list, const QString& entry) {
    QComboBox* box = Control<QComboBox>(list);
    QTest::mouseClick(box, Qt::LeftButton);
    QAbstractItemView* view = box->view();
    ASSERT_TRUE(QTest::qWaitFor([view] { return view->isVisible(); }));
    QTest::qWait(QApplication::doubleClickInterval() + 50);  // the opening click's release is ignored
    const QModelIndex item = box->model()->index(box->findText(entry), 0);
    view->scrollTo(item);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(item).center());
    EXPECT_EQ(box->currentText().toStdString(), entry.toStdString());
  }
  // Clicks into the field, types a new text over the old unless `typed` is null, then ends
  // with the key (Tab leaves the field, Return stays in it).
  void Type(const char* field, const char* typed, Qt::Key end) {
    QLineEdit* edit = Control<QLineEdit>(field);
    QTest::mouseClick(edit, Qt::LeftButton);
    if (typed) {
      QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
      QTest::keyClicks(edit, typed);
    }
    QTest::keyClick(edit, end);
  }
  void SelectAllIn(QAction* mode) {
    mode->trigger();
    QTest::keyClick(Surface(), Qt::Key_A, Qt::ControlModifier);
  }
  std::vector<std::string> SelectedMaterials() {
    std::vector<std::string> names;
    for (const TFace* face : Core->Surfaces) names.push_back(face->Material->Name);
    return names;
  }
};

// The faces' own values change, which the writer's tests follow into the file.
TEST_F(PropertyPanel, SurfaceChangesReachTheWholeSelection) {
  SelectAllIn(Frame().actEMFace);
  std::vector<bool> translucent;
  for (const TFace* face : Core->Surfaces) translucent.push_back(face->HasFlag(2));

  Pick("cbxFaceMaterial", "engine.mat");
  QTest::mouseClick(Control<QCheckBox>("chxFlag1"), Qt::LeftButton);  // Two Sided, off on the first
  QTest::mouseClick(Control<QCheckBox>("chxFlag3"), Qt::LeftButton);  // Collides, on on the first
  Type("edtFaceExtra", "bright", Qt::Key_Return);
  EXPECT_EQ(Services.Errors.back(), "'bright' is not a valid floating point value");
  EXPECT_EQ(Control<QLineEdit>("edtFaceExtra")->text().toStdString(), "0");
  Type("edtFaceExtra", "0.5", Qt::Key_Tab);
  const std::vector<TFace*> faces = Core->Surfaces.Items();
  ASSERT_EQ(faces.size(), translucent.size());
  for (size_t i = 0; i < faces.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(faces[i]->Material->Name, "engine.mat");
    EXPECT_TRUE(faces[i]->HasFlag(1));
    EXPECT_EQ(faces[i]->HasFlag(2), translucent[i]);
    EXPECT_FALSE(faces[i]->HasFlag(4));
    EXPECT_EQ(faces[i]->ExtraLight, 0.5f);
  }
}

TEST_F(PropertyPanel, OnlyAnEditedTextAppliesAndToEveryNode) {
  for (const char* name : {"canopy", "engine_l", "engine_r"})
    for (TNode* node : Core->Model->Nodes)
      if (node->Name == name) Core->ToggleNode(node);
  ASSERT_EQ(Caption("lblNode"), "Node (3)");
  const struct { const char* Field; TVector TNode::*Value; } fields[] = {
      {"edtNodePos", &TNode::Position}, {"edtNodePiv", &TNode::Pivot}, {"edtNodeRot", &TNode::Rotation}};
  for (const auto& field : fields) {
    SCOPED_TRACE(field.Field);
    const auto values = [&] {
      std::vector<TVector> list;
      for (const TNode* node : Core->Nodes) list.push_back(node->*field.Value);
      return list;
    };
    const std::vector<TVector> before = values();
    Type(field.Field, nullptr, Qt::Key_Tab);
    EXPECT_EQ(values(), before);
    Type(field.Field, "1 x 3", Qt::Key_Tab);
    EXPECT_EQ(Services.Errors.back(), "'x' is not a valid floating point value");
    EXPECT_EQ(values(), before);
    EXPECT_EQ(Control<QLineEdit>(field.Field)->text().toStdString(), VectorToText(before[0]));
    Type(field.Field, "0 0 0.1", Qt::Key_Return);
    EXPECT_TRUE(Control<QLineEdit>(field.Field)->hasFocus());
    EXPECT_EQ(values(), std::vector<TVector>(3, TVector{0, 0, 0.1}));
  }

  Pick("cbxNodeType", "Head");
  Pick("cbxMeshGeo", "Wireframe");
  Type("edtMeshName", "two words", Qt::Key_Tab);
  EXPECT_EQ(Services.Errors.back().rfind("'two words' cannot be a mesh name", 0), 0u);
  EXPECT_EQ(Control<QLineEdit>("edtMeshName")->text().toStdString(), "canopy");
  Type("edtMeshName", "wing", Qt::Key_Return);
  for (const TNode* node : Core->Nodes) {
    EXPECT_EQ(node->NodeType, ntHead);
    EXPECT_EQ(node->Mesh->GeometryMode, 2);
    EXPECT_EQ(node->Mesh->Name, "wing");
  }
}

TEST_F(PropertyPanel, PagesFollowTheEditModeAndTheModel) {
  const auto* pages = Control<QStackedWidget>("pclProp");
  const struct { QAction* Mode; const char *Heading, *Text; } modes[] = {
      {Frame().actEMFace, "lblSurface", "Surface (%1)"},
      {Frame().actEMVert, "lblVertex", "Vertex (%1)"},
      {Frame().actEMNode, "lblNode", "Node (%1)"}};
  for (const auto& mode : modes) {
    SCOPED_TRACE(mode.Heading);
    SelectAllIn(mode.Mode);
    EXPECT_EQ(pages->currentIndex(), Core->EditMode);
    const int count = Core->EditMode == emNode      ? Core->Nodes.Count()
                      : Core->EditMode == emSurface ? Core->Surfaces.Count()
                                                    : Core->Vertices.Count();
    EXPECT_GT(count, 1);
    EXPECT_EQ(Caption(mode.Heading), QString(mode.Text).arg(count).toStdString());
    // Nothing on the page is cut short.
    for (const QWidget* widget : pages->currentWidget()->findChildren<QWidget*>())
      if (qobject_cast<const QLabel*>(widget) || qobject_cast<const QCheckBox*>(widget) ||
          qobject_cast<const QComboBox*>(widget)) {
        EXPECT_GE(widget->width(), widget->sizeHint().width()) << widget->objectName().toStdString();
        EXPECT_GE(widget->height(), widget->sizeHint().height()) << widget->objectName().toStdString();
      }
    QCoreApplication::processEvents();
    ShotWindow(std::string("property_panel_") + mode.Heading);
  }

  // A new model from surface mode: the node page shows, filled for the empty selection.
  Frame().actEMFace->trigger();
  Window->Action("actFileNew")->trigger();
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(Caption("lblNode"), "Node (0)");
  EXPECT_EQ(Control<QLineEdit>("edtNodePos")->text().toStdString(), "");
  EXPECT_EQ(Control<QComboBox>("cbxFaceMaterial")->count(), 0);
  Window->OpenFile(Sample());
  const QComboBox* materials = Control<QComboBox>("cbxFaceMaterial");
  std::vector<std::string> names;
  for (int i = 0; i < materials->count(); ++i) names.push_back(materials->itemText(i).toStdString());
  EXPECT_EQ(names, (std::vector<std::string>{"dflt.mat", "engine.mat", "glass.mat", "hull.mat"}));
}

// Cancel through a stand-in for the dialog that adds a material first; OK through the real
// dialog behind the button, picking a project material with the mouse.
TEST_F(PropertyPanel, MaterialsDialogAssignsOnOkOnly) {
  SelectAllIn(Frame().actEMFace);
  const std::vector<std::string> before = SelectedMaterials();
  ASSERT_NE(std::count(before.begin(), before.end(), before[0]), static_cast<long>(before.size()));
  const auto realDialog = Panel().ExecuteMaterials;
  ASSERT_TRUE(realDialog);
  std::string offered;
  Panel().ExecuteMaterials = [&](const std::string& initial, std::string& chosen) {
    offered = initial;
    AddProjectMaterial(*Core, "dropped.mat");
    chosen = "dropped.mat";
    return false;
  };
  int rebuilds = Changes->Rebuilds;
  QTest::mouseClick(Control<QToolButton>("btnMatDlg"), Qt::LeftButton);
  EXPECT_EQ(offered, before[0]);
  EXPECT_GE(Control<QComboBox>("cbxFaceMaterial")->findText("dropped.mat"), 0);
  EXPECT_EQ(SelectedMaterials(), before);
  EXPECT_GT(Changes->Rebuilds, rebuilds);

  Panel().ExecuteMaterials = realDialog;
  std::string selectedAtOpen;
  WhenModalShown<TMaterialsDialog>([&](TMaterialsDialog& dialog) {
    QListWidget* list = dialog.lbxProjMat;
    selectedAtOpen = list->currentItem() ? list->currentItem()->text().toStdString() : "";
    ClickItem(*list, "glass.mat");
    QTest::mouseClick(dialog.btnOK, Qt::LeftButton);
  });
  rebuilds = Changes->Rebuilds;
  QTest::mouseClick(Control<QToolButton>("btnMatDlg"), Qt::LeftButton);
  EXPECT_EQ(selectedAtOpen, before[0]);
  EXPECT_EQ(SelectedMaterials(), std::vector<std::string>(before.size(), "glass.mat"));
  EXPECT_EQ(Control<QComboBox>("cbxFaceMaterial")->currentText().toStdString(), "glass.mat");
  EXPECT_GT(Changes->Rebuilds, rebuilds);
}

}  // namespace
