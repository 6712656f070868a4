// What hands expect of the views: the wheel zooms at the pointer, a click picks, Frame
// Selection fits the camera, and Help > Mouse and Keys lists all of it.
#include <QGridLayout>

#include "app/MouseKeysDialog.h"
#include "camera/CameraMoves.h"
#include "camera/Picking.h"
#include "tests/gui/GuiFixture.h"

namespace {

class TViewMouseTest : public TWindowTest {
 protected:
  void SetUp() override {
    StartWindow(Sample());
    Activate();
  }
  void Click(QPoint at, Qt::KeyboardModifiers mods = {}, QPoint wobble = {}) {
    Drag(at, at + wobble, mods, Qt::LeftButton, 2);
  }
  TFace* FaceAt(QPoint p) { return PickFace(*Core->Model, PickRay(Frame().LastView, p.x() + 0.5, p.y() + 0.5)).Face; }
  // The centre of a face in sight other than `other`, where that face is the front-most.
  QPoint PixelOnAnotherFace(const TFace* other) {
    for (TNode* n : Core->Model->Nodes) {
      if (!n->Mesh) continue;
      for (TFace* f : n->Mesh->Surfaces) {
        QPoint sum;
        for (TVertex* v : f->Vertices) sum += Pixel(v->World);
        const QPoint p(sum.x() / f->Vertices.Count(), sum.y() / f->Vertices.Count());
        if (f != other && FaceAt(p) == f) return p;
      }
    }
    ADD_FAILURE() << "no second face in sight";
    return {};
  }
  std::vector<TFace*> Surfaces() { return Core->Surfaces.Items(); }
};

// On the turned Free camera; the core's WheelZoom test takes every camera.
TEST_F(TViewMouseTest, TheWheelZoomsAtThePointerAndKeepsThePointUnderIt) {
  QTest::keyClick(Surface(), Qt::Key_4);
  Camera().RotX = -50;
  Frame().Redraw(false);
  const QPoint at(Surface()->width() / 4, Surface()->height() / 3);
  const TVector under = ScreenToWorld(Frame().LastView, at.x() + 0.5, at.y() + 0.5);
  const double z = Camera().Z;
  const int rebuilds = Frame().Rebuilds;
  for (const auto& [angle, scale] : {std::pair{120, 0.8}, {-360, 1.5625}, {240, 1.0}}) {
    Wheel(at, angle);
    EXPECT_NEAR(Camera().Z, z * scale, 1e-12) << angle;
    EXPECT_EQ(Pixel(under), at) << angle;
  }
  EXPECT_EQ(Frame().Rebuilds, rebuilds) << "a zoom only replays the display list";
}

TEST_F(TViewMouseTest, AClickSelectsTheFaceUnderThePointerAndCtrlClickToggles) {
  Frame().actEMFace->trigger();
  const QPoint first(Surface()->width() / 2, Surface()->height() / 2);
  TFace* const picked = FaceAt(first);
  ASSERT_NE(picked, nullptr);
  const QPoint second = PixelOnAnotherFace(picked);
  TFace* const added = FaceAt(second);
  const struct {
    QPoint At, Wobble;
    Qt::KeyboardModifiers Mods;
    std::vector<TFace*> Selection;
    const char* Shot;
  } clicks[] = {
      {first, {2, 0}, {}, {picked}, "click_selects_face"},  // two pixels' wobble is still a click
      {second, {}, Qt::ControlModifier, {picked, added}, "ctrl_click_adds_face"},
      {first, {}, Qt::ControlModifier, {added}, nullptr},
      {{2, 2}, {}, {}, {added}, nullptr},  // nothing there, as an empty rectangle
      {first, {3, 0}, {}, {added}, nullptr},  // three pixels make a rectangle, which holds no face
      {first, {}, {}, {picked}, "click_replaces_selection"},
  };
  for (const auto& c : clicks) {
    Click(c.At, c.Mods, c.Wobble);
    EXPECT_EQ(Surfaces(), c.Selection) << &c - clicks;
    if (c.Shot) Shot(c.Shot);
  }
  Frame().actEMNode->trigger();
  Click(second);
  ASSERT_EQ(Core->Nodes.Count(), 1);
  EXPECT_EQ(Core->Nodes.First()->Mesh.get(), added->Mesh);
}

TEST_F(TViewMouseTest, FramesTheSelectionWithItsKeyOnlyWhileAViewHasTheFocus) {
  const QPoint centre(Surface()->width() / 2, Surface()->height() / 2);
  Frame().actEMFace->trigger();
  Click(PixelOnAnotherFace(FaceAt(centre)));  // a face smaller than the hull's top
  ASSERT_EQ(Surfaces().size(), 1u);
  const TCameraRec before = Camera();
  // Typed into a text field or into the node tree, the key is no command.
  Frame().actEMNode->trigger();
  Click(centre);
  auto* name = Window->findChild<QLineEdit*>("edtMeshName");
  ASSERT_TRUE(name && name->isVisible());
  for (QWidget* typing : {static_cast<QWidget*>(name), Window->findChild<QWidget*>("trwNodes")}) {
    typing->setFocus();
    QTest::keyClick(typing, Qt::Key_F);
    EXPECT_EQ(Camera().Z, before.Z) << typing->objectName().toStdString();
  }
  EXPECT_TRUE(name->text().endsWith("f")) << name->text().toStdString();

  Frame().actEMFace->trigger();
  const int w = Frame().glaMain->ClientWidth(), h = Frame().glaMain->ClientHeight();
  for (const char* how : {"key", "menu"}) {
    const TCameraRec fitted = FitCameraToBox(Camera(), w, h, Core->SelectionBox());
    ASSERT_LT(std::fabs(fitted.Z), std::fabs(before.Z) / 2) << "a face is framed closer than the whole model";
    if (how == std::string("key")) {
      Surface()->setFocus();
      QTest::keyClick(Surface(), Qt::Key_F);
    } else {
      Window->Action("actViewFrameSelection")->trigger();
    }
    EXPECT_EQ(Camera().Z, fitted.Z) << how;
    EXPECT_EQ(Camera().X, fitted.X) << how;
    Shot(std::string("frame_selection_by_") + how);
    Camera() = before;
  }
}

TEST_F(TViewMouseTest, MouseAndKeysListsTheBindingsWithTheKeyAsSet) {
  const auto shown = [this] {
    Window->Action("actHelpMouseKeys")->trigger();
    auto* dialog = Window->findChild<TMouseKeysDialog*>("frmMouseKeys");
    std::map<std::string, std::string> rows;
    const auto text = [&](int row, int column) {
      return qobject_cast<QLabel*>(dialog->grdBindings->itemAtPosition(row, column)->widget())->text().toStdString();
    };
    for (int i = 0; dialog && i < dialog->grdBindings->rowCount(); ++i) rows[text(i, 0)] = text(i, 1);
    return rows;
  };
  auto rows = shown();
  for (const char* input : {"Wheel", "Click", "Ctrl+Click", "Ctrl+Drag", "Alt+Drag", "Ctrl+Alt+Drag", "1 to 4", "Press in a pane", "F"})
    EXPECT_EQ(rows.count(input), 1u) << input;
  EXPECT_NE(rows["F"].find("Frame Selection"), std::string::npos);
  EXPECT_NE(rows["Click"].find("within 4 pixels"), std::string::npos);
  Saved(Window->findChild<TMouseKeysDialog*>("frmMouseKeys")->grab().toImage(), "mouse_and_keys");
  Window->Action("actViewFrameSelection")->setShortcut(QKeySequence("Shift+G"));
  rows = shown();
  EXPECT_EQ(rows.count("F"), 0u);
  EXPECT_NE(rows["Shift+G"].find("Frame Selection"), std::string::npos);
  EXPECT_EQ(Window->findChildren<TMouseKeysDialog*>().size(), 1) << "one window, filled anew";
}

}  // namespace
