#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/Dialogs.h"
#include "app/QueryForm.h"
#include "app/QueryLayout.h"
#include "model/Convert.h"
#include "model/Errors.h"
#include "model/ValueList.h"
#include "tests/gui/DialogTestHelpers.h"

namespace {

QWidget* NextTabStop(QWidget* widget) {
  do widget = widget->nextInFocusChain();
  while (!(widget->focusPolicy() & Qt::TabFocus));
  return widget;
}

TEST(QueryLayout, RowsAreFortyFourPixelsApart) {
  const TQueryLayout none = ComputeQueryLayout(0);
  EXPECT_EQ(none.ButtonTop, 224);
  EXPECT_EQ(none.ClientHeight, 261);
  const TQueryLayout one = ComputeQueryLayout(1);
  ASSERT_EQ(one.Rows.size(), 1u);
  EXPECT_EQ(one.Rows[0].LabelTop, 10);
  EXPECT_EQ(one.Rows[0].EditTop, 25);
  EXPECT_EQ(one.ButtonTop, 56);
  EXPECT_EQ(one.ClientHeight, 91);
  const TQueryLayout six = ComputeQueryLayout(6);
  EXPECT_EQ(six.Rows[5].LabelTop, 230);
  EXPECT_EQ(six.Rows[5].EditTop, 245);
  EXPECT_EQ(six.ButtonTop, 276);
  EXPECT_EQ(six.ClientHeight, 311);
}

TEST(QueryForm, OneRowSitsWhereDesigned) {
  TfrmQuery form("Create Cube", {"Size=0.02"});
  EXPECT_EQ(form.windowTitle(), "Create Cube");
  auto* label = form.findChild<QLabel*>("lblSize");
  auto* edit = form.findChild<QLineEdit*>("Size");
  ASSERT_TRUE(label && edit);
  EXPECT_EQ(label->text(), "&Size");
  EXPECT_EQ(label->buddy(), edit);
  EXPECT_EQ(label->geometry(), QRect(10, 10, 180, 13));
  EXPECT_EQ(edit->text(), "0.02");
  EXPECT_EQ(edit->geometry(), QRect(10, 25, 180, 21));
  EXPECT_EQ(form.btnOK->geometry(), QRect(10, 56, 75, 25));
  EXPECT_EQ(form.btnCancel->geometry(), QRect(115, 56, 75, 25));
  EXPECT_EQ(form.btnOK->text(), "&OK");
  EXPECT_EQ(form.btnCancel->text(), "&Cancel");
  EXPECT_TRUE(form.btnOK->isDefault());
  EXPECT_EQ(form.size(), QSize(200, 91));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  form.show();
  SaveScreenshot(&form, "query_cube");
}

TEST(QueryForm, UnderscoresReadAsSpacesButNamesStay) {
  const std::vector<std::string> lines = {"Size=0.02", "Subdivide_X=1", "Subdivide_Y=1"};
  TfrmQuery form("Create Plane", lines);
  auto* label = form.findChild<QLabel*>("lblSubdivide_X");
  ASSERT_TRUE(label);
  EXPECT_EQ(label->text(), "&Subdivide X");
  ASSERT_EQ(form.Edits.size(), 3u);
  EXPECT_EQ(form.Edits[1]->objectName(), "Subdivide_X");
  EXPECT_EQ(form.Edits[2]->geometry().top(), 113);
  EXPECT_EQ(form.btnOK->geometry().top(), 144);
  // Fields first, then the buttons.
  EXPECT_EQ(NextTabStop(form.Edits[0]), form.Edits[1]);
  EXPECT_EQ(NextTabStop(form.Edits[2]), form.btnOK);
  EXPECT_EQ(NextTabStop(form.btnOK), form.btnCancel);

  form.Edits[1]->setText("4");
  std::vector<std::string> edited = lines;
  form.ApplyTo(edited);
  EXPECT_EQ(GetValue(edited, "Subdivide_X"), "4");
  EXPECT_EQ(edited.size(), 3u);
}

TEST(QueryForm, NoRowsKeepTheDesignedButtons) {
  TfrmQuery form("Empty", {});
  EXPECT_EQ(form.btnOK->geometry(), QRect(10, 224, 75, 25));
  EXPECT_EQ(form.size(), QSize(200, 261));
}

TEST(QueryValues, EnterAcceptsTheEditedValues) {
  std::vector<std::string> lines = {"X=0", "Y=0", "Z=0", "Around_X=0.5", "Around_Y=0", "Around_Z=0"};
  QWidget* seen = nullptr;
  bool firstFieldFocused = false;
  WhenModalShown([&](QWidget* dialog) {
    seen = dialog;
    SaveScreenshot(dialog, "query_rotate");
    auto* x = dialog->findChild<QLineEdit*>("X");
    firstFieldFocused = dialog->focusWidget() == x;
    x->selectAll();
    QTest::keyClicks(x, "90");
    QTest::keyClick(x, Qt::Key_Return);
  });
  EXPECT_TRUE(QueryValues("Rotate", lines));
  ASSERT_NE(seen, nullptr);
  EXPECT_TRUE(firstFieldFocused);
  EXPECT_EQ(lines, (std::vector<std::string>{"X=90", "Y=0", "Z=0", "Around_X=0.5", "Around_Y=0", "Around_Z=0"}));
}

TEST(QueryValues, EscapeKeepsTheDialogAndCancelKeepsTheList) {
  std::vector<std::string> lines = {"Size=0.2", "Radius=0.03", "Sides=8"};
  const std::vector<std::string> before = lines;
  bool openAfterEscape = false;
  WhenModalShown([&](QWidget* dialog) {
    auto* sides = dialog->findChild<QLineEdit*>("Sides");
    sides->setText("12");
    QTest::keyClick(sides, Qt::Key_Escape);
    openAfterEscape = dialog->isVisible();
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
  });
  EXPECT_FALSE(QueryValues("Create Cylinder", lines));
  EXPECT_TRUE(openAfterEscape);
  EXPECT_EQ(lines, before);
}

TEST(QueryValues, ClosingTheWindowCancels) {
  std::vector<std::string> lines = {"Size=0.02"};
  WhenModalShown([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("Size")->setText("5");
    dialog->close();
  });
  EXPECT_FALSE(QueryValues("Create Cube", lines));
  EXPECT_EQ(lines, std::vector<std::string>{"Size=0.02"});
}

TEST(QueryValues, AnEmptiedFieldReadsBackEmptyAndFailsConversion) {
  std::vector<std::string> lines = {"Size=0.02", "Subdivide_X=1", "Subdivide_Y=1"};
  WhenModalShown([](QWidget* dialog) {
    dialog->findChild<QLineEdit*>("Subdivide_X")->clear();
    QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
  });
  ASSERT_TRUE(QueryValues("Create Plane", lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"Size=0.02", "Subdivide_Y=1"}));
  EXPECT_EQ(GetValue(lines, "Subdivide_X"), "");
  try {
    StrToInt(GetValue(lines, "Subdivide_X"));
    FAIL() << "an empty value converted";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

}  // namespace
