// Animation > Open Puppet...: a puppet's modes and moves listed, and the move chosen playing
// its KEY, found beside the model or in the puppet's container, and File > Export taking every
// animation of the puppet.

#include "app/PuppetDialog.h"
#include "formats/KeyReader.h"
#include "model/KeySummary.h"
#include "tests/gui/GuiFixture.h"

namespace {

class Puppet : public TWindowTest {
 protected:
  // Opens the file through the menu and plays `move`, keeping the dialog's rows ("Mode 0",
  // "  stand fighter-bank.key") in Rows.
  void Play(const std::string& file, const QString& move) {
    WhenModalShown<TPuppetDialog>([this, move](TPuppetDialog& d) {
      for (QTreeWidgetItemIterator it(d.trvMoves); *it; ++it)
        Rows << ((*it)->parent() ? "  " : "") + (*it)->text(0) + " " + (*it)->text(1) + ((*it)->isDisabled() ? " -" : "");
      d.trvMoves->setCurrentItem(d.trvMoves->topLevelItem(0));
      EXPECT_FALSE(d.btnPlay->isEnabled());  // a mode is no move
      d.trvMoves->setCurrentItem(d.trvMoves->findItems(move, Qt::MatchExactly | Qt::MatchRecursive).at(0));
      SaveScreenshot(&d, ("puppet_dialog_" + move.toStdString()).c_str());
      QTest::mouseClick(d.btnPlay, Qt::LeftButton);
    });
    Services.FileNames = {file};
    MenuAction("&Animation", "actAnimationOpenPuppet")->trigger();
  }
  QStringList Rows;
};

TEST_F(Puppet, PlaysTheKeyOfTheMoveChosenFoundBesideTheModelOrInTheContainer) {
  StartWindow(Sample(), 900, 700);
  QTest::qWait(50);
  const QImage rest = Shot("puppet_rest");
  const std::string pup = Write("fighter.pup", "mode=0\nstand fighter-bank.key 0x0 1 2\nwalk kywalk.key\nfire none\n"
                                               "mode=1, basedon=0\nroll fighter-roll.key\n");
  Play(pup, "stand");
  ASSERT_TRUE(Services.Errors.empty()) << Services.Errors.front();
  EXPECT_EQ(Rows, QStringList({"Mode 0 ", "  stand fighter-bank.key", "  walk kywalk.key", "  fire none -",
                               "Mode 1 (based on 0) ", "  stand fighter-bank.key", "  walk kywalk.key", "  fire none -"}));
  EXPECT_EQ((std::tuple{Bar().isVisible(), Bar().Name(), Bar().Animation()->Frames}), (std::tuple{true, "fighter-bank.key", 40}));
  EXPECT_EQ(Window->OutputList()->findItems("fighter.pup: 1 line names no move of the game and is passed over",
                                            Qt::MatchExactly).size(), 1);
  Bar().sldFrame->setValue(10);
  QTest::qWait(50);
  EXPECT_NE(Shot("puppet_frame_10"), rest);  // the fighter banks

  // Animation > Save Animation As... writes what plays, which reads back the same.
  Services.FileNames = {Path("saved.key")};
  MenuAction("&Animation", "actAnimationSaveAs")->trigger();
  const TKeyAnimation saved = ReadKeyFile(Path("saved.key")), sample = ReadKeyFile(ZARN_SAMPLES_DIR "/fighter-bank.key");
  EXPECT_EQ(KeySummary(saved), KeySummary(sample));
  const TKeyEntry& last = saved.Nodes.at(1).Entries.at(2);  // the fin's, at frame 30
  EXPECT_EQ((std::tuple{last.Frame, last.Rotation.Y, last.DeltaRotation.Y}), (std::tuple{30.0, -15.0, 1.5}));

  // A KEY found nowhere is said, and the animation playing stays.
  Play(pup, "walk");
  EXPECT_EQ(Services.Errors, std::vector<std::string>{"kywalk.key (walk of fighter.pup) is not beside the model, in its "
                                                      "key folder or in 3do\\key\\ of a container"});
  EXPECT_EQ((std::tuple{Bar().Name(), Bar().Frame()}), (std::tuple{"fighter-bank.key", 10.0}));

  // A container's puppet finds its KEYs in the container; File > Export takes every animation
  // of the puppet the open one was chosen from, and none once the animation is closed.
  Services.Errors.clear();
  const std::string key = Read(ZARN_SAMPLES_DIR "/fighter-bank.key");
  const std::string gob = Write("res.gob", fmt_test::MakeGob({{"misc\\pup\\ky.pup", "mode=0\nrun kyrun.key 0x14\nstand kystand.key\n"},
                                                              {"3do\\key\\kyrun.key", key}, {"3do\\key\\kystand.key", key}}));
  QString details;
  WhenModalShown<TGobDialog>([&](TGobDialog& d) {
    d.lbxFiles->setCurrentRow(0);
    details = d.lbxFiles->item(0)->text() + "\n" + d.findChild<QPlainTextEdit*>("memKeyDetails")->toPlainText();
    QTest::mouseClick(d.btnOK, Qt::LeftButton);
  });
  Play(gob, "run");
  ASSERT_TRUE(Services.Errors.empty()) << Services.Errors.front();
  EXPECT_EQ(details.toStdString(), "ky.pup\nmodes: 1\n  mode 0: 2 moves\n    run           kyrun.key flags 0x14 priority 0/0\n"
                                   "    stand         kystand.key flags 0x0 priority 0/0\njoints: 0\n");
  EXPECT_EQ((std::tuple{Bar().Name(), Bar().Animation()->Frames}), (std::tuple{"kyrun.key", 40}));
  const auto exported = [this](const std::string& file) {
    Run("actFileExport", {Path(file)});
    return Read(Path(file));
  };
  const std::string glb = exported("ky.glb");
  EXPECT_NE(glb.find("\"animations\""), std::string::npos);
  EXPECT_TRUE(glb.find("\"name\":\"kyrun\"") != std::string::npos && glb.find("\"name\":\"kystand\"") != std::string::npos);
  MenuAction("&Animation", "actAnimationClose")->trigger();
  EXPECT_EQ(exported("still.glb").find("\"animations\""), std::string::npos);
  EXPECT_TRUE(Services.Errors.empty());
}

}  // namespace
