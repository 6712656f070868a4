#pragma once
#include <QPointer>
#include <QString>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

class QMainWindow;
class QProgressBar;
class QWidget;

// Long work as the main window shows it: a bar in the status bar with the work's name and how
// far it has come, and the busy pointer. The program does not get back to its event loop while
// it works, so no input is taken and a half-done command is never entered again; the window
// is painted from here instead, at most every 50 ms. Its OpenGL views keep their last picture
// meanwhile, because they draw the model, which the work may have half changed. Work that is
// over within the first 50 ms shows nothing at all.
class TStatusProgress {
 public:
  explicit TStatusProgress(QMainWindow& window);

  void Begin(const std::string& text, uint64_t total);
  void Step(uint64_t done);
  void End();
  QProgressBar* Bar() const { return ProgressBar; }

 private:
  struct TWork {
    QString Text;
    uint64_t Total, Done;
  };
  void Show();
  void ShowWork(const TWork& work);

  QMainWindow& Window;
  QProgressBar* ProgressBar;
  std::vector<TWork> Works;  // the innermost last
  bool Shown = false;
  std::vector<QPointer<QWidget>> Held;  // the views that keep their picture
  std::chrono::steady_clock::time_point LastPaint;
};
