
#include "tests/gui/GuiFixture.h"

namespace {

QWidget* NextTabStop(QWidget* widget) {
  do widget = widget->nextInFocusChain();
  while (!(widget->focusPolicy() & Qt::TabFocus));
  return widget;
}

TEST(QueryForm, RowsLieFortyFourPixelsApartAboveTheButtons) {
  // Labels 13 and fields 21 pixels high; the buttons 10 below the last field, the window 10
  // below the buttons; without rows the designed layout stays.
  const struct { int Rows, ButtonTop, Height; } cases[] = {{0, 224, 261}, {1, 56, 91}, {3, 144, 179}, {6, 276, 311}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Rows);
    std::vector<std::string> lines;
    for (int i = 0; i < c.Rows; ++i) lines.push_back("Row_" + std::to_string(i) + "=" + std::to_string(i));
    TQueryDialog form("Rows", lines);
    ASSERT_EQ(form.Fields.size(), lines.size());
    for (int i = 0; i < c.Rows; ++i) {
      const std::string name = "Row_" + std::to_string(i);
      auto* label = form.findChild<QLabel*>(QString::fromStdString("lbl" + name));
      ASSERT_TRUE(label);
      EXPECT_EQ(label->text().toStdString(), "&Row " + std::to_string(i));  // underscores read as spaces
      EXPECT_EQ(label->buddy(), form.Fields[i]);
      EXPECT_EQ(label->geometry(), QRect(10, 10 + 44 * i, 180, 13));
      EXPECT_EQ(form.Fields[i]->objectName().toStdString(), name);
      EXPECT_EQ(qobject_cast<QLineEdit*>(form.Fields[i])->text().toStdString(), std::to_string(i));
      EXPECT_EQ(form.Fields[i]->geometry(), QRect(10, 25 + 44 * i, 180, 21));
      // Fields first, then the buttons.
      EXPECT_EQ(NextTabStop(form.Fields[i]), i + 1 < c.Rows ? form.Fields[i + 1] : static_cast<QWidget*>(form.btnOK));
    }
    EXPECT_EQ(form.btnOK->geometry(), QRect(10, c.ButtonTop, 75, 25));
    EXPECT_EQ(form.btnCancel->geometry(), QRect(115, c.ButtonTop, 75, 25));
    EXPECT_EQ(NextTabStop(form.btnOK), form.btnCancel);
    EXPECT_EQ(form.size(), QSize(200, c.Height));
    EXPECT_EQ(form.minimumSize(), form.maximumSize());
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
