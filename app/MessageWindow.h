#pragma once
#include <QWidget>

class QListWidget;

// The message window: a tool window above all others holding a list. The program writes
// nothing into it; the settings keep its place and whether it is shown.
class TfrmMsg : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmMsg(QWidget* parent = nullptr);

  QListWidget* lbxOutput;
};
