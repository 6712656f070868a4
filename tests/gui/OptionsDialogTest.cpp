
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

    // Colour rows: the disc in the row's colour from left + 2 to left + 11, the caption from 14.
    const QImage colours = options.lbxColors->viewport()->grab().toImage();
    for (int row = 0; row < options.lbxColors->count(); ++row) {
      const QRect r = options.lbxColors->visualItemRect(options.lbxColors->item(row));
      const unsigned value = options.EntryColor(row);
      EXPECT_EQ(colours.pixel(r.left() + 7, r.top() + 8), qRgb(value & 0xFF, (value >> 8) & 0xFF, value >> 16)) << row;
      const auto [first, last] = InkSpan(colours, r.top() + 8, r.left(), r.right());
      EXPECT_EQ(first, r.left() + 2) << row;
      EXPECT_LE(InkSpan(colours, r.top() + 8, r.left() + 12, r.left() + 14).first, -1) << "a gap before the caption";
      EXPECT_GT(last, r.left() + 30) << "the caption";
      const QColor background = colours.pixel(r.left(), r.top() + 1);
      EXPECT_EQ(background, options.lbxColors->palette().color(row == 4 ? QPalette::Highlight : QPalette::Base));
    }
    // Shortcut rows: the name without its prefix from 2, the shortcut ending 4 pixels before
    // the edge (the last ink may stop a pixel short of it), nothing at the right without one.
    for (const auto& [name, ink] : {std::pair{"actFileNew", true}, {"actFileRevert", false}, {"actSelParentNode", true}}) {
      QListWidgetItem* item = options.lbxShort->item(RowOfAction(*options.lbxShort, name));
      options.lbxShort->scrollToItem(item);
      const QImage shortcuts = options.lbxShort->viewport()->grab().toImage();
      const QRect r = options.lbxShort->visualItemRect(item);
      int left = r.right(), right = -1;
      for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto [first, last] = InkSpan(shortcuts, y, r.left(), r.right() + 1);
        if (first >= 0) left = std::min(left, first);
        right = std::max(right, InkSpan(shortcuts, y, r.left() + r.width() / 2, r.right() + 1).second);
      }
      EXPECT_NEAR(left, r.left() + 3, 1) << name;
      if (ink)
        EXPECT_NEAR(right, r.right() - 5, 1) << name;
      else
        EXPECT_EQ(right, -1) << name;
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
