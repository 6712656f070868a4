#pragma once
#include <QDialog>
#include <string>
#include <vector>

class QPushButton;

// The generic value dialog: one labelled field per "Name=Value" line. A line with choices
// (TUserServices::QueryChoices) gets a check box for "0|1" and a drop-down list for others;
// any other line an edit field, where a number shows to six significant digits. Each field
// carries the value's name as object name, the label of an edit field or list "lbl" + name.
class TQueryDialog : public QDialog {
  Q_OBJECT
 public:
  TQueryDialog(const std::string& caption, const std::vector<std::string>& lines,
            const std::vector<std::string>& choices = {}, QWidget* parent = nullptr);

  // Writes every field back under its name, in creation order; an emptied field removes
  // its line. A number left as shown keeps every digit it came with.
  void ApplyTo(std::vector<std::string>& lines) const;

  QPushButton* btnOK;
  QPushButton* btnCancel;
  std::vector<QWidget*> Fields;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
