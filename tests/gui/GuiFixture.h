#pragma once
#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <memory>
#include <new>
#include <string>

#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "model/Core.h"
#include "model/HeadlessServices.h"
#include "view/Builder.h"
#include "view/GLArea.h"

// Recorded messages and answers as in the headless services, while output, status and
// redraw requests reach the window as they do in the program.
class TWindowServices : public THeadlessServices {
 public:
  void AddOutput(const std::string& line) override {
    THeadlessServices::AddOutput(line);
    if (Main) Main->AddOutput(line);
  }
  void ShowStatus(const std::string& text) override {
    THeadlessServices::ShowStatus(text);
    if (Main) Main->ShowStatus(text);
  }
  void Redraw(bool rebuild) override {
    THeadlessServices::Redraw(rebuild);
    if (Main && Main->Builder()) Main->Builder()->Redraw(rebuild);
  }
  void FillTree() override {
    THeadlessServices::FillTree();
    if (Main && Main->Builder() && Main->Builder()->FillTree) Main->Builder()->FillTree();
  }
  // Every property refresh fails as an allocation would, when OutOfMemory is set.
  void UpdateProperties() override {
    THeadlessServices::UpdateProperties();
    if (OutOfMemory) throw std::bad_alloc();
  }
  std::string AskSaveFileName(const std::vector<std::string>& filter) override {
    return RealSaveDialog ? ::AskSaveFileName(filter) : THeadlessServices::AskSaveFileName(filter);
  }
  TfrmMain* Main = nullptr;
  bool OutOfMemory = false;
  bool RealSaveDialog = false;  // Save As shows the program's own dialog
};

// A main window started as the program starts it, at a fixed size.
class TWindowTest : public ::testing::Test {
 protected:
  void StartWindow(const std::string& openAtStart = {}, int width = 800, int height = 600) {
    Core = std::make_unique<TCore>(Services);
    Window = std::make_unique<TfrmMain>(*Core, openAtStart);
    Services.Main = Window.get();
    Window->resize(width, height);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    Window->FirstActivation();
    ASSERT_NE(Window->Builder(), nullptr);
    ASSERT_TRUE(Frame().glaMain->Active()) << "no OpenGL context";
  }
  void TearDown() override {
    Services.Main = nullptr;
    Window.reset();
    Core.reset();
  }
  TfraBuilder& Frame() { return *Window->Builder(); }
  QWidget* Surface() { return Frame().glaMain->Surface(); }
  TCameraRec& Camera() { return Frame().Cameras->Current().Rec; }
  QImage Shot(const std::string& name) {
    QImage image = Frame().glaMain->GrabFrame();
    image.save(QString::fromStdString(std::string(ZARN_SCREENSHOT_DIR) + "/" + name + ".png"));
    return image;
  }
  void ShotWindow(const std::string& name) {
    Window->grab().save(QString::fromStdString(std::string(ZARN_SCREENSHOT_DIR) + "/" + name + ".png"));
  }
  static std::string Sample() { return std::string(ZARN_SAMPLES_DIR) + "/fighter.3do"; }

  TWindowServices Services;
  std::unique_ptr<TCore> Core;
  std::unique_ptr<TfrmMain> Window;
};

// Pixels of the image whose colour is within `tolerance` of the given one on each channel.
int CountPixels(const QImage& image, QRgb colour, int tolerance = 8);
