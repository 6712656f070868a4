#pragma once
#include <gtest/gtest.h>

// The widgets, files and shared test code most window tests reach for, included once here.
#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <QWheelEvent>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <new>
#include <regex>
#include <string>
#include <vector>

#include "app/ColormapUi.h"
#include "app/Dialogs.h"
#include "app/GobDialog.h"
#include "app/MainWindow.h"
#include "app/MaterialsDialog.h"
#include "app/MessageWindow.h"
#include "app/NodeTreeView.h"
#include "app/ObjImportDialog.h"
#include "app/QueryForm.h"
#include "app/StatusProgress.h"
#include "app/TimelineBar.h"
#include "camera/Camera.h"
#include "document/Core.h"
#include "formats/FileIO.h"
#include "services/HeadlessServices.h"
#include "tests/core/ChangeCounter.h"
#include "tests/core/FormatBytes.h"
#include "tests/core/PictureFiles.h"
#include "tests/core/TestCore.h"
#include "tests/core/TestSupport.h"
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
  TMainWindow* Main = nullptr;
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
    Window = std::make_unique<TMainWindow>(*Core, openAtStart);
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
  TViewportFrame& Frame() { return *Window->Builder(); }
  TTimelineBar& Bar() { return *Window->findChild<TTimelineBar*>("pnlTimeline"); }
  void Run(const char* action) { Window->Action(action)->trigger(); }
  // The same with the file dialogs answering `files` in turn.
  void Run(const char* action, std::vector<std::string> files) {
    Services.FileNames = std::move(files);
    Run(action);
  }
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
  // The entry of that menu with that object name, as a user finds it.
  QAction* MenuAction(const QString& title, const char* name) {
    for (QAction* a : Menu(title)->actions())
      if (a->objectName() == name) return a;
    return nullptr;
  }
  // The shortcuts of the actions, joined by "|" (nothing for none): "Ctrl+J||Shift+F12".
  std::string Keys(std::initializer_list<const char*> actions) {
    QStringList keys;
    for (const char* name : actions) keys << Window->Action(name)->shortcut().toString();
    return keys.join('|').toStdString();
  }
  QStringList Entries(const QString& title) { return Entries(Menu(title)); }
  static QStringList Entries(const QMenu* menu) {
    QStringList entries;
    for (const QAction* a : menu->actions()) entries << (a->isSeparator() ? "-" : a->text().remove('&'));
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
  // The pixel of the last frame where the world point was drawn.
  QPoint Pixel(const TVector& world) {
    int x = 0, y = 0;
    EXPECT_TRUE(WorldToScreen(Frame().LastView, world, x, y));
    return {x, y};
  }
  TCameraRec& Camera() { return Frame().Cameras->Current().Rec; }
  QImage Shot(const std::string& name) { return Saved(Frame().glaMain->GrabFrame(), name); }
  void ShotWindow(const std::string& name) { Saved(Window->grab().toImage(), name); }
  static QImage Saved(QImage image, const std::string& name) {
    image.save(QString::fromStdString(std::string(ZARN_SCREENSHOT_DIR) + "/" + name + ".png"));
    return image;
  }
  static std::string Sample() { return std::string(ZARN_SAMPLES_DIR) + "/fighter.3do"; }
  // The sample's four materials as container entries under mat\.
  static std::vector<fmt_test::TEntrySpec> SampleMaterials() {
    std::vector<fmt_test::TEntrySpec> entries;
    for (const char* name : {"dflt.mat", "hull.mat", "glass.mat", "engine.mat"})
      entries.push_back({std::string("mat\\") + name, ReadWholeFile(std::string(ZARN_SAMPLES_DIR) + "/Mat/" + name)});
    return entries;
  }
  // A value of every vertex of the model's meshes, in model order (Position, World).
  std::vector<TVector> VertexValues(TVector TVertex::*value) {
    std::vector<TVector> out;
    for (const TNode* n : Core->Model->Nodes)
      if (n->Mesh)
        for (const TVertex* v : n->Mesh->Vertices) out.push_back(v->*value);
    return out;
  }
  int FaceCount() {
    int faces = 0;
    for (const TNode* n : Core->Model->Nodes) faces += n->Mesh ? n->Mesh->Surfaces.Count() : 0;
    return faces;
  }
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
  std::unique_ptr<TMainWindow> Window;
};

// Pixels of the image whose colour is within `tolerance` of the given one on each channel.
int CountPixels(const QImage& image, QRgb colour, int tolerance = 8);
// Pixels of the image whose colour `fits` takes.
int CountPixels(const QImage& image, const std::function<bool(QRgb)>& fits);
// Colours among every second pixel of every second row: how varied a picture is.
int DistinctColours(const QImage& image);

// Runs `act` on the next modal window once it is shown (inside its own event loop), so that
// a test can drive a dialog that a function opens and waits for. With `fits`, only a modal
// window it takes counts; others are waited out. Gives up after `attempts` looks, 10 ms apart.
// A window that `act` leaves open fails the test and is closed half a minute later.
void WhenModalShown(std::function<void(QWidget*)> act, std::function<bool(QWidget*)> fits = {}, int attempts = 500);
// The same for the next modal dialog of type T.
template <class T>
void WhenModalShown(std::function<void(T&)> act) {
  WhenModalShown([act = std::move(act)](QWidget* modal) { act(*qobject_cast<T*>(modal)); },
                 [](QWidget* modal) { return qobject_cast<T*>(modal) != nullptr; });
}

// Chooses the file as a user does, typing its name in its folder, and accepts. (selectFile
// leaves the name box alone once the box has the focus, which comes when the window manager
// gets to it.)
void ChooseFile(QFileDialog& dialog, const QString& path);

// Clicks the button showing `button` in the next message box, after keeping its text in
// `asked` and, named `shot`, its picture; closes the window if it is still open.
void AnswerBox(const QString& button, std::string& asked, int attempts = 500, const char* shot = nullptr);

// Picks the row in the container dialog that the next opening of a container shows, with OK.
void PickContainerEntry(int row = 0);

// The rows of the list, and a user's click on the first row that shows `text`.
std::vector<std::string> Rows(const QListWidget& list);
void ClickItem(QListWidget& list, const QString& text);

// Accepts the OBJ import dialog that the next import of an .obj file shows, as it opens.
void AcceptObjImport();

// Saves a picture of the widget for a person to look at.
void SaveScreenshot(QWidget* widget, const char* name);

// The window's colormap choice (a plain QObject child, which findChild cannot tell apart).
TColormapUi* Colormaps(QObject& window);
