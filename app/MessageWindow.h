#pragma once
#include <QTime>
#include <QWidget>

class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The message window: every output line of the session with the time it came, the lines of
// a file's reading under the file's name, with Copy (the highlighted lines, or all) and
// Clear. A tool window above all others; the settings keep its place and whether it shows.
class TMessageWindow : public QWidget {
  Q_OBJECT
 public:
  explicit TMessageWindow(QWidget* parent = nullptr);

  void AddLine(const QString& text, QTime time = QTime::currentTime());
  // The lines added until EndGroup go under a row naming `title` (a file being read).
  void BeginGroup(const QString& title, QTime time = QTime::currentTime());
  void EndGroup();
  // The lines as Copy puts them on the clipboard: "time  text", a group's lines indented;
  // only the highlighted rows (a group with its lines) when some are.
  QString Text() const;

  QTreeWidget* tvwLines;
  QPushButton *btnCopy, *btnClear;

 private:
  QTreeWidgetItem* Group = nullptr;  // the open group, or none
};

// Groups the message window's lines for as long as it lives.
class TMessageGroup {
 public:
  TMessageGroup(TMessageWindow* window, const QString& title) : Window(window) {
    if (Window) Window->BeginGroup(title);
  }
  ~TMessageGroup() {
    if (Window) Window->EndGroup();
  }
  TMessageGroup(const TMessageGroup&) = delete;
  TMessageGroup& operator=(const TMessageGroup&) = delete;

 private:
  TMessageWindow* Window;
};
