#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/GobDialog.h"
#include "model/Errors.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/TestSupport.h"
#include "tests/gui/DialogTestHelpers.h"

using namespace fmt_test;

namespace {

class GobDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<TEntrySpec> entries = {{"3do\\a.3do", "A"}, {"mat\\a.3do", "M"}, {"mat\\a.mat", "x"}};
    for (int i = 0; i < 40; ++i) entries.push_back({"3do\\ship" + std::to_string(i) + ".3do", "S"});
    Container = Dir.Write("models.gob", MakeGob(entries));
  }
  static TfrmDlgGob* Dialog(QWidget* w) { return qobject_cast<TfrmDlgGob*>(w); }
  static QStringList Rows(TfrmDlgGob* d) {
    QStringList rows;
    for (int i = 0; i < d->lbxFiles->count(); ++i) rows << d->lbxFiles->item(i)->text();
    return rows;
  }
  static void DoubleClickRow(TfrmDlgGob* d, int row) {
    QListWidgetItem* item = d->lbxFiles->item(row);
    d->lbxFiles->scrollToItem(item);
    const QPoint at = d->lbxFiles->visualItemRect(item).center();
    QTest::mouseClick(d->lbxFiles->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(d->lbxFiles->viewport(), Qt::LeftButton, {}, at);
  }
  void ExpectRowsInFourColumns(TfrmDlgGob* d) {
    EXPECT_EQ(d->windowTitle(), QString::fromStdString("Open from Container - " + Container));
    const QStringList rows = Rows(d);
    ASSERT_EQ(rows.size(), 42);
    EXPECT_EQ(rows[0], "a.3do");
    EXPECT_EQ(rows[1], "ship0.3do");
    EXPECT_EQ(rows[41], "a.3do");  // mat\a.3do sorts after every 3do\ entry
    // Rows run down the first column and go on at the top of the next; four share the width.
    const auto rect = [&](int row) { return d->lbxFiles->visualItemRect(d->lbxFiles->item(row)); };
    int secondColumn = 1;
    while (secondColumn < rows.size() && rect(secondColumn).x() == rect(0).x()) ++secondColumn;
    ASSERT_LT(secondColumn, rows.size());
    EXPECT_GT(secondColumn, 10);
    EXPECT_EQ(rect(secondColumn).y(), rect(0).y());
    EXPECT_NEAR((rect(secondColumn).x() - rect(0).x()) * 4, d->lbxFiles->viewport()->width(), 4);
  }
  TTempDir Dir;
  std::string Container;
};

TEST_F(GobDialog, ShowsTheModelsInFourColumnsAndOpensTheDoubleClickedOne) {
  bool shown = false;
  WhenModalShown([&](QWidget* w) {
    TfrmDlgGob* d = Dialog(w);
    ASSERT_NE(d, nullptr);
    shown = true;
    ExpectRowsInFourColumns(d);  // returns on a failed check; the dialog still gets closed
    SaveScreenshot(d, "gob_dialog");
    DoubleClickRow(d, 41);  // mat\a.3do's row opens the model folder's a.3do
  });
  TGobItem item;
  ASSERT_TRUE(TfrmDlgGob::Execute(Container, item));
  EXPECT_TRUE(shown);
  EXPECT_EQ(item.EntryName, "3do\\a.3do");
  EXPECT_EQ(EntryBytes(item), "A");
}

TEST_F(GobDialog, CancelAndOkWithoutARowOpenNothing) {
  WhenModalShown([](QWidget* w) {
    TfrmDlgGob* d = Dialog(w);
    d->lbxFiles->setCurrentRow(3);
    QTest::mouseClick(d->btnCancel, Qt::LeftButton);
  });
  TGobItem item;
  EXPECT_FALSE(TfrmDlgGob::Execute(Container, item));
  WhenModalShown([](QWidget* w) { QTest::mouseClick(Dialog(w)->btnOK, Qt::LeftButton); });
  EXPECT_FALSE(TfrmDlgGob::Execute(Container, item));
  WhenModalShown([](QWidget* w) {
    TfrmDlgGob* d = Dialog(w);
    d->lbxFiles->setCurrentRow(4);
    QTest::keyClick(d, Qt::Key_Return);  // OK is the default button
  });
  ASSERT_TRUE(TfrmDlgGob::Execute(Container, item));
  EXPECT_EQ(item.EntryName, "3do\\ship11.3do");  // directory order: a, ship0, ship1, ship10, ship11
}

// What a file that is no container says: TFormatCommandsTest.
TEST_F(GobDialog, EmptyContainersShowAnEmptyListAndOtherFilesRaise) {
  const std::string empty = Dir.Write("empty.goo", MakeGob({}));
  int rows = -1;
  WhenModalShown([&](QWidget* w) {
    rows = Dialog(w)->lbxFiles->count();
    QTest::mouseClick(Dialog(w)->btnOK, Qt::LeftButton);
  });
  TGobItem item;
  EXPECT_FALSE(TfrmDlgGob::Execute(empty, item));
  EXPECT_EQ(rows, 0);
  EXPECT_THROW(TfrmDlgGob::Execute(Dir.File("missing.gob"), item), EZarnError);
}

}  // namespace
