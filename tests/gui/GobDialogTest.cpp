#include "model/Errors.h"
#include "tests/gui/GuiFixture.h"

using namespace fmt_test;

namespace {

class GobDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<TEntrySpec> entries = {{"3do\\a.3do", "A"}, {"mat\\a.3do", "M"}, {"mat\\a.mat", "x"}};
    for (int i = 0; i < 40; ++i) entries.push_back({"3do\\ship" + std::to_string(i) + ".3do", "S"});
    Container = Dir.Write("models.gob", MakeGob(entries));
  }
  static TGobDialog* Dialog(QWidget* w) { return qobject_cast<TGobDialog*>(w); }
  TTempDir Dir;
  std::string Container;
};

TEST_F(GobDialog, ShowsTheModelsInFourColumnsAndOpensTheDoubleClickedOne) {
  bool shown = false;
  WhenModalShown([&](QWidget* w) {
    // Returns on a failed check; the dialog still gets closed.
    TGobDialog* d = Dialog(w);
    ASSERT_NE(d, nullptr);
    shown = true;
    EXPECT_EQ(d->windowTitle(), QString::fromStdString("Open from Container - " + Container));
    QListWidget& list = *d->lbxFiles;
    const std::vector<std::string> rows = Rows(list);
    ASSERT_EQ(rows.size(), 42u);
    EXPECT_EQ(rows[0], "a.3do");
    EXPECT_EQ(rows[1], "ship0.3do");
    EXPECT_EQ(rows[41], "a.3do");  // mat\a.3do sorts after every 3do\ entry
    // Rows run down the first column and go on at the top of the next; four share the width.
    const auto rect = [&](int row) { return list.visualItemRect(list.item(row)); };
    int secondColumn = 1;
    while (secondColumn < 42 && rect(secondColumn).x() == rect(0).x()) ++secondColumn;
    ASSERT_LT(secondColumn, 42);
    EXPECT_GT(secondColumn, 10);
    EXPECT_EQ(rect(secondColumn).y(), rect(0).y());
    EXPECT_NEAR((rect(secondColumn).x() - rect(0).x()) * 4, list.viewport()->width(), 4);
    SaveScreenshot(d, "gob_dialog");
    // mat\a.3do's row opens the model folder's a.3do.
    list.scrollToItem(list.item(41));
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, rect(41).center());
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, rect(41).center());
  });
  TGobItem item;
  ASSERT_TRUE(TGobDialog::Execute(Container, item));
  EXPECT_TRUE(shown);
  EXPECT_EQ(item.EntryName, "3do\\a.3do");
  EXPECT_EQ(EntryBytes(item), "A");
}

// OK is the default button; the rows come in directory order: a, ship0, ship1, ship10, ship11.
// An empty container shows an empty list; a missing one raises (what a file that is no
// container says: TFormatCommandsTest).
TEST_F(GobDialog, CancelAndOkWithoutARowOpenNothing) {
  const auto ok = [](TGobDialog* d) { QTest::mouseClick(d->btnOK, Qt::LeftButton); };
  const std::string empty = Dir.Write("empty.goo", MakeGob({}));
  const struct { std::string File; int Rows, Row; std::function<void(TGobDialog*)> Close; std::string Opened; } cases[] = {
      {Container, 42, 3, [](TGobDialog* d) { QTest::mouseClick(d->btnCancel, Qt::LeftButton); }, ""},
      {Container, 42, -1, ok, ""},
      {empty, 0, -1, ok, ""},
      {Container, 42, 4, [](TGobDialog* d) { QTest::keyClick(d, Qt::Key_Return); }, "3do\\ship11.3do"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Row);
    int rows = -1;
    WhenModalShown([&c, &rows](QWidget* w) {
      rows = Dialog(w)->lbxFiles->count();
      if (c.Row >= 0) Dialog(w)->lbxFiles->setCurrentRow(c.Row);
      c.Close(Dialog(w));
    });
    TGobItem opened;
    EXPECT_EQ(TGobDialog::Execute(c.File, opened), !c.Opened.empty());
    EXPECT_EQ(rows, c.Rows);
    EXPECT_EQ(opened.EntryName, c.Opened);
  }
  TGobItem item;
  EXPECT_THROW(TGobDialog::Execute(Dir.File("missing.gob"), item), EZarnError);
}

}  // namespace
