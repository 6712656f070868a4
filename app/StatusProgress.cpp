#include "app/StatusProgress.h"

#include <QApplication>
#include <QLayout>
#include <QMainWindow>
#include <QOpenGLWidget>
#include <QProgressBar>
#include <QStatusBar>
#include <algorithm>

namespace {
constexpr std::chrono::milliseconds kPaintEvery{50};
constexpr int kSteps = 1000;  // the bar's resolution
}  // namespace

TStatusProgress::TStatusProgress(QMainWindow& window) : Window(window), ProgressBar(new QProgressBar(window.statusBar())) {
  ProgressBar->setObjectName("prbWork");
  ProgressBar->setRange(0, kSteps);
  ProgressBar->setFixedWidth(160);
  // Between the status text and the frame rate, where the eye already looks for news.
  window.statusBar()->insertWidget(2, ProgressBar);
  ProgressBar->hide();
}

void TStatusProgress::Begin(const std::string& text, uint64_t total) {
  if (Works.empty()) LastPaint = std::chrono::steady_clock::now();
  Works.push_back({QString::fromStdString(text), total, 0});
  if (Shown) ShowWork(Works.back());
}

void TStatusProgress::Step(uint64_t done) {
  if (Works.empty()) return;
  Works.back().Done = done;
  const auto now = std::chrono::steady_clock::now();
  if (now - LastPaint < kPaintEvery) return;
  if (!Shown) Show();
  ShowWork(Works.back());
  // Painting the window straight away, rather than letting the event loop do it, takes no
  // input; it also replaces whatever a dialog closed just before the work left on the screen.
  Window.repaint();
  LastPaint = std::chrono::steady_clock::now();
}

void TStatusProgress::End() {
  if (Works.empty()) return;
  Works.pop_back();
  if (!Shown) return;
  if (!Works.empty()) {
    ShowWork(Works.back());
    return;
  }
  Shown = false;
  ProgressBar->hide();
  QApplication::restoreOverrideCursor();
  for (const QPointer<QWidget>& view : Held)
    if (view) view->setUpdatesEnabled(true);
  Held.clear();
}

void TStatusProgress::Show() {
  Shown = true;
  ProgressBar->show();
  // The status bar makes room for the bar now, not in the event loop.
  if (QLayout* layout = Window.statusBar()->layout()) layout->activate();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  for (QOpenGLWidget* view : Window.findChildren<QOpenGLWidget*>())
    if (view->updatesEnabled()) {
      view->setUpdatesEnabled(false);
      Held.emplace_back(view);
    }
}

void TStatusProgress::ShowWork(const TWork& work) {
  ProgressBar->setFormat(work.Text + " %p%");
  const uint64_t total = work.Total ? work.Total : 1;
  ProgressBar->setValue(static_cast<int>(std::min(work.Done, total) * kSteps / total));
}
