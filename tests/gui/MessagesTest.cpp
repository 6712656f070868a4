// View > Messages: every output line of the session with its time, a file's lines under its
// name, Copy and Clear, the window brought back and to the front; and no status text of an
// earlier model on an empty one.

#include "tests/gui/GuiFixture.h"

namespace {

class TMessagesTest : public TWindowTest {
 protected:
  TMessageWindow& Messages() { return *Window->MessageWindow(); }
  QTreeWidget& Lines() { return *Messages().tvwLines; }
  // The rows as "text" with a group's lines indented by two spaces.
  std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int i = 0; i < Lines().topLevelItemCount(); ++i) {
      const QTreeWidgetItem* top = Lines().topLevelItem(i);
      rows.push_back(top->text(1).toStdString());
      for (int j = 0; j < top->childCount(); ++j) rows.push_back("  " + top->child(j)->text(1).toStdString());
    }
    return rows;
  }
};

TEST(MessageWindow, RowsOfSixteenPixelsFillTheWindowAndCopyGivesTheHighlightedOnesOrAll) {
  TMessageWindow window;
  window.AddLine("first", QTime(9, 5, 7));
  window.BeginGroup("/models/a.3do", QTime(9, 6, 0));
  window.AddLine("Material not found 'x.mat'", QTime(9, 6, 1));
  window.AddLine("repaired", QTime(9, 6, 2));
  window.EndGroup();
  window.AddLine("last", QTime(10, 0, 0));
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.tvwLines->sizeHintForRow(0), 16);
  // Inside the lowered panel's frame, above the buttons.
  EXPECT_GE(window.tvwLines->width(), window.width() - 4);
  EXPECT_GE(window.tvwLines->height(), window.height() - window.btnCopy->height() - 12);
  SaveScreenshot(&window, "message_window_grouped");
  QTest::mouseClick(window.btnCopy, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            "09:05:07  first\n09:06:00  /models/a.3do\n09:06:01    Material not found 'x.mat'\n"
            "09:06:02    repaired\n10:00:00  last\n");
  window.tvwLines->topLevelItem(1)->child(1)->setSelected(true);
  window.tvwLines->topLevelItem(2)->setSelected(true);
  QTest::mouseClick(window.btnCopy, Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "09:06:02    repaired\n10:00:00  last\n");
  QTest::mouseClick(window.btnClear, Qt::LeftButton);
  EXPECT_EQ(window.tvwLines->topLevelItemCount(), 0);
  window.AddLine("after", QTime(11, 0, 0));
  EXPECT_EQ(window.Text().toStdString(), "11:00:00  after\n");
}

TEST_F(TMessagesTest, ViewMessagesShowsEveryLineAndAFilesLinesUnderItsName) {
  StartWindow();
  // A model whose two materials are nowhere: each named once, under the file.
  const std::string tri = Write("tri.3do", TriangleModelText());
  EXPECT_TRUE(Menu("&View")->actions().contains(Window->Action("actViewMsg")));
  Window->OpenFile(tri);
  Window->OpenFile(Sample());
  Window->Action("actFileNew")->trigger();
  const std::vector<std::string> rows = Rows();
  ASSERT_GE(rows.size(), 5u);
  EXPECT_EQ(rows[0].rfind("ZARN Version", 0), 0u) << rows[0];
  EXPECT_EQ(std::vector<std::string>(rows.begin() + 1, rows.begin() + 5),
            (std::vector<std::string>{tri, "  Material not found 'stone.mat'", "  Material not found 'metal.mat'", Sample()}));
  Messages().show();
  Messages().resize(600, 200);
  SaveScreenshot(&Messages(), "view_messages");
  const QTreeWidgetItem* line = Lines().topLevelItem(1)->child(0);
  EXPECT_GT(Lines().columnWidth(0) - Lines().indentation() - 8, Lines().fontMetrics().horizontalAdvance(line->text(0)))
      << "the time of a grouped line shows whole";
  // View > Messages brings the window back when closed, and to the front when behind.
  for (const bool closed : {true, false}) {
    if (closed) Messages().close();
    Activate();
    Window->Action("actViewMsg")->trigger();
    EXPECT_TRUE(Messages().isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(&Messages())) << closed;
  }
}

// A status text tells of the model as a command left it: the next change drops it, another
// camera's look does not; none of an earlier model, nor its pointer's place, stays on an
// empty one.
TEST_F(TMessagesTest, AStatusTextGoesWithTheNextChangeOfTheModel) {
  StartWindow(Sample());
  const struct { const char* What; std::function<void()> Act; bool Kept; } rows[] = {
      {"camera", [&] { Frame().tacCameras->setCurrentIndex(3); }, true},
      {"select all", [&] { Window->Action("actSelAll")->trigger(); }, false},
      {"undo", [&] { Window->Action("actEditUndo")->trigger(); }, false},
      {"rectangle", [&] { Drag({2, 2}, {Surface()->width() - 2, Surface()->height() - 2}); }, false},
  };
  for (const auto& row : rows) {
    Window->Action("actViewLodAdd")->trigger();
    const QString shown = Window->StatusPanel(1)->text();
    EXPECT_TRUE(shown.startsWith("LOD ")) << shown.toStdString();
    QTest::qWait(1);
    row.Act();
    EXPECT_EQ(Window->StatusPanel(1)->text(), row.Kept ? shown : "") << row.What;
    if (row.What != std::string("undo")) Window->Action("actEditUndo")->trigger();
  }
  Hover({Surface()->width() / 2, Surface()->height() / 2});
  Services.ShowStatus("LOD 2 is now a copy of LOD 1");
  EXPECT_FALSE(Window->StatusPanel(0)->text().isEmpty());
  Window->Action("actFileNew")->trigger();
  EXPECT_EQ(Window->StatusPanel(0)->text(), "");
  EXPECT_EQ(Window->StatusPanel(1)->text(), "");
}

}  // namespace
