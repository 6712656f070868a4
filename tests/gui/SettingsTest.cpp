#include <cstring>

#include "editing/ActionTable.h"
#include "tests/gui/SettingsFixture.h"

namespace {

std::string Stored(const char* path) { return QSettings().value(path).toString().toStdString(); }

TEST_F(TSettingsTest, FirstStartKeepsTheDesignedPlacesAndEveryDefaultAndAStoreThatCannotBeWrittenGivesOneLine) {
  StartWindow({}, 0);
  EXPECT_EQ(Window->geometry(), QRect(128, 128, 1024, 768));  // the middle of the 1280 x 1024 screen
  EXPECT_EQ(Window->MessageWindow()->geometry(), QRect(371, 298, 418, 187));
  EXPECT_TRUE(Window->MessageWindow()->isVisible());
  const TCore fresh(Services);
  EXPECT_EQ(Core->Color2D, fresh.Color2D);
  EXPECT_EQ(Core->Color3D, fresh.Color3D);
  EXPECT_EQ(std::memcmp(Core->Colors, fresh.Colors, sizeof fresh.Colors), 0);
  for (const TActionRow& row : MainActionRows())
    EXPECT_EQ(Window->Action(row.Name)->shortcut(), QKeySequence(row.Shortcut, QKeySequence::PortableText)) << row.Name;
  EXPECT_TRUE(Core->ResourceList.empty());
  EXPECT_DOUBLE_EQ(Core->Grid.LineEvery, 0.01);
  EXPECT_TRUE(Services.Output.empty());
  ShotWindow("first_window");

  // A store that cannot be written gives one line, and the window still closes.
  // No folder can be made below a plain file, whoever runs the test.
  QFile blocker(Folder.filePath("blocker"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Folder.filePath("blocker/settings"));
  testing::internal::CaptureStderr();
  EXPECT_TRUE(Window->close());
  const std::string errors = testing::internal::GetCapturedStderr();
  EXPECT_FALSE(Window->isVisible());
  const std::string line = "Settings could not be written to '" + QSettings().fileName().toStdString() + "'\n";
  const size_t at = errors.find(line);
  EXPECT_NE(at, std::string::npos) << errors;
  EXPECT_EQ(errors.find(line, at + 1), std::string::npos) << "one line only";
}

TEST_F(TSettingsTest, ARestartFindsWhatTheUserLeftInTheToolkitsNotations) {
  StartWindow(Sample());
  Window->move(40, 30);
  Window->resize(700, 520);
  Window->MessageWindow()->move(600, 480);
  Window->MessageWindow()->resize(300, 120);
  Window->MessageWindow()->close();
  Frame().cbxGridEvery->setEditText("0.05");
  Frame().cbxGridEveryClick();
  const QImage before = Shot("settings_before_geometry");
  // The list takes only containers that read.
  const std::string gob = fmt_test::MakeGob({{"mat\\x.mat", fmt_test::MakeColourMat(3)}});
  const std::vector<std::string> containers = {Write("Res2.gob", gob), Write("Res1.gob", gob)};
  RunOptions([&](TOptionsDialog& options) {
    PickColour(options, 0, Qt::white);
    PickColour(options, 2, QColor(0, 255, 0));  // "Geometry": at once, for this run only
    PickColour(options, 4, QColor(0x12, 0x34, 0x56));  // "Selection": kept, under digit 2
    SetShortcut(options, "actSelAll", "Ctrl+J");
    SetShortcut(options, "actFileOpen", "");          // removed
    SetShortcut(options, "actHelpAbout", "Shift+F12");
    for (const std::string& path : containers) {
      options.edtRes->setText(QString::fromStdString(path));
      QTest::mouseClick(options.btnResAdd, Qt::LeftButton);
    }
    options.findChild<QDoubleSpinBox*>("spnAmbient")->setValue(0.25);
    options.findChild<QDoubleSpinBox*>("spnLightIntensity")->setValue(2.5);
  });
  EXPECT_GT(CountPixels(Shot("settings_green_geometry"), qRgb(0, 255, 0), 0), CountPixels(before, qRgb(0, 255, 0), 0) + 200)
      << "the model is green at once";
  EXPECT_EQ(Core->ResourceList, containers);
  const TColorRGB selection = Core->Colors[ccSelection];

  Restart();
  for (const auto& [key, value] : {std::pair{"Colors/Color0", "clWhite"}, {"Colors/Color1", "$00dd6f00"},
                                    {"Colors/Color2", "$00563412"}, {"Shortcuts/actSelClear", "Ctrl+BkSp"},
                                    {"Shortcuts/actSelParentNode", "Ctrl+Up"}, {"Shortcuts/actFileOpen", ""},
                                    {"fraBuilder_LineEvery", "0.05"}})
    EXPECT_EQ(Stored(key), value) << key;

  EXPECT_EQ(Window->pos(), QPoint(40, 30));
  EXPECT_EQ(Window->size(), QSize(700, 520));
  EXPECT_EQ(Window->MessageWindow()->geometry(), QRect(600, 480, 300, 120));
  EXPECT_FALSE(Window->MessageWindow()->isVisible());
  EXPECT_EQ(Core->Color2D, 0xFFFFFFu);
  EXPECT_EQ(RGBToSystemColor(Core->Colors[ccGeometry]), RGBToSystemColor(TCore(Services).Colors[ccGeometry]));
  EXPECT_EQ(RGBToSystemColor(Core->Colors[ccSelection]), RGBToSystemColor(selection));
  EXPECT_EQ(Keys({"actSelAll", "actEditCut", "actFileOpen", "actHelpAbout", "actSelClear"}),
            "Ctrl+J|Ctrl+X||Shift+F12|Ctrl+Backspace");
  EXPECT_EQ(Core->ResourceList, containers);
  EXPECT_DOUBLE_EQ(Core->Grid.LineEvery, 0.05);
  EXPECT_EQ(Frame().cbxGridEvery->currentText(), "0.05");
  EXPECT_DOUBLE_EQ(Frame().GameLight.Ambient, 0.25);
  EXPECT_DOUBLE_EQ(Frame().GameLight.Intensity, 2.5);
  EXPECT_TRUE(Services.Output.empty());

  Window->showMaximized();
  Restart();
  EXPECT_TRUE(Window->isMaximized());
}

// Other spellings of colours and keys are read as the core's ColorText and ShortcutText
// tests check.
TEST_F(TSettingsTest, HandEditedValuesThatCannotBeUsedKeepTheirDefaultsAndStartUpGoesOn) {
  // frmMain_Left and _Top: a monitor that is gone; frmMain_Width: below the window's minimum.
  const std::pair<const char*, QVariant> values[] = {
      {"Colors/Color3", "green-ish"}, {"frmMain_Left", 5000},         {"frmMain_Top", -4000},
      {"frmMain_Width", 100},         {"frmMsg_Width", 2147483647},   {"frmMsg_Height", -5},
      {"frmMain_Height", 50},         {"frmMsg_Left", "left"},        {"View/GameAmbient", "bright"},
      {"View/GameLightIntensity", "-3"}, {"fraBuilder_LineEvery", "abc"}, {"Resources/Res0", "Resources/Res0"},
      {"Resources/Res1", "Resources/Res1"}, {"Resources/Res3", "Resources/Res3"}};
  for (const auto& [key, value] : values) QSettings().setValue(key, value);
  StartWindow(Sample(), 0);
  ASSERT_EQ(Services.Output.size(), 1u) << "one line for the one bad value";
  EXPECT_NE(Services.Output[0].find("Colors/Color3"), std::string::npos) << Services.Output[0];
  EXPECT_NE(Services.Output[0].find("'green-ish'"), std::string::npos) << Services.Output[0];
  EXPECT_GT(Core->Model->Nodes.Count(), 1) << "the command line was still opened";
  EXPECT_EQ(RGBToSystemColor(Core->Colors[ccGrid]), RGBToSystemColor(TCore(Services).Colors[ccGrid]));
  EXPECT_TRUE(Window->screen()->geometry().contains(Window->frameGeometry())) << Window->frameGeometry().x();
  EXPECT_EQ(Window->size(), QSize(535, 460));
  EXPECT_EQ(Window->MessageWindow()->x(), 371);
  EXPECT_EQ(Window->MessageWindow()->width(), Window->screen()->virtualSize().width());
  EXPECT_EQ(Window->MessageWindow()->height(), Window->MessageWindow()->minimumSizeHint().height());
  EXPECT_GT(Window->MessageWindow()->height(), 16);
  EXPECT_EQ(Core->ResourceList, (std::vector<std::string>{"Resources/Res0", "Resources/Res1"}));
  EXPECT_DOUBLE_EQ(Frame().GameLight.Ambient, 0.4);
  EXPECT_DOUBLE_EQ(Frame().GameLight.Intensity, 4.0);
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"'abc' is not a valid floating point value"});
  EXPECT_DOUBLE_EQ(Core->Grid.LineEvery, 0.01);

  // A shorter list leaves no numbered values behind that would lengthen it again.
  Core->ResourceList = {"only.gob"};
  Restart();
  EXPECT_EQ(Core->ResourceList, std::vector<std::string>{"only.gob"});
  QSettings file;
  file.beginGroup("Resources");
  EXPECT_EQ(file.childKeys(), QStringList{"Res0"});
}

}  // namespace
