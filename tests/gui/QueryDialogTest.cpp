
#include "tests/gui/GuiFixture.h"

namespace {

QWidget* NextTabStop(QWidget* widget) {
  do widget = widget->nextInFocusChain();
  while (!(widget->focusPolicy() & Qt::TabFocus));
  return widget;
}

// Each row's label above its field, the rows apart and in order, all above the buttons side
// by side, inside a window of fixed size that ends a little below them.
TEST(QueryForm, RowsLieInOrderWithoutOverlapAboveTheButtons) {
  for (const int rows : {0, 1, 3, 6}) {
    SCOPED_TRACE(rows);
    std::vector<std::string> lines;
    for (int i = 0; i < rows; ++i) lines.push_back("Row_" + std::to_string(i) + "=" + std::to_string(i));
    TQueryDialog form("Rows", lines);
    ASSERT_EQ(form.Fields.size(), lines.size());
    const QRect inside(QPoint(0, 0), form.size());
    int bottom = 0;
    for (int i = 0; i < rows; ++i) {
      const std::string name = "Row_" + std::to_string(i);
      auto* label = form.findChild<QLabel*>(QString::fromStdString("lbl" + name));
      ASSERT_TRUE(label);
      EXPECT_EQ(label->text().toStdString(), "&Row " + std::to_string(i));  // underscores read as spaces
      EXPECT_EQ(label->buddy(), form.Fields[i]);
      EXPECT_EQ(form.Fields[i]->objectName().toStdString(), name);
      EXPECT_EQ(qobject_cast<QLineEdit*>(form.Fields[i])->text().toStdString(), std::to_string(i));
      for (const QRect r : {label->geometry(), form.Fields[i]->geometry()}) {
        EXPECT_GE(r.top(), bottom) << "below the one before";
        EXPECT_TRUE(inside.contains(r));
        bottom = r.bottom() + 1;
      }
      // Fields first, then the buttons.
      EXPECT_EQ(NextTabStop(form.Fields[i]), i + 1 < rows ? form.Fields[i + 1] : static_cast<QWidget*>(form.btnOK));
    }
    const QRect ok = form.btnOK->geometry(), cancel = form.btnCancel->geometry();
    EXPECT_GT(ok.top(), bottom);
    EXPECT_EQ(cancel.top(), ok.top());
    EXPECT_GT(cancel.left(), ok.right());
    EXPECT_TRUE(inside.contains(ok) && inside.contains(cancel));
    EXPECT_EQ(NextTabStop(form.btnOK), form.btnCancel);
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
    EXPECT_TRUE(rows == 0 || form.height() - ok.bottom() < 2 * ok.height()) << form.height();
  }
}

// A yes or no is a check box, a choice of a few a drop-down list, and a worked-out number
// shows short but, left alone, comes back with every digit.
TEST(QueryForm, ChoicesAreTickedOrPickedAndNumbersShowShort) {
  const std::vector<std::string> lines = {"Transparent=0", "Up_axis=Y", "Density=12800.0002861023",
                                          "Around_X=-0.0300000000000001", "Faces=1234567", "Scale=fit"};
  TQueryDialog form("Choices", lines, {"0|1", "Y|Z"});
  EXPECT_EQ(form.windowTitle(), "Choices");
  form.show();
  SaveScreenshot(&form, "query_choices");
  auto* transparent = qobject_cast<QCheckBox*>(form.Fields[0]);
  auto* up = qobject_cast<QComboBox*>(form.Fields[1]);
  ASSERT_TRUE(transparent && up);
  EXPECT_EQ(transparent->text(), "&Transparent");
  EXPECT_FALSE(transparent->isChecked());
  EXPECT_EQ(up->count(), 2);
  EXPECT_EQ(up->currentText(), "Y");
  const char* const shown[] = {"12800", "-0.03", "1234567", "fit"};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(qobject_cast<QLineEdit*>(form.Fields[2 + i])->text(), shown[i]) << i;
  std::vector<std::string> edited = lines;
  form.ApplyTo(edited);
  EXPECT_EQ(edited, lines);
  QTest::mouseClick(transparent, Qt::LeftButton, {}, QPoint(6, transparent->height() / 2));
  up->setCurrentIndex(1);
  qobject_cast<QLineEdit*>(form.Fields[2])->setText("6400");
  form.ApplyTo(edited);
  EXPECT_EQ(edited, (std::vector<std::string>{"Transparent=1", "Up_axis=Z", "Density=6400",
                                              "Around_X=-0.0300000000000001", "Faces=1234567", "Scale=fit"}));
}

// Enter accepts the edited values with the first field focused; Escape keeps the dialog;
// Cancel or closing keeps the list; an emptied field's line goes, its value then reading as
// empty, which no number converts from.
TEST(QueryValues, EnterOrOkAcceptTheEditedValuesAndEscapeCancelOrClosingKeepTheList) {
  const std::vector<std::string> rotate = {"X=0", "Y=0", "Z=0", "Around_X=0.5", "Around_Y=0", "Around_Z=0"};
  const std::vector<std::string> cylinder = {"Size=0.2", "Radius=0.03", "Sides=8"};
  const struct {
    const char* Caption;
    std::vector<std::string> Lines;
    std::function<void(QWidget*)> Act;
    bool Accepted;
    std::vector<std::string> Result;
  } cases[] = {
      {"Rotate", rotate, [](QWidget* dialog) {
         SaveScreenshot(dialog, "query_rotate");
         auto* x = dialog->findChild<QLineEdit*>("X");
         EXPECT_EQ(dialog->focusWidget(), x);
         x->selectAll();
         QTest::keyClicks(x, "90");
         QTest::keyClick(x, Qt::Key_Return);
       }, true, {"X=90", "Y=0", "Z=0", "Around_X=0.5", "Around_Y=0", "Around_Z=0"}},
      {"Create Cylinder", cylinder, [](QWidget* dialog) {
         auto* sides = dialog->findChild<QLineEdit*>("Sides");
         sides->setText("12");
         QTest::keyClick(sides, Qt::Key_Escape);
         EXPECT_TRUE(dialog->isVisible()) << "open after Escape";
         QTest::mouseClick(dialog->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
       }, false, cylinder},
      {"Create Cylinder", cylinder, [](QWidget* dialog) {
         dialog->findChild<QLineEdit*>("Size")->setText("5");
         dialog->close();
       }, false, cylinder},
      {"Create Plane", {"Size=0.02", "Subdivide_X=1", "Subdivide_Y=1"}, [](QWidget* dialog) {
         dialog->findChild<QLineEdit*>("Subdivide_X")->clear();
         QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
       }, true, {"Size=0.02", "Subdivide_Y=1"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(&c - cases);
    std::vector<std::string> lines = c.Lines;
    bool shown = false;
    WhenModalShown([&](QWidget* dialog) { shown = true, c.Act(dialog); });
    EXPECT_EQ(QueryValues(c.Caption, lines), c.Accepted);
    EXPECT_TRUE(shown);
    EXPECT_EQ(lines, c.Result);
  }
}

}  // namespace
