#pragma once
#include <QDialog>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

// The generic value dialog: one labelled edit field per "Name=Value" line. Each edit field
// carries the value's name as object name, its label "lbl" + name.
class TfrmQuery : public QDialog {
  Q_OBJECT
 public:
  TfrmQuery(const std::string& caption, const std::vector<std::string>& lines, QWidget* parent = nullptr);

  // Writes every field back under its name, in creation order; an emptied field removes
  // its line.
  void ApplyTo(std::vector<std::string>& lines) const;

  QPushButton* btnOK;
  QPushButton* btnCancel;
  std::vector<QLineEdit*> Edits;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
