#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <string>

#include "app/Dialogs.h"
#include "app/MainWindow.h"
#include "app/StatusProgress.h"
#include "document/Core.h"
#include "services/HeadlessServices.h"
#include "tests/core/ChangeCounter.h"
#include "view/Builder.h"
#include "view/GLArea.h"

// Recorded messages and answers as in the headless services, while output, status and
// progress reach the window as they do in the program.
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
  void BeginProgress(const std::string& text, uint64_t total) override {
    THeadlessServices::BeginProgress(text, total);
    if (Main) Main->Progress().Begin(text, total);
  }
  void StepProgress(uint64_t done) override {
    THeadlessServices::StepProgress(done);
    if (Main) Main->Progress().Step(done);
    if (OnProgressStep) OnProgressStep();
  }
  void EndProgress() override {
    THeadlessServices::EndProgress();
    if (Main) Main->Progress().End();
  }
  std::string AskOpenFileName(const std::vector<std::string>& filter, const std::string& title) override {
    return RealFileDialogs ? ::AskOpenFileName(filter, title) : THeadlessServices::AskOpenFileName(filter, title);
  }
  std::string AskSaveFileName(const std::vector<std::string>& filter, const std::string& title,
                              const std::string& name) override {
    return RealFileDialogs ? ::AskSaveFileName(filter, title, name)
                           : THeadlessServices::AskSaveFileName(filter, title, name);
  }
  bool QueryChoices(const std::string& caption, std::vector<std::string>& lines,
                    const std::vector<std::string>& choices) override {
    return RealQueryDialog ? ::QueryValues(caption, lines, choices)
                           : THeadlessServices::QueryChoices(caption, lines, choices);
  }
  bool AskSaveAnyway(const std::vector<std::string>& breaches) override {
    return RealSaveAnywayBox ? ::AskSaveAnyway(breaches) : THeadlessServices::AskSaveAnyway(breaches);
  }
  TfrmMain* Main = nullptr;
  bool OutOfMemory = false;  // every property refresh fails as an allocation would
  bool RealSaveAnywayBox = false;  // the game-readiness question shows the program's own box
  bool RealFileDialogs = false;  // file names are asked in the program's own dialogs
  bool RealQueryDialog = false;  // queries with choices show the program's own dialog
  std::function<void()> OnProgressStep;  // looks at the window while long work goes on
};

// A main window started as the program starts it, at a fixed size (width 0: as designed).
class TWindowTest : public ::testing::Test {
 protected:
  void StartWindow(const std::string& openAtStart = {}, int width = 800, int height = 600) {
    ASSERT_TRUE(Folder.isValid());
    // A test that starts the program again lets the last one go first, in order: the change
    // counter unsubscribes from a document that must still exist.
    StopWindow();
    Core = std::make_unique<TCore>(Services);
    Window = std::make_unique<TfrmMain>(*Core, openAtStart);
    Changes = std::make_unique<TChangeCounter>(*Core);
    Core->Events.Subscribe([this](unsigned changes) {
      if (Services.OutOfMemory && (changes & chProperties)) throw std::bad_alloc();
    });
    Services.Main = Window.get();
    if (width > 0) Window->resize(width, height);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
    Window->FirstActivation();
    ASSERT_NE(Window->Builder(), nullptr);
    ASSERT_TRUE(Frame().glaMain->Active()) << "no OpenGL context";
  }
  void TearDown() override { StopWindow(); }
  void StopWindow() {
    Services.Main = nullptr;
    Changes.reset();
    Window.reset();
    Core.reset();
  }
  TfraBuilder& Frame() { return *Window->Builder(); }
  // Keys reach the window's shortcuts only while it is active.
  void Activate() {
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  }
  // The menu of the bar with that title, and its entries as shown ("-" for a separator).
  QMenu* Menu(const QString& title) {
    for (QAction* entry : Window->menuBar()->actions())
      if (entry->text() == title) return entry->menu();
    return nullptr;
  }
  QStringList Entries(const QString& title) {
    QStringList entries;
    for (const QAction* a : Menu(title)->actions()) entries << (a->isSeparator() ? "-" : a->text().remove('&'));
    return entries;
  }
  // QTest moves a button-less pointer through the X server, which delivers late and without
  // modifiers; a hover is therefore sent straight to the surface.
  void Hover(QPoint p, Qt::KeyboardModifiers mods = {}) {
    QMouseEvent move(QEvent::MouseMove, p, Surface()->mapToGlobal(p), Qt::NoButton, Qt::NoButton, mods);
    QApplication::sendEvent(Surface(), &move);
  }
  // A gesture as a user makes it: the pointer hovers to the start, presses, moves in steps,
  // releases at the end.
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = {}, Qt::MouseButton button = Qt::LeftButton,
            int steps = 4) {
    Hover(from, mods);
    QTest::mousePress(Surface(), button, mods, from);
    for (int i = 1; i <= steps; ++i) Hover(from + (to - from) * i / steps, mods);
    QTest::mouseRelease(Surface(), button, mods, to);
  }
  void Wheel(QPoint at, int angle) {
    QWheelEvent wheel(at, Surface()->mapToGlobal(at), {}, {0, angle}, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(Surface(), &wheel);
  }
  QWidget* Surface() { return Frame().glaMain->Surface(); }
  TCameraRec& Camera() { return Frame().Cameras->Current().Rec; }
  QImage Shot(const std::string& name) { return Saved(Frame().glaMain->GrabFrame(), name); }
  void ShotWindow(const std::string& name) { Saved(Window->grab().toImage(), name); }
  static QImage Saved(QImage image, const std::string& name) {
    image.save(QString::fromStdString(std::string(ZARN_SCREENSHOT_DIR) + "/" + name + ".png"));
    return image;
  }
  static std::string Sample() { return std::string(ZARN_SAMPLES_DIR) + "/fighter.3do"; }
  // A file of the test's own folder, and one written there.
  std::string Path(const std::string& name) { return Folder.filePath(QString::fromStdString(name)).toStdString(); }
  // A file's bytes; none for a missing file.
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string Write(const std::string& name, const std::string& data) {
    std::ofstream(Path(name), std::ios::binary) << data;
    return Path(name);
  }

  QTemporaryDir Folder;
  TWindowServices Services;
  std::unique_ptr<TCore> Core;
  std::unique_ptr<TChangeCounter> Changes;
  std::unique_ptr<TfrmMain> Window;
};

// Pixels of the image whose colour is within `tolerance` of the given one on each channel.
int CountPixels(const QImage& image, QRgb colour, int tolerance = 8);
// Pixels of the image whose colour `fits` takes.
int CountPixels(const QImage& image, const std::function<bool(QRgb)>& fits);
// Colours among every second pixel of every second row: how varied a picture is.
int DistinctColours(const QImage& image);
