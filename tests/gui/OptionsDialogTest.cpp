
#include "app/SettingsKeys.h"
#include "tests/gui/SettingsFixture.h"

namespace {

// Columns of a row of the picture that differ from the row's background (its first pixel).
std::pair<int, int> InkSpan(const QImage& image, int y, int from, int to) {
  int first = -1, last = -1;
  for (int x = from; x < to; ++x)
    if (image.pixel(x, y) != image.pixel(from, y)) {
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

TEST_F(TSettingsTest, OptionListsAreDrawnByTheDialogAndEditOnlyWhatIsHighlighted) {
  StartWindow();
  std::vector<QKeySequence> before;
  for (const QAction* action : Window->ActionRegistry().Actions()) before.push_back(action->shortcut());
  RunOptions([&](TOptionsDialog& options) {
    EXPECT_EQ(options.SwatchColor(), 0xFFFFFFu) << "no row highlighted: white";
    // Nothing highlighted: "&Edit" of the shortcuts changes nothing.
    QTest::keyClick(options.edtShortcut, Qt::Key_J, Qt::ControlModifier);
    QTest::mouseClick(options.btnShortEdit, Qt::LeftButton);
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(Window->ActionRegistry().Actions()[i]->shortcut(), before[i]);

    // Each command by its menu caption, with the menu where two share one; a row shows its key.
    const struct { const char *Action, *Caption, *Key; } rows[] = {
        {"actFileNew", "New", "Ctrl+N"},           {"actFileOpen", "Open", "Ctrl+O"},
        {"actSelParentNode", "Parent Node", "Ctrl+Up"}, {"actEditRotate", "Rotate (Edit)", ""},
        {"actTexRotate", "Rotate (Texture)", ""},  {"actViewLodAdd", "Add Level of Detail", ""},
    };
    for (const auto& row : rows) {
      const int at = RowOfAction(*options.lbxShort, row.Action);
      ASSERT_GE(at, 0) << row.Action;
      EXPECT_EQ(options.lbxShort->item(at)->text(), row.Caption);
      ClickRow(*options.lbxShort, at);
      EXPECT_EQ(options.edtShortcut->keySequence(), QKeySequence(row.Key)) << row.Action;
    }
    // A key is set by pressing it: the last key pressed is the one.
    QTest::keyClick(options.edtShortcut, Qt::Key_K, Qt::ControlModifier | Qt::AltModifier);
    QTest::keyClick(options.edtShortcut, Qt::Key_F7, Qt::ShiftModifier);
    QTest::mouseClick(options.btnShortEdit, Qt::LeftButton);
    EXPECT_EQ(Window->Action("actViewLodAdd")->shortcut(), QKeySequence("Shift+F7"));
    ClickRow(*options.lbxShort, 0);
    ClickRow(*options.lbxColors, 4);
    EXPECT_EQ(options.SwatchColor(), options.EntryColor(4));
    SaveScreenshot(&options, "options_dialog");

    // Colour rows: a disc in the row's colour at the left, then a gap, then the caption.
    const QImage colours = options.lbxColors->viewport()->grab().toImage();
    for (int row = 0; row < options.lbxColors->count(); ++row) {
      const QRect r = options.lbxColors->visualItemRect(options.lbxColors->item(row));
      const unsigned value = options.EntryColor(row);
      const int y = r.center().y(), disc = InkSpan(colours, y, r.left(), r.right()).first;
      ASSERT_TRUE(disc >= r.left() && disc - r.left() < r.height()) << row;
      int gap = disc;
      while (gap < r.right() && colours.pixel(gap, y) != colours.pixel(r.left(), y)) ++gap;
      EXPECT_EQ(colours.pixel((disc + gap) / 2, y), qRgb(value & 0xFF, (value >> 8) & 0xFF, value >> 16)) << row;
      EXPECT_GT(InkSpan(colours, y, gap, r.right()).first, gap) << "the caption, after a gap";
      const QColor background = colours.pixel(r.left(), r.top() + 1);
      EXPECT_EQ(background, options.lbxColors->palette().color(row == 4 ? QPalette::Highlight : QPalette::Base));
    }
    // Shortcut rows: the name from the left edge, the shortcut up to the right one, nothing in
    // the right half without one.
    for (const auto& [name, ink] : {std::pair{"actFileNew", true}, {"actFileRevert", false}, {"actSelParentNode", true}}) {
      QListWidgetItem* item = options.lbxShort->item(RowOfAction(*options.lbxShort, name));
      options.lbxShort->scrollToItem(item);
      const QImage shortcuts = options.lbxShort->viewport()->grab().toImage();
      const QRect r = options.lbxShort->visualItemRect(item);
      int left = r.right(), right = -1;
      for (int y = r.top(); y <= r.bottom(); ++y) {
        const int first = InkSpan(shortcuts, y, r.left(), r.right() + 1).first;
        if (first >= 0) left = std::min(left, first);
        right = std::max(right, InkSpan(shortcuts, y, r.center().x(), r.right() + 1).second);
      }
      EXPECT_LT(left - r.left(), r.height() / 2) << name;
      EXPECT_EQ(right > r.right() - r.height() / 2, ink) << name;
      EXPECT_EQ(right >= 0, ink) << name;
    }
  });
}

TEST_F(TSettingsTest, AContainerAddedInTheOptionsGivesAModelInAnotherFolderItsTextures) {
  fmt_test::TTempDir dir;
  const std::string container = dir.Write("game/Res2.gob", fmt_test::MakeGob(SampleMaterials()));
  const std::string model = dir.Write("models/fighter.3do", ReadWholeFile(Sample()));
  StartWindow();
  const auto texturedShot = [&](const char* name) {
    Window->OpenFile(model);
    Frame().tacCameras->setCurrentIndex(3);
    Window->Action("actViewTextured")->trigger();
    return DistinctColours(Shot(name));
  };
  const int grey = texturedShot("container_not_listed");
  for (const TMaterial* m : Core->Model->Materials) EXPECT_FALSE(m->Loaded) << m->Name;

  Services.FileNames = {container};
  RunOptions([&](TOptionsDialog& options) {
    QTest::mouseClick(options.btnResBrowse, Qt::LeftButton);
    EXPECT_EQ(options.edtRes->text().toStdString(), container);
    EXPECT_EQ(options.lbxRes->count(), 0) << "not in the list before \"+\"";
    QTest::mouseClick(options.btnResAdd, Qt::LeftButton);
    QTest::mouseClick(options.btnResDelete, Qt::LeftButton);
    EXPECT_EQ(options.lbxRes->count(), 1) << "nothing highlighted, nothing deleted";
  });
  EXPECT_EQ(Core->ResourceList, std::vector<std::string>{container});
  const int textured = texturedShot("container_textured");
  for (const TMaterial* m : Core->Model->Materials) EXPECT_TRUE(m->Loaded) << m->Name;
  EXPECT_GT(textured, grey + 20);
}

}  // namespace
