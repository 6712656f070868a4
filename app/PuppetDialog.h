#pragma once
#include <QDialog>
#include <string>

#include "model/Puppet.h"

class QPushButton;
class QTreeWidget;

// The modes of a puppet, each with its moves and the KEY each plays; Play (or a
// double click) takes the chosen move. Moves whose KEY is "none" show but
// cannot be chosen.
class TPuppetDialog : public QDialog {
  Q_OBJECT

 public:
  TPuppetDialog(const TPuppet& puppet, const std::string& name, QWidget* parent = nullptr);
  // The move the user played, or null when cancelled.
  static const TPuppetSubmode* Execute(const TPuppet& puppet, const std::string& name,
                                       QWidget* parent = nullptr);
  // The move of the current row; null for a mode's row or a move without
  // animation.
  const TPuppetSubmode* Chosen() const;

  QTreeWidget* trvMoves;
  QPushButton* btnPlay;
  QPushButton* btnCancel;

 private:
  const TPuppet& Puppet;
};
